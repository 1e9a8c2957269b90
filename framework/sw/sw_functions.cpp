#include "framework/sw/sw_functions.h"

#include <algorithm>
#include <vector>

#include "framework/sw/numeric_text_order.h"

void SortLBValues(CListBox* listBox, int ascending) {
    if (!IsValidWindow(listBox)) {
        return;
    }
    struct Entry {
        CString text;
        DWORD_PTR data;
    };
    std::vector<Entry> entries;
    for (int i = 0; i < listBox->GetCount(); ++i) {
        CString text;
        listBox->GetText(i, text);
        entries.push_back({text, listBox->GetItemData(i)});
    }
    std::stable_sort(entries.begin(), entries.end(), [ascending](const Entry& a, const Entry& b) {
        const int order = sw::compareNumericTexts(a.text.str(), b.text.str());
        return ascending ? order < 0 : order > 0;
    });
    listBox->ResetContent();
    for (const Entry& entry : entries) {
        // InsertString at the end keeps our order even in a list box with the sort style.
        const int at = listBox->InsertString(-1, entry.text);
        listBox->SetItemData(at, entry.data);
    }
}

BOOL IsValidWindow(const CWnd* wnd) {
    return wnd && wnd->m_hWnd && ::IsWindow(wnd->m_hWnd);
}
