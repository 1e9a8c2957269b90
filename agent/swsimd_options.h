#pragma once
// Command line of swsimd.

#include <string>

#include "agent/snmp_agent_server.h"

namespace agent {

struct SwsimdOptions {
    AgentConfig agent;
    std::string scenario;   // empty: the built-in demo chassis
    int syntheticRows = 0;  // > 0: serve a synthetic table instead of the switch
    int syntheticColumns = 15;
    bool silent = false;    // never answer (for timeout tests)
    std::string stateFile;  // the switch's state across restarts ("": only in memory)
};

std::string swsimdUsage();
// False with *error on an unknown option or a missing value.
bool parseSwsimdOptions(int argc, const char* const* argv, SwsimdOptions* out, std::string* error);

}  // namespace agent
