#pragma once
// swconsole-gui's command line: the text console's agent, journal and port options, plus
// the window's own. Script and page options belong to the text console and are refused.

#include <string>
#include <vector>

#include "console/console_options.h"
#include "console/journal_options.h"

namespace gui {

struct GuiOptions {
    console::ConsoleOptions console;  // agent, --slot/--port/--select, --help, --version
    console::JournalOptions journal;
    std::string screenshotDir;  // --screenshots DIR: render the window's views and exit
};

struct GuiOptionsResult {
    bool ok = false;
    GuiOptions options;
    std::string error;  // for the operator, without the program name
};

GuiOptionsResult parseGuiOptions(std::vector<std::string> args);
std::string guiUsageText(const std::string& program);

}  // namespace gui
