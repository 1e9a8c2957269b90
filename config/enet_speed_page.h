#pragma once
// "Speed/Mode": the selected Ethernet ports with their auto-negotiation, detected and
// configured speed and duplex mode; auto-negotiation, duplex mode and speed are set on the
// chosen ports at once, one set per port, as far as the ports' type allows.

#include <deque>
#include <vector>

#include "config/speed_port_rules.h"
#include "framework/afx/controls.h"
#include "framework/afx/message_map.h"
#include "framework/afx/runtime_class.h"
#include "framework/afx/win_types.h"
#include "framework/sw/default_icons.h"
#include "framework/sw/list_data.h"
#include "framework/sw/mapped_combo.h"
#include "framework/sw/pending_set_batch.h"
#include "framework/sw/slot_port.h"
#include "framework/sw/sw_base_prop_page.h"
#include "framework/sw/sw_list_ctrl.h"

class CEnetSpeedPage : public CSwBasePropPage {
    DECLARE_DYNCREATE(CEnetSpeedPage)
public:
    CEnetSpeedPage();
    ~CEnetSpeedPage() override;

    BOOL OnInitDialog() override;
    void InitPage() override;
    void CreateRequests() override;
    BOOL OnSetActive() override;
    BOOL OnKillActive() override;
    BOOL Refresh() override;
    void OnRequestDone(int h) override;
    void OnError(int h) override;
    BOOL OnApply() override;
    void ReleaseRequests() override;
    void OnHelp() override;

    // Timeout (s) and retries of the sets that change auto-negotiation: the switch answers
    // nothing while it renegotiates, and a repeated set would start it again.
    static constexpr short kAutoNegotiationTimeout = 20;
    static constexpr short kAutoNegotiationRetries = 0;

protected:
    void DoDataExchange(CDataExchange* dx) override;

    void OnAutoNegotiationClicked();
    void OnComboChanged();
    void OnListItemChanged(NMHDR* header, LRESULT* result);

private:
    torvik::SpeedPortRules rules() const;
    void FillCombos();
    void ReadTable();
    void FillList();
    void RestoreSelection();
    void RememberSelection();
    void ReadPort(int row);
    void ReadChosenPort();
    void UpdateControls();
    BOOL Validate(int duplex, int speed);
    int StageValues(int duplex, int speed);
    void BatchEnded();
    void ShowFailedBatch();

    long m_tableRequest = 0;
    long m_portRequest = 0;
    BOOL m_combosFilled = FALSE;
    BOOL m_readAutoNegotiation = FALSE;
    int m_readDuplex = 0;
    int m_readSpeed = 0;
    BOOL m_restoringSelection = FALSE;
    BOOL m_firstFill = TRUE;
    BOOL m_retried = FALSE;
    // The chosen ports, not their row numbers: the operator may sort on a heading before the
    // list is filled again.
    std::vector<sw::SlotPort> m_rememberedSelection;
    CListData m_listData;
    int m_portType = 1;
    sw::DefaultIconsLease m_icons;
    CMappedCombo m_speedCombo;
    CComboBox m_duplexCombo;
    CSwListCtrl m_list;
    int m_autoNegotiation = 0;

    sw::PendingSetBatch m_batch;
    // What is under way on the port request, in order (true: a set of the batch, false: a
    // row read): its completions arrive in that order.
    std::deque<bool> m_portOperations;
    // The list read after a failed batch leaves the page modified, so Apply can be pressed again.
    BOOL m_keepModified = FALSE;

    DECLARE_MESSAGE_MAP()
};
