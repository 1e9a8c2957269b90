#pragma once
// The simulated chassis switch: a model of slots, ports, virtual ports,
// groups, channels, trunking services and an expander module, answering
// SNMP-level requests in process.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "framework/mib/transport.h"

namespace sim {

class SimulatedSwitch : public mib::PduHandler {
public:
    // The built-in demo chassis.
    static std::unique_ptr<SimulatedSwitch> createDefault();
    // From a JSON scenario file; nullptr with *error set (file, line, cause) when it cannot be used.
    static std::unique_ptr<SimulatedSwitch> fromScenarioFile(const std::string& path,
                                                             std::string* error);
    static std::unique_ptr<SimulatedSwitch> fromScenarioText(const std::string& json,
                                                             std::string* error);

    ~SimulatedSwitch() override;

    // Answers GET, GETNEXT, GETBULK and SET with SNMP error statuses.
    mib::ResponsePdu handle(const mib::RequestPdu& request) override;

    // Milliseconds source for counters and timed behaviour (renegotiation);
    // defaults to the steady clock. Tests hand in the event loop's clock.
    void setClock(std::function<std::int64_t()> nowMs);

    // ... model access for tests and tools (get/set by variable name) is declared below by the sim.

protected:
    SimulatedSwitch();
};

}  // namespace sim
