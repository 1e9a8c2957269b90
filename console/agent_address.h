#pragma once
// The agent as Net-SNMP's tools take it, as the one argument after the options: HOST,
// HOST:PORT, udp:HOST[:PORT], [IPV6]:PORT, udp6:[IPV6]:PORT; and the console's own sim and
// sim:SCENARIO.json for the embedded switch.

#include <string>

#include "console/console_options.h"

namespace console {

// Sets agent's kind and address (port 161 when none is given); false and *error otherwise.
bool parseAgentArgument(const std::string& text, AgentChoice* agent, std::string* error);

}  // namespace console
