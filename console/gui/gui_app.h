#pragma once
// swconsole-gui from its arguments to its exit status: options, the display check, Qt,
// the presenter of the window system, the main window and its first connection.

#include <iosfwd>
#include <string>
#include <vector>

namespace gui {

struct GuiEnvironment {
    std::ostream& out;
    std::ostream& err;
    std::string buildModule;         // where the build put the module ("" when unknown)
    std::string installedModuleDir;  // relative to the executable's folder
    std::string program = "swconsole-gui";
};

int runGui(int argc, char** argv, GuiEnvironment& env);

}  // namespace gui
