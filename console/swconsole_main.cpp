// swconsole: opens the property pages of one switch port from the module, in text mode.
#include <iostream>
#include <string>
#include <vector>

#include "console/console_session.h"

#ifndef SW_TORVIK_BUILD_PATH
#define SW_TORVIK_BUILD_PATH ""
#endif
#ifndef SW_MODULE_RELATIVE_DIR
#define SW_MODULE_RELATIVE_DIR ""
#endif

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    console::SessionEnvironment env{
        std::cout, std::cerr, std::cin, SW_TORVIK_BUILD_PATH, "swconsole", SW_MODULE_RELATIVE_DIR};
    return console::runConsole(args, env);
}
