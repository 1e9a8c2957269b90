#include "framework/sw/chassis_access.h"

#include <algorithm>
#include <climits>

IMPLEMENT_DYNAMIC(CChassisAccess, CObject)

namespace {

CStringArray names(std::initializer_list<const char*> list) {
    CStringArray result;
    for (const char* name : list) {
        result.Add(name);
    }
    return result;
}

// An agent's number as an int; one beyond int's range stays beyond every limit.
int clamped(long number) {
    return static_cast<int>(std::clamp<long>(number, INT_MIN, INT_MAX));
}

}  // namespace

CChassisAccess::CChassisAccess(CWnd* /*parent*/) {}

CChassisAccess::~CChassisAccess() {
    release();
}

void CChassisAccess::release() {
    if (m_comm) {
        if (m_slotRequest > 0) {
            m_comm->ReleaseRequest(m_slotRequest);
        }
        if (m_portRequest > 0) {
            m_comm->ReleaseRequest(m_portRequest);
        }
    }
    m_slotRequest = 0;
    m_portRequest = 0;
}

void CChassisAccess::SetMibComm(CMibComm* comm) {
    if (comm != m_comm) {
        release();
        m_comm = comm;
    }
}

BOOL CChassisAccess::AccessChassis() {
    if (!m_comm) {
        return FALSE;
    }
    if (m_slotRequest <= 0) {
        CStringArray slotColumns =
            names({"chasSlotIndex", "chasSlotModuleType", "chasSlotModuleName", "chasSlotPortCount",
                   "chasSlotPortsPerUnit"});
        m_slotRequest = m_comm->OpenListRequest(0, "chasSlotTable", &slotColumns);
    }
    if (m_portRequest <= 0) {
        CStringArray portColumns = names({"chasPortSlot", "chasPortIndex", "chasPortType"});
        m_portRequest = m_comm->OpenListRequest(0, "chasPortTable", &portColumns);
    }
    // A read that cannot start counts as answered and failed, so the round still ends.
    m_slotRead = {};
    m_portRead = {};
    if (m_slotRequest <= 0 || !m_comm->RequestTable(m_slotRequest)) {
        m_slotRead.answered = true;
    }
    if (m_portRequest <= 0 || !m_comm->RequestTable(m_portRequest)) {
        m_portRead.answered = true;
    }
    return !(m_slotRead.answered && m_portRead.answered);
}

BOOL CChassisAccess::HasResponded(int h) {
    if (h <= 0 || !m_comm) {
        return FALSE;
    }
    Read* read = h == m_slotRequest ? &m_slotRead : h == m_portRequest ? &m_portRead : nullptr;
    if (!read) {
        return FALSE;
    }
    read->answered = true;
    read->succeeded = m_comm->GetErrorCode(h) == 0;
    return m_slotRead.answered && m_portRead.answered;
}

BOOL CChassisAccess::LoadChassisInfo(CNxChassisInfo* chassis) {
    if (!chassis || !m_comm || !(m_slotRead.succeeded || m_portRead.succeeded)) {
        return FALSE;
    }
    auto wanted = [this](long slot) { return m_selector == -1 || slot == m_selector; };
    chassis->Clear();
    // A row naming a slot or port beyond any chassis fails the whole load: the description
    // would otherwise miss ports without a word.
    if (m_slotRead.succeeded) {
        const long rows = m_comm->GetRowCount(m_slotRequest);
        for (long row = 0; row < rows && m_comm->GotoRow(m_slotRequest, row); ++row) {
            const long slot = m_comm->GetInteger(m_slotRequest, "chasSlotIndex");
            if (wanted(slot) &&
                !chassis->SetSlot(
                    clamped(slot),
                    static_cast<int>(m_comm->GetInteger(m_slotRequest, "chasSlotModuleType")),
                    m_comm->GetString(m_slotRequest, "chasSlotModuleName"),
                    clamped(m_comm->GetInteger(m_slotRequest, "chasSlotPortCount")),
                    static_cast<int>(m_comm->GetInteger(m_slotRequest, "chasSlotPortsPerUnit")))) {
                return FALSE;
            }
        }
    }
    if (m_portRead.succeeded) {
        const long rows = m_comm->GetRowCount(m_portRequest);
        for (long row = 0; row < rows && m_comm->GotoRow(m_portRequest, row); ++row) {
            const long slot = m_comm->GetInteger(m_portRequest, "chasPortSlot");
            if (wanted(slot) &&
                !chassis->SetPortType(
                    clamped(slot), clamped(m_comm->GetInteger(m_portRequest, "chasPortIndex")),
                    static_cast<int>(m_comm->GetInteger(m_portRequest, "chasPortType")))) {
                return FALSE;
            }
        }
    }
    return TRUE;
}
