#pragma once
// Runs the built swconsole (SW_SWCONSOLE_PATH) as an operator would, for the console's and
// the agent's tests.

#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace console::testing {

struct ConsoleRun {
    int status = -1;
    std::string output;  // standard output and error together
};

inline std::string shellQuoted(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return quoted + "'";
}

inline ConsoleRun runSwconsole(const std::string& args) {
    ConsoleRun run;
    const std::string command = shellQuoted(SW_SWCONSOLE_PATH) + " " + args + " 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return run;
    }
    std::array<char, 4096> buffer;
    std::size_t n = 0;
    while ((n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0) {
        run.output.append(buffer.data(), n);
    }
    const int raw = pclose(pipe);
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return run;
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
