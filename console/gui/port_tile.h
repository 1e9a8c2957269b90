#pragma once
// A port as the chassis view draws it and the poller reads it.

#include <map>
#include <string>

#include "console/slot_port.h"

namespace gui {

using console::SlotPort;

// Administrative and operational status values of the physical port table.
constexpr int kAdminEnabled = 1;
constexpr int kAdminDisabled = 2;
constexpr int kOperUp = 3;

struct PortTile {
    SlotPort where;
    int type = 0;
    bool expander = false;
    int admin = 0;  // 0: not known (yet)
    int oper = 0;
    std::string typeText;
    std::string description;
};

// The slots' module names by slot number ("" when the agent names none).
using SlotNames = std::map<int, std::string>;

enum class PortState { Up, NoLink, Disabled, Unknown };

// Up: enabled and up; enabled without link; administratively disabled; anything else unknown.
PortState portState(const PortTile& tile);

// "up", "enabled, no link", "disabled", "unknown": the state as the tooltip says it.
const char* portStateText(PortState state);

// "Slot 1 Port 3", the type, the description (when any) and the state, one per line.
std::string portTooltipText(const PortTile& tile);

// Slot/port order, the order of the chassis tables.
inline bool slotPortLess(const SlotPort& a, const SlotPort& b) {
    return a.slot != b.slot ? a.slot < b.slot : a.port < b.port;
}

}  // namespace gui
