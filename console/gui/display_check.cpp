#include "console/gui/display_check.h"

#include <dlfcn.h>

#include <cstdlib>

namespace gui {

namespace {

bool nonEmpty(const char* text) {
    return text != nullptr && *text != '\0';
}

// libxcb is what Qt's X11 plugin connects with; it is loaded only to ask, so the window
// does not link it.
bool xcbConnects(const std::string& display) {
    void* xcb = dlopen("libxcb.so.1", RTLD_NOW | RTLD_LOCAL);
    if (xcb == nullptr) {
        return true;  // cannot ask: let Qt try
    }
    using Connect = void* (*)(const char*, int*);
    using HasError = int (*)(void*);
    using Disconnect = void (*)(void*);
    auto connect = reinterpret_cast<Connect>(dlsym(xcb, "xcb_connect"));
    auto hasError = reinterpret_cast<HasError>(dlsym(xcb, "xcb_connection_has_error"));
    auto disconnect = reinterpret_cast<Disconnect>(dlsym(xcb, "xcb_disconnect"));
    bool answers = true;
    if (connect != nullptr && hasError != nullptr && disconnect != nullptr) {
        void* connection = connect(display.empty() ? nullptr : display.c_str(), nullptr);
        answers = connection != nullptr && hasError(connection) == 0;
        if (connection != nullptr) {
            disconnect(connection);
        }
    }
    dlclose(xcb);
    return answers;
}

}  // namespace

std::string missingDisplay(const DisplayEnvironment& env) {
    const char* platform = env.getenv("QT_QPA_PLATFORM");
    const std::string chosen = nonEmpty(platform) ? platform : "";
    const bool x11 = chosen.empty() || chosen.rfind("xcb", 0) == 0;
    if (!x11 && chosen.rfind("wayland", 0) != 0) {
        return "";  // offscreen, vnc, eglfs...: no desktop session needed
    }
    if (chosen.rfind("wayland", 0) == 0) {
        return nonEmpty(env.getenv("WAYLAND_DISPLAY"))
                   ? ""
                   : "no display: QT_QPA_PLATFORM is " + chosen + " but WAYLAND_DISPLAY is not set";
    }
    const char* display = env.getenv("DISPLAY");
    if (!nonEmpty(display)) {
        if (chosen.empty() && nonEmpty(env.getenv("WAYLAND_DISPLAY"))) {
            return "";
        }
        return "no display: DISPLAY is not set (run it in a desktop session, or with "
               "QT_QPA_PLATFORM=offscreen to render without one)";
    }
    if (env.xServerAnswers && !env.xServerAnswers(display)) {
        return std::string("no display: the X server at DISPLAY=") + display + " does not answer";
    }
    return "";
}

DisplayEnvironment processDisplayEnvironment() {
    return {[](const char* name) { return static_cast<const char*>(std::getenv(name)); },
            xcbConnects};
}

}  // namespace gui
