#include "sim/scenario_generator.h"

#include <algorithm>

namespace sim {

namespace {

constexpr int kPortTypes[] = {226, 227, 244, 259, 260, 5, 23, 223};

std::string macOf(int serial) {
    return std::string{'\x02',
                       '\x00',
                       static_cast<char>((serial >> 24) & 0xFF),
                       static_cast<char>((serial >> 16) & 0xFF),
                       static_cast<char>((serial >> 8) & 0xFF),
                       static_cast<char>(serial & 0xFF)};
}

}  // namespace

Scenario generateScenario(const GeneratorOptions& options) {
    Scenario s;
    s.system.name = "generated-switch";
    const int slots = std::clamp(options.slots, 1, options.expander ? 254 : 255);
    const int ports = std::clamp(options.portsPerSlot, 1, 255);
    const int groups = std::clamp(options.groups, 1, 4000);
    // Says what was built, not what was asked for.
    s.system.descr =
        "Generated chassis, " + std::to_string(slots) + " x " + std::to_string(ports) + " ports";

    for (int g = 1; g <= groups; ++g) {
        s.groups.push_back(
            {g, "Group " + std::to_string(g), g % 13 == 4 ? 4 : 1, g % 3 == 0 ? 0 : -1});
    }
    int serial = 0;
    for (int slot = 1; slot <= slots; ++slot) {
        SlotSpec slotInfo;
        slotInfo.slot = slot;
        slotInfo.moduleType = 4096 + slot % 3;
        slotInfo.name = "Generated Ethernet " + std::to_string(ports);
        const int type = kPortTypes[(slot - 1) % std::size(kPortTypes)];
        slotInfo.runs.push_back({ports, type});
        s.slots.push_back(slotInfo);
        for (int port = 1; port <= ports; ++port) {
            for (int extra = 0; extra <= options.extraServicesPerPort; ++extra) {
                VirtualPort vp;
                vp.slot = slot;
                vp.port = port;
                vp.instance = extra + 1;
                vp.group = (slot * 31 + port + extra) % groups + 1;
                if (extra != 0) {
                    s.vports.push_back(vp);
                }
                for (int a = 0; a < options.addressesPerVport; ++a) {
                    ForwardingEntry entry;
                    entry.group = vp.group;
                    entry.mac = macOf(++serial);
                    entry.slot = slot;
                    entry.port = port;
                    entry.instance = vp.instance;
                    entry.vlanMembership = vp.group;
                    s.forwarding.push_back(entry);
                }
            }
        }
    }
    const int channels = std::clamp(options.channels, 0, std::min(254, ports));
    int spare = ports - channels;
    int nextPort = 1;
    for (int id = 1; id <= channels; ++id) {
        Channel channel{id, 1, nextPort++, {}};
        for (int k = 0; k < 3 && spare > 0; ++k, --spare) {
            channel.secondary.push_back(nextPort++);
        }
        s.channels.push_back(channel);
    }
    if (options.expander) {
        SlotSpec expander;
        expander.slot = slots + 1;
        expander.kind = ModuleKind::Expander;
        expander.moduleType = 8193;
        expander.name = "10BASE-T Expander 24";
        expander.banks = 2;
        expander.expanderPortType = 10;
        expander.expanderPorts.push_back({1, 1, 1, true, std::nullopt});
        s.slots.push_back(expander);
    }
    return s;
}

}  // namespace sim
