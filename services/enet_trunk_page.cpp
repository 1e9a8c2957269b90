#include "services/enet_trunk_page.h"

#include "framework/afx/ddx.h"
#include "framework/sw/default_icons.h"
#include "framework/sw/help_engine.h"
#include "framework/sw/sw_functions.h"
#include "resources/resource_ids.h"
#include "resources/trunk_ids.h"
#include "services/modify_trunk_service_dialog.h"
#include "services/trunk_rows.h"

IMPLEMENT_DYNCREATE(CEnetTrunkPage, CPropertyPage)

BEGIN_MESSAGE_MAP(CEnetTrunkPage, CSwBasePropPage)
ON_BN_CLICKED(IDC_TRUNK_MODIFY, &CEnetTrunkPage::OnModify)
END_MESSAGE_MAP()

namespace {

constexpr const char* kGroupNumber = "vLanNumber";
constexpr const char* kNoDescription = "<No Service Description>";

}  // namespace

CEnetTrunkPage::CEnetTrunkPage() : CSwBasePropPage(IDD_ENET_TRUNK) {}

CEnetTrunkPage::~CEnetTrunkPage() = default;

void CEnetTrunkPage::DoDataExchange(CDataExchange* dx) {
    CSwBasePropPage::DoDataExchange(dx);
    DDX_Control(dx, IDC_TRUNK_GROUP_LIST, m_list);
    DDX_Text(dx, IDC_TRUNK_DESCRIPTION, m_description);
    DDX_Text(dx, IDC_TRUNK_SLOT_PORT, m_slotPort);
}

torvik::TrunkServiceKind CEnetTrunkPage::kind() const {
    return torvik::chooseTrunkServiceKind(m_dot10Flag, m_dot1QFlag, m_domainBridgingFlag);
}

void CEnetTrunkPage::TakeKindVariables() {
    m_vars = torvik::trunkServiceVariables(kind());
}

BOOL CEnetTrunkPage::OnInitDialog() {
    CSwBasePropPage::OnInitDialog();
    m_list.SetImageList(m_icons.acquire(), 1);
    m_list.m_nItemImage = sw::kIconGroup;
    m_list.SortOnColumn(0, 1);
    UpdateData(FALSE);
    return TRUE;
}

void CEnetTrunkPage::InitPage() {
    m_dot1QFlag = 1;
    m_groupListData.Add("Group", 0, 'R', kGroupNumber, "");
    m_groupListData.Add("Description", 220, 'L', "vLanDescription", "");
    m_groupListData.Add("", 0, 'R', "vLanMode", "");
    TakeKindVariables();
}

void CEnetTrunkPage::CreateRequests() {
    if (!m_agent) {
        return;
    }
    if (m_groupRequest == 0) {
        m_groupRequest = m_mibComm->OpenListRequest(0, "", m_groupListData.GetVarList());
        m_mibComm->SetReload(m_groupRequest, 0);
    }
    if (m_servicesRequest == 0) {
        const char* names[] = {m_vars.servicesSlot, m_vars.servicesStation,
                               m_vars.servicesDescription, m_vars.servicesBridgeId};
        m_servicesRequest = m_mibComm->OpenRequest(0, "", names, 4);
        m_mibComm->SetReload(m_servicesRequest, 0);
    }
    if (m_membersRequest == 0) {
        const char* names[] = {m_vars.membersSlot, m_vars.membersStation, m_vars.membersGroup,
                               m_vars.membersCommand};
        m_membersRequest = m_mibComm->OpenRequest(0, "", names, 4);
        m_mibComm->SetReload(m_membersRequest, 0);
    }
    m_slotPort.Format("%d / %d", m_slot, m_port);
}

BOOL CEnetTrunkPage::OnSetActive() {
    if (m_hWnd) {
        GetDlgItem(IDC_TRUNK_DESCRIPTION_GROUP)
            ->SetWindowText(torvik::trunkServiceDescriptionTitle(kind()));
    }
    if (m_servicesRequest != 0 && m_hold == 0 && m_loaded == 0) {
        Refresh();
    }
    return CSwBasePropPage::OnSetActive();
}

BOOL CEnetTrunkPage::Refresh() {
    m_description.Empty();
    m_servicedGroups.RemoveAll();
    if (m_servicesRequest == 0) {
        return FALSE;  // no agent yet: nothing to wait for
    }
    CreateWaitCursor();
    m_mibComm->SetReload(m_servicesRequest, 0);
    m_mibComm->RequestTable(m_servicesRequest);
    return TRUE;
}

void CEnetTrunkPage::OnRequestDone(int h) {
    if (h == m_servicesRequest) {
        ServicesRead();
    } else if (h == m_membersRequest) {
        MembersRead();
    } else if (h == m_groupRequest) {
        FillList();
        m_loaded = 1;
        SetClean(TRUE);
    }
}

void CEnetTrunkPage::ServicesRead() {
    if (!torvik::forEachRowOfPort(*m_mibComm, m_servicesRequest, m_vars.servicesSlot,
                                  m_vars.servicesStation, m_slot, m_port, [&] {
                                      m_description = m_mibComm->GetString(
                                          m_servicesRequest, m_vars.servicesDescription);
                                  })) {
        MessageBox("Unable to access TrunkServices record", "Error", MB_OK);
    }
    if (!m_description.IsEmpty()) {
        m_noDescription = 0;
    } else {
        m_description = kNoDescription;
        m_noDescription = 1;
    }
    if (m_hWnd) {
        UpdateData(FALSE);
    }
    CreateWaitCursor();
    m_mibComm->RequestTable(m_membersRequest);
}

void CEnetTrunkPage::MembersRead() {
    if (!torvik::forEachRowOfPort(*m_mibComm, m_membersRequest, m_vars.membersSlot,
                                  m_vars.membersStation, m_slot, m_port, [&] {
                                      m_servicedGroups.Add(static_cast<UINT>(m_mibComm->GetInteger(
                                          m_membersRequest, m_vars.membersGroup)));
                                  })) {
        MessageBox("Unable to access Trunk record", "Error", MB_OK);
    }
    CreateWaitCursor();
    m_mibComm->RequestTable(m_groupRequest);
}

void CEnetTrunkPage::FillList() {
    if (!m_hWnd) {
        return;
    }
    m_list.ClearCtrl();
    m_list.SetColumnHdgs(m_groupListData.GetColumnHdgs(), m_groupListData.GetColumnWidths(),
                         m_groupListData.GetColumnJustify());
    m_list.m_nItemImage = sw::kIconGroup;
    const long rows = m_mibComm->GetRowCount(m_groupRequest);
    const int shown = m_groupListData.GetVarCount() - 1;  // vLanMode is read, not shown
    for (long r = 0; r < rows; ++r) {
        if (!m_mibComm->GotoRow(m_groupRequest, r)) {
            MessageBox("Unable to access Group record", "Error", MB_OK);
            return;
        }
        const auto group = static_cast<UINT>(m_mibComm->GetInteger(m_groupRequest, kGroupNumber));
        bool serviced = false;
        for (int i = 0; i < m_servicedGroups.GetSize() && !serviced; ++i) {
            serviced = m_servicedGroups.GetAt(i) == group;
        }
        if (!serviced) {
            continue;
        }
        CStringArray texts;
        for (int i = 0; i < shown; ++i) {
            texts.Add(m_mibComm->GetString(m_groupRequest, m_groupListData.GetAtVarName(i)));
        }
        m_list.AddItem(&texts);
    }
    m_list.ReSort();
    UpdateData(FALSE);
}

void CEnetTrunkPage::OnModify() {
    CModifyTrunkServiceDialog dialog(nullptr);
    dialog.SetAgent(m_agent);
    dialog.m_slot = m_slot;
    dialog.m_port = m_port;
    if (m_noDescription == 0) {
        dialog.m_description = m_description;
    }
    dialog.m_dot10Flag = m_dot10Flag;
    dialog.m_dot1QFlag = m_dot1QFlag;
    dialog.m_domainBridgingFlag = m_domainBridgingFlag;
    dialog.DoModal();
    if (IsValidWindow(this)) {
        Refresh();
    }
}

void CEnetTrunkPage::ReleaseRequests() {
    m_mibComm->ReleaseRequest(m_groupRequest);
    m_mibComm->ReleaseRequest(m_servicesRequest);
    m_mibComm->ReleaseRequest(m_membersRequest);
    m_groupRequest = 0;
    m_servicesRequest = 0;
    m_membersRequest = 0;
}

void CEnetTrunkPage::OnHelp() {
    HelpEngine("Ethernet_port_help\\Ethernet_Port_Trunking_Properties_page", 1);
}
