#include <gtest/gtest.h>

#include "sim/test_support.h"

namespace sim {
namespace {

using namespace sim::testing;
using mib::PduType;
using mib::ValueType;

TEST(SimulatedSwitchRead, DemoChassisIsCompleteForTheDictionary) {
    DemoSwitch demo;
    ASSERT_NE(demo.sw, nullptr);
    EXPECT_TRUE(demo.sw->missingNames().empty())
        << "first missing: " << *demo.sw->missingNames().begin();
    EXPECT_EQ(demo.sw->rowCount("phyPortAdmStatus"), 12u + 8u + 12u);
    EXPECT_EQ(demo.integer("etherStatsIndex", {3012}), 3012);  // slot 3, port 12
    EXPECT_EQ(demo.integer("chasSlotPortsPerUnit", {5}), 12);
    EXPECT_EQ(demo.integer("chasPortType", {2, 5}), 259);
    // every Ethernet port carries service 4 instance 1
    EXPECT_TRUE(demo.sw->rowExists("vportVlanNumber", {3, 12, 4, 1}));
}

TEST(SimulatedSwitchRead, GetAnswersExceptionsPerVarbind) {
    DemoSwitch demo;
    auto response = demo.sw->handle(request(PduType::Get, {varbind("sysName", {0}),
                                                           varbind("phyPortAdmStatus", {4, 1}),
                                                           {{1, 3, 6, 1, 9, 9}, {}},
                                                           varbind("sysName", {})}));
    ASSERT_EQ(response.varbinds.size(), 4u);
    EXPECT_EQ(response.varbinds[0].value.octets, "demo-switch");
    EXPECT_EQ(response.varbinds[1].value.type, ValueType::NoSuchInstance);  // slot 4 is empty
    EXPECT_EQ(response.varbinds[2].value.type, ValueType::NoSuchObject);
    EXPECT_EQ(response.varbinds[3].value.type, ValueType::NoSuchInstance);  // scalar without .0
}

TEST(SimulatedSwitchRead, GetNextWalksInOidOrderAcrossHolesAndTableEnds) {
    DemoSwitch demo;
    // slot 4 is a hole: after slot 3's last port comes slot 5 (the expander is in chasPortTable)
    auto after = demo.sw->handle(request(PduType::GetNext, {varbind("chasPortType", {3, 12})}));
    EXPECT_EQ(after.varbinds[0].oid, oidOf("chasPortType", {5, 1}));
    // from a column's last row to the next column's first row
    after = demo.sw->handle(request(PduType::GetNext, {varbind("phyPortSlot", {3, 12})}));
    EXPECT_EQ(after.varbinds[0].oid, oidOf("phyPortIF", {1, 1}));
    // a prefix that is not an instance starts at the first row
    after = demo.sw->handle(request(PduType::GetNext, {varbind("vLanDescription", {})}));
    EXPECT_EQ(after.varbinds[0].oid, oidOf("vLanDescription", {1}));
    // the end of everything
    after = demo.sw->handle(request(PduType::GetNext, {{{2}, {}}}));
    EXPECT_EQ(after.varbinds[0].value.type, ValueType::EndOfMibView);
    EXPECT_EQ(after.varbinds[0].oid, (mib::Oid{2}));
}

TEST(SimulatedSwitchRead, WalkVisitsEveryRowOnceInOrder) {
    DemoSwitch demo;
    mib::Oid cursor = oidOf("vportVlanNumber", {});
    const mib::Oid column = cursor;
    std::vector<mib::Oid> seen;
    for (;;) {
        auto r = demo.sw->handle(request(PduType::GetNext, {{cursor, {}}}));
        if (!mib::oidStartsWith(r.varbinds[0].oid, column)) {
            break;
        }
        ASSERT_TRUE(seen.empty() || seen.back() < r.varbinds[0].oid);
        cursor = r.varbinds[0].oid;
        seen.push_back(cursor);
    }
    EXPECT_EQ(seen.size(), demo.sw->rowCount("vportVlanNumber"));
    EXPECT_EQ(seen.size(), 32u + 4u);  // 32 ports plus the demo's four extra services
}

TEST(SimulatedSwitchRead, GetBulkHonoursNonRepeatersAndRepetitions) {
    DemoSwitch demo;
    mib::RequestPdu pdu =
        request(PduType::GetBulk,
                {varbind("sysName", {}), varbind("vLanNumber", {}), varbind("vLanMode", {})});
    pdu.nonRepeaters = 1;
    pdu.maxRepetitions = 3;
    auto response = demo.sw->handle(pdu);
    ASSERT_EQ(response.varbinds.size(), 1u + 2u * 3u);
    EXPECT_EQ(response.varbinds[0].oid, oidOf("sysName", {0}));
    EXPECT_EQ(response.varbinds[1].oid, oidOf("vLanNumber", {1}));
    EXPECT_EQ(response.varbinds[2].oid, oidOf("vLanMode", {1}));
    EXPECT_EQ(response.varbinds[5].oid, oidOf("vLanNumber", {3}));
    EXPECT_EQ(response.varbinds[6].oid, oidOf("vLanMode", {3}));

    // Repeaters that run off the end report endOfMibView and stop the answer.
    mib::RequestPdu tail = request(PduType::GetBulk, {{{1, 3, 6, 1, 4, 1, 32473, 99}, {}}});
    tail.maxRepetitions = 5;
    response = demo.sw->handle(tail);
    ASSERT_EQ(response.varbinds.size(), 1u);
    EXPECT_EQ(response.varbinds[0].value.type, ValueType::EndOfMibView);
}

TEST(SimulatedSwitchRead, CountersAdvanceWithTheClockAndRepeaterResetsThem) {
    DemoSwitch demo;
    const auto before = demo.integer("phyPortFrameIns", {1, 9});  // rate 500 per second
    demo.nowMs += 10'000;
    EXPECT_EQ(demo.integer("phyPortFrameIns", {1, 9}) - before, 5000);
    // a port that is down counts nothing
    const auto idle = demo.integer("phyPortFrameIns", {1, 3});
    demo.nowMs += 10'000;
    EXPECT_EQ(demo.integer("phyPortFrameIns", {1, 3}), idle);

    const auto frames = demo.integer("rptrMonitorPortReadableFrames", {1, 2});
    EXPECT_GT(frames, 0);
    auto response = demo.set({varbind("rptrReset", {0}, mib::Value::makeInteger(2))});
    ASSERT_EQ(response.errorStatus, mib::ErrorStatus::NoError);
    EXPECT_EQ(demo.integer("rptrMonitorPortReadableFrames", {1, 2}), 0);
    EXPECT_EQ(demo.integer("rptrMonitorGroupTotalFrames", {1}), 0);
    EXPECT_EQ(demo.integer("rptrReset", {0}), 1);  // reads always say noReset
    demo.nowMs += 2'000;
    EXPECT_GT(demo.integer("rptrMonitorPortReadableFrames", {1, 2}), 0);
    EXPECT_GT(demo.integer("phyPortFrameIns", {1, 9}), 0);  // other counters untouched
}

TEST(SimulatedSwitchRead, FaultsTooBigAndSilence) {
    DemoSwitch demo;
    demo.sw->answerTooBigAbove(200);
    mib::RequestPdu bulk = request(PduType::GetBulk, {varbind("phyPortDescription", {})});
    bulk.maxRepetitions = 30;
    EXPECT_EQ(demo.sw->handle(bulk).errorStatus, mib::ErrorStatus::TooBig);
    bulk.maxRepetitions = 1;
    EXPECT_EQ(demo.sw->handle(bulk).errorStatus, mib::ErrorStatus::NoError);

    demo.sw->stopAnsweringFor(1500);
    EXPECT_FALSE(demo.sw->answersNow());
    demo.nowMs += 1499;
    EXPECT_FALSE(demo.sw->answersNow());
    demo.nowMs += 1;
    EXPECT_TRUE(demo.sw->answersNow());
}

}  // namespace
}  // namespace sim
