#pragma once
// The console's knowledge of which ports are enabled, fed by the console and read by pages.

#include <set>
#include <utility>

#include "framework/afx/collections.h"

class CHealth : public CObject {
    DECLARE_DYNAMIC(CHealth)
public:
    BOOL IsPortEnabled(int slot, int port) const;
    void SetPortEnabled(int slot, int port, BOOL enabled);
    void Clear() { m_enabled.clear(); }

private:
    std::set<std::pair<int, int>> m_enabled;
};
