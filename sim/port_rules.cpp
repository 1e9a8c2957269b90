#include "sim/port_rules.h"

namespace sim {

LinkConfig defaultLinkConfig(int portType) {
    const PortCapabilities caps = capabilitiesOf(portType);
    LinkConfig config;
    if (caps.gigabit) {
        return {kAutoNegEnabled, 5, kDuplexFull};
    }
    if (caps.autoNegotiation) {
        return {kAutoNegEnabled, kSpeedAuto, kDuplexAuto};
    }
    if (caps.speed) {
        return {kAutoNegDisabled, 2, kDuplexFull};
    }
    return config;
}

int detectedSpeed(int portType, const LinkConfig& config) {
    const PortCapabilities caps = capabilitiesOf(portType);
    if (caps.gigabit) {
        return 5;
    }
    if (config.autoNegotiate == kAutoNegEnabled || config.cfgSpeed == kSpeedAuto) {
        return 2;
    }
    return (config.cfgSpeed == 1 || config.cfgSpeed == 2) ? config.cfgSpeed : 2;
}

int detectedDuplex(int /*portType*/, const LinkConfig& config) {
    if (config.autoNegotiate == kAutoNegEnabled || config.cfgDuplex == kDuplexAuto) {
        return kDuplexFull;
    }
    return config.cfgDuplex == kDuplexHalf ? kDuplexHalf : kDuplexFull;
}

int operStatusFor(int adminStatus, bool link) {
    return adminStatus == 1 && link ? kOperUp : kOperDown;
}

int mediumOf(int portType) {
    switch (portType) {
        case 5:
        case 10:
            return 2;  // 10BaseT
        case 6:
        case 9:
        case 11:
            return 3;  // 10BaseFL
        case 7:
            return 4;  // 10Base2
        case 8:
            return 5;  // 10Base5
        case 23:
        case 223:
        case 226:
        case 227:
        case 244:
            return 6;  // 100BaseTX
        case 24:
        case 225:
        case 233:
            return 7;  // 100BaseFX
        case 259:
            return 8;  // 1000BaseSX
        case 260:
        case 262:
            return 9;  // 1000BaseLX
        case 261:
            return 10;  // 1000BaseT
        default:
            return 1;
    }
}

}  // namespace sim
