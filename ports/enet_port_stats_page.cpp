#include "ports/enet_port_stats_page.h"

#include "framework/sw/default_icons.h"
#include "framework/sw/help_engine.h"
#include "ports/port_list_rows.h"
#include "resources/port_view_ids.h"
#include "resources/port_view_templates.h"
#include "resources/resource_ids.h"

IMPLEMENT_DYNCREATE(CEnetPortStatsPage, CPropertyPage)

BEGIN_MESSAGE_MAP(CEnetPortStatsPage, CSwBasePropPage)
ON_BN_CLICKED(IDC_STATS_TABLE_VIEW, &CEnetPortStatsPage::OnViewClicked)
ON_BN_CLICKED(IDC_STATS_ITEM_VIEW, &CEnetPortStatsPage::OnViewClicked)
ON_BN_CLICKED(IDC_STATS_PHYSICAL, &CEnetPortStatsPage::OnKindClicked)
ON_BN_CLICKED(IDC_STATS_ETHERNET, &CEnetPortStatsPage::OnKindClicked)
ON_NOTIFY(LVN_ITEMCHANGED, IDC_STATS_LIST, &CEnetPortStatsPage::OnListItemChanged)
END_MESSAGE_MAP()

namespace {

constexpr const char* kEtherStatsIndex = "etherStatsIndex";
constexpr int kItemValueWidth = 100;

bool isEtherStatsIndex(const CString& variable) {
    return variable == kEtherStatsIndex;
}

CString numberText(long value) {
    CString text;
    text.Format("%d", static_cast<int>(value));
    return text;
}

}  // namespace

CEnetPortStatsPage::CEnetPortStatsPage()
    : CSwBasePropPage(static_cast<UINT>(
          torvik::ensureModuleTemplate(IDD_ENET_PORT_STATS, &torvik::enetPortStatsTemplate))) {}

CEnetPortStatsPage::~CEnetPortStatsPage() {
    if (m_icons) {
        ReleaseDefaultIcons();
    }
}

void CEnetPortStatsPage::DoDataExchange(CDataExchange* dx) {
    CSwBasePropPage::DoDataExchange(dx);
    DDX_Control(dx, IDC_STATS_LIST, m_list);
    DDX_Radio(dx, IDC_STATS_PHYSICAL, m_kind);
    DDX_Radio(dx, IDC_STATS_TABLE_VIEW, m_view);
}

BOOL CEnetPortStatsPage::OnInitDialog() {
    CSwBasePropPage::OnInitDialog();
    m_kind = kPhysicalPortStats;
    m_view = kTableView;
    GetDlgItem(IDC_STATS_ITEM_VIEW)->EnableWindow(FALSE);
    m_icons = GetDefaultIcons();
    m_list.SetImageList(m_icons, 1);
    m_list.SortOnColumn(0, 1);
    UpdateData(FALSE);
    return TRUE;
}

void CEnetPortStatsPage::InitPage() {
    CListData& physical = m_physicalStats;
    physical.Add("Slot", 34, 'R', "phyPortSlot", "Slot");
    physical.Add("Port", 34, 'R', "phyPortIF", "Port");
    physical.Add("FramesIn", 70, 'R', "phyPortFrameIns", "Frames In");
    physical.Add("FramesOut", 70, 'R', "phyPortFrameOuts", "Frames Out");
    physical.Add("OctetsIn", 70, 'R', "phyPortInOctets", "Octets In");
    physical.Add("OctetsOut", 70, 'R', "phyPortOutOctets", "Octets Out");
    physical.Add("UCastPktsIn", 100, 'R', "phyPortInUcastPkts", "UniCast Packets In");
    physical.Add("UCastPktsOut", 100, 'R', "phyPortOutUcastPkts", "UniCast Packets Out");
    physical.Add("NonUCastPktsIn", 100, 'R', "phyPortInNUcastPkts", "Non-UniCastPackets In");
    physical.Add("NonUCastPktsOut", 100, 'R', "phyPortOutNUcastPkts", "Non-UniCastPackets Out");
    physical.Add("BufDiscardsIn", 90, 'R', "phyPortInBufDiscs", "Buffer Discards In");
    physical.Add("BufDiscardsOut", 90, 'R', "phyPortOutBufDiscs", "Buffer Discards Out");
    physical.Add("ErrDiscardsIn", 90, 'R', "phyPortInErrDiscs", "Error Discards In");
    physical.Add("ErrDiscardsOut", 90, 'R', "phyPortOutErrDiscs", "Error Discards Out");
    m_descriptions.Add(&m_physicalStats);

    CListData& ethernet = m_ethernetStats;
    ethernet.Add("Slot", 34, 'R', kEtherStatsIndex, "Slot");
    ethernet.Add("Port", 34, 'R', kEtherStatsIndex, "Port");
    ethernet.Add("Octets", 60, 'R', "etherStatsOctets", "Octets");
    ethernet.Add("Packets", 60, 'R', "etherStatsPkts", "Packets");
    ethernet.Add("BcastPkts", 60, 'R', "etherStatsBroadcastPkts", "Broadcast Packets");
    ethernet.Add("MulticastPkts", 80, 'R', "etherStatsMulticastPkts", "Multicast Packets");
    ethernet.Add("DropEvents", 70, 'R', "etherStatsDropEvents", "Drop Events");
    ethernet.Add("CRCErrors", 70, 'R', "etherStatsCRCAlignErrors", "CRC Align Errors");
    ethernet.Add("UndersizePkts", 80, 'R', "etherStatsUndersizePkts", "Undersize Packets");
    ethernet.Add("OversizePkts", 80, 'R', "etherStatsOversizePkts", "Oversize Packets");
    ethernet.Add("Fragments", 70, 'R', "etherStatsFragments", "Fragments");
    ethernet.Add("Jabbers", 60, 'R', "etherStatsJabbers", "Jabbers");
    ethernet.Add("Collisions", 60, 'R', "etherStatsCollisions", "Collisions");
    ethernet.Add("Pkts64Octets", 80, 'R', "etherStatsPkts64Octets", "Packets of 64 or less Octets");
    ethernet.Add("Pkts65to127Octets", 110, 'R', "etherStatsPkts65to127Octets",
                 "Packets of 65 to 127 Octets");
    ethernet.Add("Pkts128to255Octets", 110, 'R', "etherStatsPkts128to255Octets",
                 "Packets of 128 to 255 Octets");
    ethernet.Add("Pkts256to511Octets", 110, 'R', "etherStatsPkts256to511Octets",
                 "Packets of 256 to 511 Octets");
    ethernet.Add("Pkts512to1023Octets", 120, 'R', "etherStatsPkts512to1023Octets",
                 "Packets of 512 to 1023 Octets");
    ethernet.Add("Pkts1024to1518Octets", 130, 'R', "etherStatsPkts1024to1518Octets",
                 "Packets of 1024 to 1518 Octets");
    m_descriptions.Add(&m_ethernetStats);
}

long CEnetPortStatsPage::requestOf(int kind) const {
    if (kind < 0 || kind >= m_descriptions.GetSize()) {
        return 0;
    }
    return static_cast<CListData*>(m_descriptions.GetAt(kind))->GetRequestID();
}

void CEnetPortStatsPage::CreateRequests() {
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
    m_current = static_cast<CListData*>(m_descriptions.GetAt(kPhysicalPortStats));
    m_currentRequest = m_current->GetRequestID();
}

BOOL CEnetPortStatsPage::OnSetActive() {
    if (m_currentRequest > 0 && m_hold == 0) {
        // The first read goes out before polling starts, so that polling takes over its kind
        // of read (a single row for one port) instead of reading the whole table beside it.
        if (m_loaded == 0) {
            ReadCurrentTable();
        }
        for (int i = 0; i < m_descriptions.GetSize(); ++i) {
            const long h = static_cast<CListData*>(m_descriptions.GetAt(i))->GetRequestID();
            m_mibComm->SetPolling(h, 1, FALSE);
            if (h == m_currentRequest) {
                m_mibComm->StartPolling(h, TRUE);
            }
        }
    }
    return CSwBasePropPage::OnSetActive();
}

BOOL CEnetPortStatsPage::OnKillActive() {
    for (int i = 0; i < m_descriptions.GetSize(); ++i) {
        m_mibComm->StopPolling(static_cast<CListData*>(m_descriptions.GetAt(i))->GetRequestID());
    }
    return CSwBasePropPage::OnKillActive();
}

BOOL CEnetPortStatsPage::Refresh() {
    for (int i = 0; i < m_descriptions.GetSize(); ++i) {
        static_cast<CListData*>(m_descriptions.GetAt(i))->SetFresh(0);
    }
    m_loaded = 0;
    m_chosenRow = -1;
    ReadCurrentTable();
    return TRUE;
}

void CEnetPortStatsPage::ReadCurrentTable() {
    if (m_currentRequest <= 0) {
        return;
    }
    m_mibComm->SetReload(m_currentRequest, m_loaded != 0 ? 1 : 0);
    CreateWaitCursor();
    CUIntArray instance;
    if (m_view == kItemView) {
        if (m_kind == kEthernetStats) {
            instance.Add(static_cast<UINT>(m_chosenSlot * m_indexDivisor + m_chosenPort));
        } else {
            instance.Add(static_cast<UINT>(m_chosenSlot));
            instance.Add(static_cast<UINT>(m_chosenPort));
        }
        m_mibComm->SetInstance(m_currentRequest, &instance);
        m_mibComm->RequestRow(m_currentRequest);
        return;
    }
    if (m_kind == kPhysicalPortStats && GetSelectedPortCount() == 1) {
        CUIntArray ports;
        GetSelectedPorts(&ports);
        instance.Add(ports.GetAt(0) / 65536u);
        instance.Add(ports.GetAt(0) % 65536u);
        m_mibComm->SetInstance(m_currentRequest, &instance);
        m_mibComm->RequestRow(m_currentRequest);
        return;
    }
    m_mibComm->RequestTable(m_currentRequest);
}

void CEnetPortStatsPage::OnRequestDone(int h) {
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

void CEnetPortStatsPage::FillTableView() {
    if (!m_hWnd) {
        return;
    }
    BeginWaitCursor();
    m_list.ClearCtrl();
    m_list.SetColumnHdgs(m_current->GetColumnHdgs(), m_current->GetColumnWidths(),
                         m_current->GetColumnJustify());
    m_list.m_bTableMode = TRUE;
    m_list.m_bItemMode = FALSE;
    const long rows = m_mibComm->GetRowCount(m_currentRequest);
    const int variables = m_current->GetVarCount();
    for (long r = 0; r < rows; ++r) {
        if (!m_mibComm->GotoRow(m_currentRequest, r)) {
            AfxMessageBox("Unable to access database record", MB_OK, 0);
            EndWaitCursor();
            return;
        }
        int slot = 0;
        int port = 0;
        if (m_kind == kEthernetStats) {
            const long index = m_mibComm->GetInteger(m_currentRequest, kEtherStatsIndex);
            slot = SlotOfIndex(index);
            port = PortOfIndex(index);
        } else {
            slot = static_cast<int>(m_mibComm->GetInteger(m_currentRequest, "phyPortSlot"));
            port = static_cast<int>(m_mibComm->GetInteger(m_currentRequest, "phyPortIF"));
        }
        if (!IsPortSelected(slot, port, m_portType)) {
            continue;
        }
        const bool enabled = m_health && m_health->IsPortEnabled(slot, port);
        m_list.m_nItemImage = enabled ? sw::kIconPortEnabled : sw::kIconPortNotEnabled;
        CStringArray texts;
        for (int i = 0; i < variables; ++i) {
            const CString variable = m_current->GetAtVarName(i);
            if (isEtherStatsIndex(variable)) {
                texts.Add(numberText(i == 0 ? slot : port));
            } else {
                texts.Add(m_mibComm->GetValueText(m_currentRequest, variable, FALSE));
            }
        }
        m_list.AddItem(&texts);
    }
    m_list.SortOnColumn(1, 1);
    m_list.SortOnColumn(0, 1);
    if (m_chosenRow >= 0) {
        const int row = torvik::rowOfPort(m_list, m_chosenSlot, m_chosenPort);
        m_list.SelectItem(row >= 0 ? row : m_chosenRow, TRUE);
    }
    UpdateItemViewEnabling();
    UpdateData(FALSE);
    EndWaitCursor();
}

void CEnetPortStatsPage::FillItemView() {
    if (!m_hWnd) {
        return;
    }
    CStringArray headings;
    headings.Add("             Item            ");
    headings.Add(" Value ");
    m_list.ClearCtrl();
    m_list.SetColumnHdgs(&headings, nullptr, nullptr);
    m_list.SetColumnWidth(1, kItemValueWidth);
    m_list.JustifyColumn(1, 1);
    m_list.m_bTableMode = FALSE;
    m_list.m_bItemMode = TRUE;
    for (int i = 0; i < m_current->GetVarCount(); ++i) {
        const CString variable = m_current->GetAtVarName(i);
        CString value;
        if (isEtherStatsIndex(variable)) {
            const long index = m_mibComm->GetInteger(m_currentRequest, kEtherStatsIndex);
            value = numberText(i == 0 ? SlotOfIndex(index) : PortOfIndex(index));
        } else {
            value = m_mibComm->GetString(m_currentRequest, variable);
        }
        m_list.m_nItemImage =
            m_mibComm->IsStringVariable(variable) ? sw::kIconTextItem : sw::kIconCounter;
        CStringArray texts;
        texts.Add(m_current->GetAtItemString(i));
        texts.Add(value);
        m_list.AddItem(&texts);
    }
    UpdateData(FALSE);
}

void CEnetPortStatsPage::UpdateItemViewEnabling() {
    if (m_hWnd) {
        GetDlgItem(IDC_STATS_ITEM_VIEW)->EnableWindow(m_chosenRow >= 0 ? TRUE : FALSE);
    }
}

void CEnetPortStatsPage::OnListItemChanged(NMHDR* header, LRESULT* result) {
    *result = 0;
    const auto* change = reinterpret_cast<const NMLISTVIEW*>(header);
    const bool becameSelected =
        (change->uNewState & LVIS_SELECTED) != 0 && (change->uOldState & LVIS_SELECTED) == 0;
    if (!becameSelected || m_view != kTableView || change->iItem < 0) {
        return;
    }
    const int row = change->iItem;
    m_chosenSlot = static_cast<int>(afx::leadingNumber(m_list.GetColumnText(row, 0)));
    m_chosenPort = static_cast<int>(afx::leadingNumber(m_list.GetColumnText(row, 1)));
    m_chosenRow = row;
    UpdateItemViewEnabling();
    UpdateData(FALSE);
}

void CEnetPortStatsPage::OnViewClicked() {
    UpdateData(TRUE);
    UpdateItemViewEnabling();
    ReadCurrentTable();
}

void CEnetPortStatsPage::OnKindClicked() {
    UpdateData(TRUE);
    if (m_kind != kPhysicalPortStats && m_kind != kEthernetStats) {
        return;
    }
    const long oldRequest = m_currentRequest;
    m_current = static_cast<CListData*>(m_descriptions.GetAt(m_kind));
    m_currentRequest = m_current->GetRequestID();
    m_loaded = m_current->IsFresh();
    m_chosenRow = -1;
    m_view = kTableView;
    UpdateItemViewEnabling();
    UpdateData(FALSE);
    m_mibComm->StopPolling(oldRequest);
    // Read before polling starts, as on activation: polling then follows this read.
    ReadCurrentTable();
    m_mibComm->StartPolling(m_currentRequest, TRUE);
}

void CEnetPortStatsPage::ReleaseRequests() {
    for (int i = 0; i < m_descriptions.GetSize(); ++i) {
        auto* description = static_cast<CListData*>(m_descriptions.GetAt(i));
        m_mibComm->ReleaseRequest(description->GetRequestID());
        description->SetRequestID(0);
    }
    m_currentRequest = 0;
}

void CEnetPortStatsPage::OnHelp() {
    HelpEngine("Ethernet_port_help\\ethernet_port_stats_page", 1);
}

CString CEnetPortStatsPage::CreateDragDropString(int item) {
    if (!m_current || item < 0 || item >= m_current->GetVarCount()) {
        return CString();
    }
    const CString variable = m_current->GetAtVarName(item);
    if (m_mibComm->IsStringVariable(variable)) {
        return CString();
    }
    const CString label = m_list.GetColumnText(item, 0);
    const CString value = m_list.GetColumnText(item, 1);
    CStringArray indexTexts;
    if (m_kind == kEthernetStats) {
        indexTexts.Add(numberText(m_chosenSlot * m_indexDivisor + m_chosenPort));
    } else {
        indexTexts.Add(numberText(m_chosenSlot));
        indexTexts.Add(numberText(m_chosenPort));
    }
    return CreateDragDropStringHelper(m_agentAddress, variable, value, &indexTexts, label,
                                      "Ethernet", m_chosenSlot, m_chosenPort, 0);
}
