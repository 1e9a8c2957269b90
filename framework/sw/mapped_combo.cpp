#include "framework/sw/mapped_combo.h"

IMPLEMENT_DYNAMIC(CMappedCombo, CComboBox)

void CMappedCombo::SetMapping(const CUIntArray* values) {
    std::vector<int> list;
    if (values) {
        for (UINT v : *values) {
            list.push_back(static_cast<int>(v));
        }
    }
    SetMapping(list);
}

void CMappedCombo::SetMapping(const std::vector<int>& values) {
    m_entries.clear();
    for (int value : values) {
        m_entries.push_back({value, CString(), false});
    }
    rebuild();
}

BOOL CMappedCombo::AddMappedString(int value, LPCTSTR text) {
    for (Entry& entry : m_entries) {
        if (entry.value == value) {
            const int selected = GetCurMappedSel();
            entry.text = text;
            entry.named = true;
            rebuild();
            SetCurMappedSel(selected);
            return TRUE;
        }
    }
    return FALSE;
}

// Entries appear in mapping order, only once they have their text.
void CMappedCombo::rebuild() {
    if (!m_hWnd) {
        return;
    }
    ResetContent();
    for (const Entry& entry : m_entries) {
        if (entry.named) {
            const int at = InsertString(-1, entry.text);  // mapping order, even if sorted
            SetItemData(at, static_cast<DWORD_PTR>(static_cast<unsigned>(entry.value)));
        }
    }
}

BOOL CMappedCombo::SetCurMappedSel(int value) {
    for (int i = 0; i < GetCount(); ++i) {
        if (static_cast<int>(static_cast<unsigned>(GetItemData(i))) == value) {
            SetCurSel(i);
            return TRUE;
        }
    }
    SetCurSel(-1);
    return FALSE;
}

int CMappedCombo::GetCurMappedSel() const {
    const int index = GetCurSel();
    return index < 0 ? -1 : static_cast<int>(static_cast<unsigned>(GetItemData(index)));
}
