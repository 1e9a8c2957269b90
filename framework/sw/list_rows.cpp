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

void sortBySlotAndPort(CNxListCtrl& list) {
    list.SortOnColumn(1, 1);
    list.SortOnColumn(0, 1);
}

}  // namespace sw
