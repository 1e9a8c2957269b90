#pragma once
// The changes of one SET, staged over the store: rules read through it as if
// the changes were made, and nothing reaches the store unless all succeed.

#include <cstdint>
#include <map>
#include <optional>
#include <string_view>
#include <vector>

#include "sim/oid_store.h"

namespace sim {

class SetTransaction {
public:
    SetTransaction(OidStore& store, const mib::MibDictionary& dictionary, std::int64_t nowMs)
        : m_store(store), m_dictionary(dictionary), m_nowMs(nowMs) {}

    const mib::MibDictionary& dictionary() const { return m_dictionary; }
    std::int64_t nowMs() const { return m_nowMs; }

    const Cell* cell(const mib::Oid& oid) const;
    // The integer value of a named column (or scalar, instance {0}); nullopt if absent.
    std::optional<std::int64_t> integer(std::string_view name, const mib::Oid& instance) const;
    bool exists(std::string_view name, const mib::Oid& instance) const;
    // Whether any column of the column's table has a cell at instance.
    bool rowExists(const mib::MibVariable& column, const mib::Oid& instance) const;
    // Instances of a column's cells that start with prefix (empty prefix: all).
    std::vector<mib::Oid> instances(std::string_view name, const mib::Oid& prefix) const;

    void put(const mib::MibVariable& var, const mib::Oid& instance, mib::Value value);
    // False when the dictionary does not know the name.
    bool putInteger(std::string_view name, const mib::Oid& instance, std::int64_t value);
    bool putText(std::string_view name, const mib::Oid& instance, const std::string& value);
    void eraseRow(const mib::MibVariable& column, const mib::Oid& instance);

    void commit();

private:
    mib::Oid cellOid(const mib::MibVariable& var, const mib::Oid& instance) const;

    OidStore& m_store;
    const mib::MibDictionary& m_dictionary;
    std::int64_t m_nowMs;
    std::map<mib::Oid, std::optional<Cell>> m_staged;  // nullopt: erased
};

}  // namespace sim
