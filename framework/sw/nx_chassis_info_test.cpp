#include "framework/sw/nx_chassis_info.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

using Bytes = std::vector<BYTE>;

// Slot 2: module 0x0101, 24 ports (20 of type 226, 4 of type 259); slot 5: expander, 12 per
// bank, 24 ports of type 244.
const Bytes kTwoSlots = {0x4E, 1,    2,                                       //
                         2,    0x01, 0x01, 0,  2, 20, 0, 226, 4, 0x01, 0x03,  //
                         5,    0x02, 0x00, 12, 1, 24, 0, 244};

// Loads from a heap copy of exactly the value's size, so reading past it is caught by ASan.
bool load(CNxChassisInfo& info, const Bytes& bytes) {
    auto copy = std::make_unique<BYTE[]>(bytes.size());
    std::copy(bytes.begin(), bytes.end(), copy.get());
    return info.LoadContents(copy.get(), static_cast<int>(bytes.size())) != FALSE;
}

TEST(ChassisContents, ValidValueGivesModulesAndPortTypes) {
    CNxChassisInfo info;
    ASSERT_TRUE(load(info, kTwoSlots)) << info.LastError().str();
    EXPECT_EQ(info.GetPortType(2, 1), 226);
    EXPECT_EQ(info.GetPortType(2, 20), 226);
    EXPECT_EQ(info.GetPortType(2, 21), 259);
    EXPECT_EQ(info.GetPortType(2, 24), 259);
    EXPECT_EQ(info.GetPortType(2, 25), 0);
    EXPECT_EQ(info.GetPortType(3, 1), 0);
    EXPECT_EQ(info.GetPortsPerUnit(5, 1), 12);
    EXPECT_EQ(info.GetPortCount(5), 24);
    EXPECT_EQ(info.GetModuleType(2), 0x0101);
}

struct Malformed {
    const char* name;
    Bytes bytes;
    const char* reason;
};

class MalformedContents : public testing::TestWithParam<Malformed> {};

TEST_P(MalformedContents, IsRefusedWithAReasonAndKeepsThePreviousDescription) {
    CNxChassisInfo info;
    ASSERT_TRUE(load(info, kTwoSlots));
    EXPECT_FALSE(load(info, GetParam().bytes));
    EXPECT_NE(info.LastError().Find(GetParam().reason), -1) << info.LastError().str();
    EXPECT_EQ(info.GetPortType(2, 21), 259);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MalformedContents,
    testing::Values(
        Malformed{"empty", {}, "empty"}, Malformed{"magic", {0x4F, 1, 0}, "magic"},
        Malformed{"version", {0x4E, 2, 0}, "version"},
        Malformed{"headerCut", {0x4E, 1}, "truncated header"},
        Malformed{"slotRecordCut", {0x4E, 1, 1, 2, 0x01}, "truncated slot"},
        Malformed{"runCut", {0x4E, 1, 1, 2, 0, 1, 0, 1, 4, 0}, "truncated run"},
        Malformed{"zeroRun", {0x4E, 1, 1, 2, 0, 1, 0, 1, 0, 0, 226}, "empty run"},
        Malformed{"moreSlotsThanGiven", {0x4E, 1, 2, 2, 0, 1, 0, 0}, "truncated"},
        Malformed{"slotsOutOfOrder", {0x4E, 1, 2, 5, 0, 1, 0, 0, 2, 0, 1, 0, 0}, "out of order"},
        Malformed{"slotZero", {0x4E, 1, 1, 0, 0, 1, 0, 0}, "out of order"},
        Malformed{"trailing", {0x4E, 1, 0, 7}, "after the last record"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ChassisContents, EveryTruncationOfAValidValueIsRefused) {
    for (std::size_t length = 0; length < kTwoSlots.size(); ++length) {
        CNxChassisInfo info;
        EXPECT_FALSE(load(info, Bytes(kTwoSlots.begin(), kTwoSlots.begin() + length)))
            << "length " << length;
    }
}

TEST(ChassisContents, LengthLimitAndTheOneArgumentForm) {
    CNxChassisInfo info;
    Bytes big(513, 0);
    EXPECT_FALSE(info.LoadContents(big.data(), 513));
    EXPECT_NE(info.LastError().Find("limit"), -1);

    // The one-argument form ends the value with its records and reads at most 512 bytes.
    Bytes padded = kTwoSlots;
    padded.resize(CNxChassisInfo::kMaxContentsLength, 0xFF);
    EXPECT_TRUE(info.LoadContents(padded.data()));
    EXPECT_EQ(info.GetPortType(5, 24), 244);

    // 255 slots of 255 ports need more than 512 bytes: refused without reading past 512.
    Bytes huge = {0x4E, 1, 255};
    for (int slot = 1; huge.size() < CNxChassisInfo::kMaxContentsLength; ++slot) {
        for (BYTE b :
             {BYTE(slot), BYTE(0), BYTE(1), BYTE(0), BYTE(1), BYTE(255), BYTE(0), BYTE(226)}) {
            huge.push_back(b);
        }
    }
    huge.resize(CNxChassisInfo::kMaxContentsLength);
    auto exact = std::make_unique<BYTE[]>(huge.size());
    std::copy(huge.begin(), huge.end(), exact.get());
    EXPECT_FALSE(info.LoadContents(exact.get()));
}

TEST(ChassisContents, TablesFillTheSameDescription) {
    CNxChassisInfo info;
    info.SetSlot(4, 7, "GigaFlex", 2, 0);
    info.SetPortType(4, 2, 260);
    EXPECT_EQ(info.GetPortType(4, 2), 260);
    EXPECT_EQ(info.GetPortType(4, 1), 0);
    EXPECT_EQ(info.GetModuleName(4), "GigaFlex");
}

TEST(ChassisContents, TablesNamingSlotsOrPortsBeyondAnyChassisAreRefused) {
    CNxChassisInfo info;
    ASSERT_TRUE(info.SetSlot(4, 7, "GigaFlex", 2, 0));
    // A stated count sizes nothing: only typed ports take room.
    EXPECT_TRUE(info.SetSlot(5, 7, "Many", CNxChassisInfo::kMaxPortsPerSlot, 0));
    EXPECT_EQ(info.GetPortCount(5), CNxChassisInfo::kMaxPortsPerSlot);
    EXPECT_FALSE(info.SetSlot(6, 7, "Huge", 2147483647, 0));
    EXPECT_EQ(info.LastError(), "slot 6 reports 2147483647 ports, more than 65535");
    EXPECT_FALSE(info.HasSlot(6));
    EXPECT_FALSE(info.SetPortType(4, 2147483647, 226));
    EXPECT_EQ(info.LastError(), "port 4/2147483647 is beyond port 65535");
    EXPECT_EQ(info.GetPortCount(4), 2);
    EXPECT_FALSE(info.SetSlot(2147483647, 1, "", 1, 0));
    EXPECT_FALSE(info.SetPortType(256, 1, 226));
    EXPECT_EQ(info.LastError(), "slot 256 is outside 1..255");
    EXPECT_EQ(info.GetSlots(), (std::vector<int>{4, 5}));
    EXPECT_TRUE(info.SetPortType(4, 0, 226));  // no port number: nothing typed
    EXPECT_EQ(info.GetPortType(4, 0), 0);
}

}  // namespace
