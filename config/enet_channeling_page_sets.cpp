// The Channeling page's sets: creating and changing a channel (Apply), deleting one, and
// the outcome of each.

#include "config/enet_channeling_page.h"

#include <algorithm>

#include "config/channeling_names.h"
#include "framework/afx/ddx.h"
#include "framework/mib/mib_error.h"

namespace {

using torvik::ChannelRecord;
using namespace torvik::channeling;

}  // namespace

std::vector<int> CEnetChannelingPage::ChannelPortsInBox() {
    std::vector<int> ports;
    for (int i = 0; i < m_channelPorts.GetCount(); ++i) {
        CString text;
        m_channelPorts.GetText(i, text);
        ports.push_back(static_cast<int>(afx::leadingNumber(text)));
    }
    return ports;
}

// ---- writing

BOOL CEnetChannelingPage::OnApply() {
    if (!UpdateData(TRUE)) {
        return FALSE;
    }
    // OK and Apply reach every page of the sheet; only a definition the operator worked on is
    // checked and sent.
    if (!m_editing || !IsModified()) {
        return TRUE;
    }
    const long typedId = afx::leadingNumber(m_channelIdText);
    if (typedId < torvik::kFirstChannelId || typedId > torvik::kLastChannelId) {
        Message("Channel ID must be\n 1 <= and <= 254", kError, kErrorStyle);
        return TRUE;
    }
    const int id = static_cast<int>(typedId);
    const bool creating = m_selectedChannel < 0;
    if (id != m_selectedChannel && torvik::findChannel(m_records, id) != nullptr) {
        CString text;
        text.Format("Channel %d already exists.", id);
        Message(text, kError, kErrorStyle);
        return TRUE;
    }
    const std::vector<int> ports = ChannelPortsInBox();
    if (ports.empty()) {
        Message("At least one port must be added to\n    the Channelled Port list.", kError,
                kErrorStyle);
        return TRUE;
    }
    const int primary = static_cast<int>(afx::leadingNumber(m_primaryPortText));
    if (m_primaryPortText.IsEmpty() ||
        std::find(ports.begin(), ports.end(), primary) == ports.end()) {
        Message("Choose the Primary Port of the\nChannel with Set Primary.", kError, kErrorStyle);
        return TRUE;
    }
    torvik::ChannelDefinition channel;
    channel.channelId = id;
    channel.slot = m_selectedSlot;
    channel.primaryPort = primary;
    for (int port : ports) {
        if (port != primary) {
            channel.secondaryPorts.push_back(port);
        }
    }
    if (creating) {
        return SendChannelWrites(torvik::creationWrites(channel), id, &m_creating);
    }
    const ChannelRecord* before = torvik::findChannel(m_records, m_selectedChannel);
    if (before == nullptr) {
        return TRUE;
    }
    const std::vector<torvik::ChannelRowWrite> writes =
        torvik::modificationWrites(*before, channel);
    if (writes.empty()) {
        return TRUE;
    }
    return SendChannelWrites(writes, id, &m_modifying);
}

// Every row of the change goes out in one SET on the primary request, so that the switch holds
// the channel as it was or as defined, never half of it.
BOOL CEnetChannelingPage::SendChannelWrites(const std::vector<torvik::ChannelRowWrite>& writes,
                                            int channelId, BOOL* flag) {
    const std::vector<unsigned> primaryRow{static_cast<unsigned>(channelId)};
    CUIntArray instance = instanceOf(primaryRow);
    m_mibComm->SetInstance(m_primaryRequest, &instance);
    bool staged = true;
    for (const torvik::ChannelRowWrite& w : writes) {
        if (w.instance == primaryRow) {
            staged = m_mibComm->SetInteger(m_primaryRequest, w.variable, w.value) && staged;
        } else {
            CUIntArray row = instanceOf(w.instance);
            staged = m_mibComm->SetIntegerAt(m_primaryRequest, &row, w.variable, w.value) && staged;
        }
    }
    if (!staged) {
        // Nothing of an incomplete channel goes out, now or with a later set: the request is
        // opened afresh, without the values staged on it.
        m_mibComm->ReleaseRequest(m_primaryRequest);
        m_primaryRequest = 0;
        CreateRequests();
    }
    m_mibComm->SetReRead(m_primaryRequest, FALSE);
    *flag = TRUE;
    if (!staged || !m_mibComm->SendSet(m_primaryRequest)) {
        *flag = FALSE;
        Message(
            flag == &m_creating ? "Failed to Create the Channel." : "Failed to Modify the Channel.",
            kError, kErrorStyle);
        return FALSE;
    }
    // The set completes from the event loop, never inside SendSet.
    CreateWaitCursor();
    return TRUE;
}

void CEnetChannelingPage::OnDelete() {
    if (m_selectedChannel <= 0) {
        return;
    }
    CString question;
    question.Format("Are you sure you want to Delete\n         Channel %d?", m_selectedChannel);
    if (MessageBox(question, "Confirm Delete Channel", MB_YESNO | MB_ICONQUESTION) != IDYES) {
        return;
    }
    const ChannelRecord* found = torvik::findChannel(m_records, m_selectedChannel);
    if (found == nullptr) {
        return;
    }
    const ChannelRecord record = *found;
    m_deletingChannel = record.channelId;
    m_deleting = TRUE;
    m_secondaryDeletionsPending = 0;
    m_mibComm->SetRequestTag(m_secondaryRequest, 1);
    const int count = std::clamp<int>(record.secondaryCount, 0, torvik::kMaxSecondaryPorts);
    for (int i = 0; i < count; ++i) {
        CUIntArray row =
            instanceOf({static_cast<unsigned>(record.channelId), static_cast<unsigned>(record.slot),
                        static_cast<unsigned>(record.secondaryPorts[i])});
        m_mibComm->SetInstance(m_secondaryRequest, &row);
        m_mibComm->SetInteger(m_secondaryRequest, kSecondaryAdminStatus, torvik::kChannelRowDelete);
        m_mibComm->SetReRead(m_secondaryRequest, FALSE);
        if (m_mibComm->SendSet(m_secondaryRequest)) {
            ++m_secondaryDeletionsPending;
        }
    }
    if (m_secondaryDeletionsPending == 0) {
        SendPrimaryDeletion();
    } else {
        CreateWaitCursor();
    }
}

// The secondary sets run one after another on their request; the primary set goes once they
// have all ended, since it removes whatever secondary rows are left and a secondary set
// arriving after it would find its row gone.
void CEnetChannelingPage::SecondaryDeletionEnded() {
    if (m_secondaryDeletionsPending > 0 && --m_secondaryDeletionsPending == 0) {
        SendPrimaryDeletion();
    }
}

void CEnetChannelingPage::SendPrimaryDeletion() {
    CUIntArray row = instanceOf({static_cast<unsigned>(m_deletingChannel)});
    m_mibComm->SetInstance(m_primaryRequest, &row);
    m_mibComm->SetInteger(m_primaryRequest, kAdminStatus, torvik::kChannelRowDelete);
    m_mibComm->SetReRead(m_primaryRequest, FALSE);
    // The primary set ends the deletion; one that cannot start must not leave it pending, or
    // the next reading would be taken for a deletion's.
    if (!m_mibComm->SendSet(m_primaryRequest)) {
        m_deleting = FALSE;
        Message("Failed to Delete the Channel.", kError, kErrorStyle);
        return;
    }
    CreateWaitCursor();
}

// A set read back after deleting its row finds the row gone (-11): that is the deletion done.
bool CEnetChannelingPage::IsGoneAfterDeletion(int h) {
    return m_deleting && m_mibComm->GetErrorCode(h) == mib::kMibNoSuchRow;
}

void CEnetChannelingPage::OnError(int h) {
    if (IsGoneAfterDeletion(h)) {
        OnRequestDone(h);
        return;
    }
    bool told = false;
    if (h == m_primaryRequest && m_deleting) {
        Message("Failed to Delete the Channel.", kError, kErrorStyle);
        m_deleting = FALSE;
        told = true;
    }
    if (h == m_primaryRequest && m_creating) {
        Message("Failed to Create the Channel.", kError, kErrorStyle);
        m_creating = FALSE;
        SetDirty(1);  // the definition stays for another Apply
        told = true;
    }
    if (h == m_primaryRequest && m_modifying) {
        Message("Failed to Modify the Channel.", kError, kErrorStyle);
        m_modifying = FALSE;
        SetDirty(1);
        told = true;
    }
    if (h == m_secondaryRequest && m_deleting) {
        if (m_mibComm->GetRequestTag(m_secondaryRequest) == 1) {
            Message("Failed to Delete Secondary Channel.", kError, kErrorStyle);
            m_mibComm->SetRequestTag(m_secondaryRequest, 0);
        }
        told = true;
        SecondaryDeletionEnded();
    }
    if (!told) {
        // A failed reading is told as every page tells it; the page stays not loaded and
        // reads again when it is next activated.
        CSwBasePropPage::OnError(h);
    }
}
