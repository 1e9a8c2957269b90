#include "framework/sw/numeric_edit.h"

IMPLEMENT_DYNAMIC(CNumericEdit, CEdit)

void CNumericEdit::Apply() {
    if (m_hWnd && !(GetStyle() & afx::style::kDigitsOnly)) {
        ModifyStyle(0, afx::style::kDigitsOnly);
    }
}
