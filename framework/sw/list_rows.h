#pragma once
// Finding a row again by the numbers in its first two columns (a port's slot and port, a
// channel's ID and slot).

#include "framework/afx/ddx.h"
#include "framework/sw/sw_list_ctrl.h"

namespace sw {

// The first row whose columns 0 and 1 start with these numbers, or -1. The operator may have
// sorted on a heading since choosing the row, so its row number alone does not find it again.
inline int rowWithLeadingNumbers(CNxListCtrl& list, long first, long second) {
    for (int row = 0; row < list.GetItemCount(); ++row) {
        if (afx::leadingNumber(list.GetColumnText(row, 0)) == first &&
            afx::leadingNumber(list.GetColumnText(row, 1)) == second) {
            return row;
        }
    }
    return -1;
}

}  // namespace sw
