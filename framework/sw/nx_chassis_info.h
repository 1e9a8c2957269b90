#pragma once
// The chassis description: every slot's module and every port's type code. Filled from the
// compact chassis contents value (LoadContents, format in README.md) or from the chassis
// tables (SetSlot/SetPortType, see CChassisAccess).

#include <map>
#include <vector>

#include "framework/afx/collections.h"

class CNxChassisInfo : public CObject {
    DECLARE_DYNAMIC(CNxChassisInfo)
public:
    static constexpr int kMaxContentsLength = 512;
    // Beyond what any chassis has; an agent naming more is refused, not sized for.
    static constexpr int kMaxSlot = 255;
    static constexpr int kMaxPortsPerSlot = 65535;

    // contents may be NULL (an empty description); otherwise as LoadContents(contents).
    explicit CNxChassisInfo(const BYTE* contents = nullptr);

    // Replaces the description with the contents value. A malformed value is refused (FALSE,
    // LastError() says why) and the description is left as it was. This form reads at most
    // kMaxContentsLength bytes and takes the value's end from its own records.
    BOOL LoadContents(const BYTE* buffer);
    // As above, for a value of exactly length bytes: bytes after the last record are refused.
    BOOL LoadContents(const BYTE* buffer, int length);
    BOOL LoadContents(const char* buffer, int length) {
        return LoadContents(reinterpret_cast<const BYTE*>(buffer), length);
    }
    const CString& LastError() const { return m_lastError; }

    // Type code of the port, 0 when the slot or port is unknown.
    int GetPortType(int slot, int port) const;
    // Ports per unit (12 for an expander module's banks); 0 for an unknown slot.
    int GetPortsPerUnit(int slot, int unused = 1) const;
    int GetPortCount(int slot) const;
    int GetModuleType(int slot) const;
    CString GetModuleName(int slot) const;
    BOOL HasSlot(int slot) const;
    std::vector<int> GetSlots() const;

    void Clear();
    // FALSE (LastError() says why, nothing changed) for a slot or port beyond the limits.
    BOOL SetSlot(int slot, int moduleType, LPCTSTR moduleName, int portCount, int portsPerUnit);
    BOOL SetPortType(int slot, int port, int portType);

private:
    struct Slot {
        int moduleType = 0;
        CString moduleName;
        int portCount = 0;
        int portsPerUnit = 0;
        std::vector<int> portTypes;  // index port - 1; up to the highest port typed
    };
    BOOL parse(const BYTE* buffer, int length, bool exactLength);
    BOOL refuseSlot(int slot);

    std::map<int, Slot> m_slots;
    CString m_lastError;
};
