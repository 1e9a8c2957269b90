#pragma once
// A page that shows one of several MIB tables ("kinds") as a table view (a list row per table
// row) or as an item view (the variables of one chosen row, a list row each, draggable).
// The Statistics, MACs and expander Statistics pages are this display with their own tables:
// a page describes its tables in InitPage (AddDescription, in kind order unless it maps kinds
// otherwise), names its controls and texts in a TableItemLayout, and overrides the hooks
// below where its rows differ: which port a row belongs to, its images, how a chosen row is
// addressed, its sort order and what a drag carries.
//
// The chosen row is remembered by the texts of its first IndexCellCount() cells, so it is
// found again after a reading even when the operator sorted on a heading meanwhile.

#include "framework/afx/ddx.h"
#include "framework/sw/default_icons.h"
#include "framework/sw/list_data.h"
#include "framework/sw/sw_base_prop_page.h"

namespace sw {

struct TableItemLayout {
    // The list, the first radio button of the kind group, and the two view radios.
    UINT listId = 0;
    UINT firstKindId = 0;
    UINT tableViewId = 0;
    UINT itemViewId = 0;
    // The item view's two headings, and the width of its value column (0: the list's own).
    const char* itemHeading = "             Item            ";
    const char* valueHeading = " Value ";
    int valueWidth = 100;
    // Item view image of a variable that is not a text.
    int counterImage = 5;
    // The list's multi-select option in each view.
    BOOL multiSelectInTable = FALSE;
    BOOL multiSelectInItem = FALSE;
    // Whether the shown table is polled while the page is active.
    bool polls = true;
    // When a row read cannot be reached during a fill; no caption: the application's.
    const char* unreachableText = "Unable to access database record";
    const char* unreachableCaption = nullptr;
    // The source word of drag strings; none: item rows are not dragged.
    const char* sourceWord = nullptr;
};

}  // namespace sw

class CSwTableItemPage : public CSwBasePropPage {
    DECLARE_DYNAMIC(CSwTableItemPage)
public:
    enum View { kTableView = 0, kItemView = 1 };

    CSwTableItemPage(UINT templateId, const sw::TableItemLayout& layout);
    ~CSwTableItemPage() override;

    BOOL OnInitDialog() override;
    void CreateRequests() override;
    BOOL OnSetActive() override;
    BOOL OnKillActive() override;
    BOOL Refresh() override;
    void OnRequestDone(int h) override;
    void ReleaseRequests() override;
    CString CreateDragDropString(int item) override;

    long currentRequest() const { return m_currentRequest; }
    long requestOf(int kind) const;
    int kind() const { return m_kind; }
    int view() const { return m_view; }
    int chosenRow() const { return m_chosenRow; }
    const CStringArray& chosenIndexTexts() const { return m_chosenIndex; }

    // Notification handlers; the page's message map routes its controls here.
    void OnViewClicked();
    void OnKindClicked();
    void OnListItemChanged(NMHDR* header, LRESULT* result);

protected:
    void DoDataExchange(CDataExchange* dx) override;

    // Appends a table; the page keeps the description alive as long as itself.
    void AddDescription(CListData* description) { m_descriptions.Add(description); }

    // Index in the added descriptions of the table of a kind.
    virtual int DescriptionIndexOfKind(int kind) const { return kind; }
    // How many leading cells of a table row address it.
    virtual int IndexCellCount() const { return 2; }
    // The port of the current table row. Rows of a page that answers are listed only for
    // the selected ports, with the port health image; otherwise all rows, with TableImage.
    virtual bool RowPort(sw::SlotPort* /*port*/) { return false; }
    virtual int TableImage() const { return -1; }
    virtual CString CellText(int column, const CString& variable);
    virtual CString ItemValue(int item, const CString& variable);
    // Chooses the chosen row's instance on the current request; FALSE when it cannot.
    virtual BOOL AddressChosenRow();
    // Starts the read of the table view.
    virtual void StartTableRead();
    virtual void SortTable();
    virtual bool RefreshForgetsChosenRow() const { return true; }
    // What a drag carries of the chosen row: index texts, slot and port.
    virtual void DragIndex(CStringArray* indexTexts, int* slot, int* port);

    void ReadCurrentTable();
    // "Item View" is available exactly while a row is chosen.
    void UpdateViewRadios();
    int chosenNumber(int cell) const;
    static CString numberText(long value);
    CListData* currentDescription() const { return m_current; }
    CListData* descriptionOfKind(int kind) const;

    CSwListCtrl m_list;
    int m_portType = 0;
    int m_chosenRow = -1;

private:
    void FillTableView();
    void FillItemView();
    void ReselectChosenRow();

    sw::TableItemLayout m_layout;
    CObArray m_descriptions;
    CListData* m_current = nullptr;
    long m_currentRequest = 0;
    int m_kind = -1;
    int m_view = -1;
    CStringArray m_chosenIndex;
    sw::DefaultIconsLease m_icons;
};
