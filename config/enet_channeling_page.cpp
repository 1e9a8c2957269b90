#include "config/enet_channeling_page.h"

#include <algorithm>

#include "config/channeling_names.h"
#include "framework/afx/ddx.h"
#include "framework/sw/default_icons.h"
#include "framework/sw/list_rows.h"
#include "framework/sw/sw_functions.h"
#include "resources/channeling_ids.h"
#include "resources/resource_ids.h"

IMPLEMENT_DYNCREATE(CEnetChannelingPage, CPropertyPage)

BEGIN_MESSAGE_MAP(CEnetChannelingPage, CSwBasePropPage)
ON_BN_CLICKED(IDC_CHANNELING_ALL_SLOTS, &CEnetChannelingPage::OnAllSlots)
ON_BN_CLICKED(IDC_CHANNELING_CREATE, &CEnetChannelingPage::OnCreate)
ON_BN_CLICKED(IDC_CHANNELING_MODIFY, &CEnetChannelingPage::OnModify)
ON_BN_CLICKED(IDC_CHANNELING_DELETE, &CEnetChannelingPage::OnDelete)
ON_NOTIFY(LVN_ITEMCHANGED, IDC_CHANNELING_LIST, &CEnetChannelingPage::OnListItemChanged)
ON_BN_CLICKED(IDC_CHANNELING_ADD, &CEnetChannelingPage::OnAdd)
ON_BN_CLICKED(IDC_CHANNELING_REMOVE, &CEnetChannelingPage::OnRemove)
ON_BN_CLICKED(IDC_CHANNELING_SET_PRIMARY, &CEnetChannelingPage::OnSetPrimary)
ON_LBN_SELCHANGE(IDC_CHANNELING_AVAILABLE, &CEnetChannelingPage::OnAvailableSelChange)
ON_LBN_SELCHANGE(IDC_CHANNELING_CHANNEL_PORTS, &CEnetChannelingPage::OnChannelPortsSelChange)
ON_EN_CHANGE(IDC_CHANNELING_CHANNEL_ID, &CEnetChannelingPage::OnChannelIdChanged)
END_MESSAGE_MAP()

namespace {

using torvik::ChannelRecord;
using namespace torvik::channeling;

// 0 is what the component gives for a value the switch did not send or sent with the wrong
// type; no channel, slot or port is numbered 0, so such a cell stays empty.
CString numberText(long value) {
    CString text;
    if (value != 0) {
        text.Format("%ld", value);
    }
    return text;
}

}  // namespace

CEnetChannelingPage::CEnetChannelingPage() : CSwBasePropPage(IDD_ENET_CHANNELING) {}

CEnetChannelingPage::~CEnetChannelingPage() = default;

void CEnetChannelingPage::DoDataExchange(CDataExchange* dx) {
    CSwBasePropPage::DoDataExchange(dx);
    DDX_Control(dx, IDC_CHANNELING_CHANNEL_PORTS, m_channelPorts);
    DDX_Control(dx, IDC_CHANNELING_LIST, m_list);
    DDX_Control(dx, IDC_CHANNELING_AVAILABLE, m_available);
    DDX_Check(dx, IDC_CHANNELING_ALL_SLOTS, m_allSlots);
    DDX_Text(dx, IDC_CHANNELING_PRIMARY_PORT, m_primaryPortText);
    DDX_Text(dx, IDC_CHANNELING_SLOT, m_slotText);
    DDX_Text(dx, IDC_CHANNELING_LIST_CAPTION, m_listCaption);
    DDX_Text(dx, IDC_CHANNELING_CHANNEL_ID, m_channelIdText);
}

void CEnetChannelingPage::InitPage() {
    m_listData.Add("ChannelID", 70, 'R', "", "");
    m_listData.Add("Slot", 40, 'R', "", "");
    m_listData.Add("PriPort", 50, 'R', "", "");
    m_listData.Add("SecPorts", 70, 'L', "", "");
    m_listData.Add("AdminStatus", 80, 'L', "", "");
}

void CEnetChannelingPage::CreateRequests() {
    if (!m_agent) {
        return;
    }
    if (m_primaryRequest == 0) {
        const LPCTSTR names[] = {kChannelId, kPrimarySlot, kPrimaryPort, kAdminStatus};
        m_primaryRequest = m_mibComm->OpenRequest(0, "", names, 4);
    }
    if (m_secondaryRequest == 0) {
        const LPCTSTR names[] = {kSecondaryChannelId, kSecondarySlot, kSecondaryPort,
                                 kSecondaryAdminStatus};
        m_secondaryRequest = m_mibComm->OpenRequest(0, "", names, 4);
    }
}

BOOL CEnetChannelingPage::OnInitDialog() {
    CSwBasePropPage::OnInitDialog();
    SetUpList();
    SetListCaption();
    ApplyEnablingRule();
    return TRUE;
}

void CEnetChannelingPage::SetUpList() {
    if (m_initialised || !m_agent || !m_hWnd) {
        return;
    }
    m_list.SetImageList(m_icons.acquire(), 1);
    m_list.m_nItemImage = sw::kIconItem;
    m_list.m_bTableMode = TRUE;
    m_list.m_bItemMode = FALSE;
    // The list stays single-selection (its template's style): one channel is chosen at a time.
    m_list.SortOnColumn(0, 1);
    UpdateData(FALSE);
    m_initialised = TRUE;
}

BOOL CEnetChannelingPage::OnSetActive() {
    SetUpList();
    if (m_primaryRequest > 0 && m_hold == 0 && m_loaded == 0) {
        Refresh();
    }
    return CSwBasePropPage::OnSetActive();
}

BOOL CEnetChannelingPage::Refresh() {
    m_loaded = 0;
    m_slotText.Empty();
    m_channelIdText.Empty();
    m_primaryPortText.Empty();
    m_selectedChannel = -1;
    m_selectedSlot = -1;
    if (m_hWnd) {
        m_available.ResetContent();
        m_channelPorts.ResetContent();
    }
    m_editing = FALSE;
    ApplyEnablingRule();
    CreateWaitCursor();
    m_mibComm->SetReload(m_primaryRequest, 0);
    m_mibComm->RequestTable(m_primaryRequest);
    return TRUE;
}

void CEnetChannelingPage::ReleaseRequests() {
    m_mibComm->ReleaseRequest(m_primaryRequest);
    m_mibComm->ReleaseRequest(m_secondaryRequest);
    m_primaryRequest = 0;
    m_secondaryRequest = 0;
}

void CEnetChannelingPage::OnHelp() {}

void CEnetChannelingPage::SetListCaption() {
    if (m_allSlots) {
        m_listCaption = "Current Channels - All Slots";
    } else {
        m_listCaption.Format("Current Channels - Slot %d", m_slot);
    }
    if (m_hWnd) {
        UpdateData(FALSE);
    }
}

void CEnetChannelingPage::Enable(int id, BOOL enable) {
    if (CWnd* control = GetDlgItem(id)) {
        control->EnableWindow(enable);
    }
}

void CEnetChannelingPage::Message(const CString& text, const char* caption, UINT style) {
    MessageBox(text, caption, style);
}

void CEnetChannelingPage::ApplyEnablingRule() {
    if (!m_hWnd) {
        return;
    }
    Enable(IDC_CHANNELING_MODIFY, m_selectedChannel > 0);
    Enable(IDC_CHANNELING_DELETE, m_selectedChannel > 0);
    // While editing, the three port buttons start enabled; a selection change or the button
    // itself disables them.
    for (int id : {IDC_CHANNELING_SLOT, IDC_CHANNELING_CHANNEL_ID, IDC_CHANNELING_AVAILABLE,
                   IDC_CHANNELING_CHANNEL_PORTS, IDC_CHANNELING_ADD, IDC_CHANNELING_REMOVE,
                   IDC_CHANNELING_SET_PRIMARY, IDC_CHANNELING_PRIMARY_PORT}) {
        Enable(id, m_editing);
    }
    UpdateData(FALSE);
}

// ---- reading

void CEnetChannelingPage::OnRequestDone(int h) {
    if (h == m_primaryRequest) {
        if (m_deleting) {
            m_deleting = FALSE;
            Refresh();
        } else if (m_creating) {
            Message("Channel Successfully Created.", kSuccess, kErrorStyle);
            m_creating = FALSE;
            // Read again, so that the list shows the channel as the switch now holds it.
            Refresh();
        } else if (m_modifying) {
            Message("Channel Successfully Modified.", kSuccess, kErrorStyle);
            m_modifying = FALSE;
            Refresh();
        } else {
            CreateWaitCursor();
            m_mibComm->RequestTable(m_secondaryRequest);
        }
    }
    if (h == m_secondaryRequest && m_deleting) {
        SecondaryDeletionEnded();
    } else if (h == m_secondaryRequest) {
        BuildRecords();
        FillList();
        m_loaded = 1;
        SetClean(1);
    }
}

void CEnetChannelingPage::BuildRecords() {
    m_records.clear();
    const long primaryRows = m_mibComm->GetRowCount(m_primaryRequest);
    m_records.reserve(static_cast<std::size_t>(std::max(0L, primaryRows)));
    for (long r = 0; r < primaryRows && m_mibComm->GotoRow(m_primaryRequest, r); ++r) {
        ChannelRecord record;
        record.channelId =
            static_cast<std::int32_t>(m_mibComm->GetInteger(m_primaryRequest, kChannelId));
        record.slot =
            static_cast<std::int32_t>(m_mibComm->GetInteger(m_primaryRequest, kPrimarySlot));
        record.primaryPort =
            static_cast<std::int32_t>(m_mibComm->GetInteger(m_primaryRequest, kPrimaryPort));
        torvik::setAdminStatusText(record, m_mibComm->GetString(m_primaryRequest, kAdminStatus));
        m_records.push_back(record);
    }
    const long secondaryRows = m_mibComm->GetRowCount(m_secondaryRequest);
    for (long r = 0; r < secondaryRows && m_mibComm->GotoRow(m_secondaryRequest, r); ++r) {
        const long id = m_mibComm->GetInteger(m_secondaryRequest, kSecondaryChannelId);
        const long slot = m_mibComm->GetInteger(m_secondaryRequest, kSecondarySlot);
        const long port = m_mibComm->GetInteger(m_secondaryRequest, kSecondaryPort);
        if (id <= 0) {
            continue;
        }
        for (ChannelRecord& record : m_records) {
            if (record.channelId == id && record.slot == slot) {
                // A fourth secondary row of one channel finds no room and is left out.
                torvik::addSecondaryPort(record, static_cast<int>(port));
                break;
            }
        }
    }
}

void CEnetChannelingPage::FillList() {
    if (!m_hWnd) {
        return;
    }
    m_filling = true;
    m_list.ClearCtrl();
    m_list.SetColumnHdgs(m_listData.GetColumnHdgs(), m_listData.GetColumnWidths(),
                         m_listData.GetColumnJustify());
    for (const ChannelRecord& record : m_records) {
        if (!m_allSlots && record.slot != m_slot) {
            continue;
        }
        CStringArray texts;
        texts.Add(numberText(record.channelId));
        texts.Add(numberText(record.slot));
        texts.Add(numberText(record.primaryPort));
        texts.Add(torvik::secondaryPortsText(record));
        texts.Add(CString(record.adminStatus));
        m_list.AddItem(&texts);
    }
    m_list.ReSort();
    // The chosen channel stays chosen when it is still listed; Modify and Delete must not act
    // on a channel the list no longer shows.
    if (m_selectedChannel > 0) {
        const int row = sw::rowWithLeadingNumbers(m_list, m_selectedChannel, m_selectedSlot);
        if (row >= 0) {
            m_list.SelectItem(row, TRUE);
        } else if (!m_editing) {
            m_selectedChannel = -1;
            m_selectedSlot = -1;
        }
    }
    m_filling = false;
    ApplyEnablingRule();
}

// ---- choosing and defining

void CEnetChannelingPage::OnAllSlots() {
    UpdateData(TRUE);
    SetListCaption();
    FillList();
}

void CEnetChannelingPage::OnListItemChanged(NMHDR* header, LRESULT* result) {
    *result = 0;
    const auto* change = reinterpret_cast<const NMLISTVIEW*>(header);
    if (sw::rowBecameSelected(*change) && !m_filling) {
        ChooseRow(change->iItem);
    }
}

void CEnetChannelingPage::ChooseRow(int row) {
    if (row >= m_list.GetItemCount()) {
        return;
    }
    const int channel = static_cast<int>(afx::leadingNumber(m_list.GetColumnText(row, 0)));
    const int slot = static_cast<int>(afx::leadingNumber(m_list.GetColumnText(row, 1)));
    // A definition belongs to the channel it was started for: Apply must never write it onto
    // the channel chosen afterwards.
    if (m_editing && channel != m_selectedChannel) {
        EndEditing();
    }
    m_selectedChannel = channel;
    m_selectedSlot = slot;
    ApplyEnablingRule();
}

void CEnetChannelingPage::EndEditing() {
    m_editing = FALSE;
    m_slotText.Empty();
    m_channelIdText.Empty();
    m_primaryPortText.Empty();
    m_available.ResetContent();
    m_channelPorts.ResetContent();
}

void CEnetChannelingPage::OnCreate() {
    m_selectedChannel = -1;
    m_selectedSlot = m_slot;
    m_editing = TRUE;
    m_filling = true;
    m_list.DeSelectItem();
    m_filling = false;
    ApplyEnablingRule();
    m_slotText.Format("%d", m_selectedSlot);
    m_channelIdText.Format("%d", torvik::nextChannelId(m_records));
    m_primaryPortText.Empty();
    // A new channel starts without ports, not with those of a channel modified before.
    m_channelPorts.ResetContent();
    FillAvailablePorts();
    UpdateData(FALSE);
}

void CEnetChannelingPage::OnModify() {
    if (m_selectedChannel <= 0) {
        return;
    }
    m_editing = TRUE;
    ApplyEnablingRule();
    m_channelIdText.Format("%d", m_selectedChannel);
    m_slotText.Format("%d", m_selectedSlot);
    FillAvailablePorts();
    FillChannelPorts();
    UpdateData(FALSE);
}

void CEnetChannelingPage::FillAvailablePorts() {
    m_available.ResetContent();
    // The ports of the slot the channel is on, which under "All Slots" may not be the page's.
    const int ports = m_chassisInfo ? m_chassisInfo->GetPortsPerUnit(m_selectedSlot, 1) : 0;
    for (int port = 1; port <= ports; ++port) {
        const bool used =
            std::any_of(m_records.begin(), m_records.end(), [&](const ChannelRecord& record) {
                if (record.slot != m_selectedSlot) {
                    return false;
                }
                const int count =
                    std::clamp<int>(record.secondaryCount, 0, torvik::kMaxSecondaryPorts);
                return record.primaryPort == port ||
                       std::find(record.secondaryPorts, record.secondaryPorts + count, port) !=
                           record.secondaryPorts + count;
            });
        if (!used) {
            CString text;
            text.Format("%d", port);
            m_available.AddString(text);
        }
    }
    SortLBValues(&m_available, 1);
}

void CEnetChannelingPage::FillChannelPorts() {
    m_channelPorts.ResetContent();
    const ChannelRecord* record = torvik::findChannel(m_records, m_selectedChannel);
    if (record == nullptr) {
        return;
    }
    m_primaryPortText.Format("%d", static_cast<int>(record->primaryPort));
    m_channelPorts.AddString(m_primaryPortText);
    const int count = std::clamp<int>(record->secondaryCount, 0, torvik::kMaxSecondaryPorts);
    for (int i = 0; i < count; ++i) {
        CString text;
        text.Format("%d", static_cast<int>(record->secondaryPorts[i]));
        m_channelPorts.AddString(text);
    }
    SortLBValues(&m_channelPorts, 1);
}

void CEnetChannelingPage::OnAdd() {
    if (m_channelPorts.GetCount() >= torvik::kMaxChannelPorts) {
        CString text;
        text.Format("A Maximum of %d Ports can be\nin any one Channel.", torvik::kMaxChannelPorts);
        Message(text, kError, kErrorStyle);
        return;
    }
    const int chosen = m_available.GetCurSel();
    if (chosen < 0) {
        return;
    }
    CString port;
    m_available.GetText(chosen, port);
    m_channelPorts.AddString(port);
    m_available.DeleteString(static_cast<UINT>(chosen));
    SortLBValues(&m_available, 1);
    SortLBValues(&m_channelPorts, 1);
    if (m_primaryPortText.IsEmpty()) {
        m_primaryPortText = port;
    }
    Enable(IDC_CHANNELING_ADD, FALSE);
    SetDirty(1);
    UpdateData(FALSE);
}

void CEnetChannelingPage::OnRemove() {
    const int chosen = m_channelPorts.GetCurSel();
    if (chosen < 0) {
        return;
    }
    CString port;
    m_channelPorts.GetText(chosen, port);
    m_available.AddString(port);
    m_channelPorts.DeleteString(static_cast<UINT>(chosen));
    SortLBValues(&m_available, 1);
    SortLBValues(&m_channelPorts, 1);
    if (port == m_primaryPortText) {
        m_primaryPortText.Empty();
    }
    Enable(IDC_CHANNELING_REMOVE, FALSE);
    SetDirty(1);
    UpdateData(FALSE);
}

void CEnetChannelingPage::OnSetPrimary() {
    const int chosen = m_channelPorts.GetCurSel();
    if (chosen < 0) {
        return;
    }
    m_channelPorts.GetText(chosen, m_primaryPortText);
    Enable(IDC_CHANNELING_SET_PRIMARY, FALSE);
    SetDirty(1);
    UpdateData(FALSE);
}

void CEnetChannelingPage::OnAvailableSelChange() {
    Enable(IDC_CHANNELING_ADD, m_available.GetCurSel() >= 0);
    if (m_channelPorts.GetCurSel() >= 0) {
        m_channelPorts.SetCurSel(-1);
        Enable(IDC_CHANNELING_REMOVE, FALSE);
        Enable(IDC_CHANNELING_SET_PRIMARY, FALSE);
    }
}

void CEnetChannelingPage::OnChannelPortsSelChange() {
    const BOOL chosen = m_channelPorts.GetCurSel() >= 0;
    Enable(IDC_CHANNELING_REMOVE, chosen);
    Enable(IDC_CHANNELING_SET_PRIMARY, chosen);
    if (m_available.GetCurSel() >= 0) {
        m_available.SetCurSel(-1);
        Enable(IDC_CHANNELING_ADD, FALSE);
    }
}

void CEnetChannelingPage::OnChannelIdChanged() {
    // Kept in step with the edit, so that exchanging data to the controls keeps what was typed.
    GetDlgItemText(IDC_CHANNELING_CHANNEL_ID, m_channelIdText);
    SetDirty(1);
}
