#include "config/enet_macs_page.h"

#include "framework/sw/default_icons.h"
#include "framework/sw/help_engine.h"
#include "resources/macs_page_ids.h"
#include "resources/resource_ids.h"

IMPLEMENT_DYNCREATE(CEnetMACsPage, CPropertyPage)

BEGIN_MESSAGE_MAP(CEnetMACsPage, CSwTableItemPage)
ON_BN_CLICKED(IDC_MACS_TABLE_VIEW, &CEnetMACsPage::OnViewClicked)
ON_BN_CLICKED(IDC_MACS_ITEM_VIEW, &CEnetMACsPage::OnViewClicked)
ON_BN_CLICKED(IDC_MACS_IP_TO_MAC, &CEnetMACsPage::OnKindClicked)
ON_BN_CLICKED(IDC_MACS_FORWARDING, &CEnetMACsPage::OnKindClicked)
ON_NOTIFY(LVN_ITEMCHANGED, IDC_MACS_LIST, &CEnetMACsPage::OnListItemChanged)
END_MESSAGE_MAP()

// Address tables are read when shown, not polled; their rows are addressed by the texts of
// their first two cells (IP and MAC, or group and MAC), and carry no drag string.
CEnetMACsPage::CEnetMACsPage()
    : CSwTableItemPage(IDD_ENET_MACS, {.listId = IDC_MACS_LIST,
                                       .firstKindId = IDC_MACS_IP_TO_MAC,
                                       .tableViewId = IDC_MACS_TABLE_VIEW,
                                       .itemViewId = IDC_MACS_ITEM_VIEW,
                                       .counterImage = sw::kIconItem,
                                       .multiSelectInTable = TRUE,
                                       .multiSelectInItem = FALSE,
                                       .polls = false}) {}

void CEnetMACsPage::InitPage() {
    CListData& ip = m_ipToMac;
    ip.Add("Address", 100, 'L', "norixIpAssocAddr", "IP Address");
    ip.Add("MAC", 80, 'L', "norixIpAssocMac", "MAC Address");
    ip.Add("Slot", 40, 'R', "norixIpAssocSlot", "Slot");
    ip.Add("Port", 40, 'R', "norixIpAssocIntf", "Port");
    ip.Add("DupMAC", 80, 'L', "norixIpAssocDupMac", "Duplicate MAC");
    ip.Add("DupSlot", 60, 'R', "norixIpAssocDupSlot", "Duplicate Slot");
    ip.Add("DupPort", 60, 'R', "norixIpAssocDupIntf", "Duplicate Port");
    AddDescription(&m_ipToMac);

    CListData& fdb = m_forwarding;
    fdb.Add("Group", 50, 'R', "vBrdgTpFdbGroupId", "Group");
    fdb.Add("Address", 88, 'L', "vBrdgTpFdbAddress", "Address");
    fdb.Add("Slot", 34, 'R', "vBrdgTpFdbRcvPortSlot", "Slot");
    fdb.Add("Port", 34, 'R', "vBrdgTpFdbRcvPortIF", "Port");
    fdb.Add("Service", 60, 'L', "vBrdgTpFdbRcvPortFuncTyp", "Service");
    fdb.Add("Inst", 34, 'R', "vBrdgTpFdbRcvPortFuncTypInst", "Instance");
    fdb.Add("Status", 60, 'L', "vBrdgTpFdbRcvStatus", "Status");
    fdb.Add("VLANs", 80, 'R', "vBrdgTpFdbRcvVLANMembership", "VLAN Membership");
    fdb.Add("DupMAC", 80, 'L', "vBrdgTpFdbDupStatus", "Duplicate MAC");
    AddDescription(&m_forwarding);
}

bool CEnetMACsPage::RowPort(sw::SlotPort* port) {
    const bool ip = kind() == kIpToMac;
    const long h = currentRequest();
    port->slot = static_cast<int>(
        m_mibComm->GetInteger(h, ip ? "norixIpAssocSlot" : "vBrdgTpFdbRcvPortSlot"));
    port->port =
        static_cast<int>(m_mibComm->GetInteger(h, ip ? "norixIpAssocIntf" : "vBrdgTpFdbRcvPortIF"));
    return true;
}

// Port order, slot major; the forwarding table's addresses keep group order within a port.
void CEnetMACsPage::SortTable() {
    if (kind() == kForwarding) {
        m_list.SortOnColumn(0, 1);
    }
    m_list.SortOnColumn(3, 1);
    m_list.SortOnColumn(2, 1);
}

void CEnetMACsPage::OnHelp() {
    HelpEngine("Ethernet_port_help\\ethernet_port_macs_page", 1);
}
