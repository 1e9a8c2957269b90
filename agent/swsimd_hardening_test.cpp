// swsimd against clients that ask too much or start it wrongly: it stays small and
// responsive, answers what does not fit with tooBig, and fails to start with a reason.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <fstream>

#include "agent/wire_test_support.h"
#include "tests/support/command_output.h"

namespace agent {
namespace {

using ::testing::HasSubstr;
using Clock = std::chrono::steady_clock;

using Finished = test_support::CommandOutput;
using test_support::runCommand;

// Peak resident memory of a process, in kB.
long peakKilobytes(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0) {
            return std::stol(line.substr(6));
        }
    }
    return -1;
}

std::string swsimd(const std::string& args) {
    return std::string("timeout 20 ") + SWSIMD_PATH + " " + args;
}

TEST(SwsimdLimits, AGetBulkOfEveryRepetitionLeavesTheAgentSmallAndAnswering) {
    int port = 0;
    auto daemon = testing::startSwsimd({}, &port);
    ASSERT_NE(daemon, nullptr);
    const std::string at = " -v2c -c public -On -t 5 -r 0 127.0.0.1:" + std::to_string(port);
    runCommand("snmpbulkget -Cr2147483647" + at + " 1.3.6.1.2.1.1");

    const auto asked = Clock::now();
    const Finished get = runCommand("snmpget" + at + " 1.3.6.1.2.1.1.5.0");
    EXPECT_LT(Clock::now() - asked, std::chrono::seconds(1));
    EXPECT_THAT(get.output, HasSubstr(".1.3.6.1.2.1.1.5.0 = STRING: \"demo-switch\""));
    EXPECT_LT(peakKilobytes(daemon->pid()), 200 * 1024);

    const auto stopping = Clock::now();
    EXPECT_EQ(daemon->stop(5000), 0);
    EXPECT_LT(Clock::now() - stopping, std::chrono::seconds(1));
}

TEST(SwsimdLimits, AnAnswerLargerThanADatagramIsTooBig) {
    int port = 0;
    auto daemon = testing::startSwsimd({}, &port);
    ASSERT_NE(daemon, nullptr);
    afx::EventLoop loop;
    mib::NetSnmpConfig config;
    config.address = testing::address(port);
    config.community = "public";
    mib::NetSnmpTransport transport(config, loop);
    // 2,000 names of the system description: a small request, an answer of 100 kB.
    const std::vector<mib::Oid> names(2000, mib::Oid{1, 3, 6, 1, 2, 1, 1, 1, 0});
    const auto result =
        testing::roundTrip(loop, transport, testing::request(mib::PduType::Get, names), {2, 0});
    ASSERT_EQ(result.outcome, mib::TransportOutcome::Response) << result.message;
    EXPECT_EQ(result.response.errorStatus, mib::ErrorStatus::TooBig);
}

TEST(SwsimdStart, ABusyOrInvalidAddressIsRefusedWithItsReason) {
    int port = 0;
    auto daemon = testing::startSwsimd({}, &port);
    ASSERT_NE(daemon, nullptr);
    const std::string busy = "udp:127.0.0.1:" + std::to_string(port);
    Finished second = runCommand(swsimd("--listen " + busy));
    EXPECT_EQ(second.status, 1) << second.output;
    EXPECT_THAT(second.output, HasSubstr("cannot listen on " + busy + ": Address already in use"));

    Finished invalid = runCommand(swsimd("--listen udp:127.0.0.1:99999"));
    EXPECT_EQ(invalid.status, 1) << invalid.output;
    EXPECT_THAT(invalid.output, HasSubstr("cannot listen on udp:127.0.0.1:99999: port 99999"));

    Finished unusable = runCommand(swsimd("--listen nowhere:at:all"));
    EXPECT_EQ(unusable.status, 1) << unusable.output;
    EXPECT_THAT(unusable.output, HasSubstr("cannot listen on nowhere:at:all: "));
}

TEST(SwsimdStart, UnknownOptionsAndUnboundedTablesAreUsageErrors) {
    for (const char* args : {"--bogus", "--listen udp:127.0.0.1:0 --bogus"}) {
        const Finished done = runCommand(swsimd(args));
        EXPECT_EQ(done.status, 2) << args;
        EXPECT_THAT(done.output, HasSubstr("swsimd: unknown option --bogus")) << args;
    }
    for (const char* table : {"2147483648", "100000x100", "10x0", "10y", "-5", "10x"}) {
        const Finished done = runCommand(swsimd(std::string("--synthetic-table ") + table));
        EXPECT_EQ(done.status, 2) << table << ": " << done.output;
        EXPECT_THAT(done.output, HasSubstr("--synthetic-table needs ROWS")) << table;
    }
}

TEST(SwsimdStart, AScenarioWithANumberNoDoubleHoldsIsRefusedNamingTheFile) {
    const std::string path = ::testing::TempDir() + "swsimd_overflow.json";
    std::ofstream(path) << R"({"groups": [{"number": 1, "floodOverride": -1e400}]})";
    const Finished done = runCommand(swsimd("--listen udp:127.0.0.1:0 --scenario " + path));
    EXPECT_EQ(done.status, 1) << done.output;
    EXPECT_THAT(done.output, HasSubstr(path + ": unusable JSON: number overflow"));
}

}  // namespace
}  // namespace agent
