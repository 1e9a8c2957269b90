#pragma once
// Defaults for the SNMP options from Net-SNMP's own snmp.conf files (found where Net-SNMP's
// tools find them: $SNMPCONFPATH, else its standard folders and ~/.snmp), so that settings
// and pass phrases an operator keeps there work as they do for snmpget.

#include <map>
#include <set>
#include <string>

#include "framework/mib/netsnmp_config.h"

namespace console {

// The console's tokens found in the files, the last one of each winning, as Net-SNMP reads
// them: "defVersion" -> "3". Lines with other tokens are Net-SNMP's business (or its
// warning for an unknown token).
std::map<std::string, std::string> readSnmpConfDefaults();

// Applies the values for the options the command line did not give ("-v", "-A", ...);
// false and *error naming the token when a value is not one the console can use.
bool applySnmpConfDefaults(const std::map<std::string, std::string>& values,
                           const std::set<std::string>& givenOptions, mib::NetSnmpConfig* config,
                           std::string* error);

}  // namespace console
