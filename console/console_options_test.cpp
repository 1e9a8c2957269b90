#include "console/console_options.h"

#include <gtest/gtest.h>

namespace console {
namespace {

ConsoleOptions parsed(const std::vector<std::string>& args) {
    const OptionsResult result = parseOptions(args);
    EXPECT_TRUE(result.ok) << result.error;
    return result.options;
}

std::string refused(const std::vector<std::string>& args) {
    const OptionsResult result = parseOptions(args);
    EXPECT_FALSE(result.ok);
    return result.error;
}

TEST(ConsoleOptions, DefaultsAreTheEmbeddedSwitchAndTheChassisFirstPort) {
    const ConsoleOptions o = parsed({});
    EXPECT_EQ(o.agent.kind, AgentChoice::Kind::Simulated);
    EXPECT_TRUE(o.agent.scenarioPath.empty());
    EXPECT_FALSE(o.port.has_value());
    EXPECT_TRUE(o.selected.empty());
    EXPECT_TRUE(o.pages.empty());
    EXPECT_FALSE(o.dump || o.trace || o.help);
}

TEST(ConsoleOptions, AgentsScenariosAndAddresses) {
    EXPECT_EQ(parsed({"--agent", "sim:lab.json"}).agent.scenarioPath, "lab.json");
    EXPECT_EQ(parsed({"--agent=sim"}).agent.kind, AgentChoice::Kind::Simulated);

    const ConsoleOptions withPort = parsed({"--agent", "udp:10.0.0.5:16100"});
    EXPECT_EQ(withPort.agent.kind, AgentChoice::Kind::Snmp);
    EXPECT_EQ(withPort.agent.snmp.address, "udp:10.0.0.5:16100");
    // The standard port is filled in, as Net-SNMP does.
    EXPECT_EQ(parsed({"--agent", "udp:switch1"}).agent.snmp.address, "udp:switch1:161");

    EXPECT_NE(refused({"--agent", "simm"}).find("sim[:SCENARIO.json]"), std::string::npos);
    EXPECT_FALSE(parseOptions({"--agent", "sim:"}).ok);
    EXPECT_FALSE(parseOptions({"--agent", "udp:"}).ok);
    EXPECT_FALSE(parseOptions({"--agent", "udp:host:0"}).ok);
    EXPECT_FALSE(parseOptions({"--agent", "udp:host:70000"}).ok);
    EXPECT_FALSE(parseOptions({"--agent", "tcp:host"}).ok);
}

TEST(ConsoleOptions, NetSnmpStyleSecurityOptionsSeparateAndAttached) {
    const ConsoleOptions o = parsed({"--agent", "udp:127.0.0.1:16100",
                                     "-v",      "3",
                                     "-u",      "admin",
                                     "-l",      "authPriv",
                                     "-a",      "SHA",
                                     "-A",      "authpass1",
                                     "-x",      "AES",
                                     "-X",      "privpass1",
                                     "-t",      "2",
                                     "-r",      "0"});
    EXPECT_EQ(o.agent.snmp.version, mib::SnmpVersion::V3);
    EXPECT_EQ(o.agent.snmp.user, "admin");
    EXPECT_EQ(o.agent.snmp.level, mib::SecurityLevel::AuthPriv);
    EXPECT_EQ(o.agent.snmp.authProtocol, mib::AuthProtocol::Sha1);
    EXPECT_EQ(o.agent.snmp.authPassword, "authpass1");
    EXPECT_EQ(o.agent.snmp.privProtocol, mib::PrivProtocol::Aes128);
    EXPECT_EQ(o.agent.snmp.privPassword, "privpass1");
    EXPECT_EQ(o.agent.timeoutSeconds, 2);
    EXPECT_EQ(o.agent.retries, 0);

    const ConsoleOptions attached = parsed({"-v1", "-cprivate"});
    EXPECT_EQ(attached.agent.snmp.version, mib::SnmpVersion::V1);
    EXPECT_EQ(attached.agent.snmp.community, "private");
}

TEST(ConsoleOptions, BadValuesAreNamed) {
    EXPECT_NE(refused({"-v", "4"}).find("-v"), std::string::npos);
    EXPECT_NE(refused({"-l", "secret"}).find("-l"), std::string::npos);
    EXPECT_NE(refused({"-a", "CRC"}).find("-a"), std::string::npos);
    EXPECT_NE(refused({"-x", "ROT13"}).find("-x"), std::string::npos);
    EXPECT_NE(refused({"-t", "0"}).find("-t"), std::string::npos);
    EXPECT_NE(refused({"-r", "-1"}).find("-r"), std::string::npos);
    EXPECT_EQ(refused({"--frobnicate"}), "unknown option --frobnicate");
    EXPECT_EQ(refused({"--page"}), "option --page needs a value");
}

TEST(ConsoleOptions, ErrorsNeverRepeatAStrayArgument) {
    // A pass phrase typed without its option must not end up on the screen. The first
    // argument without an option is the agent, as with Net-SNMP's tools; any further one is
    // refused by its position only.
    const std::string error = refused({"-u", "admin", "switch1", "s3cretPhrase"});
    EXPECT_EQ(error.find("s3cretPhrase"), std::string::npos);
    EXPECT_NE(error.find("position 4"), std::string::npos);
}

TEST(ConsoleOptions, PortSelectionAndPages) {
    const ConsoleOptions o = parsed({"--slot", "3", "--port", "7", "--select", "3/7,3/8,1/2",
                                     "--page", "PortStatus", "--page", "Speed", "--dump"});
    ASSERT_TRUE(o.port.has_value());
    EXPECT_EQ(*o.port, (SlotPort{3, 7}));
    EXPECT_EQ(o.selected, (std::vector<PortSpan>{{3, 7, 7}, {3, 8, 8}, {1, 2, 2}}));
    EXPECT_EQ(o.pages, (std::vector<std::string>{"PortStatus", "Speed"}));
    EXPECT_TRUE(o.dump);

    EXPECT_EQ(refused({"--slot", "3"}), "--slot needs --port");
    EXPECT_EQ(refused({"--port", "3"}), "--port needs --slot");
    EXPECT_FALSE(parseOptions({"--slot", "0", "--port", "1"}).ok);
    EXPECT_FALSE(parseOptions({"--slot", "x", "--port", "1"}).ok);
    for (const char* bad : {"3", "3/", "/7", "3/7,", "3/7,,4/1", "3-7", "3/0"}) {
        EXPECT_FALSE(parseOptions({"--select", bad}).ok) << bad;
    }
    EXPECT_EQ(refused({"--select", "1/1,1/12-1"}),
              "--select: 1/12-1: the range ends before it starts");
    EXPECT_EQ(parsed({"--select", "1/1-2", "--select", "4/*"}).selected,
              (std::vector<PortSpan>{{1, 1, 2}, {4, 0, 0}}));
}

TEST(ConsoleOptions, UsageNamesEveryOption) {
    const std::string usage = usageText("swconsole");
    for (const char* option :
         {"--agent", "-v",       "-c",     "-u",      "-l",       "-a",     "-A",
          "-x",      "-X",       "-t",     "-r",      "--slot",   "--port", "--select",
          "--page",  "--script", "--dump", "--trace", "--module", "--help"}) {
        EXPECT_NE(usage.find(option), std::string::npos) << option;
    }
    EXPECT_NE(usage.find("sheet main|N|CAPTION"), std::string::npos);
}

}  // namespace
}  // namespace console
