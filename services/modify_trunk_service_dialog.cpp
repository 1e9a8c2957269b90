#include "services/modify_trunk_service_dialog.h"

#include <vector>

#include "framework/afx/ddx.h"
#include "framework/sw/help_engine.h"
#include "framework/sw/sw_functions.h"
#include "resources/trunk_ids.h"
#include "services/trunk_rows.h"

IMPLEMENT_DYNAMIC(CModifyTrunkServiceDialog, CSwBaseDialog)

BEGIN_MESSAGE_MAP(CModifyTrunkServiceDialog, CSwBaseDialog)
ON_WM_TIMER()
ON_EN_CHANGE(IDC_TRUNK_SERVICE_DESCRIPTION, &CModifyTrunkServiceDialog::OnDescriptionChanged)
ON_BN_CLICKED(IDC_TRUNK_SERVICE_ADD, &CModifyTrunkServiceDialog::OnAdd)
ON_LBN_DBLCLK(IDC_TRUNK_SERVICE_AVAILABLE, &CModifyTrunkServiceDialog::OnAdd)
ON_BN_CLICKED(IDC_TRUNK_SERVICE_REMOVE, &CModifyTrunkServiceDialog::OnRemove)
ON_LBN_DBLCLK(IDC_TRUNK_SERVICE_SERVICED, &CModifyTrunkServiceDialog::OnRemove)
ON_LBN_SELCHANGE(IDC_TRUNK_SERVICE_AVAILABLE,
                 &CModifyTrunkServiceDialog::OnAvailableSelectionChanged)
ON_LBN_SELCHANGE(IDC_TRUNK_SERVICE_SERVICED, &CModifyTrunkServiceDialog::OnServicedSelectionChanged)
END_MESSAGE_MAP()

namespace {

constexpr const char* kGroupNumber = "vLanNumber";
constexpr const char* kGroupMode = "vLanMode";
// Groups of these modes are the switch's own and never carried by a trunk.
constexpr long kReservedModes[] = {4, 5};
constexpr UINT kChangeAdd = 1;

UINT groupOfEntry(CListBox& list, int index) {
    CString text;
    list.GetText(index, text);
    return static_cast<UINT>(afx::leadingNumber(text));
}

bool holds(const CUIntArray& groups, UINT group) {
    for (int i = 0; i < groups.GetSize(); ++i) {
        if (groups.GetAt(i) == group) {
            return true;
        }
    }
    return false;
}

std::vector<int> selectedEntries(CListBox& list) {
    const int count = list.GetSelCount();
    if (count <= 0) {
        return {};
    }
    std::vector<int> items(static_cast<std::size_t>(count));
    const int got = list.GetSelItems(count, items.data());
    items.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
    return items;
}

}  // namespace

CModifyTrunkServiceDialog::CModifyTrunkServiceDialog(CWnd* parent)
    : CSwBaseDialog(IDD_MODIFY_TRUNK_SERVICE, parent) {}

CModifyTrunkServiceDialog::~CModifyTrunkServiceDialog() = default;

void CModifyTrunkServiceDialog::DoDataExchange(CDataExchange* dx) {
    CSwBaseDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_TRUNK_SERVICE_SERVICED, m_servicedList);
    DDX_Control(dx, IDC_TRUNK_SERVICE_AVAILABLE, m_availableList);
    DDX_Text(dx, IDC_TRUNK_SERVICE_DESCRIPTION, m_description);
    DDV_MaxChars(dx, m_description, kDescriptionLimit);
}

long CModifyTrunkServiceDialog::OpenKindRequest(const char* const* names, long count) {
    const long h = m_mibComm->OpenRequest(0, "", names, count);
    m_mibComm->SetReload(h, 0);
    return h;
}

BOOL CModifyTrunkServiceDialog::OnInitDialog() {
    CSwBaseDialog::OnInitDialog();
    const torvik::TrunkServiceKind kind =
        torvik::chooseTrunkServiceKind(m_dot10Flag, m_dot1QFlag, m_domainBridgingFlag);
    m_vars = torvik::trunkServiceVariables(kind);
    if (m_membersRequest < 1) {
        const char* names[] = {m_vars.membersSlot, m_vars.membersStation, m_vars.membersGroup,
                               m_vars.membersCommand};
        m_membersRequest = OpenKindRequest(names, 4);
    }
    if (m_servicesRequest < 1) {
        const char* names[] = {m_vars.servicesSlot, m_vars.servicesStation,
                               m_vars.servicesDescription, m_vars.servicesBridgeId};
        m_servicesRequest = OpenKindRequest(names, 4);
    }
    if (m_groupRequest < 1) {
        const char* names[] = {kGroupNumber, kGroupMode};
        m_groupRequest = OpenKindRequest(names, 2);
    }
    m_servicePort = m_port;
    m_kindName = torvik::trunkServiceName(kind);
    CString caption;
    caption.Format("Modify %s Service", m_kindName.GetString());
    SetWindowText(caption);
    UpdateData(FALSE);
    RequestData();
    return TRUE;
}

void CModifyTrunkServiceDialog::RequestData() {
    if (m_pendingSets > 0) {
        return;
    }
    if (m_setsInFlight > 0) {
        m_readAgainAfterSets = true;  // read once the switch has answered every set
        return;
    }
    m_ownGroup = -1;
    m_modifying = 0;
    if (m_servicesRequest < 1) {
        return;  // no agent: nothing to read, nothing to wait for
    }
    m_reading = true;
    CreateWaitCursor();
    m_mibComm->RequestTable(m_servicesRequest);
}

void CModifyTrunkServiceDialog::OnRequestDone(int h) {
    if (m_setsInFlight > 0 && (h == m_servicesRequest || h == m_membersRequest)) {
        SetCompleted();
        return;
    }
    if (m_done) {
        UpdateData(FALSE);
        CString text;
        text.Format("%s Service now Modified", m_kindName.GetString());
        MessageBox(text, "Success", MB_OK | MB_ICONINFORMATION);
        SetDirty(FALSE);
        OnClose();
        return;
    }
    if (h == m_servicesRequest) {
        ServicesRead();
    } else if (h == m_membersRequest) {
        MembersRead();
    } else if (h == m_groupRequest) {
        GroupsRead();
    }
}

void CModifyTrunkServiceDialog::SetCompleted() {
    --m_setsInFlight;
    if (m_modifying) {
        if (--m_pendingSets <= 0) {
            SetTimer(kPauseTimer, kPauseMs);
        }
    } else if (m_setsInFlight == 0 && m_readAgainAfterSets) {
        ReadAgainAfterFailedApply();
    }
}

void CModifyTrunkServiceDialog::ServicesRead() {
    if (!torvik::forEachRowOfPort(*m_mibComm, m_servicesRequest, m_vars.servicesSlot,
                                  m_vars.servicesStation, m_slot, m_servicePort, [&] {
                                      m_description = m_mibComm->GetString(
                                          m_servicesRequest, m_vars.servicesDescription);
                                      m_ownGroup = static_cast<int>(m_mibComm->GetInteger(
                                          m_servicesRequest, m_vars.servicesBridgeId));
                                  })) {
        MessageBox("Unable to access TrunkServices record", "Error", MB_OK);
    }
    GetDlgItem(IDC_TRUNK_SERVICE_REMOVE)->EnableWindow(FALSE);
    UpdateData(FALSE);
    CreateWaitCursor();
    m_mibComm->RequestTable(m_membersRequest);
}

void CModifyTrunkServiceDialog::MembersRead() {
    m_groupsAsRead.RemoveAll();
    m_servicedList.ResetContent();
    if (!torvik::forEachRowOfPort(*m_mibComm, m_membersRequest, m_vars.membersSlot,
                                  m_vars.membersStation, m_slot, m_servicePort, [&] {
                                      const auto group = static_cast<UINT>(m_mibComm->GetInteger(
                                          m_membersRequest, m_vars.membersGroup));
                                      m_groupsAsRead.Add(group);
                                      CString text;
                                      text.Format("%u", group);
                                      m_servicedList.AddString(text);
                                  })) {
        MessageBox("Unable to access Trunk record", "Error", MB_OK);
    }
    SortLBValues(&m_servicedList, 1);
    CreateWaitCursor();
    m_mibComm->RequestTable(m_groupRequest);
}

void CModifyTrunkServiceDialog::GroupsRead() {
    m_availableList.ResetContent();
    const long rows = m_mibComm->GetRowCount(m_groupRequest);
    for (long r = 0; r < rows; ++r) {
        if (!m_mibComm->GotoRow(m_groupRequest, r)) {
            MessageBox("Unable to access Group record", "Error", MB_OK);
            break;
        }
        const long group = m_mibComm->GetInteger(m_groupRequest, kGroupNumber);
        const long mode = m_mibComm->GetInteger(m_groupRequest, kGroupMode);
        if (mode != kReservedModes[0] && mode != kReservedModes[1] && group != m_ownGroup) {
            CString text;
            text.Format("%u", static_cast<UINT>(group));
            m_availableList.AddString(text);
        }
    }
    SortLBValues(&m_availableList, 1);
    GetDlgItem(IDC_TRUNK_SERVICE_ADD)->EnableWindow(FALSE);
    UpdateData(FALSE);
    m_loaded = 1;
    m_reading = false;
    SetDirty(FALSE);
}

void CModifyTrunkServiceDialog::OnAdd() {
    const std::vector<int> selected = selectedEntries(m_availableList);
    if (selected.empty()) {
        return;
    }
    int ok = 1;
    bool added = false;
    for (int index : selected) {
        CString text;
        m_availableList.GetText(index, text);
        const UINT group = groupOfEntry(m_availableList, index);
        CString entry;
        entry.Format("%u", group);
        if (m_servicedList.FindStringExact(-1, entry) != LB_ERR) {
            CString message;
            message.Format("Group %d is already in\n the Serviced List.", static_cast<int>(group));
            MessageBox(message, "Error", MB_OK | MB_ICONEXCLAMATION);
            ok = 0;
        } else {
            m_servicedList.AddString(text);
            SortLBValues(&m_servicedList, 1);
            added = true;
        }
        m_availableList.SetSel(index, FALSE);
    }
    GetDlgItem(IDC_TRUNK_SERVICE_ADD)->EnableWindow(m_availableList.GetSelCount() > 0);
    // Groups that did go over are a change to apply even when another of the selection was
    // refused: leaving the dialog clean would keep Apply disabled with the change on screen.
    if (ok || added) {
        const int last = m_servicedList.GetCount() - 1;
        m_servicedList.SetSel(last, TRUE);
        m_servicedList.SetSel(last, FALSE);
        SetDirty(TRUE);
    }
}

void CModifyTrunkServiceDialog::OnRemove() {
    int first = 0;
    while (m_servicedList.GetSelCount() > 0 && m_servicedList.GetSelItems(1, &first) == 1) {
        m_servicedList.DeleteString(static_cast<UINT>(first));
    }
    GetDlgItem(IDC_TRUNK_SERVICE_REMOVE)->EnableWindow(m_servicedList.GetSelCount() > 0);
    SetDirty(TRUE);
}

void CModifyTrunkServiceDialog::OnAvailableSelectionChanged() {
    GetDlgItem(IDC_TRUNK_SERVICE_ADD)->EnableWindow(m_availableList.GetSelCount() > 0);
}

void CModifyTrunkServiceDialog::OnServicedSelectionChanged() {
    GetDlgItem(IDC_TRUNK_SERVICE_REMOVE)->EnableWindow(m_servicedList.GetSelCount() > 0);
}

void CModifyTrunkServiceDialog::OnDescriptionChanged() {
    SetDirty(TRUE);
}

void CModifyTrunkServiceDialog::BuildChanges() {
    m_changes.RemoveAll();
    CUIntArray serviced;
    for (int i = 0; i < m_servicedList.GetCount(); ++i) {
        const UINT group = groupOfEntry(m_servicedList, i);
        serviced.Add(group);
        if (!holds(m_groupsAsRead, group)) {
            m_changes.Add(group * 65536U + kChangeAdd);
        }
    }
    for (int i = 0; i < m_groupsAsRead.GetSize(); ++i) {
        const UINT group = m_groupsAsRead.GetAt(i);
        if (!holds(serviced, group)) {
            m_changes.Add(group * 65536U);
        }
    }
}

BOOL CModifyTrunkServiceDialog::ApplyChanges() {
    if (!UpdateData(TRUE)) {
        return FALSE;
    }
    // Sets of an earlier apply still on their way, or a read not finished, would be taken
    // for this apply's completions.
    if (m_pendingSets > 0 || m_setsInFlight > 0 || m_reading) {
        MessageBox("An Operation is currently in progress.", "Notice", MB_OK | MB_ICONEXCLAMATION);
        return TRUE;
    }
    m_modifying = 1;
    auto started = [this](long request) {
        ++m_pendingSets;
        if (!m_mibComm->SendSet(request)) {
            --m_pendingSets;
            return false;
        }
        ++m_setsInFlight;
        return true;
    };
    auto cannotStart = [this] {
        if (m_pendingSets <= 0) {
            m_modifying = 0;  // nothing on its way: no completion is to be awaited
        }
        CString text;
        text.Format("Failed to Modify %s Service", m_kindName.GetString());
        MessageBox(text, "Error", MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    };
    if (!m_description.IsEmpty()) {
        CUIntArray instance;
        instance.Add(static_cast<UINT>(m_slot));
        instance.Add(static_cast<UINT>(m_servicePort));
        m_mibComm->SetInstance(m_servicesRequest, &instance);
        m_mibComm->SetString(m_servicesRequest, m_vars.servicesDescription, m_description);
        CreateWaitCursor();
        if (!started(m_servicesRequest)) {
            return cannotStart();
        }
    }
    BuildChanges();
    for (int i = 0; i < m_changes.GetSize(); ++i) {
        const UINT change = m_changes.GetAt(i);
        CUIntArray instance;
        instance.Add(static_cast<UINT>(m_slot));
        instance.Add(static_cast<UINT>(m_servicePort));
        instance.Add(change / 65536U);
        m_mibComm->SetInstance(m_membersRequest, &instance);
        m_mibComm->SetInteger(
            m_membersRequest, m_vars.membersCommand,
            (change & 0xFFFFU) != 0 ? torvik::kTrunkCommandAdd : torvik::kTrunkCommandRemove);
        m_mibComm->SetReRead(m_membersRequest, FALSE);
        if (!started(m_membersRequest)) {
            return cannotStart();
        }
    }
    // An apply that sent nothing awaits nothing: left set, the next read would be taken for
    // the completion of a set.
    if (m_pendingSets == 0) {
        m_modifying = 0;
    }
    return TRUE;
}

void CModifyTrunkServiceDialog::OnTimer(UINT_PTR id) {
    KillTimer(kPauseTimer);
    m_modifying = 0;
    m_done = 1;
    m_pendingSets = 0;
    SetDirty(FALSE);
    m_loaded = 0;
    RequestData();
    CSwBaseDialog::OnTimer(id);
}

void CModifyTrunkServiceDialog::OnError(int h) {
    const bool setFailed = m_setsInFlight > 0 && (h == m_servicesRequest || h == m_membersRequest);
    if (setFailed) {
        --m_setsInFlight;
    }
    if (m_modifying) {
        CString text;
        text.Format("Failed to Modify %s Service", m_kindName.GetString());
        MessageBox(text, "Error", MB_OK | MB_ICONEXCLAMATION);
    } else if (!setFailed) {
        // A read failed: told by the base; the dialog shows what it has and stays open.
        m_reading = false;
        m_done = 0;
        CSwBaseDialog::OnError(h);
    }
    m_modifying = 0;
    m_pendingSets = 0;
    if (setFailed) {
        // What the operator typed was not applied: show what the switch holds instead.
        m_readAgainAfterSets = true;
        if (m_setsInFlight == 0) {
            ReadAgainAfterFailedApply();
        }
    }
}

void CModifyTrunkServiceDialog::ReadAgainAfterFailedApply() {
    m_readAgainAfterSets = false;
    m_description.Empty();
    m_loaded = 0;
    RequestData();
}

void CModifyTrunkServiceDialog::OnHelp() {
    HelpEngine("Ethernet_port_help\\Ethernet_Port_CreateModify_Trunk_page", 1);
}
