#pragma once
// Port channels as the Channeling page holds them: one fixed-size record per channel, joined
// from the primary and secondary channel tables, and the row writes that create or change a
// channel on the switch.

#include <cstdint>
#include <vector>

#include "framework/afx/cstring.h"

namespace torvik {

constexpr int kMaxChannelPorts = 4;
constexpr int kMaxSecondaryPorts = kMaxChannelPorts - 1;
constexpr int kAdminStatusTextSize = 16;  // 15 characters and the terminator
constexpr int kFirstChannelId = 1;
constexpr int kLastChannelId = 254;

struct ChannelRecord {
    std::int32_t channelId = 0;
    std::int32_t slot = 0;
    std::int32_t primaryPort = 0;
    std::int32_t secondaryCount = 0;
    std::int32_t secondaryPorts[kMaxSecondaryPorts] = {};
    char adminStatus[kAdminStatusTextSize] = {};
};

// Appends a secondary port; false (and nothing written) when the record holds three already.
bool addSecondaryPort(ChannelRecord& record, int port);
// Copies at most 15 characters of text.
void setAdminStatusText(ChannelRecord& record, const char* text);
// "2,5": the secondary ports in record order, no blanks; "" without any.
CString secondaryPortsText(const ChannelRecord& record);
// One more than the greatest channel ID, 1 without channels.
int nextChannelId(const std::vector<ChannelRecord>& records);
const ChannelRecord* findChannel(const std::vector<ChannelRecord>& records, int channelId);

// What the operator defined: a channel ID, its slot, its primary port and the other ports.
struct ChannelDefinition {
    int channelId = 0;
    int slot = 0;
    int primaryPort = 0;
    std::vector<int> secondaryPorts;
};

// One value of a SET that creates, changes or deletes channel rows: the primary row has the
// instance [channel ID], a secondary row [channel ID, slot, port].
struct ChannelRowWrite {
    std::vector<unsigned> instance;
    const char* variable;
    long value;
    bool operator==(const ChannelRowWrite& other) const;
};

constexpr long kChannelRowCreate = 1;
constexpr long kChannelRowDelete = 2;

// The whole channel: the primary row first (so that the secondary rows have their channel),
// then one secondary row per secondary port.
std::vector<ChannelRowWrite> creationWrites(const ChannelDefinition& channel);
// The smallest set of row writes that turns `before` into `after`; empty when they are the same.
std::vector<ChannelRowWrite> modificationWrites(const ChannelRecord& before,
                                                const ChannelDefinition& after);

}  // namespace torvik
