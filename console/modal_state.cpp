#include "console/modal_state.h"

#include "framework/afx/dialog.h"

namespace console {

bool modalHasEnded(HWND modal) {
    if (!afx::windows().isWindow(modal)) {
        return true;
    }
    CWnd* wnd = CWnd::FromHandlePermanent(modal);
    if (auto* dialog = dynamic_cast<CDialog*>(wnd)) {
        return dialog->isModalEnded();
    }
    if (auto* sheet = dynamic_cast<CPropertySheet*>(wnd)) {
        return sheet->isModalEnded();
    }
    return true;
}

}  // namespace console
