#pragma once
// Builds the managed switch the pages talk to: the embedded simulated switch or an SNMP
// agent through Net-SNMP, with its name read from sysName.

#include <memory>
#include <string>

#include "console/console_options.h"
#include "framework/afx/event_loop.h"
#include "framework/mib/mib_agent.h"
#include "framework/mib/transport.h"

namespace sim {
class SimulatedSwitch;
class PersistentSwitch;
}  // namespace sim

namespace console {

struct AgentSession {
    AgentSession();
    ~AgentSession();
    AgentSession(AgentSession&&) noexcept;
    AgentSession& operator=(AgentSession&&) noexcept;

    std::unique_ptr<sim::SimulatedSwitch> simulated;    // only for the embedded switch
    std::unique_ptr<sim::PersistentSwitch> persistent;  // the embedded switch with --state
    std::shared_ptr<mib::Transport> transport;
    std::unique_ptr<CMibAgent> agent;
};

// false and *error when the scenario cannot be used; no request is sent yet.
bool createAgent(const AgentChoice& choice, afx::EventLoop& loop, AgentSession* session,
                 std::string* error);

// The address the pages show for an agent: the host part of udp:HOST[:PORT].
std::string hostOfAddress(const std::string& address);

}  // namespace console
