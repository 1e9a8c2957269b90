// Port lists: the order the pages show, rows found again by slot and port, and which list
// changes count as the operator choosing a row.

#include "framework/sw/list_rows.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/page_fixture.h"

namespace {

class ListRowsTest : public testing::Test {
protected:
    ListRowsTest() {
        m_parent.Create(nullptr, "parent", 0, CRect(), nullptr, 0);
        m_list.Attach(afx::windows().create(afx::WindowClass::ListView, m_parent.m_hWnd, 100, "",
                                            afx::style::kReport, CRect()));
        CStringArray headings;
        headings.Add("Slot");
        headings.Add("Port");
        m_list.m_bMultiSelect = TRUE;
        m_list.SetColumnHdgs(&headings, nullptr, nullptr);
        // As a table arrives: in no useful order, ports compared as text would put 10 first.
        for (const auto& [slot, port] :
             {std::pair{"2", "10"}, {"1", "3"}, {"2", "9"}, {"1", "12"}}) {
            CStringArray row;
            row.Add(slot);
            row.Add(port);
            m_list.AddItem(&row);
        }
    }
    ~ListRowsTest() override { afx::windows().destroy(m_list.Detach()); }

    std::vector<sw::SlotPort> shown() {
        std::vector<sw::SlotPort> out;
        for (int row = 0; row < m_list.GetItemCount(); ++row) {
            out.push_back(sw::portOfRow(m_list, row));
        }
        return out;
    }

    CWnd m_parent;
    CSwListCtrl m_list;
};

TEST_F(ListRowsTest, SortsBySlotThenPortAsNumbers) {
    sw::sortBySlotAndPort(m_list);
    EXPECT_EQ(shown(), (std::vector<sw::SlotPort>{{1, 3}, {1, 12}, {2, 9}, {2, 10}}));
}

TEST_F(ListRowsTest, FindsAPortAgainAfterTheListWasReorderedAndKnowsWhatIsSelected) {
    m_list.SelectItem(sw::rowOfPort(m_list, 2, 9), TRUE);
    m_list.SelectItem(sw::rowOfPort(m_list, 1, 12), TRUE);
    sw::sortBySlotAndPort(m_list);
    EXPECT_EQ(sw::rowOfPort(m_list, 2, 9), 2);
    EXPECT_EQ(sw::rowOfPort(m_list, 9, 2), -1);
    EXPECT_EQ(sw::rowOfPort(m_list, 1, 1), -1);  // "12" does not answer for port 1
    EXPECT_EQ(sw::selectedPorts(m_list), (std::vector<sw::SlotPort>{{1, 12}, {2, 9}}));
}

// A list filled from the demo switch's physical port table, as the port pages fill theirs.
TEST(FillListFromTable, ShowsTheRowsTheCallerKeepsWithTheirImagesAndAdjustedCells) {
    test_support::PageFixture fixture;
    CMibComm comm;
    comm.SetAgent(&fixture.agent());
    CListData columns;
    columns.Add("Slot", 34, 'R', "phyPortSlot", "");
    columns.Add("Port", 34, 'R', "phyPortIF", "");
    columns.Add("Description", 100, 'L', "phyPortDescription", "");
    const long h = comm.OpenListRequest(0, "phyPortTable", columns.GetVarList());
    ASSERT_TRUE(comm.RequestTable(h));
    fixture.settle();
    ASSERT_GT(comm.GetRowCount(h), 4);
    {
        CWnd parent;
        parent.Create(nullptr, "parent", 0, CRect(), nullptr, 0);
        CSwListCtrl list;
        list.Attach(afx::windows().create(afx::WindowClass::ListView, parent.m_hWnd, 100, "",
                                          afx::style::kReport, CRect()));
        list.AddItem(nullptr);  // what a previous fill left goes
        int seen = 0;
        const bool complete = sw::fillListFromTable(
            list, comm, h, columns,
            [&]() -> int {
                const long port = comm.GetInteger(h, "phyPortIF");
                ++seen;
                return comm.GetInteger(h, "phyPortSlot") == 1 && port <= 2
                           ? 10 + static_cast<int>(port)
                           : -1;
            },
            [](CStringArray& texts) { texts.SetAt(2, "seen"); });
        EXPECT_TRUE(complete);
        EXPECT_EQ(seen, comm.GetRowCount(h)) << "every row is offered";
        const afx::WindowRecord& shown = *afx::windows().find(list.m_hWnd);
        ASSERT_EQ(shown.rows.size(), 2u);
        EXPECT_EQ(shown.columns.size(), 3u);
        EXPECT_EQ(shown.rows[1].cells, (std::vector<std::string>{"1", "2", "seen"}));
        EXPECT_EQ(shown.rows[0].image, 11);
        EXPECT_EQ(shown.rows[1].image, 12);
        afx::windows().destroy(list.Detach());
    }
    comm.SetAgent(nullptr);
}

struct SelectionCase {
    int item;
    UINT oldState;
    UINT newState;
    bool becameSelected;
    bool isSelected;
};

class RowSelectionChange : public testing::TestWithParam<SelectionCase> {};

TEST_P(RowSelectionChange, TellsARowTheOperatorChoseFromOtherChanges) {
    const SelectionCase& c = GetParam();
    NMLISTVIEW change{};
    change.iItem = c.item;
    change.uOldState = c.oldState;
    change.uNewState = c.newState;
    EXPECT_EQ(sw::rowBecameSelected(change), c.becameSelected);
    EXPECT_EQ(sw::rowIsSelected(change), c.isSelected);
}

INSTANTIATE_TEST_SUITE_P(ListChanges, RowSelectionChange,
                         testing::Values(SelectionCase{3, 0, LVIS_SELECTED, true, true},
                                         SelectionCase{3, LVIS_SELECTED,
                                                       LVIS_SELECTED | LVIS_FOCUSED, false, true},
                                         SelectionCase{3, LVIS_SELECTED, 0, false, false},
                                         SelectionCase{3, 0, LVIS_FOCUSED, false, false},
                                         SelectionCase{-1, 0, LVIS_SELECTED, false, false}));

}  // namespace
