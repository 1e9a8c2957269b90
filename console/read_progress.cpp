#include "console/read_progress.h"

#include "framework/mib/mib_dictionary.h"

namespace console {

std::string nameOfRead(const mib::Oid& oid) {
    const mib::MibDictionary& dictionary = mib::MibDictionary::builtin();
    const mib::MibVariable* var = dictionary.findByInstanceOid(oid);
    if (var == nullptr) {
        var = dictionary.find(mib::oidToString(oid));
    }
    if (var == nullptr) {
        return mib::oidToString(oid);
    }
    return var->isColumn() ? var->table : var->name;
}

ProgressTransport::ProgressTransport(std::shared_ptr<mib::Transport> inner, Clock clock)
    : m_inner(std::move(inner)), m_clock(std::move(clock)) {}

mib::Transport::Ticket ProgressTransport::send(const mib::RequestPdu& request,
                                               const mib::SendOptions& options, Completion done) {
    const std::int64_t now = m_clock();
    if (m_inFlight.empty()) {
        m_busySinceMs = now;
        m_rows = 0;
    }
    if (!request.varbinds.empty()) {
        m_what = nameOfRead(request.varbinds.front().oid);
    }
    auto ticketHolder = std::make_shared<Ticket>(0);
    std::weak_ptr<bool> alive = m_alive;
    const Ticket ticket = m_inner->send(
        request, options,
        [this, alive, ticketHolder, done = std::move(done)](const mib::TransportResult& result) {
            if (!alive.expired()) {
                m_rows += result.response.varbinds.size();
                finished(*ticketHolder);
            }
            done(result);
        });
    *ticketHolder = ticket;
    if (ticket != 0) {
        m_inFlight[ticket] = InFlight{now, options};
    }
    if (m_observer) {
        m_observer();
    }
    return ticket;
}

void ProgressTransport::cancel(Ticket ticket) {
    finished(ticket);
    m_inner->cancel(ticket);
}

void ProgressTransport::finished(Ticket ticket) {
    m_inFlight.erase(ticket);
    if (m_observer) {
        m_observer();
    }
}

int ProgressTransport::bulkRepetitions(int columns) const {
    return m_inner->bulkRepetitions(columns);
}

std::string ProgressTransport::describe() const {
    return m_inner->describe();
}

ReadActivity ProgressTransport::activity() const {
    ReadActivity activity;
    activity.busy = !m_inFlight.empty();
    activity.sinceMs = m_busySinceMs;
    activity.what = m_what;
    activity.agent = m_inner->describe();
    activity.rows = m_rows;
    if (activity.busy) {
        // Net-SNMP resends when a try's timeout passes, so the time waited tells the try.
        const InFlight& oldest = m_inFlight.begin()->second;
        const std::int64_t perTry = std::max(1, oldest.options.timeoutSeconds) * 1000LL;
        activity.retries = static_cast<int>(
            std::min<std::int64_t>((m_clock() - oldest.sentMs) / perTry, oldest.options.retries));
        activity.maxRetries = oldest.options.retries;
    }
    return activity;
}

}  // namespace console
