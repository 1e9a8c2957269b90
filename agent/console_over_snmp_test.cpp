// The built swconsole against swsimd serving the default simulated switch:
// the pages over SNMP behave as they do in process.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>

#include "agent/wire_test_support.h"
#include "framework/mib/mib_dictionary.h"
#include "tests/support/command_output.h"

namespace agent {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

using ConsoleRun = test_support::CommandOutput;
using test_support::runCommand;

std::string console(const std::string& args) {
    return std::string("timeout 60 ") + SW_SWCONSOLE_PATH + " " + args;
}

class ConsoleOverSnmpTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_daemon = testing::startSwsimd({"--v3-user", "admin", "--auth-pass", testing::kAuthPass,
                                         "--priv-pass", testing::kPrivPass},
                                        &m_port);
        ASSERT_NE(m_daemon, nullptr);
    }
    std::string agent() const { return "--agent udp:127.0.0.1:" + std::to_string(m_port); }

    std::unique_ptr<DaemonProcess> m_daemon;
    int m_port = 0;
};

TEST_F(ConsoleOverSnmpTest, TheStatusScriptEndsAsInProcess) {
    const std::string common = "--slot 1 --port 2 --select 1/1,1/2,1/3 --script " +
                               std::string(SW_CONSOLE_EXAMPLES_DIR) + "/status_change.txt";
    const ConsoleRun local = runCommand(console(common));
    ASSERT_EQ(local.status, 0) << local.output;
    const ConsoleRun wire = runCommand(console(agent() + " -v 2c -c private -t 2 -r 1 " + common));
    EXPECT_EQ(wire.status, 0) << wire.output;
    EXPECT_EQ(wire.output, local.output);
    EXPECT_THAT(wire.output, HasSubstr("disabled     down        Lab printer"));
}

TEST_F(ConsoleOverSnmpTest, ASetBySnmpsetShowsInThePageAndV3AuthPrivReadsIt) {
    const mib::MibVariable* description = mib::MibDictionary::builtin().find("phyPortDescription");
    ASSERT_NE(description, nullptr);
    const ConsoleRun set =
        runCommand("snmpset -v2c -c private -m '' -t 2 -r 1 127.0.0.1:" + std::to_string(m_port) +
                   " " + mib::oidToString(description->oid) + ".1.3 s 'Set by snmpset'");
    ASSERT_EQ(set.status, 0) << set.output;

    const ConsoleRun v2 =
        runCommand(console(agent() + " -v2c -cpublic --slot 1 --port 3 --page PortStatus --dump"));
    EXPECT_EQ(v2.status, 0) << v2.output;
    EXPECT_THAT(v2.output, HasSubstr("Set by snmpset"));

    const std::string v3 = agent() + " -v 3 -u admin -l authPriv -a SHA -A " + testing::kAuthPass +
                           " -x AES -X " + testing::kPrivPass + " -t 2 -r 0";
    const ConsoleRun secure =
        runCommand(console(v3 + " --slot 1 --port 3 --page PortStatus --dump"));
    EXPECT_EQ(secure.status, 0) << secure.output;
    EXPECT_THAT(secure.output, HasSubstr("Set by snmpset"));
}

TEST_F(ConsoleOverSnmpTest, WrongCredentialsAndNoAgentFailNamingTheAgentAndTheCause) {
    const std::string where = "udp:127.0.0.1:" + std::to_string(m_port);
    const ConsoleRun wrongPass =
        runCommand(console(agent() + " -v 3 -u admin -l authPriv -A wrong-password -X " +
                           testing::kPrivPass + " -t 1 -r 0 --page PortStatus --dump"));
    EXPECT_EQ(wrongPass.status, 1) << wrongPass.output;
    EXPECT_THAT(wrongPass.output, HasSubstr(where));
    EXPECT_THAT(wrongPass.output, HasSubstr("authentication"));
    EXPECT_THAT(wrongPass.output, Not(HasSubstr("wrong-password")));

    const auto start = std::chrono::steady_clock::now();
    const ConsoleRun wrongCommunity =
        runCommand(console(agent() + " -v 2c -c nobody -t 1 -r 1 --page PortStatus --dump"));
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_EQ(wrongCommunity.status, 1) << wrongCommunity.output;
    EXPECT_THAT(wrongCommunity.output, HasSubstr(where));
    EXPECT_THAT(wrongCommunity.output, HasSubstr("No response"));
    EXPECT_LT(seconds, 10) << "bounded by the timeout and retries";

    const ConsoleRun noHost =
        runCommand(console("--agent udp:no-such-host.invalid -t 1 -r 0 --dump"));
    EXPECT_EQ(noHost.status, 1) << noHost.output;
    EXPECT_THAT(noHost.output, HasSubstr("no-such-host.invalid"));
}

}  // namespace
}  // namespace agent
