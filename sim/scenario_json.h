#pragma once
// Scenario files: JSON to Scenario with errors that name the place and the
// cause, and Scenario back to JSON (for the generator).

#include <optional>
#include <string>

#include "sim/scenario.h"

namespace sim {

// nullopt with *error set ("slots[1].runs[0]: unknown field 'cuont'", or
// "line 4, column 9: ..." for malformed JSON) when the text cannot be used.
std::optional<Scenario> parseScenario(const std::string& jsonText, std::string* error);
// As parseScenario, the error prefixed with the file name; unreadable files are reported too.
std::optional<Scenario> loadScenarioFile(const std::string& path, std::string* error);

std::string scenarioToJson(const Scenario& scenario);

// "00:a0:c9:14:c8:29" <-> 6 octets; "10.1.2.3" <-> 4 octets.
std::optional<std::string> parseMac(const std::string& text);
std::string formatMac(const std::string& octets);
std::optional<std::string> parseIp(const std::string& text);
std::string formatIp(const std::string& octets);

}  // namespace sim
