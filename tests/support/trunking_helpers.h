#pragma once
// What the trunking tests read off the screen and the simulated switch: list-box entries,
// list rows, the groups a port's service carries and the calls that reached the component.

#include <cstdint>
#include <string>
#include <vector>

#include "framework/afx/window.h"
#include "framework/mib/mib_trace.h"
#include "sim/simulated_switch.h"

namespace test_support {

inline std::vector<std::string> listBoxEntries(HWND listBox) {
    std::vector<std::string> out;
    if (const afx::WindowRecord* r = afx::windows().find(listBox)) {
        for (const afx::ListItem& item : r->items) {
            out.push_back(item.text);
        }
    }
    return out;
}

// Cells 0 and 1 of every row, "2 Engineering".
inline std::vector<std::string> listRows(HWND listView) {
    std::vector<std::string> out;
    if (const afx::WindowRecord* r = afx::windows().find(listView)) {
        for (const afx::ListRow& row : r->rows) {
            out.push_back(row.cell(0) + " " + row.cell(1));
        }
    }
    return out;
}

// The groups the switch's members table of the family (prefix "v8021Q") holds for a port.
inline std::vector<std::uint32_t> carriedGroups(sim::SimulatedSwitch& sw, const std::string& prefix,
                                                int slot, int port) {
    std::vector<std::uint32_t> out;
    for (std::uint32_t group = 1; group <= 100; ++group) {
        if (sw.rowExists(
                (prefix + "LanNumber").c_str(),
                {static_cast<std::uint32_t>(slot), static_cast<std::uint32_t>(port), group})) {
            out.push_back(group);
        }
    }
    return out;
}

// The component's calls, without PDUs and completions.
inline std::vector<std::string> componentCalls(const mib::MibTrace& trace) {
    std::vector<std::string> out;
    for (const std::string& line : trace.lines()) {
        if (line.rfind("PDU ", 0) != 0 && line.rfind("On", 0) != 0) {
            out.push_back(line);
        }
    }
    return out;
}

}  // namespace test_support
