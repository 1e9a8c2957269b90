#pragma once
// Fills the store from a scenario, variable by variable, through the dictionary.

#include <cstdint>
#include <set>
#include <string>

#include "sim/oid_store.h"
#include "sim/scenario.h"

namespace sim {

// Names (and causes) the dictionary could not place go to *missing.
void buildStore(const Scenario& scenario, const mib::MibDictionary& dictionary, std::int64_t nowMs,
                OidStore* store, std::set<std::string>* missing);

// Counter increments per second of a port: the scenario's rate, else one derived
// from its position so that ports differ; 0 while the port is down.
std::uint32_t portTrafficRate(const Scenario& scenario, int slot, int port);
bool portHasLink(const Scenario& scenario, int slot, int port);

}  // namespace sim
