// The Status page in a sheet over the simulated switch, operated as a person would.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/afx/text_renderer.h"
#include "framework/sw/default_icons.h"
#include "framework/sw/help_engine.h"
#include "ports/enet_port_status_page.h"
#include "resources/port_view_ids.h"
#include "tests/support/page_fixture.h"

namespace {

using ::testing::Contains;
using ::testing::Each;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::Not;

constexpr const char* kPorts = "Physical Ports";

struct Row {
    std::vector<std::string> cells;
    int image;
};

class StatusPageTest : public ::testing::Test {
protected:
    CEnetPortStatusPage& open(int slot, int port, std::vector<sw::SlotPort> selected) {
        m_fixture.select(slot, port, std::move(selected));
        m_fixture.agent().GetTrace().setRecording(true);
        auto* page = new CEnetPortStatusPage;
        m_fixture.openSheet({page});
        m_fixture.settle();
        return *page;
    }
    std::vector<Row> rows() {
        std::vector<Row> out;
        for (const afx::ListRow& r :
             afx::windows().find(m_fixture.control(IDC_STATUS_PORT_LIST))->rows) {
            out.push_back({r.cells, r.image});
        }
        return out;
    }
    std::vector<std::string> leading(std::size_t cells) {
        std::vector<std::string> out;
        for (const Row& r : rows()) {
            std::string text;
            for (std::size_t i = 0; i < cells && i < r.cells.size(); ++i) {
                text += (i ? "/" : "") + r.cells[i];
            }
            out.push_back(text);
        }
        return out;
    }

    test_support::PageFixture m_fixture;
};

TEST_F(StatusPageTest, RoadOfOneChangeFromActivationToTheChangedList) {
    CEnetPortStatusPage& page = open(1, 1, {{1, 1}, {1, 2}, {1, 3}});
    EXPECT_EQ(m_fixture.trace().linesStartingWith("RequestTable").size(), 1u);
    EXPECT_THAT(leading(2), ElementsAre("1/1", "1/2", "1/3"));
    EXPECT_FALSE(m_fixture.enabled(IDC_STATUS_DESCRIPTION));
    EXPECT_FALSE(m_fixture.enabled(IDC_STATUS_ADMIN_STATUS));
    EXPECT_EQ(page.m_loaded, 1);

    m_fixture.trace().clear();
    ASSERT_TRUE(m_fixture.driver().selectRow(kPorts, {"1", "2"}));
    m_fixture.settle();
    EXPECT_THAT(m_fixture.componentCalls(),
                ElementsAre(HasSubstr("SetInstance"), HasSubstr("RequestRow")));
    EXPECT_THAT(m_fixture.componentCalls()[0], HasSubstr("[1.2]"));
    EXPECT_EQ(m_fixture.read("Slot/Port"), "1 / 2");
    EXPECT_EQ(m_fixture.read("Admin Status"), "enabled");
    EXPECT_TRUE(m_fixture.enabled(IDC_STATUS_DESCRIPTION));

    ASSERT_TRUE(m_fixture.driver().type("Description", "Lab printer"));
    ASSERT_TRUE(m_fixture.driver().choose("Admin Status", "disabled"));
    EXPECT_TRUE(page.IsModified());
    m_fixture.trace().clear();
    ASSERT_TRUE(m_fixture.driver().press("Apply"));
    m_fixture.settle();

    const std::vector<std::string> road = m_fixture.componentCalls();
    ASSERT_GE(road.size(), 6u);
    EXPECT_THAT(road[0], HasSubstr("SetInstance"));
    EXPECT_THAT(road[1], HasSubstr("SetString"));
    EXPECT_THAT(road[1], HasSubstr("\"Lab printer\""));
    EXPECT_THAT(road[2], HasSubstr("phyPortAdmStatus, 2"));
    EXPECT_THAT(road[3], HasSubstr("SetReRead"));
    EXPECT_THAT(road[3], HasSubstr(", 0)"));
    EXPECT_THAT(road[4], HasSubstr("SendSet"));
    EXPECT_EQ(m_fixture.trace().linesStartingWith("RequestTable").size(), 1u);
    EXPECT_EQ(m_fixture.switchText("phyPortDescription", 1, 2), "Lab printer");
    EXPECT_EQ(m_fixture.switchInteger("phyPortAdmStatus", 1, 2), 2);

    const std::vector<Row> list = rows();
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[1].cells[3], "disabled");
    EXPECT_EQ(list[1].cells[5], "Lab printer");
    EXPECT_EQ(m_fixture.read("Slot/Port"), "1 / 2");  // the chosen port was read again
    EXPECT_EQ(m_fixture.read("Description"), "Lab printer");
    EXPECT_FALSE(page.IsModified());
}

TEST_F(StatusPageTest, OnePortIsChosenByItselfAndReadOnce) {
    open(1, 1, {{1, 1}});
    ASSERT_EQ(rows().size(), 1u);
    EXPECT_EQ(m_fixture.trace().linesStartingWith("RequestRow").size(), 1u);
    EXPECT_EQ(m_fixture.read("Slot/Port"), "1 / 1");
    EXPECT_EQ(m_fixture.read("Description"), "Uplink to core");
    EXPECT_EQ(
        afx::windows().find(m_fixture.control(IDC_STATUS_PORT_LIST))->rows[0].state & LVIS_SELECTED,
        static_cast<UINT>(LVIS_SELECTED));
    EXPECT_EQ(afx::windows().focus(), m_fixture.control(IDC_STATUS_ADMIN_STATUS));
}

TEST_F(StatusPageTest, ListsOnlySelectedPortsInSlotAndPortOrderWithTheirImages) {
    open(2, 7, {{3, 2}, {1, 10}, {2, 7}, {1, 9}, {1, 2}});
    EXPECT_THAT(leading(2), ElementsAre("1/2", "1/9", "1/10", "2/7", "3/2"));
    for (const Row& row : rows()) {
        const bool up = row.cells[4] == "up";
        EXPECT_EQ(row.image, up ? sw::kIconPortEnabled : sw::kIconPortNotEnabled)
            << row.cells[0] << "/" << row.cells[1];
    }
    EXPECT_EQ(rows()[3].image, sw::kIconPortNotEnabled);  // 2/7 has no link
    EXPECT_EQ(m_fixture.read("Slot/Port"), "");
    EXPECT_FALSE(m_fixture.enabled(IDC_STATUS_ADMIN_STATUS));
}

TEST_F(StatusPageTest, AdminStatusOutsideEnabledAndDisabledIsNeitherShownNorWritten) {
    m_fixture.simulatedSwitch().write("phyPortAdmStatus", {1, 3}, mib::Value::makeInteger(3));
    open(1, 3, {{1, 3}});
    EXPECT_EQ(m_fixture.read("Admin Status"), "");

    ASSERT_TRUE(m_fixture.driver().type("Description", "under test"));
    m_fixture.trace().clear();
    ASSERT_TRUE(m_fixture.driver().press("Apply"));
    m_fixture.settle();
    EXPECT_THAT(m_fixture.trace().linesStartingWith("SetInteger"), IsEmpty());
    EXPECT_EQ(m_fixture.trace().linesStartingWith("SendSet").size(), 1u);
    EXPECT_EQ(m_fixture.switchText("phyPortDescription", 1, 3), "under test");
    EXPECT_EQ(m_fixture.switchInteger("phyPortAdmStatus", 1, 3), 3);
}

TEST_F(StatusPageTest, DescriptionTakesAtMostThirtyOneCharacters) {
    open(1, 1, {{1, 1}});
    const std::string typed(40, 'd');
    const afx::StepResult step = m_fixture.driver().type("Description", typed);
    ASSERT_TRUE(step);
    EXPECT_THAT(step.message, Not(IsEmpty()));
    EXPECT_EQ(m_fixture.read("Description"), std::string(31, 'd'));
    ASSERT_TRUE(m_fixture.driver().press("Apply"));
    m_fixture.settle();
    EXPECT_EQ(m_fixture.switchText("phyPortDescription", 1, 1), std::string(31, 'd'));
}

TEST_F(StatusPageTest, RefusedSetIsReportedChangesNothingAndLeavesNoApplyPending) {
    open(1, 1, {{1, 1}, {1, 2}});
    ASSERT_TRUE(m_fixture.driver().selectRow(kPorts, {"1", "2"}));
    m_fixture.settle();
    ASSERT_TRUE(m_fixture.driver().type("Description", "refused"));
    m_fixture.simulatedSwitch().failNextSet(mib::ErrorStatus::NoAccess);
    m_fixture.driver().expectMessageBox(IDOK, "Error");
    m_fixture.trace().clear();
    ASSERT_TRUE(m_fixture.driver().press("Apply"));
    m_fixture.settle();
    ASSERT_TRUE(m_fixture.driver().verifyAllExpectedShown());
    const auto& shown = m_fixture.driver().shownMessageBoxes();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].style, static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION));
    EXPECT_THAT(shown[0].text, HasSubstr("demo-switch"));
    EXPECT_THAT(m_fixture.trace().linesStartingWith("RequestTable"), IsEmpty());
    EXPECT_EQ(m_fixture.switchText("phyPortDescription", 1, 2), "Port 1/2");
    EXPECT_EQ(rows()[1].cells[5], "Port 1/2");

    // The next row read is an ordinary one, not the end of an apply.
    m_fixture.trace().clear();
    ASSERT_TRUE(m_fixture.driver().selectRow(kPorts, {"1", "1"}));
    m_fixture.settle();
    EXPECT_THAT(m_fixture.trace().linesStartingWith("RequestTable"), IsEmpty());
    EXPECT_EQ(m_fixture.read("Slot/Port"), "1 / 1");
}

TEST_F(StatusPageTest, EveryRefusedApplyIsToldAndLeavesThePageToApplyAgain) {
    CEnetPortStatusPage& page = open(1, 1, {{1, 1}, {1, 2}});
    ASSERT_TRUE(m_fixture.driver().selectRow(kPorts, {"1", "2"}));
    m_fixture.settle();
    ASSERT_TRUE(m_fixture.driver().type("Description", "refused twice"));
    for (int attempt = 1; attempt <= 2; ++attempt) {
        m_fixture.simulatedSwitch().failNextSet(mib::ErrorStatus::NoAccess);
        m_fixture.driver().expectMessageBox(IDOK, "Error");
        ASSERT_TRUE(m_fixture.driver().press("Apply")) << attempt;
        m_fixture.settle();
        ASSERT_TRUE(m_fixture.driver().verifyAllExpectedShown()) << attempt;
        EXPECT_EQ(m_fixture.driver().shownMessageBoxes().size(), static_cast<std::size_t>(attempt));
        EXPECT_TRUE(page.IsModified()) << attempt;
        EXPECT_TRUE(afx::windows().find(m_fixture.sheet().buttonHandle(ID_APPLY_NOW))->enabled);
        EXPECT_EQ(m_fixture.read("Description"), "refused twice");
        EXPECT_EQ(m_fixture.read("Slot/Port"), "1 / 2");
    }
    EXPECT_EQ(m_fixture.switchText("phyPortDescription", 1, 2), "Port 1/2");

    ASSERT_TRUE(m_fixture.driver().press("Apply"));  // the switch takes it now
    m_fixture.settle();
    EXPECT_EQ(m_fixture.switchText("phyPortDescription", 1, 2), "refused twice");
    EXPECT_FALSE(page.IsModified());
}

TEST_F(StatusPageTest, ApplyAfterAFailedRowReadWritesToThePortTheDetailsShow) {
    open(1, 1, {{1, 1}, {1, 2}, {1, 3}});
    const std::string before = m_fixture.switchText("phyPortDescription", 1, 3);
    ASSERT_TRUE(m_fixture.driver().selectRow(kPorts, {"1", "2"}));
    m_fixture.settle();
    m_fixture.transport().failNextRequest(mib::TransportOutcome::Timeout, "no answer");
    m_fixture.driver().expectMessageBox(IDOK, "Error");
    ASSERT_TRUE(m_fixture.driver().selectRow(kPorts, {"1", "3"}));
    m_fixture.settle();
    ASSERT_TRUE(m_fixture.driver().verifyAllExpectedShown());
    EXPECT_EQ(m_fixture.read("Slot/Port"), "1 / 2");

    ASSERT_TRUE(m_fixture.driver().type("Description", "Shown port"));
    m_fixture.trace().clear();
    ASSERT_TRUE(m_fixture.driver().press("Apply"));
    m_fixture.settle();
    EXPECT_EQ(m_fixture.switchText("phyPortDescription", 1, 2), "Shown port");
    EXPECT_EQ(m_fixture.switchText("phyPortDescription", 1, 3), before);
    EXPECT_THAT(m_fixture.trace().linesStartingWith("PDU SET"), Each(HasSubstr(".1.2=")));
    EXPECT_EQ(m_fixture.read("Slot/Port"),
              "1 / 2");  // the list, read again, shows the port written
    EXPECT_EQ(m_fixture.read("Description"), "Shown port");
    EXPECT_EQ(rows()[1].cells[5], "Shown port");
}

TEST_F(StatusPageTest, UnreachableRowStopsTheFillWithAnErrorBox) {
    // The table request is released while the first row is added, as if the data went away.
    m_fixture.select(1, 1, {{1, 1}, {1, 2}, {1, 3}});
    auto* page = new CEnetPortStatusPage;
    m_fixture.openSheet({page});
    test_support::ReleaseRequestsOnFirstRow releaser(*page,
                                                     m_fixture.control(IDC_STATUS_PORT_LIST));
    m_fixture.driver().expectMessageBox(IDOK, "Error", "Unable to access PhyPort record");
    m_fixture.settle();
    ASSERT_TRUE(m_fixture.driver().verifyAllExpectedShown());
    EXPECT_EQ(m_fixture.driver().shownMessageBoxes().at(0).style, static_cast<UINT>(MB_OK));
    EXPECT_EQ(rows().size(), 1u);
    EXPECT_EQ(page->m_loaded, 1);
}

TEST_F(StatusPageTest, RefreshForgetsTheChosenPortAndHelpOpensTheStatusTopic) {
    open(1, 1, {{1, 1}, {1, 2}});
    ASSERT_TRUE(m_fixture.driver().selectRow(kPorts, {"1", "2"}));
    m_fixture.settle();
    ASSERT_TRUE(m_fixture.driver().press("Refresh"));
    m_fixture.settle();
    EXPECT_EQ(m_fixture.read("Slot/Port"), "");
    EXPECT_FALSE(m_fixture.enabled(IDC_STATUS_DESCRIPTION));
    EXPECT_THAT(m_fixture.trace().lines(),
                Contains(HasSubstr("SetReload")).Times(::testing::Ge(2)));

    ASSERT_TRUE(m_fixture.driver().press("Help"));
    EXPECT_EQ(sw::lastHelpTopic().topic, "Ethernet_port_help\\ethernet_port_status_page");
    EXPECT_TRUE(sw::lastHelpTopic().exists);
}

TEST_F(StatusPageTest, ApplyKeepsTheChosenPortAfterTheOperatorSortedOnAHeading) {
    open(1, 1, {{1, 1}, {1, 2}, {2, 1}});
    ASSERT_TRUE(m_fixture.driver().clickColumn(afx::ControlRef::withId(IDC_STATUS_PORT_LIST),
                                               "Description"));
    ASSERT_THAT(leading(2), ElementsAre("1/2", "2/1", "1/1"));
    ASSERT_TRUE(m_fixture.driver().selectRow(kPorts, {"2", "1"}));
    m_fixture.settle();
    ASSERT_TRUE(m_fixture.driver().type("Description", "Edge"));
    ASSERT_TRUE(m_fixture.driver().press("Apply"));
    m_fixture.settle();

    EXPECT_EQ(m_fixture.switchText("phyPortDescription", 2, 1), "Edge");
    EXPECT_THAT(leading(2), ElementsAre("1/1", "1/2", "2/1"));  // the list's own order again
    EXPECT_EQ(m_fixture.read("Slot/Port"), "2 / 1");
    EXPECT_EQ(m_fixture.read("Description"), "Edge");
    EXPECT_EQ(rows()[2].cells[5], "Edge");
    EXPECT_THAT(m_fixture.trace().linesStartingWith("SetInstance"),
                ::testing::Each(HasSubstr("[2.1]")));
}

TEST_F(StatusPageTest, AbsentAndWrongTypedValuesShowEmptyAndReadAsNotUp) {
    static const mib::MibDictionary skewed([] {
        std::vector<mib::MibVariable> variables = mib::MibDictionary::builtin().all();
        for (mib::MibVariable& v : variables) {
            if (v.name == "phyPortMediaType") {
                v.oid.back() = 99;  // the switch has nothing there
            } else if (v.name == "phyPortOperStatus") {
                v.syntax = mib::Syntax::DisplayString;
            }
        }
        return variables;
    }());
    m_fixture.agent().SetDictionary(&skewed);
    open(1, 1, {{1, 1}, {1, 2}});
    ASSERT_EQ(rows().size(), 2u);
    for (const Row& row : rows()) {
        EXPECT_EQ(row.cells[2], "");
        EXPECT_EQ(row.image, sw::kIconPortNotEnabled);
    }
    ASSERT_TRUE(m_fixture.driver().selectRow(kPorts, {"1", "2"}));
    m_fixture.settle();
    EXPECT_EQ(m_fixture.read("Slot/Port"), "1 / 2");
    EXPECT_EQ(m_fixture.read("Admin Status"), "enabled");
    m_fixture.agent().SetDictionary(nullptr);
}

}  // namespace
