// The tools as an operator meets them: --help and --version everywhere, the console taking
// its SNMPv3 credentials from snmp.conf, and swsimd keeping its state through a crash.

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "agent/wire_test_support.h"
#include "framework/mib/mib_dictionary.h"
#include "tests/support/command_output.h"

namespace agent {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

using ToolRun = test_support::CommandOutput;

ToolRun run(const std::string& command) {
    return test_support::runCommand("timeout 60 " + command);
}

std::string readAll(const std::filesystem::path& path) {
    std::ifstream file(path);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

class TempDir {
public:
    TempDir()
        : m_path(std::filesystem::temp_directory_path() /
                 ("operator_tools_test_" + std::to_string(getpid()) + "_" +
                  std::to_string(s_count++))) {
        std::filesystem::create_directories(m_path);
    }
    ~TempDir() { std::filesystem::remove_all(m_path); }
    std::string operator/(const std::string& name) const { return (m_path / name).string(); }

private:
    static inline int s_count = 0;
    std::filesystem::path m_path;
};

TEST(OperatorTools, EveryToolAnswersHelpAndVersion) {
    for (const char* tool : {SW_SWCONSOLE_PATH, SW_SWSIM_PATH, SWSIMD_PATH}) {
        const ToolRun help = run(std::string(tool) + " --help");
        EXPECT_EQ(help.status, 0) << tool << help.output;
        EXPECT_THAT(help.output, HasSubstr("Usage: ")) << tool;
        EXPECT_THAT(help.output, HasSubstr("Exit status:")) << tool;
        const ToolRun version = run(std::string(tool) + " --version");
        EXPECT_EQ(version.status, 0) << tool << version.output;
        EXPECT_THAT(version.output, HasSubstr("(torvik) ")) << tool;
    }
    EXPECT_THAT(run(std::string(SWSIMD_PATH) + " --help").output, HasSubstr("--state FILE"));
    EXPECT_EQ(run(std::string(SW_SWSIM_PATH) + " frobnicate").status, 2);
}

class SnmpConfTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_daemon = testing::startSwsimd({"--v3-user", "admin", "--auth-pass", testing::kAuthPass,
                                         "--priv-pass", testing::kPrivPass},
                                        &m_port);
        ASSERT_NE(m_daemon, nullptr);
        std::filesystem::create_directories(m_dir / "persist");
    }
    // swconsole with snmp.conf from the temporary folder only, writing nothing elsewhere.
    ToolRun console(const std::string& conf, const std::string& args) {
        std::ofstream(m_dir / "snmp.conf") << conf;
        return run("env SNMPCONFPATH=" + m_dir / "" + " SNMP_PERSISTENT_DIR=" + m_dir / "persist" +
                   " " + SW_SWCONSOLE_PATH + " " + args);
    }
    std::string credentials(const std::string& authType) const {
        return std::string("defVersion 3\n") + "defSecurityName admin\n" +
               "defSecurityLevel authPriv\n" + "defAuthType " + authType + "\n" +
               "defAuthPassphrase " + testing::kAuthPass + "\n" + "defPrivType AES\n" +
               "defPrivPassphrase " + testing::kPrivPass + "\n";
    }

    TempDir m_dir;
    std::unique_ptr<DaemonProcess> m_daemon;
    int m_port = 0;
};

TEST_F(SnmpConfTest, GivesTheV3CredentialsToAPositionalAgent) {
    const ToolRun secure = console(
        credentials("SHA") + "# Net-SNMP's own, not the console's:\nmibs +ALL\n",
        "-t 2 -r 0 --slot 1 --port 3 --page PortStatus --dump 127.0.0.1:" + std::to_string(m_port));
    EXPECT_EQ(secure.status, 0) << secure.output;
    EXPECT_THAT(secure.output, HasSubstr("== Status =="));
    EXPECT_THAT(secure.output, Not(HasSubstr("Warning")));
    EXPECT_TRUE(std::filesystem::is_empty(m_dir / "persist"));

    // the command line still wins over the file
    const ToolRun community = console(credentials("SHA"),
                                      "-v 2c -c public -t 2 -r 0 --page PortStatus "
                                      "--dump udp:127.0.0.1:" +
                                          std::to_string(m_port));
    EXPECT_EQ(community.status, 0) << community.output;
}

TEST_F(SnmpConfTest, AProtocolMismatchNamesTheProtocolAndNoPassPhrase) {
    const ToolRun mismatch = console(credentials("MD5"),
                                     "-t 1 -r 0 --page PortStatus --dump "
                                     "127.0.0.1:" +
                                         std::to_string(m_port));
    EXPECT_EQ(mismatch.status, 1) << mismatch.output;
    EXPECT_THAT(mismatch.output, HasSubstr("authentication protocol MD5")) << mismatch.output;
    EXPECT_THAT(mismatch.output, Not(HasSubstr(testing::kAuthPass)));
}

TEST_F(SnmpConfTest, ALineTheConsoleDoesNotKnowIsLeftToNetSnmp) {
    const ToolRun odd =
        console(credentials("SHA") + "noSuchToken 42\n",
                "-t 2 -r 0 --page PortStatus --dump 127.0.0.1:" + std::to_string(m_port));
    EXPECT_EQ(odd.status, 0) << odd.output;
    EXPECT_THAT(odd.output, HasSubstr("Unknown token: noSuchToken")) << "as snmpget warns";
}

// The swsimd process itself, under the timeout(1) the test daemon runs in.
pid_t swsimdOf(const DaemonProcess& daemon) {
    const std::string children = readAll("/proc/" + std::to_string(daemon.pid()) + "/task/" +
                                         std::to_string(daemon.pid()) + "/children");
    return children.empty() ? -1 : static_cast<pid_t>(std::stol(children));
}

std::string description(int slot, int port) {
    const mib::MibVariable* var = mib::MibDictionary::builtin().find("phyPortDescription");
    return mib::oidToString(var->oid) + "." + std::to_string(slot) + "." + std::to_string(port);
}

ToolRun snmp(const std::string& tool, int port, const std::string& args) {
    return run(tool + " -v2c -c private -m '' -t 2 -r 1 127.0.0.1:" + std::to_string(port) + " " +
               args);
}

TEST(SwsimdState, SurvivesAKillBetweenTwoSetsWithTheFileWhole) {
    TempDir dir;
    const std::string state = dir / "switch-state.json";
    int port = 0;
    auto first = testing::startSwsimd({"--state", state}, &port);
    ASSERT_NE(first, nullptr);
    ASSERT_EQ(snmp("snmpset", port, description(1, 3) + " s 'first set'").status, 0);
    const pid_t swsimd = swsimdOf(*first);
    ASSERT_GT(swsimd, 0);
    ASSERT_EQ(kill(swsimd, SIGKILL), 0);
    first->stop();
    const std::string afterKill = readAll(state);
    EXPECT_THAT(afterKill, HasSubstr("\"swsim-state\""));
    EXPECT_FALSE(std::filesystem::exists(state + ".new"));

    auto second = testing::startSwsimd({"--state", state}, &port);
    ASSERT_NE(second, nullptr);
    EXPECT_THAT(snmp("snmpget", port, description(1, 3)).output, HasSubstr("first set"));
    ASSERT_EQ(snmp("snmpset", port, description(1, 4) + " s 'second set'").status, 0);
    ASSERT_EQ(kill(swsimdOf(*second), SIGKILL), 0);
    second->stop();

    auto third = testing::startSwsimd({"--state", state}, &port);
    ASSERT_NE(third, nullptr);
    const ToolRun both = snmp("snmpget", port, description(1, 3) + " " + description(1, 4));
    EXPECT_THAT(both.output, HasSubstr("first set"));
    EXPECT_THAT(both.output, HasSubstr("second set"));
}

TEST(SwsimdState, ACorruptStateIsRefusedAndKept) {
    TempDir dir;
    const std::string state = dir / "switch-state.json";
    std::ofstream(state) << "{\"format\": \"swsim-state\", \"version\": 1, \"cells\": [";
    const ToolRun refused =
        run(std::string(SWSIMD_PATH) + " --listen udp:127.0.0.1:0 --state " + state);
    EXPECT_EQ(refused.status, 1) << refused.output;
    EXPECT_THAT(refused.output, HasSubstr("corrupt"));
    EXPECT_THAT(refused.output, Not(HasSubstr("ready")));
    EXPECT_EQ(readAll(state), "{\"format\": \"swsim-state\", \"version\": 1, \"cells\": [");
}

}  // namespace
}  // namespace agent
