#include "framework/mib/netsnmp_transport.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <deque>
#include <map>

// clang-format off
#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>
#include <net-snmp/library/large_fd_set.h>
// clang-format on

#include "framework/mib/netsnmp_library.h"
#include "framework/mib/netsnmp_varbind.h"
#include "framework/mib/pdu_name.h"

namespace mib {

namespace {

// Sizes we ask Net-SNMP for: one UDP datagram, with room for IP/UDP headers.
constexpr int kMaxMessageSize = 65000;
constexpr int kPduOverhead = 200;
// Conservative encoded size of one varbind of a table column (OID with a
// short index, value up to a short string).
constexpr int kVarBindEstimate = 48;

int pduCommand(PduType type) {
    switch (type) {
        case PduType::Get:
            return SNMP_MSG_GET;
        case PduType::GetNext:
            return SNMP_MSG_GETNEXT;
        case PduType::GetBulk:
            return SNMP_MSG_GETBULK;
        case PduType::Set:
            return SNMP_MSG_SET;
    }
    return SNMP_MSG_GET;
}

const Oid kUsmStats = {1, 3, 6, 1, 6, 3, 15, 1, 1};

// The answer to an engine discovery probe: usmStatsUnknownEngineIDs.
bool reportsUnknownEngine(const netsnmp_pdu& report) {
    if (report.command != SNMP_MSG_REPORT || report.variables == nullptr) {
        return false;
    }
    Oid expected = kUsmStats;
    expected.push_back(4);
    const Oid name(report.variables->name, report.variables->name + report.variables->name_length);
    return oidStartsWith(name, expected);
}

// usmStats / snmpUnknown counters an agent reports instead of answering. A wrong digest or a
// failed decryption comes as much from a protocol the agent's user does not have as from a
// wrong pass phrase, so the protocol in use is named.
std::string reportCause(const netsnmp_pdu& report, const NetSnmpConfig& config) {
    if (report.variables != nullptr) {
        const Oid name(report.variables->name,
                       report.variables->name + report.variables->name_length);
        if (oidStartsWith(name, kUsmStats) && name.size() > kUsmStats.size()) {
            switch (name[kUsmStats.size()]) {
                case 1:
                    return std::string("security level ") + securityLevelName(config.level) +
                           " not supported for this user";
                case 2:
                    return "not in time window";
                case 3:
                    return "unknown user name";
                case 4:
                    return "unknown engine ID";
                case 5:
                    return std::string(
                               "wrong authentication pass phrase or protocol (wrong "
                               "digest; authentication protocol ") +
                           authProtocolName(config.authProtocol) + ")";
                case 6:
                    return std::string(
                               "wrong privacy pass phrase or protocol (decryption "
                               "error; privacy protocol ") +
                           privProtocolName(config.privProtocol) + ")";
                default:
                    break;
            }
        }
        return "report " + oidToString(name);
    }
    return "report without variables";
}

int toLibraryVersion(SnmpVersion v) {
    switch (v) {
        case SnmpVersion::V1:
            return SNMP_VERSION_1;
        case SnmpVersion::V2c:
            return SNMP_VERSION_2c;
        case SnmpVersion::V3:
            return SNMP_VERSION_3;
    }
    return SNMP_VERSION_2c;
}

}  // namespace

struct NetSnmpTransport::Pending {
    Ticket ticket = 0;
    Completion done;
    PduType type = PduType::Get;
    SendOptions options;
    int tries = 1;
    bool cancelled = false;
    bool discovery = false;  // an SNMPv3 engine discovery probe for sessionKey
    SessionKey sessionKey;
};

namespace {

// Net-SNMP keeps SNMPv3 keys per (engine, user) process-wide and shares them
// between sessions: count the sessions using each so that the last one to
// close can forget them (a changed password then counts).
std::map<std::string, int>& usmUserUse() {
    static std::map<std::string, int> use;
    return use;
}

std::string usmUserKey(const netsnmp_session& s) {
    return std::string(reinterpret_cast<const char*>(s.securityEngineID), s.securityEngineIDLen) +
           '\0' + std::string(s.securityName, s.securityNameLen);
}

}  // namespace

struct NetSnmpTransport::Session {
    enum class Engine { Unknown, Discovering, Known };
    struct Waiting {
        Ticket ticket = 0;
        RequestPdu request;
        Completion done;
    };

    void* handle = nullptr;
    int fd = -1;
    std::string usmKey;             // empty until an SNMPv3 engine is known
    Engine engine = Engine::Known;  // v1/v2c have none to discover
    std::deque<Waiting> waiting;    // sent while the engine is being discovered
    ~Session() {
        if (handle == nullptr) {
            return;
        }
        netsnmp_session* s = snmp_sess_session(handle);
        if (!usmKey.empty() && s != nullptr && --usmUserUse()[usmKey] == 0) {
            usmUserUse().erase(usmKey);
            if (usmUser* user =
                    usm_get_user(s->securityEngineID, s->securityEngineIDLen, s->securityName);
                user != nullptr) {
                usm_remove_user(user);
                usm_free_user(user);
            }
        }
        snmp_sess_close(handle);
    }
};

namespace {

// The request's magic is its ticket, never a pointer: Net-SNMP may call back
// more than once for one request (a security error, then the report itself).
int onNetSnmpCallback(int operation, netsnmp_session* session, int /*reqid*/, netsnmp_pdu* pdu,
                      void* magic) {
    if (session == nullptr || session->callback_magic == nullptr) {
        return 1;
    }
    static_cast<NetSnmpTransport*>(session->callback_magic)
        ->onNetSnmpEvent(static_cast<Transport::Ticket>(reinterpret_cast<std::uintptr_t>(magic)),
                         operation, pdu);
    return 1;
}

}  // namespace

void NetSnmpTransport::onNetSnmpEvent(Ticket ticket, int operation, const snmp_pdu* pdu) {
    if (m_closing) {
        return;
    }
    auto it = m_pending.find(ticket);
    if (it == m_pending.end()) {
        return;  // already completed
    }
    Pending& pending = *it->second;
    if (pending.discovery) {
        onDiscoveryEvent(pending, operation, pdu);
        if (operation != NETSNMP_CALLBACK_OP_RESEND) {
            m_pending.erase(it);
        }
        return;
    }
    if (operation == NETSNMP_CALLBACK_OP_RESEND) {
        // A retry is under way: not a result, the request stays outstanding.
        ++pending.tries;
        return;
    }
    TransportResult result;
    const std::string agent = describe();
    const std::string what = std::string(pduName(pending.type)) + " to " + agent;
    switch (operation) {
        case NETSNMP_CALLBACK_OP_RECEIVED_MESSAGE:
            if (pdu == nullptr) {
                result.outcome = TransportOutcome::Malformed;
                result.message = "Empty response to " + what;
                break;
            }
            if (pdu->command == SNMP_MSG_REPORT) {
                result.outcome = TransportOutcome::AuthFailed;
                result.message = what + " refused: " + reportCause(*pdu, m_config);
                break;
            }
            if (pdu->command != SNMP_MSG_RESPONSE) {
                result.outcome = TransportOutcome::Malformed;
                result.message = "Malformed response to " + what + ": PDU type " +
                                 std::to_string(pdu->command) + " instead of a response";
                break;
            }
            result.outcome = TransportOutcome::Response;
            result.response.errorStatus = static_cast<ErrorStatus>(pdu->errstat);
            result.response.errorIndex = static_cast<int>(pdu->errindex);
            for (const netsnmp_variable_list* v = pdu->variables; v != nullptr;
                 v = v->next_variable) {
                VarBind vb;
                std::string error;
                if (!netsnmp::decodeVariable(*v, &vb, &error)) {
                    result = TransportResult{};
                    result.outcome = TransportOutcome::Malformed;
                    result.message = "Malformed response to " + what + ": " + error;
                    break;
                }
                result.response.varbinds.push_back(std::move(vb));
            }
            break;
        case NETSNMP_CALLBACK_OP_TIMED_OUT:
            result.outcome = TransportOutcome::Timeout;
            result.message = "No response from " + agent + " to " + pduName(pending.type) +
                             " after " + std::to_string(pending.tries) + " tries of " +
                             std::to_string(pending.options.timeoutSeconds) +
                             " s (agent down, unreachable, or wrong community)";
            break;
        case NETSNMP_CALLBACK_OP_SEC_ERROR:
            result.outcome = TransportOutcome::AuthFailed;
            result.message =
                what + " refused: " +
                (pdu != nullptr && pdu->command == SNMP_MSG_REPORT
                     ? reportCause(*pdu, m_config)
                     : std::string("security error (SNMPv3 credentials do not match the agent)"));
            break;
        default:
            result.outcome = TransportOutcome::SendFailed;
            result.message = "Cannot send " + what;
            break;
    }
    if (!pending.cancelled) {
        m_ready.emplace(ticket, std::make_pair(std::move(result), std::move(pending.done)));
        deliverLater(ticket);
    }
    m_pending.erase(it);
}

NetSnmpTransport::NetSnmpTransport(NetSnmpConfig config, afx::EventLoop& loop)
    : m_config(std::move(config)), m_loop(loop) {
    netsnmp::ensureInitialized("sw");
}

NetSnmpTransport::~NetSnmpTransport() {
    m_closing = true;
    *m_alive = false;
    for (const auto& [fd, watch] : m_watches) {
        m_loop.unwatchFd(watch);
    }
    if (m_timer != 0) {
        m_loop.cancelTimer(m_timer);
    }
    m_sessions.clear();  // Net-SNMP may still call back into m_pending here
    m_pending.clear();
}

std::size_t NetSnmpTransport::pendingCount() const {
    std::size_t waiting = 0;
    for (const auto& [key, session] : m_sessions) {
        waiting += session->waiting.size();
    }
    return m_pending.size() + m_ready.size() + waiting;
}

std::string NetSnmpTransport::describe() const {
    return describeConfig(m_config);
}

int NetSnmpTransport::bulkRepetitions(int columns) const {
    if (m_config.version == SnmpVersion::V1) {
        return 0;
    }
    if (m_config.maxRepetitions > 0) {
        return m_config.maxRepetitions;
    }
    const int perRow = std::max(columns, 1) * kVarBindEstimate;
    return std::clamp((kMaxMessageSize - kPduOverhead) / perRow, 1, 1000);
}

NetSnmpTransport::Session* NetSnmpTransport::sessionFor(const SendOptions& options,
                                                        TransportResult* failure) {
    const auto key = std::make_pair(options.timeoutSeconds, options.retries);
    if (auto it = m_sessions.find(key); it != m_sessions.end()) {
        return it->second.get();
    }
    netsnmp_session s;
    snmp_sess_init(&s);
    std::string peer = m_config.address;
    std::string community = m_config.community;
    std::string user = m_config.user;
    s.peername = peer.data();
    s.version = toLibraryVersion(m_config.version);
    s.timeout = static_cast<long>(std::max(options.timeoutSeconds, 1)) * 1000000L;
    s.retries = std::max(options.retries, 0);
    s.rcvMsgMaxSize = kMaxMessageSize;
    s.callback = onNetSnmpCallback;
    s.callback_magic = this;
    s.sndMsgMaxSize = kMaxMessageSize;
    failure->outcome = TransportOutcome::SendFailed;
    if (m_config.version != SnmpVersion::V3) {
        s.community = reinterpret_cast<u_char*>(community.data());
        s.community_len = community.size();
    } else {
        // Discovery is ours (startDiscovery): Net-SNMP's would block this thread.
        s.flags |= SNMP_FLAGS_DONT_PROBE;
        s.securityName = user.data();
        s.securityNameLen = user.size();
        s.securityModel = SNMP_SEC_MODEL_USM;
        s.securityLevel = m_config.level == SecurityLevel::NoAuthNoPriv ? SNMP_SEC_LEVEL_NOAUTH
                          : m_config.level == SecurityLevel::AuthNoPriv ? SNMP_SEC_LEVEL_AUTHNOPRIV
                                                                        : SNMP_SEC_LEVEL_AUTHPRIV;
        if (m_config.level != SecurityLevel::NoAuthNoPriv) {
            switch (m_config.authProtocol) {
                case AuthProtocol::Md5:
                    s.securityAuthProto = usmHMACMD5AuthProtocol;
                    break;
                case AuthProtocol::Sha1:
                    s.securityAuthProto = usmHMACSHA1AuthProtocol;
                    break;
                case AuthProtocol::Sha256:
                    s.securityAuthProto = usmHMAC192SHA256AuthProtocol;
                    break;
            }
            s.securityAuthProtoLen = USM_AUTH_PROTO_SHA_LEN;
            s.securityAuthKeyLen = USM_AUTH_KU_LEN;
            const std::string& pass = m_config.authPassword;
            if (pass.size() < USM_LENGTH_P_MIN ||
                generate_Ku(s.securityAuthProto, s.securityAuthProtoLen,
                            reinterpret_cast<const u_char*>(pass.data()), pass.size(),
                            s.securityAuthKey, &s.securityAuthKeyLen) != SNMPERR_SUCCESS) {
                failure->message = "Cannot use the authentication password for " + describe() +
                                   ": it needs at least 8 characters";
                return nullptr;
            }
        }
        if (m_config.level == SecurityLevel::AuthPriv) {
            s.securityPrivProto = m_config.privProtocol == PrivProtocol::Des ? usmDESPrivProtocol
                                                                             : usmAESPrivProtocol;
            s.securityPrivProtoLen = USM_PRIV_PROTO_AES_LEN;
            s.securityPrivKeyLen = USM_PRIV_KU_LEN;
            const std::string& pass = m_config.privPassword;
            if (pass.size() < USM_LENGTH_P_MIN ||
                generate_Ku(s.securityAuthProto, s.securityAuthProtoLen,
                            reinterpret_cast<const u_char*>(pass.data()), pass.size(),
                            s.securityPrivKey, &s.securityPrivKeyLen) != SNMPERR_SUCCESS) {
                failure->message = "Cannot use the privacy password for " + describe() +
                                   ": it needs at least 8 characters";
                return nullptr;
            }
        }
    }
    void* handle = snmp_sess_open(&s);
    std::memset(s.securityAuthKey, 0, sizeof s.securityAuthKey);
    std::memset(s.securityPrivKey, 0, sizeof s.securityPrivKey);
    if (handle == nullptr) {
        failure->message =
            "Cannot open a session to " + describe() + ": " + snmp_api_errstring(s.s_snmp_errno);
        return nullptr;
    }
    auto session = std::make_unique<Session>();
    session->handle = handle;
    if (m_config.version == SnmpVersion::V3) {
        session->engine = Session::Engine::Unknown;
    }
    if (netsnmp_transport* t = snmp_sess_transport(handle); t != nullptr) {
        session->fd = t->sock;
    }
    Session* raw = session.get();
    m_sessions.emplace(key, std::move(session));
    return raw;
}

Transport::Ticket NetSnmpTransport::send(const RequestPdu& request, const SendOptions& options,
                                         Completion done) {
    const Ticket ticket = m_nextTicket++;
    TransportResult failure;
    if (request.type == PduType::GetBulk && m_config.version == SnmpVersion::V1) {
        failure.outcome = TransportOutcome::SendFailed;
        failure.message = "GETBULK cannot be sent to " + describe() + " with SNMPv1";
        failLater(ticket, std::move(done), std::move(failure));
        return ticket;
    }
    Session* session = sessionFor(options, &failure);
    if (session == nullptr) {
        failLater(ticket, std::move(done), std::move(failure));
        return ticket;
    }
    if (session->engine != Session::Engine::Known) {
        session->waiting.push_back({ticket, request, std::move(done)});
        if (session->engine == Session::Engine::Unknown) {
            startDiscovery({options.timeoutSeconds, options.retries}, session, options);
        }
        return ticket;
    }
    sendNow(session, ticket, request, options, std::move(done));
    return ticket;
}

void NetSnmpTransport::sendNow(Session* session, Ticket ticket, const RequestPdu& request,
                               const SendOptions& options, Completion done) {
    netsnmp::PduPtr pdu(snmp_pdu_create(pduCommand(request.type)));
    if (request.type == PduType::GetBulk) {
        pdu->non_repeaters = request.nonRepeaters;
        pdu->max_repetitions = request.maxRepetitions;
    }
    for (const VarBind& vb : request.varbinds) {
        netsnmp::appendVarBind(pdu.get(),
                               request.type == PduType::Set ? vb : VarBind{vb.oid, Value::null()});
    }
    auto pending = std::make_unique<Pending>();
    pending->ticket = ticket;
    pending->done = std::move(done);
    pending->type = request.type;
    pending->options = options;
    if (snmp_sess_async_send(session->handle, pdu.get(), onNetSnmpCallback,
                             reinterpret_cast<void*>(static_cast<std::uintptr_t>(ticket))) == 0) {
        int libErr = 0;
        int sysErr = 0;
        char* text = nullptr;
        snmp_sess_error(session->handle, &sysErr, &libErr, &text);
        TransportResult failure;
        failure.outcome = TransportOutcome::SendFailed;
        failure.message = "Cannot send " + std::string(pduName(request.type)) + " to " +
                          describe() + ": " + (text != nullptr ? text : "unknown error");
        SNMP_FREE(text);
        failLater(ticket, std::move(pending->done), std::move(failure));
        return;
    }
    (void)pdu.release();  // Net-SNMP owns it now
    ++m_requestsSent;
    m_pending.emplace(ticket, std::move(pending));
    rearm();
}

// USM discovery (RFC 3414 4): an unauthenticated empty GET without engine ID;
// the agent reports usmStatsUnknownEngineIDs from its engine, with its boots
// and time, which Net-SNMP's USM records as it parses the report.
void NetSnmpTransport::startDiscovery(const SessionKey& key, Session* session,
                                      const SendOptions& options) {
    netsnmp_session* sp = snmp_sess_session(session->handle);
    // Until finishDiscovery, also when the probe cannot even be sent.
    session->engine = Session::Engine::Discovering;
    netsnmp::PduPtr pdu(snmp_pdu_create(SNMP_MSG_GET));
    pdu->version = SNMP_VERSION_3;
    pdu->securityModel = SNMP_SEC_MODEL_USM;
    pdu->securityLevel = SNMP_SEC_LEVEL_NOAUTH;
    // Empty, not null: a null name would be filled in with the session's user.
    pdu->securityName = strdup("");
    pdu->securityNameLen = 0;
    const Ticket probe = m_nextTicket++;
    // Without it the send itself would run Net-SNMP's blocking discovery first.
    sp->flags |= SNMP_FLAGS_DONT_PROBE;
    if (snmp_sess_async_send(session->handle, pdu.get(), onNetSnmpCallback,
                             reinterpret_cast<void*>(static_cast<std::uintptr_t>(probe))) == 0) {
        int libErr = 0;
        int sysErr = 0;
        char* text = nullptr;
        snmp_sess_error(session->handle, &sysErr, &libErr, &text);
        TransportResult failure;
        failure.outcome = TransportOutcome::SendFailed;
        failure.message = "Cannot send SNMPv3 engine discovery to " + describe() + ": " +
                          (text != nullptr ? text : "unknown error");
        SNMP_FREE(text);
        // Posted, so the waiting requests never complete inside send().
        std::weak_ptr<bool> alive = m_alive;
        m_loop.post([this, alive, key, failure] {
            if (!alive.expired()) {
                finishDiscovery(key, failure);
            }
        });
        return;
    }
    (void)pdu.release();
    ++m_discoveriesSent;
    auto pending = std::make_unique<Pending>();
    pending->ticket = probe;
    pending->options = options;
    pending->discovery = true;
    pending->sessionKey = key;
    m_pending.emplace(probe, std::move(pending));
    rearm();
}

void NetSnmpTransport::onDiscoveryEvent(Pending& probe, int operation, const snmp_pdu* pdu) {
    if (operation == NETSNMP_CALLBACK_OP_RESEND) {
        ++probe.tries;
        return;
    }
    const std::string agent = describe();
    TransportResult failure;  // outcome Response: the engine is known
    auto it = m_sessions.find(probe.sessionKey);
    // Net-SNMP hands the expected report over as a security error.
    const bool answered =
        pdu != nullptr && pdu->securityEngineIDLen > 0 &&
        (operation == NETSNMP_CALLBACK_OP_RECEIVED_MESSAGE ||
         (operation == NETSNMP_CALLBACK_OP_SEC_ERROR && reportsUnknownEngine(*pdu)));
    switch (answered ? NETSNMP_CALLBACK_OP_RECEIVED_MESSAGE : operation) {
        case NETSNMP_CALLBACK_OP_RECEIVED_MESSAGE:
            if (!answered || it == m_sessions.end()) {
                failure.outcome = TransportOutcome::Malformed;
                failure.message =
                    "Unusable answer from " + agent + " to SNMPv3 engine discovery: no engine ID";
                break;
            }
            if (netsnmp_session* sp = snmp_sess_session(it->second->handle);
                sp != nullptr && sp->securityEngineIDLen == 0) {
                sp->securityEngineID = static_cast<u_char*>(
                    netsnmp_memdup(pdu->securityEngineID, pdu->securityEngineIDLen));
                sp->securityEngineIDLen = pdu->securityEngineIDLen;
                if (sp->contextEngineIDLen == 0) {
                    sp->contextEngineID = static_cast<u_char*>(
                        netsnmp_memdup(pdu->securityEngineID, pdu->securityEngineIDLen));
                    sp->contextEngineIDLen = pdu->securityEngineIDLen;
                }
            }
            break;
        case NETSNMP_CALLBACK_OP_TIMED_OUT:
            failure.outcome = TransportOutcome::Timeout;
            failure.message = "No response from " + agent + " to SNMPv3 engine discovery after " +
                              std::to_string(probe.tries) + " tries of " +
                              std::to_string(probe.options.timeoutSeconds) +
                              " s (agent down or unreachable)";
            break;
        case NETSNMP_CALLBACK_OP_SEC_ERROR:
            failure.outcome = TransportOutcome::AuthFailed;
            failure.message =
                "SNMPv3 engine discovery at " + agent + " refused: " +
                (pdu != nullptr && pdu->command == SNMP_MSG_REPORT ? reportCause(*pdu, m_config)
                                                                   : std::string("security error"));
            break;
        default:
            failure.outcome = TransportOutcome::SendFailed;
            failure.message = "Cannot send SNMPv3 engine discovery to " + agent;
            break;
    }
    // Continued from the loop: Net-SNMP is still inside its read or timeout.
    std::weak_ptr<bool> alive = m_alive;
    m_loop.post([this, alive, key = probe.sessionKey, failure = std::move(failure)] {
        if (!alive.expired()) {
            finishDiscovery(key, failure);
        }
    });
}

void NetSnmpTransport::finishDiscovery(const SessionKey& key, const TransportResult& failure) {
    auto it = m_sessions.find(key);
    if (it == m_sessions.end()) {
        return;
    }
    Session& session = *it->second;
    std::deque<Session::Waiting> waiting;
    waiting.swap(session.waiting);
    TransportResult result = failure;
    if (result.outcome == TransportOutcome::Response) {
        netsnmp_session* sp = snmp_sess_session(session.handle);
        // What Net-SNMP does after its own discovery: the user's keys, localized to the engine.
        if (sp == nullptr || sp->securityEngineIDLen == 0 ||
            usm_create_user_from_session(sp) != SNMPERR_SUCCESS) {
            result.outcome = TransportOutcome::SendFailed;
            result.message = "Cannot set up the SNMPv3 user for " + describe();
        } else {
            session.engine = Session::Engine::Known;
            session.usmKey = usmUserKey(*sp);
            ++usmUserUse()[session.usmKey];
            for (Session::Waiting& w : waiting) {
                sendNow(&session, w.ticket, w.request, {key.first, key.second}, std::move(w.done));
            }
            return;
        }
    }
    // The next send discovers again.
    session.engine = Session::Engine::Unknown;
    for (Session::Waiting& w : waiting) {
        failLater(w.ticket, std::move(w.done), result);
    }
}

void NetSnmpTransport::cancel(Ticket ticket) {
    if (auto it = m_pending.find(ticket); it != m_pending.end()) {
        // Net-SNMP keeps the request until it answers or times out.
        it->second->cancelled = true;
        it->second->done = nullptr;
    }
    for (auto& [key, session] : m_sessions) {
        std::erase_if(session->waiting,
                      [ticket](const Session::Waiting& w) { return w.ticket == ticket; });
    }
    m_ready.erase(ticket);
}

void NetSnmpTransport::failLater(Ticket ticket, Completion done, TransportResult result) {
    m_ready.emplace(ticket, std::make_pair(std::move(result), std::move(done)));
    deliverLater(ticket);
}

void NetSnmpTransport::deliverLater(Ticket ticket) {
    // Completions run as posted tasks so that they may destroy this transport.
    std::weak_ptr<bool> alive = m_alive;
    m_loop.post([this, alive, ticket] {
        if (alive.expired()) {
            return;
        }
        auto it = m_ready.find(ticket);
        if (it == m_ready.end()) {
            return;  // cancelled
        }
        auto [result, done] = std::move(it->second);
        m_ready.erase(it);
        if (done) {
            done(result);
        }
    });
}

void NetSnmpTransport::rearm() {
    if (m_closing) {
        return;
    }
    long earliestMs = -1;
    for (auto& [key, session] : m_sessions) {
        int numfds = 0;
        int block = 1;
        struct timeval tv = {0, 0};
        netsnmp_large_fd_set fds;
        netsnmp_large_fd_set_init(&fds, FD_SETSIZE);
        snmp_sess_select_info2_flags(session->handle, &numfds, &fds, &tv, &block,
                                     NETSNMP_SELECT_NOALARMS);
        for (int fd = 0; fd < numfds; ++fd) {
            if (!NETSNMP_LARGE_FD_ISSET(fd, &fds)) {
                continue;
            }
            const bool watched = std::any_of(m_watches.begin(), m_watches.end(),
                                             [fd](const auto& w) { return w.first == fd; });
            if (!watched) {
                Session* s = session.get();
                m_watches.emplace_back(fd, m_loop.watchFd(fd, [this, s] { onReadable(s); }));
            }
        }
        netsnmp_large_fd_set_cleanup(&fds);
        if (block == 0) {
            const long ms = tv.tv_sec * 1000L + (tv.tv_usec + 999) / 1000;
            earliestMs = earliestMs < 0 ? ms : std::min(earliestMs, ms);
        }
    }
    if (m_timer != 0) {
        m_loop.cancelTimer(m_timer);
        m_timer = 0;
    }
    if (earliestMs >= 0) {
        m_timer = m_loop.addTimer(earliestMs, [this] {
            m_timer = 0;
            onTimer();
        });
    }
}

void NetSnmpTransport::onReadable(Session* session) {
    netsnmp_large_fd_set fds;
    netsnmp_large_fd_set_init(&fds, FD_SETSIZE);
    NETSNMP_LARGE_FD_SET(session->fd, &fds);
    snmp_sess_read2(session->handle, &fds);
    netsnmp_large_fd_set_cleanup(&fds);
    rearm();
}

void NetSnmpTransport::onTimer() {
    for (auto& [key, session] : m_sessions) {
        snmp_sess_timeout(session->handle);
    }
    rearm();
}

}  // namespace mib
