#pragma once
// "Status": the selected physical ports with media, administrative and operational status
// and description; the chosen port's administrative status and description can be changed.

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

class CEnetPortStatusPage : public CSwBasePropPage {
    DECLARE_DYNCREATE(CEnetPortStatusPage)
public:
    CEnetPortStatusPage();
    ~CEnetPortStatusPage() override;

    BOOL OnInitDialog() override;
    void InitPage() override;
    void CreateRequests() override;
    BOOL OnSetActive() override;
    BOOL Refresh() override;
    void OnRequestDone(int h) override;
    BOOL OnApply() override;
    void ReleaseRequests() override;
    void OnHelp() override;

    static constexpr int kDescriptionLimit = 31;

protected:
    void DoDataExchange(CDataExchange* dx) override;

    void OnListItemChanged(NMHDR* header, LRESULT* result);
    void OnAdminStatusChanged();
    void OnDescriptionChanged();

private:
    void FillCombo();
    void ClearDetails();
    void ReadTable();
    void FillList();
    void ChooseRow(int row);
    void ShowDetails();

    CListData m_listData;
    long m_tableRequest = 0;
    long m_rowRequest = 0;
    int m_portType = 0;
    // The row the operator chose; its read may still be under way or have failed.
    int m_chosenRow = -1;
    int m_chosenSlot = -1;
    int m_chosenPort = -1;
    // The port the details show, and so the port Apply writes to (empty: nothing shown).
    CUIntArray m_instance;
    int m_comboFilled = 0;
    // Selections made while filling the list are not the operator's: the chosen row is
    // read once, after the fill.
    bool m_filling = false;

    CSwListCtrl m_list;
    CComboBox m_adminStatus;
    sw::DefaultIconsLease m_icons;

    CString m_operStatus;
    CString m_description;
    CString m_slotPort;

    DECLARE_MESSAGE_MAP()
};
