#include "framework/mib/mib_comm.h"

#include "framework/mib/mib_agent.h"
#include "framework/mib/mib_error.h"
#include "framework/mib/request_engine.h"
#include "framework/mib/set_preview.h"
#include "framework/mib/value_format.h"

IMPLEMENT_DYNCREATE(CMibComm, CWnd)

namespace {

std::string text(LPCTSTR s) {
    return s ? s : "";
}
std::string quoted(LPCTSTR s) {
    return mib::MibTrace::quoted(text(s));
}
std::string num(long n) {
    return std::to_string(n);
}

// The numbers of an instance and their trace text "[1.2.3]".
std::vector<std::uint32_t> instanceNumbers(const CUIntArray* instance, std::string* shown) {
    std::vector<std::uint32_t> numbers;
    std::string joined;
    if (instance != nullptr) {
        for (UINT n : *instance) {
            numbers.push_back(n);
            if (!joined.empty()) {
                joined += '.';
            }
            joined += std::to_string(n);
        }
    }
    *shown = "[" + joined + "]";
    return numbers;
}

}  // namespace

CMibComm::CMibComm() = default;

CMibComm::CMibComm(CMibAgent* agent) {
    SetAgent(agent);
}

CMibComm::~CMibComm() {
    SetAgent(nullptr);
}

void CMibComm::SetAgent(CMibAgent* agent) {
    if (m_agent != nullptr)
        m_agent->detach(this);
    m_engine.reset();
    m_agent = agent;
    if (m_agent == nullptr)
        return;
    m_agent->attach(this);
    if (m_agent->GetTransport() == nullptr)
        return;
    m_engine = std::make_unique<mib::RequestEngine>(
        m_agent->GetDictionary(), *m_agent->GetTransport(), m_agent->GetEventLoop(),
        mib::EngineSettings{}, &m_agent->GetTrace());
    m_engine->setListener([this](long h, bool ok) { completed(h, ok); });
    agentSettingsChanged();
}

void CMibComm::agentSettingsChanged() {
    if (!m_engine || !m_agent)
        return;
    auto& settings = m_engine->settings();
    settings.agentName = m_agent->GetAgentName().str();
    settings.timeoutSeconds = m_agent->GetTimeout();
    settings.retries = m_agent->GetRetries();
    settings.pollingPeriodMs = m_agent->GetPollingPeriod();
    m_engine->setJournal(m_agent->GetChangeJournal(), m_source);
}

void CMibComm::SetChangeSource(mib::ChangeSource source) {
    m_source = std::move(source);
    agentSettingsChanged();
}

void CMibComm::completed(long h, bool succeeded) {
    if (m_agent) {
        m_agent->GetTrace().call(succeeded ? "OnRequestDone" : "OnError", {num(h)});
        // A read of a row the agent does not hold was answered: whether that is a fault is
        // the page's to say (some rows, a port's mirroring session say, may be absent).
        const bool set = m_engine && m_engine->completedSet(h);
        const bool absentRow =
            !set && m_engine && m_engine->completedError(h) == mib::kMibNoSuchRow;
        if (!succeeded && m_engine && !absentRow) {
            m_agent->countFailure(set, m_engine->completedPolledRead(h));
        }
    }
    if (m_owner == nullptr)
        return;
    if (succeeded) {
        m_owner->OnRequestDone(static_cast<int>(h));
    } else {
        m_owner->OnError(static_cast<int>(h));
    }
}

void CMibComm::trace(const char* operation, std::vector<std::string> arguments) {
    if (m_agent)
        m_agent->GetTrace().call(operation, arguments);
}

const mib::MibDictionary& CMibComm::dictionary() const {
    return m_agent ? m_agent->GetDictionary() : mib::MibDictionary::builtin();
}

long CMibComm::OpenListRequest(long reserved, LPCTSTR table, CStringArray* names) {
    std::vector<std::string> list;
    std::string joined;
    if (names != nullptr) {
        for (const CString& name : *names) {
            list.push_back(name.str());
            joined += (joined.empty() ? "" : " ") + name.str();
        }
    }
    trace("OpenListRequest", {num(reserved), quoted(table), "[" + joined + "]"});
    return m_engine ? m_engine->open(text(table), list) : 0;
}

long CMibComm::OpenRequest(long reserved, LPCTSTR table, const LPCTSTR* names, long count) {
    std::vector<std::string> list;
    std::string joined;
    for (long i = 0; names != nullptr && i < count; ++i) {
        list.push_back(text(names[i]));
        joined += (joined.empty() ? "" : " ") + list.back();
    }
    trace("OpenRequest", {num(reserved), quoted(table), "[" + joined + "]", num(count)});
    if (count < 0 || (count > 0 && names == nullptr))
        return 0;
    return m_engine ? m_engine->open(text(table), list) : 0;
}

void CMibComm::ReleaseRequest(long h) {
    trace("ReleaseRequest", {num(h)});
    if (m_engine)
        m_engine->release(h);
}

void CMibComm::SetReload(long h, short reload) {
    trace("SetReload", {num(h), num(reload)});
    if (m_engine)
        m_engine->setReload(h, reload != 0);
}

void CMibComm::SetInstance(long h, CUIntArray* instance) {
    std::string shown;
    const std::vector<std::uint32_t> numbers = instanceNumbers(instance, &shown);
    trace("SetInstance", {num(h), shown});
    if (m_engine)
        m_engine->setInstance(h, numbers);
}

BOOL CMibComm::SetRowIndex(long h, CStringArray* index) {
    std::vector<std::string> texts;
    std::string joined;
    if (index != nullptr) {
        for (const CString& t : *index) {
            texts.push_back(t.str());
            joined += (joined.empty() ? "" : ", ") + mib::MibTrace::quoted(t.str());
        }
    }
    trace("SetRowIndex", {num(h), "[" + joined + "]"});
    return m_engine && m_engine->setRowIndex(h, texts);
}

BOOL CMibComm::RequestTable(long h) {
    trace("RequestTable", {num(h)});
    return m_engine && m_engine->requestTable(h);
}

BOOL CMibComm::RequestRow(long h) {
    trace("RequestRow", {num(h)});
    return m_engine && m_engine->requestRow(h);
}

long CMibComm::GetRowCount(long h) {
    return m_engine ? m_engine->rowCount(h) : 0;
}

BOOL CMibComm::GotoRow(long h, long row) {
    return m_engine && row <= INT32_MAX && m_engine->gotoRow(h, static_cast<int>(row));
}

long CMibComm::GetInteger(long h, LPCTSTR var) {
    return m_engine ? m_engine->getInteger(h, text(var)) : 0;
}

CString CMibComm::GetString(long h, LPCTSTR var) {
    return m_engine ? CString(m_engine->getString(h, text(var))) : CString();
}

CString CMibComm::GetValueText(long h, LPCTSTR var, BOOL raw) {
    return m_engine ? CString(m_engine->getString(h, text(var), raw != FALSE)) : CString();
}

long CMibComm::GetOctets(long h, LPCTSTR var, char* buffer, long size) {
    if (!m_engine || size > INT32_MAX)
        return 0;
    return m_engine->getOctets(h, text(var), buffer, static_cast<int>(size));
}

long CMibComm::GetOctets(long h, LPCTSTR var, unsigned char* buffer, long size) {
    return GetOctets(h, var, reinterpret_cast<char*>(buffer), size);
}

BOOL CMibComm::IsPending(long h) {
    return m_engine && m_engine->isPending(h);
}

BOOL CMibComm::IsSetCompletion(long h) {
    return m_engine && m_engine->completedSet(h);
}

BOOL CMibComm::IsPolledCompletion(long h) {
    return m_engine && m_engine->completedPolledRead(h);
}

long CMibComm::GetErrorCode(long h) {
    return m_engine ? m_engine->errorCode(h) : mib::kMibNoSuchRequest;
}

CString CMibComm::GetErrorText(long h) {
    if (!m_engine)
        return CString("no agent");
    return CString(m_engine->errorText(h));
}

BOOL CMibComm::SetInteger(long h, LPCTSTR var, long value) {
    trace("SetInteger", {num(h), text(var), num(value)});
    return m_engine && m_engine->setInteger(h, text(var), value);
}

BOOL CMibComm::SetString(long h, LPCTSTR var, LPCTSTR value) {
    trace("SetString", {num(h), text(var), quoted(value)});
    return m_engine && m_engine->setString(h, text(var), text(value));
}

BOOL CMibComm::SetIntegerAt(long h, CUIntArray* instance, LPCTSTR var, long value) {
    std::string shown;
    const std::vector<std::uint32_t> numbers = instanceNumbers(instance, &shown);
    trace("SetIntegerAt", {num(h), shown, text(var), num(value)});
    return m_engine && m_engine->setIntegerAt(h, numbers, text(var), value);
}

void CMibComm::SetReRead(long h, BOOL reRead) {
    trace("SetReRead", {num(h), num(reRead)});
    if (m_engine)
        m_engine->setReRead(h, reRead != FALSE);
}

void CMibComm::SetUpdateOthers(long h, BOOL update) {
    trace("SetUpdateOthers", {num(h), num(update)});
    if (m_engine)
        m_engine->setUpdateOthers(h, update != FALSE);
}

void CMibComm::SetSetDelay(long h, long milliseconds) {
    trace("SetSetDelay", {num(h), num(milliseconds)});
    if (m_engine && milliseconds <= INT32_MAX) {
        m_engine->setSetDelay(h, static_cast<int>(milliseconds));
    }
}

BOOL CMibComm::SendSet(long h) {
    trace("SendSet", {num(h)});
    if (!m_engine) {
        return FALSE;
    }
    if (m_agent->GetPreviewSets() && !mib::previewSet(*m_engine, h)) {
        return FALSE;
    }
    return m_engine->sendSet(h);
}

void CMibComm::SetPolling(long h, short periods, BOOL on) {
    trace("SetPolling", {num(h), num(periods), num(on)});
    if (m_engine)
        m_engine->setPolling(h, periods, on != FALSE);
}

void CMibComm::StartPolling(long h, BOOL immediate) {
    trace("StartPolling", {num(h), num(immediate)});
    if (m_engine)
        m_engine->startPolling(h, immediate != FALSE);
}

void CMibComm::StopPolling(long h) {
    trace("StopPolling", {num(h)});
    if (m_engine)
        m_engine->stopPolling(h);
}

void CMibComm::SetRequestTag(long h, long tag) {
    trace("SetRequestTag", {num(h), num(tag)});
    if (m_engine)
        m_engine->setTag(h, tag);
}

long CMibComm::GetRequestTag(long h) {
    return m_engine ? m_engine->tag(h) : 0;
}

short CMibComm::GetTimeout(long h) {
    return m_engine ? static_cast<short>(m_engine->timeout(h)) : 0;
}

void CMibComm::SetTimeout(long h, short seconds) {
    trace("SetTimeout", {num(h), num(seconds)});
    if (m_engine)
        m_engine->setTimeout(h, seconds);
}

short CMibComm::GetRetries(long h) {
    return m_engine ? static_cast<short>(m_engine->retries(h)) : 0;
}

void CMibComm::SetRetries(long h, short retries) {
    trace("SetRetries", {num(h), num(retries)});
    if (m_engine)
        m_engine->setRetries(h, retries);
}

short CMibComm::GetEnumCount(LPCTSTR var) {
    return static_cast<short>(dictionary().enumCount(text(var)));
}

CString CMibComm::GetEnumText(LPCTSTR var, short value) {
    const auto label = dictionary().enumText(text(var), value);
    return label ? CString(*label) : CString();
}

short CMibComm::GetEnumValue(LPCTSTR var, LPCTSTR label) {
    const auto value = dictionary().enumValue(text(var), text(label));
    return value ? static_cast<short>(*value) : static_cast<short>(-1);
}

BOOL CMibComm::IsStringVariable(LPCTSTR var) {
    const mib::MibVariable* variable = dictionary().find(text(var));
    if (variable == nullptr)
        return FALSE;
    return mib::isStringSyntax(variable->syntax) || variable->syntax == mib::Syntax::IpAddress ||
           variable->syntax == mib::Syntax::ObjectIdentifier;
}
