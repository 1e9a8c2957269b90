#pragma once
// Row instances as OID suffixes: index values encoded by the syntax of their
// index objects (integers one sub-identifier, IP addresses four, fixed-size
// strings such as MAC addresses their octets, other strings length-prefixed).

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "framework/mib/mib_dictionary.h"

namespace sim {

using IndexPart = std::variant<std::int64_t, std::string>;  // number or octets
using IndexValues = std::vector<IndexPart>;

// Octet count of an index object encoded without a length, 0 when length-prefixed.
std::size_t fixedIndexLength(const mib::MibVariable& indexObject);

// nullopt when a value does not suit its index object or the counts differ.
std::optional<mib::Oid> encodeInstance(const std::vector<const mib::MibVariable*>& indexObjects,
                                       const IndexValues& values);
// nullopt when the suffix is not exactly one well-formed instance.
std::optional<IndexValues> decodeInstance(const std::vector<const mib::MibVariable*>& indexObjects,
                                          const mib::Oid& suffix);

// The index objects of a column's table, looked up by name; empty for scalars.
// nullopt when the dictionary lacks one of them.
std::optional<std::vector<const mib::MibVariable*>> indexObjectsOf(
    const mib::MibDictionary& dictionary, const mib::MibVariable& column);

}  // namespace sim
