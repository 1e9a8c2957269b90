// What swconsole checks before it opens a page: the ports named on its command line and the
// scenario it is given.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

using ::testing::ContainsRegex;
using ::testing::HasSubstr;
using ::testing::Not;

struct ConsoleRun {
    int status = -1;
    std::string output;
};

ConsoleRun runSwconsole(const std::string& args) {
    ConsoleRun run;
    FILE* pipe = popen((std::string(SW_SWCONSOLE_PATH) + " " + args + " 2>&1").c_str(), "r");
    char buffer[4096];
    while (pipe != nullptr && std::fgets(buffer, sizeof buffer, pipe) != nullptr) {
        run.output += buffer;
    }
    if (pipe != nullptr) {
        const int raw = pclose(pipe);
        run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
    }
    return run;
}

TEST(SwconsoleStartup, ASelectedPortTheChassisLacksIsAUsageErrorNamingIt) {
    const ConsoleRun lacking = runSwconsole("--page PortStatus --select 1/1,9/77,1/2");
    EXPECT_EQ(lacking.status, 2) << lacking.output;
    EXPECT_THAT(lacking.output, HasSubstr("--select: the chassis has no port 9/77"));

    const ConsoleRun present = runSwconsole("--page PortStatus --select 1/1,1/2 --dump");
    EXPECT_EQ(present.status, 0) << present.output;
}

// The demo switch has 12 ports in slot 1 and 8 in slot 2.
TEST(SwconsoleStartup, ASelectedRangeOrSlotSelectsEachOfItsPorts) {
    const ConsoleRun stats = runSwconsole("--page PortStats --select 2/*,1/1-2 --dump");
    ASSERT_EQ(stats.status, 0) << stats.output;
    for (int port = 1; port <= 8; ++port) {
        EXPECT_THAT(stats.output, ContainsRegex("#1[34] +2 +" + std::to_string(port) + " "));
    }
    EXPECT_THAT(stats.output, ContainsRegex("#1[34] +1 +2 "));
    EXPECT_THAT(stats.output, Not(ContainsRegex("#1[34] +1 +3 ")));

    const ConsoleRun beyond = runSwconsole("--page PortStats --select 1/1-13");
    EXPECT_EQ(beyond.status, 2) << beyond.output;
    EXPECT_THAT(beyond.output, HasSubstr("--select: the chassis has no port 1/13"));

    const ConsoleRun backwards = runSwconsole("--page PortStats --select 1/12-1");
    EXPECT_EQ(backwards.status, 2) << backwards.output;
    EXPECT_THAT(backwards.output, HasSubstr("--select: 1/12-1: the range ends before it starts"));
}

// A switch without slots answers as a router or a host would: system group, no chassis.
TEST(SwconsoleStartup, AnAgentWithoutChassisTablesIsNamedNotAChassisSwitch) {
    const auto path = std::filesystem::temp_directory_path() /
                      ("swconsole_no_chassis_" + std::to_string(getpid()) + ".json");
    std::ofstream(path) << R"({"system": {"descr": "Edge router\tR2", "name": "r2"}, "slots": []})";
    const ConsoleRun run = runSwconsole("--agent sim:" + path.string() + " --page PortStatus");
    std::filesystem::remove(path);
    EXPECT_EQ(run.status, 1) << run.output;
    EXPECT_EQ(run.output,
              "swconsole: not a chassis switch: simulated switch answers SNMP but has "
              "no chassis slot or port tables; its sysDescr is \"Edge router\\x09R2\"\n");
}

TEST(SwconsoleStartup, AScenarioWithANumberNoDoubleHoldsIsRefusedNamingTheFile) {
    const auto path = std::filesystem::temp_directory_path() / "swconsole_overflow.json";
    std::ofstream(path) << R"({"slots": [{"slot": 1, "moduleType": 1e400}]})";
    const ConsoleRun run = runSwconsole("--agent sim:" + path.string() + " --page PortStatus");
    std::filesystem::remove(path);
    EXPECT_GT(run.status, 0);
    EXPECT_LT(run.status, 128) << "ended by a signal: " << run.output;
    EXPECT_THAT(run.output, HasSubstr(path.string() + ": unusable JSON: number overflow"));
}

}  // namespace
