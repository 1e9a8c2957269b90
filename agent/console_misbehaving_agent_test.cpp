// swconsole over UDP against agents that answer wrongly: each start ends with a clear error
// within the agent's timeout bound, never in a hang or a huge allocation.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <utility>

#include "agent/daemon_process.h"
#include "tests/support/command_output.h"

namespace agent {
namespace {

using ::testing::HasSubstr;
using Clock = std::chrono::steady_clock;

struct ConsoleRun : test_support::CommandOutput {
    Clock::duration took{};
};

// -t 1 -r 1: every exchange ends within 2 s.
ConsoleRun runConsole(int port) {
    const auto start = Clock::now();
    test_support::CommandOutput done = test_support::runCommand(
        std::string("timeout 60 ") + SW_SWCONSOLE_PATH +
        " --agent udp:127.0.0.1:" + std::to_string(port) + " -t 1 -r 1 --page PortStatus");
    return {std::move(done), Clock::now() - start};
}

std::unique_ptr<DaemonProcess> startAgent(const char* mode, int* port) {
    auto daemon = std::make_unique<DaemonProcess>();
    std::string error;
    if (!daemon->start({MISBEHAVING_AGENT_PATH, mode, "--listen", "udp:127.0.0.1:0"},
                       "ready on udp:127.0.0.1:", 10000, &error)) {
        ADD_FAILURE() << error;
        return nullptr;
    }
    *port = std::stoi(daemon->output().substr(daemon->output().rfind(':') + 1));
    return daemon;
}

TEST(ConsoleAgainstAMisbehavingAgent, AWalkThatNeverAdvancesEndsInAnError) {
    int port = 0;
    auto agent = startAgent("stuck-walk", &port);
    ASSERT_NE(agent, nullptr);
    const ConsoleRun run = runConsole(port);
    EXPECT_EQ(run.status, 1) << run.output;
    EXPECT_THAT(run.output, HasSubstr("cannot read the chassis tables: "));
    EXPECT_THAT(run.output, HasSubstr("unusable answer: agent answered 1.3.6.1.4.1.32473."));
    EXPECT_LT(run.took, std::chrono::seconds(2)) << run.output;
}

TEST(ConsoleAgainstAMisbehavingAgent, APortNumberBeyondAnyChassisEndsInAnError) {
    int port = 0;
    auto agent = startAgent("huge-port", &port);
    ASSERT_NE(agent, nullptr);
    const ConsoleRun run = runConsole(port);
    EXPECT_EQ(run.status, 1) << run.output;
    EXPECT_THAT(run.output, HasSubstr("port 1/2147483647 is beyond port 65535"));
    EXPECT_LT(run.took, std::chrono::seconds(2)) << run.output;
}

}  // namespace
}  // namespace agent
