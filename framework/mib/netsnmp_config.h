#pragma once
// How to reach an SNMP agent through Net-SNMP: address, version and credentials.

#include <string>

#include "framework/mib/transport.h"

namespace mib {

enum class SnmpVersion { V1, V2c, V3 };
enum class SecurityLevel { NoAuthNoPriv, AuthNoPriv, AuthPriv };
enum class AuthProtocol { Md5, Sha1, Sha256 };
enum class PrivProtocol { Des, Aes128 };

struct NetSnmpConfig {
    std::string address = "udp:127.0.0.1:161";  // Net-SNMP syntax: udp:HOST[:PORT]
    SnmpVersion version = SnmpVersion::V2c;
    std::string community = "public";  // v1/v2c
    // SNMPv3 (USM)
    std::string user;
    SecurityLevel level = SecurityLevel::AuthPriv;
    AuthProtocol authProtocol = AuthProtocol::Sha1;
    std::string authPassword;
    PrivProtocol privProtocol = PrivProtocol::Aes128;
    std::string privPassword;
    // Used when a request comes with default options.
    SendOptions defaults;
    // GETBULK max-repetitions; 0: as many rows as fit one datagram.
    int maxRepetitions = 0;
};

// "udp:127.0.0.1:16100 (v2c)" or "udp:...(v3 user admin, authPriv)": never a secret.
std::string describeConfig(const NetSnmpConfig& config);

// Names as the command line takes them: "authPriv", "SHA", "AES".
const char* securityLevelName(SecurityLevel level);
const char* authProtocolName(AuthProtocol protocol);
const char* privProtocolName(PrivProtocol protocol);

// Parsers for command lines; false on unknown text.
bool parseSnmpVersion(const std::string& text, SnmpVersion* out);      // 1, 2c, 3
bool parseSecurityLevel(const std::string& text, SecurityLevel* out);  // noAuthNoPriv...
bool parseAuthProtocol(const std::string& text, AuthProtocol* out);    // MD5, SHA, SHA-256
bool parsePrivProtocol(const std::string& text, PrivProtocol* out);    // DES, AES

}  // namespace mib
