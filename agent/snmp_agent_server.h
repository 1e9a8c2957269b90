#pragma once
// Serves a mib::PduHandler over UDP as a standalone SNMP agent built on
// Net-SNMP's agent library. One per process: that library is a singleton.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "framework/mib/transport.h"

namespace agent {

struct AgentConfig {
    std::string listen = "udp:127.0.0.1:16100";  // port 0: any free port
    std::string community = "public";            // reads
    std::string rwCommunity = "private";         // reads and sets
    // SNMPv3 user (SHA + AES, authPriv or authNoPriv); none when empty.
    std::string v3User;
    std::string v3AuthPassword;
    std::string v3PrivPassword;
};

class SetReplayCache;

class SnmpAgentServer {
public:
    SnmpAgentServer(mib::PduHandler& handler, AgentConfig config);
    ~SnmpAgentServer();
    SnmpAgentServer(const SnmpAgentServer&) = delete;
    SnmpAgentServer& operator=(const SnmpAgentServer&) = delete;

    // Opens the listening socket; false with *error when it cannot.
    bool start(std::string* error);
    // The UDP port actually bound (after start).
    int port() const { return m_port; }
    // Serves until stopRequested() is true; it is checked at least every 200 ms.
    void serve(const std::function<bool()>& stopRequested);
    // Answers what has arrived, waiting at most timeoutMs for it (the fuzz target feeds it
    // one datagram at a time). False when the sockets can no longer be watched.
    bool serveOnce(int timeoutMs);

    // Statistics for tests and logs.
    std::uint64_t setsApplied() const { return m_setsApplied; }
    std::uint64_t setsReplayed() const { return m_setsReplayed; }
    std::uint64_t requestPdus() const { return m_requestPdus; }

    // Read-only scalars the agent answers to GET itself (never in a walk):
    // .1.0 request PDUs received (GET, GETNEXT, GETBULK, SET; this GET included),
    // .2.0 the agent's CPU time in microseconds.
    static mib::Oid statisticsOid();  // 1.3.6.1.4.1.32473.99.9

    // Net-SNMP callbacks.
    int checkAccess(void* viewParameters);
    int handleRequests(void* requestInfo, void* requests);

private:
    void handleRead(void* reqinfo, void* requests, bool next);
    void handleSet(void* reqinfo, void* requests);
    bool handleBulk(void* reqinfo, void* requests);
    mib::Value statistic(const mib::Oid& oid) const;

    mib::PduHandler& m_handler;
    AgentConfig m_config;
    std::unique_ptr<SetReplayCache> m_replays;
    int m_port = 0;
    bool m_started = false;
    std::uint64_t m_setsApplied = 0;
    std::uint64_t m_setsReplayed = 0;
    std::uint64_t m_requestPdus = 0;
};

}  // namespace agent
