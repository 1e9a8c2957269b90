// Net-SNMP's own command-line tools as real clients of swsimd.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "agent/wire_test_support.h"
#include "tests/support/command_output.h"

namespace agent {
namespace {

using ::testing::HasSubstr;

std::string run(const std::string& command) {
    return test_support::runCommand(command).output;
}

int countLines(const std::string& text, const std::string& containing) {
    int n = 0;
    for (std::size_t at = 0; (at = text.find(containing, at)) != std::string::npos; ++at) {
        ++n;
    }
    return n;
}

class SwsimdToolsTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_daemon = testing::startSwsimd(
            {"--synthetic-table", "200x15", "--v3-user", "admin", "--auth-pass", testing::kAuthPass,
             "--priv-pass", testing::kPrivPass},
            &m_port);
        ASSERT_NE(m_daemon, nullptr);
    }
    std::string tool(const std::string& name, const std::string& args,
                     const std::string& community = "public") {
        return run(name + " -v2c -c " + community +
                   " -On -m '' -t 2 -r 1 127.0.0.1:" + std::to_string(m_port) + " " + args);
    }
    std::unique_ptr<DaemonProcess> m_daemon;
    int m_port = 0;
};

TEST_F(SwsimdToolsTest, GetWalkBulkwalkAndSetAgreeWithTheTable) {
    EXPECT_EQ(tool("snmpget", "1.3.6.1.2.1.1.5.0 1.3.6.1.4.1.32473.99.1.1.2.7"),
              ".1.3.6.1.2.1.1.5.0 = STRING: \"swsimd\"\n"
              ".1.3.6.1.4.1.32473.99.1.1.2.7 = STRING: \"port-7\"\n");

    const std::string walk = tool("snmpwalk", "1.3.6.1.2.1.1");
    EXPECT_THAT(walk, HasSubstr(".1.3.6.1.2.1.1.2.0 = OID: .1.3.6.1.4.1.32473"));
    EXPECT_THAT(walk, HasSubstr(".1.3.6.1.2.1.1.3.0 = Timeticks: (4200)"));

    const std::string bulk = tool("snmpbulkwalk", "-Cr50 1.3.6.1.4.1.32473.99.1.1");
    EXPECT_EQ(
        countLines(bulk, ".1.3.6.1.4.1.32473.99.1.1.") - countLines(bulk, "No more variables"),
        200 * 15)
        << bulk.substr(0, 500);
    EXPECT_THAT(bulk, HasSubstr(".1.3.6.1.4.1.32473.99.1.1.6.200 = Counter64: 1099511627976"));
    EXPECT_THAT(bulk, HasSubstr(".1.3.6.1.4.1.32473.99.1.1.7.200 = IpAddress: 10.0.0.200"));

    EXPECT_THAT(tool("snmpset", "1.3.6.1.2.1.1.5.0 s core-7", "private"),
                HasSubstr("STRING: \"core-7\""));
    EXPECT_THAT(tool("snmpget", "1.3.6.1.2.1.1.5.0"), HasSubstr("STRING: \"core-7\""));
}

TEST_F(SwsimdToolsTest, RefusesWhatTheCommunityOrTheHandlerRefuses) {
    EXPECT_THAT(tool("snmpset", "1.3.6.1.2.1.1.5.0 s x"), HasSubstr("noAccess"));
    EXPECT_THAT(tool("snmpget", "1.3.6.1.2.1.1.5.0", "wrong"), HasSubstr("Timeout"));
    EXPECT_THAT(tool("snmpset", "1.3.6.1.2.1.1.1.0 s x", "private"), HasSubstr("notWritable"));
    EXPECT_THAT(tool("snmpset", "1.3.6.1.2.1.1.5.0 i 3", "private"), HasSubstr("wrongType"));
}

TEST_F(SwsimdToolsTest, SnmpV3UserReadsWithAuthPrivOnly) {
    const std::string base = "snmpget -v3 -u admin -a SHA -x AES -On -m '' -t 2 -r 0 ";
    const std::string target = " 127.0.0.1:" + std::to_string(m_port) + " 1.3.6.1.2.1.1.5.0";
    EXPECT_THAT(
        run(base + "-l authPriv -A " + testing::kAuthPass + " -X " + testing::kPrivPass + target),
        HasSubstr("STRING: \"swsimd\""));
    EXPECT_THAT(run(base + "-l authPriv -A wrong-password -X " + testing::kPrivPass + target),
                HasSubstr("Authentication failure"));
}

TEST(SwsimdSilentTest, AHandlerThatDoesNotAnswerLeavesTheClientWaiting) {
    int port = 0;
    auto daemon = testing::startSwsimd({"--synthetic-table", "5", "--silent"}, &port);
    ASSERT_NE(daemon, nullptr);
    EXPECT_THAT(run("snmpget -v2c -c public -On -m '' -t 1 -r 0 127.0.0.1:" + std::to_string(port) +
                    " 1.3.6.1.2.1.1.5.0"),
                HasSubstr("Timeout"));
}

TEST(SwsimdStartTest, StopsCleanlyOnSigtermAndRejectsBadOptions) {
    int port = 0;
    auto daemon = testing::startSwsimd({"--synthetic-table", "5"}, &port);
    ASSERT_NE(daemon, nullptr);
    EXPECT_EQ(daemon->stop(), 0);
    EXPECT_THAT(daemon->output(), HasSubstr("swsimd stopped"));
    EXPECT_THAT(run(std::string(SWSIMD_PATH) + " --listen"), HasSubstr("missing value"));
}

}  // namespace
}  // namespace agent
