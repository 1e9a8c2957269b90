#include "framework/sw/numeric_edit.h"

IMPLEMENT_DYNAMIC(CNumericEdit, CEdit)

void CNumericEdit::Apply() {
    if (m_hWnd && !(GetStyle() & afx::style::kDigitsOnly)) {
        ModifyStyle(0, afx::style::kDigitsOnly);
    }
}

BOOL CNumericEdit::SubclassDlgItem(UINT id, CWnd* parent) {
    if (!CEdit::SubclassDlgItem(id, parent)) {
        return FALSE;
    }
    Apply();
    return TRUE;
}

namespace sw {

void applyControlBehaviour(CWnd* parent) {
    const afx::WindowRecord* r = parent ? parent->record() : nullptr;
    if (!r) {
        return;
    }
    for (HWND child : r->children) {
        if (auto* edit = dynamic_cast<CNumericEdit*>(CWnd::FromHandlePermanent(child))) {
            edit->Apply();
        }
    }
}

}  // namespace sw
