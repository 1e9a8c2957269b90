#pragma once
// The compact chassis contents value (chasNorixContents), version 1:
// 'N', version, slot count, then per slot: slot, module type (2 bytes),
// ports per unit, run count, runs of (port count, port type (2 bytes)).
// Big-endian, at most 512 bytes.

#include <cstddef>
#include <string>

#include "sim/scenario.h"

namespace sim {

inline constexpr std::size_t kMaxChassisContents = 512;

struct EncodedContents {
    std::string bytes;
    int slotsEncoded = 0;
    int slotsLeftOut = 0;  // whole slot records that did not fit in 512 bytes
};

// Slots in increasing slot order; a chassis too large for the value keeps the
// slot records that fit (the chassis tables always carry every slot).
EncodedContents encodeChassisContents(const Scenario& scenario);

}  // namespace sim
