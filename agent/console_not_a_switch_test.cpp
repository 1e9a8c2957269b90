// swconsole against Net-SNMP's own agent: it answers, but it is a host, not a chassis switch.

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>

#include "agent/daemon_process.h"
#include "tests/support/command_output.h"

namespace agent {
namespace {

constexpr const char* kSnmpd = "/usr/sbin/snmpd";
constexpr const char* kDescr = "Lab host 7, no chassis";

// snmpd with a configuration of its own and its persistent files in a temporary directory,
// so that nothing of this machine's agent setup is read or written.
class SnmpdAgent {
public:
    SnmpdAgent() {
        std::string dir = (std::filesystem::temp_directory_path() / "snmpd_XXXXXX").string();
        if (mkdtemp(dir.data()) == nullptr) {
            ADD_FAILURE() << "mkdtemp failed";
            return;
        }
        m_dir = dir;
        const std::string conf = (m_dir / "snmpd.conf").string();
        std::ofstream(conf) << "rocommunity public 127.0.0.1\nsysdescr " << kDescr << "\n";
        // A port found free may be taken before snmpd binds it: a few tries.
        for (int attempt = 0; attempt < 3 && m_port == 0; ++attempt) {
            const int port = freeUdpPort();
            auto daemon = std::make_unique<DaemonProcess>();
            std::string error;
            if (daemon->start(
                    {"env", "SNMP_PERSISTENT_DIR=" + (m_dir / "state").string(), "MIBS=", kSnmpd,
                     "-f", "-Lo", "-C", "-c", conf, "udp:127.0.0.1:" + std::to_string(port)},
                    "NET-SNMP version", 10000, &error)) {
                m_daemon = std::move(daemon);
                m_port = port;
            } else if (attempt == 2) {
                ADD_FAILURE() << error;
            }
        }
    }
    ~SnmpdAgent() {
        m_daemon.reset();  // stopped before its directory goes
        if (!m_dir.empty()) {
            std::error_code ignored;
            std::filesystem::remove_all(m_dir, ignored);
        }
    }
    int port() const { return m_port; }

private:
    std::filesystem::path m_dir;
    std::unique_ptr<DaemonProcess> m_daemon;
    int m_port = 0;
};

using ConsoleRun = test_support::CommandOutput;

ConsoleRun runConsole(const std::string& args) {
    return test_support::runCommand("timeout 60 " + std::string(SW_SWCONSOLE_PATH) + " " + args);
}

TEST(ConsoleAgainstSnmpd, AHostAgentIsNamedNotAChassisSwitchQuotingItsDescription) {
    SnmpdAgent snmpd;
    ASSERT_NE(snmpd.port(), 0);
    const std::string where = "udp:127.0.0.1:" + std::to_string(snmpd.port());
    // SNMPv1 ends the walks with noSuchName, SNMPv2c with endOfMibView or a later subtree.
    for (const std::string version : {"1", "2c"}) {
        const ConsoleRun run =
            runConsole("--agent " + where + " -v " + version + " -t 2 -r 1 --page PortStatus");
        EXPECT_EQ(run.status, 1) << run.output;
        EXPECT_EQ(run.output, "swconsole: not a chassis switch: " + where + " (v" + version +
                                  ") answers SNMP but has no chassis slot or port tables; its "
                                  "sysDescr is \"" +
                                  kDescr + "\"\n");
    }
}

}  // namespace
}  // namespace agent
