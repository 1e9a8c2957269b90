#include <gtest/gtest.h>

#include "sim/oid_store.h"
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
    const auto errors = demo.integer("rptrMonitorPortFCSErrors", {1, 2});
    demo.nowMs += 10'000;
    EXPECT_GT(demo.integer("rptrMonitorPortFCSErrors", {1, 2}), errors);
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

TEST(SimulatedSwitchRead, CountersAdvanceExactlyAndWrapAsTheirType) {
    struct Case {
        const char* what;
        mib::Value start;
        std::uint32_t rate;
        std::int64_t elapsedMs;
        mib::Value expected;
    };
    const std::uint64_t max64 = ~std::uint64_t{0};
    const std::vector<Case> cases = {
        {"Counter32 wraps at 2^32", mib::Value::makeCounter32(4294967196u), 1000, 1000,
         mib::Value::makeCounter32(900)},
        {"Counter32 wraps more than once", mib::Value::makeCounter32(0), 1000000000, 10000,
         mib::Value::makeCounter32(1410065408u)},
        {"TimeTicks wraps at 2^32", mib::Value::makeTimeTicks(4294967295u), 100, 20,
         mib::Value::makeTimeTicks(1)},
        {"Counter64 wraps at 2^64", mib::Value::makeCounter64(max64 - 1), 5, 1000,
         mib::Value::makeCounter64(3)},
        {"whole increments only", mib::Value::makeCounter32(10), 3, 999,
         mib::Value::makeCounter32(12)},
        {"a clock behind the start", mib::Value::makeCounter32(10), 3, -5000,
         mib::Value::makeCounter32(10)},
        {"rate 0 stays", mib::Value::makeCounter32(10), 0, 1000000, mib::Value::makeCounter32(10)},
        {"50 days at 1e9 per second", mib::Value::makeCounter32(7), 1000000000, 50LL * 86400 * 1000,
         mib::Value::makeCounter32(static_cast<std::uint32_t>((7 + 50ULL * 86400 * 1000000000) %
                                                              (std::uint64_t{1} << 32)))},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Cell cell;
        cell.value = c.start;
        cell.ratePerSecond = c.rate;
        cell.sinceMs = 1000;
        EXPECT_EQ(cell.valueAt(1000 + c.elapsedMs), c.expected);
        // The same instant reads the same value, however often it is read.
        EXPECT_EQ(cell.valueAt(1000 + c.elapsedMs), cell.valueAt(1000 + c.elapsedMs));
    }
}

TEST(SimulatedSwitchRead, SwitchCountersStayInRangeOverLongUptimes) {
    DemoSwitch demo;
    const auto before = demo.integer("phyPortFrameIns", {1, 9});  // 500 per second
    demo.nowMs += 10'000'000'000;                                 // about 115 days
    const auto after = demo.sw->read("phyPortFrameIns", {1, 9});
    ASSERT_TRUE(after);
    EXPECT_EQ(after->type, ValueType::Counter32);
    EXPECT_EQ(static_cast<std::uint64_t>(after->integer),
              (static_cast<std::uint64_t>(before) + 500ULL * 10'000'000) % (1ULL << 32));
}

TEST(SimulatedSwitchRead, GetNextAndGetBulkAtTheEndOfTheMib) {
    DemoSwitch demo;
    // The last cell of the switch, found by walking.
    mib::Oid last{0};
    for (;;) {
        auto r = demo.sw->handle(request(PduType::GetNext, {{last, {}}}));
        if (r.varbinds.at(0).value.type == ValueType::EndOfMibView)
            break;
        last = r.varbinds[0].oid;
    }
    auto next = demo.sw->handle(request(PduType::GetNext, {{last, {}}}));
    ASSERT_EQ(next.varbinds.size(), 1u);
    EXPECT_EQ(next.varbinds[0].oid, last) << "endOfMibView names the OID asked";

    struct BulkCase {
        const char* what;
        int nonRepeaters;
        int maxRepetitions;
        std::size_t varbinds;
    };
    // Asked: sysName, then the last cell twice; the answer is sysName.0 and endOfMibViews.
    const std::vector<BulkCase> cases = {
        {"repeaters at the end stop after one round", 1, 10, 3u},
        {"non-repeaters above the count are all non-repeaters", 7, 10, 3u},
        {"negative non-repeaters are none", -2, 1, 3u},
        {"no repetitions leave the non-repeaters", 1, 0, 1u},
        {"negative repetitions are none", 0, -1, 0u},
    };
    for (const BulkCase& c : cases) {
        SCOPED_TRACE(c.what);
        mib::RequestPdu bulk =
            request(PduType::GetBulk, {varbind("sysName", {}), {last, {}}, {last, {}}});
        bulk.nonRepeaters = c.nonRepeaters;
        bulk.maxRepetitions = c.maxRepetitions;
        const auto response = demo.sw->handle(bulk);
        EXPECT_EQ(response.errorStatus, mib::ErrorStatus::NoError);
        ASSERT_EQ(response.varbinds.size(), c.varbinds);
        for (std::size_t i = 0; i < response.varbinds.size(); ++i) {
            if (i == 0) {
                EXPECT_EQ(response.varbinds[i].oid, oidOf("sysName", {0}));
            } else {
                EXPECT_EQ(response.varbinds[i].value.type, ValueType::EndOfMibView) << i;
                EXPECT_EQ(response.varbinds[i].oid, last) << i;
            }
        }
    }
}

TEST(SimulatedSwitchRead, GetBulkColumnsLeaveTheirTableInOrder) {
    DemoSwitch demo;
    // The last vLan column runs into whatever follows; every repeater only moves forward.
    mib::RequestPdu bulk =
        request(PduType::GetBulk, {varbind("vLanNumber", {}), varbind("vLanMode", {})});
    bulk.maxRepetitions = 200;
    const auto response = demo.sw->handle(bulk);
    ASSERT_GE(response.varbinds.size(), 4u);
    for (std::size_t i = 2; i < response.varbinds.size(); ++i) {
        const auto& vb = response.varbinds[i];
        if (vb.value.type == ValueType::EndOfMibView)
            continue;
        EXPECT_LT(response.varbinds[i - 2].oid, vb.oid) << i;
    }
}

}  // namespace
}  // namespace sim
