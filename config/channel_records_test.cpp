// Channel records and the row writes that create or change a channel.

#include "config/channel_records.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

namespace torvik {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

ChannelRecord channel3() {
    ChannelRecord record;
    record.channelId = 3;
    record.slot = 1;
    record.primaryPort = 10;
    addSecondaryPort(record, 11);
    addSecondaryPort(record, 12);
    return record;
}

ChannelRowWrite secondary(unsigned id, unsigned port, long status) {
    return {{id, 1, port}, "secadminStatus", status};
}

TEST(ChannelRecords, HoldThreeSecondaryPortsAndFifteenCharactersAtMost) {
    ChannelRecord record = channel3();
    EXPECT_TRUE(addSecondaryPort(record, 5));
    EXPECT_FALSE(addSecondaryPort(record, 6));
    EXPECT_EQ(record.secondaryCount, 3);
    EXPECT_EQ(secondaryPortsText(record), CString("11,12,5"));
    EXPECT_EQ(secondaryPortsText(ChannelRecord{}), CString(""));

    setAdminStatusText(record, "create");
    EXPECT_STREQ(record.adminStatus, "create");
    setAdminStatusText(record, "a status text far longer than its record");
    EXPECT_EQ(std::string(record.adminStatus), "a status text f");
    setAdminStatusText(record, nullptr);
    EXPECT_STREQ(record.adminStatus, "");

    EXPECT_EQ(nextChannelId({}), 1);
    ChannelRecord last;
    last.channelId = 254;
    EXPECT_EQ(nextChannelId({channel3(), last}), 255);
    EXPECT_EQ(findChannel({channel3(), last}, 254)->channelId, 254);
    EXPECT_EQ(findChannel({channel3()}, 4), nullptr);
}

TEST(ChannelRecords, CreationWritesThePrimaryRowBeforeTheSecondaryRows) {
    EXPECT_THAT(creationWrites({20, 2, 5, {4, 6}}),
                ElementsAre(ChannelRowWrite{{20}, "priPortSlot", 2},
                            ChannelRowWrite{{20}, "priPortPhysIntf", 5},
                            ChannelRowWrite{{20}, "adminStatus", kChannelRowCreate},
                            ChannelRowWrite{{20, 2, 4}, "secadminStatus", kChannelRowCreate},
                            ChannelRowWrite{{20, 2, 6}, "secadminStatus", kChannelRowCreate}));
}

TEST(ChannelRecords, ModificationWritesOnlyWhatDiffers) {
    const ChannelRecord before = channel3();
    EXPECT_THAT(modificationWrites(before, {3, 1, 10, {11, 12}}), IsEmpty());
    EXPECT_THAT(modificationWrites(before, {3, 1, 10, {12, 11}}), IsEmpty());
    EXPECT_THAT(
        modificationWrites(before, {3, 1, 10, {11, 4}}),
        ElementsAre(secondary(3, 12, kChannelRowDelete), secondary(3, 4, kChannelRowCreate)));
    // A secondary port becomes the primary one and the old primary a secondary one.
    EXPECT_THAT(
        modificationWrites(before, {3, 1, 11, {10, 12}}),
        ElementsAre(ChannelRowWrite{{3}, "priPortPhysIntf", 11},
                    secondary(3, 11, kChannelRowDelete), secondary(3, 10, kChannelRowCreate)));
    // The old primary leaves the channel: nothing of it stays behind.
    EXPECT_THAT(
        modificationWrites(before, {3, 1, 12, {}}),
        ElementsAre(ChannelRowWrite{{3}, "priPortPhysIntf", 12},
                    secondary(3, 11, kChannelRowDelete), secondary(3, 12, kChannelRowDelete)));
    // Another ID: the old channel goes, the new one comes whole.
    EXPECT_THAT(modificationWrites(before, {9, 1, 10, {11}}),
                ElementsAre(ChannelRowWrite{{3}, "adminStatus", kChannelRowDelete},
                            ChannelRowWrite{{9}, "priPortSlot", 1},
                            ChannelRowWrite{{9}, "priPortPhysIntf", 10},
                            ChannelRowWrite{{9}, "adminStatus", kChannelRowCreate},
                            secondary(9, 11, kChannelRowCreate)));
}

}  // namespace
}  // namespace torvik
