#include "console/change_undo.h"

#include "console/agent_factory.h"
#include "framework/mib/mib_agent.h"
#include "framework/mib/mib_comm.h"
#include "framework/mib/mib_error.h"
#include "framework/mib/request_engine.h"

namespace console {

namespace {

class Completion : public CMibCommEvents {
public:
    void OnRequestDone(int) override { m_result = true; }
    void OnError(int) override { m_result = false; }
    void reset() { m_result.reset(); }
    bool waitFor(afx::EventLoop& loop, std::int64_t boundMs) {
        return loop.runUntil([this] { return m_result.has_value(); }, boundMs) && *m_result;
    }

private:
    std::optional<bool> m_result;
};

class Undo {
public:
    Undo(const ConsoleOptions& options, const mib::JournalChange& change, ChangeSafety safety,
         std::ostream& out)
        : m_options(options), m_change(change), m_safety(std::move(safety)), m_out(out) {}
    ~Undo() {
        m_comm.SetAgent(nullptr);
        m_comm.SetOwner(nullptr);
    }

    std::optional<UndoFailure> run();

private:
    std::optional<UndoFailure> plan();
    std::optional<UndoFailure> compare();
    std::optional<UndoFailure> putBack();
    std::string subject() const { return "change " + std::to_string(m_change.id); }
    std::int64_t boundMs() const {
        const CMibAgent& agent = *m_session.agent;
        return (static_cast<std::int64_t>(agent.GetTimeout()) * (agent.GetRetries() + 1) + 2) *
               1000;
    }

    const ConsoleOptions& m_options;
    const mib::JournalChange& m_change;
    ChangeSafety m_safety;
    std::ostream& m_out;
    afx::EventLoop& m_loop = afx::EventLoop::instance();
    AgentSession m_session;
    CMibComm m_comm;
    Completion m_done;
    long m_request = 0;
    std::vector<std::optional<mib::Value>> m_now;
};

std::optional<UndoFailure> Undo::plan() {
    if (m_change.outcome && m_change.outcome->answered &&
        m_change.outcome->errorStatus != mib::ErrorStatus::NoError) {
        return UndoFailure{kExitStepFailed, "the switch refused " + subject() + " (" +
                                                mib::describeOutcome(m_change) +
                                                "); there is nothing to undo"};
    }
    if (m_change.varbinds.empty()) {
        return UndoFailure{kExitStepFailed, subject() + " holds no varbind"};
    }
    for (const mib::JournalVarbind& vb : m_change.varbinds) {
        if (mib::MibDictionary::builtin().find(vb.name) == nullptr) {
            return UndoFailure{kExitStepFailed, "cannot undo " + subject() + ": " +
                                                    varbindLabel(vb) +
                                                    " is not a variable this console knows"};
        }
        if (!vb.before || vb.before->isException()) {
            return UndoFailure{
                kExitStepFailed,
                "cannot undo " + subject() + ": " + varbindLabel(vb) + " had no value before it (" +
                    mib::describeJournalValue(mib::MibDictionary::builtin(), vb, vb.before) +
                    "); nothing was sent"};
        }
        if (vb.instance != m_change.varbinds.front().instance && vb.instance != "0") {
            return UndoFailure{kExitStepFailed,
                               "cannot undo " + subject() + ": its varbinds are not of one row"};
        }
    }
    return std::nullopt;
}

std::optional<UndoFailure> Undo::compare() {
    std::vector<std::string> names;
    for (const mib::JournalVarbind& vb : m_change.varbinds) {
        names.push_back(vb.name);
    }
    std::vector<LPCTSTR> pointers;
    for (const std::string& name : names) {
        pointers.push_back(name.c_str());
    }
    m_request = m_comm.OpenRequest(0, "", pointers.data(), static_cast<long>(pointers.size()));
    if (m_request == 0) {
        return UndoFailure{kExitStepFailed,
                           "cannot undo " + subject() + ": " + m_comm.engine()->lastOpenMessage()};
    }
    // Columns share the row's instance; scalars alone take .0 by themselves.
    std::string rowInstance;
    for (const mib::JournalVarbind& vb : m_change.varbinds) {
        if (mib::MibDictionary::builtin().find(vb.name)->isColumn()) {
            rowInstance = vb.instance;
        }
    }
    if (!rowInstance.empty()) {
        mib::Oid instance;
        mib::parseOid(rowInstance, &instance);
        CUIntArray numbers;
        for (std::uint32_t n : instance) {
            numbers.Add(n);
        }
        m_comm.SetInstance(m_request, &numbers);
    }
    m_done.reset();
    const bool read = m_comm.RequestRow(m_request) && m_done.waitFor(m_loop, boundMs());
    const bool noRow = m_comm.GetErrorCode(m_request) == mib::kMibNoSuchRow;
    if (!read && !noRow) {
        return UndoFailure{kExitStepFailed, "cannot read what " + subject() + " changed: " +
                                                m_comm.GetErrorText(m_request).str()};
    }
    const auto& dictionary = mib::MibDictionary::builtin();
    std::string changed;
    for (const mib::JournalVarbind& vb : m_change.varbinds) {
        const mib::Value* now = read ? m_comm.engine()->value(m_request, vb.name) : nullptr;
        m_now.push_back(now ? std::optional<mib::Value>(*now) : std::nullopt);
        if (now == nullptr || !(*now == vb.sent)) {
            changed += (changed.empty() ? "" : "; ") + varbindLabel(vb) + " now holds " +
                       (now ? mib::describeJournalValue(dictionary, vb, *now) : "no value") +
                       ", not " + mib::describeJournalValue(dictionary, vb, vb.sent);
        }
    }
    if (!changed.empty()) {
        return UndoFailure{kExitStepFailed, "cannot undo " + subject() + ": changed since: " +
                                                changed + "; nothing was sent"};
    }
    return std::nullopt;
}

std::optional<UndoFailure> Undo::putBack() {
    for (const mib::JournalVarbind& vb : m_change.varbinds) {
        if (!m_comm.engine()->stageValue(m_request, vb.name, *vb.before)) {
            return UndoFailure{kExitStepFailed, "cannot undo " + subject() + ": " +
                                                    m_comm.GetErrorText(m_request).str()};
        }
    }
    m_comm.SetReRead(m_request, FALSE);
    // The values compared are the values before the undo: the journal reads them again not.
    m_comm.engine()->setKnownBefore(m_request, m_now);
    m_done.reset();
    if (!m_comm.SendSet(m_request) || !m_done.waitFor(m_loop, boundMs())) {
        return UndoFailure{kExitStepFailed,
                           subject() + " was not undone: " + m_comm.GetErrorText(m_request).str()};
    }
    return std::nullopt;
}

std::optional<UndoFailure> Undo::run() {
    if (auto failure = plan()) {
        return failure;
    }
    std::string error;
    if (!createAgent(m_options.agent, m_loop, &m_session, &error)) {
        return UndoFailure{kExitUsage, error};
    }
    m_session.agent->SetAgentName(m_change.agentName.c_str());
    m_safety.applyTo(*m_session.agent);
    m_comm.SetOwner(&m_done);
    m_comm.SetChangeSource({"swconsole --undo", m_change.id});
    m_comm.SetAgent(m_session.agent.get());
    if (m_options.trace) {
        m_session.agent->GetTrace().setSink(
            [this](const std::string& line) { m_out << "trace: " << line << "\n"; });
    }
    for (auto step : {&Undo::compare, &Undo::putBack}) {
        if (auto failure = (this->*step)()) {
            return failure;
        }
    }
    m_out << subject() << " undone:\n";
    const auto& dictionary = mib::MibDictionary::builtin();
    for (const mib::JournalVarbind& vb : m_change.varbinds) {
        m_out << "  " << varbindLabel(vb) << ": "
              << mib::describeJournalValue(dictionary, vb, vb.sent) << " -> "
              << mib::describeJournalValue(dictionary, vb, vb.before) << "\n";
    }
    return std::nullopt;
}

}  // namespace

std::string varbindLabel(const mib::JournalVarbind& vb) {
    return vb.name.empty() ? mib::oidToString(vb.oid) : vb.name + " " + vb.instance;
}

std::optional<UndoFailure> undoChange(const ConsoleOptions& options,
                                      const mib::JournalChange& change, const ChangeSafety& safety,
                                      std::ostream& out) {
    Undo undo(options, change, safety, out);
    return undo.run();
}

}  // namespace console
