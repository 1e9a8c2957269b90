#include "framework/sw/sw_list_ctrl.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace {

// A parent that records the list's notifications and offers drag strings.
class ListParent : public CWnd, public sw::DragSource {
public:
    std::vector<NMLISTVIEW> changes;
    CString dragStringForRow(int row) override { return CString("row ") + std::to_string(row); }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_NOTIFY) {
            const auto* nm = reinterpret_cast<const NMLISTVIEW*>(lParam);
            if (nm->hdr.code == LVN_ITEMCHANGED) {
                changes.push_back(*nm);
            }
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

class ListCtrlTest : public testing::Test {
protected:
    ListCtrlTest() {
        parent.Create(nullptr, "parent", 0, CRect(), nullptr, 0);
        list.Attach(afx::windows().create(afx::WindowClass::ListView, parent.m_hWnd, 100, "",
                                          afx::style::kReport, CRect()));
        CStringArray headings;
        headings.Add("Slot");
        headings.Add("Port");
        headings.Add("Name");
        list.SetColumnHdgs(&headings, nullptr, nullptr);
    }
    ~ListCtrlTest() override { afx::windows().destroy(list.Detach()); }
    void add(const char* slot, const char* port, const char* name = "") {
        CStringArray row;
        row.Add(slot);
        row.Add(port);
        row.Add(name);
        list.AddItem(&row);
    }
    std::vector<std::string> column(int c) {
        std::vector<std::string> out;
        for (int r = 0; r < list.GetItemCount(); ++r) {
            out.push_back(list.GetColumnText(r, c).str());
        }
        return out;
    }

    ListParent parent;
    CSwListCtrl list;
};

TEST_F(ListCtrlTest, PortThenSlotSortGivesSlotOrderWithPortsAscendingWhateverTheArrival) {
    std::vector<std::pair<int, int>> ports;
    for (int slot : {1, 2, 10, 12}) {
        for (int port : {1, 2, 9, 10, 11, 24}) {
            ports.push_back({slot, port});
        }
    }
    std::mt19937 random(7);
    for (int round = 0; round < 5; ++round) {
        std::shuffle(ports.begin(), ports.end(), random);
        list.DeleteAllItems();
        for (const auto& [slot, port] : ports) {
            add(std::to_string(slot).c_str(), std::to_string(port).c_str());
        }
        list.SortOnColumn(1, 1);
        list.SortOnColumn(0, 1);
        std::vector<std::pair<int, int>> shown;
        for (int r = 0; r < list.GetItemCount(); ++r) {
            shown.push_back({atoi(list.GetColumnText(r, 0)), atoi(list.GetColumnText(r, 1))});
        }
        auto expected = ports;
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(shown, expected);
    }
}

TEST_F(ListCtrlTest, TextsAndNumbersAndDescendingOrderAndReSort) {
    add("1", "x", "beta");
    add("1", "y", "Alpha");
    add("1", "z", "10 Mbps");
    add("1", "w", "9 Mbps");
    list.SortOnColumn(2, 1);
    EXPECT_EQ(column(2), (std::vector<std::string>{"9 Mbps", "10 Mbps", "Alpha", "beta"}));
    list.SortOnColumn(2, 0);
    EXPECT_EQ(column(2), (std::vector<std::string>{"beta", "Alpha", "10 Mbps", "9 Mbps"}));
    add("1", "v", "5 Mbps");
    list.ReSort();
    EXPECT_EQ(column(2).back(), "5 Mbps");
}

TEST_F(ListCtrlTest, HeadingClickSortsOnlyInTableMode) {
    add("3", "1");
    add("2", "1");
    list.m_bTableMode = FALSE;
    ASSERT_TRUE(afx::operatorClickColumn(list.m_hWnd, 0));
    EXPECT_EQ(column(0), (std::vector<std::string>{"3", "2"}));
    list.m_bTableMode = TRUE;
    afx::operatorClickColumn(list.m_hWnd, 0);
    EXPECT_EQ(column(0), (std::vector<std::string>{"2", "3"}));
    afx::operatorClickColumn(list.m_hWnd, 0);  // again: reversed
    EXPECT_EQ(column(0), (std::vector<std::string>{"3", "2"}));
}

TEST_F(ListCtrlTest, SelectionNotifiesAndFollowsTheMultiSelectOption) {
    for (int i = 0; i < 3; ++i) {
        add("1", std::to_string(i + 1).c_str());
    }
    list.SelectItem(0, TRUE);
    ASSERT_FALSE(parent.changes.empty());
    EXPECT_EQ(parent.changes.back().iItem, 0);
    EXPECT_TRUE(parent.changes.back().uNewState & LVIS_SELECTED);
    list.SelectItem(2, TRUE);
    CUIntArray rows;
    EXPECT_EQ(list.GetSelectedItems(&rows), 1);  // single selection by default
    EXPECT_EQ(rows[0], 2u);

    list.m_bMultiSelect = TRUE;
    add("1", "4");  // the option applies when the list is filled
    list.SelectItem(0, TRUE);
    EXPECT_EQ(list.GetSelectedItems(&rows), 2);
    list.DeSelectItem();
    EXPECT_EQ(list.GetSelectedItems(nullptr), 0);
}

TEST_F(ListCtrlTest, ItemModeRowsAreDraggedWithTheParentsText) {
    add("1", "1");
    list.m_nItemImage = 15;
    add("1", "2");
    EXPECT_EQ(list.GetItemImage(1), 15);
    EXPECT_EQ(list.BeginDrag(1), "");  // not in item mode
    list.m_bItemMode = TRUE;
    EXPECT_EQ(list.BeginDrag(1), "row 1");
    EXPECT_EQ(list.BeginDrag(5), "");
}

}  // namespace
