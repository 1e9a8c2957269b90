#pragma once
// What the agent is being asked right now, for the status line: a transport in front of the
// real one that notes each request as it goes out and each answer as it comes back.

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "framework/mib/transport.h"

namespace console {

struct ReadActivity {
    bool busy = false;
    std::int64_t sinceMs = 0;  // when the agent last went from idle to busy
    std::string what;          // "phyPortTable", "sysName"
    std::string agent;         // "udp:10.0.0.5:161 (v2c)"
    std::size_t rows = 0;      // values received since it went busy
    int retries = 0;           // of the oldest request still waiting
    int maxRetries = 0;
};

class ProgressTransport : public mib::Transport {
public:
    using Clock = std::function<std::int64_t()>;  // milliseconds, real time

    ProgressTransport(std::shared_ptr<mib::Transport> inner, Clock clock);

    Ticket send(const mib::RequestPdu& request, const mib::SendOptions& options,
                Completion done) override;
    void cancel(Ticket ticket) override;
    int bulkRepetitions(int columns) const override;
    std::string describe() const override;
    std::size_t pendingCount() const override { return m_inner->pendingCount(); }

    ReadActivity activity() const;
    // Told whenever a request goes out or comes back (or is cancelled).
    void setObserver(std::function<void()> observer) { m_observer = std::move(observer); }

private:
    struct InFlight {
        std::int64_t sentMs = 0;
        mib::SendOptions options;
    };
    void finished(Ticket ticket);

    std::shared_ptr<mib::Transport> m_inner;
    Clock m_clock;
    std::map<Ticket, InFlight> m_inFlight;
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
    std::int64_t m_busySinceMs = 0;
    std::string m_what;
    std::size_t m_rows = 0;
    std::function<void()> m_observer;
};

// "phyPortTable" for a column's OID, "sysName" for a scalar's, else the OID as numbers.
std::string nameOfRead(const mib::Oid& oid);

}  // namespace console
