// The Statistics page in a sheet over the simulated switch, operated as a person would.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/sw/default_icons.h"
#include "framework/sw/drag_drop_string.h"
#include "framework/sw/help_engine.h"
#include "ports/enet_port_stats_page.h"
#include "ports/enet_port_status_page.h"
#include "resources/port_view_ids.h"
#include "tests/support/page_fixture.h"

namespace {

using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::Not;

// The built-in dictionary where one counter is declared a text and another sits where the
// switch has nothing: what an agent that answers otherwise than expected looks like.
const mib::MibDictionary& skewedDictionary() {
    static const mib::MibDictionary dictionary([] {
        std::vector<mib::MibVariable> variables = mib::MibDictionary::builtin().all();
        for (mib::MibVariable& v : variables) {
            if (v.name == "phyPortFrameIns") {
                v.syntax = mib::Syntax::DisplayString;
            } else if (v.name == "phyPortOutErrDiscs") {
                v.oid.back() = 99;
            }
        }
        return variables;
    }());
    return dictionary;
}

class StatsPageTest : public ::testing::Test {
protected:
    CEnetPortStatsPage& open(std::vector<sw::SlotPort> selected, CHealth* health = nullptr) {
        m_fixture.select(selected.front().slot, selected.front().port, selected);
        m_fixture.agent().GetTrace().setRecording(true);
        auto* page = new CEnetPortStatsPage;
        m_fixture.openSheet({page, new CEnetPortStatusPage});
        if (health) {
            m_fixture.sheet().SetSelection(selected.front().slot, selected.front().port, selected,
                                           test_support::PageFixture::kAgentAddress, health);
        }
        m_fixture.settle();
        return *page;
    }
    HWND control(int id) { return m_fixture.driver().find(afx::ControlRef::withId(id)).hwnd; }
    const std::vector<afx::ListRow>& rows() {
        return afx::windows().find(control(IDC_STATS_LIST))->rows;
    }
    std::vector<std::string> column(std::size_t index) {
        std::vector<std::string> out;
        for (const afx::ListRow& r : rows()) {
            out.push_back(r.cell(index));
        }
        return out;
    }
    bool itemViewEnabled() { return afx::windows().find(control(IDC_STATS_ITEM_VIEW))->enabled; }
    afx::StepResult click(int id) { return m_fixture.driver().click(afx::ControlRef::withId(id)); }
    afx::StepResult chooseRow(int row) {
        return m_fixture.driver().selectRows(afx::ControlRef::withId(IDC_STATS_LIST), {row});
    }
    mib::MibTrace& trace() { return m_fixture.agent().GetTrace(); }
    std::string reloadOf(long h) {
        const auto lines = trace().linesStartingWith("SetReload(" + std::to_string(h) + ",");
        return lines.empty() ? "none" : lines.back();
    }
    CNxListCtrl& list() {
        return *dynamic_cast<CNxListCtrl*>(CWnd::FromHandlePermanent(control(IDC_STATS_LIST)));
    }
    void addEthernetStatsRow(std::uint32_t index, std::uint32_t octets) {
        auto& sw = m_fixture.simulatedSwitch();
        ASSERT_TRUE(sw.write("etherStatsIndex", {index}, mib::Value::makeInteger(index)));
        ASSERT_TRUE(sw.write("etherStatsOctets", {index}, mib::Value::makeCounter32(octets)));
    }

    test_support::PageFixture m_fixture;
};

TEST_F(StatsPageTest, TableViewListsSelectedPortsInOrderWithHealthImages) {
    CHealth health;
    health.SetPortEnabled(1, 10, TRUE);
    open({{3, 2}, {1, 10}, {1, 9}}, &health);
    EXPECT_THAT(column(0), ElementsAre("1", "1", "3"));
    EXPECT_THAT(column(1), ElementsAre("9", "10", "2"));
    EXPECT_EQ(rows()[0].image, sw::kIconPortNotEnabled);
    EXPECT_EQ(rows()[1].image, sw::kIconPortEnabled);
    const afx::WindowRecord* record = afx::windows().find(control(IDC_STATS_LIST));
    ASSERT_EQ(record->columns.size(), 14u);
    EXPECT_EQ(record->columns[8].heading, "NonUCastPktsIn");
    EXPECT_EQ(record->columns[8].width, 100);
    EXPECT_EQ(record->columns[8].format, LVCFMT_RIGHT);
    EXPECT_FALSE(itemViewEnabled());
}

TEST_F(StatsPageTest, OnePhysicalPortIsReadAsOneRow) {
    open({{1, 9}});
    EXPECT_THAT(trace().linesStartingWith("RequestTable"), IsEmpty());
    EXPECT_THAT(trace().linesStartingWith("SetInstance"), ElementsAre(HasSubstr("[1.9]")));
    EXPECT_THAT(column(1), ElementsAre("9"));
}

TEST_F(StatsPageTest, EthernetIndexSplitsIntoSlotAndPortAndTheItemViewReadsItBack) {
    addEthernetStatsRow(5012, 4242);
    CEnetPortStatsPage& page = open({{1, 1}, {5, 12}});
    ASSERT_TRUE(click(IDC_STATS_ETHERNET));
    m_fixture.settle();
    EXPECT_THAT(column(0), ElementsAre("1", "5"));
    EXPECT_THAT(column(1), ElementsAre("1", "12"));
    EXPECT_FALSE(itemViewEnabled());

    ASSERT_TRUE(chooseRow(1));
    EXPECT_TRUE(itemViewEnabled());
    trace().clear();
    ASSERT_TRUE(click(IDC_STATS_ITEM_VIEW));
    m_fixture.settle();
    const std::string h = std::to_string(page.requestOf(CEnetPortStatsPage::kEthernetStats));
    EXPECT_THAT(trace().linesStartingWith("SetInstance"),
                ElementsAre("SetInstance(" + h + ", [5012])"));
    ASSERT_EQ(rows().size(), 19u);
    EXPECT_THAT(rows()[0].cells, ElementsAre("Slot", "5"));
    EXPECT_THAT(rows()[1].cells, ElementsAre("Port", "12"));
    EXPECT_THAT(rows()[2].cells, ElementsAre("Octets", "4242"));
    EXPECT_EQ(rows()[2].image, sw::kIconCounter);
    const afx::WindowRecord* record = afx::windows().find(control(IDC_STATS_LIST));
    EXPECT_EQ(record->columns[0].heading, "             Item            ");
    EXPECT_EQ(record->columns[1].heading, " Value ");
    EXPECT_EQ(record->columns[1].width, 100);

    sw::DragDropFields fields;
    ASSERT_TRUE(sw::parseDragDropString(list().BeginDrag(2).str(), fields));
    EXPECT_EQ(fields.variable, "etherStatsOctets");
    EXPECT_EQ(fields.value, "4242");
    EXPECT_THAT(fields.index, ElementsAre("5012"));
    EXPECT_EQ(fields.label, "Octets");
    EXPECT_EQ(fields.source, "Ethernet");
    EXPECT_EQ(fields.slot, 5);
    EXPECT_EQ(fields.port, 12);
    EXPECT_EQ(fields.agent, test_support::PageFixture::kAgentAddress);

    // Back to the physical counters: table view again, no chosen row.
    ASSERT_TRUE(click(IDC_STATS_PHYSICAL));
    m_fixture.settle();
    EXPECT_FALSE(itemViewEnabled());
    EXPECT_EQ(afx::windows().find(control(IDC_STATS_TABLE_VIEW))->check, BST_CHECKED);
    EXPECT_EQ(rows().size(), 1u);  // 5/12 is no physical port of this switch
}

TEST_F(StatsPageTest, ReloadIsAskedForATableShownBeforeButNotAfterRefresh) {
    CEnetPortStatsPage& page = open({{1, 1}, {1, 2}});
    const long physical = page.requestOf(CEnetPortStatsPage::kPhysicalPortStats);
    const long ethernet = page.requestOf(CEnetPortStatsPage::kEthernetStats);
    EXPECT_THAT(reloadOf(physical), HasSubstr(", 0)"));
    ASSERT_TRUE(click(IDC_STATS_ETHERNET));
    m_fixture.settle();
    EXPECT_THAT(reloadOf(ethernet), HasSubstr(", 0)"));
    ASSERT_TRUE(click(IDC_STATS_PHYSICAL));
    m_fixture.settle();
    EXPECT_THAT(reloadOf(physical), HasSubstr(", 1)"));

    ASSERT_TRUE(m_fixture.driver().press("Refresh"));
    m_fixture.settle();
    EXPECT_THAT(reloadOf(physical), HasSubstr(", 0)"));
    ASSERT_TRUE(click(IDC_STATS_ETHERNET));
    m_fixture.settle();
    EXPECT_THAT(reloadOf(ethernet), HasSubstr(", 0)"));
}

TEST_F(StatsPageTest, PollsTheShownTableWhileActiveAndStopsBothOnDeactivation) {
    CEnetPortStatsPage& page = open({{1, 9}, {1, 10}});
    ASSERT_TRUE(chooseRow(0));
    const std::string before = rows()[0].cell(2);
    m_fixture.advance(5000);
    EXPECT_NE(rows()[0].cell(2), before);  // port 1/9 moves 500 frames a second
    EXPECT_EQ(rows()[0].state & LVIS_SELECTED, static_cast<UINT>(LVIS_SELECTED));

    trace().clear();
    m_fixture.sheet().SetActivePage(1);
    m_fixture.settle();
    for (int kind : {CEnetPortStatsPage::kPhysicalPortStats, CEnetPortStatsPage::kEthernetStats}) {
        EXPECT_THAT(trace().lines(),
                    Contains("StopPolling(" + std::to_string(page.requestOf(kind)) + ")"));
    }
    const int handled = m_fixture.transport().handledCount();
    m_fixture.advance(20000);
    EXPECT_EQ(m_fixture.transport().handledCount(), handled);
}

TEST_F(StatsPageTest, TextCounterAndAbsentCounterShowAsSuchWithoutFailing) {
    m_fixture.agent().SetDictionary(&skewedDictionary());
    open({{1, 9}, {1, 10}});
    EXPECT_EQ(column(13), std::vector<std::string>({"", ""}));  // phyPortOutErrDiscs
    ASSERT_TRUE(chooseRow(0));
    ASSERT_TRUE(click(IDC_STATS_ITEM_VIEW));
    m_fixture.settle();
    ASSERT_EQ(rows().size(), 14u);
    EXPECT_EQ(rows()[2].cell(0), "Frames In");
    EXPECT_EQ(rows()[2].image, sw::kIconTextItem);
    EXPECT_THAT(list().BeginDrag(2).str(), IsEmpty());
    EXPECT_EQ(rows()[13].cell(1), "");
    EXPECT_THAT(list().BeginDrag(3).str(), Not(IsEmpty()));
    m_fixture.agent().SetDictionary(nullptr);
}

TEST_F(StatsPageTest, UnreachableRowShowsTheDatabaseMessageAndHelpOpensTheTopic) {
    m_fixture.select(1, 1, {{1, 1}, {1, 2}});
    auto* page = new CEnetPortStatsPage;
    m_fixture.openSheet({page});
    test_support::ReleaseRequestsOnFirstRow releaser(*page, control(IDC_STATS_LIST));
    m_fixture.driver().expectMessageBox(IDOK, afx::applicationName(),
                                        "Unable to access database record");
    m_fixture.settle();
    ASSERT_TRUE(m_fixture.driver().verifyAllExpectedShown());
    EXPECT_EQ(m_fixture.driver().shownMessageBoxes().at(0).style, static_cast<UINT>(MB_OK));
    EXPECT_EQ(rows().size(), 1u);

    ASSERT_TRUE(m_fixture.driver().press("Help"));
    EXPECT_EQ(sw::lastHelpTopic().topic, "Ethernet_port_help\\ethernet_port_stats_page");
    EXPECT_TRUE(sw::lastHelpTopic().exists);
}

TEST_F(StatsPageTest, OnePhysicalPortIsPolledAsOneRowFromActivationAndAfterAKindSwitch) {
    // The first reading goes out before polling starts, so polling repeats that single-row
    // read instead of walking the whole table beside it.
    const auto pdus = [this] {
        std::vector<std::string> out;
        for (const std::string& line : trace().lines()) {
            if (line.rfind("PDU ", 0) == 0) {
                out.push_back(line.substr(0, line.find(' ', 4)));
            }
        }
        return out;
    };
    open({{1, 9}});
    m_fixture.advance(11'000);
    EXPECT_GE(pdus().size(), 2u);
    EXPECT_THAT(pdus(), ::testing::Each("PDU GET"));

    ASSERT_TRUE(click(IDC_STATS_ETHERNET));
    m_fixture.settle();
    ASSERT_TRUE(click(IDC_STATS_PHYSICAL));
    trace().clear();
    m_fixture.advance(11'000);
    EXPECT_GE(pdus().size(), 2u);
    EXPECT_THAT(pdus(), ::testing::Each("PDU GET"));
    EXPECT_THAT(column(1), ElementsAre("9"));
}

TEST_F(StatsPageTest, ChosenPortStaysChosenThroughReadingsAfterTheOperatorSortedOnAHeading) {
    open({{1, 9}, {1, 10}, {2, 1}});
    ASSERT_TRUE(
        m_fixture.driver().clickColumn(afx::ControlRef::withId(IDC_STATS_LIST), "FramesIn"));
    ASSERT_EQ(rows()[0].cell(0) + "/" + rows()[0].cell(1), "2/1");  // fewest frames in
    ASSERT_TRUE(chooseRow(0));
    m_fixture.advance(5000);  // a polled reading refills the list in slot and port order
    std::vector<std::string> selected;
    for (const afx::ListRow& r : rows()) {
        if (r.state & LVIS_SELECTED) {
            selected.push_back(r.cell(0) + "/" + r.cell(1));
        }
    }
    EXPECT_THAT(selected, ElementsAre("2/1"));

    ASSERT_TRUE(click(IDC_STATS_ITEM_VIEW));
    m_fixture.settle();
    EXPECT_THAT(trace().linesStartingWith("SetInstance").back(), HasSubstr("[2.1]"));
    EXPECT_THAT(rows()[0].cells, ElementsAre("Slot", "2"));
    EXPECT_THAT(rows()[1].cells, ElementsAre("Port", "1"));
}

}  // namespace
