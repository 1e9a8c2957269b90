#pragma once
// Whether a running modal dialog or sheet has been ended (EndDialog) but its loop has not
// returned yet: the script must then stop acting inside it and let the loop return.

#include "framework/afx/win_types.h"

namespace console {

// True also when the window is gone or is not a modal dialog or sheet.
bool modalHasEnded(HWND modal);

}  // namespace console
