#pragma once
// One SET request: every varbind checked as an agent checks it (access, type,
// length, enumeration, instance), then the switch's rules applied to all of
// them together; the store changes only when everything holds.

#include <cstdint>

#include "framework/mib/snmp_types.h"
#include "sim/oid_store.h"
#include "sim/scenario.h"

namespace sim {

struct SetEffects {
    bool repeaterReset = false;  // rptrReset(2) was written
    bool renegotiation = false;  // a port's auto-negotiation was written
};

struct SetOutcome {
    mib::ErrorStatus status = mib::ErrorStatus::NoError;
    int errorIndex = 0;  // 1-based
    SetEffects effects;
};

SetOutcome processSet(const mib::RequestPdu& request, const Scenario& scenario,
                      const mib::MibDictionary& dictionary, std::int64_t nowMs, OidStore* store);

}  // namespace sim
