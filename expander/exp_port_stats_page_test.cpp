// The expander Statistics page in a sheet over the simulated switch (expander in slot 5,
// two banks of 12 ports), operated as a person would.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "expander/exp_port_stats_page.h"
#include "framework/sw/default_icons.h"
#include "framework/sw/drag_drop_string.h"
#include "framework/sw/help_engine.h"
#include "resources/exp_port_stats_ids.h"
#include "tests/support/page_fixture.h"

namespace {

using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::MatchesRegex;

// The built-in dictionary with the bank table moved where the switch has nothing: a
// repeater that reports no banks.
const mib::MibDictionary& dictionaryWithoutBanks() {
    static const mib::MibDictionary dictionary([] {
        std::vector<mib::MibVariable> variables = mib::MibDictionary::builtin().all();
        for (mib::MibVariable& v : variables) {
            if (v.name.rfind("rptrMonitorGroup", 0) == 0) {
                v.oid[v.oid.size() - 3] = 77;
            }
        }
        return variables;
    }());
    return dictionary;
}

class ExpStatsPageTest : public ::testing::Test {
protected:
    CExpPortStatsPage& open() {
        m_fixture.select(5, 1, {{5, 1}});
        m_fixture.agent().GetTrace().setRecording(true);
        auto* page = new CExpPortStatsPage;
        m_fixture.openSheet({page, new CExpPortStatsPage});
        m_fixture.settle();
        return *page;
    }
    HWND control(int id) { return m_fixture.driver().find(afx::ControlRef::withId(id)).hwnd; }
    const afx::WindowRecord& listRecord() {
        return *afx::windows().find(control(IDC_EXP_STATS_LIST));
    }
    const std::vector<afx::ListRow>& rows() { return listRecord().rows; }
    std::vector<std::string> column(std::size_t index) {
        std::vector<std::string> out;
        for (const afx::ListRow& r : rows()) {
            out.push_back(r.cell(index));
        }
        return out;
    }
    bool itemViewEnabled() {
        return afx::windows().find(control(IDC_EXP_STATS_ITEM_VIEW))->enabled;
    }
    void click(int id) {
        ASSERT_TRUE(m_fixture.driver().click(afx::ControlRef::withId(id)));
        m_fixture.settle();
    }
    void chooseRow(int row) {
        ASSERT_TRUE(
            m_fixture.driver().selectRows(afx::ControlRef::withId(IDC_EXP_STATS_LIST), {row}));
    }
    sw::DragDropFields drag(int row) {
        auto* list =
            dynamic_cast<CNxListCtrl*>(CWnd::FromHandlePermanent(control(IDC_EXP_STATS_LIST)));
        sw::DragDropFields fields;
        EXPECT_TRUE(sw::parseDragDropString(list->BeginDrag(row).str(), fields));
        return fields;
    }
    mib::MibTrace& trace() { return m_fixture.agent().GetTrace(); }
    std::string h(const CExpPortStatsPage& page, int kind) {
        return std::to_string(page.requestOf(kind));
    }

    test_support::PageFixture m_fixture;
};

TEST_F(ExpStatsPageTest, BanksFirstThenPortsWithPollingMovedToTheShownTable) {
    CExpPortStatsPage& page = open();
    EXPECT_THAT(column(0), ElementsAre("1", "2"));
    ASSERT_EQ(listRecord().columns.size(), 4u);
    EXPECT_EQ(listRecord().columns[1].heading, "TotalFrames");
    EXPECT_EQ(rows()[0].image, sw::kIconBank);
    EXPECT_FALSE(itemViewEnabled());
    const std::string bank = h(page, CExpPortStatsPage::kBankStats);
    EXPECT_THAT(trace().lines(), Contains("StartPolling(" + bank + ", 1)"));

    trace().clear();
    click(IDC_EXP_STATS_PORT);
    const std::string port = h(page, CExpPortStatsPage::kPortStats);
    EXPECT_THAT(trace().lines(), Contains("StopPolling(" + bank + ")"));
    EXPECT_THAT(trace().lines(), Contains("StartPolling(" + port + ", 1)"));
    ASSERT_EQ(rows().size(), 24u);
    ASSERT_EQ(listRecord().columns.size(), 14u);
    EXPECT_EQ(listRecord().columns[12].heading, "DataRateMisMatch");
    EXPECT_EQ(rows()[13].cell(0) + "/" + rows()[13].cell(1), "2/2");
    EXPECT_EQ(rows()[13].image, sw::kIconPortEnabled);

    // polled readings of the port table move the counters; the bank table is left alone
    const std::string before = rows()[0].cell(2);
    trace().clear();
    m_fixture.advance(5000);
    EXPECT_NE(rows()[0].cell(2), before);
    EXPECT_THAT(trace().linesStartingWith("RequestTable(" + bank), IsEmpty());

    click(IDC_EXP_STATS_ERRORS);
    ASSERT_EQ(listRecord().columns.size(), 3u);
    EXPECT_EQ(listRecord().columns[2].heading, "ReadableFrames");
    click(IDC_EXP_STATS_PORT);
    EXPECT_THAT(trace().linesStartingWith("SetReload(" + port).back(), HasSubstr(", 1)"));

    m_fixture.sheet().SetActivePage(1);
    m_fixture.settle();
    for (int kind : {0, 1, 2}) {
        EXPECT_THAT(trace().lines(), Contains("StopPolling(" + h(page, kind) + ")"));
    }
}

TEST_F(ExpStatsPageTest, PortItemViewReadsBankAndPortAndDragsWithTheConsolePortNumber) {
    CExpPortStatsPage& page = open();
    click(IDC_EXP_STATS_PORT);
    chooseRow(14);  // bank 2, port 3
    EXPECT_TRUE(itemViewEnabled());
    trace().clear();
    click(IDC_EXP_STATS_ITEM_VIEW);
    EXPECT_THAT(
        trace().linesStartingWith("SetRowIndex"),
        ElementsAre("SetRowIndex(" + h(page, CExpPortStatsPage::kPortStats) + ", [\"2\", \"3\"])"));
    ASSERT_EQ(rows().size(), 14u);
    EXPECT_EQ(listRecord().columns[0].heading, "           Item        ");
    EXPECT_EQ(listRecord().columns[1].heading, "     Value ");
    EXPECT_THAT(rows()[0].cells, ElementsAre("Bank", "2"));
    EXPECT_THAT(rows()[1].cells, ElementsAre("Port", "3"));
    EXPECT_EQ(rows()[6].cell(0), "Frame Too Long");
    EXPECT_EQ(rows()[2].image, sw::kIconCounter);

    const sw::DragDropFields fields = drag(2);
    EXPECT_EQ(fields.variable, "rptrMonitorPortReadableFrames");
    EXPECT_EQ(fields.value, rows()[2].cell(1));
    EXPECT_THAT(fields.index, ElementsAre("2", "3"));
    EXPECT_EQ(fields.label, "Readable Frames");
    EXPECT_EQ(fields.source, "TarvoPort");
    EXPECT_EQ(fields.slot, 5);
    EXPECT_EQ(fields.port, 15);  // (2 - 1) x 12 + 3

    // choosing in the item view changes nothing; a kind switch forgets the chosen row
    chooseRow(5);
    EXPECT_EQ(page.chosenIndexTexts().GetSize(), 2);
    EXPECT_EQ(page.chosenIndexTexts().GetAt(1), "3");
    click(IDC_EXP_STATS_BANK);
    EXPECT_FALSE(itemViewEnabled());
    EXPECT_EQ(page.view(), CSwTableItemPage::kTableView);
}

TEST_F(ExpStatsPageTest, BankItemViewReadsTheOneElementIndex) {
    CExpPortStatsPage& page = open();
    chooseRow(1);
    trace().clear();
    click(IDC_EXP_STATS_ITEM_VIEW);
    EXPECT_THAT(
        trace().linesStartingWith("SetRowIndex"),
        ElementsAre("SetRowIndex(" + h(page, CExpPortStatsPage::kBankStats) + ", [\"2\"])"));
    EXPECT_THAT(column(0), ElementsAre("Bank", "Total Frames", "Total Octets", "Total Errors"));
    const sw::DragDropFields fields = drag(1);
    EXPECT_THAT(fields.index, ElementsAre("2"));
    EXPECT_EQ(fields.port, 0);
    EXPECT_EQ(CExpPortStatsPage::ConsolePortNumber(1, 12), 12);
    EXPECT_EQ(CExpPortStatsPage::ConsolePortNumber(2, 1), 13);
}

TEST_F(ExpStatsPageTest, CountersWrapAtTheirTypeWithoutANegativeValue) {
    ASSERT_TRUE(m_fixture.simulatedSwitch().write("rptrMonitorGroupTotalFrames", {1},
                                                  mib::Value::makeCounter32(4294967000u)));
    open();
    EXPECT_EQ(rows()[0].cell(1), "4294967000");
    m_fixture.advance(5000);  // bank 1 moves 156 frames a second
    EXPECT_EQ(rows()[0].cell(1), "484");
    for (const std::string& cell : column(3)) {
        EXPECT_THAT(cell, MatchesRegex("[0-9]+"));
    }
}

TEST_F(ExpStatsPageTest, ARepeaterWithoutBanksShowsAnEmptyListAndKeepsPollingQuietly) {
    m_fixture.agent().SetDictionary(&dictionaryWithoutBanks());
    open();
    EXPECT_THAT(rows(), IsEmpty());
    EXPECT_EQ(listRecord().columns.size(), 4u);
    const int handled = m_fixture.transport().handledCount();
    m_fixture.advance(20'000);
    EXPECT_LE(m_fixture.transport().handledCount() - handled, 8);  // a walk per period
    EXPECT_THAT(m_fixture.driver().shownMessageBoxes(), IsEmpty());
    click(IDC_EXP_STATS_PORT);
    EXPECT_EQ(rows().size(), 24u);
    m_fixture.agent().SetDictionary(nullptr);
}

TEST_F(ExpStatsPageTest, AFailedReadEmptiesTheListUnderItsHeadingsAndIsToldOnce) {
    CExpPortStatsPage& page = open();
    ASSERT_EQ(rows().size(), 2u);
    m_fixture.simulatedSwitch().stopAnsweringFor(60'000);
    m_fixture.driver().expectMessageBox(IDOK, "Error");
    m_fixture.advance(40'000);
    EXPECT_THAT(rows(), IsEmpty());
    EXPECT_EQ(listRecord().columns.size(), 4u);
    EXPECT_EQ(page.m_loaded, 0);
    EXPECT_EQ(m_fixture.driver().shownMessageBoxes().size(), 1u);
}

TEST_F(ExpStatsPageTest, UnreachableRowShowsTheTarvoportMessageAndHelpOpensTheTopic) {
    m_fixture.select(5, 1, {{5, 1}});
    auto* page = new CExpPortStatsPage;
    m_fixture.openSheet({page});
    test_support::ReleaseRequestsOnFirstRow releaser(*page, control(IDC_EXP_STATS_LIST));
    m_fixture.driver().expectMessageBox(IDOK, "Error", "Unable to access tarvoport record");
    m_fixture.settle();
    ASSERT_TRUE(m_fixture.driver().verifyAllExpectedShown());
    EXPECT_EQ(m_fixture.driver().shownMessageBoxes().at(0).style, static_cast<UINT>(MB_OK));
    EXPECT_EQ(rows().size(), 1u);

    ASSERT_TRUE(m_fixture.driver().press("Help"));
    EXPECT_EQ(sw::lastHelpTopic().topic, "TarvoPort_Help\\TarvoPort_Statistics_Page");
    EXPECT_TRUE(sw::lastHelpTopic().exists);
}

}  // namespace
