#include "config/channel_records.h"

#include <algorithm>
#include <cstring>
#include <string_view>

namespace torvik {

namespace {

std::vector<int> secondaryPortsOf(const ChannelRecord& record) {
    const int count = std::clamp<int>(record.secondaryCount, 0, kMaxSecondaryPorts);
    return {record.secondaryPorts, record.secondaryPorts + count};
}

bool contains(const std::vector<int>& ports, int port) {
    return std::find(ports.begin(), ports.end(), port) != ports.end();
}

ChannelRowWrite secondaryRow(int channelId, int slot, int port, long status) {
    return {{static_cast<unsigned>(channelId), static_cast<unsigned>(slot),
             static_cast<unsigned>(port)},
            "secadminStatus",
            status};
}

}  // namespace

bool ChannelRowWrite::operator==(const ChannelRowWrite& other) const {
    return instance == other.instance && std::string_view(variable) == other.variable &&
           value == other.value;
}

bool addSecondaryPort(ChannelRecord& record, int port) {
    if (record.secondaryCount < 0 || record.secondaryCount >= kMaxSecondaryPorts) {
        return false;
    }
    record.secondaryPorts[record.secondaryCount++] = port;
    return true;
}

void setAdminStatusText(ChannelRecord& record, const char* text) {
    std::memset(record.adminStatus, 0, sizeof record.adminStatus);
    if (text != nullptr) {
        std::strncpy(record.adminStatus, text, sizeof record.adminStatus - 1);
    }
}

CString secondaryPortsText(const ChannelRecord& record) {
    CString text;
    for (int port : secondaryPortsOf(record)) {
        CString number;
        number.Format("%d", port);
        if (!text.IsEmpty()) {
            text += ",";
        }
        text += number;
    }
    return text;
}

int nextChannelId(const std::vector<ChannelRecord>& records) {
    int greatest = 0;
    for (const ChannelRecord& record : records) {
        greatest = std::max<int>(greatest, record.channelId);
    }
    return greatest + 1;
}

const ChannelRecord* findChannel(const std::vector<ChannelRecord>& records, int channelId) {
    for (const ChannelRecord& record : records) {
        if (record.channelId == channelId) {
            return &record;
        }
    }
    return nullptr;
}

std::vector<ChannelRowWrite> creationWrites(const ChannelDefinition& channel) {
    const std::vector<unsigned> primary{static_cast<unsigned>(channel.channelId)};
    std::vector<ChannelRowWrite> writes = {
        {primary, "priPortSlot", channel.slot},
        {primary, "priPortPhysIntf", channel.primaryPort},
        {primary, "adminStatus", kChannelRowCreate},
    };
    for (int port : channel.secondaryPorts) {
        writes.push_back(secondaryRow(channel.channelId, channel.slot, port, kChannelRowCreate));
    }
    return writes;
}

// A modification touches only what differs, in one SET:
// - another channel ID: the old channel is deleted (its secondary rows go with it) and the
//   new one created whole, as creationWrites does;
// - another primary port: priPortPhysIntf of the primary row is written; the new primary's
//   secondary row is deleted and, when the old primary stays in the channel, a secondary row
//   is created for it;
// - every other port: a secondary row deleted for a port that left the channel, created for a
//   port that joined it.
// The slot never changes: a channel's ports are chosen from its own slot.
std::vector<ChannelRowWrite> modificationWrites(const ChannelRecord& before,
                                                const ChannelDefinition& after) {
    if (before.channelId != after.channelId) {
        std::vector<ChannelRowWrite> writes = {
            {{static_cast<unsigned>(before.channelId)}, "adminStatus", kChannelRowDelete}};
        for (const ChannelRowWrite& w : creationWrites(after)) {
            writes.push_back(w);
        }
        return writes;
    }
    const int id = after.channelId;
    const int slot = before.slot;
    const std::vector<int> oldSecondary = secondaryPortsOf(before);
    std::vector<ChannelRowWrite> writes;
    if (after.primaryPort != before.primaryPort) {
        writes.push_back({{static_cast<unsigned>(id)}, "priPortPhysIntf", after.primaryPort});
    }
    for (int port : oldSecondary) {
        if (!contains(after.secondaryPorts, port)) {
            writes.push_back(secondaryRow(id, slot, port, kChannelRowDelete));
        }
    }
    for (int port : after.secondaryPorts) {
        if (!contains(oldSecondary, port)) {
            writes.push_back(secondaryRow(id, slot, port, kChannelRowCreate));
        }
    }
    return writes;
}

}  // namespace torvik
