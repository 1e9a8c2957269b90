#include "console/agent_factory.h"

#include <cstdio>

#include "framework/mib/in_process_transport.h"
#include "framework/mib/netsnmp_transport.h"
#include "sim/simulated_switch.h"
#include "sim/state_file.h"

namespace console {

namespace {

// The embedded switch is reached in process; the pages still show an address for it.
constexpr const char* kSimulatedAddress = "127.0.0.1";

std::string credentialsOf(const mib::NetSnmpConfig& config) {
    if (config.version != mib::SnmpVersion::V3) {
        return config.community;
    }
    return config.user + ":" + config.authPassword + ":" + config.privPassword;
}

}  // namespace

AgentSession::AgentSession() = default;
AgentSession::~AgentSession() {
    // The agent unbinds its components before the transport and the switch go.
    agent.reset();
    transport.reset();
    persistent.reset();
    simulated.reset();
}
AgentSession::AgentSession(AgentSession&&) noexcept = default;
AgentSession& AgentSession::operator=(AgentSession&&) noexcept = default;

std::string hostOfAddress(const std::string& address) {
    std::string host = address;
    for (const char* prefix : {"udp:", "udp6:"}) {
        if (host.rfind(prefix, 0) == 0) {
            host = host.substr(std::string(prefix).size());
            break;
        }
    }
    if (!host.empty() && host.front() == '[') {  // [v6]:port
        const auto close = host.find(']');
        return close == std::string::npos ? host : host.substr(1, close - 1);
    }
    const auto colon = host.find(':');
    return colon == std::string::npos ? host : host.substr(0, colon);
}

bool createAgent(const AgentChoice& choice, afx::EventLoop& loop, AgentSession* session,
                 std::string* error) {
    AgentSession built;
    built.agent = std::make_unique<CMibAgent>();
    built.agent->SetEventLoop(&loop);
    if (choice.kind == AgentChoice::Kind::Simulated) {
        if (choice.scenarioPath.empty()) {
            built.simulated = sim::SimulatedSwitch::createDefault();
        } else {
            std::string why;
            built.simulated = sim::SimulatedSwitch::fromScenarioFile(choice.scenarioPath, &why);
            if (!built.simulated) {
                *error = "cannot use the scenario " + choice.scenarioPath + ": " + why;
                return false;
            }
        }
        built.simulated->setClock([&loop] { return loop.now(); });
        mib::PduHandler* handler = built.simulated.get();
        if (!choice.statePath.empty()) {
            if (!sim::loadStateFile(*built.simulated, choice.statePath, error)) {
                return false;
            }
            built.persistent = std::make_unique<sim::PersistentSwitch>(
                *built.simulated, choice.statePath, [](const std::string& why) {
                    std::fprintf(stderr, "swconsole: %s\n", why.c_str());
                });
            handler = built.persistent.get();
        }
        built.transport = std::make_shared<mib::InProcessTransport>(*handler, loop);
        built.agent->SetAddress(kSimulatedAddress);
    } else {
        mib::NetSnmpConfig config = choice.snmp;
        if (choice.timeoutSeconds) {
            config.defaults.timeoutSeconds = *choice.timeoutSeconds;
        }
        if (choice.retries) {
            config.defaults.retries = *choice.retries;
        }
        built.transport = std::make_shared<mib::NetSnmpTransport>(config, loop);
        built.agent->SetAddress(hostOfAddress(config.address).c_str());
        built.agent->SetCredentials(credentialsOf(config).c_str());
    }
    if (choice.timeoutSeconds) {
        built.agent->SetTimeout(static_cast<short>(*choice.timeoutSeconds));
    }
    if (choice.retries) {
        built.agent->SetRetries(static_cast<short>(*choice.retries));
    }
    built.agent->SetTransport(built.transport);
    *session = std::move(built);
    return true;
}

}  // namespace console
