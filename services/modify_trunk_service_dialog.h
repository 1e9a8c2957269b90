#pragma once
// "Modify Trunking Service": creates or changes the trunking service of one port, its
// description and the groups it carries. Apply writes the description and one add or remove
// command per changed group; after the last write it pauses a second, reads the service
// again, reports success and closes itself.

#include "framework/afx/collections.h"
#include "framework/afx/controls.h"
#include "framework/afx/cstring.h"
#include "framework/afx/message_map.h"
#include "framework/afx/runtime_class.h"
#include "framework/afx/win_types.h"
#include "framework/afx/wnd.h"
#include "framework/sw/sw_base_dialog.h"
#include "services/trunk_service_kind.h"

class CModifyTrunkServiceDialog : public CSwBaseDialog {
    DECLARE_DYNAMIC(CModifyTrunkServiceDialog)
public:
    explicit CModifyTrunkServiceDialog(CWnd* parent = nullptr);
    ~CModifyTrunkServiceDialog() override;

    BOOL OnInitDialog() override;
    void RequestData() override;
    void OnRequestDone(int h) override;
    BOOL ApplyChanges() override;
    void OnHelp() override;
    void OnError(int h) override;

    static constexpr int kDescriptionLimit = 30;
    static constexpr UINT_PTR kPauseTimer = 2;
    static constexpr UINT kPauseMs = 1000;

    long m_groupRequest = 0;
    long m_membersRequest = 0;
    long m_servicesRequest = 0;
    int m_servicePort = 0;  // the base's port, taken when the dialog opens
    int m_ownGroup = -1;
    int m_modifying = 0;
    int m_done = 0;
    int m_pendingSets = 0;
    CUIntArray m_groupsAsRead;
    // Each change is group * 65536 + 1 (add) or group * 65536 (remove); adds come first.
    CUIntArray m_changes;
    CString m_kindName;
    int m_dot10Flag = 0;
    int m_domainBridgingFlag = 0;
    int m_dot1QFlag = 1;
    CListBox m_servicedList;
    CListBox m_availableList;
    CString m_description;  // the creator may preset it

protected:
    void DoDataExchange(CDataExchange* dx) override;
    void OnTimer(UINT_PTR id);
    void OnDescriptionChanged();
    void OnAdd();
    void OnRemove();
    void OnAvailableSelectionChanged();
    void OnServicedSelectionChanged();

private:
    void BuildChanges();
    void ServicesRead();
    void MembersRead();
    void GroupsRead();
    // One set of the apply answered.
    void SetCompleted();
    void ReadAgainAfterFailedApply();
    long OpenKindRequest(const char* const* names, long count);

    torvik::TrunkServiceVariables m_vars{};
    // Sets sent whose completion has not arrived, whatever a failure did to the pending
    // count: their late completions must not be taken for reads.
    int m_setsInFlight = 0;
    bool m_readAgainAfterSets = false;
    bool m_reading = false;  // the services, members and group reads run

    DECLARE_MESSAGE_MAP()
};
