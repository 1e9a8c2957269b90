// Sets of static bridge entries, mirroring sessions and virtual port states, answered as
// the switch would.

#include <gtest/gtest.h>

#include "sim/test_support.h"

namespace sim {
namespace {

using namespace sim::testing;
using mib::ErrorStatus;
using mib::Value;

Value integer(std::int64_t v) {
    return Value::makeInteger(v);
}

// Group 7, address 00:a0:12:34:56:78.
const mib::Oid kEntry{7, 0x00, 0xa0, 0x12, 0x34, 0x56, 0x78};

std::vector<mib::VarBind> staticEntry(const mib::Oid& entry, std::int64_t port,
                                      std::int64_t service, std::int64_t status) {
    return {varbind("vBrdgStaticPortSlot", entry, integer(1)),
            varbind("vBrdgStaticPortIF", entry, integer(port)),
            varbind("vBrdgStaticPortFuncTyp", entry, integer(service)),
            varbind("vBrdgStaticPortFuncTypInst", entry, integer(1)),
            varbind("vBrdgStaticStatus", entry, integer(status))};
}

TEST(ServiceRules, StaticEntryIsCreatedInAGroupAndDeletedByInvalid) {
    DemoSwitch s;
    ASSERT_EQ(s.set(staticEntry(kEntry, 1, 4, 3)).errorStatus, ErrorStatus::NoError);
    EXPECT_EQ(s.integer("vBrdgStaticStatus", kEntry), 3);
    EXPECT_EQ(s.integer("vBrdgStaticGroupId", kEntry), 7);
    EXPECT_EQ(s.sw->read("vBrdgStaticAddress", kEntry)->octets,
              std::string("\x00\xa0\x12\x34\x56\x78", 6));

    ASSERT_EQ(s.set({varbind("vBrdgStaticStatus", kEntry, integer(2))}).errorStatus,
              ErrorStatus::NoError);
    EXPECT_FALSE(s.sw->rowExists("vBrdgStaticStatus", kEntry));
    // Deleting what is not there.
    EXPECT_EQ(s.set({varbind("vBrdgStaticStatus", kEntry, integer(2))}).errorStatus,
              ErrorStatus::NoCreation);
}

TEST(ServiceRules, StaticEntryRefusals) {
    DemoSwitch s;
    mib::Oid noGroup = kEntry;
    noGroup[0] = 99;
    const mib::ResponsePdu unknownGroup = s.set(staticEntry(noGroup, 1, 4, 3));
    EXPECT_EQ(unknownGroup.errorStatus, ErrorStatus::InconsistentValue);
    EXPECT_EQ(unknownGroup.errorIndex, 5);
    // Port 1/1 has no routing service (1) to forward to.
    EXPECT_EQ(s.set(staticEntry(kEntry, 1, 1, 3)).errorStatus, ErrorStatus::InconsistentValue);
    EXPECT_FALSE(s.sw->rowExists("vBrdgStaticStatus", kEntry));
    // Columns without a status name no entry to create.
    EXPECT_EQ(s.set({varbind("vBrdgStaticPortIF", kEntry, integer(1))}).errorStatus,
              ErrorStatus::NoCreation);
}

TEST(ServiceRules, MirroringSessionOpensWithItsFirstStatusAndChecksItsTarget) {
    DemoSwitch s;
    const mib::Oid vport{1, 2, 4, 1};
    auto session = [&](std::int64_t slot, std::int64_t port) {
        return s.set({varbind("mirrorMirroringSlot", vport, integer(slot)),
                      varbind("mirrorMirroringIF", vport, integer(port)),
                      varbind("mirrorStatus", vport, integer(1))});
    };
    EXPECT_EQ(session(1, 2).errorStatus, ErrorStatus::InconsistentValue);  // itself
    EXPECT_EQ(session(5, 1).errorStatus, ErrorStatus::InconsistentValue);  // expander
    EXPECT_FALSE(s.sw->rowExists("mirrorStatus", vport));
    ASSERT_EQ(session(3, 2).errorStatus, ErrorStatus::NoError);
    EXPECT_EQ(s.integer("mirrorNumber", vport), 3);  // after the demo's two sessions
    EXPECT_EQ(s.integer("mirrorFuncType", vport), 4);
    // No such virtual port, no session.
    EXPECT_EQ(s.set({varbind("mirrorStatus", {1, 5, 1, 1}, integer(1))}).errorStatus,
              ErrorStatus::NoCreation);
}

TEST(ServiceRules, VirtualPortGoesDownWhenDisabledAndUpAgainOnAPortWithLink) {
    DemoSwitch s;
    const mib::Oid vport{1, 1, 4, 2};
    ASSERT_EQ(s.set({varbind("vportAdmStatus", vport, integer(2))}).errorStatus,
              ErrorStatus::NoError);
    EXPECT_EQ(s.integer("vportOperStatus", vport), 2);
    ASSERT_EQ(s.set({varbind("vportAdmStatus", vport, integer(1))}).errorStatus,
              ErrorStatus::NoError);
    EXPECT_EQ(s.integer("vportOperStatus", vport), 3);
    // Port 1/4 has no link: its bridge service stays down.
    ASSERT_EQ(s.set({varbind("vportAdmStatus", {1, 4, 4, 1}, integer(1))}).errorStatus,
              ErrorStatus::NoError);
    EXPECT_EQ(s.integer("vportOperStatus", {1, 4, 4, 1}), 2);
}

}  // namespace
}  // namespace sim
