#pragma once
// SNMP v1/v2c/v3 to a real agent through Net-SNMP's single-session API, its
// sockets and timeouts driven by the event loop (no thread, no polling).
// SNMPv3 engine discovery is ours and asynchronous too: Net-SNMP's own waits
// on the calling thread.

#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "framework/afx/event_loop.h"
#include "framework/mib/netsnmp_config.h"
#include "framework/mib/transport.h"

struct snmp_pdu;

namespace mib {

class NetSnmpTransport : public Transport {
public:
    explicit NetSnmpTransport(NetSnmpConfig config,
                              afx::EventLoop& loop = afx::EventLoop::instance());
    ~NetSnmpTransport() override;
    NetSnmpTransport(const NetSnmpTransport&) = delete;
    NetSnmpTransport& operator=(const NetSnmpTransport&) = delete;

    Ticket send(const RequestPdu& request, const SendOptions& options, Completion done) override;
    void cancel(Ticket ticket) override;
    int bulkRepetitions(int columns) const override;
    std::string describe() const override;

    // Requests sent and not yet completed (their completions and the
    // requests waiting for engine discovery included).
    std::size_t pendingCount() const override;
    // Request PDUs handed to Net-SNMP so far (retries and discovery probes not counted).
    std::uint64_t requestsSent() const { return m_requestsSent; }
    // SNMPv3 engine discovery probes sent so far (retries not counted).
    std::uint64_t discoveriesSent() const { return m_discoveriesSent; }

    struct Pending;  // one outstanding request
    struct Session;  // one Net-SNMP session per (timeout, retries)

    // Net-SNMP's callback for the request of `ticket` (any number of times).
    void onNetSnmpEvent(Ticket ticket, int operation, const snmp_pdu* pdu);

private:
    using SessionKey = std::pair<int, int>;  // timeout, retries

    Session* sessionFor(const SendOptions& options, TransportResult* failure);
    void sendNow(Session* session, Ticket ticket, const RequestPdu& request,
                 const SendOptions& options, Completion done);
    void startDiscovery(const SessionKey& key, Session* session, const SendOptions& options);
    void onDiscoveryEvent(Pending& probe, int operation, const snmp_pdu* pdu);
    void finishDiscovery(const SessionKey& key, const TransportResult& failure);
    void failLater(Ticket ticket, Completion done, TransportResult result);
    void deliverLater(Ticket ticket);
    void rearm();
    void onReadable(Session* session);
    void onTimer();

    NetSnmpConfig m_config;
    afx::EventLoop& m_loop;
    std::map<SessionKey, std::unique_ptr<Session>> m_sessions;
    std::map<Ticket, std::unique_ptr<Pending>> m_pending;  // until Net-SNMP lets go
    std::map<Ticket, std::pair<TransportResult, Completion>> m_ready;
    std::vector<std::pair<int, afx::EventLoop::WatchId>> m_watches;  // fd, watch
    afx::EventLoop::TimerId m_timer = 0;
    Ticket m_nextTicket = 1;
    std::uint64_t m_requestsSent = 0;
    std::uint64_t m_discoveriesSent = 0;
    bool m_closing = false;
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
};

}  // namespace mib
