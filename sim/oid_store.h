#pragma once
// The switch's live data: one cell per instance OID, kept in OID order so
// that GETNEXT and table walks are a single ordered lookup.

#include <cstdint>
#include <map>
#include <optional>

#include "framework/mib/mib_dictionary.h"
#include "framework/mib/snmp_types.h"

namespace sim {

struct Cell {
    const mib::MibVariable* variable = nullptr;
    mib::Value value;  // counters: the value at sinceMs
    // Counters advance by ratePerSecond from sinceMs on; 0 keeps the value still.
    std::uint32_t ratePerSecond = 0;
    std::int64_t sinceMs = 0;

    // The value as read at nowMs (counters wrap as their type does).
    mib::Value valueAt(std::int64_t nowMs) const;
    // Sets a counter back to zero from nowMs on; other cells are left alone.
    void resetCounter(std::int64_t nowMs);
};

class OidStore {
public:
    using Map = std::map<mib::Oid, Cell>;

    const Cell* find(const mib::Oid& oid) const;
    Cell* find(const mib::Oid& oid);
    // The first cell strictly after oid in OID order; nullptr at the end.
    const Map::value_type* after(const mib::Oid& oid) const;
    void put(const mib::Oid& oid, Cell cell) { m_cells[oid] = std::move(cell); }
    bool erase(const mib::Oid& oid) { return m_cells.erase(oid) != 0; }

    // Cells whose OID starts with prefix, in order.
    Map::const_iterator lowerBound(const mib::Oid& oid) const { return m_cells.lower_bound(oid); }
    Map::iterator lowerBound(const mib::Oid& oid) { return m_cells.lower_bound(oid); }
    Map::const_iterator end() const { return m_cells.end(); }
    Map::iterator end() { return m_cells.end(); }
    std::size_t size() const { return m_cells.size(); }

private:
    Map m_cells;
};

}  // namespace sim
