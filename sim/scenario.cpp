#include "sim/scenario.h"

namespace sim {

int SlotSpec::portCount() const {
    if (kind == ModuleKind::Expander) {
        return banks * 12;
    }
    int count = 0;
    for (const PortRun& run : runs) {
        count += run.count;
    }
    return count;
}

int SlotSpec::typeOfPort(int port) const {
    if (port < 1) {
        return 0;
    }
    if (kind == ModuleKind::Expander) {
        return port <= banks * 12 ? expanderPortType : 0;
    }
    int first = 1;
    for (const PortRun& run : runs) {
        if (port < first + run.count) {
            return run.type;
        }
        first += run.count;
    }
    return 0;
}

const SlotSpec* Scenario::findSlot(int slot) const {
    for (const SlotSpec& slotInfo : slots) {
        if (slotInfo.slot == slot) {
            return &slotInfo;
        }
    }
    return nullptr;
}

PortCapabilities capabilitiesOf(int portType) {
    switch (portType) {
        case 226:
            return {true, true, true, false};
        case 227:
        case 244:
            return {false, true, true, false};
        case 259:
        case 260:
            return {true, false, false, true};
        default:
            return {false, true, false, false};
    }
}

const char* trunkKindName(TrunkKind kind) {
    switch (kind) {
        case TrunkKind::Trunking:
            return "trunking";
        case TrunkKind::DomainBridging:
            return "domainBridging";
        case TrunkKind::Dot1Q:
            return "8021Q";
        case TrunkKind::Dot10:
            return "80210";
    }
    return "";
}

std::optional<TrunkKind> trunkKindFromName(const std::string& name) {
    for (TrunkKind kind :
         {TrunkKind::Trunking, TrunkKind::DomainBridging, TrunkKind::Dot1Q, TrunkKind::Dot10}) {
        if (name == trunkKindName(kind)) {
            return kind;
        }
    }
    return std::nullopt;
}

std::string trunkMembersPrefix(TrunkKind kind) {
    switch (kind) {
        case TrunkKind::Trunking:
            return "vTrunking";
        case TrunkKind::DomainBridging:
            return "VDBr";
        case TrunkKind::Dot1Q:
            return "v8021Q";
        case TrunkKind::Dot10:
            return "v80210";
    }
    return "";
}

std::string trunkServicesPrefix(TrunkKind kind) {
    return trunkMembersPrefix(kind) + "Services";
}

}  // namespace sim
