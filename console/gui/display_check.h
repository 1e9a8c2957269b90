#pragma once
// Whether a window can be shown at all, asked before Qt is started: Qt's X11 platform
// plugin aborts the process when it finds no display, and an operator deserves one line
// saying why instead of a core dump.

#include <functional>
#include <string>

namespace gui {

struct DisplayEnvironment {
    std::function<const char*(const char*)> getenv;
    // Whether an X server answers at display ("" for the default); null: assume it does.
    std::function<bool(const std::string& display)> xServerAnswers;
};

// Why no window can be shown ("" when one can).
std::string missingDisplay(const DisplayEnvironment& env);
// The process's environment and a real connection attempt through libxcb, when it is there.
DisplayEnvironment processDisplayEnvironment();

}  // namespace gui
