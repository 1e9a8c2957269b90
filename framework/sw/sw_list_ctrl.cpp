#include "framework/sw/sw_list_ctrl.h"

#include <algorithm>

#include "framework/sw/numeric_text_order.h"

IMPLEMENT_DYNAMIC(CNxListCtrl, CListCtrl)
IMPLEMENT_DYNAMIC(CSwListCtrl, CNxListCtrl)

BEGIN_MESSAGE_MAP(CNxListCtrl, CListCtrl)
ON_NOTIFY_REFLECT_EX(LVN_COLUMNCLICK, &CNxListCtrl::OnColumnClick)
END_MESSAGE_MAP()

namespace {

constexpr int kDefaultColumnWidth = 80;

int formatOf(UINT justification) {
    switch (justification) {
        case 'R':
        case 'r':
        case LVCFMT_RIGHT:
            return LVCFMT_RIGHT;
        case 'c':
        case 'C':
        case LVCFMT_CENTER:
            return LVCFMT_CENTER;
        default:
            return LVCFMT_LEFT;
    }
}

}  // namespace

CNxListCtrl::CNxListCtrl() = default;

void CNxListCtrl::applySelectionMode() {
    if (m_hWnd && IsSingleSelection() == m_bMultiSelect) {
        SetSingleSelection(!m_bMultiSelect);
    }
}

void CNxListCtrl::ClearCtrl() {
    applySelectionMode();
    DeleteAllItems();
    while (GetColumnCount() > 0) {
        DeleteColumn(GetColumnCount() - 1);
    }
}

void CNxListCtrl::SetColumnHdgs(CStringArray* headings, CUIntArray* widths,
                                CUIntArray* justifications) {
    applySelectionMode();
    while (GetColumnCount() > 0) {
        DeleteColumn(GetColumnCount() - 1);
    }
    if (!headings) {
        return;
    }
    for (int i = 0; i < headings->GetSize(); ++i) {
        const int width = widths && i < widths->GetSize() ? static_cast<int>(widths->GetAt(i))
                                                          : kDefaultColumnWidth;
        const int format = justifications && i < justifications->GetSize()
                               ? formatOf(justifications->GetAt(i))
                               : LVCFMT_LEFT;
        InsertColumn(i, headings->GetAt(i), format, width);
    }
}

int CNxListCtrl::AddItem(CStringArray* texts) {
    applySelectionMode();
    const int row = GetItemCount();
    const CString first = texts && texts->GetSize() > 0 ? texts->GetAt(0) : CString();
    const int at = InsertItem(row, first, m_nItemImage);
    if (at < 0 || !texts) {
        return at;
    }
    for (int column = 1; column < texts->GetSize(); ++column) {
        SetItemText(at, column, texts->GetAt(column));
    }
    return at;
}

void CNxListCtrl::sortRows(const SortKey& key) {
    if (!m_hWnd) {
        return;
    }
    afx::windows().modify(m_hWnd, afx::Change::Rows, [&key](afx::WindowRecord& rec) {
        const auto column = static_cast<std::size_t>(key.column);
        std::stable_sort(
            rec.rows.begin(), rec.rows.end(), [&](const afx::ListRow& a, const afx::ListRow& b) {
                const int order = sw::compareNumericTexts(a.cell(column), b.cell(column));
                return key.ascending ? order < 0 : order > 0;
            });
    });
}

void CNxListCtrl::SortOnColumn(int column, int ascending) {
    if (column < 0) {
        return;
    }
    const SortKey key{column, ascending != 0};
    // A column sorted again moves to the end of the history: it is now the major key.
    std::erase_if(m_sortKeys, [column](const SortKey& k) { return k.column == column; });
    m_sortKeys.push_back(key);
    sortRows(key);
}

void CNxListCtrl::ReSort() {
    for (const SortKey& key : m_sortKeys) {
        sortRows(key);
    }
}

BOOL CNxListCtrl::SelectItem(int row, BOOL select) {
    if (row < 0 || row >= GetItemCount()) {
        return FALSE;
    }
    if (select) {
        return SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    }
    return SetItemState(row, 0, LVIS_SELECTED);
}

void CNxListCtrl::DeSelectItem() {
    for (int row = 0; row < GetItemCount(); ++row) {
        if (GetItemState(row, LVIS_SELECTED)) {
            SetItemState(row, 0, LVIS_SELECTED);
        }
    }
}

int CNxListCtrl::GetSelectedItems(CUIntArray* rows) {
    if (rows) {
        rows->RemoveAll();
    }
    int count = 0;
    for (int row = 0; row < GetItemCount(); ++row) {
        if (GetItemState(row, LVIS_SELECTED)) {
            ++count;
            if (rows) {
                rows->Add(static_cast<UINT>(row));
            }
        }
    }
    return count;
}

CString CNxListCtrl::GetColumnText(int row, int column) {
    return GetItemText(row, column);
}

void CNxListCtrl::JustifyColumn(int column, int right) {
    LVCOLUMN col;
    col.mask = LVCF_FMT;
    col.fmt = right ? LVCFMT_RIGHT : LVCFMT_LEFT;
    SetColumn(column, &col);
}

CImageList* CNxListCtrl::SetImageList(CImageList* list, int imageListType) {
    return CListCtrl::SetImageList(list, imageListType);
}

CString CNxListCtrl::BeginDrag(int row) {
    m_lastDrag.Empty();
    if (!m_bItemMode || row < 0 || row >= GetItemCount()) {
        return m_lastDrag;
    }
    if (auto* source = dynamic_cast<sw::DragSource*>(GetParent())) {
        m_lastDrag = source->dragStringForRow(row);
    }
    return m_lastDrag;
}

LRESULT CNxListCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != afx::WM_AFX_BEGIN_DRAG) {
        return CListCtrl::WindowProc(message, wParam, lParam);
    }
    const CString text = BeginDrag(static_cast<int>(wParam));
    if (text.IsEmpty()) {
        return 0;
    }
    *reinterpret_cast<std::string*>(lParam) = text.str();
    return 1;
}

BOOL CNxListCtrl::OnColumnClick(NMHDR* header, LRESULT* /*result*/) {
    if (!m_bTableMode) {
        return FALSE;
    }
    const auto* nm = reinterpret_cast<const NMLISTVIEW*>(header);
    // A second click on the major key reverses it, as operators expect of a table heading.
    bool ascending = true;
    if (!m_sortKeys.empty() && m_sortKeys.back().column == nm->iSubItem) {
        ascending = !m_sortKeys.back().ascending;
    }
    SortOnColumn(nm->iSubItem, ascending ? 1 : 0);
    return FALSE;  // the page may still act on the click
}
