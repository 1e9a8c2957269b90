#include "framework/afx/controls.h"

#include <strings.h>

#include <algorithm>
#include <cstring>

#include "framework/afx/record_access.h"

namespace {

afx::WindowSystem& ws() {
    return afx::windows();
}

bool validIndex(const afx::WindowRecord* r, int index) {
    return r && index >= 0 && static_cast<std::size_t>(index) < r->items.size();
}

bool validRow(const afx::WindowRecord* r, int row) {
    return r && row >= 0 && static_cast<std::size_t>(row) < r->rows.size();
}

// Position of a new item: at the end, or in case-insensitive order for sorted lists.
int insertionIndex(const afx::WindowRecord& r, int requested, const char* text) {
    const int count = static_cast<int>(r.items.size());
    if (r.is(afx::style::kSort) && requested < 0) {
        int i = 0;
        while (i < count &&
               ::strcasecmp(r.items[static_cast<std::size_t>(i)].text.c_str(), text) <= 0) {
            ++i;
        }
        return i;
    }
    return requested < 0 || requested > count ? count : requested;
}

int insertItem(HWND hwnd, int requested, LPCTSTR text) {
    afx::WindowRecord* r = afx::writableRecord(hwnd);
    if (!r) {
        return -1;
    }
    const char* t = text ? text : "";
    const int at = insertionIndex(*r, requested, t);
    const auto inserted =
        afx::ChangeNotice::rowsOf(afx::Change::Items, afx::RowChange::Inserted, at);
    ws().modify(hwnd, inserted, [&](afx::WindowRecord& rec) {
        rec.items.insert(rec.items.begin() + at, afx::ListItem{t, 0, false});
        if (rec.curSel >= at) {
            ++rec.curSel;
        }
    });
    return at;
}

int deleteItem(HWND hwnd, int index) {
    afx::WindowRecord* r = afx::writableRecord(hwnd);
    if (!validIndex(r, index)) {
        return -1;
    }
    const auto removed =
        afx::ChangeNotice::rowsOf(afx::Change::Items, afx::RowChange::Removed, index);
    ws().modify(hwnd, removed, [&](afx::WindowRecord& rec) {
        rec.items.erase(rec.items.begin() + index);
        if (rec.curSel == index) {
            rec.curSel = -1;
        } else if (rec.curSel > index) {
            --rec.curSel;
        }
    });
    return static_cast<int>(r->items.size());
}

void resetItems(HWND hwnd) {
    ws().modify(hwnd, afx::Change::Items, [](afx::WindowRecord& rec) {
        rec.items.clear();
        rec.curSel = -1;
        rec.caretIndex = -1;
    });
}

int findItem(HWND hwnd, int startAfter, LPCTSTR text, bool exact) {
    const afx::WindowRecord* r = ws().find(hwnd);
    if (!r || r->items.empty() || !text) {
        return -1;
    }
    const int count = static_cast<int>(r->items.size());
    const std::size_t length = std::strlen(text);
    const int first = startAfter < 0 || startAfter >= count ? 0 : startAfter + 1;
    for (int n = 0; n < count; ++n) {
        const int i = (first + n) % count;
        const std::string& item = r->items[static_cast<std::size_t>(i)].text;
        const bool match = exact ? ::strcasecmp(item.c_str(), text) == 0
                                 : ::strncasecmp(item.c_str(), text, length) == 0;
        if (match) {
            return i;
        }
    }
    return -1;
}

int getItemText(HWND hwnd, int index, LPTSTR buffer) {
    const afx::WindowRecord* r = ws().find(hwnd);
    if (!validIndex(r, index)) {
        return -1;
    }
    const std::string& text = r->items[static_cast<std::size_t>(index)].text;
    if (buffer) {
        std::memcpy(buffer, text.c_str(), text.size() + 1);
    }
    return static_cast<int>(text.size());
}

int setItemData(HWND hwnd, int index, DWORD_PTR data) {
    afx::WindowRecord* r = afx::writableRecord(hwnd);
    if (!validIndex(r, index)) {
        return -1;
    }
    r->items[static_cast<std::size_t>(index)].data = data;
    return 0;
}

DWORD_PTR getItemData(HWND hwnd, int index) {
    const afx::WindowRecord* r = ws().find(hwnd);
    return validIndex(r, index) ? r->items[static_cast<std::size_t>(index)].data
                                : static_cast<DWORD_PTR>(-1);
}

int setCurSel(HWND hwnd, int index) {
    afx::WindowRecord* r = afx::writableRecord(hwnd);
    if (!r) {
        return -1;
    }
    const bool valid = validIndex(r, index);
    const int sel = valid ? index : -1;
    if (r->curSel != sel) {
        ws().modify(hwnd, afx::Change::Selection, [sel](afx::WindowRecord& rec) {
            rec.curSel = sel;
            rec.caretIndex = sel;
        });
    }
    return valid ? index : -1;
}

bool isMultiSelectListBox(const afx::WindowRecord* r) {
    return r && r->cls == afx::WindowClass::ListBox && r->is(afx::style::kMultiSelect);
}

// Sets a list view row's state bits under mask; tells the parent when they changed.
bool setRowState(HWND hwnd, int row, UINT state, UINT mask) {
    afx::WindowRecord* r = afx::writableRecord(hwnd);
    if (!validRow(r, row)) {
        return false;
    }
    const UINT oldState = r->rows[static_cast<std::size_t>(row)].state;
    const UINT newState = (oldState & ~mask) | (state & mask);
    if (oldState == newState) {
        return true;
    }
    const auto changed =
        afx::ChangeNotice::rowsOf(afx::Change::ItemState, afx::RowChange::Changed, row);
    ws().modify(hwnd, changed, [&](afx::WindowRecord& rec) {
        rec.rows[static_cast<std::size_t>(row)].state = newState;
    });
    NMLISTVIEW nm;
    nm.hdr.code = LVN_ITEMCHANGED;
    nm.iItem = row;
    nm.uOldState = oldState;
    nm.uNewState = newState;
    nm.uChanged = LVIF_STATE;
    r = afx::writableRecord(hwnd);
    if (validRow(r, row)) {
        nm.lParam = static_cast<LPARAM>(r->rows[static_cast<std::size_t>(row)].data);
    }
    ws().notifyParent(hwnd, nm.hdr);
    return true;
}

// Selecting in a single-selection list view first deselects the other rows.
void setRowStateRespectingMode(HWND hwnd, int row, UINT state, UINT mask) {
    const afx::WindowRecord* r = ws().find(hwnd);
    if (r && r->is(afx::style::kSingleSelect) && (mask & state & LVIS_SELECTED)) {
        for (int i = 0; i < static_cast<int>(r->rows.size()); ++i) {
            r = ws().find(hwnd);
            if (i != row && validRow(r, i) &&
                (r->rows[static_cast<std::size_t>(i)].state & LVIS_SELECTED)) {
                setRowState(hwnd, i, 0, LVIS_SELECTED);
            }
        }
    }
    if ((mask & state & LVIS_FOCUSED)) {
        r = ws().find(hwnd);
        for (int i = 0; r && i < static_cast<int>(r->rows.size()); ++i) {
            if (i != row && (r->rows[static_cast<std::size_t>(i)].state & LVIS_FOCUSED)) {
                setRowState(hwnd, i, 0, LVIS_FOCUSED);
                r = ws().find(hwnd);
            }
        }
    }
    setRowState(hwnd, row, state, mask);
}

}  // namespace

// ---- CStatic, CButton, CEdit

IMPLEMENT_DYNAMIC(CStatic, CWnd)
IMPLEMENT_DYNAMIC(CButton, CWnd)
IMPLEMENT_DYNAMIC(CEdit, CWnd)
IMPLEMENT_DYNAMIC(CComboBox, CWnd)
IMPLEMENT_DYNAMIC(CListBox, CWnd)
IMPLEMENT_DYNAMIC(CListCtrl, CWnd)
IMPLEMENT_DYNAMIC(CImageList, CObject)

HICON CStatic::SetIcon(HICON icon) {
    const HICON old = GetIcon();
    ws().modify(m_hWnd, afx::Change::ImageList, [icon](afx::WindowRecord& rec) {
        rec.imageList = static_cast<int>(reinterpret_cast<std::uintptr_t>(icon));
    });
    return old;
}

HICON CStatic::GetIcon() const {
    const afx::WindowRecord* r = record();
    return r ? reinterpret_cast<HICON>(static_cast<std::uintptr_t>(r->imageList)) : nullptr;
}

int CButton::GetCheck() const {
    const afx::WindowRecord* r = record();
    return r ? r->check : BST_UNCHECKED;
}

void CButton::SetCheck(int check) {
    ws().setCheck(m_hWnd, check);
}

void CButton::SetButtonStyle(UINT style, BOOL /*redraw*/) {
    const afx::WindowRecord* r = record();
    if (r) {
        ws().setStyle(m_hWnd, (r->style & ~afx::style::kDefaultButton) |
                                  (style & afx::style::kDefaultButton));
    }
}

void CEdit::LimitText(int maxChars) {
    ws().setTextLimit(m_hWnd, std::max(0, maxChars));
}

UINT CEdit::GetLimitText() const {
    const afx::WindowRecord* r = record();
    // An unlimited edit reports the desktop's default limit.
    return r && r->textLimit > 0 ? static_cast<UINT>(r->textLimit) : 30000u;
}

void CEdit::SetReadOnly(BOOL readOnly) {
    ModifyStyle(readOnly ? 0 : afx::style::kReadOnly, readOnly ? afx::style::kReadOnly : 0);
}

void CEdit::SetSel(int /*start*/, int /*end*/, BOOL /*noScroll*/) {}

void CEdit::ReplaceSel(LPCTSTR text, BOOL /*canUndo*/) {
    const afx::WindowRecord* r = record();
    if (r) {
        ws().setText(m_hWnd, r->text + (text ? text : ""));
    }
}

// ---- CComboBox

int CComboBox::AddString(LPCTSTR text) {
    return insertItem(m_hWnd, -1, text);
}
int CComboBox::InsertString(int index, LPCTSTR text) {
    return insertItem(m_hWnd, index < 0 ? GetCount() : index, text);
}
int CComboBox::DeleteString(UINT index) {
    return deleteItem(m_hWnd, static_cast<int>(index));
}
void CComboBox::ResetContent() {
    resetItems(m_hWnd);
}

int CComboBox::GetCount() const {
    const afx::WindowRecord* r = record();
    return r ? static_cast<int>(r->items.size()) : 0;
}

int CComboBox::GetCurSel() const {
    const afx::WindowRecord* r = record();
    return r ? r->curSel : -1;
}

int CComboBox::SetCurSel(int index) {
    const int result = setCurSel(m_hWnd, index);
    // The edit part shows the selected text.
    const afx::WindowRecord* r = record();
    if (r) {
        ws().setText(m_hWnd, validIndex(r, r->curSel)
                                 ? r->items[static_cast<std::size_t>(r->curSel)].text
                                 : std::string());
    }
    return result;
}

int CComboBox::GetLBText(int index, LPTSTR buffer) const {
    return getItemText(m_hWnd, index, buffer);
}

void CComboBox::GetLBText(int index, CString& text) const {
    const afx::WindowRecord* r = record();
    text = validIndex(r, index) ? r->items[static_cast<std::size_t>(index)].text.c_str() : "";
}

int CComboBox::GetLBTextLen(int index) const {
    return getItemText(m_hWnd, index, nullptr);
}
int CComboBox::SetItemData(int index, DWORD_PTR data) {
    return setItemData(m_hWnd, index, data);
}
DWORD_PTR CComboBox::GetItemData(int index) const {
    return getItemData(m_hWnd, index);
}
int CComboBox::FindString(int startAfter, LPCTSTR prefix) const {
    return findItem(m_hWnd, startAfter, prefix, false);
}
int CComboBox::FindStringExact(int startAfter, LPCTSTR text) const {
    return findItem(m_hWnd, startAfter, text, true);
}

int CComboBox::SelectString(int startAfter, LPCTSTR prefix) {
    const int index = FindString(startAfter, prefix);
    return index < 0 ? CB_ERR : SetCurSel(index);
}

// ---- CListBox

int CListBox::AddString(LPCTSTR text) {
    return insertItem(m_hWnd, -1, text);
}
int CListBox::InsertString(int index, LPCTSTR text) {
    return insertItem(m_hWnd, index < 0 ? GetCount() : index, text);
}
int CListBox::DeleteString(UINT index) {
    return deleteItem(m_hWnd, static_cast<int>(index));
}
void CListBox::ResetContent() {
    resetItems(m_hWnd);
}

int CListBox::GetCount() const {
    const afx::WindowRecord* r = record();
    return r ? static_cast<int>(r->items.size()) : 0;
}

int CListBox::GetCurSel() const {
    const afx::WindowRecord* r = record();
    if (!r) {
        return LB_ERR;
    }
    return isMultiSelectListBox(r) ? r->caretIndex : r->curSel;
}

int CListBox::SetCurSel(int index) {
    const afx::WindowRecord* r = record();
    if (isMultiSelectListBox(r)) {
        return LB_ERR;
    }
    return setCurSel(m_hWnd, index);
}

int CListBox::GetText(int index, LPTSTR buffer) const {
    return getItemText(m_hWnd, index, buffer);
}

void CListBox::GetText(int index, CString& text) const {
    const afx::WindowRecord* r = record();
    text = validIndex(r, index) ? r->items[static_cast<std::size_t>(index)].text.c_str() : "";
}

int CListBox::GetTextLen(int index) const {
    return getItemText(m_hWnd, index, nullptr);
}

int CListBox::GetSel(int index) const {
    const afx::WindowRecord* r = record();
    if (!validIndex(r, index)) {
        return LB_ERR;
    }
    return isMultiSelectListBox(r) ? r->items[static_cast<std::size_t>(index)].selected
                                   : (r->curSel == index ? 1 : 0);
}

int CListBox::SetSel(int index, BOOL select) {
    const afx::WindowRecord* r = record();
    if (!isMultiSelectListBox(r)) {
        return LB_ERR;
    }
    if (index != -1 && !validIndex(r, index)) {
        return LB_ERR;
    }
    ws().modify(m_hWnd, afx::Change::Selection, [index, select](afx::WindowRecord& rec) {
        for (std::size_t i = 0; i < rec.items.size(); ++i) {
            if (index == -1 || static_cast<int>(i) == index) {
                rec.items[i].selected = select != FALSE;
            }
        }
        if (index >= 0) {
            rec.caretIndex = index;
        }
    });
    return 0;
}

int CListBox::GetSelCount() const {
    const afx::WindowRecord* r = record();
    if (!isMultiSelectListBox(r)) {
        return LB_ERR;
    }
    return static_cast<int>(std::count_if(r->items.begin(), r->items.end(),
                                          [](const afx::ListItem& i) { return i.selected; }));
}

int CListBox::GetSelItems(int maxItems, int* items) const {
    const afx::WindowRecord* r = record();
    if (!isMultiSelectListBox(r) || !items) {
        return LB_ERR;
    }
    int n = 0;
    for (std::size_t i = 0; i < r->items.size() && n < maxItems; ++i) {
        if (r->items[i].selected) {
            items[n++] = static_cast<int>(i);
        }
    }
    return n;
}

int CListBox::SetItemData(int index, DWORD_PTR data) {
    return setItemData(m_hWnd, index, data);
}
DWORD_PTR CListBox::GetItemData(int index) const {
    return getItemData(m_hWnd, index);
}
int CListBox::FindString(int startAfter, LPCTSTR prefix) const {
    return findItem(m_hWnd, startAfter, prefix, false);
}
int CListBox::FindStringExact(int startAfter, LPCTSTR text) const {
    return findItem(m_hWnd, startAfter, text, true);
}

// ---- CImageList

namespace {
int nextImageListId() {
    static int next = 1;
    return next++;
}
}  // namespace

CImageList::CImageList() : m_id(nextImageListId()) {}

BOOL CImageList::Create(int /*cx*/, int /*cy*/, UINT /*flags*/, int /*initial*/, int /*grow*/) {
    m_count = 0;
    return TRUE;
}

int CImageList::Add(HICON /*icon*/) {
    return m_count++;
}

BOOL CImageList::DeleteImageList() {
    m_count = 0;
    return TRUE;
}

// ---- CListCtrl

int CListCtrl::InsertColumn(int column, LPCTSTR heading, int format, int width, int /*subItem*/) {
    const afx::WindowRecord* r = record();
    if (!r || column < 0) {
        return -1;
    }
    const int at = std::min(column, static_cast<int>(r->columns.size()));
    ws().modify(m_hWnd, afx::Change::Columns, [&](afx::WindowRecord& rec) {
        rec.columns.insert(rec.columns.begin() + at,
                           afx::ListColumn{heading ? heading : "", width < 0 ? 0 : width,
                                           format & LVCFMT_JUSTIFYMASK});
        // Column 0 holds the item text; inserting elsewhere shifts the sub-items.
        if (at > 0) {
            for (auto& row : rec.rows) {
                if (row.cells.size() > static_cast<std::size_t>(at)) {
                    row.cells.insert(row.cells.begin() + at, std::string());
                }
            }
        }
    });
    return at;
}

int CListCtrl::InsertColumn(int column, const LVCOLUMN* c) {
    if (!c) {
        return -1;
    }
    return InsertColumn(column, (c->mask & LVCF_TEXT) ? c->pszText : "",
                        (c->mask & LVCF_FMT) ? c->fmt : LVCFMT_LEFT,
                        (c->mask & LVCF_WIDTH) ? c->cx : 0);
}

BOOL CListCtrl::DeleteColumn(int column) {
    const afx::WindowRecord* r = record();
    if (!r || column < 0 || column >= static_cast<int>(r->columns.size())) {
        return FALSE;
    }
    ws().modify(m_hWnd, afx::Change::Columns, [column](afx::WindowRecord& rec) {
        rec.columns.erase(rec.columns.begin() + column);
        for (auto& row : rec.rows) {
            if (row.cells.size() > static_cast<std::size_t>(column)) {
                row.cells.erase(row.cells.begin() + column);
            }
        }
    });
    return TRUE;
}

int CListCtrl::GetColumnCount() const {
    const afx::WindowRecord* r = record();
    return r ? static_cast<int>(r->columns.size()) : 0;
}

BOOL CListCtrl::SetColumnWidth(int column, int width) {
    const afx::WindowRecord* r = record();
    if (!r || column < 0 || column >= static_cast<int>(r->columns.size())) {
        return FALSE;
    }
    ws().modify(m_hWnd, afx::Change::Columns, [column, width](afx::WindowRecord& rec) {
        rec.columns[static_cast<std::size_t>(column)].width = width;
    });
    return TRUE;
}

int CListCtrl::GetColumnWidth(int column) const {
    const afx::WindowRecord* r = record();
    return r && column >= 0 && column < static_cast<int>(r->columns.size())
               ? r->columns[static_cast<std::size_t>(column)].width
               : 0;
}

BOOL CListCtrl::SetColumn(int column, const LVCOLUMN* c) {
    const afx::WindowRecord* r = record();
    if (!c || !r || column < 0 || column >= static_cast<int>(r->columns.size())) {
        return FALSE;
    }
    ws().modify(m_hWnd, afx::Change::Columns, [column, c](afx::WindowRecord& rec) {
        auto& col = rec.columns[static_cast<std::size_t>(column)];
        if (c->mask & LVCF_TEXT) {
            col.heading = c->pszText ? c->pszText : "";
        }
        if (c->mask & LVCF_WIDTH) {
            col.width = c->cx;
        }
        if (c->mask & LVCF_FMT) {
            col.format = c->fmt & LVCFMT_JUSTIFYMASK;
        }
    });
    return TRUE;
}

BOOL CListCtrl::GetColumn(int column, LVCOLUMN* c) const {
    const afx::WindowRecord* r = record();
    if (!c || !r || column < 0 || column >= static_cast<int>(r->columns.size())) {
        return FALSE;
    }
    const auto& col = r->columns[static_cast<std::size_t>(column)];
    c->fmt = col.format;
    c->cx = col.width;
    if ((c->mask & LVCF_TEXT) && c->pszText && c->cchTextMax > 0) {
        const std::size_t n =
            std::min(col.heading.size(), static_cast<std::size_t>(c->cchTextMax - 1));
        std::memcpy(c->pszText, col.heading.data(), n);
        c->pszText[n] = '\0';
    }
    return TRUE;
}

int CListCtrl::InsertItem(int item, LPCTSTR text) {
    return InsertItem(item, text, -1);
}

int CListCtrl::InsertItem(int item, LPCTSTR text, int image) {
    const afx::WindowRecord* r = record();
    if (!r || item < 0) {
        return -1;
    }
    const int at = std::min(item, static_cast<int>(r->rows.size()));
    const auto inserted =
        afx::ChangeNotice::rowsOf(afx::Change::Rows, afx::RowChange::Inserted, at);
    ws().modify(m_hWnd, inserted, [&](afx::WindowRecord& rec) {
        afx::ListRow row;
        row.cells.push_back(text ? text : "");
        row.image = image;
        rec.rows.insert(rec.rows.begin() + at, std::move(row));
    });
    return at;
}

int CListCtrl::InsertItem(const LVITEM* item) {
    if (!item) {
        return -1;
    }
    const int at = InsertItem(item->iItem, (item->mask & LVIF_TEXT) ? item->pszText : "",
                              (item->mask & LVIF_IMAGE) ? item->iImage : -1);
    if (at >= 0 && (item->mask & LVIF_PARAM)) {
        SetItemData(at, static_cast<DWORD_PTR>(item->lParam));
    }
    if (at >= 0 && (item->mask & LVIF_STATE)) {
        SetItemState(at, item->state, item->stateMask);
    }
    return at;
}

BOOL CListCtrl::SetItemText(int item, int subItem, LPCTSTR text) {
    const afx::WindowRecord* r = record();
    if (!validRow(r, item) || subItem < 0) {
        return FALSE;
    }
    const auto changed =
        afx::ChangeNotice::rowsOf(afx::Change::Rows, afx::RowChange::Changed, item);
    ws().modify(m_hWnd, changed, [&](afx::WindowRecord& rec) {
        auto& cells = rec.rows[static_cast<std::size_t>(item)].cells;
        if (cells.size() <= static_cast<std::size_t>(subItem)) {
            cells.resize(static_cast<std::size_t>(subItem) + 1);
        }
        cells[static_cast<std::size_t>(subItem)] = text ? text : "";
    });
    return TRUE;
}

CString CListCtrl::GetItemText(int item, int subItem) const {
    const afx::WindowRecord* r = record();
    if (!validRow(r, item) || subItem < 0) {
        return CString();
    }
    return CString(r->rows[static_cast<std::size_t>(item)].cell(static_cast<std::size_t>(subItem)));
}

int CListCtrl::GetItemText(int item, int subItem, LPTSTR buffer, int maxLength) const {
    if (!buffer || maxLength <= 0) {
        return 0;
    }
    const CString text = GetItemText(item, subItem);
    const int n = std::min(text.GetLength(), maxLength - 1);
    std::memcpy(buffer, text.GetString(), static_cast<std::size_t>(n));
    buffer[n] = '\0';
    return n;
}

BOOL CListCtrl::SetItem(const LVITEM* item) {
    if (!item) {
        return FALSE;
    }
    return SetItem(item->iItem, item->iSubItem, item->mask, item->pszText, item->iImage,
                   item->state, item->stateMask, item->lParam);
}

BOOL CListCtrl::SetItem(int item, int subItem, UINT mask, LPCTSTR text, int image, UINT state,
                        UINT stateMask, LPARAM lParam) {
    if (!validRow(record(), item)) {
        return FALSE;
    }
    if (mask & LVIF_TEXT) {
        SetItemText(item, subItem, text);
    }
    if (mask & LVIF_IMAGE) {
        const auto changed =
            afx::ChangeNotice::rowsOf(afx::Change::Rows, afx::RowChange::Changed, item);
        ws().modify(m_hWnd, changed, [item, image](afx::WindowRecord& rec) {
            rec.rows[static_cast<std::size_t>(item)].image = image;
        });
    }
    if (mask & LVIF_PARAM) {
        SetItemData(item, static_cast<DWORD_PTR>(lParam));
    }
    if (mask & LVIF_STATE) {
        SetItemState(item, state, stateMask);
    }
    return TRUE;
}

BOOL CListCtrl::GetItem(LVITEM* item) const {
    const afx::WindowRecord* r = record();
    if (!item || !validRow(r, item->iItem)) {
        return FALSE;
    }
    const auto& row = r->rows[static_cast<std::size_t>(item->iItem)];
    item->iImage = row.image;
    item->state = row.state & (item->stateMask ? item->stateMask : ~0u);
    item->lParam = static_cast<LPARAM>(row.data);
    if ((item->mask & LVIF_TEXT) && item->pszText) {
        GetItemText(item->iItem, item->iSubItem, item->pszText, item->cchTextMax);
    }
    return TRUE;
}

BOOL CListCtrl::DeleteItem(int item) {
    if (!validRow(record(), item)) {
        return FALSE;
    }
    ws().modify(m_hWnd, afx::ChangeNotice::rowsOf(afx::Change::Rows, afx::RowChange::Removed, item),
                [item](afx::WindowRecord& rec) { rec.rows.erase(rec.rows.begin() + item); });
    return TRUE;
}

BOOL CListCtrl::DeleteAllItems() {
    if (!record()) {
        return FALSE;
    }
    ws().modify(m_hWnd, afx::Change::Rows, [](afx::WindowRecord& rec) { rec.rows.clear(); });
    return TRUE;
}

int CListCtrl::GetItemCount() const {
    const afx::WindowRecord* r = record();
    return r ? static_cast<int>(r->rows.size()) : 0;
}

BOOL CListCtrl::SetItemState(int item, UINT state, UINT mask) {
    if (item == -1) {
        for (int i = 0; i < GetItemCount(); ++i) {
            setRowState(m_hWnd, i, state, mask);
        }
        return TRUE;
    }
    if (!validRow(record(), item)) {
        return FALSE;
    }
    setRowStateRespectingMode(m_hWnd, item, state, mask);
    return TRUE;
}

UINT CListCtrl::GetItemState(int item, UINT mask) const {
    const afx::WindowRecord* r = record();
    return validRow(r, item) ? r->rows[static_cast<std::size_t>(item)].state & mask : 0;
}

int CListCtrl::GetNextItem(int start, int flags) const {
    const afx::WindowRecord* r = record();
    if (!r) {
        return -1;
    }
    UINT wanted = 0;
    if (flags & LVNI_SELECTED) {
        wanted |= LVIS_SELECTED;
    }
    if (flags & LVNI_FOCUSED) {
        wanted |= LVIS_FOCUSED;
    }
    for (int i = start + 1; i < static_cast<int>(r->rows.size()); ++i) {
        if ((r->rows[static_cast<std::size_t>(i)].state & wanted) == wanted) {
            return i;
        }
    }
    return -1;
}

UINT CListCtrl::GetSelectedCount() const {
    const afx::WindowRecord* r = record();
    if (!r) {
        return 0;
    }
    return static_cast<UINT>(
        std::count_if(r->rows.begin(), r->rows.end(),
                      [](const afx::ListRow& row) { return (row.state & LVIS_SELECTED) != 0; }));
}

int CListCtrl::GetSelectionMark() const {
    return GetNextItem(-1, LVNI_FOCUSED);
}

BOOL CListCtrl::SetItemData(int item, DWORD_PTR data) {
    afx::WindowRecord* r = afx::writableRecord(m_hWnd);
    if (!validRow(r, item)) {
        return FALSE;
    }
    r->rows[static_cast<std::size_t>(item)].data = data;  // not shown: nobody to tell
    return TRUE;
}

DWORD_PTR CListCtrl::GetItemData(int item) const {
    const afx::WindowRecord* r = record();
    return validRow(r, item) ? r->rows[static_cast<std::size_t>(item)].data : 0;
}

int CListCtrl::GetItemImage(int item) const {
    const afx::WindowRecord* r = record();
    return validRow(r, item) ? r->rows[static_cast<std::size_t>(item)].image : -1;
}

CImageList* CListCtrl::SetImageList(CImageList* list, int /*imageListType*/) {
    CImageList* old = m_imageList;
    m_imageList = list;
    ws().modify(m_hWnd, afx::Change::ImageList,
                [list](afx::WindowRecord& rec) { rec.imageList = list ? list->id() : 0; });
    return old;
}

BOOL CListCtrl::EnsureVisible(int item, BOOL /*partialOk*/) {
    return validRow(record(), item);
}

int CListCtrl::FindItemText(LPCTSTR text, int column) const {
    for (int i = 0; i < GetItemCount(); ++i) {
        if (GetItemText(i, column) == text) {
            return i;
        }
    }
    return -1;
}

void CListCtrl::SetSingleSelection(BOOL single) {
    ModifyStyle(single ? 0 : afx::style::kSingleSelect, single ? afx::style::kSingleSelect : 0);
}

BOOL CListCtrl::IsSingleSelection() const {
    return (GetStyle() & afx::style::kSingleSelect) != 0;
}

// ---- wrappers for handles

std::unique_ptr<CWnd> afx::makeWrapperFor(WindowClass cls) {
    switch (cls) {
        case WindowClass::Static:
        case WindowClass::Icon:
        case WindowClass::Separator:
            return std::make_unique<CStatic>();
        case WindowClass::GroupBox:
        case WindowClass::PushButton:
        case WindowClass::CheckBox:
        case WindowClass::RadioButton:
            return std::make_unique<CButton>();
        case WindowClass::Edit:
            return std::make_unique<CEdit>();
        case WindowClass::ComboBox:
            return std::make_unique<CComboBox>();
        case WindowClass::ListBox:
            return std::make_unique<CListBox>();
        case WindowClass::ListView:
            return std::make_unique<CListCtrl>();
        default:
            return std::make_unique<CWnd>();
    }
}
