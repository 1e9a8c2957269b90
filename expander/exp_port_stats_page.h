#pragma once
// "Statistics" of an expander: the repeater's bank counters, port counters or port error
// counters, as a table or, for one chosen bank or port, as the list of its counters
// (draggable). The shown table is polled while the page is active.

#include "framework/sw/list_data.h"
#include "framework/sw/sw_table_item_page.h"

class CExpPortStatsPage : public CSwTableItemPage {
    DECLARE_DYNCREATE(CExpPortStatsPage)
public:
    enum Kind { kBankStats = 0, kPortStats = 1, kPortErrors = 2 };

    CExpPortStatsPage();

    void InitPage() override;
    void OnError(int h) override;
    void OnHelp() override;

    // The console's number of a port of a bank (banks of 12 ports).
    static int ConsolePortNumber(int bank, int port) { return (bank - 1) * 12 + port; }

protected:
    int DescriptionIndexOfKind(int kind) const override;
    int IndexCellCount() const override { return kind() == kBankStats ? 1 : 2; }
    int TableImage() const override;
    bool RefreshForgetsChosenRow() const override { return view() == kTableView; }
    void DragIndex(CStringArray* indexTexts, int* slot, int* port) override;

private:
    CListData m_portStats;
    CListData m_portFrames;
    CListData m_bankStats;

    DECLARE_MESSAGE_MAP()
};
