#include "config/speed_port_rules.h"

namespace torvik {

SpeedPortRules speedPortRules(int portType, bool known) {
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
            return known ? SpeedPortRules{false, true, false, false} : SpeedPortRules{};
    }
}

bool isGigabitFibre(int portType) {
    return portType == 259 || portType == 260;
}

}  // namespace torvik
