#include "config/enet_speed_page.h"

#include "framework/afx/ddx.h"
#include "framework/mib/mib_error.h"
#include "framework/sw/default_icons.h"
#include "framework/sw/enum_combo.h"
#include "framework/sw/help_engine.h"
#include "framework/sw/list_rows.h"
#include "resources/resource_ids.h"
#include "resources/speed_page_ids.h"

IMPLEMENT_DYNCREATE(CEnetSpeedPage, CPropertyPage)

BEGIN_MESSAGE_MAP(CEnetSpeedPage, CPropertyPage)
ON_BN_CLICKED(IDC_SPEED_AUTO_NEGOTIATION, &CEnetSpeedPage::OnAutoNegotiationClicked)
ON_CBN_SELCHANGE(IDC_SPEED_DUPLEX, &CEnetSpeedPage::OnComboChanged)
ON_CBN_SELCHANGE(IDC_SPEED_SPEED, &CEnetSpeedPage::OnComboChanged)
ON_NOTIFY(LVN_ITEMCHANGED, IDC_SPEED_PORT_LIST, &CEnetSpeedPage::OnListItemChanged)
END_MESSAGE_MAP()

namespace {

constexpr const char* kSlot = "mesmPortSlot";
constexpr const char* kPort = "mesmPortIF";
constexpr const char* kAutoNegotiate = "mesmPortAutoNegotiate";
constexpr const char* kDetectedSpeed = "mesmPortAutoSpeed";
constexpr const char* kDetectedDuplex = "mesmPortAutoDuplexMode";
constexpr const char* kCfgSpeed = "mesmPortCfgSpeed";
constexpr const char* kCfgDuplex = "mesmPortCfgDuplexMode";

constexpr long kEnabled = 2;
constexpr long kDisabled = 1;
constexpr int kFullDuplex = 1;
constexpr int kHalfDuplex = 2;
constexpr int kAutoDuplex = 3;
constexpr int kAutoSpeed = 3;
constexpr int kLimitedAutoSpeed = 4;
constexpr int kAutoNegColumn = 2;

constexpr const char* kNotSupported =
    "      Configuration of Speed/Mode\nis not supported on this type of Ethernet Port.";
constexpr const char* kOnlyHalfOrAuto =
    "  Only HalfDuplex and AutoDuplex are\nvalid when Auto Negotiation is Enabled.";
constexpr const char* kAutoDuplexNeedsAutoNeg =
    "    AutoDuplex is only valid\nwhen Auto Negotiation is Enabled.";
constexpr const char* kAutoSpeedNeedsAutoNeg =
    "   Auto Speed is only valid\nwhen Auto Negotiation is Enabled.";
constexpr const char* kSucceeded = "Speed/Mode Changes Successful.";
constexpr const char* kFailed = "Failed to Apply Auto Negotiation Settings";

}  // namespace

CEnetSpeedPage::CEnetSpeedPage() : CSwBasePropPage(IDD_ENET_SPEED) {}

CEnetSpeedPage::~CEnetSpeedPage() = default;

void CEnetSpeedPage::DoDataExchange(CDataExchange* dx) {
    CSwBasePropPage::DoDataExchange(dx);
    DDX_Control(dx, IDC_SPEED_PORT_LIST, m_list);
    DDX_Control(dx, IDC_SPEED_DUPLEX, m_duplexCombo);
    DDX_Control(dx, IDC_SPEED_SPEED, m_speedCombo);
    DDX_Check(dx, IDC_SPEED_AUTO_NEGOTIATION, m_autoNegotiation);
}

BOOL CEnetSpeedPage::OnInitDialog() {
    CSwBasePropPage::OnInitDialog();
    m_list.SetImageList(m_icons.acquire(), 1);
    m_list.SortOnColumn(0, 1);
    m_list.m_bTableMode = TRUE;
    m_list.m_bItemMode = FALSE;
    m_list.m_bMultiSelect = TRUE;
    return TRUE;
}

void CEnetSpeedPage::InitPage() {
    m_listData.Add("Slot", 34, 'R', kSlot, "");
    m_listData.Add("Port", 34, 'R', kPort, "");
    m_listData.Add("AutoNeg", 60, 'L', kAutoNegotiate, "");
    m_listData.Add("DetSpeed", 70, 'L', kDetectedSpeed, "");
    m_listData.Add("DetDuplex", 70, 'L', kDetectedDuplex, "");
    m_listData.Add("ConfSpeed", 70, 'L', kCfgSpeed, "");
    m_listData.Add("ConfDuplex", 70, 'L', kCfgDuplex, "");
}

void CEnetSpeedPage::CreateRequests() {
    if (!m_agent || m_tableRequest != 0) {
        return;
    }
    m_tableRequest = m_mibComm->OpenListRequest(0, "", m_listData.GetVarList());
    m_portRequest = m_mibComm->OpenListRequest(0, "", m_listData.GetVarList());
    m_batch.attach(m_mibComm, m_portRequest);
}

BOOL CEnetSpeedPage::OnSetActive() {
    FillCombos();
    if (m_tableRequest > 0 && m_loaded == 0 && m_hold == 0) {
        Refresh();
    }
    return CPropertyPage::OnSetActive();
}

BOOL CEnetSpeedPage::OnKillActive() {
    return CPropertyPage::OnKillActive();
}

BOOL CEnetSpeedPage::Refresh() {
    m_loaded = 0;
    m_rememberedSelection.clear();
    m_restoringSelection = FALSE;
    if (m_hWnd) {
        UpdateControls();
    }
    ReadTable();
    return TRUE;
}

torvik::SpeedPortRules CEnetSpeedPage::rules() const {
    const bool known =
        !m_mibComm->GetEnumText("PortName", static_cast<short>(m_portType)).IsEmpty();
    return torvik::speedPortRules(m_portType, known);
}

void CEnetSpeedPage::FillCombos() {
    if (!m_mibComm || m_combosFilled || !m_duplexCombo.m_hWnd) {
        return;
    }
    sw::addEnumTexts(m_duplexCombo, *m_mibComm, kDetectedDuplex, 1, 3);
    m_duplexCombo.SetCurSel(-1);
    m_speedCombo.SetMapping(std::vector<int>{1, 2, 3, 5});
    sw::addMappedEnumTexts(m_speedCombo, *m_mibComm, kDetectedSpeed, 1,
                           m_mibComm->GetEnumCount(kDetectedSpeed));
    m_speedCombo.SetCurSel(-1);
    m_combosFilled = TRUE;
}

void CEnetSpeedPage::ReadTable() {
    m_mibComm->SetReload(m_tableRequest, m_loaded != 0 ? 1 : 0);
    CreateWaitCursor();
    m_mibComm->RequestTable(m_tableRequest);
}

void CEnetSpeedPage::FillList() {
    if (!m_hWnd) {
        return;
    }
    m_portType = 1;
    const auto imageOfRow = [this]() -> int {
        const int slot = static_cast<int>(m_mibComm->GetInteger(m_tableRequest, kSlot));
        const int port = static_cast<int>(m_mibComm->GetInteger(m_tableRequest, kPort));
        if (!IsPortSelected(slot, port, m_portType)) {
            return -1;
        }
        if (m_portType == 1) {
            m_portType = m_chassisInfo ? m_chassisInfo->GetPortType(slot, port) : 0;
        }
        const bool enabled = m_health != nullptr && m_health->IsPortEnabled(slot, port);
        return enabled ? sw::kIconPortEnabled : sw::kIconPortNotEnabled;
    };
    const auto adjust = [this](CStringArray& texts) {
        if (!rules().autoNegotiation) {
            texts.SetAt(kAutoNegColumn, "n/a");
        }
    };
    if (!sw::fillListFromTable(m_list, *m_mibComm, m_tableRequest, m_listData, imageOfRow,
                               adjust)) {
        MessageBox("Unable to access database record", "Error", MB_OK);
        return;
    }
    sw::sortBySlotAndPort(m_list);
    if (m_list.GetItemCount() == 1) {
        m_list.SelectItem(0, TRUE);
    } else if (!m_rememberedSelection.empty()) {
        RestoreSelection();
    }
    UpdateData(FALSE);
    if (m_list.GetItemCount() == 0 && m_firstFill) {
        MessageBox(kNotSupported, "Notice", MB_OK | MB_ICONEXCLAMATION);
    }
    m_firstFill = FALSE;
}

void CEnetSpeedPage::RestoreSelection() {
    m_restoringSelection = TRUE;
    for (const sw::SlotPort& chosen : std::vector<sw::SlotPort>(m_rememberedSelection)) {
        const int row = sw::rowOfPort(m_list, chosen.slot, chosen.port);
        if (row >= 0) {
            m_list.SelectItem(row, TRUE);
        }
    }
    m_restoringSelection = FALSE;
    // Ports gone from the list are no longer chosen.
    RememberSelection();
}

void CEnetSpeedPage::RememberSelection() {
    m_rememberedSelection = sw::selectedPorts(m_list);
}

void CEnetSpeedPage::OnListItemChanged(NMHDR* header, LRESULT* result) {
    *result = 0;
    const auto* change = reinterpret_cast<const NMLISTVIEW*>(header);
    const bool wasSelected = (change->uOldState & LVIS_SELECTED) != 0;
    const bool isSelected = (change->uNewState & LVIS_SELECTED) != 0;
    if (wasSelected == isSelected || change->iItem < 0) {
        return;
    }
    if (!m_restoringSelection) {
        RememberSelection();
    }
    if (isSelected && m_list.GetSelectedItems(nullptr) <= 1) {
        ReadPort(change->iItem);
    } else if (m_rememberedSelection.empty()) {
        UpdateControls();
    }
}

void CEnetSpeedPage::ReadPort(int row) {
    CStringArray index;
    index.Add(m_list.GetColumnText(row, 0));
    index.Add(m_list.GetColumnText(row, 1));
    if (m_mibComm->SetRowIndex(m_portRequest, &index) && m_mibComm->RequestRow(m_portRequest)) {
        m_portOperations.push_back(false);
    }
}

void CEnetSpeedPage::ReadChosenPort() {
    m_readAutoNegotiation = m_mibComm->GetInteger(m_portRequest, kAutoNegotiate) == kEnabled;
    m_autoNegotiation = m_readAutoNegotiation ? 1 : 0;
    m_readDuplex = static_cast<int>(m_mibComm->GetInteger(m_portRequest, kCfgDuplex));
    const long detected = m_mibComm->GetInteger(m_portRequest, kDetectedSpeed);
    if (detected == 1 || detected == 2) {
        m_readSpeed = static_cast<int>(detected);
    } else {
        const long configured = m_mibComm->GetInteger(m_portRequest, kCfgSpeed);
        m_readSpeed = configured == kAutoSpeed || configured == kLimitedAutoSpeed
                          ? 2
                          : static_cast<int>(configured);
    }
    UpdateControls();
}

void CEnetSpeedPage::UpdateControls() {
    if (!m_hWnd) {
        return;
    }
    CWnd* autoNegotiationBox = GetDlgItem(IDC_SPEED_AUTO_NEGOTIATION);
    if (m_rememberedSelection.empty()) {
        m_autoNegotiation = 0;
        m_duplexCombo.SetCurSel(-1);
        m_speedCombo.SetCurSel(-1);
        autoNegotiationBox->EnableWindow(FALSE);
        m_duplexCombo.EnableWindow(FALSE);
        m_speedCombo.EnableWindow(FALSE);
        UpdateData(FALSE);
        return;
    }
    const torvik::SpeedPortRules offered = rules();
    if (offered.autoNegotiation) {
        autoNegotiationBox->EnableWindow(TRUE);
    }
    if (!offered.fourthSpeed && m_speedCombo.GetCount() > 3) {
        m_speedCombo.DeleteString(3);
    }
    if (offered.duplex) {
        m_duplexCombo.EnableWindow(TRUE);
        if (!offered.autoNegotiation && m_duplexCombo.GetCount() == 3) {
            m_duplexCombo.DeleteString(2);
            m_autoNegotiation = 0;
        }
        int shown = m_readDuplex;
        if (m_autoNegotiation && shown == kFullDuplex) {
            shown = kAutoDuplex;
        } else if (!m_autoNegotiation && shown == kAutoDuplex) {
            shown = kFullDuplex;
        }
        // A value the combo lacks selects nothing rather than another entry.
        m_duplexCombo.SetCurSel(shown >= 1 && shown <= m_duplexCombo.GetCount() ? shown - 1 : -1);
    } else {
        m_duplexCombo.SetCurSel(
            m_readDuplex >= 1 && m_readDuplex <= m_duplexCombo.GetCount() ? m_readDuplex - 1 : -1);
    }
    if (!m_autoNegotiation && offered.speed) {
        m_speedCombo.EnableWindow(TRUE);
        m_speedCombo.SetCurMappedSel(m_readSpeed);
    } else {
        m_speedCombo.EnableWindow(FALSE);
        m_speedCombo.SetCurMappedSel(offered.speed ? kAutoSpeed : m_readSpeed);
    }
    UpdateData(FALSE);
}

void CEnetSpeedPage::OnAutoNegotiationClicked() {
    if (!UpdateData(TRUE)) {
        return;
    }
    UpdateControls();
    SetDirty(1);
}

void CEnetSpeedPage::OnComboChanged() {
    SetDirty(1);
}

BOOL CEnetSpeedPage::Validate(int duplex, int speed) {
    const char* refusal = nullptr;
    if (m_autoNegotiation && duplex != kHalfDuplex && duplex != kAutoDuplex &&
        !torvik::isGigabitFibre(m_portType)) {
        refusal = kOnlyHalfOrAuto;
    } else if (!m_autoNegotiation && duplex == kAutoDuplex) {
        refusal = kAutoDuplexNeedsAutoNeg;
    } else if (!m_autoNegotiation && speed == kAutoSpeed) {
        refusal = kAutoSpeedNeedsAutoNeg;
    }
    if (refusal != nullptr) {
        MessageBox(refusal, "Error", MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }
    return TRUE;
}

// The values of one port's set, staged on the port request; returns how many. A combo
// without a selection is left out: writing its index + 1 would send 0.
int CEnetSpeedPage::StageValues(int duplex, int speed) {
    const torvik::SpeedPortRules offered = rules();
    int staged = 0;
    if (offered.autoNegotiation) {
        staged += m_mibComm->SetInteger(m_portRequest, kAutoNegotiate,
                                        m_autoNegotiation ? kEnabled : kDisabled)
                      ? 1
                      : 0;
    }
    if (offered.duplex && duplex >= 1) {
        staged += m_mibComm->SetInteger(m_portRequest, kCfgDuplex, duplex) ? 1 : 0;
    }
    if (!m_autoNegotiation && offered.speed && speed >= 1) {
        staged += m_mibComm->SetInteger(m_portRequest, kCfgSpeed, speed) ? 1 : 0;
    }
    return staged;
}

BOOL CEnetSpeedPage::OnApply() {
    if (!UpdateData(TRUE)) {
        return FALSE;
    }
    m_retried = FALSE;
    const int duplex = m_duplexCombo.GetCurSel() + 1;
    const int speed = m_speedCombo.GetCurMappedSel();
    if (!Validate(duplex, speed)) {
        return TRUE;
    }
    const torvik::SpeedPortRules offered = rules();
    const bool anything = offered.autoNegotiation || (offered.duplex && duplex >= 1) ||
                          (!m_autoNegotiation && offered.speed && speed >= 1);
    CUIntArray rows;
    const int count = m_list.GetSelectedItems(&rows);
    if (count == 0 || !anything) {
        return TRUE;
    }
    if (m_batch.isOpen()) {
        // Not sent while the sets before it are under way: Apply stays available.
        m_keepModified = TRUE;
        return FALSE;
    }
    if (offered.autoNegotiation && m_autoNegotiation) {
        m_mibComm->SetTimeout(m_portRequest, kAutoNegotiationTimeout);
        m_mibComm->SetRetries(m_portRequest, kAutoNegotiationRetries);
    }
    m_batch.begin(count);
    bool started = true;
    for (UINT row : rows) {
        const int r = static_cast<int>(row);
        CStringArray index;
        index.Add(m_list.GetColumnText(r, 0));
        index.Add(m_list.GetColumnText(r, 1));
        const CString target = index[0] + "/" + index[1];
        if (!started) {
            m_batch.skip(target);
            continue;
        }
        // Without its own instance the set would go to the port chosen before.
        if (!m_mibComm->SetRowIndex(m_portRequest, &index)) {
            m_batch.skip(target);
            started = false;
            continue;
        }
        StageValues(duplex, speed);
        m_mibComm->SetReRead(m_portRequest, FALSE);
        CreateWaitCursor();
        if (m_batch.send(target)) {
            m_portOperations.push_back(true);
        } else {
            started = false;
        }
    }
    if (m_batch.endSending()) {
        BatchEnded();
    }
    return started ? TRUE : FALSE;
}

void CEnetSpeedPage::OnRequestDone(int h) {
    if (h == m_tableRequest) {
        FillList();
        m_loaded = 1;
        if (m_keepModified) {
            m_keepModified = FALSE;
            SetDirty(1);
        } else {
            SetClean(1);
        }
        return;
    }
    if (h != m_portRequest || m_portOperations.empty()) {
        return;
    }
    const bool wasSet = m_portOperations.front();
    m_portOperations.pop_front();
    if (wasSet) {
        if (m_batch.completed(TRUE, 0)) {
            BatchEnded();
        }
    } else if (!m_batch.isOpen()) {
        ReadChosenPort();
    }
}

void CEnetSpeedPage::OnError(int h) {
    if (h == m_portRequest && !m_portOperations.empty()) {
        const long code = m_mibComm->GetErrorCode(h);
        const bool wasSet = m_portOperations.front();
        m_portOperations.pop_front();
        if (wasSet) {
            if (m_batch.completed(FALSE, code)) {
                BatchEnded();
            }
            return;
        }
        if (m_retried) {
            // The port read after a set that went unanswered fails as well.
            MessageBox(kFailed, "Error", MB_OK | MB_ICONEXCLAMATION);
            return;
        }
    }
    CSwBasePropPage::OnError(h);
}

void CEnetSpeedPage::BatchEnded() {
    if (m_batch.succeeded()) {
        MessageBox(kSucceeded, "Success", MB_OK | MB_ICONINFORMATION);
    } else {
        const auto& failures = m_batch.failures();
        const bool oneUnanswered = failures.size() == 1 &&
                                   failures[0].errorCode == mib::kMibNoResponse &&
                                   m_batch.notSent().empty();
        if (oneUnanswered && !m_retried) {
            // The switch may have taken the change and fallen silent while renegotiating: the
            // list, read again, shows what it holds.
            m_retried = TRUE;
        } else {
            ShowFailedBatch();
        }
        m_keepModified = TRUE;
    }
    m_loaded = 0;
    ReadTable();
}

void CEnetSpeedPage::ShowFailedBatch() {
    std::vector<CString> refused;
    std::vector<CString> unanswered;
    for (const sw::PendingSetBatch::Failure& failure : m_batch.failures()) {
        (failure.errorCode == mib::kMibNoResponse ? unanswered : refused).push_back(failure.target);
    }
    refused.insert(refused.end(), m_batch.notSent().begin(), m_batch.notSent().end());
    auto joined = [](const std::vector<CString>& targets) {
        CString text;
        for (const CString& target : targets) {
            text += text.IsEmpty() ? "" : ", ";
            text += target;
        }
        return text;
    };
    CString text = kFailed;
    if (!refused.empty()) {
        text += "\nNot changed: " + joined(refused);
    }
    if (!unanswered.empty()) {
        text += "\nNo answer for: " + joined(unanswered);
    }
    MessageBox(text, "Error", MB_OK | MB_ICONEXCLAMATION);
}

void CEnetSpeedPage::ReleaseRequests() {
    m_mibComm->ReleaseRequest(m_tableRequest);
    m_mibComm->ReleaseRequest(m_portRequest);
    m_tableRequest = 0;
    m_portRequest = 0;
    m_batch.detach();
    m_portOperations.clear();
}

void CEnetSpeedPage::OnHelp() {
    HelpEngine("Ethernet_port_help\\ethernet_port_speed_page", 1);
}
