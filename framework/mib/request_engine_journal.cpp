// The request engine's part in the change journal: the one GET of the staged varbinds just
// before a SET, the record synced before the SET leaves, and its outcome once known.

#include <algorithm>

#include "framework/mib/mib_error.h"
#include "framework/mib/request_engine.h"

namespace mib {

void RequestEngine::setJournal(std::shared_ptr<ChangeJournal> journal, ChangeSource source) {
    m_journal = std::move(journal);
    m_source = std::move(source);
}

void RequestEngine::dropSet(long h, int code, std::string message) {
    Request* r = find(h);
    if (r == nullptr) {
        return;
    }
    r->staged.clear();
    r->knownBefore.reset();
    fail(*r, code, std::move(message));
}

std::vector<VarBind> RequestEngine::stagedVarbinds(long h) const {
    const Request* r = find(h);
    if (r == nullptr || r->staged.empty()) {
        return {};
    }
    Operation op;
    op.staged = r->staged;
    if (r->scalar) {
        op.instance = {0};
    } else if (r->instance) {
        op.instance = *r->instance;
    } else if (std::any_of(op.staged.begin(), op.staged.end(),
                           [](const StagedValue& s) { return s.variable->isColumn(); })) {
        return {};
    }
    return setVarbinds(op);
}

bool RequestEngine::setKnownBefore(long h, std::vector<std::optional<Value>> before) {
    return change(h, [&](Request& r) { r.knownBefore = std::move(before); });
}

std::optional<ResponsePdu> RequestEngine::readNow(long h, const std::vector<Oid>& oids,
                                                  std::string* error) {
    const Request* r = find(h);
    if (r == nullptr) {
        *error = errorCodeText(kMibNoSuchRequest);
        return std::nullopt;
    }
    RequestPdu pdu;
    pdu.type = PduType::Get;
    for (const Oid& oid : oids) {
        pdu.varbinds.push_back({oid, Value::null()});
    }
    tracePdu("PDU", pdu);
    const SendOptions options{std::max(0, r->timeoutSeconds), std::max(0, r->retries)};
    // The loop runs other completions meanwhile; this frame and the engine may both be gone
    // by the time the answer comes, so it lands in storage of its own.
    auto result = std::make_shared<std::optional<TransportResult>>();
    const Transport::Ticket ticket =
        m_transport.send(pdu, options, [result](const TransportResult& t) { *result = t; });
    if (ticket == 0) {
        *error = "the read could not be queued";
        return std::nullopt;
    }
    const std::int64_t boundMs =
        (static_cast<std::int64_t>(options.timeoutSeconds) * (options.retries + 1) + 1) * 1000;
    const std::weak_ptr<bool> alive = m_alive;
    afx::EventLoop& loop = m_loop;
    const bool answered = loop.runUntil([&result] { return result->has_value(); }, boundMs);
    if (alive.expired()) {
        *error = "the component was released while it read";
        return std::nullopt;
    }
    if (!answered) {
        m_transport.cancel(ticket);
        *error = errorCodeText(kMibNoResponse);
        return std::nullopt;
    }
    const TransportResult& got = **result;
    if (got.outcome != TransportOutcome::Response) {
        *error = errorCodeText(errorCodeForOutcome(got.outcome)) + ": " + got.message;
        return std::nullopt;
    }
    return got.response;
}

void RequestEngine::startSet(Request& r) {
    Operation& op = *r.running;
    if (m_journal && !op.before) {
        readBefore(r);
    } else {
        journalAndSend(r);
    }
}

void RequestEngine::readBefore(Request& r) {
    Operation& op = *r.running;
    op.readingBefore = true;
    RequestPdu pdu;
    pdu.type = PduType::Get;
    for (const VarBind& vb : setVarbinds(op)) {
        pdu.varbinds.push_back({vb.oid, Value::null()});
    }
    sendPdu(r, pdu);
}

void RequestEngine::onBeforeAnswer(Request& r, const ResponsePdu& response) {
    Operation& op = *r.running;
    op.readingBefore = false;
    op.before = valuesBefore(response, setVarbinds(op), &op.beforeNote);
    journalAndSend(r);
}

void RequestEngine::journalAndSend(Request& r) {
    Operation& op = *r.running;
    if (m_journal) {
        JournalChange change;
        change.agentName = m_settings.agentName;
        change.source = m_source;
        change.beforeNote = op.beforeNote;
        const std::vector<VarBind> varbinds = setVarbinds(op);
        for (std::size_t i = 0; i < varbinds.size(); ++i) {
            const MibVariable& variable = *op.staged[i].variable;
            JournalVarbind vb;
            vb.name = variable.name;
            vb.oid = varbinds[i].oid;
            vb.instance = oidToString(Oid(
                vb.oid.begin() + static_cast<std::ptrdiff_t>(variable.oid.size()), vb.oid.end()));
            if (op.before && i < op.before->size()) {
                vb.before = (*op.before)[i];
            }
            vb.sent = varbinds[i].value;
            change.varbinds.push_back(std::move(vb));
        }
        std::string why;
        op.journalId = m_journal->recordChange(change, m_dictionary, &why);
        if (op.journalId == 0) {
            finish(r, false, kMibNotJournaled, why);
            return;
        }
    }
    sendSetPdu(r);
}

void RequestEngine::journalOutcome(Request& r, const TransportResult& result) {
    Operation& op = *r.running;
    if (op.journalId == 0 || !m_journal) {
        return;
    }
    SetOutcome outcome;
    outcome.answered = result.outcome == TransportOutcome::Response;
    if (outcome.answered) {
        outcome.errorStatus = result.response.errorStatus;
        outcome.errorIndex = result.response.errorIndex;
    } else {
        outcome.detail = errorCodeText(errorCodeForOutcome(result.outcome));
        if (!result.message.empty()) {
            outcome.detail += ": " + result.message;
        }
    }
    std::string ignored;
    // The SET has gone either way; a lost outcome line reads as "outcome unknown".
    m_journal->recordOutcome(op.journalId, outcome, &ignored);
}

}  // namespace mib
