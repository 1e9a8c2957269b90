#include "services/enet_port_admin_page.h"

#include <cstdlib>
#include <map>
#include <string>
#include <unordered_set>
#include <vector>

#include "frame/module_instance.h"
#include "frame/torvik_res.h"
#include "framework/afx/ddx.h"
#include "framework/dialogs/belva_res.h"
#include "framework/dialogs/bridge_address_dialog.h"
#include "framework/dialogs/port_mirror_dialog.h"
#include "framework/sw/default_icons.h"
#include "framework/sw/enum_combo.h"
#include "framework/sw/help_engine.h"
#include "framework/sw/list_rows.h"
#include "framework/sw/sw_functions.h"
#include "framework/sw/sw_property_sheet.h"
#include "resources/resource_ids.h"
#include "resources/service_admin_ids.h"
#include "services/row_columns.h"

IMPLEMENT_DYNCREATE(CEnetPortAdminPage, CPropertyPage)

BEGIN_MESSAGE_MAP(CEnetPortAdminPage, CSwBasePropPage)
ON_NOTIFY(LVN_ITEMCHANGED, IDC_ADMIN_VPORT_LIST, &CEnetPortAdminPage::OnVPortItemChanged)
ON_NOTIFY(LVN_ITEMCHANGED, IDC_ADMIN_GROUP_LIST, &CEnetPortAdminPage::OnGroupItemChanged)
ON_EN_CHANGE(IDC_ADMIN_GROUP_NUM, &CEnetPortAdminPage::OnFieldChanged)
ON_EN_CHANGE(IDC_ADMIN_DESCRIPTION, &CEnetPortAdminPage::OnFieldChanged)
ON_EN_CHANGE(IDC_ADMIN_SWITCH_TIMER, &CEnetPortAdminPage::OnFieldChanged)
ON_EN_CHANGE(IDC_ADMIN_FLOOD_LIMIT, &CEnetPortAdminPage::OnFieldChanged)
ON_CBN_SELCHANGE(IDC_ADMIN_ADMIN_STATE, &CEnetPortAdminPage::OnFieldChanged)
ON_CBN_SELCHANGE(IDC_ADMIN_MANUAL_MODE, &CEnetPortAdminPage::OnFieldChanged)
ON_CBN_SELCHANGE(IDC_ADMIN_BRIDGE_MODE, &CEnetPortAdminPage::OnFieldChanged)
ON_CBN_SELCHANGE(IDC_ADMIN_ENCAPSULATION, &CEnetPortAdminPage::OnFieldChanged)
ON_BN_CLICKED(IDC_ADMIN_APPLY_ALL, &CEnetPortAdminPage::OnFieldChanged)
ON_BN_CLICKED(IDC_ADMIN_SHOW_LEARNED, &CEnetPortAdminPage::OnShowLearnedClicked)
ON_BN_CLICKED(IDC_ADMIN_BRIDGE_ADDRESS, &CEnetPortAdminPage::OnBridgeAddress)
ON_BN_CLICKED(IDC_ADMIN_PORT_MIRRORING, &CEnetPortAdminPage::OnPortMirroring)
ON_BN_CLICKED(IDC_ADMIN_TRUNKING, &CEnetPortAdminPage::OnTrunking)
ON_MESSAGE(CEnetPortAdminPage::kTrunkSheetClosed, &CEnetPortAdminPage::OnTrunkSheetClosed)
END_MESSAGE_MAP()

namespace {

constexpr const char* kVPortTable = "vportTable";
constexpr LPCTSTR kVPortVariables[] = {"vportSlot",          "vportIF",
                                       "vportFuncType",      "vportFuncTypeInstance",
                                       "vportVlanNumber",    "vportBridgeProtocol",
                                       "vportEncapsulation", "vportBrdgMode",
                                       "vportSwitchTimer",   "vportDescription",
                                       "vportFloodLimit",    "vportManualMode",
                                       "vportAdmStatus",     "vportOperStatus",
                                       "vportMACaddress"};
constexpr LPCTSTR kBridgeVariables[] = {"vBrdgTpFdbGroupId",        "vBrdgTpFdbAddress",
                                        "vBrdgTpFdbRcvPortSlot",    "vBrdgTpFdbRcvPortIF",
                                        "vBrdgTpFdbRcvPortFuncTyp", "vBrdgTpFdbRcvPortFuncTypInst"};
constexpr LPCTSTR kMirrorVariables[] = {"mirrorSlot",
                                        "mirrorIF",
                                        "mirrorFuncType",
                                        "mirrorFuncTypeInstance",
                                        "mirrorNumber",
                                        "mirrorMirroringSlot",
                                        "mirrorMirroringIF",
                                        "mirrorMirroringFuncType",
                                        "mirrorMirroringFuncTypeInstance",
                                        "mirrorStatus"};

constexpr long kServiceBridge = 4;
constexpr long kOperUp = 3;
constexpr long kEncapsulationDefault = 1;
constexpr int kSwitchTimerMax = 65535;
constexpr const char* kNoLearnedMac = "------------------";
constexpr int kMirroringPortTypes[] = {5, 6, 7, 8, 9, 23, 24, 223, 225, 226, 227, 233, 244};

// Leading decimal digits (with a sign), "no digits" as 0; far out of range stays out of range.
long long numberIn(const CString& text) {
    const std::string s(text);
    std::size_t i = s.find_first_not_of(" \t");
    if (i == std::string::npos) {
        return 0;
    }
    const bool negative = s[i] == '-';
    if (s[i] == '-' || s[i] == '+') {
        ++i;
    }
    long long value = 0;
    for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i) {
        value = value < 100000000000LL ? value * 10 + (s[i] - '0') : value;
    }
    return negative ? -value : value;
}

// A number read from the switch; -1 when the switch gave no text (never read).
long baselineOf(const CString& text) {
    return text.IsEmpty() ? -1 : static_cast<long>(numberIn(text));
}

void fillMappedCombo(CMappedCombo& combo, CMibComm& comm, LPCTSTR variable,
                     const std::vector<int>& mapping) {
    combo.SetMapping(mapping);
    sw::addMappedEnumTexts(combo, comm, variable, 1, comm.GetEnumCount(variable) - 1);
    combo.SetCurSel(-1);
}

// "1.2.4.1": the row a set goes to, for the batch's account of what did not change.
CString indexText(const CStringArray& index) {
    CString text;
    for (int i = 0; i < index.GetSize(); ++i) {
        text += (i ? "." : "");
        text += index.GetAt(i);
    }
    return text;
}

// One staged value of an Apply.
struct StagedValue {
    const char* variable;
    bool text;
    long number;
    CString string;
};

}  // namespace

CEnetPortAdminPage::CEnetPortAdminPage() : CSwBasePropPage(IDD_ENET_PORT_ADMIN) {}

CEnetPortAdminPage::~CEnetPortAdminPage() {
    delete m_trunkingSheet;
    m_trunkingSheet = nullptr;
    DeleteRecords();
}

void CEnetPortAdminPage::DoDataExchange(CDataExchange* dx) {
    CSwBasePropPage::DoDataExchange(dx);
    DDX_Control(dx, IDC_ADMIN_ENCAPSULATION, m_encapsulationCombo);
    DDX_Control(dx, IDC_ADMIN_BRIDGE_MODE, m_bridgeModeCombo);
    DDX_Control(dx, IDC_ADMIN_ADMIN_STATE, m_adminStateCombo);
    DDX_Control(dx, IDC_ADMIN_MANUAL_MODE, m_manualModeCombo);
    DDX_Control(dx, IDC_ADMIN_GROUP_LIST, m_groupList);
    DDX_Control(dx, IDC_ADMIN_VPORT_LIST, m_vportList);
    DDX_Text(dx, IDC_ADMIN_GROUP_NUM, m_groupText);
    DDX_Text(dx, IDC_ADMIN_DESCRIPTION, m_descriptionText);
    DDV_MaxChars(dx, m_descriptionText, kDescriptionLimit);
    DDX_Text(dx, IDC_ADMIN_SWITCH_TIMER, m_switchTimerText);
    DDV_MaxChars(dx, m_switchTimerText, kSwitchTimerLimit);
    DDX_Text(dx, IDC_ADMIN_BRIDGE_PROTOCOL, m_bridgeProtocolText);
    DDX_Text(dx, IDC_ADMIN_FLOOD_LIMIT, m_floodLimitText);
    DDX_Text(dx, IDC_ADMIN_MIRROR_STATUS, m_mirrorStatusText);
    DDX_Check(dx, IDC_ADMIN_APPLY_ALL, m_applyAll);
    DDX_Check(dx, IDC_ADMIN_SHOW_LEARNED, m_showLearnedMac);
}

BOOL CEnetPortAdminPage::OnInitDialog() {
    CSwBasePropPage::OnInitDialog();
    m_vportList.SetImageList(m_icons.acquire(), 1);
    m_vportList.m_bMultiSelect = TRUE;
    m_groupList.SetImageList(m_icons.get(), 1);
    m_vportList.SortOnColumn(0, 1);
    m_groupList.SortOnColumn(0, 1);
    m_groupList.m_nItemImage = sw::kIconGroup;
    UpdateControls();
    return TRUE;
}

void CEnetPortAdminPage::InitPage() {
    m_vportListData.Add("Slot", 34, 'R', "", "");
    m_vportListData.Add("Port", 34, 'R', "", "");
    m_vportListData.Add("Service", 52, 'L', "", "");
    m_vportListData.Add("Instance", 54, 'R', "", "");
    m_vportListData.Add("Group", 50, 'R', "", "");
    m_vportListData.Add("Oper Status", 70, 'L', "", "");
    m_vportListData.Add("Learned MAC", 90, 'L', "", "");
    m_vportListData.Add("Local MAC", 90, 'L', "", "");
    m_groupListData.Add("Group", 46, 'R', "vLanNumber", "");
    m_groupListData.Add("Description", 170, 'L', "vLanDescription", "");
    m_groupListData.Add("", 0, 'c', "vLanMode", "");
    m_groupListData.Add("", 0, 'c', "vLanFloodOverride", "");
}

void CEnetPortAdminPage::CreateRequests() {
    if (!m_agent) {
        return;
    }
    if (m_vportRequest == 0) {
        m_vportRequest = m_mibComm->OpenRequest(0, kVPortTable, kVPortVariables, 15);
        m_detailRequest = m_mibComm->OpenRequest(0, kVPortTable, kVPortVariables, 15);
        m_setBatch.attach(m_mibComm, m_detailRequest);
    }
    if (m_groupRequest == 0) {
        m_groupRequest = m_mibComm->OpenListRequest(0, "vlanTable", m_groupListData.GetVarList());
    }
    if (m_bridgeTableRequest == 0) {
        m_bridgeTableRequest = m_mibComm->OpenRequest(0, "", kBridgeVariables, 6);
        m_mibComm->SetTimeout(m_bridgeTableRequest, static_cast<short>(2 * m_agent->GetTimeout()));
    }
    if (m_mirrorRequest == 0) {
        m_mirrorRequest = m_mibComm->OpenRequest(0, "", kMirrorVariables, 10);
    }
}

void CEnetPortAdminPage::FillCombos() {
    fillMappedCombo(m_adminStateCombo, *m_mibComm, "vportAdmStatus", {1, 2});
    fillMappedCombo(m_encapsulationCombo, *m_mibComm, "vportEncapsulation", {1, 2, 3, 6, 7, 8, 9});
    fillMappedCombo(m_bridgeModeCombo, *m_mibComm, "vportBrdgMode", {3, 4, 5});
    m_manualModeCombo.ResetContent();
    sw::addEnumTexts(m_manualModeCombo, *m_mibComm, "vportManualMode", 1,
                     m_mibComm->GetEnumCount("vportManualMode") - 1);
    m_manualModeCombo.SetCurSel(-1);
}

BOOL CEnetPortAdminPage::OnSetActive() {
    if (!m_controlsReady && m_mibComm && m_hWnd) {
        FillCombos();
        m_groupEdit.SubclassDlgItem(IDC_ADMIN_GROUP_NUM, this);
        m_switchTimerEdit.SubclassDlgItem(IDC_ADMIN_SWITCH_TIMER, this);
        m_floodLimitEdit.SubclassDlgItem(IDC_ADMIN_FLOOD_LIMIT, this);
        m_controlsReady = 1;
    }
    m_portType = m_chassisInfo ? m_chassisInfo->GetPortType(m_slot, m_port) : 0;
    if (m_vportRequest > 0 && m_groupRequest > 0 && m_loaded == 0 && m_hold == 0) {
        Refresh();
    }
    return CSwBasePropPage::OnSetActive();
}

BOOL CEnetPortAdminPage::Refresh() {
    m_vportsLoaded = 0;
    m_groupsLoaded = 0;
    m_learnedLoaded = 0;
    m_setBatch.abandon();
    m_keepModified = false;
    m_reReads = 0;
    m_reReadIndex = 0;
    m_reselectAfterRead = false;
    m_currentRow = -1;
    m_loaded = 0;
    m_learnedMacs.Clear();
    if (m_hWnd) {
        m_vportList.ClearCtrl();
        m_selectedCount = 0;
        UpdateControls();
    }
    ContinueReading();
    return TRUE;
}

void CEnetPortAdminPage::ContinueReading() {
    if (m_vportRequest == 0 || m_groupRequest == 0) {
        return;
    }
    if (!m_groupsLoaded) {
        CreateWaitCursor();
        m_mibComm->SetReload(m_groupRequest, 0);
        m_mibComm->RequestTable(m_groupRequest);
        return;
    }
    if (!m_learnedLoaded && m_showLearnedMac) {
        CreateWaitCursor();
        m_mibComm->SetReload(m_bridgeTableRequest, 0);
        m_mibComm->RequestTable(m_bridgeTableRequest);
        return;
    }
    m_mibComm->SetReload(m_vportRequest, m_vportsLoaded != 0 ? 1 : 0);
    if (m_sheet) {
        m_sheet->RedrawWindow();
    }
    CreateWaitCursor();
    if (GetSelectedPortCount() == 1) {
        CUIntArray ports;
        GetSelectedPorts(&ports);
        CUIntArray instance;
        instance.Add(ports[0] >> 16);
        instance.Add(ports[0] & 0xFFFF);
        instance.Add(static_cast<UINT>(kServiceBridge));
        instance.Add(1);
        m_mibComm->SetInstance(m_vportRequest, &instance);
        m_mibComm->RequestRow(m_vportRequest);
    } else {
        m_mibComm->RequestTable(m_vportRequest);
    }
}

void CEnetPortAdminPage::OnRequestDone(int h) {
    if (h == m_bridgeTableRequest) {
        m_learnedLoaded = 1;
        m_learnedMacs.Build(*m_mibComm, m_bridgeTableRequest);
        // After a Refresh the virtual ports are still to be read: the list is built from
        // them, not from the rows of the previous reading.
        if (m_groupsLoaded && m_vportsLoaded) {
            RebuildVPortList();
        } else {
            ContinueReading();
        }
    } else if (h == m_groupRequest) {
        FillGroupList();
        m_groupsLoaded = 1;
        ContinueReading();
    } else if (h == m_vportRequest) {
        if (m_reReads >= 1) {
            if (m_reReadIndex < m_reReads - 1) {
                ++m_reReadIndex;
                ReReadStep();
            } else {
                EndReReadChain();
            }
        } else {
            RebuildVPortList();
            m_vportsLoaded = 1;
            if (m_reselectAfterRead) {
                m_reselectAfterRead = false;
                if (m_currentRow >= 0 && m_vportList.GetItemCount() > 1) {
                    SelectRowAsCurrent(m_currentRow, true);
                }
            }
        }
    } else if (h == m_mirrorRequest) {
        ShowMirrorStatus();
    } else if (h == m_detailRequest) {
        if (m_setsInFlight > 0) {
            --m_setsInFlight;
            if (m_setBatch.completed(TRUE, 0)) {
                if (m_setBatch.succeeded()) {
                    MessageBox("Configuration Changes Successful.", "Success",
                               MB_OK | MB_ICONINFORMATION);
                    m_reReads = m_selectedCount;
                    m_reReadIndex = 0;
                    ReReadStep();
                } else {
                    // Some rows changed and some did not: the list is read whole to show which.
                    ShowFailedBatch();
                    m_keepModified = true;
                    SetDirty(TRUE);
                    EndReReadChain();
                }
            }
        } else {
            ShowDetails();
        }
    }
    if (m_vportsLoaded && m_groupsLoaded && (!m_showLearnedMac || m_learnedLoaded)) {
        m_loaded = 1;
        if (m_keepModified) {
            SetDirty(TRUE);
        } else if (m_setsInFlight == 0 && m_reReads == 0) {
            SetClean(TRUE);
        }
    }
}

void CEnetPortAdminPage::OnError(int h) {
    if (h == m_detailRequest && m_setsInFlight > 0) {
        --m_setsInFlight;
        if (m_setBatch.isOpen()) {
            MessageBox("Failed to Update Port Configuration.", "Error", MB_OK | MB_ICONEXCLAMATION);
            m_setBatch.abandon();
        }
        if (m_reReads > 0) {
            MessageBox("Failed to ReRead Port Configuration.", "Error", MB_OK | MB_ICONEXCLAMATION);
            m_reReads = 0;
        }
        // What the operator typed was not applied: Apply stays possible.
        SetDirty(TRUE);
        return;
    }
    if (h == m_vportRequest && m_reReads > 0) {
        // A row that cannot be read again ends the chain; the list shows what is held.
        MessageBox("Failed to ReRead Port Configuration.", "Error", MB_OK | MB_ICONEXCLAMATION);
        EndReReadChain();
        return;
    }
    if (h == m_mirrorRequest) {
        // A virtual port without a mirroring row has no status to show.
        return;
    }
    CSwBasePropPage::OnError(h);
}

void CEnetPortAdminPage::FillGroupList() {
    if (!m_hWnd) {
        return;
    }
    m_groupList.ClearCtrl();
    m_groupList.SetColumnHdgs(m_groupListData.GetColumnHdgs(), m_groupListData.GetColumnWidths(),
                              m_groupListData.GetColumnJustify());
    m_groupRow = -1;
    const long rows = m_mibComm->GetRowCount(m_groupRequest);
    for (long r = 0; r < rows; ++r) {
        if (!m_mibComm->GotoRow(m_groupRequest, r)) {
            MessageBox("Unable to access Vlan record", "Error", MB_OK);
            break;
        }
        const long mode = m_mibComm->GetInteger(m_groupRequest, "vLanMode");
        if (mode == 4 || mode == 5) {
            continue;
        }
        CStringArray texts;
        texts.Add(m_mibComm->GetString(m_groupRequest, "vLanNumber"));
        texts.Add(m_mibComm->GetString(m_groupRequest, "vLanDescription"));
        m_groupList.m_nItemImage = sw::kIconGroup;
        m_groupList.AddItem(&texts);
    }
    m_groupList.ReSort();
    UpdateData(FALSE);
}

CString CEnetPortAdminPage::LearnedMacText(long slot, long port, long serviceType,
                                           long instance) const {
    if (!m_showLearnedMac) {
        return kNoLearnedMac;
    }
    return m_learnedMacs.Text(slot, port, serviceType, instance);
}

void CEnetPortAdminPage::DeleteRecords() {
    for (int i = 0; i < m_vportRecords.GetSize(); ++i) {
        delete m_vportRecords[i];
    }
    m_vportRecords.RemoveAll();
}

const CVPortRecord* CEnetPortAdminPage::FindRecord(long slot, long port, long serviceType,
                                                   long instance) const {
    for (int i = 0; i < m_vportRecords.GetSize(); ++i) {
        const auto* record = static_cast<const CVPortRecord*>(m_vportRecords[i]);
        if (record->Matches(slot, port, serviceType, instance)) {
            return record;
        }
    }
    return nullptr;
}

void CEnetPortAdminPage::RebuildVPortList() {
    if (!m_hWnd) {
        return;
    }
    BeginWaitCursor();
    DeleteRecords();
    CUIntArray selected;
    m_vportList.GetSelectedItems(&selected);
    m_rebuilding = true;
    m_vportList.ClearCtrl();
    m_vportList.SetColumnHdgs(m_vportListData.GetColumnHdgs(), m_vportListData.GetColumnWidths(),
                              m_vportListData.GetColumnJustify());
    const long rows = m_mibComm->GetRowCount(m_vportRequest);
    const long h = m_vportRequest;
    enum {
        kSlot,
        kPort,
        kServiceType,
        kInstance,
        kGroup,
        kAdminState,
        kSwitchTimer,
        kFloodLimit,
        kBridgeMode,
        kManualMode,
        kEncapsulation,
        kOperStatus,
        kDescription,
        kLocalMac
    };
    const services::RowColumns columns(
        *m_mibComm, h,
        {"vportSlot", "vportIF", "vportFuncType", "vportFuncTypeInstance", "vportVlanNumber",
         "vportAdmStatus", "vportSwitchTimer", "vportFloodLimit", "vportBrdgMode",
         "vportManualMode", "vportEncapsulation", "vportOperStatus", "vportDescription",
         "vportMACaddress"});
    // The selection as a set: the same test as IsPortSelected, without a walk of the
    // selection for every row.
    CUIntArray selectedPorts;
    GetSelectedPorts(&selectedPorts);
    const std::unordered_set<UINT> isSelected(selectedPorts.begin(), selectedPorts.end());
    // Texts of enumerations repeat from row to row: each value is formatted once.
    std::map<long, CString> serviceTexts;
    std::map<long, CString> operTexts;
    auto enumText = [&](std::map<long, CString>& texts, int column) {
        const long value = columns.Has(column) ? columns.Integer(column) : -1;
        auto it = texts.find(value);
        if (it == texts.end()) {
            it = texts.emplace(value, columns.Text(column)).first;
        }
        return it->second;
    };
    for (long r = 0; r < rows; ++r) {
        if (!m_mibComm->GotoRow(h, r)) {
            m_rebuilding = false;
            MessageBox("Unable to access vPort record", "Error", MB_OK);
            EndWaitCursor();
            return;
        }
        const long slot = columns.Integer(kSlot);
        const long port = columns.Integer(kPort);
        if (isSelected.count(static_cast<UINT>(slot * 65536 + port)) == 0) {
            continue;
        }
        const long serviceType = columns.Integer(kServiceType);
        const long instance = columns.Integer(kInstance);
        m_vportList.m_nItemImage = columns.Integer(kOperStatus) == kOperUp
                                       ? sw::kIconVirtualPortUp
                                       : sw::kIconVirtualPortDown;
        CString slotText;
        CString portText;
        slotText.Format("%d", static_cast<int>(slot));
        portText.Format("%d", static_cast<int>(port));
        CStringArray texts;
        texts.Add(slotText);
        texts.Add(portText);
        texts.Add(enumText(serviceTexts, kServiceType));
        texts.Add(columns.Text(kInstance));
        texts.Add(columns.Text(kGroup));
        texts.Add(enumText(operTexts, kOperStatus));
        texts.Add(LearnedMacText(slot, port, serviceType, instance));
        texts.Add(columns.Text(kLocalMac));
        m_vportList.AddItem(&texts);

        auto* record = new CVPortRecord;
        record->m_slot = slot;
        record->m_port = port;
        record->m_serviceType = serviceType;
        record->m_instance = instance;
        record->m_group = columns.Integer(kGroup);
        record->m_adminState = columns.Integer(kAdminState);
        record->m_switchTimer = columns.Integer(kSwitchTimer);
        record->m_floodLimit = columns.Integer(kFloodLimit);
        record->m_bridgeMode = columns.Integer(kBridgeMode);
        record->m_manualMode = columns.Integer(kManualMode);
        record->m_encapsulation = columns.Integer(kEncapsulation);
        record->m_description = columns.Text(kDescription);
        m_vportRecords.Add(record);
    }
    sw::sortBySlotAndPort(m_vportList);
    UpdateData(FALSE);
    const int count = m_vportList.GetItemCount();
    if (count == 1) {
        m_currentRow = 0;
        m_vportList.SelectItem(0, TRUE);
        SelectRowAsCurrent(0, true);
    } else {
        for (int i = 0; i < selected.GetSize(); ++i) {
            if (static_cast<int>(selected[i]) < count) {
                m_vportList.SelectItem(static_cast<int>(selected[i]), TRUE);
            }
        }
        if (m_currentRow >= count) {
            m_currentRow = -1;
        }
    }
    m_selectedCount = static_cast<int>(m_vportList.GetSelectedCount());
    m_rebuilding = false;
    UpdateControls();
    EndWaitCursor();
}

void CEnetPortAdminPage::OnVPortItemChanged(NMHDR* header, LRESULT* result) {
    *result = 0;
    const auto* change = reinterpret_cast<const NMLISTVIEW*>(header);
    if (!sw::rowBecameSelected(*change) || m_rebuilding) {
        return;
    }
    m_selectedCount = static_cast<int>(m_vportList.GetSelectedCount());
    if (m_selectedCount == 1) {
        SelectRowAsCurrent(change->iItem, false);
    }
    if (m_groupRow >= 0) {
        m_groupList.SelectItem(m_groupRow, FALSE);
        m_groupRow = -1;
    }
    UpdateControls();
}

void CEnetPortAdminPage::SelectRowAsCurrent(int row, bool force) {
    if (row < 0 || row >= m_vportList.GetItemCount()) {
        return;
    }
    m_indexTexts.RemoveAll();
    for (int column = 0; column < 4; ++column) {
        m_indexTexts.Add(m_vportList.GetColumnText(row, column));
    }
    m_currentPort = static_cast<int>(numberIn(m_indexTexts[1]));
    m_selectedCount = static_cast<int>(m_vportList.GetSelectedCount());
    if ((m_selectedCount == 1 && row != m_currentRow) || force) {
        CreateWaitCursor();
        m_mibComm->SetRowIndex(m_detailRequest, &m_indexTexts);
        m_mibComm->SetReload(m_detailRequest, 0);
        m_mibComm->RequestRow(m_detailRequest);
        RequestMirrorStatus();
    }
    m_currentRow = row;
}

bool CEnetPortAdminPage::PortSupportsMirroring() const {
    const int type = m_chassisInfo ? m_chassisInfo->GetPortType(m_slot, m_currentPort) : 0;
    for (int supported : kMirroringPortTypes) {
        if (type == supported) {
            return true;
        }
    }
    return false;
}

void CEnetPortAdminPage::RequestMirrorStatus() {
    m_mirrorStatusText.Empty();
    if (PortSupportsMirroring()) {
        CreateWaitCursor();
        m_mibComm->SetRowIndex(m_mirrorRequest, &m_indexTexts);
        m_mibComm->SetReload(m_mirrorRequest, 0);
        m_mibComm->RequestRow(m_mirrorRequest);
    }
}

void CEnetPortAdminPage::ShowMirrorStatus() {
    if (!m_hWnd) {
        return;
    }
    UpdateData(TRUE);
    if (PortSupportsMirroring()) {
        if (m_mibComm->IsPending(m_mirrorRequest)) {
            return;
        }
        m_mibComm->SetRowIndex(m_mirrorRequest, &m_indexTexts);
        m_mirrorStatusText = m_mibComm->GetString(m_mirrorRequest, "mirrorStatus");
    } else {
        m_mirrorStatusText = "N/A";
    }
    UpdateData(FALSE);
}

void CEnetPortAdminPage::ShowDetails() {
    if (!m_hWnd) {
        return;
    }
    const long h = m_detailRequest;
    m_groupText = m_mibComm->GetString(h, "vportVlanNumber");
    m_bridgeProtocolText = m_mibComm->GetString(h, "vportBridgeProtocol");
    m_switchTimerText = m_mibComm->GetString(h, "vportSwitchTimer");
    m_descriptionText = m_mibComm->GetString(h, "vportDescription");
    m_portFloodLimit = m_mibComm->GetString(h, "vportFloodLimit");
    m_floodLimitText = m_portFloodLimit;
    m_baselineGroup = baselineOf(m_groupText);
    m_baselineSwitchTimer = baselineOf(m_switchTimerText);
    m_baselineFloodLimit = baselineOf(m_floodLimitText);
    m_baselineDescription = m_descriptionText;
    // A value the switch did not give selects nothing and stays -1, so it is never written
    // back as if the operator had chosen it.
    auto readEnum = [&](const char* variable) {
        return m_mibComm->GetString(h, variable).IsEmpty() ? -1L
                                                           : m_mibComm->GetInteger(h, variable);
    };
    m_baselineEncapsulation = readEnum("vportEncapsulation");
    m_encapsulationCombo.SetCurMappedSel(static_cast<int>(m_baselineEncapsulation));
    m_baselineBridgeMode = readEnum("vportBrdgMode");
    m_bridgeModeCombo.SetCurMappedSel(static_cast<int>(m_baselineBridgeMode));
    m_baselineAdminState = readEnum("vportAdmStatus");
    m_adminStateCombo.SetCurMappedSel(static_cast<int>(m_baselineAdminState));
    m_baselineManualMode = readEnum("vportManualMode");
    m_manualModeCombo.SetCurSel(m_baselineManualMode >= 1 &&
                                        m_baselineManualMode <= m_manualModeCombo.GetCount()
                                    ? static_cast<int>(m_baselineManualMode - 1)
                                    : -1);
    UpdateData(FALSE);
    UpdateControls();
    ShowMirrorStatus();
}

void CEnetPortAdminPage::FloodLimitUpdate() {
    const long long g = numberIn(m_groupText);
    if (g <= 0 || m_groupRequest == 0) {
        return;
    }
    m_floodLimitEditable = 0;
    CUIntArray instance;
    instance.Add(static_cast<UINT>(g));
    m_mibComm->SetInstance(m_groupRequest, &instance);
    const long v = m_mibComm->GetInteger(m_groupRequest, "vLanFloodOverride");
    if (v == -1) {
        m_floodLimitEditable = 1;
        m_floodLimitText = m_portFloodLimit;
    } else if (v == 0) {
        m_floodLimitText = "Disabled";
    } else {
        m_floodLimitText.Format("%d", static_cast<int>(v));
    }
    EnableControl(IDC_ADMIN_FLOOD_LIMIT, m_floodLimitEditable == 1);
}

void CEnetPortAdminPage::EnableControl(int id, BOOL enable) {
    if (CWnd* control = GetDlgItem(id)) {
        control->EnableWindow(enable);
    }
}

void CEnetPortAdminPage::UpdateControls() {
    if (!m_hWnd) {
        return;
    }
    if (m_currentRow >= 0) {
        // What the operator typed so far is kept when the row states change.
        UpdateData(TRUE);
        for (int id : {IDC_ADMIN_GROUP_NUM, IDC_ADMIN_ADMIN_STATE, IDC_ADMIN_BRIDGE_MODE,
                       IDC_ADMIN_ENCAPSULATION, IDC_ADMIN_SWITCH_TIMER, IDC_ADMIN_MANUAL_MODE,
                       IDC_ADMIN_APPLY_ALL, IDC_ADMIN_TRUNKING}) {
            EnableControl(id, TRUE);
        }
        if (m_selectedCount == 1) {
            EnableControl(IDC_ADMIN_DESCRIPTION, TRUE);
        } else {
            m_descriptionText.Empty();
            EnableControl(IDC_ADMIN_DESCRIPTION, FALSE);
        }
        FloodLimitUpdate();
    } else {
        m_groupText.Empty();
        m_bridgeProtocolText.Empty();
        m_switchTimerText.Empty();
        m_descriptionText.Empty();
        m_mirrorStatusText.Empty();
        m_floodLimitText.Empty();
        m_encapsulationCombo.SetCurSel(-1);
        m_bridgeModeCombo.SetCurSel(-1);
        m_adminStateCombo.SetCurSel(-1);
        m_manualModeCombo.SetCurSel(-1);
        m_applyAll = FALSE;
        m_baselineGroup = m_baselineAdminState = m_baselineSwitchTimer = m_baselineFloodLimit =
            m_baselineBridgeMode = m_baselineManualMode = m_baselineEncapsulation = -1;
        m_baselineDescription.Empty();
        for (int id : {IDC_ADMIN_GROUP_NUM, IDC_ADMIN_ADMIN_STATE, IDC_ADMIN_BRIDGE_MODE,
                       IDC_ADMIN_DESCRIPTION, IDC_ADMIN_ENCAPSULATION, IDC_ADMIN_SWITCH_TIMER,
                       IDC_ADMIN_BRIDGE_ADDRESS, IDC_ADMIN_PORT_MIRRORING, IDC_ADMIN_TRUNKING,
                       IDC_ADMIN_FLOOD_LIMIT, IDC_ADMIN_MANUAL_MODE, IDC_ADMIN_APPLY_ALL}) {
            EnableControl(id, FALSE);
        }
    }
    if (m_selectedCount != 1) {
        EnableControl(IDC_ADMIN_BRIDGE_ADDRESS, FALSE);
        EnableControl(IDC_ADMIN_PORT_MIRRORING, FALSE);
    } else {
        EnableControl(IDC_ADMIN_BRIDGE_ADDRESS, TRUE);
        if (PortSupportsMirroring()) {
            EnableControl(IDC_ADMIN_PORT_MIRRORING, TRUE);
        }
    }
    UpdateData(FALSE);
}

void CEnetPortAdminPage::OnGroupItemChanged(NMHDR* header, LRESULT* result) {
    *result = 0;
    const auto* change = reinterpret_cast<const NMLISTVIEW*>(header);
    if (!sw::rowBecameSelected(*change)) {
        return;
    }
    if (m_currentRow >= 0) {
        const CString group = m_groupList.GetColumnText(change->iItem, 0);
        if (group != m_groupText) {
            UpdateData(TRUE);
            m_groupText = group;
            FloodLimitUpdate();
            SetDirty(TRUE);
            UpdateData(FALSE);
        }
        m_groupRow = change->iItem;
    } else {
        UpdateData(TRUE);
        m_groupList.SelectItem(change->iItem, FALSE);
        m_groupRow = -1;
        UpdateData(FALSE);
    }
}

void CEnetPortAdminPage::OnFieldChanged() {
    SetDirty(TRUE);
}

void CEnetPortAdminPage::OnShowLearnedClicked() {
    UpdateData(TRUE);
    if (!m_showLearnedMac) {
        RebuildVPortList();
    } else {
        ContinueReading();
    }
}

BOOL CEnetPortAdminPage::OnApply() {
    if (!UpdateData(TRUE)) {
        return FALSE;
    }
    const long long timer = numberIn(m_switchTimerText);
    if (timer < 0 || timer > kSwitchTimerMax) {
        MessageBox("SwitchTimer must be\n 0 <= and <= 65535", "Error", MB_OK | MB_ICONWARNING);
        return TRUE;
    }
    m_reReads = 0;
    m_keepModified = false;
    CUIntArray selected;
    const int n = m_vportList.GetSelectedItems(&selected);
    // Without a current row the fields hold nothing read from the switch: there is nothing
    // to compare with and nothing worth writing.
    if (n == 0 || m_currentRow < 0) {
        return TRUE;
    }

    struct RowSets {
        CStringArray index;
        std::vector<StagedValue> values;
    };
    std::vector<RowSets> plan;
    const bool all = m_applyAll != FALSE;
    for (int k = 0; k < n; ++k) {
        const int row = static_cast<int>(selected[k]);
        RowSets sets;
        for (int column = 0; column < 4; ++column) {
            sets.index.Add(m_vportList.GetColumnText(row, column));
        }
        const long slot = static_cast<long>(numberIn(sets.index[0]));
        const long port = static_cast<long>(numberIn(sets.index[1]));
        const long instance = static_cast<long>(numberIn(sets.index[3]));
        const long serviceType = m_mibComm->GetEnumValue("vportFuncType", sets.index[2]);
        const CVPortRecord* record = FindRecord(slot, port, serviceType, instance);

        // Empty texts and combos without a selection were never read: they are not written.
        if (!m_groupText.IsEmpty()) {
            const long group = static_cast<long>(numberIn(m_groupText));
            if (all || group != m_baselineGroup) {
                sets.values.push_back({"vportVlanNumber", false, group, {}});
            }
        }
        if (!m_switchTimerText.IsEmpty() || m_baselineSwitchTimer >= 0) {
            if (all || timer != m_baselineSwitchTimer) {
                sets.values.push_back({"vportSwitchTimer", false, static_cast<long>(timer), {}});
            }
        }
        if (n == 1 && m_descriptionText != m_baselineDescription) {
            sets.values.push_back({"vportDescription", true, 0, m_descriptionText});
        }
        if (m_floodLimitEditable == 1 && !m_floodLimitText.IsEmpty() &&
            (all || numberIn(m_floodLimitText) != m_baselineFloodLimit)) {
            sets.values.push_back({"vportFloodLimit", true, 0, m_floodLimitText});
        }
        const int encapsulation = m_encapsulationCombo.GetCurMappedSel();
        if (encapsulation >= 0 && (all || encapsulation != m_baselineEncapsulation) &&
            !(encapsulation == kEncapsulationDefault && record &&
              record->m_encapsulation == kEncapsulationDefault)) {
            sets.values.push_back({"vportEncapsulation", false, encapsulation, {}});
        }
        const int bridgeMode = m_bridgeModeCombo.GetCurMappedSel();
        if (bridgeMode >= 0 && (all || bridgeMode != m_baselineBridgeMode)) {
            sets.values.push_back({"vportBrdgMode", false, bridgeMode, {}});
        }
        const int manualIndex = m_manualModeCombo.GetCurSel();
        if (manualIndex >= 0 && (all || manualIndex + 1 != m_baselineManualMode)) {
            sets.values.push_back({"vportManualMode", false, manualIndex + 1, {}});
        }
        const int adminState = m_adminStateCombo.GetCurMappedSel();
        if (adminState >= 0 && (all || adminState != m_baselineAdminState)) {
            sets.values.push_back({"vportAdmStatus", false, adminState, {}});
        }
        if (!sets.values.empty()) {
            plan.push_back(std::move(sets));
        }
    }
    if (plan.empty()) {
        return TRUE;
    }

    const int sends = static_cast<int>(plan.size());
    m_setBatch.begin(sends);
    BOOL started = TRUE;
    for (int k = 0; k < sends; ++k) {
        RowSets& sets = plan[static_cast<std::size_t>(k)];
        m_mibComm->SetRowIndex(m_detailRequest, &sets.index);
        for (const StagedValue& value : sets.values) {
            if (value.text) {
                m_mibComm->SetString(m_detailRequest, value.variable, value.string);
            } else {
                m_mibComm->SetInteger(m_detailRequest, value.variable, value.number);
            }
        }
        CreateWaitCursor();
        m_mibComm->SetReRead(m_detailRequest, FALSE);
        started = m_setBatch.send(indexText(sets.index));
        if (!started) {
            // The sets not sent will never complete.
            for (int left = k + 1; left < sends; ++left) {
                m_setBatch.skip(indexText(plan[static_cast<std::size_t>(left)].index));
            }
            break;
        }
        ++m_setsInFlight;
    }
    if (m_setBatch.endSending()) {
        // Nothing is under way: the first set could not start and the switch is unchanged,
        // so what the operator typed stays for another try.
        ShowFailedBatch();
        SetDirty(TRUE);
    }
    return started;
}

void CEnetPortAdminPage::ShowFailedBatch() {
    MessageBox("Failed to Update Port Configuration.\nNot changed: " + m_setBatch.notChangedText(),
               "Error", MB_OK | MB_ICONEXCLAMATION);
}

void CEnetPortAdminPage::ReReadStep() {
    CUIntArray selected;
    const int count = m_vportList.GetSelectedItems(&selected);
    if (m_reReadIndex >= count) {
        // The selection shrank meanwhile: there is no such row left to read.
        EndReReadChain();
        return;
    }
    const int row = static_cast<int>(selected[m_reReadIndex]);
    CStringArray index;
    // The row's own service and instance: a row other than the bridge service 4/1 was
    // changed as well and must show its new values.
    for (int column = 0; column < 4; ++column) {
        index.Add(m_vportList.GetColumnText(row, column));
    }
    m_mibComm->SetReload(m_vportRequest, 0);
    m_mibComm->SetRowIndex(m_vportRequest, &index);
    CreateWaitCursor();
    m_mibComm->RequestRow(m_vportRequest);
}

// A row read leaves the vport request holding that row alone, so the list is rebuilt from
// the table read once more; the current row is then read again.
void CEnetPortAdminPage::EndReReadChain() {
    m_reReads = 0;
    m_reselectAfterRead = true;
    ContinueReading();
}

void CEnetPortAdminPage::ReleaseRequests() {
    m_setBatch.detach();
    for (long* request : {&m_vportRequest, &m_detailRequest, &m_groupRequest, &m_bridgeTableRequest,
                          &m_mirrorRequest}) {
        m_mibComm->ReleaseRequest(*request);
        *request = 0;
    }
}

void CEnetPortAdminPage::OnHelp() {
    HelpEngine("Ethernet_port_help\\ethernet_port_service_admin_page", 1);
}

void CEnetPortAdminPage::OnBridgeAddress() {
    if (m_indexTexts.GetSize() < 4) {
        return;
    }
    UpdateData(TRUE);  // the group as the operator sees it
    const HINSTANCE saved = AfxGetResourceHandle();
    CBelvaRes resources;
    CSwBaseDialog* dialog = resources.GetDialog("BridgeAddr", this);
    if (dialog == nullptr) {
        AfxSetResourceHandle(saved);
        return;
    }
    dialog->SetAgent(m_agent);
    const int slot = std::atoi(m_indexTexts[0]);
    const int port = std::atoi(m_indexTexts[1]);
    const int instance = std::atoi(m_indexTexts[3]);
    dialog->SpecifyVPort(slot, port, static_cast<int>(kServiceBridge), instance);
    if (auto* bridge = dynamic_cast<CBridgeAddrDialog*>(dialog)) {
        bridge->m_entryStatus = 3;
        bridge->m_groupNumber = std::atoi(m_groupText);
    }
    dialog->DoModal();
    const bool pageAlive = IsValidWindow(this);
    // The dialog is ours whether or not the page survived; nothing of the page is touched
    // once its window has gone.
    delete dialog;
    if (pageAlive) {
        AfxSetResourceHandle(saved);
    }
}

void CEnetPortAdminPage::OnPortMirroring() {
    CSwPropertySheet* owner = m_sheet;
    if (owner) {
        owner->Shrink();
    }
    const HINSTANCE saved = AfxGetResourceHandle();
    AfxSetResourceHandle(TorvikInstanceHandle());
    CBelvaRes resources;
    CSwBaseDialog* dialog = resources.GetDialog("PortMirror", nullptr);
    if (dialog == nullptr) {
        AfxSetResourceHandle(saved);
        if (owner) {
            owner->Expand();
        }
        return;
    }
    dialog->SetAgent(m_agent);
    auto* mirror = dynamic_cast<CPortMirrorDialog*>(dialog);
    if (mirror) {
        mirror->m_indexTexts = &m_indexTexts;
        mirror->m_chassisInfo = m_chassisInfo;
    }
    dialog->DoModal();
    if (!IsValidWindow(this)) {
        delete dialog;
        return;
    }
    const int changed = mirror ? mirror->m_changed : 0;
    delete dialog;
    AfxSetResourceHandle(saved);
    if (owner) {
        owner->Expand();
    }
    if (changed != 0 && m_mirrorRequest != 0) {
        CreateWaitCursor();
        m_mibComm->SetRowIndex(m_mirrorRequest, &m_indexTexts);
        m_mibComm->SetReload(m_mirrorRequest, 0);
        m_mibComm->RequestRow(m_mirrorRequest);
    }
}

void CEnetPortAdminPage::OnTrunking() {
    if (m_trunkingSheet != nullptr) {
        return;
    }
    CMibAgent* agent = m_sheet && m_sheet->GetAgent() ? m_sheet->GetAgent() : m_agent;
    CString caption;
    caption.Format("Ethernet Slot:%d  Port:%d Trunking Properties - %s", m_slot, m_port,
                   agent ? static_cast<LPCTSTR>(agent->GetAgentName()) : "");
    CSwBasePropPage* page = NewTrunkPage();
    // The registry has told the operator why there is no page; an empty sheet is not opened.
    if (page == nullptr) {
        return;
    }
    m_trunkingSheet = new CSwPropertySheet(caption, 0, this, 0);
    m_trunkingSheet->SetSelection(m_slot, m_port, {{m_slot, m_port}}, m_agentAddress, m_health);
    m_trunkingSheet->SetAgent(agent);
    m_trunkingSheet->m_slot = m_slot;
    m_trunkingSheet->m_port = m_port;
    m_trunkingSheet->AddPage(page);
    m_trunkingSheet->SetChassisInfoObject(m_chassisInfo);
    m_trunkingSheet->m_modeless = 1;
    m_trunkingSheet->ActivateSheet();
}

CSwBasePropPage* CEnetPortAdminPage::NewTrunkPage() {
    CTorvikRes registry;
    return registry.GetPage("Trunk");
}

LRESULT CEnetPortAdminPage::OnTrunkSheetClosed(WPARAM /*wParam*/, LPARAM lParam) {
    auto* sheet = reinterpret_cast<CSwPropertySheet*>(lParam);
    if (sheet != nullptr && sheet == m_trunkingSheet) {
        m_trunkingSheet = nullptr;
        delete sheet;
    }
    return 0;
}
