#include "expander/exp_port_browser_page.h"

#include <memory>

#include "expander/exp_segment_descr_dialog.h"
#include "frame/module_instance.h"
#include "framework/afx/app.h"
#include "framework/afx/ddx.h"
#include "framework/sw/default_icons.h"
#include "framework/sw/help_engine.h"
#include "framework/sw/list_rows.h"
#include "framework/sw/sw_functions.h"
#include "framework/sw/sw_property_sheet.h"
#include "resources/expander_page_ids.h"
#include "resources/resource_ids.h"

IMPLEMENT_DYNCREATE(CExpPortBrowserPage, CPropertyPage)

BEGIN_MESSAGE_MAP(CExpPortBrowserPage, CSwBasePropPage)
ON_NOTIFY(LVN_ITEMCHANGED, IDC_EXPBROWSER_SEGMENT_LIST, &CExpPortBrowserPage::OnSegmentItemChanged)
ON_BN_CLICKED(IDC_EXPBROWSER_MODIFY, &CExpPortBrowserPage::OnModify)
END_MESSAGE_MAP()

namespace {

constexpr const char* kBank = "tarvoPortGroupIndex";
constexpr const char* kPort = "tarvoPortIndex";
constexpr const char* kSegment = "tarvoPortSegment";
constexpr const char* kAdminStatus = "tarvoPortAdminStatus";
constexpr const char* kUplinkStatus = "tarvoPortUplinkStatus";
constexpr const char* kSegmentIndex = "tarvoPortSegmentIndex";
constexpr const char* kSegmentDescr = "tarvoPortSegmentDescr";
constexpr long kEnabled = 1;
constexpr long kPortsPerBank = 12;

}  // namespace

CExpPortBrowserPage::CExpPortBrowserPage() : CSwBasePropPage(IDD_EXP_PORT_BROWSER) {}

CExpPortBrowserPage::~CExpPortBrowserPage() = default;

void CExpPortBrowserPage::DoDataExchange(CDataExchange* dx) {
    CSwBasePropPage::DoDataExchange(dx);
    DDX_Control(dx, IDC_EXPBROWSER_SEGMENT_LIST, m_segmentList);
    DDX_Control(dx, IDC_EXPBROWSER_PORT_LIST, m_portList);
}

BOOL CExpPortBrowserPage::OnInitDialog() {
    CSwBasePropPage::OnInitDialog();
    SetDlgItemText(IDC_EXPBROWSER_PORTS_LABEL, "");
    m_portList.SetImageList(m_icons.acquire(), 1);
    m_portList.m_bTableMode = TRUE;
    m_segmentList.SetImageList(m_icons.get(), 1);
    m_segmentList.m_bTableMode = TRUE;
    m_segmentList.m_nItemImage = sw::kIconSegment;
    m_segmentList.SortOnColumn(0, 1);
    UpdateData(FALSE);
    return TRUE;
}

void CExpPortBrowserPage::InitPage() {
    m_segmentListData.Add("Segment", 60, 'R', kSegmentIndex, "");
    m_segmentListData.Add("Description", 190, 'L', kSegmentDescr, "");
    m_portListData.Add("Bank", 40, 'R', kBank, "");
    m_portListData.Add("Port", 34, 'R', kPort, "");
    m_portListData.Add("AdminStatus", 80, 'L', kAdminStatus, "");
    m_portListData.Add("Uplink", 50, 'L', kUplinkStatus, "");
    // Read only to choose the rows; never shown.
    m_portListData.Add("", 0, 'c', kSegment, "");
}

void CExpPortBrowserPage::CreateRequests() {
    if (!m_agent) {
        return;
    }
    if (m_portsRequest == 0) {
        m_portsRequest = m_mibComm->OpenListRequest(0, "", m_portListData.GetVarList());
    }
    if (m_segmentsRequest == 0) {
        m_segmentsRequest = m_mibComm->OpenListRequest(0, "", m_segmentListData.GetVarList());
    }
}

BOOL CExpPortBrowserPage::OnSetActive() {
    if (m_portsRequest > 0 && m_segmentsRequest > 0 && m_loaded == 0 && m_hold == 0) {
        Refresh();
    }
    return CSwBasePropPage::OnSetActive();
}

BOOL CExpPortBrowserPage::Refresh() {
    m_portsLoaded = 0;
    m_segmentsLoaded = 0;
    m_loaded = 0;
    // A re-read after a description change that never arrived must not cost this one its
    // ports.
    m_descriptionChanged = 0;
    m_mibComm->SetReload(m_portsRequest, FALSE);
    m_mibComm->SetReload(m_segmentsRequest, FALSE);
    m_segmentRow = -1;
    CreateWaitCursor();
    m_mibComm->RequestTable(m_segmentsRequest);
    return TRUE;
}

void CExpPortBrowserPage::SetAttachedPortsLabel() {
    CString label;
    label.Format("Segment %d  Attached Ports", m_currentSegment);
    SetDlgItemText(IDC_EXPBROWSER_PORTS_LABEL, label);
}

void CExpPortBrowserPage::FillSegmentList() {
    if (!m_hWnd) {
        return;
    }
    m_segmentList.ClearCtrl();
    m_segmentList.SetColumnHdgs(m_segmentListData.GetColumnHdgs(),
                                m_segmentListData.GetColumnWidths(),
                                m_segmentListData.GetColumnJustify());
    const long rows = m_mibComm->GetRowCount(m_segmentsRequest);
    const int variables = m_segmentListData.GetVarCount();
    for (long r = 0; r < rows; ++r) {
        if (!m_mibComm->GotoRow(m_segmentsRequest, r)) {
            AfxMessageBox("Unable to access segment record", MB_OK);
            return;
        }
        if (m_mibComm->GetInteger(m_segmentsRequest, kSegmentIndex) == m_currentSegment) {
            m_segmentRow = static_cast<int>(r);
        }
        CStringArray texts;
        for (int i = 0; i < variables; ++i) {
            texts.Add(m_mibComm->GetString(m_segmentsRequest, m_segmentListData.GetAtVarName(i)));
        }
        m_segmentList.AddItem(&texts);
    }
    if (m_segmentRow >= 0) {
        m_segmentList.SelectItem(m_segmentRow, TRUE);
        SetAttachedPortsLabel();
    }
    m_segmentList.ReSort();
    if (m_descriptionChanged) {
        m_descriptionChanged = 0;
    } else {
        CreateWaitCursor();
        m_mibComm->RequestTable(m_portsRequest);
    }
    UpdateData(FALSE);
}

void CExpPortBrowserPage::ListAttachedPorts() {
    if (!m_hWnd) {
        return;
    }
    m_portList.ClearCtrl();
    m_portList.SetColumnHdgs(m_portListData.GetColumnHdgs(), m_portListData.GetColumnWidths(),
                             m_portListData.GetColumnJustify());
    m_portList.m_bMultiSelect = FALSE;
    const long rows = m_mibComm->GetRowCount(m_portsRequest);
    const int shown = m_portListData.GetVarCount() - 1;  // the segment column stays hidden
    for (long r = 0; r < rows; ++r) {
        if (!m_mibComm->GotoRow(m_portsRequest, r)) {
            AfxMessageBox("Unable to access portmapping record", MB_OK);
            break;
        }
        if (m_mibComm->GetInteger(m_portsRequest, kSegment) != m_currentSegment) {
            continue;
        }
        const long bank = m_mibComm->GetInteger(m_portsRequest, kBank);
        const long port = m_mibComm->GetInteger(m_portsRequest, kPort);
        if (bank < 1 || port < 1 || port > kPortsPerBank) {
            continue;  // not a port the module can have
        }
        const bool enabled = m_mibComm->GetInteger(m_portsRequest, kAdminStatus) == kEnabled;
        m_portList.m_nItemImage = enabled ? sw::kIconPortEnabled : sw::kIconPortNotEnabled;
        CStringArray texts;
        for (int i = 0; i < shown; ++i) {
            texts.Add(m_mibComm->GetString(m_portsRequest, m_portListData.GetAtVarName(i)));
        }
        m_portList.AddItem(&texts);
    }
    sw::sortBySlotAndPort(m_portList);
    UpdateData(FALSE);
}

void CExpPortBrowserPage::OnRequestDone(int h) {
    if (h <= 0) {
        return;
    }
    if (h == m_portsRequest) {
        ListAttachedPorts();
        m_portsLoaded = 1;
    } else if (h == m_segmentsRequest) {
        FillSegmentList();
        m_segmentsLoaded = 1;
    }
    if (m_portsLoaded && m_segmentsLoaded) {
        m_loaded = 1;
        SetClean(TRUE);
    }
}

void CExpPortBrowserPage::OnError(int h) {
    // A failed read leaves the page unloaded; the operator is told once, and the next
    // activation reads again.
    CSwBasePropPage::OnError(h);
}

void CExpPortBrowserPage::OnSegmentItemChanged(NMHDR* header, LRESULT* result) {
    *result = 0;
    const auto* change = reinterpret_cast<const NMLISTVIEW*>(header);
    if (!sw::rowIsSelected(*change)) {
        return;
    }
    const int segment =
        static_cast<int>(afx::leadingNumber(m_segmentList.GetColumnText(change->iItem, 0)));
    if (segment != m_currentSegment) {
        m_currentSegment = segment;
        m_segmentRow = change->iItem;
        m_portList.DeleteAllItems();
        SetAttachedPortsLabel();
        CreateWaitCursor();
        m_mibComm->SetReload(m_portsRequest, TRUE);
        m_mibComm->RequestTable(m_portsRequest);
    }
    UpdateData(FALSE);
}

void CExpPortBrowserPage::OnModify() {
    if (m_sheet) {
        m_sheet->Shrink();
    }
    const HINSTANCE previous = AfxGetResourceHandle();
    if (HINSTANCE module = TorvikInstanceHandle()) {
        AfxSetResourceHandle(module);
    }
    auto dialog = std::make_unique<CExpSegmentDescrDialog>(nullptr);
    dialog->SetAgent(m_agent);
    CUIntArray index;
    index.Add(static_cast<UINT>(m_currentSegment));
    dialog->SetIndexValues(&index);
    dialog->DoModal();
    if (IsValidWindow(this)) {
        AfxSetResourceHandle(previous);
        if (m_sheet) {
            m_sheet->Expand();
        }
        if (dialog->WasModified()) {
            m_descriptionChanged = 1;
            m_mibComm->SetReload(m_segmentsRequest, FALSE);
            CreateWaitCursor();
            m_mibComm->RequestTable(m_segmentsRequest);
        }
    }
}

void CExpPortBrowserPage::ReleaseRequests() {
    m_mibComm->ReleaseRequest(m_portsRequest);
    m_mibComm->ReleaseRequest(m_segmentsRequest);
    m_portsRequest = 0;
    m_segmentsRequest = 0;
}

void CExpPortBrowserPage::OnHelp() {
    HelpEngine("TarvoPort_Help\\TarvoPort_Browser_Page", 1);
}
