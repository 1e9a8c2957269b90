#pragma once
// Finding a port's row again in a list whose first two columns are slot and port.

#include "framework/afx/ddx.h"
#include "framework/sw/sw_list_ctrl.h"

namespace torvik {

// The row showing slot/port, or -1. The operator may have sorted on a heading since
// choosing a port, so its row number alone does not find it again.
inline int rowOfPort(CSwListCtrl& list, int slot, int port) {
    for (int row = 0; row < list.GetItemCount(); ++row) {
        if (afx::leadingNumber(list.GetColumnText(row, 0)) == slot &&
            afx::leadingNumber(list.GetColumnText(row, 1)) == port) {
            return row;
        }
    }
    return -1;
}

}  // namespace torvik
