#pragma once
// "802.1Q Trunking": the trunking service of the page's port, its description and the groups
// it carries. "Create/Modify..." runs the Modify Trunking Service dialog and reads again.

#include "framework/afx/collections.h"
#include "framework/afx/cstring.h"
#include "framework/afx/message_map.h"
#include "framework/afx/runtime_class.h"
#include "framework/afx/win_types.h"
#include "framework/sw/default_icons.h"
#include "framework/sw/list_data.h"
#include "framework/sw/sw_base_prop_page.h"
#include "framework/sw/sw_list_ctrl.h"
#include "services/trunk_service_kind.h"

class CEnetTrunkPage : public CSwBasePropPage {
    DECLARE_DYNCREATE(CEnetTrunkPage)
public:
    CEnetTrunkPage();
    ~CEnetTrunkPage() override;

    BOOL OnInitDialog() override;
    void InitPage() override;
    void CreateRequests() override;
    BOOL OnSetActive() override;
    BOOL Refresh() override;
    void OnRequestDone(int h) override;
    void ReleaseRequests() override;
    void OnHelp() override;

    long m_groupRequest = 0;
    long m_servicesRequest = 0;
    long m_membersRequest = 0;
    int m_noDescription = 1;
    // Kind selection: the first flag set wins, in the order 802.10, 802.1Q, Domain Bridging.
    int m_dot10Flag = 0;
    int m_domainBridgingFlag = 0;
    int m_dot1QFlag = 1;

protected:
    void DoDataExchange(CDataExchange* dx) override;
    // Takes the variable names of the kind the flags choose.
    void TakeKindVariables();
    void OnModify();

private:
    torvik::TrunkServiceKind kind() const;
    void ServicesRead();
    void MembersRead();
    void FillList();

    CListData m_groupListData;
    CUIntArray m_servicedGroups;
    sw::DefaultIconsLease m_icons;
    torvik::TrunkServiceVariables m_vars{};
    CSwListCtrl m_list;
    CString m_description;
    CString m_slotPort;

    DECLARE_MESSAGE_MAP()
};
