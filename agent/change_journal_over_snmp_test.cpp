// The change journal over the wire: swconsole against swsimd journals its sets, undoes one
// where the switch still holds what it wrote, refuses where someone changed it since, keeps
// no secret, and a console killed between a SET and its answer leaves the change journaled
// as sent with its outcome unknown.

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "agent/wire_test_support.h"
#include "framework/mib/change_journal.h"
#include "framework/mib/mib_dictionary.h"
#include "tests/support/command_output.h"
#include "tests/support/private_state_home.h"

namespace agent {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;
using ::testing::SizeIs;

const bool kPrivateStateHome = test_support::usePrivateStateHome();

using Output = test_support::CommandOutput;
using test_support::runCommand;

std::string oidOf(const char* name, const char* instance) {
    return mib::oidToString(mib::MibDictionary::builtin().find(name)->oid) + "." + instance;
}

class JournalOverSnmpTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(kPrivateStateHome);
        m_daemon = testing::startSwsimd({"--v3-user", "admin", "--auth-pass", testing::kAuthPass,
                                         "--priv-pass", testing::kPrivPass},
                                        &m_port);
        ASSERT_NE(m_daemon, nullptr);
        m_journal = std::filesystem::temp_directory_path() /
                    ("journal_over_snmp_" + std::to_string(getpid()) + ".jsonl");
        std::filesystem::remove(m_journal);
    }
    void TearDown() override { std::filesystem::remove(m_journal); }

    std::string address() const { return "udp:127.0.0.1:" + std::to_string(m_port); }
    std::string v2c() const { return "--agent " + address() + " -v 2c -c private -t 2 -r 1"; }
    std::string v3() const {
        return "--agent " + address() + " -v 3 -u admin -l authPriv -a SHA -A " +
               testing::kAuthPass + " -x AES -X " + testing::kPrivPass + " -t 2 -r 1";
    }
    Output console(const std::string& args) const {
        return runCommand(std::string("timeout 60 ") + SW_SWCONSOLE_PATH + " --journal " +
                          m_journal.string() + " " + args);
    }
    Output statusChange(const std::string& agent) const {
        return console(agent + " --slot 1 --port 2 --select 1/1,1/2,1/3 --script " +
                       SW_CONSOLE_EXAMPLES_DIR + "/status_change.txt");
    }
    std::string get(const char* name) const {
        const Output out = runCommand("snmpget -v2c -c public -m '' -Oqv -t 2 -r 1 127.0.0.1:" +
                                      std::to_string(m_port) + " " + oidOf(name, "1.2"));
        EXPECT_EQ(out.status, 0) << out.output;
        return out.output;
    }
    std::string journalText() const {
        std::ifstream in(m_journal);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    std::vector<mib::JournalChange> changes() const {
        std::string error;
        return mib::readJournal(m_journal.string(), &error).changes;
    }

    std::unique_ptr<DaemonProcess> m_daemon;
    int m_port = 0;
    std::filesystem::path m_journal;
};

TEST_F(JournalOverSnmpTest, UndoPutsTheSwitchBackInOneGetAndOneSetAndIsJournaledItself) {
    ASSERT_EQ(statusChange(v2c()).status, 0);
    EXPECT_THAT(get("phyPortDescription"), HasSubstr("Lab printer"));

    const Output history = console(v2c() + " --history");
    EXPECT_EQ(history.status, 0) << history.output;
    EXPECT_THAT(history.output, HasSubstr("change 1  "));
    EXPECT_THAT(history.output, HasSubstr("phyPortAdmStatus 1.2: enabled(1) -> disabled(2)"));

    const Output undo = console(v2c() + " --trace --undo 1");
    ASSERT_EQ(undo.status, 0) << undo.output;
    EXPECT_THAT(undo.output, HasSubstr("change 1 undone:\n"
                                       "  phyPortDescription 1.2: \"Lab printer\" -> \"Port 1/2\"\n"
                                       "  phyPortAdmStatus 1.2: disabled(2) -> enabled(1)\n"));
    std::vector<std::string> pdus;
    std::istringstream lines(undo.output);
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind("trace: PDU", 0) == 0) {
            pdus.push_back(line);
        }
    }
    ASSERT_THAT(pdus, SizeIs(2));
    EXPECT_THAT(pdus[0], HasSubstr("PDU GET phyPortDescription.1.2, phyPortAdmStatus.1.2"));
    EXPECT_THAT(pdus[1], HasSubstr("PDU SET phyPortDescription.1.2=Port 1/2, "
                                   "phyPortAdmStatus.1.2=enabled"));
    EXPECT_THAT(get("phyPortDescription"), HasSubstr("Port 1/2"));
    EXPECT_THAT(get("phyPortAdmStatus"), HasSubstr("1"));

    const auto all = changes();
    ASSERT_THAT(all, SizeIs(2));
    EXPECT_EQ(all[1].source.undoes, 1);
    EXPECT_EQ(all[1].agentAddress, address());
    EXPECT_EQ(all[1].varbinds[0].before, mib::Value::makeString("Lab printer"));
    EXPECT_EQ(all[1].varbinds[0].sent, mib::Value::makeString("Port 1/2"));
    EXPECT_EQ(mib::describeOutcome(all[1]), "done");

    // Undone once, the change cannot be undone again: the switch no longer holds its values.
    const Output again = console(v2c() + " --undo 1");
    EXPECT_EQ(again.status, 1);
    EXPECT_THAT(again.output, HasSubstr("changed since"));
}

TEST_F(JournalOverSnmpTest, UndoAfterAnotherChangeRefusesAndNamesTheVarbind) {
    ASSERT_EQ(statusChange(v2c()).status, 0);
    const Output set =
        runCommand("snmpset -v2c -c private -m '' -t 2 -r 1 127.0.0.1:" + std::to_string(m_port) +
                   " " + oidOf("phyPortDescription", "1.2") + " s 'Changed by hand'");
    ASSERT_EQ(set.status, 0) << set.output;

    const Output undo = console(v2c() + " --trace --undo 1");
    EXPECT_EQ(undo.status, 1) << undo.output;
    EXPECT_THAT(undo.output,
                HasSubstr("cannot undo change 1: changed since: phyPortDescription 1.2 "
                          "now holds \"Changed by hand\", not \"Lab printer\"; "
                          "nothing was sent"));
    EXPECT_THAT(undo.output, Not(HasSubstr("phyPortAdmStatus 1.2 now holds")));
    EXPECT_THAT(undo.output, Not(HasSubstr("PDU SET")));
    EXPECT_THAT(get("phyPortDescription"), HasSubstr("Changed by hand"));
    EXPECT_THAT(changes(), SizeIs(1));
}

TEST_F(JournalOverSnmpTest, NoCommunityPassPhraseOrKeyReachesTheJournal) {
    ASSERT_EQ(statusChange(v2c()).status, 0);
    ASSERT_EQ(statusChange(v3()).status, 0);
    ASSERT_EQ(console(v3() + " --undo 2").status, 0);
    const std::string text = journalText();
    ASSERT_THAT(changes(), SizeIs(3));
    EXPECT_THAT(text, Not(HasSubstr(testing::kAuthPass)));
    EXPECT_THAT(text, Not(HasSubstr(testing::kPrivPass)));
    EXPECT_THAT(text, Not(HasSubstr("private")));
    EXPECT_THAT(text, Not(HasSubstr("public")));
}

// A UDP relay between the console and swsimd that stops swsimd (SIGSTOP) as the first SET
// goes through, so the SET reaches the switch but no answer comes back.
class SetStoppingRelay {
public:
    SetStoppingRelay(int agentPort, pid_t agentPid) : m_agentPid(agentPid) {
        m_front = bound();
        m_back = bound();
        m_agent.sin_family = AF_INET;
        m_agent.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        m_agent.sin_port = htons(static_cast<std::uint16_t>(agentPort));
        m_thread = std::thread([this] { relay(); });
    }
    ~SetStoppingRelay() {
        m_stop = true;
        m_thread.join();
        ::close(m_front);
        ::close(m_back);
    }
    int port() const {
        sockaddr_in a{};
        socklen_t n = sizeof a;
        getsockname(m_front, reinterpret_cast<sockaddr*>(&a), &n);
        return ntohs(a.sin_port);
    }
    bool setSeen() const { return m_setSeen; }

private:
    static int bound() {
        const int fd = socket(AF_INET, SOCK_DGRAM, 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a);
        return fd;
    }
    // The PDU tag of an SNMPv1/v2c message: SEQUENCE { version, community, PDU }.
    static int pduTag(const unsigned char* p, std::size_t size) {
        std::size_t pos = 0;
        auto header = [&](std::size_t* length) {
            if (pos + 2 > size) {
                return false;
            }
            ++pos;  // tag
            std::size_t len = p[pos++];
            if (len & 0x80) {
                const std::size_t bytes = len & 0x7f;
                len = 0;
                for (std::size_t i = 0; i < bytes && pos < size; ++i) {
                    len = (len << 8) | p[pos++];
                }
            }
            *length = len;
            return true;
        };
        std::size_t length = 0;
        if (!header(&length) || !header(&length)) {  // message, version
            return -1;
        }
        pos += length;
        if (!header(&length)) {  // community
            return -1;
        }
        pos += length;
        return pos < size ? p[pos] : -1;
    }
    void relay() {
        std::array<unsigned char, 65536> buffer;
        sockaddr_in client{};
        while (!m_stop) {
            pollfd fds[2] = {{m_front, POLLIN, 0}, {m_back, POLLIN, 0}};
            if (poll(fds, 2, 50) <= 0) {
                continue;
            }
            if (fds[0].revents & POLLIN) {
                socklen_t n = sizeof client;
                const ssize_t got = recvfrom(m_front, buffer.data(), buffer.size(), 0,
                                             reinterpret_cast<sockaddr*>(&client), &n);
                if (got > 0 && pduTag(buffer.data(), static_cast<std::size_t>(got)) == 0xA3 &&
                    !m_setSeen) {
                    kill(m_agentPid, SIGSTOP);
                    m_setSeen = true;
                }
                if (got > 0) {
                    sendto(m_back, buffer.data(), static_cast<std::size_t>(got), 0,
                           reinterpret_cast<const sockaddr*>(&m_agent), sizeof m_agent);
                }
            }
            if (fds[1].revents & POLLIN) {
                const ssize_t got = recv(m_back, buffer.data(), buffer.size(), 0);
                if (got > 0) {
                    sendto(m_front, buffer.data(), static_cast<std::size_t>(got), 0,
                           reinterpret_cast<const sockaddr*>(&client), sizeof client);
                }
            }
        }
    }

    pid_t m_agentPid;
    int m_front = -1;
    int m_back = -1;
    sockaddr_in m_agent{};
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_setSeen{false};
    std::thread m_thread;
};

TEST_F(JournalOverSnmpTest, AConsoleKilledBetweenSetAndAnswerLeavesTheChangeSentOutcomeUnknown) {
    // swsimd runs under timeout(1): the daemon itself is its child.
    const Output child = runCommand("pgrep -P " + std::to_string(m_daemon->pid()));
    const pid_t agentPid = child.status == 0 ? std::stoi(child.output) : m_daemon->pid();
    auto relay = std::make_unique<SetStoppingRelay>(m_port, agentPid);
    const std::string script = std::string(SW_CONSOLE_EXAMPLES_DIR) + "/status_change.txt";

    const pid_t consolePid = fork();
    ASSERT_GE(consolePid, 0);
    if (consolePid == 0) {
        const std::string agent = "udp:127.0.0.1:" + std::to_string(relay->port());
        if (std::freopen("/dev/null", "w", stdout) == nullptr) {
            _exit(127);
        }
        execl(SW_SWCONSOLE_PATH, SW_SWCONSOLE_PATH, "--journal", m_journal.c_str(), "--agent",
              agent.c_str(), "-v", "2c", "-c", "private", "-t", "5", "-r", "0", "--slot", "1",
              "--port", "2", "--select", "1/1,1/2,1/3", "--script", script.c_str(),
              static_cast<char*>(nullptr));
        _exit(127);
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!relay->setSeen() && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    const bool seen = relay->setSeen();
    const std::string relayed = "--agent udp:127.0.0.1:" + std::to_string(relay->port());
    kill(consolePid, SIGKILL);
    waitpid(consolePid, nullptr, 0);
    relay.reset();
    kill(agentPid, SIGCONT);
    ASSERT_TRUE(seen) << "the console sent no SET";

    const auto all = changes();
    ASSERT_THAT(all, SizeIs(1));
    EXPECT_FALSE(all[0].outcome.has_value());
    EXPECT_EQ(mib::describeOutcome(all[0]), "sent, outcome unknown");
    EXPECT_EQ(all[0].varbinds[0].before, mib::Value::makeString("Port 1/2"));
    EXPECT_EQ(all[0].varbinds[0].sent, mib::Value::makeString("Lab printer"));
    // The SET did reach the switch: what the journal kept is what the switch holds.
    EXPECT_THAT(get("phyPortDescription"), HasSubstr("Lab printer"));
    const Output history = console(relayed + " --history");
    EXPECT_THAT(history.output, HasSubstr("sent, outcome unknown"));
}

}  // namespace
}  // namespace agent
