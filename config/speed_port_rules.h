#pragma once
// What the Speed/Mode page may set on a port, by the port's type code.

namespace torvik {

struct SpeedPortRules {
    bool autoNegotiation = false;
    bool duplex = false;
    bool speed = false;
    bool fourthSpeed = false;  // the gigabit choice of the speed combo stays
};

// known: the code is in the port type catalogue. A code the catalogue lacks names no medium,
// so nothing is offered on it.
SpeedPortRules speedPortRules(int portType, bool known);

// Types whose duplex mode may stay full with auto-negotiation on.
bool isGigabitFibre(int portType);

}  // namespace torvik
