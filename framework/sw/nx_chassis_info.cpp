#include "framework/sw/nx_chassis_info.h"

#include <algorithm>
#include <optional>
#include <string>

IMPLEMENT_DYNAMIC(CNxChassisInfo, CObject)

namespace {

constexpr BYTE kMagic = 0x4E;
constexpr BYTE kVersion = 1;

// Reads big-endian fields and never past the end it was given.
class BoundedReader {
public:
    BoundedReader(const BYTE* data, int length) : m_data(data), m_length(length) {}
    std::optional<int> byte() {
        if (m_at >= m_length) {
            return std::nullopt;
        }
        return m_data[m_at++];
    }
    std::optional<int> word() {
        if (m_length - m_at < 2) {
            return std::nullopt;
        }
        const int value = (m_data[m_at] << 8) | m_data[m_at + 1];
        m_at += 2;
        return value;
    }
    int offset() const { return m_at; }
    int remaining() const { return m_length - m_at; }

private:
    const BYTE* m_data;
    int m_length;
    int m_at = 0;
};

std::string at(int offset) {
    return " at byte " + std::to_string(offset);
}

}  // namespace

CNxChassisInfo::CNxChassisInfo(const BYTE* contents) {
    if (contents) {
        LoadContents(contents);
    }
}

BOOL CNxChassisInfo::LoadContents(const BYTE* buffer) {
    return parse(buffer, kMaxContentsLength, false);
}

BOOL CNxChassisInfo::LoadContents(const BYTE* buffer, int length) {
    if (length > kMaxContentsLength) {
        m_lastError.Format("contents of %d bytes exceed the limit of %d", length,
                           kMaxContentsLength);
        return FALSE;
    }
    return parse(buffer, length, true);
}

BOOL CNxChassisInfo::parse(const BYTE* buffer, int length, bool exactLength) {
    auto refuse = [this](const std::string& reason) {
        m_lastError = reason;
        return FALSE;
    };
    if (!buffer || length <= 0) {
        return refuse("empty contents");
    }
    BoundedReader in(buffer, length);
    const auto magic = in.byte();
    if (*magic != kMagic) {
        return refuse("bad magic" + at(0));
    }
    const auto version = in.byte();
    if (!version) {
        return refuse("truncated header");
    }
    if (*version != kVersion) {
        return refuse("unknown version " + std::to_string(*version));
    }
    const auto slotCount = in.byte();
    if (!slotCount) {
        return refuse("truncated header");
    }
    std::map<int, Slot> slots;
    int previousSlot = 0;
    for (int record = 0; record < *slotCount; ++record) {
        const int recordStart = in.offset();
        const auto slot = in.byte();
        const auto moduleType = in.word();
        const auto perUnit = moduleType ? in.byte() : std::nullopt;
        const auto runCount = perUnit ? in.byte() : std::nullopt;
        if (!runCount) {
            return refuse("truncated slot record " + std::to_string(record + 1) + at(recordStart));
        }
        if (*slot == 0 || *slot <= previousSlot) {
            return refuse("slot " + std::to_string(*slot) + " out of order" + at(recordStart));
        }
        previousSlot = *slot;
        Slot entry;
        entry.moduleType = *moduleType;
        entry.portsPerUnit = *perUnit;
        for (int run = 0; run < *runCount; ++run) {
            const int runStart = in.offset();
            const auto count = in.byte();
            const auto type = count ? in.word() : std::nullopt;
            if (!type) {
                return refuse("truncated run of slot " + std::to_string(*slot) + at(runStart));
            }
            if (*count == 0) {
                return refuse("empty run in slot " + std::to_string(*slot) + at(runStart));
            }
            entry.portTypes.insert(entry.portTypes.end(), static_cast<std::size_t>(*count), *type);
        }
        entry.portCount = static_cast<int>(entry.portTypes.size());
        slots.emplace(*slot, std::move(entry));
    }
    if (exactLength && in.remaining() > 0) {
        return refuse(std::to_string(in.remaining()) + " bytes after the last record" +
                      at(in.offset()));
    }
    m_slots = std::move(slots);
    m_lastError.Empty();
    return TRUE;
}

int CNxChassisInfo::GetPortType(int slot, int port) const {
    const auto it = m_slots.find(slot);
    if (it == m_slots.end() || port < 1 || port > static_cast<int>(it->second.portTypes.size())) {
        return 0;
    }
    return it->second.portTypes[static_cast<std::size_t>(port - 1)];
}

int CNxChassisInfo::GetPortsPerUnit(int slot, int /*unused*/) const {
    const auto it = m_slots.find(slot);
    return it == m_slots.end() ? 0 : it->second.portsPerUnit;
}

int CNxChassisInfo::GetPortCount(int slot) const {
    const auto it = m_slots.find(slot);
    return it == m_slots.end() ? 0 : it->second.portCount;
}

int CNxChassisInfo::GetModuleType(int slot) const {
    const auto it = m_slots.find(slot);
    return it == m_slots.end() ? 0 : it->second.moduleType;
}

CString CNxChassisInfo::GetModuleName(int slot) const {
    const auto it = m_slots.find(slot);
    return it == m_slots.end() ? CString() : it->second.moduleName;
}

BOOL CNxChassisInfo::HasSlot(int slot) const {
    return m_slots.count(slot) != 0;
}

std::vector<int> CNxChassisInfo::GetSlots() const {
    std::vector<int> slots;
    for (const auto& [slot, entry] : m_slots) {
        slots.push_back(slot);
    }
    return slots;
}

void CNxChassisInfo::Clear() {
    m_slots.clear();
}

BOOL CNxChassisInfo::refuseSlot(int slot) {
    m_lastError.Format("slot %d is outside 1..%d", slot, kMaxSlot);
    return FALSE;
}

BOOL CNxChassisInfo::SetSlot(int slot, int moduleType, LPCTSTR moduleName, int portCount,
                             int portsPerUnit) {
    if (slot < 1 || slot > kMaxSlot) {
        return refuseSlot(slot);
    }
    if (portCount > kMaxPortsPerSlot) {
        m_lastError.Format("slot %d reports %d ports, more than %d", slot, portCount,
                           kMaxPortsPerSlot);
        return FALSE;
    }
    // The types are sized by the ports typed, never by a count the agent merely states.
    Slot& entry = m_slots[slot];
    entry.moduleType = moduleType;
    entry.moduleName = moduleName;
    entry.portCount = std::max({0, portCount, static_cast<int>(entry.portTypes.size())});
    entry.portsPerUnit = portsPerUnit;
    return TRUE;
}

BOOL CNxChassisInfo::SetPortType(int slot, int port, int portType) {
    if (port < 1) {
        return TRUE;  // a row without its port number types nothing
    }
    if (slot < 1 || slot > kMaxSlot) {
        return refuseSlot(slot);
    }
    if (port > kMaxPortsPerSlot) {
        m_lastError.Format("port %d/%d is beyond port %d", slot, port, kMaxPortsPerSlot);
        return FALSE;
    }
    Slot& entry = m_slots[slot];
    if (port > static_cast<int>(entry.portTypes.size())) {
        entry.portTypes.resize(static_cast<std::size_t>(port), 0);
        entry.portCount = std::max(entry.portCount, port);
    }
    entry.portTypes[static_cast<std::size_t>(port - 1)] = portType;
    return TRUE;
}
