#include "framework/sw/health.h"

IMPLEMENT_DYNAMIC(CHealth, CObject)

BOOL CHealth::IsPortEnabled(int slot, int port) const {
    return m_enabled.count({slot, port}) != 0;
}

void CHealth::SetPortEnabled(int slot, int port, BOOL enabled) {
    if (enabled) {
        m_enabled.insert({slot, port});
    } else {
        m_enabled.erase({slot, port});
    }
}
