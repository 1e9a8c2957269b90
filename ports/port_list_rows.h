#pragma once
// Finding a port's row again in a list whose first two columns are slot and port.

#include "framework/sw/list_rows.h"

namespace torvik {

// The row showing slot/port, or -1.
inline int rowOfPort(CSwListCtrl& list, int slot, int port) {
    return sw::rowWithLeadingNumbers(list, slot, port);
}

}  // namespace torvik
