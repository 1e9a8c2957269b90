#pragma once
// "Service Admin": the virtual ports (services) of the selected Ethernet ports with their
// group, administrative state and bridging settings, changed on one or many rows at once;
// the groups of the switch; and the launches of the static bridge address and port
// mirroring dialogs and of the trunking sheet.

#include <vector>

#include "framework/afx/collections.h"
#include "framework/afx/controls.h"
#include "framework/afx/cstring.h"
#include "framework/afx/message_map.h"
#include "framework/afx/runtime_class.h"
#include "framework/afx/win_types.h"
#include "framework/sw/default_icons.h"
#include "framework/sw/list_data.h"
#include "framework/sw/mapped_combo.h"
#include "framework/sw/numeric_edit.h"
#include "framework/sw/pending_set_batch.h"
#include "framework/sw/sw_base_prop_page.h"
#include "framework/sw/sw_list_ctrl.h"
#include "services/learned_mac_index.h"
#include "services/vport_record.h"

class CSwPropertySheet;

class CEnetPortAdminPage : public CSwBasePropPage {
    DECLARE_DYNCREATE(CEnetPortAdminPage)
public:
    CEnetPortAdminPage();
    ~CEnetPortAdminPage() override;

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

    static constexpr int kDescriptionLimit = 40;
    static constexpr int kSwitchTimerLimit = 10;
    static constexpr UINT kTrunkSheetClosed = WM_USER + 102;

    // For tests of the launches: the open trunking sheet, or NULL.
    CSwPropertySheet* TrunkingSheet() const { return m_trunkingSheet; }

protected:
    void DoDataExchange(CDataExchange* dx) override;

    void OnVPortItemChanged(NMHDR* header, LRESULT* result);
    void OnGroupItemChanged(NMHDR* header, LRESULT* result);
    void OnFieldChanged();
    void OnShowLearnedClicked();
    void OnBridgeAddress();
    void OnPortMirroring();
    void OnTrunking();
    LRESULT OnTrunkSheetClosed(WPARAM wParam, LPARAM lParam);
    // The page the trunking sheet shows, from the module's registry (NULL after the registry
    // told the operator why not).
    virtual CSwBasePropPage* NewTrunkPage();

private:
    // Reading.
    void ContinueReading();
    void FillGroupList();
    void RebuildVPortList();
    CString LearnedMacText(long slot, long port, long serviceType, long instance) const;
    void SelectRowAsCurrent(int row, bool force);
    void RequestMirrorStatus();
    void ShowMirrorStatus();
    void ShowDetails();
    void FloodLimitUpdate();
    void UpdateControls();
    void EnableControl(int id, BOOL enable);
    bool PortSupportsMirroring() const;
    void FillCombos();
    void DeleteRecords();
    const CVPortRecord* FindRecord(long slot, long port, long serviceType, long instance) const;

    // Apply and the re-reads after it.
    void ReReadStep();
    void EndReReadChain();
    void ShowFailedBatch();

    long m_vportRequest = 0;
    long m_detailRequest = 0;
    long m_groupRequest = 0;
    long m_bridgeTableRequest = 0;
    long m_mirrorRequest = 0;
    int m_vportsLoaded = 0;
    int m_groupsLoaded = 0;
    int m_learnedLoaded = 0;
    int m_controlsReady = 0;
    int m_floodLimitEditable = 0;
    CString m_portFloodLimit;
    sw::PendingSetBatch m_setBatch;
    // Sets sent and not yet completed, whether or not the batch was given up after a
    // failure: their completions are never taken for a read of the current row.
    int m_setsInFlight = 0;
    int m_reReads = 0;
    int m_reReadIndex = 0;
    int m_selectedCount = 0;
    int m_currentRow = -1;
    int m_currentPort = -1;
    int m_groupRow = -1;
    CStringArray m_indexTexts;
    CSwPropertySheet* m_trunkingSheet = nullptr;
    CNumericEdit m_switchTimerEdit;
    CNumericEdit m_groupEdit;
    CNumericEdit m_floodLimitEdit;
    CListData m_vportListData;
    CListData m_groupListData;
    int m_portType = 0;
    sw::DefaultIconsLease m_icons;
    CObArray m_vportRecords;
    long m_baselineGroup = -1;
    long m_baselineAdminState = -1;
    long m_baselineSwitchTimer = -1;
    long m_baselineFloodLimit = -1;
    long m_baselineBridgeMode = -1;
    long m_baselineManualMode = -1;
    long m_baselineEncapsulation = -1;
    CString m_baselineDescription;
    CComboBox m_manualModeCombo;
    CSwListCtrl m_groupList;
    CSwListCtrl m_vportList;
    CMappedCombo m_encapsulationCombo;
    CMappedCombo m_bridgeModeCombo;
    CMappedCombo m_adminStateCombo;
    CString m_groupText;
    CString m_descriptionText;
    CString m_switchTimerText;
    CString m_bridgeProtocolText;
    CString m_floodLimitText;
    CString m_mirrorStatusText;
    BOOL m_applyAll = FALSE;
    BOOL m_showLearnedMac = FALSE;

    services::LearnedMacIndex m_learnedMacs;
    // Row selections made while the list is rebuilt are the page's, not the operator's.
    bool m_rebuilding = false;
    // The table read that ends a re-read chain selects the current row again.
    bool m_reselectAfterRead = false;
    // A batch ended with rows not changed: the reads after it leave the page modified.
    bool m_keepModified = false;

    DECLARE_MESSAGE_MAP()
};
