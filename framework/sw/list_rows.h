#pragma once
// Port lists (and lists keyed like them) whose first two columns are numbers: slot and port,
// or a channel's ID and slot. Rows are found again by those numbers, because the operator may
// have sorted on a heading since choosing one, and a refill reorders them.

#include <functional>
#include <vector>

#include "framework/afx/win_types.h"
#include "framework/mib/mib_comm.h"
#include "framework/sw/list_data.h"
#include "framework/sw/slot_port.h"
#include "framework/sw/sw_list_ctrl.h"

namespace sw {

// The first row whose columns 0 and 1 start with these numbers, or -1.
int rowWithLeadingNumbers(CNxListCtrl& list, long first, long second);
// The row showing slot/port, or -1.
int rowOfPort(CNxListCtrl& list, int slot, int port);
// The slot and port a row shows.
SlotPort portOfRow(CNxListCtrl& list, int row);
// The ports of the selected rows, in row order.
std::vector<SlotPort> selectedPorts(CNxListCtrl& list);

// Slot order, ports ascending within a slot (the sort is stable).
void sortBySlotAndPort(CNxListCtrl& list);

// Refills list, headed by columns, from the rows a table request holds. For each row in
// turn, reached on the request, imageOfRow reads what it needs and returns the row's image,
// or -1 to leave the row out; the row shows the columns' variables as text, which adjust
// may change. A row that cannot be reached ends the fill: FALSE, the list as far as it got.
bool fillListFromTable(CNxListCtrl& list, CMibComm& comm, long request, CListData& columns,
                       const std::function<int()>& imageOfRow,
                       const std::function<void(CStringArray&)>& adjust = {});

// A row the change selected that was not selected before.
inline bool rowBecameSelected(const NMLISTVIEW& change) {
    return change.iItem >= 0 && (change.uNewState & LVIS_SELECTED) != 0 &&
           (change.uOldState & LVIS_SELECTED) == 0;
}
// A row the change leaves selected, whether or not it was before.
inline bool rowIsSelected(const NMLISTVIEW& change) {
    return change.iItem >= 0 && (change.uNewState & LVIS_SELECTED) != 0;
}

}  // namespace sw
