#include "expander/exp_port_stats_page.h"

#include "framework/sw/default_icons.h"
#include "framework/sw/help_engine.h"
#include "resources/exp_port_stats_ids.h"
#include "resources/resource_ids.h"

IMPLEMENT_DYNCREATE(CExpPortStatsPage, CPropertyPage)

BEGIN_MESSAGE_MAP(CExpPortStatsPage, CSwTableItemPage)
ON_BN_CLICKED(IDC_EXP_STATS_TABLE_VIEW, &CExpPortStatsPage::OnViewClicked)
ON_BN_CLICKED(IDC_EXP_STATS_ITEM_VIEW, &CExpPortStatsPage::OnViewClicked)
ON_BN_CLICKED(IDC_EXP_STATS_BANK, &CExpPortStatsPage::OnKindClicked)
ON_BN_CLICKED(IDC_EXP_STATS_PORT, &CExpPortStatsPage::OnKindClicked)
ON_BN_CLICKED(IDC_EXP_STATS_ERRORS, &CExpPortStatsPage::OnKindClicked)
ON_NOTIFY(LVN_ITEMCHANGED, IDC_EXP_STATS_LIST, &CExpPortStatsPage::OnListItemChanged)
END_MESSAGE_MAP()

CExpPortStatsPage::CExpPortStatsPage()
    : CSwTableItemPage(IDD_EXP_PORT_STATS, {.listId = IDC_EXP_STATS_LIST,
                                            .firstKindId = IDC_EXP_STATS_BANK,
                                            .tableViewId = IDC_EXP_STATS_TABLE_VIEW,
                                            .itemViewId = IDC_EXP_STATS_ITEM_VIEW,
                                            .itemHeading = "           Item        ",
                                            .valueHeading = "     Value ",
                                            .valueWidth = 0,
                                            .counterImage = sw::kIconCounter,
                                            .multiSelectInTable = TRUE,
                                            .multiSelectInItem = TRUE,
                                            .polls = true,
                                            .unreachableText = "Unable to access tarvoport record",
                                            .unreachableCaption = "Error",
                                            .sourceWord = "TarvoPort"}) {}

void CExpPortStatsPage::InitPage() {
    CListData& port = m_portStats;
    port.Add("Bank", 40, 'R', "rptrMonitorPortGroupIndex", "Bank");
    port.Add("Port", 34, 'R', "rptrMonitorPortIndex", "Port");
    port.Add("RdFrames", 80, 'R', "rptrMonitorPortReadableFrames", "Readable Frames");
    port.Add("RdOctets", 80, 'R', "rptrMonitorPortReadableOctets", "Readable Octets");
    port.Add("FCSErrors", 60, 'R', "rptrMonitorPortFCSErrors", "FCS Errors");
    port.Add("AlignErrors", 70, 'R', "rptrMonitorPortAlignmentErrors", "Alignment Errors");
    port.Add("TooLongs", 60, 'R', "rptrMonitorPortFrameTooLongs", "Frame Too Long");
    port.Add("ShortEvents", 70, 'R', "rptrMonitorPortShortEvents", "Short Events");
    port.Add("Runts", 60, 'R', "rptrMonitorPortRunts", "Runts");
    port.Add("Collisions", 60, 'R', "rptrMonitorPortCollisions", "Collisions");
    port.Add("LateEvents", 70, 'R', "rptrMonitorPortLateEvents", "Late Events");
    port.Add("VeryLong", 60, 'R', "rptrMonitorPortVeryLongEvents", "Very Long Events");
    port.Add("DataRateMisMatch", 110, 'R', "rptrMonitorPortDataRateMismatches",
             "Data Rate Mismatches");
    port.Add("AutoPartitions", 90, 'R', "rptrMonitorPortAutoPartitions", "Auto Partitions");
    AddDescription(&m_portStats);

    CListData& frames = m_portFrames;
    frames.Add("Bank", 40, 'R', "rptrMonitorPortGroupIndex", "Bank");
    frames.Add("Port", 34, 'R', "rptrMonitorPortIndex", "Port");
    frames.Add("ReadableFrames", 100, 'R', "rptrMonitorPortReadableFrames", "Readable Frames");
    AddDescription(&m_portFrames);

    CListData& bank = m_bankStats;
    bank.Add("Bank", 40, 'R', "rptrMonitorGroupIndex", "Bank");
    bank.Add("TotalFrames", 70, 'R', "rptrMonitorGroupTotalFrames", "Total Frames");
    bank.Add("TotalOctets", 70, 'R', "rptrMonitorGroupTotalOctets", "Total Octets");
    bank.Add("TotalErrors", 70, 'R', "rptrMonitorGroupTotalErrors", "Total Errors");
    AddDescription(&m_bankStats);
}

// The tables are kept port statistics, port frames, bank statistics; the kinds run bank,
// port, errors.
int CExpPortStatsPage::DescriptionIndexOfKind(int kind) const {
    constexpr int kTableOfKind[] = {2, 0, 1};
    return kind >= 0 && kind < 3 ? kTableOfKind[kind] : -1;
}

int CExpPortStatsPage::TableImage() const {
    return kind() == kBankStats ? sw::kIconBank : sw::kIconPortEnabled;
}

// A table that cannot be read is left empty under its headings, and the page unloaded so
// that the next activation tries again; the operator is told as on every page (once per
// run of failed polls), so an empty list never passes for an empty table.
void CExpPortStatsPage::OnError(int h) {
    if (h == currentRequest() && currentDescription() && m_hWnd) {
        m_list.ClearCtrl();
        m_list.SetColumnHdgs(currentDescription()->GetColumnHdgs(),
                             currentDescription()->GetColumnWidths(),
                             currentDescription()->GetColumnJustify());
        m_loaded = 0;
    }
    CSwTableItemPage::OnError(h);
}

// The index texts address the counter's row ([bank] or [bank, port]); slot and port say
// where the console shows it: the expander's slot and the port's console number.
void CExpPortStatsPage::DragIndex(CStringArray* indexTexts, int* slot, int* port) {
    indexTexts->Copy(chosenIndexTexts());
    *slot = m_slot;
    *port = kind() == kBankStats ? 0 : ConsolePortNumber(chosenNumber(0), chosenNumber(1));
}

void CExpPortStatsPage::OnHelp() {
    HelpEngine("TarvoPort_Help\\TarvoPort_Statistics_Page", 1);
}
