#pragma once
// Runs the built swconsole (SW_SWCONSOLE_PATH) as an operator would, for the console's and
// the agent's tests.

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "tests/support/command_output.h"

namespace console::testing {

using ConsoleRun = test_support::CommandOutput;
using test_support::shellQuoted;

inline ConsoleRun runSwconsole(const std::string& args) {
    return test_support::runCommand(shellQuoted(SW_SWCONSOLE_PATH) + " " + args);
}

// A file in the temporary directory holding text, removed with the object.
class TempFile {
public:
    explicit TempFile(const std::string& text, const std::string& suffix = ".txt")
        : m_path(std::filesystem::temp_directory_path() /
                 ("swconsole_test_" + std::to_string(getpid()) + "_" + std::to_string(s_count++) +
                  suffix)) {
        std::ofstream(m_path, std::ios::binary) << text;
    }
    ~TempFile() { std::filesystem::remove(m_path); }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;
    std::string arg() const { return shellQuoted(m_path.string()); }

private:
    static inline int s_count = 0;
    std::filesystem::path m_path;
};

}  // namespace console::testing
