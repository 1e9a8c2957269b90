#pragma once
// For tests: a UDP relay on 127.0.0.1 between one client and an agent that passes every
// datagram on, and from the first SET request it sees holds each answer back for a while,
// as a switch that is slow to commit would. It runs on a thread of its own and stops with
// the object.

#include <atomic>
#include <chrono>
#include <thread>

namespace agent::testing {

class SlowRelay {
public:
    SlowRelay(int agentPort, std::chrono::milliseconds answerDelay);
    ~SlowRelay();
    SlowRelay(const SlowRelay&) = delete;
    SlowRelay& operator=(const SlowRelay&) = delete;

    int port() const { return m_port; }  // 0 when the relay could not start

private:
    void run();

    int m_clientSocket = -1;
    int m_agentSocket = -1;
    int m_port = 0;
    std::chrono::milliseconds m_delay;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};

// Whether an SNMP message (v1/v2c or v3 without privacy) carries a SetRequest PDU.
bool carriesSetRequest(const unsigned char* data, std::size_t size);

}  // namespace agent::testing
