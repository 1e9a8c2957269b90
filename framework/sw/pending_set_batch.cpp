#include "framework/sw/pending_set_batch.h"

#include "framework/mib/mib_comm.h"

namespace sw {

void PendingSetBatch::attach(CMibComm* comm, long h) {
    m_comm = comm;
    m_request = h;
    m_savedTimeout = comm ? comm->GetTimeout(h) : 0;
    m_savedRetries = comm ? comm->GetRetries(h) : 0;
    m_open = false;
}

void PendingSetBatch::detach() {
    m_comm = nullptr;
    m_request = 0;
    m_open = false;
    m_inFlight.clear();
}

void PendingSetBatch::begin(int planned) {
    m_open = true;
    m_sending = true;
    m_planned = planned;
    m_sent = 0;
    m_inFlight.clear();
    m_failures.clear();
    m_notSent.clear();
}

BOOL PendingSetBatch::send(const CString& target) {
    if (!m_open || !m_sending || m_comm == nullptr) {
        m_notSent.push_back(target);
        return FALSE;
    }
    ++m_sent;
    m_comm->SetSetDelay(m_request, m_sent < m_planned ? 0 : kLastSetDelayMs);
    if (!m_comm->SendSet(m_request)) {
        m_notSent.push_back(target);
        m_sending = false;  // what follows is skipped
        return FALSE;
    }
    m_inFlight.push_back(target);
    return TRUE;
}

void PendingSetBatch::abandon() {
    m_open = false;
    m_sending = false;
    m_inFlight.clear();
}

void PendingSetBatch::skip(const CString& target) {
    m_notSent.push_back(target);
}

BOOL PendingSetBatch::endSending() {
    m_sending = false;
    return endIfDone();
}

BOOL PendingSetBatch::completed(BOOL succeeded, long errorCode) {
    if (!m_open || m_inFlight.empty()) {
        return FALSE;
    }
    // Sets of one request complete in the order they were sent.
    if (!succeeded) {
        m_failures.push_back({m_inFlight.front(), errorCode});
    }
    m_inFlight.erase(m_inFlight.begin());
    return endIfDone();
}

BOOL PendingSetBatch::endIfDone() {
    if (!m_open || m_sending || !m_inFlight.empty()) {
        return FALSE;
    }
    m_open = false;
    if (m_comm != nullptr) {
        m_comm->SetTimeout(m_request, m_savedTimeout);
        m_comm->SetRetries(m_request, m_savedRetries);
    }
    return TRUE;
}

BOOL PendingSetBatch::succeeded() const {
    return !m_open && m_failures.empty() && m_notSent.empty() ? TRUE : FALSE;
}

std::vector<CString> PendingSetBatch::notChanged() const {
    std::vector<CString> out;
    for (const Failure& failure : m_failures) {
        out.push_back(failure.target);
    }
    out.insert(out.end(), m_notSent.begin(), m_notSent.end());
    return out;
}

CString PendingSetBatch::notChangedText() const {
    CString text;
    for (const CString& target : notChanged()) {
        text += text.IsEmpty() ? "" : ", ";
        text += target;
    }
    return text;
}

}  // namespace sw
