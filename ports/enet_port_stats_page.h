#pragma once
// "Statistics": traffic counters of the selected ports from the physical port table or the
// Ethernet statistics table, as a table (a row per port) or for one chosen port (a row per
// counter, draggable). The shown table is polled while the page is active.

#include "framework/sw/list_data.h"
#include "framework/sw/sw_table_item_page.h"

class CEnetPortStatsPage : public CSwTableItemPage {
    DECLARE_DYNCREATE(CEnetPortStatsPage)
public:
    enum Kind { kPhysicalPortStats = 0, kEthernetStats = 1 };

    CEnetPortStatsPage();

    void InitPage() override;
    void OnHelp() override;

protected:
    bool RowPort(sw::SlotPort* port) override;
    CString CellText(int column, const CString& variable) override;
    CString ItemValue(int item, const CString& variable) override;
    BOOL AddressChosenRow() override;
    void StartTableRead() override;
    void DragIndex(CStringArray* indexTexts, int* slot, int* port) override;

private:
    CString IndexPart(int column);

    CListData m_physicalStats;
    CListData m_ethernetStats;
    int m_indexDivisor = 1000;

    DECLARE_MESSAGE_MAP()
};
