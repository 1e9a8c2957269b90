#include "console/modal_state.h"

#include "framework/afx/dialog.h"

namespace console {

namespace {

// The end flag is protected; a derived class may name it, and the member pointer then
// reads it on any dialog or sheet.
struct DialogEndFlag : CDialog {
    static bool of(const CDialog& dialog) { return dialog.*(&DialogEndFlag::m_modalEnded); }
};
struct SheetEndFlag : CPropertySheet {
    static bool of(const CPropertySheet& sheet) { return sheet.*(&SheetEndFlag::m_modalEnded); }
};

}  // namespace

bool modalHasEnded(HWND modal) {
    if (!afx::windows().isWindow(modal)) {
        return true;
    }
    CWnd* wnd = CWnd::FromHandlePermanent(modal);
    if (auto* dialog = dynamic_cast<CDialog*>(wnd)) {
        return DialogEndFlag::of(*dialog);
    }
    if (auto* sheet = dynamic_cast<CPropertySheet*>(wnd)) {
        return SheetEndFlag::of(*sheet);
    }
    return true;
}

}  // namespace console
