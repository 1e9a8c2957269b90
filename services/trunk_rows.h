#pragma once
// The rows of a trunking table (services or members) that belong to one port.

#include <functional>

#include "framework/afx/win_types.h"

class CMibComm;

namespace torvik {

// Calls each with every row of request h whose slotVar and stationVar columns hold slot and
// station, that row being current. FALSE when a row could not be reached: the rows before it
// were visited, and the caller tells the operator.
BOOL forEachRowOfPort(CMibComm& comm, long h, const char* slotVar, const char* stationVar,
                      long slot, long station, const std::function<void()>& each);

}  // namespace torvik
