#include "ports/enet_port_stats_page.h"

#include "framework/sw/help_engine.h"
#include "resources/port_view_ids.h"
#include "resources/resource_ids.h"

IMPLEMENT_DYNCREATE(CEnetPortStatsPage, CPropertyPage)

BEGIN_MESSAGE_MAP(CEnetPortStatsPage, CSwTableItemPage)
ON_BN_CLICKED(IDC_STATS_TABLE_VIEW, &CEnetPortStatsPage::OnViewClicked)
ON_BN_CLICKED(IDC_STATS_ITEM_VIEW, &CEnetPortStatsPage::OnViewClicked)
ON_BN_CLICKED(IDC_STATS_PHYSICAL, &CEnetPortStatsPage::OnKindClicked)
ON_BN_CLICKED(IDC_STATS_ETHERNET, &CEnetPortStatsPage::OnKindClicked)
ON_NOTIFY(LVN_ITEMCHANGED, IDC_STATS_LIST, &CEnetPortStatsPage::OnListItemChanged)
END_MESSAGE_MAP()

namespace {

constexpr const char* kEtherStatsIndex = "etherStatsIndex";

}  // namespace

CEnetPortStatsPage::CEnetPortStatsPage()
    : CSwTableItemPage(IDD_ENET_PORT_STATS, {.listId = IDC_STATS_LIST,
                                             .firstKindId = IDC_STATS_PHYSICAL,
                                             .tableViewId = IDC_STATS_TABLE_VIEW,
                                             .itemViewId = IDC_STATS_ITEM_VIEW,
                                             .sourceWord = "Ethernet"}) {}

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
    AddDescription(&m_physicalStats);

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
    AddDescription(&m_ethernetStats);
}

bool CEnetPortStatsPage::RowPort(sw::SlotPort* port) {
    const long h = currentRequest();
    if (kind() == kEthernetStats) {
        const long index = m_mibComm->GetInteger(h, kEtherStatsIndex);
        *port = {static_cast<int>(index / m_indexDivisor),
                 static_cast<int>(index % m_indexDivisor)};
    } else {
        *port = {static_cast<int>(m_mibComm->GetInteger(h, "phyPortSlot")),
                 static_cast<int>(m_mibComm->GetInteger(h, "phyPortIF"))};
    }
    return true;
}

// etherStatsIndex holds slot * 1000 + port: column 0 shows the slot, column 1 the port.
CString CEnetPortStatsPage::IndexPart(int column) {
    const long index = m_mibComm->GetInteger(currentRequest(), kEtherStatsIndex);
    return numberText(column == 0 ? index / m_indexDivisor : index % m_indexDivisor);
}

CString CEnetPortStatsPage::CellText(int column, const CString& variable) {
    return variable == kEtherStatsIndex
               ? IndexPart(column)
               : m_mibComm->GetValueText(currentRequest(), variable, FALSE);
}

CString CEnetPortStatsPage::ItemValue(int item, const CString& variable) {
    return variable == kEtherStatsIndex ? IndexPart(item)
                                        : m_mibComm->GetString(currentRequest(), variable);
}

BOOL CEnetPortStatsPage::AddressChosenRow() {
    CUIntArray instance;
    if (kind() == kEthernetStats) {
        instance.Add(static_cast<UINT>(chosenNumber(0) * m_indexDivisor + chosenNumber(1)));
    } else {
        instance.Add(static_cast<UINT>(chosenNumber(0)));
        instance.Add(static_cast<UINT>(chosenNumber(1)));
    }
    m_mibComm->SetInstance(currentRequest(), &instance);
    return TRUE;
}

void CEnetPortStatsPage::StartTableRead() {
    // One physical port is read as its row, not as the whole table.
    if (kind() == kPhysicalPortStats && GetSelectedPortCount() == 1) {
        CUIntArray ports;
        GetSelectedPorts(&ports);
        CUIntArray instance;
        instance.Add(ports.GetAt(0) / 65536u);
        instance.Add(ports.GetAt(0) % 65536u);
        m_mibComm->SetInstance(currentRequest(), &instance);
        m_mibComm->RequestRow(currentRequest());
        return;
    }
    CSwTableItemPage::StartTableRead();
}

void CEnetPortStatsPage::DragIndex(CStringArray* indexTexts, int* slot, int* port) {
    CSwTableItemPage::DragIndex(indexTexts, slot, port);
    if (kind() == kEthernetStats) {
        indexTexts->RemoveAll();
        indexTexts->Add(numberText(*slot * m_indexDivisor + *port));
    }
}

void CEnetPortStatsPage::OnHelp() {
    HelpEngine("Ethernet_port_help\\ethernet_port_stats_page", 1);
}
