#pragma once
// One run of the console: options to exit status. Loads the module, builds the agent,
// opens the port's pages in a property sheet and runs the script against it.

#include <iosfwd>
#include <string>
#include <vector>

namespace console {

enum ExitStatus { kExitOk = 0, kExitStepFailed = 1, kExitUsage = 2 };

struct SessionEnvironment {
    std::ostream& out;
    std::ostream& err;
    std::istream& in;         // the script when it is "-"
    std::string buildModule;  // where the build put the module ("" when unknown)
    std::string program;      // for messages
    // Where an installation puts the module, relative to the executable's folder.
    std::string installedModuleDir = "";
};

// "swconsole (torvik) 1.0.0": the first line is what help2man takes for the version.
std::string versionText(const std::string& program);

int runConsole(const std::vector<std::string>& args, SessionEnvironment& env);

}  // namespace console
