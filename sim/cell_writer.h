#pragma once
// Puts scenario values into the store by variable name. A row is given as
// named column values; its instance is made from the values of the table's
// index objects among them, in the dictionary's index order. Names the
// dictionary lacks are collected rather than fatal.

#include <cstdint>
#include <set>
#include <string>
#include <variant>
#include <vector>

#include "sim/instance_codec.h"
#include "sim/oid_store.h"

namespace sim {

struct ColumnValue {
    std::string name;
    std::variant<std::int64_t, std::string, mib::Oid> value;
    std::uint32_t ratePerSecond = 0;  // counters only
};

class CellWriter {
public:
    CellWriter(OidStore& store, const mib::MibDictionary& dictionary, std::int64_t nowMs,
               std::set<std::string>& missingNames)
        : m_store(store), m_dictionary(dictionary), m_nowMs(nowMs), m_missing(missingNames) {}

    void row(const std::vector<ColumnValue>& columns);
    void scalar(const ColumnValue& column);

private:
    void put(const mib::MibVariable& var, mib::Oid cellOid, const ColumnValue& column);

    OidStore& m_store;
    const mib::MibDictionary& m_dictionary;
    std::int64_t m_nowMs;
    std::set<std::string>& m_missing;
};

// The instance of a row from named values of its index objects; nullopt
// (and the cause in *missing) when one is absent or does not fit.
std::optional<mib::Oid> rowInstance(const mib::MibDictionary& dictionary,
                                    const mib::MibVariable& column,
                                    const std::vector<ColumnValue>& columns, std::string* cause);

}  // namespace sim
