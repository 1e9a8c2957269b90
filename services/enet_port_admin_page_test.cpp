// The Service Admin page in a sheet over the simulated switch, operated as a person would.
//
// Demo switch, ports 1/1 and 1/2 selected, the list in slot and port order:
//   row 0: 1/1 bridging 1  group 1   (two learned addresses, mirrored to 1/8)
//   row 1: 1/1 bridging 2  group 2   (one learned address)
//   row 2: 1/1 ieee8021Q 1 group 7   (encapsulation 2, bridge mode 5)
//   row 3: 1/2 ipRouting 1 group 3   (administratively disabled)
//   row 4: 1/2 bridging 1  group 2   (switch timer 65535, manual mode enabled)

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "framework/afx/text_renderer.h"
#include "framework/sw/default_icons.h"
#include "framework/sw/help_engine.h"
#include "resources/service_admin_ids.h"
#include "services/enet_port_admin_page.h"
#include "tests/support/page_fixture.h"

namespace {

using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::Not;
using ::testing::SizeIs;

constexpr const char* kVPorts = "Virtual Ports";

class ServiceAdminPageTest : public ::testing::Test {
protected:
    CEnetPortAdminPage& open(std::vector<sw::SlotPort> selected = {{1, 1}, {1, 2}},
                             CEnetPortAdminPage* page = nullptr) {
        const sw::SlotPort first = selected.front();
        m_fixture.select(first.slot, first.port, std::move(selected));
        m_fixture.trace().setRecording(true);
        m_page = page ? page : new CEnetPortAdminPage;
        m_fixture.openSheet({m_page});
        loadChassis();
        m_fixture.settle();
        return *m_page;
    }
    // The console hands every sheet the chassis description read from the switch.
    void loadChassis() {
        auto contents = m_fixture.simulatedSwitch().read("chasNorixContents", {0});
        ASSERT_TRUE(contents.has_value());
        m_chassis.LoadContents(contents->octets.data(), static_cast<int>(contents->octets.size()));
        m_fixture.sheet().SetChassisInfoObject(&m_chassis);
    }
    // Lets ms pass in small steps, so that latencies and set delays follow one another.
    void run(int ms) {
        for (int t = 0; t < ms; t += 10) {
            m_fixture.advance(10);
        }
    }
    afx::OperatorDriver& driver() { return m_fixture.driver(); }
    std::vector<std::string> calls(const char* prefix) {
        return m_fixture.trace().linesStartingWith(prefix);
    }
    void selectRows(std::vector<int> rows) {
        ASSERT_TRUE(driver().selectRows(kVPorts, {rows.front()}));
        m_fixture.settle();
        for (std::size_t i = 1; i < rows.size(); ++i) {
            ASSERT_TRUE(driver().selectRows(kVPorts, {rows[i]}, afx::SelectMode::Ctrl));
            m_fixture.settle();
        }
    }
    // Apply, the success box, the last set's delay and the re-reads.
    void applyAndSettle(bool expectSuccess = true) {
        if (expectSuccess) {
            driver().expectMessageBox(IDOK, "Success", "Configuration Changes Successful.");
        }
        ASSERT_TRUE(driver().press("Apply"));
        m_fixture.settle();
        m_fixture.advance(3000);
        if (expectSuccess) {
            ASSERT_TRUE(driver().verifyAllExpectedShown());
        }
    }
    long vportInteger(const char* variable, std::uint32_t port, std::uint32_t service,
                      std::uint32_t instance) {
        return m_fixture.switchInteger(variable, {1, port, service, instance});
    }
    std::string vportText(const char* variable, std::uint32_t port, std::uint32_t service,
                          std::uint32_t instance) {
        return m_fixture.switchText(variable, {1, port, service, instance});
    }

    CNxChassisInfo m_chassis;
    test_support::PageFixture m_fixture;
    CEnetPortAdminPage* m_page = nullptr;
};

TEST_F(ServiceAdminPageTest, ReadsGroupsThenVirtualPortsAndListsOnlySelectedPorts) {
    CEnetPortAdminPage& page = open();
    const std::vector<std::string> reads = m_fixture.trace().linesStartingWith("Request");
    ASSERT_THAT(reads, SizeIs(2));
    EXPECT_THAT(reads[0], HasSubstr("RequestTable(3)"));  // groups first
    EXPECT_THAT(reads[1], HasSubstr("RequestTable(1)"));
    EXPECT_THAT(m_fixture.column(IDC_ADMIN_VPORT_LIST, 1), ElementsAre("1", "1", "1", "2", "2"));
    EXPECT_THAT(m_fixture.column(IDC_ADMIN_VPORT_LIST, 2),
                ElementsAre("bridging", "bridging", "ieee8021Q", "ipRouting", "bridging"));
    EXPECT_THAT(m_fixture.column(IDC_ADMIN_VPORT_LIST, 6), Contains("------------------").Times(5));
    EXPECT_EQ(m_fixture.rows(IDC_ADMIN_VPORT_LIST)[3].image, sw::kIconVirtualPortDown);
    EXPECT_EQ(m_fixture.rows(IDC_ADMIN_VPORT_LIST)[0].image, sw::kIconVirtualPortUp);
    // Modes 4 and 5 are the switch's own groups.
    EXPECT_THAT(m_fixture.column(IDC_ADMIN_GROUP_LIST, 0),
                ElementsAre("1", "2", "3", "7", "9", "10", "20"));
    EXPECT_EQ(m_fixture.rows(IDC_ADMIN_GROUP_LIST)[0].image, sw::kIconGroup);
    EXPECT_EQ(page.m_loaded, 1);
    for (int id : {IDC_ADMIN_GROUP_NUM, IDC_ADMIN_ADMIN_STATE, IDC_ADMIN_DESCRIPTION,
                   IDC_ADMIN_BRIDGE_ADDRESS, IDC_ADMIN_PORT_MIRRORING, IDC_ADMIN_TRUNKING,
                   IDC_ADMIN_APPLY_ALL}) {
        EXPECT_FALSE(m_fixture.enabled(id)) << id;
    }

    ASSERT_TRUE(driver().press("Help"));
    EXPECT_EQ(sw::lastHelpTopic().topic, "Ethernet_port_help\\ethernet_port_service_admin_page");
    EXPECT_TRUE(sw::lastHelpTopic().exists);
}

TEST_F(ServiceAdminPageTest, OneSelectedPortReadsOnlyItsBridgeServiceAndShowsIt) {
    open({{1, 2}});
    EXPECT_THAT(calls("SetInstance(1"), ElementsAre(HasSubstr("[1.2.4.1]")));
    EXPECT_THAT(calls("RequestTable(1"), IsEmpty());
    ASSERT_THAT(m_fixture.rows(IDC_ADMIN_VPORT_LIST), SizeIs(1));
    EXPECT_EQ(m_fixture.read("Group Num"), "2");
    EXPECT_EQ(m_fixture.read("Switch Timer"), "65535");
    EXPECT_EQ(m_fixture.read("Manual Mode"), "enabled");
    EXPECT_EQ(m_fixture.read("Bridge Mode"), "transparent");
    EXPECT_EQ(m_fixture.read("Bridge Protocol"), "ieee8021d");
    // Group 2 floods nothing: the port's own limit is neither shown nor editable.
    EXPECT_EQ(m_fixture.read("Flood Limit"), "Disabled");
    EXPECT_FALSE(m_fixture.enabled(IDC_ADMIN_FLOOD_LIMIT));
    EXPECT_TRUE(m_fixture.enabled(IDC_ADMIN_DESCRIPTION));
    EXPECT_TRUE(m_fixture.enabled(IDC_ADMIN_BRIDGE_ADDRESS));
    EXPECT_TRUE(m_fixture.enabled(IDC_ADMIN_PORT_MIRRORING));
    EXPECT_TRUE(m_fixture.enabled(IDC_ADMIN_TRUNKING));
}

TEST_F(ServiceAdminPageTest, LearnedMacsAreReadOnceAndShownPerVirtualPort) {
    open();
    m_fixture.trace().clear();
    ASSERT_TRUE(driver().click("Show Learned MAC"));
    m_fixture.settle();
    EXPECT_THAT(calls("Request"), ElementsAre(HasSubstr("RequestTable(4)")));
    EXPECT_THAT(
        m_fixture.column(IDC_ADMIN_VPORT_LIST, 6),
        ElementsAre("Multiple", "08:00:20:7A:11:01", "Unknown", "Unknown", "08:00:20:7A:11:02"));

    m_fixture.trace().clear();
    ASSERT_TRUE(driver().click("Show Learned MAC"));
    m_fixture.settle();
    EXPECT_THAT(calls("Request"), IsEmpty());
    EXPECT_THAT(m_fixture.column(IDC_ADMIN_VPORT_LIST, 6), Contains("------------------").Times(5));

    ASSERT_TRUE(driver().click("Show Learned MAC"));
    m_fixture.settle();
    EXPECT_THAT(calls("Request"), ElementsAre(HasSubstr("RequestTable(1)")));
    EXPECT_EQ(m_fixture.column(IDC_ADMIN_VPORT_LIST, 6)[0], "Multiple");
}

TEST_F(ServiceAdminPageTest, RefreshWithLearnedMacsShownReadsAllThreeTablesAgain) {
    CEnetPortAdminPage& page = open();
    ASSERT_TRUE(driver().click("Show Learned MAC"));
    m_fixture.settle();
    m_fixture.simulatedSwitch().write("vportVlanNumber", {1, 1, 4, 1}, mib::Value::makeInteger(9));
    m_fixture.trace().clear();
    ASSERT_TRUE(driver().press("Refresh"));
    m_fixture.settle();
    EXPECT_THAT(calls("Request"),
                ElementsAre(HasSubstr("RequestTable(3)"), HasSubstr("RequestTable(4)"),
                            HasSubstr("RequestTable(1)")));
    EXPECT_EQ(m_fixture.column(IDC_ADMIN_VPORT_LIST, 4)[0], "9");
    EXPECT_EQ(m_fixture.column(IDC_ADMIN_VPORT_LIST, 6)[0], "Multiple");
    EXPECT_EQ(page.m_loaded, 1);
}

TEST_F(ServiceAdminPageTest, ChangeToTwoOfThreeRowsWritesOnlyTheChangedSetting) {
    open();
    selectRows({0, 1, 4});
    // Several rows share the current row's values; the description is not theirs to share.
    EXPECT_EQ(m_fixture.read("Description"), "");
    EXPECT_FALSE(m_fixture.enabled(IDC_ADMIN_DESCRIPTION));
    EXPECT_FALSE(m_fixture.enabled(IDC_ADMIN_BRIDGE_ADDRESS));
    ASSERT_TRUE(driver().choose("Admin State", "disabled"));
    ASSERT_TRUE(driver().selectRows(kVPorts, {4}, afx::SelectMode::Ctrl));  // off again
    m_fixture.settle();
    m_fixture.trace().clear();
    applyAndSettle();

    EXPECT_THAT(calls("SetInteger"),
                ElementsAre(HasSubstr("vportAdmStatus, 2"), HasSubstr("vportAdmStatus, 2")));
    EXPECT_THAT(calls("SetString"), IsEmpty());
    EXPECT_THAT(calls("SetSetDelay"), ElementsAre(HasSubstr(", 0)"), HasSubstr(", 3000)")));
    EXPECT_THAT(calls("SetReRead"), Contains(HasSubstr(", 0)")).Times(2));
    EXPECT_EQ(vportInteger("vportAdmStatus", 1, 4, 1), 2);
    EXPECT_EQ(vportInteger("vportAdmStatus", 1, 4, 2), 2);
    EXPECT_EQ(vportInteger("vportAdmStatus", 2, 4, 1), 1);
    EXPECT_EQ(vportInteger("vportVlanNumber", 1, 4, 1), 1);
    // The re-reads, then the table, then the current row with its mirroring.
    EXPECT_THAT(calls("RequestRow(1"), SizeIs(2));
    EXPECT_THAT(calls("RequestTable(1"), SizeIs(1));
    EXPECT_THAT(calls("RequestRow(2"), SizeIs(1));
    EXPECT_THAT(calls("RequestRow(5"), SizeIs(1));
    EXPECT_EQ(m_fixture.read("Admin State"), "disabled");
    EXPECT_EQ(m_fixture.column(IDC_ADMIN_VPORT_LIST, 5)[1], "down");
    EXPECT_FALSE(m_page->IsModified());
}

TEST_F(ServiceAdminPageTest, ApplyAllSettingsWritesEverySettingWithinItsRules) {
    open();
    selectRows({0, 2});
    ASSERT_TRUE(driver().click("Apply All Settings"));
    m_fixture.trace().clear();
    applyAndSettle();

    const std::vector<std::string> sets = calls("Set");
    auto countOf = [&](const char* variable) {
        return std::count_if(sets.begin(), sets.end(),
                             [&](const std::string& s) { return s.find(variable) != s.npos; });
    };
    EXPECT_EQ(countOf("vportVlanNumber, 1"), 2);
    EXPECT_EQ(countOf("vportSwitchTimer, 300"), 2);
    EXPECT_EQ(countOf("vportBrdgMode, 3"), 2);
    EXPECT_EQ(countOf("vportManualMode, 1"), 2);
    EXPECT_EQ(countOf("vportAdmStatus, 1"), 2);
    EXPECT_EQ(countOf("vportDescription"), 0);  // two rows: never the description
    // Group 1 lets each port keep its own flood limit, so it is written as read.
    EXPECT_EQ(countOf("vportFloodLimit, \"64000\""), 2);
    // Encapsulation 1 only to the row that does not hold it already.
    EXPECT_THAT(calls("SetInteger(2, vportEncapsulation"), ElementsAre(HasSubstr(", 1)")));
    EXPECT_EQ(vportInteger("vportEncapsulation", 1, 7, 1), 1);
    EXPECT_EQ(vportInteger("vportVlanNumber", 1, 7, 1), 1);
    EXPECT_EQ(vportInteger("vportFloodLimit", 1, 7, 1), 64000);
    EXPECT_EQ(vportText("vportDescription", 1, 4, 1), "Core bridge");
}

TEST_F(ServiceAdminPageTest, GroupClickFillsGroupNumAndFloodLimitFollowsTheGroup) {
    open();
    selectRows({0});
    EXPECT_EQ(m_fixture.read("Flood Limit"), "64000");
    EXPECT_TRUE(m_fixture.enabled(IDC_ADMIN_FLOOD_LIMIT));

    ASSERT_TRUE(driver().selectRow("Available Groups", {"3"}));
    EXPECT_EQ(m_fixture.read("Group Num"), "3");
    EXPECT_EQ(m_fixture.read("Flood Limit"), "500");
    EXPECT_FALSE(m_fixture.enabled(IDC_ADMIN_FLOOD_LIMIT));
    EXPECT_TRUE(m_page->IsModified());
    ASSERT_TRUE(driver().selectRow("Available Groups", {"2"}));
    EXPECT_EQ(m_fixture.read("Flood Limit"), "Disabled");

    m_fixture.trace().clear();
    applyAndSettle();
    EXPECT_THAT(calls("Set"), Not(Contains(HasSubstr("vportFloodLimit"))));
    EXPECT_EQ(vportInteger("vportVlanNumber", 1, 4, 1), 2);
    EXPECT_EQ(vportInteger("vportFloodLimit", 1, 4, 1), 64000);
    EXPECT_EQ(m_fixture.column(IDC_ADMIN_VPORT_LIST, 4)[0], "2");
}

TEST_F(ServiceAdminPageTest, GroupClickWithoutCurrentRowIsUndone) {
    open();
    ASSERT_TRUE(driver().selectRow("Available Groups", {"7"}));
    EXPECT_EQ(m_fixture.read("Group Num"), "");
    for (const afx::ListRow& row : m_fixture.rows(IDC_ADMIN_GROUP_LIST)) {
        EXPECT_EQ(row.state & LVIS_SELECTED, 0u);
    }
}

TEST_F(ServiceAdminPageTest, SwitchTimerLimits) {
    open({{1, 2}});
    ASSERT_TRUE(driver().type("Switch Timer", "65536"));
    driver().expectMessageBox(IDOK, "Error", "SwitchTimer must be\n 0 <= and <= 65535");
    m_fixture.trace().clear();
    ASSERT_TRUE(driver().press("Apply"));
    m_fixture.settle();
    ASSERT_TRUE(driver().verifyAllExpectedShown());
    EXPECT_EQ(driver().shownMessageBoxes().back().style, static_cast<UINT>(MB_OK | MB_ICONWARNING));
    EXPECT_THAT(calls("SendSet"), IsEmpty());

    // The digits-only field cannot take a sign; a text put there otherwise is still checked.
    ASSERT_TRUE(driver().type("Switch Timer", "1"));
    afx::windows().setText(m_fixture.control(IDC_ADMIN_SWITCH_TIMER), "-1");
    driver().expectMessageBox(IDOK, "Error", "SwitchTimer must be\n 0 <= and <= 65535");
    ASSERT_TRUE(driver().press("Apply"));
    m_fixture.settle();
    ASSERT_TRUE(driver().verifyAllExpectedShown());
    EXPECT_THAT(calls("SendSet"), IsEmpty());

    ASSERT_TRUE(driver().type("Switch Timer", ""));
    applyAndSettle();
    EXPECT_EQ(vportInteger("vportSwitchTimer", 2, 4, 1), 0);

    ASSERT_TRUE(driver().type("Switch Timer", "65535"));
    applyAndSettle();
    EXPECT_EQ(vportInteger("vportSwitchTimer", 2, 4, 1), 65535);
}

TEST_F(ServiceAdminPageTest, ApplyWithoutChangeSendsNothing) {
    open();
    selectRows({1});
    ASSERT_TRUE(driver().click("Apply All Settings"));
    ASSERT_TRUE(driver().click("Apply All Settings"));  // off again: nothing differs
    m_fixture.trace().clear();
    ASSERT_TRUE(driver().press("Apply"));
    m_fixture.settle();
    EXPECT_THAT(calls("Set"), IsEmpty());
    EXPECT_THAT(driver().shownMessageBoxes(), IsEmpty());
}

TEST_F(ServiceAdminPageTest, OkWithRowsSelectedButNoneReadSendsNothing) {
    open();
    // The operator is quicker than the switch: the rows are selected, none was read yet,
    // so the empty fields are nobody's values.
    m_fixture.transport().setLatencyMs(50);
    ASSERT_TRUE(driver().selectRows(kVPorts, {0}));
    ASSERT_TRUE(driver().selectRows(kVPorts, {1}, afx::SelectMode::Ctrl));
    EXPECT_EQ(m_fixture.read("Group Num"), "");
    m_fixture.trace().clear();
    ASSERT_TRUE(driver().press("OK"));
    run(200);
    EXPECT_THAT(calls("Set"), IsEmpty());
    EXPECT_EQ(vportInteger("vportVlanNumber", 1, 4, 1), 1);
    EXPECT_EQ(vportInteger("vportSwitchTimer", 1, 4, 2), 300);
}

TEST_F(ServiceAdminPageTest, GroupThatIsNotConfiguredIsRefusedByTheSwitch) {
    open();
    selectRows({1});
    ASSERT_TRUE(driver().type("Group Num", "99"));
    driver().expectMessageBox(IDOK, "Error", "Failed to Update Port Configuration.");
    m_fixture.trace().clear();
    ASSERT_TRUE(driver().press("Apply"));
    m_fixture.advance(3000);
    ASSERT_TRUE(driver().verifyAllExpectedShown());
    EXPECT_EQ(vportInteger("vportVlanNumber", 1, 4, 2), 2);
    EXPECT_THAT(calls("RequestRow(1"), IsEmpty());  // no re-reads after a failure
    EXPECT_TRUE(m_page->IsModified());
    EXPECT_EQ(m_fixture.read("Group Num"), "99");

    // The next row read is taken as a read, not as the end of the failed apply.
    selectRows({4});
    EXPECT_EQ(m_fixture.read("Group Num"), "2");
    EXPECT_EQ(m_fixture.read("Switch Timer"), "65535");
}

TEST_F(ServiceAdminPageTest, ReReadChainStopsCleanlyWhenTheSelectionShrank) {
    open();
    selectRows({0, 1, 4});
    ASSERT_TRUE(driver().choose("Manual Mode", "enabled"));
    // The switch answers slowly, so the operator acts between the chain's reads.
    m_fixture.transport().setLatencyMs(50);
    driver().expectMessageBox(IDOK, "Success", "Configuration Changes Successful.");
    ASSERT_TRUE(driver().press("Apply"));
    // Until the success box: the first re-read is then on its way.
    for (int t = 0; t < 5000 && driver().shownMessageBoxes().empty(); t += 10) {
        m_fixture.advance(10);
    }
    ASSERT_TRUE(driver().verifyAllExpectedShown());
    ASSERT_EQ(calls("RequestRow(1").size(), 1u);
    ASSERT_TRUE(driver().selectRows(kVPorts, {0}));  // the selection is one row now
    run(1000);
    EXPECT_EQ(vportInteger("vportManualMode", 2, 4, 1), 2);
    EXPECT_EQ(vportInteger("vportManualMode", 1, 4, 2), 2);
    EXPECT_THAT(m_fixture.rows(IDC_ADMIN_VPORT_LIST), SizeIs(5));
    EXPECT_EQ(m_fixture.read("Manual Mode"), "enabled");
    EXPECT_THAT(driver().shownMessageBoxes(), SizeIs(1));
}

TEST_F(ServiceAdminPageTest, ReReadThatFailsIsReportedAndTheListIsReadWhole) {
    open();
    selectRows({0, 4});
    ASSERT_TRUE(driver().choose("Admin State", "disabled"));
    m_fixture.transport().setLatencyMs(50);
    driver().expectMessageBox(IDOK, "Success", "Configuration Changes Successful.");
    ASSERT_TRUE(driver().press("Apply"));
    for (int t = 0; t < 5000 && driver().shownMessageBoxes().empty(); t += 10) {
        m_fixture.advance(10);
    }
    // The first re-read is on its way; the second one gets no answer.
    m_fixture.transport().failNextRequest(mib::TransportOutcome::Timeout, "no answer");
    driver().expectMessageBox(IDOK, "Error", "Failed to ReRead Port Configuration.");
    run(3000);
    ASSERT_TRUE(driver().verifyAllExpectedShown());
    EXPECT_EQ(driver().shownMessageBoxes().back().style,
              static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION));
    EXPECT_THAT(m_fixture.rows(IDC_ADMIN_VPORT_LIST), SizeIs(5));
    EXPECT_EQ(m_fixture.column(IDC_ADMIN_VPORT_LIST, 5)[4], "down");
}

TEST_F(ServiceAdminPageTest, UnreachableRowsStopTheFillsWithTheirMessages) {
    m_fixture.select(1, 1, {{1, 1}, {1, 2}});
    auto* page = new CEnetPortAdminPage;
    m_fixture.openSheet({page});
    test_support::ReleaseRequestsOnFirstRow releaser(*page,
                                                     m_fixture.control(IDC_ADMIN_GROUP_LIST));
    driver().expectMessageBox(IDOK, "Error", "Unable to access Vlan record");
    m_fixture.settle();
    ASSERT_TRUE(driver().verifyAllExpectedShown());
    EXPECT_EQ(driver().shownMessageBoxes().at(0).style, static_cast<UINT>(MB_OK));
    EXPECT_THAT(m_fixture.rows(IDC_ADMIN_GROUP_LIST), SizeIs(1));
}

TEST_F(ServiceAdminPageTest, UnreachableVirtualPortRowStopsTheList) {
    m_fixture.select(1, 1, {{1, 1}, {1, 2}});
    auto* page = new CEnetPortAdminPage;
    m_fixture.openSheet({page});
    test_support::ReleaseRequestsOnFirstRow releaser(*page,
                                                     m_fixture.control(IDC_ADMIN_VPORT_LIST));
    driver().expectMessageBox(IDOK, "Error", "Unable to access vPort record");
    m_fixture.settle();
    ASSERT_TRUE(driver().verifyAllExpectedShown());
    EXPECT_THAT(m_fixture.rows(IDC_ADMIN_VPORT_LIST), SizeIs(1));
}

TEST_F(ServiceAdminPageTest, MirroringStatusOnlyForPortsThatMirror) {
    open();
    selectRows({0});
    EXPECT_EQ(m_fixture.read("Port Mirroring:"), "enabled");
    EXPECT_TRUE(m_fixture.enabled(IDC_ADMIN_PORT_MIRRORING));

    // 3/12 is a port type without mirroring: "N/A" and no mirroring read.
    m_fixture.trace().clear();
    open({{3, 12}});
    EXPECT_EQ(m_fixture.read("Port Mirroring:"), "N/A");
    EXPECT_THAT(calls("RequestRow(5"), IsEmpty());
    EXPECT_FALSE(m_fixture.enabled(IDC_ADMIN_PORT_MIRRORING));
    EXPECT_TRUE(m_fixture.enabled(IDC_ADMIN_BRIDGE_ADDRESS));
}

TEST_F(ServiceAdminPageTest, ValueTheSwitchAnswersBadlyShowsEmptyAndIsNeverWrittenBack) {
    // The switch answers a text where the group number belongs.
    m_fixture.simulatedSwitch().write("vportVlanNumber", {1, 1, 4, 2},
                                      mib::Value::makeString("seven"));
    m_fixture.simulatedSwitch().write("vportBrdgMode", {1, 1, 4, 2}, mib::Value::makeString("?"));
    open();
    EXPECT_EQ(m_fixture.column(IDC_ADMIN_VPORT_LIST, 4)[1], "");
    selectRows({1});
    EXPECT_EQ(m_fixture.read("Group Num"), "");
    EXPECT_EQ(m_fixture.read("Bridge Mode"), "");
    ASSERT_TRUE(driver().click("Apply All Settings"));
    m_fixture.trace().clear();
    applyAndSettle();
    EXPECT_THAT(calls("Set"), Not(Contains(HasSubstr("vportVlanNumber"))));
    EXPECT_THAT(calls("Set"), Not(Contains(HasSubstr("vportBrdgMode"))));
    EXPECT_THAT(calls("Set"), Contains(HasSubstr("vportSwitchTimer, 300")));
}

TEST_F(ServiceAdminPageTest, RefusedSetShowsTheFailureAndKeepsWhatWasTyped) {
    open({{1, 1}});
    ASSERT_TRUE(driver().type("Description", "refused"));
    m_fixture.simulatedSwitch().failNextSet(mib::ErrorStatus::NoAccess);
    driver().expectMessageBox(IDOK, "Error", "Failed to Update Port Configuration.");
    ASSERT_TRUE(driver().press("Apply"));
    m_fixture.advance(3000);
    ASSERT_TRUE(driver().verifyAllExpectedShown());
    EXPECT_EQ(driver().shownMessageBoxes().back().style,
              static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION));
    EXPECT_EQ(vportText("vportDescription", 1, 4, 1), "Core bridge");
    EXPECT_EQ(m_fixture.read("Description"), "refused");
}

// The instance the switch answers for row 2 is no number: its row cannot be addressed, so its
// set cannot start after row 0's went.
TEST_F(ServiceAdminPageTest, ASetThatCannotStartAfterOthersWentIsReportedAndTheListReadAgain) {
    m_fixture.simulatedSwitch().write("vportFuncTypeInstance", {1, 1, 7, 1},
                                      mib::Value::makeString("one"));
    open();
    ASSERT_EQ(m_fixture.column(IDC_ADMIN_VPORT_LIST, 3)[2], "");
    selectRows({0, 2});
    ASSERT_TRUE(driver().choose("Admin State", "disabled"));
    driver().expectMessageBox(IDOK, "Error",
                              "Failed to Update Port Configuration.\nNot changed: 1.1.ieee8021Q.");
    m_fixture.trace().clear();
    ASSERT_TRUE(driver().press("Apply"));
    m_fixture.settle();
    m_fixture.advance(3000);
    ASSERT_TRUE(driver().verifyAllExpectedShown());
    EXPECT_THAT(driver().shownMessageBoxes(), SizeIs(1));
    EXPECT_EQ(m_fixture.count("PDU SET"), 1u);
    EXPECT_EQ(vportInteger("vportAdmStatus", 1, 4, 1), 2);
    EXPECT_EQ(vportInteger("vportAdmStatus", 1, 7, 1), 1);
    // The whole list is read again, then the current row.
    EXPECT_THAT(calls("RequestTable(1"), SizeIs(1));
    EXPECT_THAT(calls("RequestRow(2"), SizeIs(1));
    EXPECT_EQ(m_fixture.column(IDC_ADMIN_VPORT_LIST, 5)[0], "down");
    EXPECT_TRUE(m_page->IsModified());
}

TEST_F(ServiceAdminPageTest, AFirstSetThatCannotStartIsReportedAndLeavesNothingPending) {
    m_fixture.simulatedSwitch().write("vportFuncTypeInstance", {1, 1, 7, 1},
                                      mib::Value::makeString("one"));
    open();
    selectRows({2});
    ASSERT_TRUE(driver().choose("Admin State", "disabled"));
    driver().expectMessageBox(IDOK, "Error",
                              "Failed to Update Port Configuration.\nNot changed: 1.1.ieee8021Q.");
    m_fixture.trace().clear();
    ASSERT_TRUE(driver().press("Apply"));
    m_fixture.settle();
    m_fixture.advance(3000);
    ASSERT_TRUE(driver().verifyAllExpectedShown());
    EXPECT_EQ(m_fixture.count("PDU SET"), 0u);
    EXPECT_TRUE(m_page->IsModified());
    EXPECT_EQ(m_fixture.read("Admin State"), "disabled");

    // The next row read is taken as a read, not as the end of a set.
    selectRows({4});
    EXPECT_EQ(m_fixture.read("Switch Timer"), "65535");
    EXPECT_THAT(driver().shownMessageBoxes(), SizeIs(1));
}

}  // namespace
