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
};

Scenario generateScenario(const GeneratorOptions& options);

}  // namespace sim
