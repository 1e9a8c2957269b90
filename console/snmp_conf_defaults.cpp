#include "console/snmp_conf_defaults.h"

#include <unistd.h>

#include <functional>
#include <vector>

#include "framework/mib/netsnmp_library.h"

// clang-format off
#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>
// clang-format on

namespace console {

namespace {

struct Token {
    const char* name;
    const char* option;  // the command-line option that overrides it
    std::function<bool(const std::string&, mib::NetSnmpConfig&)> apply;
    const char* expected;
};

const std::vector<Token>& tokens() {
    static const std::vector<Token> table = {
        {"defVersion", "-v",
         [](const std::string& v, mib::NetSnmpConfig& c) {
             return mib::parseSnmpVersion(v, &c.version);
         },
         "1, 2c or 3"},
        {"defCommunity", "-c",
         [](const std::string& v, mib::NetSnmpConfig& c) {
             c.community = v;
             return !v.empty();
         },
         "a community"},
        {"defSecurityName", "-u",
         [](const std::string& v, mib::NetSnmpConfig& c) {
             c.user = v;
             return !v.empty();
         },
         "a user name"},
        {"defSecurityLevel", "-l",
         [](const std::string& v, mib::NetSnmpConfig& c) {
             return mib::parseSecurityLevel(v, &c.level);
         },
         "noAuthNoPriv, authNoPriv or authPriv"},
        {"defAuthType", "-a",
         [](const std::string& v, mib::NetSnmpConfig& c) {
             return mib::parseAuthProtocol(v, &c.authProtocol);
         },
         "MD5, SHA or SHA-256"},
        {"defPrivType", "-x",
         [](const std::string& v, mib::NetSnmpConfig& c) {
             return mib::parsePrivProtocol(v, &c.privProtocol);
         },
         "DES or AES"},
        // defPassphrase stands for both, unless a specific one is also given.
        {"defPassphrase", "-A",
         [](const std::string& v, mib::NetSnmpConfig& c) {
             c.authPassword = v;
             return true;
         },
         ""},
        {"defPassphrase", "-X",
         [](const std::string& v, mib::NetSnmpConfig& c) {
             c.privPassword = v;
             return true;
         },
         ""},
        {"defAuthPassphrase", "-A",
         [](const std::string& v, mib::NetSnmpConfig& c) {
             c.authPassword = v;
             return true;
         },
         ""},
        {"defPrivPassphrase", "-X",
         [](const std::string& v, mib::NetSnmpConfig& c) {
             c.privPassword = v;
             return true;
         },
         ""},
    };
    return table;
}

std::map<std::string, std::string>* g_found = nullptr;

void onToken(const char* token, char* line) {
    if (g_found == nullptr || token == nullptr) {
        return;
    }
    std::string value = line != nullptr ? line : "";
    while (!value.empty() && (value.back() == ' ' || value.back() == '\t')) {
        value.pop_back();
    }
    (*g_found)[token] = value;
}

// Net-SNMP's search path for configuration files, split at its separator.
std::vector<std::string> configDirectories() {
    std::vector<std::string> dirs;
    // As Net-SNMP reads its files: $SNMPCONFPATH when set, else its configured folders.
    const char* path = netsnmp_getenv("SNMPCONFPATH");
    if (path == nullptr) {
        path = get_configuration_directory();
    }
    const std::string text = path != nullptr ? path : "";
    std::size_t start = 0;
    while (start <= text.size()) {
        const auto end = text.find(ENV_SEPARATOR_CHAR, start);
        const std::string dir = text.substr(start, end == std::string::npos ? end : end - start);
        if (!dir.empty()) {
            dirs.push_back(dir);
        }
        if (end == std::string::npos) {
            break;
        }
        start = end + 1;
    }
    return dirs;
}

}  // namespace

std::map<std::string, std::string> readSnmpConfDefaults() {
    // Net-SNMP registers every token it knows first, so a line for one of them that the
    // console does not use is taken in silence, as snmpget would; then the console's own
    // tokens are handled here, leaving the library's session defaults untouched.
    mib::netsnmp::ensureInitialized("swconsole");
    for (const Token& token : tokens()) {
        register_config_handler("snmp", token.name, onToken, nullptr, nullptr);
    }
    std::map<std::string, std::string> found;
    g_found = &found;
    for (const std::string& dir : configDirectories()) {
        for (const char* file : {"snmp.conf", "snmp.local.conf"}) {
            const std::string path = dir + "/" + file;
            if (access(path.c_str(), R_OK) == 0) {
                read_config_with_type(path.c_str(), "snmp");
            }
        }
    }
    g_found = nullptr;
    for (const Token& token : tokens()) {
        unregister_config_handler("snmp", token.name);
    }
    return found;
}

bool applySnmpConfDefaults(const std::map<std::string, std::string>& values,
                           const std::set<std::string>& givenOptions, mib::NetSnmpConfig* config,
                           std::string* error) {
    for (const Token& token : tokens()) {
        const auto value = values.find(token.name);
        if (value == values.end() || givenOptions.count(token.option) > 0) {
            continue;
        }
        if (!token.apply(value->second, *config)) {
            *error = std::string("snmp.conf: ") + token.name + " " + value->second + ": expected " +
                     token.expected;
            return false;
        }
    }
    return true;
}

}  // namespace console
