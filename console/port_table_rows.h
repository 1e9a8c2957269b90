#pragma once
// The rows of the chassis port table and of the physical port table as read by one request,
// for every reader of the chassis: the console's probe before the pages open and the desktop
// window's poller.

#include <string>
#include <vector>

#include "console/slot_port.h"
#include "framework/mib/mib_comm.h"
#include "framework/mib/mib_dictionary.h"
#include "framework/mib/request_engine.h"

namespace console {

// One row of the physical port table; a status the agent gave as no number reads 0.
struct PortStatus {
    SlotPort where;
    int admin = 0;
    int oper = 0;
};

// A row of the physical port table with the operator's description, when that was read.
struct PortReading {
    PortStatus status;
    std::string description;
};

struct ChassisPort {
    SlotPort where;
    int type = 0;
    bool expander = false;
};

// An expander port by its type's catalogue entry; the chassis table has no kind column.
bool isExpanderPortType(const mib::MibDictionary& dictionary, int type);

// Every row of a completed chasPortTable read, in the table's order.
std::vector<ChassisPort> chassisPortRows(CMibComm& comm, long h,
                                         const mib::MibDictionary& dictionary);

// Every row of a completed phyPortTable read whose instance names a slot and a port.
std::vector<PortReading> portReadings(mib::RequestEngine& engine, long h);

}  // namespace console
