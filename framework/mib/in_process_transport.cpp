#include "framework/mib/in_process_transport.h"

#include <algorithm>

namespace mib {

InProcessTransport::InProcessTransport(PduHandler& handler, afx::EventLoop& loop)
    : m_handler(handler), m_loop(loop) {}

InProcessTransport::~InProcessTransport() {
    for (auto& [ticket, pending] : m_pending)
        m_loop.cancelTimer(pending.timer);
}

Transport::Ticket InProcessTransport::send(const RequestPdu& request, const SendOptions& options,
                                           Completion done) {
    const Ticket ticket = m_nextTicket++;
    Pending pending;
    pending.request = request;
    pending.options = options;
    pending.done = std::move(done);
    pending.triesLeft = std::max(0, options.retries) + 1;
    m_pending.emplace(ticket, std::move(pending));
    if (m_failNext) {
        TransportResult result = std::move(*m_failNext);
        m_failNext.reset();
        m_pending[ticket].timer =
            m_loop.addTimer(m_latencyMs, [this, ticket, result] { complete(ticket, result); });
        return ticket;
    }
    // Sending happens from the loop, so nothing runs inside send().
    m_pending[ticket].timer = m_loop.addTimer(0, [this, ticket] { attempt(ticket); });
    return ticket;
}

void InProcessTransport::cancel(Ticket ticket) {
    auto it = m_pending.find(ticket);
    if (it == m_pending.end())
        return;
    m_loop.cancelTimer(it->second.timer);
    m_pending.erase(it);
}

int InProcessTransport::bulkRepetitions(int columns) const {
    if (m_maxBulkVarbinds <= 0)
        return 0;
    return std::max(1, m_maxBulkVarbinds / std::max(1, columns));
}

void InProcessTransport::failNextRequest(TransportOutcome outcome, std::string message) {
    m_failNext = TransportResult{outcome, {}, std::move(message)};
}

void InProcessTransport::attempt(Ticket ticket) {
    auto it = m_pending.find(ticket);
    if (it == m_pending.end())
        return;
    Pending& p = it->second;
    const std::int64_t waitMs = std::int64_t{std::max(0, p.options.timeoutSeconds)} * 1000;
    const std::int64_t busyMs = p.answered || m_dropRequests > 0 ? 0 : m_handler.busyForMs();
    if (busyMs > 0) {
        // The request, and every retry of it, waits in the agent until it is back; the
        // sender hears the answer if it has not given up by then.
        const std::int64_t waitLeft = std::int64_t{p.triesLeft} * waitMs;
        if (busyMs < waitLeft) {
            p.timer = m_loop.addTimer(busyMs, [this, ticket] { attempt(ticket); });
        } else {
            p.timer = m_loop.addTimer(waitLeft, [this, ticket] {
                complete(ticket,
                         {TransportOutcome::Timeout, {}, "no response from simulated switch"});
            });
        }
        return;
    }
    --p.triesLeft;
    bool answered = false;
    if (m_dropRequests > 0) {
        --m_dropRequests;
    } else if (p.answered || m_handler.answersNow()) {
        if (!p.answered) {
            ++m_handled;
            p.answered = m_handler.handle(p.request);
        }
        if (m_dropResponses > 0) {
            --m_dropResponses;
        } else {
            answered = true;
        }
    }
    if (answered) {
        TransportResult result{TransportOutcome::Response, *p.answered, {}};
        if (m_latencyMs <= 0) {
            complete(ticket, std::move(result));
        } else {
            p.timer =
                m_loop.addTimer(m_latencyMs, [this, ticket, result] { complete(ticket, result); });
        }
        return;
    }
    if (p.triesLeft > 0) {
        p.timer = m_loop.addTimer(waitMs, [this, ticket] { attempt(ticket); });
    } else {
        p.timer = m_loop.addTimer(waitMs, [this, ticket] {
            complete(ticket, {TransportOutcome::Timeout, {}, "no response from simulated switch"});
        });
    }
}

void InProcessTransport::complete(Ticket ticket, TransportResult result) {
    auto it = m_pending.find(ticket);
    if (it == m_pending.end())
        return;
    Completion done = std::move(it->second.done);
    m_pending.erase(it);
    done(result);
}

}  // namespace mib
