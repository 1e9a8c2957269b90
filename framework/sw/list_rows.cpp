#include "framework/sw/list_rows.h"

#include "framework/afx/ddx.h"

namespace sw {

int rowWithLeadingNumbers(CNxListCtrl& list, long first, long second) {
    for (int row = 0; row < list.GetItemCount(); ++row) {
        if (afx::leadingNumber(list.GetColumnText(row, 0)) == first &&
            afx::leadingNumber(list.GetColumnText(row, 1)) == second) {
            return row;
        }
    }
    return -1;
}

int rowOfPort(CNxListCtrl& list, int slot, int port) {
    return rowWithLeadingNumbers(list, slot, port);
}

SlotPort portOfRow(CNxListCtrl& list, int row) {
    return {static_cast<int>(afx::leadingNumber(list.GetColumnText(row, 0))),
            static_cast<int>(afx::leadingNumber(list.GetColumnText(row, 1)))};
}

std::vector<SlotPort> selectedPorts(CNxListCtrl& list) {
    CUIntArray rows;
    list.GetSelectedItems(&rows);
    std::vector<SlotPort> ports;
    for (UINT row : rows) {
        ports.push_back(portOfRow(list, static_cast<int>(row)));
    }
    return ports;
}

bool fillListFromTable(CNxListCtrl& list, CMibComm& comm, long request, CListData& columns,
                       const std::function<int()>& imageOfRow,
                       const std::function<void(CStringArray&)>& adjust) {
    list.ClearCtrl();
    list.SetColumnHdgs(columns.GetColumnHdgs(), columns.GetColumnWidths(),
                       columns.GetColumnJustify());
    const long rows = comm.GetRowCount(request);
    const int variables = columns.GetVarCount();
    for (long r = 0; r < rows; ++r) {
        if (!comm.GotoRow(request, r)) {
            return false;
        }
        const int image = imageOfRow();
        if (image < 0) {
            continue;
        }
        list.m_nItemImage = image;
        CStringArray texts;
        for (int i = 0; i < variables; ++i) {
            texts.Add(comm.GetString(request, columns.GetAtVarName(i)));
        }
        if (adjust) {
            adjust(texts);
        }
        list.AddItem(&texts);
    }
    return true;
}

void sortBySlotAndPort(CNxListCtrl& list) {
    list.SortOnColumn(1, 1);
    list.SortOnColumn(0, 1);
}

}  // namespace sw
