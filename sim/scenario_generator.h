#pragma once
// Scaled chassis for benchmarks: many slots of Ethernet ports, extra
// services per port and learned addresses per virtual port.

#include "sim/scenario.h"

namespace sim {

struct GeneratorOptions {
    int slots = 4;                 // Ethernet slots, 1..255
    int portsPerSlot = 24;         // 1..255
    int extraServicesPerPort = 0;  // virtual ports beyond service 4 instance 1
    int addressesPerVport = 1;     // forwarding entries per virtual port
    int groups = 8;
    bool expander = true;  // one expander module after the Ethernet slots
    // Channels of slot 1 (IDs from 1, at most 254 and one per port): each takes the next
    // free port as its primary and, while ports are left over, up to three secondary ports.
    int channels = 0;
};

Scenario generateScenario(const GeneratorOptions& options);

}  // namespace sim
