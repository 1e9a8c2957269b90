#pragma once
// "Channeling": the port channels of the page's slot (or of all slots), joined from the
// primary and secondary channel tables; channels are created whole, changed and deleted.

#include <vector>

#include "config/channel_records.h"
#include "framework/afx/controls.h"
#include "framework/afx/cstring.h"
#include "framework/afx/message_map.h"
#include "framework/afx/runtime_class.h"
#include "framework/afx/win_types.h"
#include "framework/sw/default_icons.h"
#include "framework/sw/list_data.h"
#include "framework/sw/sw_base_prop_page.h"
#include "framework/sw/sw_list_ctrl.h"

class CEnetChannelingPage : public CSwBasePropPage {
    DECLARE_DYNCREATE(CEnetChannelingPage)
public:
    CEnetChannelingPage();
    ~CEnetChannelingPage() override;

    BOOL OnInitDialog() override;
    void InitPage() override;
    void CreateRequests() override;
    BOOL OnSetActive() override;
    BOOL Refresh() override;
    void OnRequestDone(int h) override;
    void OnError(int h) override;
    BOOL OnApply() override;
    void ReleaseRequests() override;
    // The page has no help topic: Help shows nothing.
    void OnHelp() override;

    const std::vector<torvik::ChannelRecord>& records() const { return m_records; }

protected:
    void DoDataExchange(CDataExchange* dx) override;

    void OnAllSlots();
    void OnCreate();
    void OnModify();
    void OnDelete();
    void OnListItemChanged(NMHDR* header, LRESULT* result);
    void OnAdd();
    void OnRemove();
    void OnSetPrimary();
    void OnAvailableSelChange();
    void OnChannelPortsSelChange();
    void OnChannelIdChanged();

private:
    void SetUpList();
    void SetListCaption();
    void ApplyEnablingRule();
    void Enable(int id, BOOL enable);
    void Message(const CString& text, const char* caption, UINT style);
    void BuildRecords();
    void FillList();
    void ChooseRow(int row);
    void EndEditing();
    void FillAvailablePorts();
    void FillChannelPorts();
    std::vector<int> ChannelPortsInBox();
    BOOL SendChannelWrites(const std::vector<torvik::ChannelRowWrite>& writes, int channelId,
                           BOOL* flag);
    bool IsGoneAfterDeletion(int h);
    void SecondaryDeletionEnded();
    void SendPrimaryDeletion();

    long m_primaryRequest = 0;
    long m_secondaryRequest = 0;
    int m_selectedSlot = -1;
    int m_selectedChannel = -1;
    BOOL m_initialised = FALSE;
    BOOL m_creating = FALSE;
    BOOL m_modifying = FALSE;
    BOOL m_deleting = FALSE;
    BOOL m_editing = FALSE;
    CListData m_listData;
    sw::DefaultIconsLease m_icons;
    std::vector<torvik::ChannelRecord> m_records;
    CListBox m_channelPorts;
    CSwListCtrl m_list;
    CListBox m_available;
    int m_allSlots = FALSE;
    CString m_primaryPortText;
    CString m_slotText;
    CString m_listCaption;
    CString m_channelIdText;
    int m_deletingChannel = 0;
    int m_secondaryDeletionsPending = 0;
    // Selections made while the list is filled are not the operator's.
    bool m_filling = false;

    DECLARE_MESSAGE_MAP()
};
