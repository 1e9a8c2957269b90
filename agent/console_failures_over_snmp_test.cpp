// swconsole against swsimd: every refused change is told and counted in the exit status,
// and a slow switch is waited for as long as its requests may take.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "agent/slow_relay.h"
#include "agent/wire_test_support.h"
#include "console/swconsole_test_support.h"

namespace agent {
namespace {

using console::testing::ConsoleRun;
using console::testing::runSwconsole;
using console::testing::TempFile;
using ::testing::HasSubstr;
using ::testing::Not;

std::size_t count(const std::string& text, const std::string& part) {
    std::size_t n = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++n;
    }
    return n;
}

class ConsoleFailuresOverSnmpTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_daemon = testing::startSwsimd({}, &m_port);
        ASSERT_NE(m_daemon, nullptr);
    }
    std::unique_ptr<DaemonProcess> m_daemon;
    int m_port = 0;
};

TEST_F(ConsoleFailuresOverSnmpTest, EveryApplyTheReadOnlyCommunityCannotMakeIsTold) {
    const TempFile script(
        "page PortStatus\n"
        "select \"Physical Ports\" 0\n"
        "type Description \"first try\"\n"
        "apply\n"
        "type Description \"second try\"\n"
        "apply\n"
        "dump\n");
    const ConsoleRun run =
        runSwconsole("--agent udp:127.0.0.1:" + std::to_string(m_port) +
                     " -v 2c -c public -t 1 -r 0 --page PortStatus --script " + script.arg());
    EXPECT_EQ(run.status, 1) << run.output;
    EXPECT_EQ(count(run.output, "message box \"Error\""), 2u) << run.output;
    EXPECT_THAT(run.output, HasSubstr("Description: \"second try\""));
    EXPECT_THAT(run.output, Not(HasSubstr("[ Apply ] {disabled}")));
    EXPECT_THAT(run.output, HasSubstr("2 sets and 0 reads failed"));
}

TEST_F(ConsoleFailuresOverSnmpTest, ASwitchSlowerThanTheOldBoundIsWaitedFor) {
    // Every answer from the set on takes 2.5 s: the set, the table read and the row read
    // after it take longer than one request's timeout x tries plus slack, 7 s.
    testing::SlowRelay relay(m_port, std::chrono::milliseconds(2500));
    ASSERT_NE(relay.port(), 0);
    const TempFile script(
        "page PortStatus\n"
        "select \"Physical Ports\" 1\n"
        "type Description \"slow, not silent\"\n"
        "apply\n"
        "dump\n");
    const auto start = std::chrono::steady_clock::now();
    const ConsoleRun run = runSwconsole(
        "--agent udp:127.0.0.1:" + std::to_string(relay.port()) +
        " -v 2c -c private -t 5 -r 0 --select 1/1,1/2 --page PortStatus --script " + script.arg());
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_THAT(run.output, Not(HasSubstr("did not settle")));
    EXPECT_GE(count(run.output, "slow, not silent"), 2u) << run.output;  // list and edit
    EXPECT_GT(seconds, 7.0) << "the relay did not slow the switch down";
}

}  // namespace
}  // namespace agent
