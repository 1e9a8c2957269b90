#include "ports/enet_port_general_page.h"

#include "framework/afx/ddx.h"
#include "framework/sw/help_engine.h"
#include "framework/sw/sw_property_sheet.h"
#include "resources/resource_ids.h"

IMPLEMENT_DYNCREATE(CEnetPortGeneralPage, CPropertyPage)

CEnetPortGeneralPage::CEnetPortGeneralPage() : CSwBasePropPage(IDD_ENET_PORT_GENERAL) {}

CEnetPortGeneralPage::~CEnetPortGeneralPage() {
    m_chassisAccess.reset();
    if (m_ownedChassisInfo) {
        m_ownedChassisInfo.reset();
        if (m_sheet) {
            m_sheet->SetChassisInfoObject(nullptr);
        }
    }
}

void CEnetPortGeneralPage::DoDataExchange(CDataExchange* dx) {
    CSwBasePropPage::DoDataExchange(dx);
    DDX_Text(dx, IDC_GENERAL_IP_ADDRESS, m_ipAddress);
    DDX_Text(dx, IDC_GENERAL_SLOT, m_slotText);
    DDX_Text(dx, IDC_GENERAL_PORT, m_portText);
    DDX_Text(dx, IDC_GENERAL_PORT_TYPE, m_portType);
    DDX_Text(dx, IDC_GENERAL_DESCRIPTION, m_description);
}

void CEnetPortGeneralPage::ShowTexts() {
    if (m_hWnd) {  // before the first activation the texts wait for OnInitDialog
        UpdateData(FALSE);
    }
}

BOOL CEnetPortGeneralPage::OnInitDialog() {
    CSwBasePropPage::OnInitDialog();
    ShowTexts();
    return TRUE;
}

void CEnetPortGeneralPage::CreateRequests() {
    if (!m_agent) {
        return;
    }
    if (!m_chassisAccess) {
        m_chassisAccess = std::make_unique<CChassisAccess>(nullptr);
        m_chassisAccess->SetMibComm(m_mibComm);
        m_chassisAccess->m_selector = -1;
    }
    if (!m_ownedChassisInfo) {
        m_ownedChassisInfo = std::make_unique<CNxChassisInfo>(nullptr);
        if (m_sheet) {
            m_sheet->SetChassisInfoObject(m_ownedChassisInfo.get());
        } else {
            m_chassisInfo = m_ownedChassisInfo.get();  // no sheet to hand it round
        }
    }
    m_ipAddress = m_agentAddress;
    m_slotText.Format("%d", m_slot);
    m_portText.Format("%d", m_port);
    ShowTexts();
}

BOOL CEnetPortGeneralPage::OnSetActive() {
    if (m_loaded == 0 && m_hold == 0) {
        Refresh();
    }
    return CSwBasePropPage::OnSetActive();
}

BOOL CEnetPortGeneralPage::Refresh() {
    if (m_chassisAccess) {
        CreateWaitCursor();
        m_chassisAccess->AccessChassis();
    }
    return TRUE;
}

void CEnetPortGeneralPage::OnRequestDone(int h) {
    if (!m_chassisAccess || !m_chassisAccess->HasResponded(h)) {
        return;
    }
    // The type comes from the port table: when that read failed the page stays unloaded, so
    // the next activation reads again instead of showing an empty type for good.
    if (m_mibComm->GetErrorCode(m_chassisAccess->portRequest()) != 0 || !m_chassisInfo ||
        !m_chassisAccess->LoadChassisInfo(m_chassisInfo)) {
        return;
    }
    const int type = m_chassisInfo->GetPortType(m_slot, m_port);
    m_portType = m_mibComm->GetEnumText("PortName", static_cast<short>(type));
    m_description = m_mibComm->GetEnumText("PortDesc", static_cast<short>(type));
    m_loaded = 1;
    ShowTexts();
}

void CEnetPortGeneralPage::OnError(int h) {
    if (m_chassisAccess) {
        m_chassisAccess->HasResponded(h);
    }
}

void CEnetPortGeneralPage::ReleaseRequests() {}

void CEnetPortGeneralPage::OnHelp() {
    HelpEngine("Ethernet_port_help\\ethernet_port_general_page", 1);
}
