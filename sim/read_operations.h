#pragma once
// GET, GETNEXT and GETBULK over the store (RFC 3416 semantics).

#include <cstddef>
#include <cstdint>

#include "framework/mib/snmp_types.h"
#include "sim/oid_store.h"

namespace sim {

// GETBULK answers are cut to this estimated size, as a UDP agent cuts them.
inline constexpr std::size_t kMaxResponseBytes = 65000;

mib::ResponsePdu answerGet(const OidStore& store, const mib::MibDictionary& dictionary,
                           const mib::RequestPdu& request, std::int64_t nowMs);
mib::ResponsePdu answerGetNext(const OidStore& store, const mib::RequestPdu& request,
                               std::int64_t nowMs);
mib::ResponsePdu answerGetBulk(const OidStore& store, const mib::RequestPdu& request,
                               std::int64_t nowMs);

// Rough BER size of a response carrying these varbinds.
std::size_t estimateResponseSize(const std::vector<mib::VarBind>& varbinds);

}  // namespace sim
