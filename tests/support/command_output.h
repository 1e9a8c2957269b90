#pragma once
// Tests that run the built tools as an operator would all need the same few lines of popen;
// one copy here keeps how they read output and exit status alike.

#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <string>

namespace test_support {

struct CommandOutput {
    int status = -1;     // exit status; -1 when it did not exit or could not be started
    std::string output;  // standard output and error together
};

// The command runs under sh with its standard error sent to the same pipe.
inline CommandOutput runCommand(const std::string& shellCommand) {
    CommandOutput result;
    FILE* pipe = popen((shellCommand + " 2>&1").c_str(), "r");
    if (pipe == nullptr) {
        return result;
    }
    std::array<char, 4096> buffer;
    std::size_t n = 0;
    while ((n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0) {
        result.output.append(buffer.data(), n);
    }
    const int raw = pclose(pipe);
    result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return result;
}

// text as one word of sh, whatever it holds.
inline std::string shellQuoted(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return quoted + "'";
}

}  // namespace test_support
