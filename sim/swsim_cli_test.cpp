// swsim as an operator runs it: numbers and files it cannot use end in a message and a
// usage status, never in a crash or a quietly different chassis.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <fstream>
#include <string>

namespace sim {
namespace {

using ::testing::HasSubstr;

struct Finished {
    int status = -1;  // 128 + signal when it did not exit
    std::string output;
};

Finished swsim(const std::string& args) {
    Finished done;
    FILE* pipe =
        popen((std::string("timeout 20 ") + SWSIM_PATH + " " + args + " 2>&1").c_str(), "r");
    char buffer[4096];
    while (pipe != nullptr && std::fgets(buffer, sizeof buffer, pipe) != nullptr) {
        done.output += buffer;
    }
    if (pipe != nullptr) {
        const int status = pclose(pipe);
        done.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
    return done;
}

TEST(SwsimCommandLine, GeneratorSizesBeyondAnIntAreOutOfRange) {
    for (const char* args : {"--slots 4294967297", "--ports-per-slot 4294967297",
                             "--groups 99999999999999999999", "--slots ''"}) {
        const Finished done = swsim(std::string("generate ") + args);
        EXPECT_EQ(done.status, 2) << args;
        EXPECT_THAT(done.output, HasSubstr("swsim: ")) << args;
        EXPECT_THAT(done.output, ::testing::Not(HasSubstr("\"slots\""))) << args;
    }
    EXPECT_THAT(swsim("generate --slots 4294967297").output,
                HasSubstr("out of range: --slots 4294967297"));
}

TEST(SwsimCommandLine, AScenarioWithANumberNoDoubleHoldsIsAnErrorNamingTheFile) {
    const std::string path = ::testing::TempDir() + "swsim_overflow.json";
    std::ofstream(path) << R"({"renegotiationMs": 1e400})";
    const Finished done = swsim("--scenario " + path + " get sysName.0");
    EXPECT_GT(done.status, 0);
    EXPECT_LT(done.status, 128) << "ended by a signal: " << done.output;
    EXPECT_THAT(done.output, HasSubstr(path + ": unusable JSON: number overflow"));
}

}  // namespace
}  // namespace sim
