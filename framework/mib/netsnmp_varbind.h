#pragma once
// Conversion between our varbinds and Net-SNMP's variable lists.

#include <string>

#include "framework/mib/snmp_types.h"

struct variable_list;
struct snmp_pdu;

namespace mib::netsnmp {

// False (with *error) for a value type we do not model.
bool decodeVariable(const variable_list& var, VarBind* out, std::string* error);
// Adds one varbind with its value (Null for reads) to pdu.
void appendVarBind(snmp_pdu* pdu, const VarBind& varbind);
// Replaces var's value (agent side).
void storeValue(variable_list* var, const Value& value);
// Replaces var's name (agent side, GETNEXT).
void storeName(variable_list* var, const Oid& oid);

}  // namespace mib::netsnmp
