#pragma once
// The one object through which a test, a script or a front end answers message boxes and
// acts inside modal dialogs. Without one, a message box is printed to stderr and answered
// with its default button.

#include <functional>
#include <string>

#include "framework/afx/window.h"

namespace afx {

class UiDriver {
public:
    virtual ~UiDriver() = default;
    // Called while the box is open (it is WindowSystem's current message box); returns
    // IDOK, IDCANCEL, IDYES, IDNO, ...
    virtual int answerMessageBox(const MessageBoxState& box) = 0;
    // Called when a modal dialog's loop starts; the driver may operate the dialog and end it.
    virtual void modalLoopStarted(HWND /*dialog*/) {}
    // Called when that loop has ended, before DoModal returns; the window may be gone already.
    virtual void modalLoopEnded(HWND /*dialog*/) {}
    // Every modal loop (dialogs and sheets) runs here, after modalLoopStarted: runs events
    // until ended() is true and returns true, or returns false when nothing can end it any
    // more. The default spins the process's event loop; a front end with a loop of its own
    // runs a nested loop of that instead.
    virtual bool runModal(HWND dialog, const std::function<bool()>& ended);
};

// The event loop's own modal loop: runs it until ended() or the dialog is gone; with the
// virtual clock, time jumps to the next timer when idle, and with neither timers nor
// watched descriptors nothing can end the loop (false).
bool spinModalLoop(HWND dialog, const std::function<bool()>& ended);

// Returns the previous driver; nullptr removes it.
UiDriver* setUiDriver(UiDriver* driver);
UiDriver* uiDriver();

// Opens a message box: observable while open, answered by the driver or by default.
int showMessageBox(HWND owner, const std::string& text, const std::string& caption, UINT style);
// The button a box of that style answers with when nobody chooses (its default button).
int defaultMessageBoxAnswer(UINT style);

void setApplicationName(const std::string& name);
const std::string& applicationName();

}  // namespace afx
