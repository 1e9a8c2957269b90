#pragma once
// A combo box that offers values rather than positions: SetMapping fixes the values and their
// order, AddMappedString gives a value its text, and selection is read and set by value.

#include <vector>

#include "framework/afx/controls.h"

class CMappedCombo : public CComboBox {
    DECLARE_DYNAMIC(CMappedCombo)
public:
    // The values offered, in this order; clears the entries. values may be NULL (none).
    void SetMapping(const CUIntArray* values);
    void SetMapping(const std::vector<int>& values);
    // Gives value its text. A value outside the mapping is not offered (FALSE).
    BOOL AddMappedString(int value, LPCTSTR text);
    // Selects the entry of value; an unknown value clears the selection (FALSE).
    BOOL SetCurMappedSel(int value);
    // The selected value, -1 when nothing is selected.
    int GetCurMappedSel() const;

private:
    void rebuild();

    struct Entry {
        int value;
        CString text;
        bool named = false;
    };
    std::vector<Entry> m_entries;
};
