#include "framework/afx/modal_session.h"

#include <cstdio>

#include "framework/afx/ui_hook.h"

namespace afx {

void ModalSession::reset(int defaultResult) {
    m_window = nullptr;
    m_ended = false;
    m_result = defaultResult;
}

bool ModalSession::end(int result) {
    m_result = result;
    m_ended = true;
    if (m_running) {
        windows().setModalState(m_window, ModalState::Ended);
    }
    return m_running;
}

int ModalSession::run(HWND window, HWND ownerToDisable, int resultIfStuck, const char* what) {
    auto& ws = windows();
    m_window = window;
    const WindowRecord* owner = ws.find(ownerToDisable);
    const bool ownerWasEnabled = owner && owner->enabled;
    if (ownerWasEnabled) {
        ws.setEnabled(ownerToDisable, false);
    }
    m_running = true;
    ws.setModalState(window, m_ended ? ModalState::Ended : ModalState::Running);
    UiDriver* driver = uiDriver();
    if (driver) {
        driver->modalLoopStarted(window);
    }
    const auto ended = [this] { return m_ended; };
    const bool done = driver ? driver->runModal(window, ended) : spinModalLoop(window, ended);
    if (!done && ws.isWindow(window)) {
        std::fprintf(stderr, "afx: modal %s waits for nothing; cancelled\n", what);
        m_result = resultIfStuck;
    }
    m_running = false;
    if (UiDriver* after = uiDriver()) {
        after->modalLoopEnded(window);
    }
    if (ownerWasEnabled && ws.isWindow(ownerToDisable)) {
        ws.setEnabled(ownerToDisable, true);
    }
    if (ws.isWindow(window)) {
        ws.destroy(window);
    }
    return m_result;
}

}  // namespace afx
