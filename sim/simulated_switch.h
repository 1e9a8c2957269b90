#pragma once
// The simulated chassis switch: a model of slots, ports, virtual ports,
// groups, channels, trunking services and an expander module, answering
// SNMP-level requests in process.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>

#include "framework/mib/mib_dictionary.h"
#include "framework/mib/transport.h"
#include "sim/scenario.h"

namespace sim {

class SimulatedSwitch : public mib::PduHandler {
public:
    // The built-in demo chassis.
    static std::unique_ptr<SimulatedSwitch> createDefault();
    // From a JSON scenario file; nullptr with *error set (file, line, cause) when it cannot be
    // used.
    static std::unique_ptr<SimulatedSwitch> fromScenarioFile(const std::string& path,
                                                             std::string* error);
    static std::unique_ptr<SimulatedSwitch> fromScenarioText(const std::string& json,
                                                             std::string* error);
    // From a scenario in memory (the generator's), over any dictionary (tests use small ones).
    static std::unique_ptr<SimulatedSwitch> fromScenario(
        Scenario scenario, const mib::MibDictionary& dictionary = mib::MibDictionary::builtin());

    ~SimulatedSwitch() override;

    // Answers GET, GETNEXT, GETBULK and SET with SNMP error statuses.
    mib::ResponsePdu handle(const mib::RequestPdu& request) override;
    // False while a port renegotiates after an auto-negotiation write, or during
    // an injected outage.
    bool answersNow() const override;
    // While a port renegotiates: requests wait and are answered once it is done
    // (an outage loses them instead).
    std::int64_t busyForMs() const override;

    // Milliseconds source for counters and timed behaviour (renegotiation);
    // defaults to the steady clock. Tests hand in the event loop's clock.
    // Switching clocks keeps the switch's own time running on without a jump.
    void setClock(std::function<std::int64_t()> nowMs);
    // Milliseconds since the switch started, on its clock.
    std::int64_t elapsedMs() const;

    // Model access for tests and tools, by variable name and row instance
    // (scalars: instance {0}). Reads see counters as of now.
    const mib::MibDictionary& dictionary() const;
    const Scenario& scenario() const;
    std::optional<mib::Value> read(std::string_view name, const mib::Oid& instance) const;
    // Puts a value as it stands, without the agent's checks (test set-up).
    bool write(std::string_view name, const mib::Oid& instance, const mib::Value& value);
    bool rowExists(std::string_view column, const mib::Oid& instance) const;
    // Rows of the column's table that have this column.
    std::size_t rowCount(std::string_view column) const;
    std::size_t cellCount() const;
    // Scenario names the dictionary could not place (empty with a complete dictionary).
    const std::set<std::string>& missingNames() const;

    // Every cell as text, and back: false with *error (what is corrupt, or the first row
    // that does not fit this switch's scenario) and nothing changed.
    std::string saveState() const;
    bool loadState(const std::string& text, std::string* error);

    // Fault injection.
    void failNextSet(mib::ErrorStatus status, int errorIndex = 1);
    // Responses estimated above bytes are answered tooBig; 0 switches it off.
    void answerTooBigAbove(std::size_t bytes);
    void stopAnsweringFor(std::int64_t ms);
    // How long the switch renegotiates after an auto-negotiation write (the scenario's
    // renegotiationMs until changed).
    void setRenegotiationMs(int ms);

protected:
    SimulatedSwitch();

private:
    struct State;
    std::unique_ptr<State> m_state;
};

// The demo scenario's JSON text (sim/scenarios/default.json, built in).
std::string defaultScenarioText();

}  // namespace sim
