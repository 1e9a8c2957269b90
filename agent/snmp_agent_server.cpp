#include "agent/snmp_agent_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/resource.h>
#include <sys/select.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <thread>
#include <vector>

// clang-format off
#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>
#include <net-snmp/library/large_fd_set.h>
#include <net-snmp/agent/net-snmp-agent-includes.h>
#include <net-snmp/agent/agent_callbacks.h>
// clang-format on

#include "agent/set_replay_cache.h"
#include "framework/mib/netsnmp_library.h"
#include "framework/mib/netsnmp_varbind.h"

extern "C" netsnmp_session* main_session;  // the agent library's listening session

namespace agent {

namespace {

SnmpAgentServer* g_server = nullptr;  // Net-SNMP's agent is process-wide

// A varbind takes at least 6 bytes on the wire: no datagram holds more than this many.
constexpr int kMaxBulkVarbinds = 65535 / 6;

// The largest UDP payload over IPv4.
constexpr std::size_t kMaxDatagram = 65507;
// Message and PDU headers around the varbind list, community or security parameters apart.
constexpr std::size_t kMessageOverhead = 64;

// BER length of a length field and of a tag-length-value with that many content bytes.
std::size_t lengthBytes(std::size_t content) {
    std::size_t bytes = 1;
    if (content >= 0x80) {
        for (std::size_t rest = content; rest != 0; rest >>= 8) {
            ++bytes;
        }
    }
    return bytes;
}

std::size_t encodedSize(std::size_t content) {
    return 1 + lengthBytes(content) + content;
}

std::size_t oidContent(const mib::Oid& oid) {
    std::size_t bytes = 1;  // the first two arcs
    for (std::size_t i = 2; i < oid.size(); ++i) {
        std::size_t sub = 1;
        for (std::uint32_t rest = oid[i] >> 7; rest != 0; rest >>= 7) {
            ++sub;
        }
        bytes += sub;
    }
    return bytes;
}

// An upper bound of the bytes a varbind takes in the answer.
std::size_t varbindSize(const mib::VarBind& vb) {
    std::size_t value = 9;  // integers and counters, with their header
    if (vb.value.type == mib::ValueType::OctetString || vb.value.type == mib::ValueType::Opaque ||
        vb.value.type == mib::ValueType::IpAddress) {
        value = encodedSize(vb.value.octets.size());
    } else if (vb.value.type == mib::ValueType::ObjectId) {
        value = encodedSize(oidContent(vb.value.oid));
    }
    return encodedSize(encodedSize(oidContent(vb.oid)) + value);
}

// Whether the answer to pdu with these varbinds fits in one message to the requester.
bool answerFits(const netsnmp_pdu& pdu, const std::vector<mib::VarBind>& varbinds) {
    std::size_t limit = kMaxDatagram;
    if (pdu.msgMaxSize > 0) {
        limit = std::min(limit, static_cast<std::size_t>(pdu.msgMaxSize));
    }
    std::size_t bytes = kMessageOverhead + pdu.community_len + pdu.securityNameLen +
                        pdu.contextNameLen + pdu.contextEngineIDLen + pdu.securityEngineIDLen;
    for (const mib::VarBind& vb : varbinds) {
        bytes += varbindSize(vb);
        if (bytes > limit) {
            return false;
        }
    }
    return true;
}

// How long serve() waits at most before it looks at its stop request again.
constexpr int kServeSliceMs = 200;

int onAccessCheck(int /*major*/, int /*minor*/, void* serverArg, void* clientArg) {
    return static_cast<SnmpAgentServer*>(clientArg)->checkAccess(serverArg);
}

int onRequests(netsnmp_mib_handler* handler, netsnmp_handler_registration* /*reg*/,
               netsnmp_agent_request_info* reqinfo, netsnmp_request_info* requests) {
    return static_cast<SnmpAgentServer*>(handler->myvoid)->handleRequests(reqinfo, requests);
}

std::string sender(const netsnmp_pdu& pdu) {
    if (pdu.transport_data == nullptr) {
        return {};
    }
    return std::string(static_cast<const char*>(pdu.transport_data), pdu.transport_data_length);
}

// "udp:HOST:PORT" with a numeric IPv4 host; other forms are left to the library.
bool canListen(const std::string& listen, std::string* reason) {
    const std::string prefix = "udp:";
    if (listen.rfind(prefix, 0) != 0) {
        return true;
    }
    const std::string rest = listen.substr(prefix.size());
    const auto colon = rest.rfind(':');
    if (colon == std::string::npos) {
        return true;
    }
    const std::string host = rest.substr(0, colon);
    const std::string portText = rest.substr(colon + 1);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    if (inet_pton(AF_INET, host.c_str(), &address.sin_addr) != 1) {
        return true;  // a name: the library resolves it
    }
    char* end = nullptr;
    errno = 0;
    const long port = std::strtol(portText.c_str(), &end, 10);
    if (portText.empty() || *end != '\0' || errno != 0 || port < 0 || port > 65535) {
        *reason = "port " + portText + " is not a number in 0..65535";
        return false;
    }
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    const int probe = socket(AF_INET, SOCK_DGRAM, 0);
    if (probe < 0) {
        *reason = std::strerror(errno);
        return false;
    }
    const bool bound =
        bind(probe, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    if (!bound) {
        *reason = std::strerror(errno);
    }
    close(probe);
    return bound;
}

}  // namespace

SnmpAgentServer::SnmpAgentServer(mib::PduHandler& handler, AgentConfig config)
    : m_handler(handler), m_config(std::move(config)), m_replays(new SetReplayCache()) {}

SnmpAgentServer::~SnmpAgentServer() {
    if (m_started) {
        // Closes the socket; the rest of the library's state lives as long as
        // the process (its full shutdown frees memory it does not own).
        shutdown_master_agent();
        g_server = nullptr;
    }
}

bool SnmpAgentServer::start(std::string* error) {
    if (g_server != nullptr) {
        *error = "an agent is already running in this process";
        return false;
    }
    // The library only logs why it cannot listen; try the address first to tell the reason.
    if (std::string reason; !canListen(m_config.listen, &reason)) {
        *error = "cannot listen on " + m_config.listen + ": " + reason;
        return false;
    }
    netsnmp_ds_set_boolean(NETSNMP_DS_APPLICATION_ID, NETSNMP_DS_AGENT_ROLE, 0);  // master
    netsnmp_ds_set_boolean(NETSNMP_DS_APPLICATION_ID, NETSNMP_DS_AGENT_NO_ROOT_ACCESS, 1);
    netsnmp_ds_set_boolean(NETSNMP_DS_APPLICATION_ID, NETSNMP_DS_AGENT_AGENTX_MASTER, 0);
    netsnmp_ds_set_boolean(NETSNMP_DS_APPLICATION_ID,
                           NETSNMP_DS_AGENT_DONT_LOG_TCPWRAPPERS_CONNECTS, 1);
    netsnmp_ds_set_string(NETSNMP_DS_APPLICATION_ID, NETSNMP_DS_AGENT_PORTS,
                          m_config.listen.c_str());
    // GETBULK: as many repetitions and varbinds as a datagram can carry, never what a
    // request merely asks for (the library allocates every one before answering).
    netsnmp_ds_set_int(NETSNMP_DS_APPLICATION_ID, NETSNMP_DS_AGENT_MAX_GETBULKREPEATS,
                       kMaxBulkVarbinds);
    netsnmp_ds_set_int(NETSNMP_DS_APPLICATION_ID, NETSNMP_DS_AGENT_MAX_GETBULKRESPONSES,
                       kMaxBulkVarbinds);
    mib::netsnmp::applyLibraryOptions();
    // No SMUX peers: its listener would bind TCP port 199 on every interface.
    static char noSmux[] = "-smux";
    add_to_init_list(noSmux);
    init_agent("swsimd");

    static const oid root[] = {1, 3, 6, 1};
    netsnmp_handler_registration* reg = netsnmp_create_handler_registration(
        "swsimd", onRequests, root, OID_LENGTH(root), HANDLER_CAN_RWRITE);
    reg->handler->myvoid = this;
    if (netsnmp_register_handler(reg) != MIB_REGISTERED_OK) {
        *error = "cannot register the agent's handler";
        return false;
    }
    // Our own callback only makes the agent fall silent; Net-SNMP's VACM
    // (configured below) checks communities and users. Lines given before
    // init_snmp() are processed by it although no file is read.
    snmp_register_callback(SNMP_CALLBACK_APPLICATION, SNMPD_CALLBACK_ACM_CHECK_INITIAL,
                           onAccessCheck, this);
    std::vector<std::string> lines;
    if (!m_config.community.empty()) {
        lines.push_back("rocommunity " + m_config.community + " default .1");
    }
    if (!m_config.rwCommunity.empty()) {
        lines.push_back("rwcommunity " + m_config.rwCommunity + " default .1");
    }
    if (!m_config.v3User.empty()) {
        const bool priv = !m_config.v3PrivPassword.empty();
        std::string user =
            "createUser " + m_config.v3User + " SHA \"" + m_config.v3AuthPassword + "\"";
        if (priv) {
            user += " AES \"" + m_config.v3PrivPassword + "\"";
        }
        lines.push_back(std::move(user));
        lines.push_back("rwuser " + m_config.v3User + (priv ? " priv" : " auth") + " .1");
    }
    for (std::string& line : lines) {
        netsnmp_config_remember(line.data());  // copies
        std::fill(line.begin(), line.end(), '\0');
    }
    mib::netsnmp::ensureInitialized("swsimd");
    if (init_master_agent() != 0 || main_session == nullptr) {
        // The library's state stays as it is: shutting it down half-started frees what it
        // never allocated.
        *error = "cannot listen on " + m_config.listen + ": the SNMP library refused the address";
        return false;
    }
    g_server = this;
    m_started = true;
    if (netsnmp_transport* t = snmp_sess_transport(snmp_sess_pointer(main_session)); t != nullptr) {
        sockaddr_storage addr{};
        socklen_t len = sizeof addr;
        if (getsockname(t->sock, reinterpret_cast<sockaddr*>(&addr), &len) == 0 &&
            addr.ss_family == AF_INET) {
            m_port = ntohs(reinterpret_cast<sockaddr_in*>(&addr)->sin_port);
        }
    }
    return true;
}

void SnmpAgentServer::serve(const std::function<bool()>& stopRequested) {
    while (!stopRequested() && serveOnce(kServeSliceMs)) {
    }
}

bool SnmpAgentServer::serveOnce(int timeoutMs) {
    if (const std::int64_t busyMs = m_handler.busyForMs(); busyMs > 0) {
        // Renegotiating: requests stay in the socket and are answered once it is done.
        std::this_thread::sleep_for(
            std::chrono::milliseconds(std::min<std::int64_t>(busyMs, timeoutMs)));
        return true;
    }
    netsnmp_large_fd_set fds;
    netsnmp_large_fd_set_init(&fds, FD_SETSIZE);
    int numfds = 0;
    int block = 0;
    const timeval slice = {timeoutMs / 1000, (timeoutMs % 1000) * 1000};
    timeval tv = slice;
    NETSNMP_LARGE_FD_ZERO(&fds);
    snmp_select_info2(&numfds, &fds, &tv, &block);
    if (block != 0 || timercmp(&tv, &slice, >)) {
        tv = slice;
    }
    const int count = netsnmp_large_fd_set_select(numfds, &fds, nullptr, nullptr, &tv);
    if (count > 0) {
        snmp_read2(&fds);
    } else if (count == 0) {
        snmp_timeout();
    }
    const bool usable = count >= 0 || errno == EINTR;
    run_alarms();
    netsnmp_check_outstanding_agent_requests();
    netsnmp_large_fd_set_cleanup(&fds);
    return usable;
}

int SnmpAgentServer::checkAccess(void* viewParameters) {
    // Called once per incoming message, before the community or user is checked.
    if (const netsnmp_pdu* pdu = static_cast<view_parameters*>(viewParameters)->pdu;
        pdu != nullptr) {
        switch (pdu->command) {
            case SNMP_MSG_GET:
            case SNMP_MSG_GETNEXT:
            case SNMP_MSG_GETBULK:
            case SNMP_MSG_SET:
                ++m_requestPdus;
                break;
            default:
                break;
        }
    }
    if (!m_handler.answersNow()) {
        // The library drops a request with an unknown context without a word.
        static_cast<view_parameters*>(viewParameters)->errorcode = VACM_NOSUCHCONTEXT;
    }
    return SNMPERR_SUCCESS;
}

int SnmpAgentServer::handleRequests(void* requestInfo, void* requests) {
    auto* reqinfo = static_cast<netsnmp_agent_request_info*>(requestInfo);
    switch (reqinfo->mode) {
        case MODE_GET:
            handleRead(reqinfo, requests, false);
            break;
        case MODE_GETNEXT:
            if (reqinfo->asp != nullptr && reqinfo->asp->pdu != nullptr &&
                reqinfo->asp->pdu->command == SNMP_MSG_GETBULK && handleBulk(reqinfo, requests)) {
                break;
            }
            handleRead(reqinfo, requests, true);
            break;
        case MODE_SET_RESERVE1:
            handleSet(reqinfo, requests);
            break;
        default:
            // The handler's SET is all-or-nothing and already done in RESERVE1.
            break;
    }
    return SNMP_ERR_NOERROR;
}

void SnmpAgentServer::handleRead(void* info, void* list, bool next) {
    auto* reqinfo = static_cast<netsnmp_agent_request_info*>(info);
    std::vector<netsnmp_request_info*> requests;
    mib::RequestPdu pdu;
    pdu.type = next ? mib::PduType::GetNext : mib::PduType::Get;
    for (auto* r = static_cast<netsnmp_request_info*>(list); r != nullptr; r = r->next) {
        if (r->processed) {
            continue;
        }
        const netsnmp_variable_list* vb = r->requestvb;
        mib::Oid name(vb->name, vb->name + vb->name_length);
        if (!next && mib::oidStartsWith(name, statisticsOid())) {
            mib::netsnmp::storeValue(r->requestvb, statistic(name));
            continue;
        }
        requests.push_back(r);
        pdu.varbinds.push_back(mib::VarBind{std::move(name), mib::Value::null()});
    }
    if (requests.empty()) {
        return;
    }
    mib::ResponsePdu response = m_handler.handle(pdu);
    // The library would build an answer no datagram carries and drop it without a word.
    if (response.errorStatus == mib::ErrorStatus::NoError && reqinfo->asp != nullptr &&
        reqinfo->asp->pdu != nullptr && !answerFits(*reqinfo->asp->pdu, response.varbinds)) {
        response.errorStatus = mib::ErrorStatus::TooBig;
        response.errorIndex = 0;
    }
    if (response.errorStatus != mib::ErrorStatus::NoError) {
        const std::size_t at =
            response.errorIndex > 0 ? static_cast<std::size_t>(response.errorIndex - 1) : 0;
        netsnmp_set_request_error(reqinfo, requests[std::min(at, requests.size() - 1)],
                                  static_cast<int>(response.errorStatus));
        return;
    }
    const std::size_t n = std::min(requests.size(), response.varbinds.size());
    for (std::size_t i = 0; i < n; ++i) {
        const mib::VarBind& vb = response.varbinds[i];
        if (next) {
            // Left untouched, the library moves on and ends in endOfMibView.
            if (vb.value.isException()) {
                continue;
            }
            mib::netsnmp::storeName(requests[i]->requestvb, vb.oid);
        }
        mib::netsnmp::storeValue(requests[i]->requestvb, vb.value);
    }
}

// The library runs a GETBULK as one GETNEXT pass per repetition over the
// whole varbind list, which costs O(repetitions^2 x columns) per PDU; we answer
// every repetition in the first pass instead, filling the varbinds it has
// already chained after each request, and leave nothing to repeat.
bool SnmpAgentServer::handleBulk(void* info, void* list) {
    auto* reqinfo = static_cast<netsnmp_agent_request_info*>(info);
    std::vector<netsnmp_request_info*> single;
    std::vector<netsnmp_request_info*> repeated;
    int repeat = -1;
    for (auto* r = static_cast<netsnmp_request_info*>(list); r != nullptr; r = r->next) {
        if (r->processed) {
            continue;
        }
        if (r->repeat <= 0) {
            single.push_back(r);
            continue;
        }
        if (repeat >= 0 && r->repeat != repeat) {
            return false;  // uneven repetitions: leave them to the library
        }
        repeat = r->repeat;
        repeated.push_back(r);
    }
    if (repeated.empty()) {
        return false;
    }
    mib::RequestPdu pdu;
    pdu.type = mib::PduType::GetBulk;
    pdu.nonRepeaters = static_cast<int>(single.size());
    pdu.maxRepetitions = repeat + 1;
    for (const auto& group : {single, repeated}) {
        for (const netsnmp_request_info* r : group) {
            const netsnmp_variable_list* vb = r->requestvb;
            pdu.varbinds.push_back(
                mib::VarBind{mib::Oid(vb->name, vb->name + vb->name_length), mib::Value::null()});
        }
    }
    const mib::ResponsePdu response = m_handler.handle(pdu);
    if (response.errorStatus != mib::ErrorStatus::NoError) {
        netsnmp_set_request_error(reqinfo, single.empty() ? repeated.front() : single.front(),
                                  static_cast<int>(response.errorStatus));
        return true;
    }
    const auto store = [](netsnmp_variable_list* var, const mib::VarBind& vb, const mib::Oid& at) {
        // After the end of the view every repetition repeats its name.
        mib::netsnmp::storeName(var, vb.value.isException() ? at : vb.oid);
        mib::netsnmp::storeValue(var, vb.value);
    };
    std::size_t at = 0;
    for (netsnmp_request_info* r : single) {
        if (at < response.varbinds.size()) {
            const netsnmp_variable_list* vb = r->requestvb;
            store(r->requestvb, response.varbinds[at],
                  mib::Oid(vb->name, vb->name + vb->name_length));
        }
        ++at;
    }
    std::vector<mib::Oid> last;
    for (const netsnmp_request_info* r : repeated) {
        last.emplace_back(r->requestvb->name, r->requestvb->name + r->requestvb->name_length);
    }
    std::vector<netsnmp_variable_list*> slot;
    for (netsnmp_request_info* r : repeated) {
        slot.push_back(r->requestvb);
    }
    const mib::VarBind end{{}, mib::Value::exception(mib::ValueType::EndOfMibView)};
    for (int rep = 0; rep <= repeat; ++rep) {
        for (std::size_t i = 0; i < repeated.size(); ++i, ++at) {
            netsnmp_variable_list* var = slot[i];
            if (var == nullptr) {
                continue;
            }
            const mib::VarBind& vb = at < response.varbinds.size() ? response.varbinds[at] : end;
            store(var, vb, last[i]);
            if (!vb.value.isException()) {
                last[i] = vb.oid;
            }
            slot[i] = var->next_variable;
        }
    }
    for (netsnmp_request_info* r : repeated) {
        r->repeat = 0;
    }
    return true;
}

mib::Oid SnmpAgentServer::statisticsOid() {
    return {1, 3, 6, 1, 4, 1, 32473, 99, 9};
}

mib::Value SnmpAgentServer::statistic(const mib::Oid& oid) const {
    const mib::Oid base = statisticsOid();
    if (oid.size() == base.size() + 2 && oid.back() == 0) {
        switch (oid[base.size()]) {
            case 1:
                return mib::Value::makeCounter64(m_requestPdus);
            case 2: {
                rusage usage{};
                getrusage(RUSAGE_SELF, &usage);
                const auto micros = [](const timeval& t) {
                    return static_cast<std::uint64_t>(t.tv_sec) * 1000000u +
                           static_cast<std::uint64_t>(t.tv_usec);
                };
                return mib::Value::makeCounter64(micros(usage.ru_utime) + micros(usage.ru_stime));
            }
            default:
                break;
        }
    }
    return mib::Value::exception(mib::ValueType::NoSuchInstance);
}

void SnmpAgentServer::handleSet(void* info, void* list) {
    auto* reqinfo = static_cast<netsnmp_agent_request_info*>(info);
    std::vector<netsnmp_request_info*> requests;
    mib::RequestPdu pdu;
    pdu.type = mib::PduType::Set;
    for (auto* r = static_cast<netsnmp_request_info*>(list); r != nullptr; r = r->next) {
        mib::VarBind vb;
        std::string error;
        if (!mib::netsnmp::decodeVariable(*r->requestvb, &vb, &error)) {
            netsnmp_set_request_error(reqinfo, r, SNMP_ERR_WRONGTYPE);
            return;
        }
        requests.push_back(r);
        pdu.varbinds.push_back(std::move(vb));
    }
    const netsnmp_pdu& wire = *reqinfo->asp->pdu;
    const std::string from = sender(wire);
    const auto now = SetReplayCache::Clock::now();
    mib::ResponsePdu response;
    if (auto replay = m_replays->find(from, wire.reqid, pdu, now)) {
        response = *replay;
        ++m_setsReplayed;
    } else {
        response = m_handler.handle(pdu);
        m_replays->remember(from, wire.reqid, pdu, response, now);
        ++m_setsApplied;
    }
    if (response.errorStatus != mib::ErrorStatus::NoError && !requests.empty()) {
        const std::size_t at =
            response.errorIndex > 0 ? static_cast<std::size_t>(response.errorIndex - 1) : 0;
        netsnmp_set_request_error(reqinfo, requests[std::min(at, requests.size() - 1)],
                                  static_cast<int>(response.errorStatus));
    }
}

}  // namespace agent
