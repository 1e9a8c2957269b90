// The expander Port Admin page over the simulated switch, operated as a person would.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "expander/exp_port_admin_page.h"
#include "framework/sw/default_icons.h"
#include "framework/sw/help_engine.h"
#include "resources/expander_page_ids.h"
#include "tests/support/expander_sheet.h"

namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::Not;

constexpr const char* kOutOfRange = "Segment must be\n1 <= and <= 4";
constexpr const char* kSegmentOneRule =
    " Segment 1 must have an Uplink.\n  Locate the connection and declare\n      the Port as an "
    "Uplink.";

class PortAdminTest : public ::testing::Test, protected test_support::ExpanderSheet {
protected:
    const afx::ControlRef kPorts = afx::ControlRef::withId(IDC_EXPADMIN_PORT_LIST);
    const afx::ControlRef kSegments = afx::ControlRef::withId(IDC_EXPADMIN_SEGMENT_LIST);

    CExpPortAdminPage& openPage(std::vector<int> selected) {
        return open(new CExpPortAdminPage, std::move(selected));
    }
    // The operator picks one row (its values are read), then widens the selection.
    void choose(int firstRow, std::vector<int> alsoRows = {}) {
        ASSERT_TRUE(driver().selectRows(kPorts, {firstRow}));
        fixture().settle();
        if (!alsoRows.empty()) {
            ASSERT_TRUE(driver().selectRows(kPorts, alsoRows, afx::SelectMode::Ctrl));
            fixture().settle();
        }
    }
    void apply() {
        ASSERT_TRUE(driver().press("Apply"));
        fixture().settle();
    }
    std::vector<std::string> segmentsShown() {
        std::vector<std::string> out;
        for (const auto& row : rows(IDC_EXPADMIN_PORT_LIST)) {
            out.push_back(row.cells[2]);
        }
        return out;
    }
};

TEST_F(PortAdminTest, BankRuleListsTheSelectedExpanderPortsAndTheSegments) {
    // Console ports 2, 14 and 24: bank 1 port 2, bank 2 port 2, bank 2 port 12.
    CExpPortAdminPage& page = openPage({24, 2, 14});
    EXPECT_THAT(leading(IDC_EXPADMIN_PORT_LIST), ElementsAre("1/2", "2/2", "2/12"));
    const auto ports = rows(IDC_EXPADMIN_PORT_LIST);
    EXPECT_THAT(ports[0].cells, ElementsAre("1", "2", "1", "enabled", "notUplink"));
    EXPECT_EQ(ports[0].image, sw::kIconPortEnabled);

    const auto segments = rows(IDC_EXPADMIN_SEGMENT_LIST);
    ASSERT_EQ(segments.size(), 4u);
    EXPECT_THAT(segments[2].cells, ElementsAre("3", "Sales floor"));
    EXPECT_EQ(segments[2].image, sw::kIconSegment);
    EXPECT_EQ(page.m_loaded, 1);
    EXPECT_FALSE(enabled(IDC_EXPADMIN_SEGMENT));
    EXPECT_FALSE(enabled(IDC_EXPADMIN_ADMIN_STATE));
    EXPECT_FALSE(enabled(IDC_EXPADMIN_UPLINK));
    EXPECT_THAT(driver().shownMessageBoxes(), IsEmpty());  // 1/1 is segment 1's uplink

    // The segment table is read before the port table.
    const auto road = calls();
    const auto segmentsRead = std::find(road.begin(), road.end(), "RequestTable(3)");
    const auto portsRead = std::find(road.begin(), road.end(), "RequestTable(1)");
    EXPECT_LT(segmentsRead - road.begin(), portsRead - road.begin());
}

TEST_F(PortAdminTest, ThreePortsGetThreeSendsAndOneResetAfterTheThirdCompletion) {
    openPage({4, 5, 6});
    choose(0, {1, 2});
    EXPECT_EQ(count("RequestRow"), 1u);  // several rows: nothing more is read
    EXPECT_EQ(read("Segment"), "2");
    ASSERT_TRUE(driver().type("Segment", "3"));
    ASSERT_TRUE(driver().choose("Admin State", "disabled"));
    const auto framesBefore =
        fixture().simulatedSwitch().read("rptrMonitorPortReadableFrames", {1, 4});
    ASSERT_TRUE(framesBefore && framesBefore->integer > 0);
    trace().clear();
    apply();

    std::vector<std::string> sends;
    int completionsBeforeReset = -1;
    int portCompletions = 0;
    for (const std::string& line : trace().lines()) {
        if (line == "OnRequestDone(2)") {
            ++portCompletions;
        }
        if (line.rfind("SendSet", 0) == 0) {
            sends.push_back(line);
        }
        if (line == "SendSet(4)") {
            completionsBeforeReset = portCompletions;
        }
    }
    EXPECT_THAT(sends, ElementsAre("SendSet(2)", "SendSet(2)", "SendSet(2)", "SendSet(4)"));
    EXPECT_EQ(completionsBeforeReset, 3);
    EXPECT_THAT(trace().linesStartingWith("SetInteger(4"),
                ElementsAre("SetInteger(4, rptrReset, 2)"));
    EXPECT_THAT(trace().linesStartingWith("SetReRead"),
                ElementsAre("SetReRead(2, 0)", "SetReRead(2, 0)"));
    EXPECT_THAT(trace().linesStartingWith("SetUpdateOthers"),
                ElementsAre("SetUpdateOthers(2, 0)", "SetUpdateOthers(2, 0)"));
    EXPECT_THAT(trace().linesStartingWith("SetRowIndex"),
                ElementsAre("SetRowIndex(2, [\"1\", \"4\"])", "SetRowIndex(2, [\"1\", \"5\"])",
                            "SetRowIndex(2, [\"1\", \"6\"])"));
    // The port table is read again only after the reset.
    const auto& lines = trace().lines();
    const auto reset = std::find(lines.begin(), lines.end(), "OnRequestDone(4)");
    ASSERT_NE(reset, lines.end());
    EXPECT_NE(std::find(reset, lines.end(), "RequestTable(1)"), lines.end());
    EXPECT_EQ(std::count(lines.begin(), reset, std::string("RequestTable(1)")), 0);

    for (int port : {4, 5, 6}) {
        EXPECT_EQ(portValue("tarvoPortSegment", 1, port), 3) << port;
        EXPECT_EQ(portValue("tarvoPortAdminStatus", 1, port), 2) << port;
        EXPECT_EQ(portValue("tarvoPortUplinkStatus", 1, port), 2) << port;
    }
    EXPECT_EQ(fixture().simulatedSwitch().read("rptrMonitorPortReadableFrames", {1, 4})->integer,
              0);  // the repeater restarted its counters
    EXPECT_THAT(segmentsShown(), ElementsAre("3", "3", "3"));
    for (const auto& row : rows(IDC_EXPADMIN_PORT_LIST)) {
        EXPECT_TRUE(row.selected);  // the ports of the Apply are selected again
        EXPECT_EQ(row.image, sw::kIconPortNotEnabled);
    }
}

TEST_F(PortAdminTest, APortReadWhileTheResetIsOnItsWaySendsNoSecondReset) {
    openPage({4, 5});
    choose(0);
    ASSERT_TRUE(driver().type("Segment", "4"));
    fixture().transport().setLatencyMs(100);
    trace().clear();
    ASSERT_TRUE(driver().press("Apply"));
    for (int step = 0; step < 100 && count("SendSet(4)") == 0; ++step) {
        fixture().advance(10);
    }
    ASSERT_EQ(count("SendSet(4)"), 1u);
    choose(1);  // the operator looks at the other port meanwhile
    fixture().advance(1000);
    EXPECT_EQ(count("SendSet(4)"), 1u);
    EXPECT_EQ(read("Segment"), "2");  // 1/5, as read
    EXPECT_EQ(portValue("tarvoPortSegment", 1, 4), 4);
}

TEST_F(PortAdminTest, CancelledUplinkWarningForTheLastPortSendsNoResetAndNoReRead) {
    openPage({1});  // bank 1 port 1: segment 1's uplink
    choose(0);
    EXPECT_EQ(read("Uplink Port"), "checked");
    ASSERT_TRUE(driver().type("Segment", "2"));
    driver().expectMessageBox(
        IDCANCEL, "Warning",
        " Bank 1, Port 1 is an Uplink Port !\n Changing its segment assignment may\n cause loss "
        "of segment connectivity.");
    trace().clear();
    apply();
    ASSERT_TRUE(driver().verifyAllExpectedShown());
    EXPECT_EQ(driver().shownMessageBoxes().back().style,
              static_cast<UINT>(MB_OKCANCEL | MB_ICONEXCLAMATION));
    EXPECT_EQ(count("SendSet"), 0u);
    EXPECT_EQ(count("RequestTable"), 0u);
    EXPECT_EQ(portValue("tarvoPortSegment", 1, 1), 1);
}

TEST_F(PortAdminTest, AnUplinkWarningAnsweredOkSendsThatPortAndCancelSkipsOnlyItsRow) {
    openPage({1, 2, 3});
    choose(1, {0, 2});
    ASSERT_TRUE(driver().type("Segment", "2"));
    driver().expectMessageBox(IDCANCEL, "Warning");  // row 0 is 1/1, the uplink
    apply();
    ASSERT_TRUE(driver().verifyAllExpectedShown());
    EXPECT_EQ(portValue("tarvoPortSegment", 1, 1), 1);
    EXPECT_EQ(portValue("tarvoPortSegment", 1, 2), 2);
    EXPECT_EQ(portValue("tarvoPortSegment", 1, 3), 2);
    EXPECT_EQ(count("SendSet(4)"), 1u);
}

TEST_F(PortAdminTest, SegmentOutsideOneToFourIsRefusedAndSegmentTextTakesSixCharacters) {
    openPage({4});
    choose(0);
    for (const char* typed : {"5", "-1", "0"}) {
        ASSERT_TRUE(driver().type("Segment", typed));
        driver().expectMessageBox(IDOK, "Error", kOutOfRange);
        trace().clear();
        apply();
        ASSERT_TRUE(driver().verifyAllExpectedShown()) << typed;
        EXPECT_EQ(driver().shownMessageBoxes().back().style,
                  static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION));
        EXPECT_EQ(count("SendSet"), 0u) << typed;
    }
    const afx::StepResult typed = driver().type("Segment", "1234567");
    ASSERT_TRUE(typed);
    EXPECT_THAT(typed.message, Not(IsEmpty()));
    EXPECT_EQ(read("Segment"), "123456");
    EXPECT_EQ(portValue("tarvoPortSegment", 1, 4), 2);
}

TEST_F(PortAdminTest, SegmentOneRuleScansTheWholeTableNotOnlyTheListedPorts) {
    // Only bank 2 ports are listed; segment 1's uplink (1/1) is not among them.
    openPage({13, 14});
    EXPECT_THAT(driver().shownMessageBoxes(), IsEmpty());
}

TEST_F(PortAdminTest, SegmentOneWithoutUplinkIsWarnedAfterEveryRead) {
    setPortValue("tarvoPortUplinkStatus", 1, 1, 2);
    driver().expectMessageBox(IDOK, "Warning", kSegmentOneRule);
    openPage({24});  // a port far from segment 1's
    ASSERT_TRUE(driver().verifyAllExpectedShown());
    ASSERT_EQ(driver().shownMessageBoxes().size(), 1u);
    EXPECT_EQ(driver().shownMessageBoxes()[0].style, static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION));

    // Declaring an uplink in segment 1 through the page ends the warnings.
    driver().clearShownMessageBoxes();
    fixture().closeSheet();
    driver().expectMessageBox(IDOK, "Warning", kSegmentOneRule);
    openPage({2});
    choose(0);
    driver().expectMessageBox(IDYES, "Warning", "Are you sure this port is wired as an Uplink?");
    ASSERT_TRUE(driver().click("Uplink Port"));
    apply();
    ASSERT_TRUE(driver().verifyAllExpectedShown());
    EXPECT_EQ(portValue("tarvoPortUplinkStatus", 1, 2), 1);
    EXPECT_EQ(driver().shownMessageBoxes().size(), 2u);  // none after the Apply's re-read
}

TEST_F(PortAdminTest, UplinkQuestionsAnsweredNoPutTheCheckBack) {
    CExpPortAdminPage& page = openPage({1, 2});
    choose(1);  // 1/2: not an uplink
    driver().expectMessageBox(IDNO, "Warning", "Are you sure this port is wired as an Uplink?");
    ASSERT_TRUE(driver().click("Uplink Port"));
    EXPECT_EQ(read("Uplink Port"), "unchecked");
    EXPECT_FALSE(page.IsModified());
    EXPECT_EQ(driver().shownMessageBoxes().back().style,
              static_cast<UINT>(MB_YESNO | MB_ICONQUESTION));

    choose(0);  // 1/1: an uplink
    driver().expectMessageBox(IDNO, "Warning", "Are you sure this port is not wired as an Uplink?");
    ASSERT_TRUE(driver().click("Uplink Port"));
    EXPECT_EQ(read("Uplink Port"), "checked");
    ASSERT_TRUE(driver().verifyAllExpectedShown());
}

TEST_F(PortAdminTest, UntouchedPageSendsNothingOnOk) {
    openPage({4, 5});
    choose(0, {1});
    trace().clear();
    ASSERT_TRUE(driver().press("OK"));
    fixture().settle();
    EXPECT_EQ(count("SetInteger"), 0u);
    EXPECT_EQ(count("SendSet"), 0u);
    EXPECT_EQ(portValue("tarvoPortSegment", 1, 5), 2);
}

TEST_F(PortAdminTest, NoPortReadMeansNothingIsSent) {
    CExpPortAdminPage& page = openPage({4, 5});
    fixture().transport().failNextRequest(mib::TransportOutcome::Timeout, "no answer");
    driver().expectMessageBox(IDOK, "Error");  // the operator is told the read failed
    choose(0, {1});
    ASSERT_TRUE(driver().verifyAllExpectedShown());
    EXPECT_FALSE(enabled(IDC_EXPADMIN_SEGMENT));
    page.SetDirty(1);  // as if another change had enabled Apply
    trace().clear();
    apply();
    EXPECT_EQ(count("SendSet"), 0u);
    EXPECT_EQ(count("SetInteger"), 0u);
}

TEST_F(PortAdminTest, EmptySegmentAndAStateWithoutEntryAreLeftOut) {
    setPortValue("tarvoPortAdminStatus", 1, 7, 3);  // a state the combo does not offer
    openPage({7, 12});
    EXPECT_EQ(rows(IDC_EXPADMIN_PORT_LIST)[1].image, sw::kIconPortNotEnabled);  // 1/12
    choose(0);
    EXPECT_EQ(read("Admin State"), "");
    EXPECT_TRUE(enabled(IDC_EXPADMIN_ADMIN_STATE));
    ASSERT_TRUE(driver().type("Segment", ""));
    trace().clear();
    apply();
    EXPECT_THAT(trace().linesStartingWith("SetInteger(2"),
                ElementsAre("SetInteger(2, tarvoPortUplinkStatus, 2)"));
    EXPECT_EQ(count("SendSet"), 2u);  // the port, then the reset
    EXPECT_EQ(portValue("tarvoPortSegment", 1, 7), 3);
    EXPECT_EQ(portValue("tarvoPortAdminStatus", 1, 7), 3);
}

TEST_F(PortAdminTest, RefusedSendIsReportedReadAgainAndLeftToApplyAgain) {
    CExpPortAdminPage& page = openPage({4, 5});
    choose(0, {1});
    ASSERT_TRUE(driver().type("Segment", "4"));
    fixture().simulatedSwitch().failNextSet(mib::ErrorStatus::GenErr);
    driver().expectMessageBox(IDOK, "Error", "Failed to Apply Changes");
    trace().clear();
    apply();
    ASSERT_TRUE(driver().verifyAllExpectedShown());
    EXPECT_EQ(driver().shownMessageBoxes().size(), 1u);
    EXPECT_EQ(count("SendSet(4)"), 0u);  // no reset
    EXPECT_EQ(count("RequestTable(1)"), 1u);
    // The second port went through: the list shows the switch, not the typed value for both.
    EXPECT_EQ(portValue("tarvoPortSegment", 1, 4), 2);
    EXPECT_EQ(portValue("tarvoPortSegment", 1, 5), 4);
    EXPECT_THAT(segmentsShown(), ElementsAre("2", "4"));
    EXPECT_EQ(read("Segment"), "4");
    EXPECT_TRUE(page.IsModified());
    EXPECT_TRUE(afx::windows().find(driver().find(afx::ControlRef("Apply")).hwnd)->enabled);

    apply();  // again, now accepted
    EXPECT_EQ(portValue("tarvoPortSegment", 1, 4), 4);
    EXPECT_EQ(count("SendSet(4)"), 1u);
    EXPECT_FALSE(page.IsModified());
}

TEST_F(PortAdminTest, FailedResetIsReportedAndThePortsReadAgain) {
    CExpPortAdminPage& page = openPage({4});
    choose(0);
    ASSERT_TRUE(driver().type("Segment", "3"));
    // The switch refuses the SET that carries the reset.
    trace().setSink([this](const std::string& line) {
        if (line.rfind("SendSet(4)", 0) == 0) {
            fixture().simulatedSwitch().failNextSet(mib::ErrorStatus::GenErr);
        }
    });
    driver().expectMessageBox(IDOK, "Error", "     Reset Failed.\n Changes may not be saved");
    trace().clear();
    apply();
    trace().setSink(nullptr);
    ASSERT_TRUE(driver().verifyAllExpectedShown());
    EXPECT_EQ(count("RequestTable(1)"), 1u);
    EXPECT_THAT(segmentsShown(), ElementsAre("3"));
    EXPECT_TRUE(page.IsModified());
}

TEST_F(PortAdminTest, SegmentClickFillsTheFieldOnlyOnceAPortWasRead) {
    CExpPortAdminPage& page = openPage({4});
    ASSERT_TRUE(driver().selectRows(kSegments, {2}));
    fixture().settle();
    EXPECT_FALSE(rows(IDC_EXPADMIN_SEGMENT_LIST)[2].selected);
    EXPECT_EQ(read("Segment"), "");
    EXPECT_FALSE(page.IsModified());

    choose(0);
    ASSERT_TRUE(driver().selectRows(kSegments, {2}));
    EXPECT_EQ(read("Segment"), "3");
    EXPECT_TRUE(page.IsModified());
    apply();
    EXPECT_EQ(portValue("tarvoPortSegment", 1, 4), 3);
}

TEST_F(PortAdminTest, SameRowChosenTwiceIsReadOnceAndRefreshClearsThePort) {
    openPage({4, 5});
    choose(1);
    choose(1);
    EXPECT_EQ(count("RequestRow"), 1u);
    ASSERT_TRUE(driver().press("Refresh"));
    fixture().settle();
    EXPECT_EQ(read("Segment"), "");
    EXPECT_FALSE(enabled(IDC_EXPADMIN_SEGMENT));
    choose(1);
    EXPECT_EQ(count("RequestRow"), 2u);
}

TEST_F(PortAdminTest, RowsOfBanksOrPortsTheModuleCannotHaveAreSkipped) {
    auto addRow = [&](std::uint32_t bank, std::uint32_t port) {
        for (const char* column : {"tarvoPortGroupIndex", "tarvoPortIndex"}) {
            const long value = std::string(column) == "tarvoPortIndex" ? port : bank;
            fixture().simulatedSwitch().write(column, {bank, port}, mib::Value::makeInteger(value));
        }
        for (const char* column :
             {"tarvoPortSegment", "tarvoPortAdminStatus", "tarvoPortUplinkStatus"}) {
            fixture().simulatedSwitch().write(column, {bank, port}, mib::Value::makeInteger(1));
        }
    };
    addRow(1, 13);           // would pass for console port 13, bank 2 port 1
    addRow(0, 5);            // no bank 0
    addRow(2147483647, 12);  // (bank - 1) * 12 overflows an int
    addRow(3, 1);            // beyond the module's 24 ports
    openPage({13, 5, 25});
    EXPECT_THAT(leading(IDC_EXPADMIN_PORT_LIST), ElementsAre("1/5", "2/1", "3/1"));

    // Once the chassis description tells the module's size, bank 3 goes too.
    CNxChassisInfo chassis;
    chassis.SetSlot(kSlot, 8193, "10BASE-T Expander 24", 24, 12);
    fixture().sheet().SetChassisInfoObject(&chassis);
    ASSERT_TRUE(driver().press("Refresh"));
    fixture().settle();
    EXPECT_THAT(leading(IDC_EXPADMIN_PORT_LIST), ElementsAre("1/5", "2/1"));
    fixture().closeSheet();
}

TEST_F(PortAdminTest, HelpOpensThePortAdminTopic) {
    openPage({4});
    ASSERT_TRUE(driver().press("Help"));
    EXPECT_EQ(sw::lastHelpTopic().topic, "TarvoPort_Help\\TarvoPort_Port_Admin_Page");
    EXPECT_TRUE(sw::lastHelpTopic().exists);
}

}  // namespace
