// The port type catalogue behind the "PortName" and "PortDesc" enumerations.
#include "framework/mib/mib_dictionary_data.h"

namespace mib::dictionary_data {

const std::vector<PortType>& portTypes() {
    static const std::vector<PortType> types = {
        {5, "10BASE-T", "10 Mb/s Ethernet, twisted pair (RJ-45)"},
        {6, "10BASE-FL", "10 Mb/s Ethernet, multimode fibre (ST)"},
        {7, "10BASE2", "10 Mb/s Ethernet, thin coaxial cable (BNC)"},
        {8, "10BASE5 AUI", "10 Mb/s Ethernet, AUI transceiver port (DB-15)"},
        {9, "10BASE-FB", "10 Mb/s Ethernet, synchronous fibre backbone (ST)"},
        {10, "10BASE-T Expander", "10 Mb/s Ethernet expander port, twisted pair, bank of 12"},
        {11, "10BASE-FL Expander", "10 Mb/s Ethernet expander port, multimode fibre, bank of 12"},
        {23, "100BASE-TX", "100 Mb/s Fast Ethernet, twisted pair (RJ-45)"},
        {24, "100BASE-FX", "100 Mb/s Fast Ethernet, multimode fibre (SC)"},
        {223, "10/100BASE-TX", "10/100 Mb/s Ethernet, twisted pair (RJ-45)"},
        {225, "100BASE-FX SM", "100 Mb/s Fast Ethernet, single-mode fibre (SC)"},
        {226, "10/100BASE-TX Auto",
         "10/100 Mb/s Ethernet, twisted pair (RJ-45), speed and duplex by auto-negotiation"},
        {227, "10/100BASE-TX Fixed",
         "10/100 Mb/s Ethernet, twisted pair (RJ-45), speed and duplex set by the operator"},
        {233, "100BASE-FX MT-RJ", "100 Mb/s Fast Ethernet, multimode fibre (MT-RJ)"},
        {244, "10/100BASE-TX Uplink",
         "10/100 Mb/s Ethernet uplink, twisted pair (RJ-45), speed and duplex set by the operator"},
        {259, "1000BASE-SX", "1000 Mb/s Gigabit Ethernet, multimode fibre, 850 nm (SC)"},
        {260, "1000BASE-LX", "1000 Mb/s Gigabit Ethernet, single-mode fibre, 1310 nm (SC)"},
        {261, "1000BASE-T", "10/100/1000 Mb/s Gigabit Ethernet, twisted pair (RJ-45)"},
        {262, "1000BASE-ZX", "1000 Mb/s Gigabit Ethernet, single-mode fibre, 1550 nm, long haul"},
    };
    return types;
}

}  // namespace mib::dictionary_data
