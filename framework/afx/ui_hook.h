#pragma once
// The one object through which a test, a script or a front end answers message boxes and
// acts inside modal dialogs. Without one, a message box is printed to stderr and answered
// with its default button.

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
};

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
