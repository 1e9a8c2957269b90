#include "agent/swsimd_options.h"

#include <cstdio>

namespace agent {

std::string swsimdUsage() {
    return "usage: swsimd [--scenario FILE] [--state FILE] [--listen udp:127.0.0.1:PORT] "
           "[--community NAME]\n"
           "              [--rw-community NAME] [--v3-user NAME --auth-pass P [--priv-pass P]]\n"
           "              [--synthetic-table ROWS[xCOLUMNS]] [--silent] [--help] [--version]\n";
}

bool parseSwsimdOptions(int argc, const char* const* argv, SwsimdOptions* out, std::string* error) {
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        if (option == "--silent") {
            out->silent = true;
            continue;
        }
        if (i + 1 >= argc) {
            *error = "missing value after " + option;
            return false;
        }
        const std::string value = argv[++i];
        if (option == "--scenario") {
            out->scenario = value;
        } else if (option == "--state") {
            out->stateFile = value;
        } else if (option == "--listen") {
            out->agent.listen = value;
        } else if (option == "--community") {
            out->agent.community = value;
        } else if (option == "--rw-community") {
            out->agent.rwCommunity = value;
        } else if (option == "--v3-user") {
            out->agent.v3User = value;
        } else if (option == "--auth-pass") {
            out->agent.v3AuthPassword = value;
        } else if (option == "--priv-pass") {
            out->agent.v3PrivPassword = value;
        } else if (option == "--synthetic-table") {
            int rows = 0;
            int columns = 15;
            const int n = std::sscanf(value.c_str(), "%dx%d", &rows, &columns);
            if (n < 1 || rows <= 0 || columns <= 0) {
                *error = "--synthetic-table needs ROWS or ROWSxCOLUMNS, got " + value;
                return false;
            }
            out->syntheticRows = rows;
            out->syntheticColumns = columns;
        } else {
            *error = "unknown option " + option;
            return false;
        }
    }
    if (!out->agent.v3User.empty() && out->agent.v3AuthPassword.size() < 8) {
        *error = "--v3-user needs --auth-pass of at least 8 characters";
        return false;
    }
    if (!out->agent.v3PrivPassword.empty() && out->agent.v3PrivPassword.size() < 8) {
        *error = "--priv-pass needs at least 8 characters";
        return false;
    }
    return true;
}

}  // namespace agent
