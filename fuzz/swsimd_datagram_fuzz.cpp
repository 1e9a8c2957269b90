// swsimd's request handling: any datagram, sent to the agent over loopback as a client
// would, answered (or dropped) by the same code the daemon runs.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

#include "agent/snmp_agent_server.h"
#include "sim/simulated_switch.h"

namespace {

struct Agent {
    std::unique_ptr<sim::SimulatedSwitch> simulated = sim::SimulatedSwitch::createDefault();
    std::unique_ptr<agent::SnmpAgentServer> server;
    int client = -1;
    sockaddr_in to{};

    Agent() {
        agent::AgentConfig config;
        config.listen = "udp:127.0.0.1:0";
        config.v3User = "fuzzer";
        config.v3AuthPassword = "fuzzer-auth";
        config.v3PrivPassword = "fuzzer-priv";
        server = std::make_unique<agent::SnmpAgentServer>(*simulated, config);
        std::string error;
        if (!server->start(&error)) {
            std::abort();
        }
        client = socket(AF_INET, SOCK_DGRAM | SOCK_NONBLOCK, 0);
        to.sin_family = AF_INET;
        to.sin_port = htons(static_cast<std::uint16_t>(server->port()));
        to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static Agent agent;
    if (sendto(agent.client, data, size, 0, reinterpret_cast<const sockaddr*>(&agent.to),
               sizeof agent.to) < 0) {
        return 0;  // larger than a datagram
    }
    agent.server->serveOnce(0);
    char answer[65536];
    while (recv(agent.client, answer, sizeof answer, 0) > 0) {
    }
    return 0;
}
