// Scenario files: any text. A scenario that parses builds a switch, and its JSON form
// parses again.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "sim/scenario_json.h"
#include "sim/simulated_switch.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::string error;
    auto scenario = sim::parseScenario(text, &error);
    if (!scenario) {
        if (error.empty()) {
            std::abort();  // a refusal always says why
        }
        return 0;
    }
    const std::string json = sim::scenarioToJson(*scenario);
    if (!sim::parseScenario(json, &error)) {
        std::abort();
    }
    // A generous chassis is still built; its cost is bounded by the input's size.
    sim::SimulatedSwitch::fromScenario(std::move(*scenario));
    return 0;
}
