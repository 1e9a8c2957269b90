#include "framework/mib/mib_agent.h"

#include <algorithm>

#include "framework/mib/mib_comm.h"
#include "framework/mib/request_engine.h"

IMPLEMENT_DYNCREATE(CMibAgent, CWnd)

CMibAgent::CMibAgent() = default;

CMibAgent::~CMibAgent() {
    const auto comms = m_comms;
    for (CMibComm* comm : comms)
        comm->SetAgent(nullptr);
}

void CMibAgent::SetAgentName(LPCTSTR name) {
    m_trace.call("SetAgentName", {mib::MibTrace::quoted(name ? name : "")});
    m_agentName = name;
    rebindAll();
}

void CMibAgent::SetTimeout(short seconds) {
    m_trace.call("SetTimeout", {std::to_string(seconds)});
    m_timeout = std::max<short>(0, seconds);
    rebindAll();
}

void CMibAgent::SetRetries(short retries) {
    m_trace.call("SetRetries", {std::to_string(retries)});
    m_retries = std::max<short>(0, retries);
    rebindAll();
}

void CMibAgent::SetAddress(LPCTSTR address) {
    m_trace.call("SetAddress", {mib::MibTrace::quoted(address ? address : "")});
    m_address = address;
}

void CMibAgent::SetCredentials(LPCTSTR credentials) {
    m_trace.call("SetCredentials", {mib::MibTrace::masked(credentials ? credentials : "")});
    m_credentials = credentials;
}

void CMibAgent::SetPollingPeriod(long milliseconds) {
    m_trace.call("SetPollingPeriod", {std::to_string(milliseconds)});
    m_pollingPeriodMs = milliseconds > 0 ? milliseconds : 5000;
    rebindAll();
}

void CMibAgent::SetChangeJournal(std::shared_ptr<mib::ChangeJournal> journal) {
    m_journal = std::move(journal);
    rebindAll();
}

void CMibAgent::SetTransport(std::shared_ptr<mib::Transport> transport) {
    // Requests open on the old transport cannot move: their comms start afresh.
    const auto comms = m_comms;
    for (CMibComm* comm : comms)
        comm->SetAgent(nullptr);
    m_transport = std::move(transport);
    for (CMibComm* comm : comms)
        comm->SetAgent(this);
}

void CMibAgent::SetDictionary(const mib::MibDictionary* dictionary) {
    m_dictionary = dictionary;
}

const mib::MibDictionary& CMibAgent::GetDictionary() const {
    return m_dictionary ? *m_dictionary : mib::MibDictionary::builtin();
}

void CMibAgent::countFailure(bool set, bool polled) {
    int& count = set ? m_failures.sets : polled ? m_failures.polledReads : m_failures.reads;
    ++count;
}

std::optional<std::int64_t> CMibAgent::pendingDeadline() const {
    std::optional<std::int64_t> latest;
    for (CMibComm* comm : m_comms) {
        const mib::RequestEngine* engine = comm->engine();
        const auto deadline = engine ? engine->pendingDeadline() : std::nullopt;
        if (deadline) {
            latest = std::max(latest.value_or(*deadline), *deadline);
        }
    }
    return latest;
}

void CMibAgent::attach(CMibComm* comm) {
    if (std::find(m_comms.begin(), m_comms.end(), comm) == m_comms.end())
        m_comms.push_back(comm);
}

void CMibAgent::detach(CMibComm* comm) {
    std::erase(m_comms, comm);
}

void CMibAgent::rebindAll() {
    for (CMibComm* comm : m_comms)
        comm->agentSettingsChanged();
}
