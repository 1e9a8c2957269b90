#pragma once
// The one modal helper behind CDialog::DoModal and CPropertySheet::DoModal: marks the
// window's record modal, disables the owner if asked, hands the loop to the UI driver
// (UiDriver::runModal), and destroys the window when the loop returns.

#include "framework/afx/win_types.h"

namespace afx {

class ModalSession {
public:
    // Runs window modally until end(); returns the result given to end(), or
    // resultIfStuck when nothing could end the loop (what names the window in the notice).
    int run(HWND window, HWND ownerToDisable, int resultIfStuck, const char* what);
    // Records the result and marks the record ended. False when no loop runs (the caller
    // destroys a modeless window itself).
    bool end(int result);
    // Before the window exists: a fresh run, ended by nothing yet.
    void reset(int defaultResult);

    bool running() const { return m_running; }
    bool ended() const { return m_ended; }
    int result() const { return m_result; }

private:
    HWND m_window = nullptr;
    bool m_running = false;
    bool m_ended = false;
    int m_result = -1;
};

}  // namespace afx
