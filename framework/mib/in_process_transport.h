#pragma once
// A Transport over a PduHandler in the same process (the simulated switch),
// timed on the event loop's clock, with faults on command for tests.
//
// A request that gets no answer (handler silent, request or response dropped)
// is tried again after timeoutSeconds, retries more times, then completes with
// Timeout: timeout x (retries + 1) after it was sent. One sent while the handler
// is busy is answered when the handler is back, or times out as usual if the
// handler stays busy longer. A retry of a request the
// handler already answered is answered from that answer, as an agent answers
// a retransmitted request id from its cache, so a SET whose response was lost
// is applied once.

#include <cstdint>
#include <map>
#include <optional>
#include <string>

#include "framework/afx/event_loop.h"
#include "framework/mib/transport.h"

namespace mib {

class InProcessTransport : public Transport {
public:
    InProcessTransport(PduHandler& handler, afx::EventLoop& loop);
    ~InProcessTransport() override;

    Ticket send(const RequestPdu& request, const SendOptions& options, Completion done) override;
    void cancel(Ticket ticket) override;
    int bulkRepetitions(int columns) const override;
    std::string describe() const override { return "simulated switch"; }

    // Faults and timing for tests.
    void setLatencyMs(std::int64_t ms) { m_latencyMs = ms; }
    void dropNextRequests(int count) { m_dropRequests = count; }
    void dropNextResponses(int count) { m_dropResponses = count; }
    void failNextRequest(TransportOutcome outcome, std::string message);
    // 0 behaves as an SNMPv1 agent: no GETBULK.
    void setMaxBulkVarbinds(int varbinds) { m_maxBulkVarbinds = varbinds; }

    // What reached the handler (retries answered from the cache do not count).
    int handledCount() const { return m_handled; }
    std::size_t pendingCount() const override { return m_pending.size(); }

private:
    struct Pending {
        RequestPdu request;
        SendOptions options;
        Completion done;
        int triesLeft = 0;
        std::optional<ResponsePdu> answered;
        afx::EventLoop::TimerId timer = 0;
    };
    void attempt(Ticket ticket);
    void complete(Ticket ticket, TransportResult result);

    PduHandler& m_handler;
    afx::EventLoop& m_loop;
    std::map<Ticket, Pending> m_pending;
    Ticket m_nextTicket = 1;
    std::int64_t m_latencyMs = 0;
    int m_dropRequests = 0;
    int m_dropResponses = 0;
    std::optional<TransportResult> m_failNext;
    int m_maxBulkVarbinds = 48;  // about 1400 bytes of 30-byte varbinds
    int m_handled = 0;
};

}  // namespace mib
