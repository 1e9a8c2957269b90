#pragma once
// What the trunking tests read off the screen and the simulated switch: list rows and the
// groups a port's service carries.

#include <cstdint>
#include <string>
#include <vector>

#include "framework/afx/window.h"
#include "sim/simulated_switch.h"

namespace test_support {

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

}  // namespace test_support
