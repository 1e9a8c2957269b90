// The console as an operator used to Net-SNMP's tools expects it: the agent as the argument,
// defaults from snmp.conf, --help and --version, pages by title, the simulated switch's
// state kept in a file.
#include <arpa/inet.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "console/console_options.h"
#include "console/snmp_conf_defaults.h"
#include "tests/support/command_output.h"

namespace console {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

class TempDir {
public:
    TempDir()
        : m_path(std::filesystem::temp_directory_path() /
                 ("operator_conventions_test_" + std::to_string(getpid()) + "_" +
                  std::to_string(s_count++))) {
        std::filesystem::create_directories(m_path);
    }
    ~TempDir() { std::filesystem::remove_all(m_path); }
    std::string operator/(const std::string& name) const { return (m_path / name).string(); }
    std::string path() const { return m_path.string(); }
    void write(const std::string& name, const std::string& text) const {
        std::ofstream(m_path / name) << text;
    }

private:
    static inline int s_count = 0;
    std::filesystem::path m_path;
};

using ToolRun = test_support::CommandOutput;

ToolRun runShell(const std::string& command) {
    return test_support::runCommand("timeout 60 " + command);
}

ToolRun runConsole(const std::string& args) {
    return runShell(SW_SWCONSOLE_PATH " " + args);
}

std::string addressOf(const std::vector<std::string>& args) {
    const OptionsResult result = parseOptions(args);
    EXPECT_TRUE(result.ok) << result.error;
    return result.options.agent.snmp.address;
}

TEST(AgentArgument, TakesNetSnmpsAddressFormsAndTheEmbeddedSwitch) {
    EXPECT_EQ(addressOf({"switch1"}), "udp:switch1:161");
    EXPECT_EQ(addressOf({"10.0.0.5:16100"}), "udp:10.0.0.5:16100");
    EXPECT_EQ(addressOf({"-v", "2c", "udp:10.0.0.5:1161", "--dump"}), "udp:10.0.0.5:1161");
    EXPECT_EQ(addressOf({"udp:10.0.0.5"}), "udp:10.0.0.5:161");
    EXPECT_EQ(addressOf({"[::1]:1161"}), "udp6:[::1]:1161");
    EXPECT_EQ(addressOf({"udp6:[fe80::1]"}), "udp6:[fe80::1]:161");
    EXPECT_EQ(parseOptions({"switch1"}).options.agent.kind, AgentChoice::Kind::Snmp);

    const OptionsResult lab = parseOptions({"sim:lab.json", "--state", "lab-state.json"});
    ASSERT_TRUE(lab.ok) << lab.error;
    EXPECT_EQ(lab.options.agent.kind, AgentChoice::Kind::Simulated);
    EXPECT_EQ(lab.options.agent.scenarioPath, "lab.json");
    EXPECT_EQ(lab.options.agent.statePath, "lab-state.json");
}

TEST(AgentArgument, BadAddressesAndASecondAgentAreRefusedWithoutEchoingThem) {
    for (const char* bad : {"host:0", "host:70000", "host:x", "udp:", "[::1", "sim:", "a b"}) {
        const OptionsResult result = parseOptions({bad});
        EXPECT_FALSE(result.ok) << bad;
        EXPECT_THAT(result.error, HasSubstr("expected HOST, HOST:PORT")) << bad;
    }
    // a pass phrase that lost its option must not be printed
    const OptionsResult stray = parseOptions({"switch1", "s3cret-phrase"});
    EXPECT_FALSE(stray.ok);
    EXPECT_THAT(stray.error, Not(HasSubstr("s3cret")));
    EXPECT_THAT(parseOptions({"switch1", "--agent", "sim"}).error, HasSubstr("given twice"));
    EXPECT_THAT(parseOptions({"switch1", "--state", "s.json"}).error,
                HasSubstr("--state keeps the embedded simulated switch's state"));
}

TEST(SnmpConf, GivesTheDefaultsTheCommandLineLeavesOpen) {
    const std::map<std::string, std::string> conf = {{"defVersion", "3"},
                                                     {"defSecurityName", "admin"},
                                                     {"defSecurityLevel", "authNoPriv"},
                                                     {"defAuthType", "SHA-256"},
                                                     {"defPassphrase", "both-phrases"},
                                                     {"defPrivPassphrase", "priv-phrase"},
                                                     {"defCommunity", "lab"}};
    mib::NetSnmpConfig config;
    std::string error;
    ASSERT_TRUE(applySnmpConfDefaults(conf, {"-l"}, &config, &error)) << error;
    EXPECT_EQ(config.version, mib::SnmpVersion::V3);
    EXPECT_EQ(config.user, "admin");
    EXPECT_EQ(config.level, mib::SecurityLevel::AuthPriv) << "-l on the command line wins";
    EXPECT_EQ(config.authProtocol, mib::AuthProtocol::Sha256);
    EXPECT_EQ(config.authPassword, "both-phrases");
    EXPECT_EQ(config.privPassword, "priv-phrase") << "the specific phrase beats defPassphrase";
    EXPECT_EQ(config.community, "lab");

    EXPECT_FALSE(applySnmpConfDefaults({{"defAuthType", "SHA-512"}}, {}, &config, &error));
    EXPECT_EQ(error, "snmp.conf: defAuthType SHA-512: expected MD5, SHA or SHA-256");
    EXPECT_TRUE(applySnmpConfDefaults({{"defAuthType", "SHA-512"}}, {"-a"}, &config, &error))
        << "a value the command line overrides is never used";
}

TEST(SnmpConf, IsReadThroughNetSnmpFromItsSearchPath) {
    TempDir dir;
    dir.write("snmp.conf",
              "# the operator's defaults\n"
              "defVersion 3\n"
              "defSecurityName admin\n"
              "defSecurityLevel authPriv\n"
              "defAuthType SHA\n"
              "defAuthPassphrase authpass-9f3c\n"
              "defPrivType AES\n"
              "defPrivPassphrase privpass-71ab\n"
              "defaultPort 1161\n");  // Net-SNMP's, not the console's
    dir.write("snmp.local.conf", "defSecurityName operator\n");
    std::filesystem::create_directories(dir / "persist");
    setenv("SNMPCONFPATH", dir.path().c_str(), 1);
    setenv("SNMP_PERSISTENT_DIR", (dir / "persist").c_str(), 1);
    const auto values = readSnmpConfDefaults();
    unsetenv("SNMPCONFPATH");
    unsetenv("SNMP_PERSISTENT_DIR");
    EXPECT_EQ(values.at("defVersion"), "3");
    EXPECT_EQ(values.at("defSecurityName"), "operator") << "snmp.local.conf is read last";
    EXPECT_EQ(values.at("defAuthPassphrase"), "authpass-9f3c");
    EXPECT_EQ(values.at("defPrivType"), "AES");
    EXPECT_EQ(values.count("defaultPort"), 0u);
    EXPECT_TRUE(std::filesystem::is_empty(dir / "persist"));
}

TEST(ConsoleHelp, ListsPagesVerbsAndExitStatusAndTheVersion) {
    const ToolRun help = runConsole("--help");
    EXPECT_EQ(help.status, 0);
    EXPECT_THAT(help.output, HasSubstr("Usage: swconsole [OPTIONS] [AGENT]"));
    EXPECT_THAT(help.output, HasSubstr("PortGeneral, PortAdmin, PortStatus"));
    EXPECT_THAT(help.output, HasSubstr("ExpPortBrowser"));
    EXPECT_THAT(help.output, HasSubstr("dblclick LABEL ENTRY"));
    EXPECT_THAT(help.output, HasSubstr("Exit status:"));
    EXPECT_THAT(help.output, HasSubstr("defAuthPassphrase"));

    const ToolRun version = runConsole("--version");
    EXPECT_EQ(version.status, 0);
    EXPECT_THAT(version.output, ::testing::MatchesRegex("swconsole \\(torvik\\) [0-9.]+\n"));
}

TEST(ConsolePages, AScriptFindsAPageByTitleBeforeItWasShown) {
    TempDir dir;
    dir.write("script.txt", "page Status\ndump\npage \"802.1Q Trunking\"\n");
    const ToolRun run = runConsole("--page PortGeneral --page PortStatus --page Trunk --script " +
                                   dir / "script.txt");
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_THAT(run.output, HasSubstr("== Status =="));
}

TEST(ConsolePages, DumpWithSeveralPagesPrintsEachInTheirOrder) {
    const ToolRun run = runConsole("--page PortStatus --page PortGeneral --dump");
    ASSERT_EQ(run.status, 0) << run.output;
    const auto status = run.output.find("== Status ==");
    const auto general = run.output.find("== General ==");
    ASSERT_NE(status, std::string::npos) << run.output;
    ASSERT_NE(general, std::string::npos) << run.output;
    EXPECT_LT(status, general);
    EXPECT_THAT(run.output, HasSubstr("Port Type: 10/100BASE-TX Auto"));
}

TEST(ConsoleState, AChangeOutlivesTheConsoleAndAForeignStateIsRefused) {
    TempDir dir;
    dir.write("rename.txt",
              "page PortStatus\n"
              "select \"Physical Ports\" 0\n"
              "type Description \"kept across runs\"\n"
              "apply\n");
    const std::string state = dir / "state.json";
    const ToolRun first =
        runConsole("sim --state " + state + " --page PortStatus --script " + dir / "rename.txt");
    ASSERT_EQ(first.status, 0) << first.output;
    ASSERT_TRUE(std::filesystem::exists(state));

    const ToolRun second = runConsole("--agent sim --state " + state + " --page PortStatus --dump");
    EXPECT_EQ(second.status, 0) << second.output;
    EXPECT_THAT(second.output, HasSubstr("kept across runs"));
    const ToolRun without = runConsole("--page PortStatus --dump");
    EXPECT_THAT(without.output, Not(HasSubstr("kept across runs")));

    // the state of a switch with more ports than this scenario has
    std::ifstream original(state);
    std::string text((std::istreambuf_iterator<char>(original)), {});
    const std::string foreign = dir / "foreign.json";
    const auto cells = text.find("\"cells\": [");
    ASSERT_NE(cells, std::string::npos);
    text.insert(cells + 10, "{\"oid\": \"1.3.6.1.4.1.32473.1.1.1.1.4.9.1\", \"type\": 1},");
    std::ofstream(foreign) << text;
    const ToolRun refused = runConsole("--state " + foreign + " --dump");
    EXPECT_EQ(refused.status, 2) << refused.output;
    EXPECT_THAT(refused.output, HasSubstr("does not fit this scenario: it has "
                                          "phyPortAdmStatus.9.1"));
}

}  // namespace
}  // namespace console

namespace console {
namespace {

// A UDP port that takes requests and never answers, for as long as the test holds it.
class SilentAgent {
public:
    SilentAgent() {
        m_fd = socket(AF_INET, SOCK_DGRAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        if (bind(m_fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
            getsockname(m_fd, reinterpret_cast<sockaddr*>(&address), &length) == 0) {
            m_port = ntohs(address.sin_port);
        }
    }
    ~SilentAgent() { close(m_fd); }
    std::string address() const { return "127.0.0.1:" + std::to_string(m_port); }

private:
    int m_fd = -1;
    int m_port = 0;
};

TEST(StatusLine, ShowsOnATerminalDuringASlowReadAndNeverOnAPipe) {
    SilentAgent agent;
    const std::string args = agent.address() + " -t 1 -r 2 --page PortStatus --dump";
    // script(1) gives the console a pseudo-terminal and copies what it shows to the pipe
    const ToolRun terminal = runShell("script -qec '" SW_SWCONSOLE_PATH " " + args + "' /dev/null");
    EXPECT_EQ(terminal.status, 1) << terminal.output;
    EXPECT_THAT(terminal.output,
                HasSubstr("swconsole: reading sysName from udp:" + agent.address() + " (v2c): "));
    EXPECT_THAT(terminal.output, HasSubstr("retry 1 of 2"));
    EXPECT_THAT(terminal.output, HasSubstr("\r\033[K"));
    EXPECT_THAT(terminal.output, HasSubstr("No response")) << "the failure itself still shows";

    const ToolRun quiet =
        runShell("script -qec '" SW_SWCONSOLE_PATH " --quiet " + args + "' /dev/null");
    EXPECT_EQ(quiet.status, 1) << quiet.output;
    EXPECT_THAT(quiet.output, Not(HasSubstr("reading sysName")));

    const ToolRun pipe = runConsole(args);
    EXPECT_EQ(pipe.status, 1) << pipe.output;
    EXPECT_THAT(pipe.output, Not(HasSubstr("reading sysName")));
    EXPECT_THAT(pipe.output, Not(HasSubstr("\033[K")));
}

}  // namespace
}  // namespace console
