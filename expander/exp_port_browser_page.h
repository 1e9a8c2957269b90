#pragma once
// "Browser": the segments of the expander module with their descriptions, and every port of
// the module attached to the chosen segment. "Modify..." changes the chosen segment's
// description through the Modify Segment Description dialog.

#include "framework/afx/message_map.h"
#include "framework/afx/runtime_class.h"
#include "framework/afx/win_types.h"
#include "framework/sw/default_icons.h"
#include "framework/sw/list_data.h"
#include "framework/sw/sw_base_prop_page.h"
#include "framework/sw/sw_list_ctrl.h"

class CExpPortBrowserPage : public CSwBasePropPage {
    DECLARE_DYNCREATE(CExpPortBrowserPage)
public:
    CExpPortBrowserPage();
    ~CExpPortBrowserPage() override;

    BOOL OnInitDialog() override;
    void InitPage() override;
    void CreateRequests() override;
    BOOL OnSetActive() override;
    BOOL Refresh() override;
    void OnRequestDone(int h) override;
    void OnError(int h) override;
    void ReleaseRequests() override;
    void OnHelp() override;

    int currentSegment() const { return m_currentSegment; }

protected:
    void DoDataExchange(CDataExchange* dx) override;

    void OnSegmentItemChanged(NMHDR* header, LRESULT* result);
    void OnModify();

private:
    void SetAttachedPortsLabel();
    void FillSegmentList();
    void ListAttachedPorts();

    long m_portsRequest = 0;
    long m_segmentsRequest = 0;
    int m_portsLoaded = 0;
    int m_segmentsLoaded = 0;
    int m_currentSegment = 1;
    int m_segmentRow = -1;
    int m_descriptionChanged = 0;
    CListData m_portListData;
    CListData m_segmentListData;
    sw::DefaultIconsLease m_icons;
    CSwListCtrl m_segmentList;
    CSwListCtrl m_portList;

    DECLARE_MESSAGE_MAP()
};
