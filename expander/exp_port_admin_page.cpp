#include "expander/exp_port_admin_page.h"

#include "framework/afx/ddx.h"
#include "framework/sw/default_icons.h"
#include "framework/sw/enum_combo.h"
#include "framework/sw/help_engine.h"
#include "framework/sw/list_rows.h"
#include "resources/expander_page_ids.h"
#include "resources/resource_ids.h"

IMPLEMENT_DYNCREATE(CExpPortAdminPage, CPropertyPage)

BEGIN_MESSAGE_MAP(CExpPortAdminPage, CSwBasePropPage)
ON_NOTIFY(LVN_ITEMCHANGED, IDC_EXPADMIN_PORT_LIST, &CExpPortAdminPage::OnPortItemChanged)
ON_NOTIFY(LVN_ITEMCHANGED, IDC_EXPADMIN_SEGMENT_LIST, &CExpPortAdminPage::OnSegmentItemChanged)
ON_EN_CHANGE(IDC_EXPADMIN_SEGMENT, &CExpPortAdminPage::OnSegmentTextChanged)
ON_CBN_SELCHANGE(IDC_EXPADMIN_ADMIN_STATE, &CExpPortAdminPage::OnAdminStateChanged)
ON_BN_CLICKED(IDC_EXPADMIN_UPLINK, &CExpPortAdminPage::OnUplinkClicked)
END_MESSAGE_MAP()

namespace {

constexpr const char* kBank = "tarvoPortGroupIndex";
constexpr const char* kPort = "tarvoPortIndex";
constexpr const char* kSegment = "tarvoPortSegment";
constexpr const char* kAdminStatus = "tarvoPortAdminStatus";
constexpr const char* kUplinkStatus = "tarvoPortUplinkStatus";
constexpr const char* kSegmentIndex = "tarvoPortSegmentIndex";
constexpr const char* kSegmentDescr = "tarvoPortSegmentDescr";
constexpr const char* kReset = "rptrReset";
constexpr long kEnabled = 1;
constexpr long kUplink = 1;
constexpr long kNotUplink = 2;
constexpr long kResetRepeater = 2;
constexpr int kFirstSegment = 1;
constexpr int kLastSegment = 4;
constexpr UINT kWarningStyle = MB_OK | MB_ICONEXCLAMATION;

bool becameSelected(const NMHDR* header) {
    const auto* change = reinterpret_cast<const NMLISTVIEW*>(header);
    return sw::rowIsSelected(*change);
}

}  // namespace

CExpPortAdminPage::CExpPortAdminPage() : CSwBasePropPage(IDD_EXP_PORT_ADMIN) {}

CExpPortAdminPage::~CExpPortAdminPage() = default;

void CExpPortAdminPage::DoDataExchange(CDataExchange* dx) {
    CSwBasePropPage::DoDataExchange(dx);
    DDX_Control(dx, IDC_EXPADMIN_ADMIN_STATE, m_adminState);
    DDX_Control(dx, IDC_EXPADMIN_SEGMENT_LIST, m_segmentList);
    DDX_Control(dx, IDC_EXPADMIN_PORT_LIST, m_portList);
    DDX_Check(dx, IDC_EXPADMIN_UPLINK, m_uplink);
    DDX_Text(dx, IDC_EXPADMIN_SEGMENT, m_segmentText);
    DDV_MaxChars(dx, m_segmentText, kSegmentLimit);
}

BOOL CExpPortAdminPage::OnInitDialog() {
    CSwBasePropPage::OnInitDialog();
    FillAdminStates();
    ClearPortControls();
    m_portList.SetImageList(m_icons.acquire(), 1);
    m_segmentList.SetImageList(m_icons.get(), 1);
    m_portList.m_bTableMode = TRUE;
    m_portList.m_bMultiSelect = TRUE;
    m_segmentList.m_bTableMode = TRUE;
    m_segmentList.m_nItemImage = sw::kIconSegment;
    m_segmentList.SortOnColumn(0, 1);
    UpdateData(FALSE);
    return TRUE;
}

void CExpPortAdminPage::InitPage() {
    m_portListData.Add("Bank", 40, 'R', kBank, "");
    m_portListData.Add("Port", 34, 'R', kPort, "");
    m_portListData.Add("Segment", 56, 'R', kSegment, "");
    m_portListData.Add("AdminStatus", 80, 'L', kAdminStatus, "");
    m_portListData.Add("Uplink", 60, 'L', kUplinkStatus, "");
    m_segmentListData.Add("Segment", 56, 'R', kSegmentIndex, "");
    m_segmentListData.Add("Description", 190, 'L', kSegmentDescr, "");
}

void CExpPortAdminPage::CreateRequests() {
    if (!m_agent) {
        return;
    }
    if (m_portsRequest == 0) {
        m_portsRequest = m_mibComm->OpenListRequest(0, "", m_portListData.GetVarList());
    }
    if (m_portRequest == 0) {
        const LPCTSTR names[] = {kBank, kPort, kAdminStatus, kUplinkStatus, kSegment};
        m_portRequest = m_mibComm->OpenRequest(0, "", names, 5);
    }
    if (m_segmentsRequest == 0) {
        m_segmentsRequest = m_mibComm->OpenListRequest(0, "", m_segmentListData.GetVarList());
    }
    if (m_resetRequest == 0) {
        const LPCTSTR names[] = {kReset};
        m_resetRequest = m_mibComm->OpenRequest(0, "", names, 1);
    }
}

BOOL CExpPortAdminPage::OnSetActive() {
    m_portType = m_chassisInfo ? m_chassisInfo->GetPortType(m_slot, m_port) : 0;
    if (m_portsRequest > 0 && m_segmentsRequest > 0 && m_loaded == 0 && m_hold == 0) {
        Refresh();
    }
    return CSwBasePropPage::OnSetActive();
}

BOOL CExpPortAdminPage::Refresh() {
    m_portsLoaded = 0;
    m_segmentsLoaded = 0;
    m_loaded = 0;
    m_selectedRows.RemoveAll();
    m_selectedPorts.clear();
    m_applyFailed = false;
    m_mibComm->SetReload(m_portsRequest, m_loaded != 0 ? 1 : 0);
    m_mibComm->SetReload(m_segmentsRequest, m_loaded != 0 ? 1 : 0);
    ClearPortControls();
    CreateWaitCursor();
    m_mibComm->RequestTable(m_segmentsRequest);
    return TRUE;
}

void CExpPortAdminPage::FillAdminStates() {
    m_adminState.ResetContent();
    sw::addEnumTexts(m_adminState, *m_mibComm, kAdminStatus, 1,
                     m_mibComm->GetEnumCount(kAdminStatus) - 1);
}

void CExpPortAdminPage::ClearPortControls() {
    m_segmentText.Empty();
    m_uplink = 0;
    m_readRow = -1;
    m_portRead = false;
    if (!m_hWnd) {
        return;
    }
    m_adminState.SetCurSel(-1);
    m_adminState.EnableWindow(FALSE);
    GetDlgItem(IDC_EXPADMIN_SEGMENT)->EnableWindow(FALSE);
    GetDlgItem(IDC_EXPADMIN_UPLINK)->EnableWindow(FALSE);
    UpdateData(FALSE);
}

void CExpPortAdminPage::ShowReadPort() {
    if (!m_hWnd) {
        return;
    }
    m_adminState.EnableWindow(TRUE);
    GetDlgItem(IDC_EXPADMIN_SEGMENT)->EnableWindow(TRUE);
    GetDlgItem(IDC_EXPADMIN_UPLINK)->EnableWindow(TRUE);
    m_segmentText = m_mibComm->GetString(m_portRequest, kSegment);
    const long admin = m_mibComm->GetInteger(m_portRequest, kAdminStatus);
    // A state the combo has no entry for stays unselected, and is then not written.
    m_adminState.SetCurSel(
        admin >= 1 && admin <= m_adminState.GetCount() ? static_cast<int>(admin - 1) : -1);
    m_uplink = m_mibComm->GetInteger(m_portRequest, kUplinkStatus) == kUplink ? 1 : 0;
    m_portRead = true;
    UpdateData(FALSE);
}

CExpPortAdminPage::BankPort CExpPortAdminPage::PortOfRow(int row) {
    const sw::SlotPort port = sw::portOfRow(m_portList, row);
    return {port.slot, port.port};
}

void CExpPortAdminPage::FillPortList() {
    if (!m_hWnd) {
        return;
    }
    m_filling = true;
    // The module's size, when the chassis description knows it: rows beyond it are skipped.
    const int modulePorts = m_chassisInfo ? m_chassisInfo->GetPortCount(m_slot) : 0;
    const bool complete =
        sw::fillListFromTable(m_portList, *m_mibComm, m_portsRequest, m_portListData, [&]() -> int {
            const long bank = m_mibComm->GetInteger(m_portsRequest, kBank);
            const long port = m_mibComm->GetInteger(m_portsRequest, kPort);
            // A bank or port the module cannot have would alias another port's number.
            if (bank < 1 || port < 1 || port > kPortsPerBank || bank > 0xFFFF) {
                return -1;
            }
            const long consolePort = (bank - 1) * kPortsPerBank + port;
            if ((modulePorts > 0 && consolePort > modulePorts) ||
                !IsPortSelected(m_slot, static_cast<int>(consolePort), m_portType)) {
                return -1;
            }
            const bool enabled = m_mibComm->GetInteger(m_portsRequest, kAdminStatus) == kEnabled;
            return enabled ? sw::kIconPortEnabled : sw::kIconPortNotEnabled;
        });
    if (!complete) {
        MessageBox("Unable to access repeater record", "Error", MB_OK);
    }
    if (complete) {
        sw::sortBySlotAndPort(m_portList);
        if (m_readRow >= 0) {
            m_readRow = sw::rowOfPort(m_portList, m_readPort.first, m_readPort.second);
        }
        m_selectedRows.RemoveAll();
        for (const BankPort& selected : m_selectedPorts) {
            const int row = sw::rowOfPort(m_portList, selected.first, selected.second);
            if (row >= 0) {
                m_portList.SelectItem(row, TRUE);
                m_selectedRows.Add(static_cast<UINT>(row));
            }
        }
        if (m_selectedRows.GetSize() > 0) {
            m_portList.EnsureVisible(static_cast<int>(m_selectedRows[0]), FALSE);
        }
    }
    m_filling = false;
    UpdateData(FALSE);
}

void CExpPortAdminPage::FillSegmentList() {
    if (!m_hWnd) {
        return;
    }
    m_segmentList.ClearCtrl();
    m_segmentList.SetColumnHdgs(m_segmentListData.GetColumnHdgs(),
                                m_segmentListData.GetColumnWidths(),
                                m_segmentListData.GetColumnJustify());
    const long rows = m_mibComm->GetRowCount(m_segmentsRequest);
    for (long r = 0; r < rows; ++r) {
        if (!m_mibComm->GotoRow(m_segmentsRequest, r)) {
            MessageBox("Unable to access segment record", "Error", MB_OK);
            break;
        }
        CStringArray texts;
        texts.Add(m_mibComm->GetString(m_segmentsRequest, kSegmentIndex));
        texts.Add(m_mibComm->GetString(m_segmentsRequest, kSegmentDescr));
        m_segmentList.AddItem(&texts);
    }
    m_segmentList.ReSort();
    UpdateData(FALSE);
}

void CExpPortAdminPage::CheckSegmentOneUplink() {
    const long rows = m_mibComm->GetRowCount(m_portsRequest);
    for (long r = 0; r < rows; ++r) {
        if (m_mibComm->GotoRow(m_portsRequest, r) &&
            m_mibComm->GetInteger(m_portsRequest, kSegment) == kFirstSegment &&
            m_mibComm->GetInteger(m_portsRequest, kUplinkStatus) == kUplink) {
            return;
        }
    }
    MessageBox(
        " Segment 1 must have an Uplink.\n  Locate the connection and declare\n      the Port as "
        "an Uplink.",
        "Warning", kWarningStyle);
}

bool CExpPortAdminPage::IsUplink(int bank, int port) {
    const long rows = m_mibComm->GetRowCount(m_portsRequest);
    for (long r = 0; r < rows; ++r) {
        if (m_mibComm->GotoRow(m_portsRequest, r) &&
            m_mibComm->GetInteger(m_portsRequest, kBank) == bank &&
            m_mibComm->GetInteger(m_portsRequest, kPort) == port &&
            m_mibComm->GetInteger(m_portsRequest, kUplinkStatus) == kUplink) {
            return true;
        }
    }
    return false;
}

void CExpPortAdminPage::ReadPortTable() {
    m_portsLoaded = 0;
    m_loaded = 0;
    m_mibComm->SetReload(m_portsRequest, FALSE);
    CreateWaitCursor();
    m_mibComm->RequestTable(m_portsRequest);
}

void CExpPortAdminPage::SendReset() {
    m_resetPending = 0;  // one reset per Apply, whatever completes while it is on its way
    m_mibComm->SetInteger(m_resetRequest, kReset, kResetRepeater);
    if (!m_mibComm->SendSet(m_resetRequest)) {
        ApplyFailed("     Reset Failed.\n Changes may not be saved");
    }
}

void CExpPortAdminPage::OnRequestDone(int h) {
    if (h <= 0) {
        return;
    }
    if (h == m_portsRequest) {
        FillPortList();
        m_portsLoaded = 1;
        CheckSegmentOneUplink();
    }
    if (h == m_segmentsRequest) {
        FillSegmentList();
        m_segmentsLoaded = 1;
        CreateWaitCursor();
        m_mibComm->RequestTable(m_portsRequest);
    }
    if (h == m_portRequest && !m_portCompletions.empty()) {
        const PortCompletion done = m_portCompletions.front();
        m_portCompletions.pop_front();
        if (done == PortCompletion::Set) {
            m_pendingSets = m_pendingSets > 0 ? m_pendingSets - 1 : 0;
            if (m_pendingSets == 0 && m_applyFailed) {
                ReadPortTable();  // the sends that went through, as the switch has them
            }
        } else {
            ShowReadPort();
        }
        if (m_resetPending && m_pendingSets == 0) {
            SendReset();
        }
    }
    if (h == m_resetRequest) {
        m_resetPending = 0;
        ReadPortTable();
    }
    if (m_portsLoaded && m_segmentsLoaded) {
        m_loaded = 1;
        // After a failed Apply the typed values stay to be applied again.
        if (!m_applyFailed) {
            SetClean(TRUE);
        }
    }
}

void CExpPortAdminPage::ApplyFailed(const char* message) {
    const bool firstFailure = !m_applyFailed;
    m_applyFailed = true;
    m_resetPending = 0;
    if (firstFailure) {
        MessageBox(message, "Error", kWarningStyle);
    }
    SetDirty(TRUE);
    if (m_pendingSets == 0) {
        ReadPortTable();
    }
}

void CExpPortAdminPage::OnError(int h) {
    if (h <= 0) {
        return;
    }
    if (h == m_portRequest && !m_portCompletions.empty() &&
        m_portCompletions.front() == PortCompletion::Set) {
        m_portCompletions.pop_front();
        m_pendingSets = m_pendingSets > 0 ? m_pendingSets - 1 : 0;
        ApplyFailed("Failed to Apply Changes");
        return;
    }
    if (h == m_resetRequest) {
        ApplyFailed("     Reset Failed.\n Changes may not be saved");
        return;
    }
    if (h == m_portRequest && !m_portCompletions.empty()) {
        m_portCompletions.pop_front();
    }
    // A read that failed: the operator is told, and the page reads again at its next
    // activation.
    CSwBasePropPage::OnError(h);
}

void CExpPortAdminPage::OnPortItemChanged(NMHDR* header, LRESULT* result) {
    *result = 0;
    if (m_filling || !becameSelected(header) || m_portList.GetSelectedCount() != 1) {
        return;
    }
    const int row = reinterpret_cast<const NMLISTVIEW*>(header)->iItem;
    if (m_readRow < 0 || PortOfRow(row) != m_readPort) {
        ReadPort(row);
    }
    m_readRow = row;
}

void CExpPortAdminPage::ReadPort(int row) {
    m_indexTexts.RemoveAll();
    m_indexTexts.Add(m_portList.GetColumnText(row, 0));
    m_indexTexts.Add(m_portList.GetColumnText(row, 1));
    m_readPort = PortOfRow(row);
    m_mibComm->SetRowIndex(m_portRequest, &m_indexTexts);
    m_mibComm->SetReload(m_portRequest, FALSE);
    CreateWaitCursor();
    if (m_mibComm->RequestRow(m_portRequest)) {
        m_portCompletions.push_back(PortCompletion::Read);
    }
}

void CExpPortAdminPage::OnSegmentItemChanged(NMHDR* header, LRESULT* result) {
    *result = 0;
    if (!becameSelected(header)) {
        return;
    }
    const int row = reinterpret_cast<const NMLISTVIEW*>(header)->iItem;
    UpdateData(TRUE);  // what the operator typed meanwhile is kept
    if (m_portRead) {
        const CString segment = m_segmentList.GetColumnText(row, 0);
        if (segment != m_segmentText) {
            m_segmentText = segment;
            SetDirty(TRUE);
        }
    } else {
        m_segmentList.SelectItem(row, FALSE);
    }
    UpdateData(FALSE);
}

void CExpPortAdminPage::OnSegmentTextChanged() {
    SetDirty(TRUE);
}

void CExpPortAdminPage::OnAdminStateChanged() {
    SetDirty(TRUE);
}

void CExpPortAdminPage::OnUplinkClicked() {
    const int before = m_uplink;
    UpdateData(TRUE);
    if (before == m_uplink) {
        SetDirty(TRUE);
        return;
    }
    const char* question = m_uplink ? "Are you sure this port is wired as an Uplink?"
                                    : "Are you sure this port is not wired as an Uplink?";
    if (MessageBox(question, "Warning", MB_YESNO | MB_ICONQUESTION) == IDYES) {
        SetDirty(TRUE);
    } else {
        m_uplink = before;
        UpdateData(FALSE);
    }
}

BOOL CExpPortAdminPage::OnApply() {
    if (!UpdateData(TRUE)) {
        return FALSE;
    }
    // Pressed for another page, or after looking only: an untouched page writes nothing.
    if (!IsModified()) {
        return TRUE;
    }
    CString typed = m_segmentText;
    typed.Trim();
    const bool segmentGiven = !typed.IsEmpty();
    const long segment = afx::leadingNumber(typed);
    if (segmentGiven && (segment < kFirstSegment || segment > kLastSegment)) {
        MessageBox("Segment must be\n1 <= and <= 4", "Error", kWarningStyle);
        return TRUE;
    }
    BOOL result = TRUE;
    m_resetPending = 0;
    m_pendingSets = 0;
    m_selectedRows.RemoveAll();
    const int n = m_portList.m_hWnd ? m_portList.GetSelectedItems(&m_selectedRows) : 0;
    m_selectedPorts.clear();
    for (int i = 0; i < n; ++i) {
        m_selectedPorts.push_back(PortOfRow(static_cast<int>(m_selectedRows[i])));
    }
    // Only values the operator gave are written: nothing before a port was read (the
    // controls were empty), no segment from an empty field, no state without a selection.
    const int adminIndex = m_adminState.m_hWnd ? m_adminState.GetCurSel() : -1;
    if (n < 1 || !m_portRead) {
        return TRUE;
    }
    m_applyFailed = false;
    for (int i = 0; i < n; ++i) {
        const int row = static_cast<int>(m_selectedRows[i]);
        const CString bankText = m_portList.GetColumnText(row, 0);
        const CString portText = m_portList.GetColumnText(row, 1);
        const int bank = static_cast<int>(afx::leadingNumber(bankText));
        const int port = static_cast<int>(afx::leadingNumber(portText));
        if (IsUplink(bank, port)) {
            CString warning;
            warning.Format(
                " Bank %d, Port %d is an Uplink Port !\n Changing its segment assignment may\n "
                "cause loss of segment connectivity.",
                bank, port);
            if (MessageBox(warning, "Warning", MB_OKCANCEL | MB_ICONEXCLAMATION) == IDCANCEL) {
                continue;
            }
        }
        m_indexTexts.RemoveAll();
        m_indexTexts.Add(bankText);
        m_indexTexts.Add(portText);
        m_mibComm->SetRowIndex(m_portRequest, &m_indexTexts);
        if (segmentGiven) {
            m_mibComm->SetInteger(m_portRequest, kSegment, segment);
        }
        if (adminIndex >= 0) {
            m_mibComm->SetInteger(m_portRequest, kAdminStatus, adminIndex + 1);
        }
        m_mibComm->SetInteger(m_portRequest, kUplinkStatus, m_uplink ? kUplink : kNotUplink);
        m_pendingSets += 1;
        if (i < n - 1) {
            m_mibComm->SetReRead(m_portRequest, FALSE);
            m_mibComm->SetUpdateOthers(m_portRequest, FALSE);
        } else {
            m_resetPending = 1;
        }
        CreateWaitCursor();
        result = m_mibComm->SendSet(m_portRequest);
        if (!result) {
            m_pendingSets -= 1;
            ApplyFailed("Failed to Apply Changes");
            return FALSE;
        }
        m_portCompletions.push_back(PortCompletion::Set);
    }
    return result;
}

void CExpPortAdminPage::ReleaseRequests() {
    m_mibComm->ReleaseRequest(m_portsRequest);
    m_mibComm->ReleaseRequest(m_segmentsRequest);
    m_mibComm->ReleaseRequest(m_portRequest);
    m_mibComm->ReleaseRequest(m_resetRequest);
    m_portsRequest = 0;
    m_segmentsRequest = 0;
    m_portRequest = 0;
    m_resetRequest = 0;
    m_portCompletions.clear();
}

void CExpPortAdminPage::OnHelp() {
    HelpEngine("TarvoPort_Help\\TarvoPort_Port_Admin_Page", 1);
}
