#pragma once
// The name of a PDU type as traces and messages print it; shared by every
// transport and the engine so that they all say the same.

#include "framework/mib/snmp_types.h"

namespace mib {

inline const char* pduName(PduType type) {
    switch (type) {
        case PduType::Get:
            return "GET";
        case PduType::GetNext:
            return "GETNEXT";
        case PduType::GetBulk:
            return "GETBULK";
        case PduType::Set:
            return "SET";
    }
    return "?";
}

}  // namespace mib
