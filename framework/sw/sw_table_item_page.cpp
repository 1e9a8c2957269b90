#include "framework/sw/sw_table_item_page.h"

#include "framework/afx/app.h"
#include "framework/afx/ui_hook.h"
#include "framework/sw/default_icons.h"
#include "framework/sw/list_rows.h"

IMPLEMENT_DYNAMIC(CSwTableItemPage, CSwBasePropPage)

CSwTableItemPage::CSwTableItemPage(UINT templateId, const sw::TableItemLayout& layout)
    : CSwBasePropPage(templateId), m_layout(layout) {}

CSwTableItemPage::~CSwTableItemPage() = default;

void CSwTableItemPage::DoDataExchange(CDataExchange* dx) {
    CSwBasePropPage::DoDataExchange(dx);
    DDX_Control(dx, static_cast<int>(m_layout.listId), m_list);
    DDX_Radio(dx, static_cast<int>(m_layout.firstKindId), m_kind);
    DDX_Radio(dx, static_cast<int>(m_layout.tableViewId), m_view);
}

BOOL CSwTableItemPage::OnInitDialog() {
    CSwBasePropPage::OnInitDialog();
    m_kind = 0;
    m_view = kTableView;
    m_list.SetImageList(m_icons.acquire(), 1);
    m_list.SortOnColumn(0, 1);
    UpdateViewRadios();
    return TRUE;
}

CListData* CSwTableItemPage::descriptionOfKind(int kind) const {
    const int index = kind < 0 ? -1 : DescriptionIndexOfKind(kind);
    if (index < 0 || index >= m_descriptions.GetSize()) {
        return nullptr;
    }
    return static_cast<CListData*>(m_descriptions.GetAt(index));
}

long CSwTableItemPage::requestOf(int kind) const {
    const CListData* description = descriptionOfKind(kind);
    return description ? description->GetRequestID() : 0;
}

void CSwTableItemPage::CreateRequests() {
    if (!m_agent || m_descriptions.GetSize() == 0) {
        return;
    }
    m_portType = m_chassisInfo ? m_chassisInfo->GetPortType(m_slot, m_port) : 0;
    for (int i = 0; i < m_descriptions.GetSize(); ++i) {
        auto* description = static_cast<CListData*>(m_descriptions.GetAt(i));
        if (description->GetRequestID() < 1) {
            const long h = m_mibComm->OpenListRequest(0, description->GetTableName(),
                                                      description->GetVarList());
            description->SetRequestID(static_cast<int>(h));
        }
    }
    m_current = descriptionOfKind(0);
    m_currentRequest = m_current ? m_current->GetRequestID() : 0;
}

BOOL CSwTableItemPage::OnSetActive() {
    if (m_currentRequest > 0 && m_hold == 0) {
        // The first read goes out before polling starts, so that polling takes over its kind
        // of read (a single row, say) instead of reading the whole table beside it.
        if (m_loaded == 0) {
            ReadCurrentTable();
        }
        for (int i = 0; m_layout.polls && i < m_descriptions.GetSize(); ++i) {
            const long h = static_cast<CListData*>(m_descriptions.GetAt(i))->GetRequestID();
            m_mibComm->SetPolling(h, 1, FALSE);
            if (h == m_currentRequest) {
                m_mibComm->StartPolling(h, TRUE);
            }
        }
    }
    return CSwBasePropPage::OnSetActive();
}

BOOL CSwTableItemPage::OnKillActive() {
    for (int i = 0; i < m_descriptions.GetSize(); ++i) {
        m_mibComm->StopPolling(static_cast<CListData*>(m_descriptions.GetAt(i))->GetRequestID());
    }
    return CSwBasePropPage::OnKillActive();
}

BOOL CSwTableItemPage::Refresh() {
    for (int i = 0; i < m_descriptions.GetSize(); ++i) {
        static_cast<CListData*>(m_descriptions.GetAt(i))->SetFresh(0);
    }
    m_loaded = 0;
    if (RefreshForgetsChosenRow()) {
        m_chosenRow = -1;
        if (m_view == kTableView) {
            UpdateViewRadios();
        }
    }
    ReadCurrentTable();
    return TRUE;
}

void CSwTableItemPage::ReadCurrentTable() {
    if (m_currentRequest <= 0) {
        return;
    }
    m_mibComm->SetReload(m_currentRequest, m_loaded != 0 ? 1 : 0);
    if (m_view == kItemView) {
        // A chosen row whose texts the component cannot turn back into an index is told, not
        // read as whatever row was addressed before.
        if (!AddressChosenRow()) {
            if (m_hWnd) {
                MessageBox(m_layout.unreachableText,
                           m_layout.unreachableCaption ? m_layout.unreachableCaption
                                                       : afx::applicationName().c_str(),
                           MB_OK);
            }
            return;
        }
        CreateWaitCursor();
        m_mibComm->RequestRow(m_currentRequest);
        return;
    }
    CreateWaitCursor();
    StartTableRead();
}

BOOL CSwTableItemPage::AddressChosenRow() {
    return m_mibComm->SetRowIndex(m_currentRequest, &m_chosenIndex);
}

void CSwTableItemPage::StartTableRead() {
    m_mibComm->RequestTable(m_currentRequest);
}

void CSwTableItemPage::OnRequestDone(int h) {
    if (h != m_currentRequest || !m_current) {
        return;
    }
    if (m_view == kItemView) {
        FillItemView();
    } else {
        FillTableView();
    }
    m_current->SetFresh(1);
    m_loaded = 1;
    SetClean(1);
}

CString CSwTableItemPage::CellText(int /*column*/, const CString& variable) {
    return m_mibComm->GetString(m_currentRequest, variable);
}

CString CSwTableItemPage::ItemValue(int /*item*/, const CString& variable) {
    return m_mibComm->GetString(m_currentRequest, variable);
}

void CSwTableItemPage::SortTable() {
    sw::sortBySlotAndPort(m_list);
}

void CSwTableItemPage::FillTableView() {
    if (!m_hWnd) {
        return;
    }
    BeginWaitCursor();
    // A fill (a poll's too) is one change to whoever presents the list, not one per cell.
    m_list.SetRedraw(FALSE);
    m_list.ClearCtrl();
    m_list.SetColumnHdgs(m_current->GetColumnHdgs(), m_current->GetColumnWidths(),
                         m_current->GetColumnJustify());
    m_list.m_bTableMode = TRUE;
    m_list.m_bItemMode = FALSE;
    m_list.m_bMultiSelect = m_layout.multiSelectInTable;
    const long rows = m_mibComm->GetRowCount(m_currentRequest);
    const int variables = m_current->GetVarCount();
    for (long r = 0; r < rows; ++r) {
        if (!m_mibComm->GotoRow(m_currentRequest, r)) {
            m_list.SetRedraw(TRUE);  // the box shows over the rows filled so far
            if (m_layout.unreachableCaption) {
                MessageBox(m_layout.unreachableText, m_layout.unreachableCaption, MB_OK);
            } else {
                AfxMessageBox(m_layout.unreachableText, MB_OK, 0);
            }
            EndWaitCursor();
            return;
        }
        sw::SlotPort port;
        if (RowPort(&port)) {
            if (!IsPortSelected(port.slot, port.port, m_portType)) {
                continue;
            }
            const bool enabled = m_health && m_health->IsPortEnabled(port.slot, port.port);
            m_list.m_nItemImage = enabled ? sw::kIconPortEnabled : sw::kIconPortNotEnabled;
        } else {
            m_list.m_nItemImage = TableImage();
        }
        CStringArray texts;
        for (int i = 0; i < variables; ++i) {
            texts.Add(CellText(i, m_current->GetAtVarName(i)));
        }
        m_list.AddItem(&texts);
    }
    SortTable();
    ReselectChosenRow();
    m_list.SetRedraw(TRUE);
    UpdateViewRadios();
    EndWaitCursor();
}

void CSwTableItemPage::ReselectChosenRow() {
    if (m_chosenRow < 0) {
        return;
    }
    for (int row = 0; row < m_list.GetItemCount(); ++row) {
        bool same = m_chosenIndex.GetSize() > 0;
        for (int cell = 0; same && cell < m_chosenIndex.GetSize(); ++cell) {
            same = m_list.GetColumnText(row, cell) == m_chosenIndex.GetAt(cell);
        }
        if (same) {
            m_list.SelectItem(row, TRUE);
            return;
        }
    }
    if (m_chosenRow < m_list.GetItemCount()) {
        m_list.SelectItem(m_chosenRow, TRUE);
    }
}

void CSwTableItemPage::FillItemView() {
    if (!m_hWnd) {
        return;
    }
    CStringArray headings;
    headings.Add(m_layout.itemHeading);
    headings.Add(m_layout.valueHeading);
    m_list.SetRedraw(FALSE);
    m_list.ClearCtrl();
    m_list.SetColumnHdgs(&headings, nullptr, nullptr);
    if (m_layout.valueWidth > 0) {
        m_list.SetColumnWidth(1, m_layout.valueWidth);
    }
    m_list.JustifyColumn(1, 1);
    m_list.m_bTableMode = FALSE;
    m_list.m_bItemMode = TRUE;
    m_list.m_bMultiSelect = m_layout.multiSelectInItem;
    for (int i = 0; i < m_current->GetVarCount(); ++i) {
        const CString variable = m_current->GetAtVarName(i);
        m_list.m_nItemImage =
            m_mibComm->IsStringVariable(variable) ? sw::kIconTextItem : m_layout.counterImage;
        CStringArray texts;
        texts.Add(m_current->GetAtItemString(i));
        texts.Add(ItemValue(i, variable));
        m_list.AddItem(&texts);
    }
    m_list.SetRedraw(TRUE);
    UpdateData(FALSE);
}

void CSwTableItemPage::UpdateViewRadios() {
    if (!m_hWnd) {
        return;
    }
    GetDlgItem(static_cast<int>(m_layout.tableViewId))->EnableWindow(TRUE);
    GetDlgItem(static_cast<int>(m_layout.itemViewId))
        ->EnableWindow(m_chosenRow >= 0 ? TRUE : FALSE);
    UpdateData(FALSE);
}

int CSwTableItemPage::chosenNumber(int cell) const {
    return cell < m_chosenIndex.GetSize()
               ? static_cast<int>(afx::leadingNumber(m_chosenIndex.GetAt(cell)))
               : 0;
}

CString CSwTableItemPage::numberText(long value) {
    CString text;
    text.Format("%d", static_cast<int>(value));
    return text;
}

void CSwTableItemPage::OnListItemChanged(NMHDR* header, LRESULT* result) {
    *result = 0;
    const auto* change = reinterpret_cast<const NMLISTVIEW*>(header);
    if (!sw::rowBecameSelected(*change) || m_view != kTableView) {
        return;
    }
    const int row = change->iItem;
    m_chosenIndex.RemoveAll();
    for (int cell = 0; cell < IndexCellCount(); ++cell) {
        m_chosenIndex.Add(m_list.GetColumnText(row, cell));
    }
    m_chosenRow = row;
    UpdateViewRadios();
}

void CSwTableItemPage::OnViewClicked() {
    UpdateData(TRUE);
    UpdateViewRadios();
    ReadCurrentTable();
}

void CSwTableItemPage::OnKindClicked() {
    UpdateData(TRUE);
    CListData* chosen = descriptionOfKind(m_kind);
    if (!chosen) {
        return;
    }
    const long oldRequest = m_currentRequest;
    m_current = chosen;
    m_currentRequest = m_current->GetRequestID();
    m_loaded = m_current->IsFresh();
    m_chosenRow = -1;
    m_view = kTableView;
    UpdateViewRadios();
    // The old table's rows are not left under the new kind while it is read.
    m_list.ClearCtrl();
    if (m_layout.polls) {
        m_mibComm->StopPolling(oldRequest);
    }
    // Read before polling starts, as on activation: polling then follows this read.
    ReadCurrentTable();
    if (m_layout.polls) {
        m_mibComm->StartPolling(m_currentRequest, TRUE);
    }
}

void CSwTableItemPage::ReleaseRequests() {
    for (int i = 0; i < m_descriptions.GetSize(); ++i) {
        auto* description = static_cast<CListData*>(m_descriptions.GetAt(i));
        m_mibComm->ReleaseRequest(description->GetRequestID());
        description->SetRequestID(0);
    }
    m_currentRequest = 0;
}

void CSwTableItemPage::DragIndex(CStringArray* indexTexts, int* slot, int* port) {
    indexTexts->Copy(m_chosenIndex);
    *slot = chosenNumber(0);
    *port = m_chosenIndex.GetSize() > 1 ? chosenNumber(1) : 0;
}

CString CSwTableItemPage::CreateDragDropString(int item) {
    if (!m_layout.sourceWord) {
        return CSwBasePropPage::CreateDragDropString(item);
    }
    if (!m_current || item < 0 || item >= m_current->GetVarCount()) {
        return CString();
    }
    const CString variable = m_current->GetAtVarName(item);
    if (m_mibComm->IsStringVariable(variable)) {
        return CString();
    }
    CStringArray indexTexts;
    int slot = 0;
    int port = 0;
    DragIndex(&indexTexts, &slot, &port);
    return CreateDragDropStringHelper(m_agentAddress, variable, m_list.GetColumnText(item, 1),
                                      &indexTexts, m_list.GetColumnText(item, 0),
                                      m_layout.sourceWord, slot, port, 0);
}
