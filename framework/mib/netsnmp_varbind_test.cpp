// Our values through Net-SNMP's variable lists and back, and the command-line
// words of an SNMP configuration.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

// clang-format off
#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>
// clang-format on

#include "framework/mib/netsnmp_config.h"
#include "framework/mib/netsnmp_library.h"
#include "framework/mib/netsnmp_varbind.h"

namespace mib {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

const Oid kAt = {1, 3, 6, 1, 4, 1, 32473, 99, 1, 1, 2, 7};

// Through a PDU as a manager builds it, then as an agent stores it into a
// variable it received.
VarBind throughPdu(const VarBind& in) {
    netsnmp::PduPtr pdu(snmp_pdu_create(SNMP_MSG_SET));
    netsnmp::appendVarBind(pdu.get(), in);
    VarBind out;
    std::string error;
    EXPECT_TRUE(netsnmp::decodeVariable(*pdu->variables, &out, &error)) << error;
    return out;
}

VarBind throughStore(const VarBind& in) {
    netsnmp::PduPtr pdu(snmp_pdu_create(SNMP_MSG_GETNEXT));
    netsnmp::appendVarBind(pdu.get(), {{1, 3, 6}, Value::null()});
    netsnmp::storeName(pdu->variables, in.oid);
    netsnmp::storeValue(pdu->variables, in.value);
    VarBind out;
    std::string error;
    EXPECT_TRUE(netsnmp::decodeVariable(*pdu->variables, &out, &error)) << error;
    return out;
}

TEST(NetSnmpVarBindTest, EveryValueTypeSurvivesBothWaysAtItsLimits) {
    Oid longOid = {1, 3, 6, 1, 4, 1, 32473};
    for (std::uint32_t i = 0; i < 100; ++i) {
        longOid.push_back(0xffffffffu - i);
    }
    const std::vector<Value> values = {
        Value::null(),
        Value::makeInteger(0),
        Value::makeInteger(-2147483647 - 1),
        Value::makeInteger(2147483647),
        Value::makeCounter32(0xffffffffu),
        Value::makeGauge32(0xfffffffeu),
        Value::makeTimeTicks(0xffffffffu),
        Value::makeCounter64(0xffffffffffffffffull),
        Value::makeCounter64((1ull << 32) + 5),
        Value::makeIpAddress(255, 0, 10, 1),
        Value::makeString(""),
        Value::makeString(std::string("a\0b\xff", 4)),
        Value::makeString(std::string(512, 'x')),
        Value::makeOid({0, 0}),
        Value::makeOid(longOid),
        Value::exception(ValueType::NoSuchObject),
        Value::exception(ValueType::NoSuchInstance),
        Value::exception(ValueType::EndOfMibView),
    };
    for (const Value& v : values) {
        const VarBind in{kAt, v};
        EXPECT_EQ(throughPdu(in), in) << "through a PDU: " << static_cast<int>(v.type);
        EXPECT_EQ(throughStore(in), in) << "stored by an agent: " << static_cast<int>(v.type);
    }
    Value opaque = Value::makeString("\x01\x02");
    opaque.type = ValueType::Opaque;
    EXPECT_EQ(throughPdu({kAt, opaque}).value, opaque);
}

TEST(NetSnmpVarBindTest, ValuesWeDoNotModelAreRefusedNamingTheVariable) {
    netsnmp::PduPtr pdu(snmp_pdu_create(SNMP_MSG_RESPONSE));
    std::vector<oid> name(kAt.begin(), kAt.end());
    const u_char threeOctets[] = {10, 0, 1};
    snmp_pdu_add_variable(pdu.get(), name.data(), name.size(), ASN_IPADDRESS, threeOctets, 3);
    const float f = 1.5f;
    snmp_pdu_add_variable(pdu.get(), name.data(), name.size(), ASN_OPAQUE_FLOAT, &f, sizeof f);
    VarBind out;
    std::string error;
    EXPECT_FALSE(netsnmp::decodeVariable(*pdu->variables, &out, &error));
    EXPECT_THAT(error, HasSubstr("IpAddress of 3 octets"));
    error.clear();
    EXPECT_FALSE(netsnmp::decodeVariable(*pdu->variables->next_variable, &out, &error));
    EXPECT_THAT(error, HasSubstr("unsupported value type"));
    EXPECT_THAT(error, HasSubstr(oidToString(kAt)));
}

TEST(NetSnmpConfigTest, CommandLineWordsAndWhatIsNeverShown) {
    SnmpVersion version{};
    EXPECT_TRUE(parseSnmpVersion("2c", &version) && version == SnmpVersion::V2c);
    EXPECT_TRUE(parseSnmpVersion("V3", &version) && version == SnmpVersion::V3);
    EXPECT_TRUE(parseSnmpVersion("1", &version) && version == SnmpVersion::V1);
    EXPECT_FALSE(parseSnmpVersion("2", &version));
    EXPECT_FALSE(parseSnmpVersion("", &version));

    SecurityLevel level{};
    EXPECT_TRUE(parseSecurityLevel("AUTHPRIV", &level) && level == SecurityLevel::AuthPriv);
    EXPECT_TRUE(parseSecurityLevel("noAuthNoPriv", &level) && level == SecurityLevel::NoAuthNoPriv);
    EXPECT_FALSE(parseSecurityLevel("auth", &level));

    AuthProtocol auth{};
    EXPECT_TRUE(parseAuthProtocol("sha-256", &auth) && auth == AuthProtocol::Sha256);
    EXPECT_TRUE(parseAuthProtocol("SHA", &auth) && auth == AuthProtocol::Sha1);
    EXPECT_TRUE(parseAuthProtocol("md5", &auth) && auth == AuthProtocol::Md5);
    EXPECT_FALSE(parseAuthProtocol("SHA-512", &auth));

    PrivProtocol priv{};
    EXPECT_TRUE(parsePrivProtocol("des", &priv) && priv == PrivProtocol::Des);
    EXPECT_TRUE(parsePrivProtocol("AES", &priv) && priv == PrivProtocol::Aes128);
    EXPECT_FALSE(parsePrivProtocol("AES256", &priv));

    NetSnmpConfig config;
    config.address = "udp:10.0.0.9:1161";
    config.community = "s3cret-community";
    EXPECT_EQ(describeConfig(config), "udp:10.0.0.9:1161 (v2c)");
    config.version = SnmpVersion::V3;
    config.user = "admin";
    config.authPassword = "auth-secret";
    config.privPassword = "priv-secret";
    const std::string shown = describeConfig(config);
    EXPECT_EQ(shown, "udp:10.0.0.9:1161 (v3 user admin, authPriv)");
    for (const char* secret : {"s3cret", "auth-secret", "priv-secret"}) {
        EXPECT_THAT(shown, Not(HasSubstr(secret)));
    }
}

}  // namespace
}  // namespace mib
