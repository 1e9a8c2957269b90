#pragma once
// Control wrappers: thin handles over window records of the matching class. Programmatic
// changes notify nobody, except list-view item state changes, which always send
// LVN_ITEMCHANGED with the old and new state to the parent, as Win32 does.

#include "framework/afx/wnd.h"

class CStatic : public CWnd {
    DECLARE_DYNAMIC(CStatic)
public:
    HICON SetIcon(HICON icon);
    HICON GetIcon() const;
};

class CButton : public CWnd {
    DECLARE_DYNAMIC(CButton)
public:
    int GetCheck() const;
    void SetCheck(int check);
    UINT GetState() const { return static_cast<UINT>(GetCheck()); }
    void SetButtonStyle(UINT style, BOOL redraw = TRUE);
};

class CEdit : public CWnd {
    DECLARE_DYNAMIC(CEdit)
public:
    void LimitText(int maxChars = 0);
    void SetLimitText(UINT maxChars) { LimitText(static_cast<int>(maxChars)); }
    UINT GetLimitText() const;
    void SetReadOnly(BOOL readOnly = TRUE);
    void SetSel(int start, int end, BOOL noScroll = FALSE);
    void ReplaceSel(LPCTSTR text, BOOL canUndo = FALSE);
};

class CComboBox : public CWnd {
    DECLARE_DYNAMIC(CComboBox)
public:
    int AddString(LPCTSTR text);
    int InsertString(int index, LPCTSTR text);
    int DeleteString(UINT index);
    void ResetContent();
    int GetCount() const;
    int GetCurSel() const;
    int SetCurSel(int index);  // -1 clears; returns CB_ERR for an index out of range
    int GetLBText(int index, LPTSTR buffer) const;
    void GetLBText(int index, CString& text) const;
    int GetLBTextLen(int index) const;
    int SetItemData(int index, DWORD_PTR data);
    DWORD_PTR GetItemData(int index) const;
    int FindString(int startAfter, LPCTSTR prefix) const;
    int FindStringExact(int startAfter, LPCTSTR text) const;
    int SelectString(int startAfter, LPCTSTR prefix);
};

class CListBox : public CWnd {
    DECLARE_DYNAMIC(CListBox)
public:
    int AddString(LPCTSTR text);
    int InsertString(int index, LPCTSTR text);
    int DeleteString(UINT index);
    void ResetContent();
    int GetCount() const;
    int GetCurSel() const;
    int SetCurSel(int index);
    int GetText(int index, LPTSTR buffer) const;
    void GetText(int index, CString& text) const;
    int GetTextLen(int index) const;
    int GetSel(int index) const;
    int SetSel(int index, BOOL select = TRUE);  // -1: every item
    int GetSelCount() const;
    int GetSelItems(int maxItems, int* items) const;
    int SetItemData(int index, DWORD_PTR data);
    DWORD_PTR GetItemData(int index) const;
    int FindString(int startAfter, LPCTSTR prefix) const;
    int FindStringExact(int startAfter, LPCTSTR text) const;
};

// An image list is only an identity and a count here; front ends draw the images.
class CImageList : public CObject {
    DECLARE_DYNAMIC(CImageList)
public:
    CImageList();
    BOOL Create(int cx, int cy, UINT flags, int initial, int grow);
    int Add(HICON icon);
    int GetImageCount() const { return m_count; }
    void SetImageCount(int count) { m_count = count; }
    int id() const { return m_id; }
    BOOL DeleteImageList();

private:
    int m_id;
    int m_count = 0;
};

class CListCtrl : public CWnd {
    DECLARE_DYNAMIC(CListCtrl)
public:
    int InsertColumn(int column, LPCTSTR heading, int format = LVCFMT_LEFT, int width = -1,
                     int subItem = -1);
    int InsertColumn(int column, const LVCOLUMN* column_);
    BOOL DeleteColumn(int column);
    int GetColumnCount() const;  // the header's item count
    BOOL SetColumnWidth(int column, int width);
    int GetColumnWidth(int column) const;
    BOOL SetColumn(int column, const LVCOLUMN* column_);
    BOOL GetColumn(int column, LVCOLUMN* column_) const;

    int InsertItem(int item, LPCTSTR text);
    int InsertItem(int item, LPCTSTR text, int image);
    int InsertItem(const LVITEM* item);
    BOOL SetItemText(int item, int subItem, LPCTSTR text);
    CString GetItemText(int item, int subItem) const;
    int GetItemText(int item, int subItem, LPTSTR buffer, int maxLength) const;
    BOOL SetItem(const LVITEM* item);
    BOOL SetItem(int item, int subItem, UINT mask, LPCTSTR text, int image, UINT state,
                 UINT stateMask, LPARAM lParam);
    BOOL GetItem(LVITEM* item) const;
    BOOL DeleteItem(int item);
    BOOL DeleteAllItems();
    int GetItemCount() const;
    BOOL SetItemState(int item, UINT state, UINT mask);  // item -1: every item
    UINT GetItemState(int item, UINT mask) const;
    int GetNextItem(int start, int flags) const;
    UINT GetSelectedCount() const;
    int GetSelectionMark() const;
    BOOL SetItemData(int item, DWORD_PTR data);
    DWORD_PTR GetItemData(int item) const;
    int GetItemImage(int item) const;
    CImageList* SetImageList(CImageList* list, int imageListType);
    BOOL EnsureVisible(int item, BOOL partialOk);
    int FindItemText(LPCTSTR text, int column = 0) const;
    // The list's selection mode: single (at most one row selected) or multiple.
    void SetSingleSelection(BOOL single);
    BOOL IsSingleSelection() const;

private:
    CImageList* m_imageList = nullptr;
};

namespace afx {

enum class SelectMode { Plain, Ctrl, Shift };

// Operator actions: change state as a person would and cause the notifications a person
// would cause. They act only on enabled, visible windows; each returns what it did or why
// it refused.
enum class Refusal {
    None,
    NoWindow,
    Disabled,    // the window, or the ancestor named by ActionResult::window
    Hidden,      // likewise
    ReadOnly,    // edit
    WrongClass,  // not the kind of control the action operates
    OutOfRange,  // entry, row, column or tab index (or entry text) the control lacks
    Declined,    // the window's owner said no (a page that keeps the focus, rows not draggable)
};

struct ActionResult {
    Refusal reason = Refusal::None;
    // The window that refused: the control itself, or the disabled or hidden ancestor.
    HWND window = nullptr;
    // What the action produced, if anything (the text a row drag carries).
    std::string text;

    // Reads as the bool these actions returned before they said why.
    operator bool() const { return reason == Refusal::None; }  // NOLINT
    static ActionResult done(std::string text = {}) {
        return {Refusal::None, nullptr, std::move(text)};
    }
    static ActionResult refused(Refusal reason, HWND window) { return {reason, window, {}}; }
};
// "disabled", "hidden", "read-only", ...
const char* refusalText(Refusal reason);
// Why the action on control refused, as a person reads it: `edit "Name" is disabled`,
// `check box "Auto" is inside dialog "General", which is hidden`.
std::string describeRefusal(const ActionResult& result, HWND control);

ActionResult operatorClick(HWND button);
ActionResult operatorType(HWND edit, const std::string& text);  // replaces the whole text
ActionResult operatorChoose(HWND combo, int index);
ActionResult operatorChooseText(HWND combo, const std::string& text);
ActionResult operatorSelectListBox(HWND listBox, int index, SelectMode mode = SelectMode::Plain);
ActionResult operatorDoubleClick(HWND control, int index = -1);  // list box item or list view row
ActionResult operatorSelectRows(HWND listView, const std::vector<int>& rows,
                                SelectMode mode = SelectMode::Plain);
ActionResult operatorClickColumn(HWND listView, int column);
ActionResult operatorSetFocus(HWND control);
// A click on the property sheet's tab; the page shown may refuse to let go (Declined).
ActionResult operatorActivateTab(HWND sheet, int index);
// Starts dragging the list view's row; the result's text is what the drag carries. Lists
// whose rows cannot be dragged now decline.
ActionResult operatorDragRow(HWND listView, int row);

// What operatorActivateTab and operatorDragRow ask of the window's object.
constexpr UINT WM_AFX_ACTIVATE_TAB = 0x0363;  // wParam: index; answers nonzero if shown
constexpr UINT WM_AFX_BEGIN_DRAG = 0x0364;    // wParam: row, lParam: std::string* to fill;
                                              // answers nonzero if the row is dragged

}  // namespace afx
