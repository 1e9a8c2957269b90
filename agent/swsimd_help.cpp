#include "agent/swsimd_help.h"

#include <cstdio>
#include <cstring>

#include "sw_version.h"

namespace agent {

std::string swsimdHelp() {
    return R"(Usage: swsimd [OPTIONS]
Serves the simulated chassis switch (or a synthetic table) over SNMP on UDP, with
Net-SNMP's agent library; prints "swsimd ready on udp:127.0.0.1:PORT" once it listens
and runs until SIGTERM or SIGINT.

Options:
  --scenario FILE             the switch from a JSON scenario (default: the built-in
                              demo chassis)
  --state FILE                keep the switch's state in FILE: loaded at start if it
                              exists, saved after every applied SET (written, synced,
                              renamed); a corrupt file or one of another scenario is
                              refused. Without it, changes last until swsimd ends
  --listen udp:ADDRESS:PORT   where to listen (default udp:127.0.0.1:16100; port 0:
                              any free port)
  --community NAME            read community (default public)
  --rw-community NAME         read-write community (default private)
  --v3-user NAME              an SNMPv3 user (SHA authentication, AES privacy)
  --auth-pass P               its authentication pass phrase (8 characters or more)
  --priv-pass P               its privacy pass phrase (8 characters or more; without
                              it the user is authNoPriv)
  --synthetic-table ROWS[xCOLUMNS]
                              serve a synthetic table instead of the switch
  --silent                    never answer (with --synthetic-table; for timeout tests)
  --help                      this text
  --version                   the version

Exit status:
  0  stopped by SIGTERM or SIGINT (or --help, --version)
  1  the scenario or state file cannot be used, or the port cannot be opened
  2  bad usage: an unknown option or a missing value
)";
}

int answerHelpOrVersion(int argc, const char* const* argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::fputs(swsimdHelp().c_str(), stdout);
            return 0;
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            std::fputs("swsimd (torvik) " SW_VERSION "\n", stdout);
            return 0;
        }
    }
    return -1;
}

}  // namespace agent
