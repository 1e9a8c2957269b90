#include "framework/mib/netsnmp_config.h"

#include <algorithm>
#include <cctype>

namespace mib {

namespace {

std::string lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

}  // namespace

const char* securityLevelName(SecurityLevel level) {
    switch (level) {
        case SecurityLevel::NoAuthNoPriv:
            return "noAuthNoPriv";
        case SecurityLevel::AuthNoPriv:
            return "authNoPriv";
        case SecurityLevel::AuthPriv:
            return "authPriv";
    }
    return "?";
}

const char* authProtocolName(AuthProtocol protocol) {
    switch (protocol) {
        case AuthProtocol::Md5:
            return "MD5";
        case AuthProtocol::Sha1:
            return "SHA";
        case AuthProtocol::Sha256:
            return "SHA-256";
    }
    return "?";
}

const char* privProtocolName(PrivProtocol protocol) {
    switch (protocol) {
        case PrivProtocol::Des:
            return "DES";
        case PrivProtocol::Aes128:
            return "AES";
    }
    return "?";
}

std::string describeConfig(const NetSnmpConfig& config) {
    switch (config.version) {
        case SnmpVersion::V1:
            return config.address + " (v1)";
        case SnmpVersion::V2c:
            return config.address + " (v2c)";
        case SnmpVersion::V3:
            return config.address + " (v3 user " + config.user + ", " +
                   securityLevelName(config.level) + ")";
    }
    return config.address;
}

bool parseSnmpVersion(const std::string& text, SnmpVersion* out) {
    const std::string t = lower(text);
    if (t == "1" || t == "v1") {
        *out = SnmpVersion::V1;
    } else if (t == "2c" || t == "v2c") {
        *out = SnmpVersion::V2c;
    } else if (t == "3" || t == "v3") {
        *out = SnmpVersion::V3;
    } else {
        return false;
    }
    return true;
}

bool parseSecurityLevel(const std::string& text, SecurityLevel* out) {
    const std::string t = lower(text);
    if (t == "noauthnopriv") {
        *out = SecurityLevel::NoAuthNoPriv;
    } else if (t == "authnopriv") {
        *out = SecurityLevel::AuthNoPriv;
    } else if (t == "authpriv") {
        *out = SecurityLevel::AuthPriv;
    } else {
        return false;
    }
    return true;
}

bool parseAuthProtocol(const std::string& text, AuthProtocol* out) {
    const std::string t = lower(text);
    if (t == "md5") {
        *out = AuthProtocol::Md5;
    } else if (t == "sha" || t == "sha1") {
        *out = AuthProtocol::Sha1;
    } else if (t == "sha-256" || t == "sha256") {
        *out = AuthProtocol::Sha256;
    } else {
        return false;
    }
    return true;
}

bool parsePrivProtocol(const std::string& text, PrivProtocol* out) {
    const std::string t = lower(text);
    if (t == "des") {
        *out = PrivProtocol::Des;
    } else if (t == "aes" || t == "aes128") {
        *out = PrivProtocol::Aes128;
    } else {
        return false;
    }
    return true;
}

}  // namespace mib
