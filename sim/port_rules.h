#pragma once
// Link behaviour of an Ethernet port: what it detects for a configuration,
// and the configuration a port type starts with.

#include "sim/scenario.h"

namespace sim {

inline constexpr int kAutoNegEnabled = 2;
inline constexpr int kAutoNegDisabled = 1;
inline constexpr int kSpeedAuto = 3;
inline constexpr int kDuplexFull = 1;
inline constexpr int kDuplexHalf = 2;
inline constexpr int kDuplexAuto = 3;
inline constexpr int kOperUp = 3;
inline constexpr int kOperDown = 2;

struct LinkConfig {
    int autoNegotiate = kAutoNegDisabled;
    int cfgSpeed = 1;
    int cfgDuplex = kDuplexHalf;
};

LinkConfig defaultLinkConfig(int portType);
// Speed and duplex the port settles on with its partner.
int detectedSpeed(int portType, const LinkConfig& config);
int detectedDuplex(int portType, const LinkConfig& config);
int operStatusFor(int adminStatus, bool link);
// The phyPortMediaType value of a port type (1 other when none fits).
int mediumOf(int portType);

}  // namespace sim
