#pragma once
// "MACs": the IP-to-MAC association table or the bridge forwarding table, rows of the
// selected ports only, as a table or, for one chosen row, as the list of its variables.
// Read when shown; not polled.

#include "framework/sw/list_data.h"
#include "framework/sw/sw_table_item_page.h"

class CEnetMACsPage : public CSwTableItemPage {
    DECLARE_DYNCREATE(CEnetMACsPage)
public:
    enum Kind { kIpToMac = 0, kForwarding = 1 };

    CEnetMACsPage();

    void InitPage() override;
    void OnHelp() override;

protected:
    bool RowPort(sw::SlotPort* port) override;
    void SortTable() override;
    bool RefreshForgetsChosenRow() const override { return kind() == kIpToMac; }

private:
    CListData m_ipToMac;
    CListData m_forwarding;

    DECLARE_MESSAGE_MAP()
};
