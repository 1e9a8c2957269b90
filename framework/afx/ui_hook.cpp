#include "framework/afx/ui_hook.h"

#include <algorithm>
#include <cstdio>

#include "framework/afx/event_loop.h"

namespace afx {

namespace {
UiDriver*& driverSlot() {
    static UiDriver* driver = nullptr;
    return driver;
}
std::string& applicationNameSlot() {
    static std::string name = "Switch Manager";
    return name;
}
}  // namespace

bool UiDriver::runModal(HWND dialog, const std::function<bool()>& ended) {
    return spinModalLoop(dialog, ended);
}

bool spinModalLoop(HWND dialog, const std::function<bool()>& ended) {
    EventLoop& loop = EventLoop::instance();
    while (!ended() && windows().isWindow(dialog)) {
        if (!loop.isVirtualClock()) {
            loop.runOnce(50);
            continue;
        }
        loop.runUntilIdle();
        if (ended()) {
            break;
        }
        if (loop.hasTimers()) {
            loop.advance(std::max<std::int64_t>(0, loop.nextTimerDue() - loop.now()));
        } else if (loop.hasWatches()) {
            loop.runOnce(10);
        } else {
            return ended();
        }
    }
    return ended();
}

UiDriver* setUiDriver(UiDriver* driver) {
    UiDriver* previous = driverSlot();
    driverSlot() = driver;
    return previous;
}

UiDriver* uiDriver() {
    return driverSlot();
}

int defaultMessageBoxAnswer(UINT style) {
    const bool second = (style & MB_DEFMASK) == MB_DEFBUTTON2;
    const bool third = (style & MB_DEFMASK) == MB_DEFBUTTON3;
    switch (style & MB_TYPEMASK) {
        case MB_OKCANCEL:
            return second ? IDCANCEL : IDOK;
        case MB_ABORTRETRYIGNORE:
            return third ? IDIGNORE : second ? IDRETRY : IDABORT;
        case MB_YESNOCANCEL:
            return third ? IDCANCEL : second ? IDNO : IDYES;
        case MB_YESNO:
            return second ? IDNO : IDYES;
        case MB_RETRYCANCEL:
            return second ? IDCANCEL : IDRETRY;
        default:
            return IDOK;
    }
}

int showMessageBox(HWND owner, const std::string& text, const std::string& caption, UINT style) {
    auto& system = WindowSystem::instance();
    MessageBoxState box{owner, text, caption, style};
    system.pushMessageBox(box);
    int answer;
    if (UiDriver* driver = uiDriver()) {
        answer = driver->answerMessageBox(box);
    } else {
        answer = defaultMessageBoxAnswer(style);
        std::fprintf(stderr, "[message box] %s (style %u): %s -> %d\n", caption.c_str(), style,
                     text.c_str(), answer);
    }
    system.popMessageBox();
    return answer;
}

void setApplicationName(const std::string& name) {
    applicationNameSlot() = name;
}
const std::string& applicationName() {
    return applicationNameSlot();
}

}  // namespace afx
