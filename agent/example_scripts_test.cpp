// Every example script in console/examples runs to a clean end in process and over swsimd,
// and prints the same thing both ways. A script names the console options it needs on a
// line "# args: ..." (the page and the selection); the agent options are added here.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "agent/wire_test_support.h"
#include "tests/support/command_output.h"

namespace agent {
namespace {

using ScriptRun = test_support::CommandOutput;
using test_support::runCommand;

std::vector<std::string> exampleScripts() {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(SW_CONSOLE_EXAMPLES_DIR)) {
        if (entry.path().extension() == ".txt") {
            names.push_back(entry.path().stem().string());
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::string scriptPath(const std::string& name) {
    return std::string(SW_CONSOLE_EXAMPLES_DIR) + "/" + name + ".txt";
}

std::string argsOf(const std::string& name) {
    std::ifstream in(scriptPath(name));
    std::string line;
    while (std::getline(in, line)) {
        if (line.rfind("# args:", 0) == 0) {
            return line.substr(7);
        }
    }
    return "";
}

class ExampleScript : public ::testing::TestWithParam<std::string> {};

TEST_P(ExampleScript, EndsCleanlyAndAlikeInProcessAndOverSnmp) {
    const std::string common = argsOf(GetParam()) + " --script " + scriptPath(GetParam());
    const std::string console = std::string("timeout 120 ") + SW_SWCONSOLE_PATH + " ";
    const ScriptRun local = runCommand(console + common);
    ASSERT_EQ(local.status, 0) << local.output;

    int port = 0;
    auto daemon = testing::startSwsimd({}, &port);
    ASSERT_NE(daemon, nullptr);
    const ScriptRun wire = runCommand(console + "--agent udp:127.0.0.1:" + std::to_string(port) +
                                      " -v 2c -c private -t 2 -r 1 " + common);
    EXPECT_EQ(wire.status, 0) << wire.output;
    EXPECT_EQ(wire.output, local.output);
}

INSTANTIATE_TEST_SUITE_P(Console, ExampleScript, ::testing::ValuesIn(exampleScripts()),
                         [](const auto& info) { return info.param; });

}  // namespace
}  // namespace agent
