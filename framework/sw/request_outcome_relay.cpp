#include "framework/sw/request_outcome_relay.h"

#include "framework/afx/app.h"

namespace sw {

RequestOutcomeRelay::RequestOutcomeRelay(std::function<void(int)> done,
                                         std::function<void(int)> failed)
    : m_done(std::move(done)), m_failed(std::move(failed)) {}

RequestOutcomeRelay::~RequestOutcomeRelay() {
    endWait();
}

void RequestOutcomeRelay::OnRequestDone(int h) {
    m_reported.erase(h);
    m_done(h);
    endWait();
}

void RequestOutcomeRelay::OnError(int h) {
    m_failed(h);
    endWait();
}

bool RequestOutcomeRelay::beginFailureReport(int h, bool polled) {
    return m_reported.insert(h).second || !polled;
}

void RequestOutcomeRelay::beginWait() {
    if (!m_waiting) {
        m_waiting = true;
        AfxGetApp()->DoWaitCursor(1);
    }
}

void RequestOutcomeRelay::endWait() {
    if (m_waiting) {
        m_waiting = false;
        AfxGetApp()->DoWaitCursor(-1);
    }
}

}  // namespace sw
