#pragma once
// "Port Admin" of an expander (repeater) module: the selected expander ports with their
// segment, administrative state and uplink mark; the chosen ports are moved to a segment,
// enabled or disabled and marked as uplinks, and the repeater is reset after the last change.
// Below, the module's segments with their descriptions; a click fills "Segment:".

#include <deque>
#include <utility>
#include <vector>

#include "framework/afx/collections.h"
#include "framework/afx/controls.h"
#include "framework/afx/cstring.h"
#include "framework/afx/message_map.h"
#include "framework/afx/runtime_class.h"
#include "framework/afx/win_types.h"
#include "framework/sw/default_icons.h"
#include "framework/sw/list_data.h"
#include "framework/sw/sw_base_prop_page.h"
#include "framework/sw/sw_list_ctrl.h"

class CExpPortAdminPage : public CSwBasePropPage {
    DECLARE_DYNCREATE(CExpPortAdminPage)
public:
    CExpPortAdminPage();
    ~CExpPortAdminPage() override;

    BOOL OnInitDialog() override;
    void InitPage() override;
    void CreateRequests() override;
    BOOL OnSetActive() override;
    BOOL Refresh() override;
    void OnRequestDone(int h) override;
    void OnError(int h) override;
    BOOL OnApply() override;
    void ReleaseRequests() override;
    void OnHelp() override;

    static constexpr int kSegmentLimit = 6;
    static constexpr int kPortsPerBank = 12;

protected:
    void DoDataExchange(CDataExchange* dx) override;

    void OnPortItemChanged(NMHDR* header, LRESULT* result);
    void OnSegmentItemChanged(NMHDR* header, LRESULT* result);
    void OnSegmentTextChanged();
    void OnAdminStateChanged();
    void OnUplinkClicked();

private:
    using BankPort = std::pair<int, int>;
    // What a completion of the port request answers; the engine completes them in order.
    enum class PortCompletion { Read, Set };

    void FillAdminStates();
    void ClearPortControls();
    void ShowReadPort();
    void FillPortList();
    void FillSegmentList();
    void CheckSegmentOneUplink();
    bool IsUplink(int bank, int port);
    void ReadPort(int row);
    void ReadPortTable();
    void SendReset();
    void ApplyFailed(const char* message);
    BankPort PortOfRow(int row);

    long m_portsRequest = 0;
    long m_portRequest = 0;
    long m_segmentsRequest = 0;
    long m_resetRequest = 0;
    int m_portsLoaded = 0;
    int m_segmentsLoaded = 0;
    int m_readRow = -1;
    CStringArray m_indexTexts;
    CListData m_portListData;
    CListData m_segmentListData;
    int m_pendingSets = 0;
    int m_resetPending = 0;
    sw::DefaultIconsLease m_icons;
    int m_portType = 0;
    CUIntArray m_selectedRows;

    // The port whose values the controls hold; a port row moves when the list is sorted.
    BankPort m_readPort{0, 0};
    bool m_portRead = false;
    // Ports selected at the last Apply, selected again when the list is read back.
    std::vector<BankPort> m_selectedPorts;
    std::deque<PortCompletion> m_portCompletions;
    // A send or the reset of the last Apply failed: the page stays modified.
    bool m_applyFailed = false;
    // Selections made while the list is filled are not the operator's.
    bool m_filling = false;

    CComboBox m_adminState;
    CSwListCtrl m_segmentList;
    CSwListCtrl m_portList;
    int m_uplink = 0;
    CString m_segmentText;

    DECLARE_MESSAGE_MAP()
};
