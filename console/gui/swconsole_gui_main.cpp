// swconsole-gui: the chassis-switch console's window.
#include <iostream>

#include "console/gui/gui_app.h"

#ifndef SW_TORVIK_BUILD_PATH
#define SW_TORVIK_BUILD_PATH ""
#endif
#ifndef SW_MODULE_RELATIVE_DIR
#define SW_MODULE_RELATIVE_DIR ""
#endif

int main(int argc, char** argv) {
    gui::GuiEnvironment env{std::cout, std::cerr, SW_TORVIK_BUILD_PATH, SW_MODULE_RELATIVE_DIR};
    return gui::runGui(argc, argv, env);
}
