#include "ports/enet_port_status_page.h"

#include "framework/afx/ddx.h"
#include "framework/sw/default_icons.h"
#include "framework/sw/enum_combo.h"
#include "framework/sw/help_engine.h"
#include "framework/sw/list_rows.h"
#include "resources/port_view_ids.h"
#include "resources/resource_ids.h"

IMPLEMENT_DYNCREATE(CEnetPortStatusPage, CPropertyPage)

BEGIN_MESSAGE_MAP(CEnetPortStatusPage, CSwBasePropPage)
ON_NOTIFY(LVN_ITEMCHANGED, IDC_STATUS_PORT_LIST, &CEnetPortStatusPage::OnListItemChanged)
ON_CBN_SELCHANGE(IDC_STATUS_ADMIN_STATUS, &CEnetPortStatusPage::OnAdminStatusChanged)
ON_EN_CHANGE(IDC_STATUS_DESCRIPTION, &CEnetPortStatusPage::OnDescriptionChanged)
END_MESSAGE_MAP()

namespace {

constexpr const char* kTable = "phyPortTable";
constexpr const char* kSlot = "phyPortSlot";
constexpr const char* kPort = "phyPortIF";
constexpr const char* kAdminStatus = "phyPortAdmStatus";
constexpr const char* kOperStatus = "phyPortOperStatus";
constexpr const char* kDescription = "phyPortDescription";
constexpr long kOperStatusUp = 3;

}  // namespace

CEnetPortStatusPage::CEnetPortStatusPage() : CSwBasePropPage(IDD_ENET_PORT_STATUS) {}

CEnetPortStatusPage::~CEnetPortStatusPage() = default;

void CEnetPortStatusPage::DoDataExchange(CDataExchange* dx) {
    CSwBasePropPage::DoDataExchange(dx);
    DDX_Control(dx, IDC_STATUS_PORT_LIST, m_list);
    DDX_Control(dx, IDC_STATUS_ADMIN_STATUS, m_adminStatus);
    DDX_Text(dx, IDC_STATUS_SLOT_PORT, m_slotPort);
    DDX_Text(dx, IDC_STATUS_OPER_STATUS, m_operStatus);
    DDX_Text(dx, IDC_STATUS_DESCRIPTION, m_description);
    DDV_MaxChars(dx, m_description, kDescriptionLimit);
}

BOOL CEnetPortStatusPage::OnInitDialog() {
    CSwBasePropPage::OnInitDialog();
    m_list.SetImageList(m_icons.acquire(), 1);
    m_list.SortOnColumn(0, 1);
    m_list.m_bTableMode = TRUE;
    m_list.m_bItemMode = FALSE;
    ClearDetails();
    return TRUE;
}

void CEnetPortStatusPage::InitPage() {
    m_listData.Add("Slot", 34, 'R', kSlot, "");
    m_listData.Add("Port", 34, 'R', kPort, "");
    m_listData.Add("MediaType", 65, 'L', "phyPortMediaType", "");
    m_listData.Add("AdminStatus", 74, 'L', kAdminStatus, "");
    m_listData.Add("OperStatus", 65, 'L', kOperStatus, "");
    m_listData.Add("Description", 180, 'L', kDescription, "");
}

void CEnetPortStatusPage::CreateRequests() {
    if (!m_agent) {
        return;
    }
    m_portType = m_chassisInfo ? m_chassisInfo->GetPortType(m_slot, m_port) : 0;
    if (m_tableRequest == 0) {
        m_tableRequest = m_mibComm->OpenListRequest(0, kTable, m_listData.GetVarList());
        m_rowRequest = m_mibComm->OpenListRequest(0, kTable, m_listData.GetVarList());
    }
}

BOOL CEnetPortStatusPage::OnSetActive() {
    FillCombo();
    if (m_tableRequest > 0 && m_loaded == 0 && m_hold == 0) {
        Refresh();
    }
    return CSwBasePropPage::OnSetActive();
}

BOOL CEnetPortStatusPage::Refresh() {
    m_loaded = 0;
    m_chosenRow = -1;
    ClearDetails();
    ReadTable();
    return TRUE;
}

void CEnetPortStatusPage::FillCombo() {
    if (!m_mibComm || m_comboFilled || !m_adminStatus.m_hWnd) {
        return;
    }
    sw::addEnumTexts(m_adminStatus, *m_mibComm, kAdminStatus, 1, 2);
    m_adminStatus.SetCurSel(-1);
    m_comboFilled = 1;
}

void CEnetPortStatusPage::ClearDetails() {
    m_operStatus.Empty();
    m_description.Empty();
    m_slotPort.Empty();
    m_chosenRow = -1;
    m_chosenSlot = -1;
    m_chosenPort = -1;
    m_instance.RemoveAll();
    if (!m_hWnd) {
        return;
    }
    m_adminStatus.SetCurSel(-1);
    GetDlgItem(IDC_STATUS_OPER_STATUS)->EnableWindow(FALSE);
    GetDlgItem(IDC_STATUS_DESCRIPTION)->EnableWindow(FALSE);
    m_adminStatus.EnableWindow(FALSE);
    UpdateData(FALSE);
}

void CEnetPortStatusPage::ReadTable() {
    m_mibComm->SetReload(m_tableRequest, m_loaded != 0 ? 1 : 0);
    CreateWaitCursor();
    m_mibComm->RequestTable(m_tableRequest);
}

void CEnetPortStatusPage::OnRequestDone(int h) {
    if (h == m_tableRequest) {
        FillList();
        if (m_chosenRow >= 0) {
            ChooseRow(m_chosenRow);
        }
        m_loaded = 1;
        SetClean(1);
    } else if (h == m_rowRequest) {
        if (m_mibComm->IsSetCompletion(h)) {
            m_loaded = 0;
            ReadTable();
        } else {
            ShowDetails();
        }
    }
}

void CEnetPortStatusPage::FillList() {
    if (!m_hWnd) {
        return;
    }
    m_filling = true;
    const bool complete =
        sw::fillListFromTable(m_list, *m_mibComm, m_tableRequest, m_listData, [this]() -> int {
            const int slot = static_cast<int>(m_mibComm->GetInteger(m_tableRequest, kSlot));
            const int port = static_cast<int>(m_mibComm->GetInteger(m_tableRequest, kPort));
            if (!IsPortSelected(slot, port, m_portType)) {
                return -1;
            }
            const bool up = m_mibComm->GetInteger(m_tableRequest, kOperStatus) == kOperStatusUp;
            return up ? sw::kIconPortEnabled : sw::kIconPortNotEnabled;
        });
    if (!complete) {
        MessageBox("Unable to access PhyPort record", "Error", MB_OK);
    } else {
        sw::sortBySlotAndPort(m_list);
        if (m_list.GetItemCount() == 1) {
            m_chosenRow = 0;
            m_list.SelectItem(0, TRUE);
        } else if (m_chosenRow < 0) {
            ClearDetails();
        } else {
            const int row = sw::rowOfPort(m_list, m_chosenSlot, m_chosenPort);
            if (row >= 0) {
                m_chosenRow = row;
            }
            m_list.SelectItem(m_chosenRow, TRUE);
        }
    }
    m_filling = false;
    UpdateData(FALSE);
}

void CEnetPortStatusPage::OnListItemChanged(NMHDR* header, LRESULT* result) {
    *result = 0;
    const auto* change = reinterpret_cast<const NMLISTVIEW*>(header);
    if (sw::rowBecameSelected(*change) && !m_filling) {
        ChooseRow(change->iItem);
    }
}

void CEnetPortStatusPage::ChooseRow(int row) {
    if (row >= m_list.GetItemCount()) {
        return;
    }
    const auto [slot, port] = sw::portOfRow(m_list, row);
    m_chosenRow = row;
    m_chosenSlot = slot;
    m_chosenPort = port;
    // The details keep showing the previous port until this read answers.
    CUIntArray instance;
    instance.Add(static_cast<UINT>(slot));
    instance.Add(static_cast<UINT>(port));
    m_mibComm->SetInstance(m_rowRequest, &instance);
    m_mibComm->RequestRow(m_rowRequest);
}

void CEnetPortStatusPage::ShowDetails() {
    if (!m_hWnd) {
        return;
    }
    GetDlgItem(IDC_STATUS_OPER_STATUS)->EnableWindow(TRUE);
    GetDlgItem(IDC_STATUS_DESCRIPTION)->EnableWindow(TRUE);
    m_adminStatus.EnableWindow(TRUE);
    const long slot = m_mibComm->GetInteger(m_rowRequest, kSlot);
    const long port = m_mibComm->GetInteger(m_rowRequest, kPort);
    m_instance.RemoveAll();
    m_instance.Add(static_cast<UINT>(slot));
    m_instance.Add(static_cast<UINT>(port));
    m_slotPort.Format("%ld / %ld", slot, port);
    m_operStatus = m_mibComm->GetString(m_rowRequest, kOperStatus);
    m_description = m_mibComm->GetString(m_rowRequest, kDescription);
    const long admin = m_mibComm->GetInteger(m_rowRequest, kAdminStatus);
    m_adminStatus.SetCurSel(admin == 1 || admin == 2 ? static_cast<int>(admin - 1) : -1);
    m_adminStatus.SetFocus();
    UpdateData(FALSE);
}

BOOL CEnetPortStatusPage::OnApply() {
    if (!UpdateData(TRUE)) {
        return FALSE;
    }
    if (m_instance.GetSize() == 0) {
        return TRUE;
    }
    m_mibComm->SetInstance(m_rowRequest, &m_instance);
    bool staged = m_mibComm->SetString(m_rowRequest, kDescription, m_description) != FALSE;
    // Without a selection the administrative status is left as the switch has it; writing
    // index + 1 would send 0, which no port accepts.
    const int adminIndex = m_adminStatus.GetCurSel();
    if (adminIndex >= 0) {
        staged = m_mibComm->SetInteger(m_rowRequest, kAdminStatus, adminIndex + 1) || staged;
    }
    if (!staged) {
        return TRUE;
    }
    // The list is read again after the set: the port written is the one to show then.
    m_chosenSlot = static_cast<int>(m_instance[0]);
    m_chosenPort = static_cast<int>(m_instance[1]);
    m_mibComm->SetReRead(m_rowRequest, FALSE);
    if (!m_mibComm->SendSet(m_rowRequest)) {
        return FALSE;
    }
    // The set completes from the event loop, never inside SendSet.
    CreateWaitCursor();
    return TRUE;
}

void CEnetPortStatusPage::OnAdminStatusChanged() {
    SetDirty(1);
}

void CEnetPortStatusPage::OnDescriptionChanged() {
    SetDirty(1);
}

void CEnetPortStatusPage::ReleaseRequests() {
    m_mibComm->ReleaseRequest(m_tableRequest);
    m_mibComm->ReleaseRequest(m_rowRequest);
    m_tableRequest = 0;
    m_rowRequest = 0;
}

void CEnetPortStatusPage::OnHelp() {
    HelpEngine("Ethernet_port_help\\ethernet_port_status_page", 1);
}
