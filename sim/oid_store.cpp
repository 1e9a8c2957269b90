#include "sim/oid_store.h"

namespace sim {

mib::Value Cell::valueAt(std::int64_t nowMs) const {
    if (ratePerSecond == 0 || nowMs <= sinceMs) {
        return value;
    }
    const auto advanced = static_cast<std::uint64_t>(ratePerSecond) *
                          static_cast<std::uint64_t>(nowMs - sinceMs) / 1000U;
    mib::Value out = value;
    if (value.type == mib::ValueType::Counter64) {
        out.counter64 = value.counter64 + advanced;
    } else {
        out.integer = static_cast<std::int64_t>(
            static_cast<std::uint32_t>(static_cast<std::uint64_t>(value.integer) + advanced));
    }
    return out;
}

void Cell::resetCounter(std::int64_t nowMs) {
    if (value.type == mib::ValueType::Counter32 || value.type == mib::ValueType::Counter64) {
        value.integer = 0;
        value.counter64 = 0;
        sinceMs = nowMs;
    }
}

const Cell* OidStore::find(const mib::Oid& oid) const {
    auto it = m_cells.find(oid);
    return it == m_cells.end() ? nullptr : &it->second;
}

Cell* OidStore::find(const mib::Oid& oid) {
    auto it = m_cells.find(oid);
    return it == m_cells.end() ? nullptr : &it->second;
}

const OidStore::Map::value_type* OidStore::after(const mib::Oid& oid) const {
    auto it = m_cells.upper_bound(oid);
    return it == m_cells.end() ? nullptr : &*it;
}

}  // namespace sim
