#include "expander/exp_port_general_page.h"

#include "framework/afx/ddx.h"
#include "framework/sw/help_engine.h"
#include "framework/sw/sw_property_sheet.h"
#include "resources/expander_page_ids.h"
#include "resources/resource_ids.h"

IMPLEMENT_DYNCREATE(CExpPortGeneralPage, CPropertyPage)

namespace {
constexpr const char* kContents = "chasNorixContents";
}  // namespace

CExpPortGeneralPage::CExpPortGeneralPage() : CSwBasePropPage(IDD_EXP_PORT_GENERAL) {}

CExpPortGeneralPage::~CExpPortGeneralPage() {
    if (m_ownChassisInfo) {
        m_ownChassisInfo.reset();
        if (m_sheet) {
            m_sheet->SetChassisInfoObject(nullptr);
        }
    }
}

void CExpPortGeneralPage::DoDataExchange(CDataExchange* dx) {
    CSwBasePropPage::DoDataExchange(dx);
    DDX_Text(dx, IDC_EXPGEN_PORT, m_portText);
    DDX_Text(dx, IDC_EXPGEN_PORT_TYPE, m_portTypeText);
    DDX_Text(dx, IDC_EXPGEN_IP_ADDRESS, m_addressText);
}

BOOL CExpPortGeneralPage::OnInitDialog() {
    CSwBasePropPage::OnInitDialog();
    UpdateData(FALSE);
    return TRUE;
}

void CExpPortGeneralPage::CreateRequests() {
    if (!m_agent) {
        return;
    }
    if (!m_ownChassisInfo) {
        m_ownChassisInfo = std::make_unique<CNxChassisInfo>(nullptr);
        if (m_sheet) {
            m_sheet->SetChassisInfoObject(m_ownChassisInfo.get());
        } else {
            m_chassisInfo = m_ownChassisInfo.get();
        }
    }
    m_portText.Format("%d", m_port);
    m_addressText = m_agentAddress;
    if (m_request == 0) {
        const LPCTSTR names[] = {kContents};
        m_request = m_mibComm->OpenRequest(0, "chasStatus", names, 1);
        m_mibComm->SetReload(m_request, -1);
    }
    if (m_hWnd) {
        UpdateData(FALSE);
    }
}

BOOL CExpPortGeneralPage::OnSetActive() {
    if (m_request > 0 && m_loaded == 0 && m_hold == 0) {
        Refresh();
    }
    return CSwBasePropPage::OnSetActive();
}

BOOL CExpPortGeneralPage::Refresh() {
    CreateWaitCursor();
    m_mibComm->RequestRow(m_request);
    return TRUE;
}

bool CExpPortGeneralPage::loadContents() {
    BYTE buffer[kContentsBufferSize] = {};
    const long length = m_mibComm->GetOctets(m_request, kContents, buffer, kContentsBufferSize);
    if (length <= 0) {
        // An empty value leaves the description as it was; one too long for the buffer
        // cannot be taken at all.
        if (m_mibComm->GetErrorCode(m_request) == 0) {
            return true;
        }
        MessageBox("Unable to access chassis contents:\n" + m_mibComm->GetErrorText(m_request),
                   "Error", MB_OK);
        return false;
    }
    // Exactly the bytes read: a value cut short or with bytes after its last record is
    // refused instead of being completed from the rest of the buffer.
    if (!m_chassisInfo || !m_chassisInfo->LoadContents(buffer, static_cast<int>(length))) {
        MessageBox("Unable to access chassis contents:\n" +
                       (m_chassisInfo ? m_chassisInfo->LastError() : CString("no description")),
                   "Error", MB_OK);
        return false;
    }
    return true;
}

void CExpPortGeneralPage::OnRequestDone(int h) {
    if (h != m_request || h <= 0) {
        return;
    }
    if (loadContents() && m_chassisInfo) {
        const int type = m_chassisInfo->GetPortType(m_slot, m_port);
        m_portTypeText = m_mibComm->GetEnumText("PortName", static_cast<short>(type));
    } else {
        m_portTypeText.Empty();
    }
    if (m_hWnd) {
        UpdateData(FALSE);
    }
    m_loaded = 1;
}

void CExpPortGeneralPage::ReleaseRequests() {
    m_mibComm->ReleaseRequest(m_request);
    m_request = 0;
}

void CExpPortGeneralPage::OnHelp() {
    HelpEngine("Ethernet_port_help\\General_Port_Prop", 1);
}
