#pragma once
// "Statistics": traffic counters of the selected ports from the physical port table or the
// Ethernet statistics table, as a table (a row per port) or for one chosen port (a row per
// counter, draggable). The shown table is polled while the page is active.

#include "framework/afx/afxwin.h"
#include "framework/sw/list_data.h"
#include "framework/sw/sw_base_prop_page.h"

class CEnetPortStatsPage : public CSwBasePropPage {
    DECLARE_DYNCREATE(CEnetPortStatsPage)
public:
    enum Kind { kPhysicalPortStats = 0, kEthernetStats = 1 };
    enum View { kTableView = 0, kItemView = 1 };

    CEnetPortStatsPage();
    ~CEnetPortStatsPage() override;

    BOOL OnInitDialog() override;
    void InitPage() override;
    void CreateRequests() override;
    BOOL OnSetActive() override;
    BOOL OnKillActive() override;
    BOOL Refresh() override;
    void OnRequestDone(int h) override;
    void ReleaseRequests() override;
    void OnHelp() override;
    CString CreateDragDropString(int item) override;

    long currentRequest() const { return m_currentRequest; }
    long requestOf(int kind) const;

protected:
    void DoDataExchange(CDataExchange* dx) override;

    void OnViewClicked();
    void OnKindClicked();
    void OnListItemChanged(NMHDR* header, LRESULT* result);

private:
    void ReadCurrentTable();
    void FillTableView();
    void FillItemView();
    void UpdateItemViewEnabling();
    int SlotOfIndex(long index) const { return static_cast<int>(index / m_indexDivisor); }
    int PortOfIndex(long index) const { return static_cast<int>(index % m_indexDivisor); }

    CListData m_physicalStats;
    CListData m_ethernetStats;
    CObArray m_descriptions;
    CListData* m_current = nullptr;
    long m_currentRequest = 0;
    int m_kind = -1;
    int m_view = -1;
    int m_chosenRow = -1;
    int m_chosenSlot = -1;
    int m_chosenPort = -1;
    int m_indexDivisor = 1000;
    int m_portType = 0;

    CSwListCtrl m_list;
    CImageList* m_icons = nullptr;

    DECLARE_MESSAGE_MAP()
};
