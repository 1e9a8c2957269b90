#pragma once
// How values of each MIB syntax travel: the protocol type a value must have,
// and conversion of scenario numbers and texts into it.

#include <cstdint>
#include <optional>
#include <string>

#include "framework/mib/mib_dictionary.h"
#include "framework/mib/snmp_types.h"

namespace sim {

mib::ValueType valueTypeFor(mib::Syntax syntax);

// nullopt when a number or text cannot stand for a value of this syntax.
std::optional<mib::Value> valueFromNumber(mib::Syntax syntax, std::int64_t number);
std::optional<mib::Value> valueFromText(mib::Syntax syntax, const std::string& text);

}  // namespace sim
