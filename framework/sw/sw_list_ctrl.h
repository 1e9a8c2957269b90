#pragma once
// The list control of the pages: column setup from CListData arrays, rows from string arrays,
// a stable numeric-aware sort, and two display modes.
//
// Display fields (public, set by the pages before filling):
//   m_nItemImage    image index used by the next AddItem (-1: none).
//   m_bTableMode    table view: a click on a heading sorts on that column (again: reverses).
//   m_bItemMode     item view: rows can be dragged out; the text comes from the page's
//                   CreateDragDropString(row) (see BeginDrag).
//   m_bMultiSelect  several rows may be selected at once; off, selecting a row deselects the
//                   others. Applied whenever the list is set up or filled.

#include <vector>

#include "framework/afx/controls.h"

namespace sw {
// What a list in item mode asks for the text of a dragged row (the page).
class DragSource {
public:
    virtual ~DragSource() = default;
    virtual CString dragStringForRow(int row) = 0;
};
}  // namespace sw

class CNxListCtrl : public CListCtrl {
    DECLARE_DYNAMIC(CNxListCtrl)
public:
    CNxListCtrl();

    int m_nItemImage = -1;
    BOOL m_bTableMode = FALSE;
    BOOL m_bItemMode = FALSE;
    BOOL m_bMultiSelect = FALSE;

    // Removes every row and column (the sort history stays, for ReSort).
    void ClearCtrl();
    // Replaces the columns. widths and justifications may be NULL (then 80 wide, left).
    // Justifications are the CListData characters 'L', 'R', 'c' (or LVCFMT_* values).
    void SetColumnHdgs(CStringArray* headings, CUIntArray* widths, CUIntArray* justifications);
    // Appends a row: entry 0 is the item text, the rest the subitems. Returns its index.
    int AddItem(CStringArray* texts);
    // Stable: rows equal in that column keep their order, so sorting on the minor column first
    // and the major one last gives a two-key order. Numbers compare as numbers.
    void SortOnColumn(int column, int ascending = 1);
    // Sorts again with every key given to SortOnColumn so far, in the same order.
    void ReSort();
    // Selects or deselects the row; the parent hears LVN_ITEMCHANGED, as with Win32.
    BOOL SelectItem(int row, BOOL select);
    // Deselects every selected row.
    void DeSelectItem();
    // Indexes of the selected rows, ascending; returns their count. list may be NULL.
    int GetSelectedItems(CUIntArray* rows);
    CString GetColumnText(int row, int column);
    void JustifyColumn(int column, int right = 1);
    CImageList* SetImageList(CImageList* list, int imageListType);

    // An operator drags row out of the list. Only in item mode; returns the dragged text
    // ("" when nothing can be dragged) and keeps it as LastDragString().
    CString BeginDrag(int row);
    const CString& LastDragString() const { return m_lastDrag; }

protected:
    // A heading click in table mode sorts, before the parent hears of the click (reflected);
    // the parent still hears it.
    BOOL OnColumnClick(NMHDR* header, LRESULT* result);
    // An operator's row drag (afx::operatorDragRow) goes to BeginDrag.
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    DECLARE_MESSAGE_MAP()

private:
    struct SortKey {
        int column;
        bool ascending;
    };
    void applySelectionMode();
    void sortRows(const SortKey& key);

    std::vector<SortKey> m_sortKeys;
    CString m_lastDrag;
};

class CSwListCtrl : public CNxListCtrl {
    DECLARE_DYNAMIC(CSwListCtrl)
};
