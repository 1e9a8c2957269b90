#include "framework/mib/request_engine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>

#include "framework/mib/in_process_transport.h"
#include "framework/mib/mib_error.h"

namespace mib {
namespace {

const Oid kEntry = {1, 3, 6, 1, 4, 1, 32473, 99, 1, 1};
const Oid kGroup = {1, 3, 6, 1, 4, 1, 32473, 99, 2};

Oid at(const Oid& base, std::initializer_list<std::uint32_t> tail) {
    Oid oid = base;
    oid.insert(oid.end(), tail);
    return oid;
}

MibVariable column(std::uint32_t sub, std::string name, Syntax syntax, Access access) {
    MibVariable v;
    v.name = std::move(name);
    v.oid = at(kEntry, {sub});
    v.syntax = syntax;
    v.access = access;
    v.table = "portTable";
    v.indexes = {"portSlot", "portIndex"};
    return v;
}

const MibDictionary& testDictionary() {
    static const MibDictionary dictionary([] {
        std::vector<MibVariable> vars = {
            column(1, "portSlot", Syntax::Integer, Access::ReadOnly),
            column(2, "portIndex", Syntax::Integer, Access::ReadOnly),
            column(3, "portName", Syntax::DisplayString, Access::ReadWrite),
            column(4, "portAdm", Syntax::Enumeration, Access::ReadWrite),
            column(5, "portMac", Syntax::MacAddress, Access::ReadOnly),
        };
        vars[2].maxSize = 8;
        vars[3].enums = {{1, "up"}, {2, "down"}};
        MibVariable contents;
        contents.name = "chasContents";
        contents.oid = at(kGroup, {1});
        contents.syntax = Syntax::OctetString;
        contents.group = "chasGroup";
        MibVariable name = contents;
        name.name = "chasName";
        name.oid = at(kGroup, {2});
        name.syntax = Syntax::DisplayString;
        name.access = Access::ReadWrite;
        vars.push_back(contents);
        vars.push_back(name);
        return vars;
    }());
    return dictionary;
}

// An agent over a map of instances, answering like a real one: GETNEXT and
// GETBULK in lexicographic order, SET applied all or nothing.
class FakeAgent : public PduHandler {
public:
    std::map<Oid, Value> store;
    std::vector<RequestPdu> received;
    ErrorStatus refuseSets = ErrorStatus::NoError;
    std::size_t tooBigAbove = 0;  // varbinds per answer; 0 = no limit
    bool silent = false;

    // Turns a correct answer into a misbehaving one.
    std::function<ResponsePdu(const RequestPdu&, ResponsePdu)> rewrite;

    bool answersNow() const override { return !silent; }

    ResponsePdu handle(const RequestPdu& pdu) override {
        ResponsePdu out = answer(pdu);
        return rewrite ? rewrite(pdu, std::move(out)) : out;
    }

    ResponsePdu answer(const RequestPdu& pdu) {
        received.push_back(pdu);
        ResponsePdu out;
        switch (pdu.type) {
            case PduType::Get:
                for (const auto& vb : pdu.varbinds) {
                    auto it = store.find(vb.oid);
                    out.varbinds.push_back(
                        {vb.oid, it == store.end() ? Value::exception(ValueType::NoSuchInstance)
                                                   : it->second});
                }
                break;
            case PduType::GetNext:
                for (const auto& vb : pdu.varbinds)
                    out.varbinds.push_back(next(vb.oid));
                break;
            case PduType::GetBulk: {
                std::vector<Oid> cursor;
                for (const auto& vb : pdu.varbinds)
                    cursor.push_back(vb.oid);
                for (int rep = 0; rep < pdu.maxRepetitions; ++rep) {
                    for (auto& c : cursor) {
                        out.varbinds.push_back(next(c));
                        c = out.varbinds.back().oid;
                    }
                }
                if (tooBigAbove > 0 && out.varbinds.size() > tooBigAbove) {
                    return {ErrorStatus::TooBig, 0, {}};
                }
                break;
            }
            case PduType::Set:
                if (refuseSets != ErrorStatus::NoError)
                    return {refuseSets, 1, pdu.varbinds};
                for (const auto& vb : pdu.varbinds)
                    store[vb.oid] = vb.value;
                out.varbinds = pdu.varbinds;
                break;
        }
        return out;
    }

    int count(PduType type) const {
        int n = 0;
        for (const auto& pdu : received)
            n += pdu.type == type ? 1 : 0;
        return n;
    }

private:
    VarBind next(const Oid& oid) const {
        auto it = store.upper_bound(oid);
        if (it == store.end())
            return {oid, Value::exception(ValueType::EndOfMibView)};
        return {it->first, it->second};
    }
};

class EngineTest : public testing::Test {
protected:
    EngineTest() {
        loop.useVirtualClock(true);
        engine.setListener([this](long h, bool ok) { completions.push_back({h, ok}); });
        trace.setRecording(true);
    }

    void put(std::uint32_t col, std::uint32_t slot, std::uint32_t port, Value value) {
        agent.store[at(kEntry, {col, slot, port})] = std::move(value);
    }
    void addPort(std::uint32_t slot, std::uint32_t port) {
        put(1, slot, port, Value::makeInteger(slot));
        put(2, slot, port, Value::makeInteger(port));
        put(3, slot, port,
            Value::makeString("p" + std::to_string(slot) + "/" + std::to_string(port)));
    }
    void settle() { loop.runUntilIdle(); }

    afx::EventLoop loop;
    FakeAgent agent;
    InProcessTransport transport{agent, loop};
    MibTrace trace;
    RequestEngine engine{testDictionary(), transport, loop, EngineSettings{5, 1, 5000, "sw1"},
                         &trace};
    std::vector<std::pair<long, bool>> completions;
};

TEST_F(EngineTest, TableWalkAssemblesRowsInIndexOrderWithHolesAndUnequalColumns) {
    for (auto [slot, port] : {std::pair{2u, 1u}, {1u, 10u}, {1u, 2u}, {3u, 7u}}) {
        addPort(slot, port);
    }
    agent.store.erase(at(kEntry, {3, 1, 2}));  // a hole in the name column
    put(4, 1, 2, Value::makeInteger(1));       // a column only one row has
    put(4, 9, 9, Value::makeInteger(2));       // a row only that column has
    agent.store[at(kGroup, {1, 0})] = Value::makeString("after the table");
    const long h = engine.open("portTable", {"portSlot", "portIndex", "portName", "portAdm"});

    for (int bulk : {48, 5, 0}) {  // several rows per answer, one, and SNMPv1 GETNEXT
        SCOPED_TRACE(bulk);
        transport.setMaxBulkVarbinds(bulk);
        completions.clear();
        ASSERT_TRUE(engine.requestTable(h));
        settle();
        ASSERT_EQ(completions, (std::vector<std::pair<long, bool>>{{h, true}}));
        ASSERT_EQ(engine.rowCount(h), 5);
        std::vector<std::string> seen;
        for (int r = 0; r < 5; ++r) {
            ASSERT_TRUE(engine.gotoRow(h, r));
            seen.push_back(engine.getString(h, "portSlot") + "." +
                           engine.getString(h, "portIndex") + ":" +
                           engine.getString(h, "portName") + ":" + engine.getString(h, "portAdm"));
        }
        EXPECT_EQ(seen, (std::vector<std::string>{
                            "1.2::up", "1.10:p1/10:", "2.1:p2/1:", "3.7:p3/7:", ".::down"}));
        EXPECT_FALSE(engine.gotoRow(h, 5));
        EXPECT_FALSE(engine.gotoRow(h, -1));
    }
    EXPECT_EQ(agent.count(PduType::GetNext), 5);  // the longest column's 4 rows + leaving it
}

TEST_F(EngineTest, WalkHalvesRepetitionsOnTooBigAndEndsOnEmptyTable) {
    for (std::uint32_t p = 1; p <= 30; ++p)
        addPort(1, p);
    agent.tooBigAbove = 12;
    const long h = engine.open("", {"portSlot", "portIndex", "portName"});
    ASSERT_TRUE(engine.requestTable(h));
    settle();
    ASSERT_EQ(completions.size(), 1u);
    EXPECT_TRUE(completions[0].second);
    EXPECT_EQ(engine.rowCount(h), 30);
    EXPECT_EQ(agent.received.front().maxRepetitions, 16);
    EXPECT_EQ(agent.received.back().maxRepetitions, 4);

    agent.store.clear();
    completions.clear();
    ASSERT_TRUE(engine.requestTable(h));
    settle();
    EXPECT_EQ(completions, (std::vector<std::pair<long, bool>>{{h, true}}));
    EXPECT_EQ(engine.rowCount(h), 0);
    EXPECT_EQ(engine.getString(h, "portName"), "");
    EXPECT_EQ(engine.errorCode(h), kMibNoValue);
}

TEST_F(EngineTest, RowReadsAddressTheChosenInstanceAndScalarsAtZero) {
    addPort(4, 12);
    agent.store[at(kGroup, {1, 0})] = Value::makeString(std::string("\x01\x02\x03", 3));
    const long row = engine.open("portTable", {"portName", "portAdm"});
    EXPECT_FALSE(engine.requestRow(row)) << "no instance chosen";
    EXPECT_EQ(engine.errorCode(row), kMibNoInstance);
    ASSERT_TRUE(engine.setRowIndex(row, {"4", "12"}));
    ASSERT_TRUE(engine.requestRow(row));
    EXPECT_TRUE(engine.isPending(row));
    EXPECT_TRUE(completions.empty()) << "never inside the starting call";
    settle();
    EXPECT_FALSE(engine.isPending(row));
    EXPECT_EQ(engine.getString(row, "portName"), "p4/12");
    EXPECT_EQ(engine.getString(row, "portAdm"), "");  // the row has no such column

    EXPECT_FALSE(engine.setRowIndex(row, {"4", "x"}));
    EXPECT_EQ(engine.errorCode(row), kMibBadIndex);
    ASSERT_TRUE(engine.setInstance(row, {4, 13}));
    ASSERT_TRUE(engine.requestRow(row));
    settle();
    EXPECT_EQ(completions.back(), std::make_pair(row, false));
    EXPECT_EQ(engine.errorCode(row), kMibNoSuchRow);
    EXPECT_NE(engine.errorText(row).find("sw1: no such row"), std::string::npos);

    const long group = engine.open("chasGroup", {"chasContents"});
    ASSERT_TRUE(engine.requestRow(group));
    settle();
    char buffer[3] = {};
    EXPECT_EQ(engine.getOctets(group, "chasContents", buffer, 3), 3);
    EXPECT_EQ(std::string(buffer, 3), std::string("\x01\x02\x03", 3));
    char small[2] = {'x', 'x'};
    EXPECT_EQ(engine.getOctets(group, "chasContents", small, 2), 0);
    EXPECT_EQ(std::string(small, 2), "xx");
    EXPECT_EQ(engine.errorCode(group), kMibBufferTooSmall);
    EXPECT_EQ(engine.getOctets(group, "chasContents", buffer, -1), 0);
    EXPECT_EQ(engine.errorCode(group), kMibBadArgument);
}

TEST_F(EngineTest, StagedValuesGoInOneSetThenReReadOrNot) {
    addPort(1, 2);
    const long h = engine.open("portTable", {"portName", "portAdm"});
    ASSERT_TRUE(engine.setInstance(h, {1, 2}));
    ASSERT_TRUE(engine.setString(h, "portName", "uplink"));
    ASSERT_TRUE(engine.setInteger(h, "portAdm", 2));
    ASSERT_TRUE(engine.sendSet(h));
    EXPECT_EQ(engine.stagedCount(h), 0);
    settle();
    ASSERT_EQ(agent.count(PduType::Set), 1);
    EXPECT_EQ(agent.received[0].varbinds.size(), 2u);
    EXPECT_EQ(agent.received.back().type, PduType::Get) << "re-read is on by default";
    EXPECT_EQ(engine.getString(h, "portAdm"), "down");
    EXPECT_EQ(completions, (std::vector<std::pair<long, bool>>{{h, true}}));
    EXPECT_EQ(trace.linesStartingWith("PDU SET"),
              (std::vector<std::string>{"PDU SET portName.1.2=uplink, portAdm.1.2=down"}));

    agent.received.clear();
    engine.setReRead(h, false);
    engine.setInteger(h, "portAdm", 1);
    ASSERT_TRUE(engine.sendSet(h));
    settle();
    EXPECT_EQ(agent.received.size(), 1u);
    EXPECT_EQ(completions.size(), 2u);
    EXPECT_FALSE(engine.sendSet(h)) << "staged values were cleared";
    EXPECT_EQ(engine.errorCode(h), kMibNothingStaged);
}

TEST_F(EngineTest, BadValuesAreRefusedBeforeAnythingIsSent) {
    const long h = engine.open("portTable", {"portName", "portAdm", "portMac"});
    struct Case {
        const char* variable;
        const char* text;
        int code;
    } cases[] = {
        {"portName", "longer than eight", kMibBadValue},
        {"portAdm", "sideways", kMibBadValue},
        {"portAdm", "99999999999", kMibBadValue},
        {"portMac", "00:A0:12:34:56:78", kMibNotWritable},
        {"noSuchVariable", "1", kMibUnknownVariable},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_FALSE(engine.setString(h, c.variable, c.text));
        EXPECT_EQ(engine.errorCode(h), c.code);
    }
    EXPECT_EQ(engine.stagedCount(h), 0);
    EXPECT_EQ(engine.open("portTable", {"portName", "bogus"}), 0);
    EXPECT_EQ(engine.lastOpenError(), kMibUnknownVariable);
    EXPECT_EQ(engine.open("bogusTable", {"portName"}), 0);
    EXPECT_FALSE(engine.requestTable(12345));
    EXPECT_EQ(engine.errorCode(12345), kMibNoSuchRequest);
}

TEST_F(EngineTest, FailedSetReportsTheAgentsErrorAndKeepsNothingStaged) {
    addPort(1, 2);
    agent.refuseSets = ErrorStatus::WrongValue;
    const long h = engine.open("portTable", {"portName", "portAdm"});
    engine.setInstance(h, {1, 2});
    engine.setInteger(h, "portAdm", 2);
    ASSERT_TRUE(engine.sendSet(h));
    settle();
    EXPECT_EQ(completions, (std::vector<std::pair<long, bool>>{{h, false}}));
    EXPECT_EQ(engine.errorCode(h), static_cast<int>(ErrorStatus::WrongValue));
    EXPECT_NE(engine.errorText(h).find("wrongValue"), std::string::npos);
    EXPECT_NE(engine.errorText(h).find("portAdm"), std::string::npos);
    EXPECT_EQ(engine.stagedCount(h), 0);
    EXPECT_EQ(agent.count(PduType::Get), 0) << "no read-back after a refused set";
}

TEST_F(EngineTest, SetDelayRunsOnTheLoopClock) {
    addPort(1, 2);
    const long h = engine.open("portTable", {"portAdm"});
    engine.setInstance(h, {1, 2});
    engine.setSetDelay(h, 3000);
    for (bool reRead : {true, false}) {
        SCOPED_TRACE(reRead);
        completions.clear();
        engine.setReRead(h, reRead);
        engine.setInteger(h, "portAdm", 2);
        ASSERT_TRUE(engine.sendSet(h));
        loop.advance(2999);
        EXPECT_TRUE(completions.empty());
        EXPECT_TRUE(engine.isPending(h));
        loop.advance(1);
        EXPECT_EQ(completions, (std::vector<std::pair<long, bool>>{{h, true}}));
    }
}

TEST_F(EngineTest, DroppedResponseBecomesNoResponseAfterTimeoutTimesTries) {
    addPort(1, 2);
    const long h = engine.open("portTable", {"portAdm"});
    engine.setInstance(h, {1, 2});
    engine.setTimeout(h, 2);
    engine.setRetries(h, 2);
    agent.silent = true;
    ASSERT_TRUE(engine.requestRow(h));
    loop.advance(5999);
    EXPECT_TRUE(completions.empty());
    loop.advance(1);
    EXPECT_EQ(completions, (std::vector<std::pair<long, bool>>{{h, false}}));
    EXPECT_EQ(engine.errorCode(h), kMibNoResponse);
    EXPECT_EQ(engine.rowCount(h), 0) << "no stale data after a failed read";
}

TEST_F(EngineTest, ReleasedRequestsAndDestroyedEnginesNeverCallBack) {
    addPort(1, 2);
    const long h = engine.open("portTable", {"portAdm"});
    ASSERT_TRUE(engine.requestTable(h));
    engine.release(h);
    settle();
    loop.advance(60000);
    EXPECT_TRUE(completions.empty());
    EXPECT_EQ(transport.pendingCount(), 0u);

    bool called = false;
    {
        RequestEngine shortLived(testDictionary(), transport, loop);
        shortLived.setListener([&](long, bool) { called = true; });
        const long other = shortLived.open("portTable", {"portAdm"});
        shortLived.startPolling(other, true);
    }
    loop.advance(60000);
    EXPECT_FALSE(called);
}

TEST_F(EngineTest, PollingReadsOncePerPeriodWithoutOverlapUntilStopped) {
    addPort(1, 2);
    transport.setLatencyMs(1500);
    const long h = engine.open("portTable", {"portAdm"});
    engine.setPolling(h, 1, false);
    ASSERT_TRUE(engine.startPolling(h, true));
    loop.advance(1500);
    EXPECT_EQ(completions.size(), 1u);
    loop.advance(5000 + 1500);  // the next reading starts a period after the last one ended
    EXPECT_EQ(completions.size(), 2u);
    loop.advance(3 * 6500);
    EXPECT_EQ(completions.size(), 5u);
    EXPECT_EQ(agent.received.size(), 5u) << "never two readings at once";
    engine.stopPolling(h);
    loop.advance(60000);
    EXPECT_EQ(completions.size(), 5u);

    engine.setPolling(h, 2, true);  // every two agent periods, first after a wait
    loop.advance(9999);
    EXPECT_EQ(agent.received.size(), 5u);
    loop.advance(1 + 1500);
    EXPECT_EQ(completions.size(), 6u);
}

TEST_F(EngineTest, UpdateOthersPatchesRowsOtherRequestsHold) {
    addPort(1, 2);
    const long table = engine.open("portTable", {"portSlot", "portAdm"});
    put(4, 1, 2, Value::makeInteger(1));
    engine.requestTable(table);
    settle();
    const long row = engine.open("portTable", {"portAdm"});
    engine.setInstance(row, {1, 2});
    engine.setReRead(row, false);
    engine.setInteger(row, "portAdm", 2);
    engine.sendSet(row);
    settle();
    EXPECT_EQ(engine.getString(table, "portAdm"), "up");
    engine.setUpdateOthers(row, true);
    engine.setInteger(row, "portAdm", 2);
    engine.sendSet(row);
    settle();
    EXPECT_EQ(engine.getString(table, "portAdm"), "down");
}

TEST_F(EngineTest, WrongTypedAgentValuesGiveEmptyTextOrZeroAndAnError) {
    put(1, 1, 2, Value::makeString("one"));
    put(3, 1, 2, Value::makeInteger(5));
    put(4, 1, 2, Value::makeInteger(7));  // a number with no label
    put(5, 1, 2, Value::makeString("abc"));
    const long h = engine.open("portTable", {"portSlot", "portName", "portAdm", "portMac"});
    engine.requestTable(h);
    settle();
    ASSERT_EQ(engine.rowCount(h), 1);
    EXPECT_EQ(engine.getInteger(h, "portSlot"), 0);
    EXPECT_EQ(engine.errorCode(h), kMibWrongType);
    EXPECT_EQ(engine.getString(h, "portName"), "");
    EXPECT_EQ(engine.errorCode(h), kMibWrongType);
    EXPECT_EQ(engine.getString(h, "portMac"), "61 62 63");  // a MAC of 3 bytes, as bytes
    EXPECT_EQ(engine.getString(h, "portAdm"), "7");
    EXPECT_EQ(engine.getInteger(h, "portAdm"), 7);
    EXPECT_EQ(engine.getString(h, "chasName"), "");
    EXPECT_EQ(engine.errorCode(h), kMibUnknownVariable);
}

TEST_F(EngineTest, MisbehavingAgentsEndTheWalkWithAnErrorNeverALoop) {
    for (std::uint32_t p = 1; p <= 3; ++p) {
        addPort(1, p);
        put(4, 1, p, Value::makeInteger(1));
    }
    struct Case {
        const char* what;
        int bulk;  // 0: GETNEXT
        std::function<ResponsePdu(const RequestPdu&, ResponsePdu)> rewrite;
        int code;
    };
    const std::vector<Case> cases = {
        {"columns answered in swapped places", 0,
         [](const RequestPdu&, ResponsePdu out) {
             std::reverse(out.varbinds.begin(), out.varbinds.end());
             return out;
         },
         kMibMalformed},
        {"a column going back into an earlier column", 48,
         [](const RequestPdu& pdu, ResponsePdu out) {
             if (pdu.varbinds.size() == 2 && out.varbinds.size() >= 2)
                 out.varbinds[1].oid = at(kEntry, {3, 1, 1});  // portAdm's first answer
             return out;
         },
         kMibMalformed},
        {"the same row again", 0,
         [](const RequestPdu& pdu, ResponsePdu out) {
             out.varbinds = pdu.varbinds;
             for (auto& vb : out.varbinds) {
                 vb.oid = at(kEntry, {vb.oid[kEntry.size()], 1, 1});
                 vb.value = Value::makeInteger(1);
             }
             return out;
         },
         kMibMalformed},
        {"noSuchName naming no varbind", 0,
         [](const RequestPdu& pdu, ResponsePdu) {
             return ResponsePdu{ErrorStatus::NoSuchName, 0, pdu.varbinds};
         },
         kMibMalformed},
        {"noSuchName past the last varbind", 0,
         [](const RequestPdu& pdu, ResponsePdu) {
             return ResponsePdu{ErrorStatus::NoSuchName, 3, pdu.varbinds};
         },
         kMibMalformed},
        {"tooBig at every size", 48,
         [](const RequestPdu& pdu, ResponsePdu) {
             return ResponsePdu{ErrorStatus::TooBig, 0, pdu.varbinds};
         },
         static_cast<int>(ErrorStatus::TooBig)},
    };
    const long h = engine.open("portTable", {"portName", "portAdm"});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        transport.setMaxBulkVarbinds(c.bulk);
        agent.received.clear();
        completions.clear();
        // A walk that resent forever would never let the loop go idle.
        agent.rewrite = [&, n = 0](const RequestPdu& pdu, ResponsePdu out) mutable {
            if (++n > 40)
                return ResponsePdu{ErrorStatus::GenErr, 0, pdu.varbinds};
            return c.rewrite(pdu, std::move(out));
        };
        ASSERT_TRUE(engine.requestTable(h));
        settle();
        ASSERT_EQ(completions, (std::vector<std::pair<long, bool>>{{h, false}}));
        EXPECT_EQ(engine.errorCode(h), c.code) << engine.errorText(h);
        EXPECT_LT(agent.received.size(), 10u);
        EXPECT_EQ(engine.rowCount(h), 0);
    }
    // tooBig halves down to one repetition, then gives up naming the cause.
    std::vector<int> repetitions;
    for (const auto& pdu : agent.received)
        repetitions.push_back(pdu.maxRepetitions);
    EXPECT_EQ(repetitions, (std::vector<int>{24, 12, 6, 3, 1}));
    EXPECT_NE(engine.errorText(h).find("tooBig"), std::string::npos) << engine.errorText(h);
}

TEST_F(EngineTest, RowAnswersAreTakenByOidNotByPosition) {
    addPort(1, 2);
    put(4, 1, 2, Value::makeInteger(2));
    const long h = engine.open("portTable", {"portName", "portAdm"});
    ASSERT_TRUE(engine.setInstance(h, {1, 2}));
    agent.rewrite = [](const RequestPdu&, ResponsePdu out) {
        std::reverse(out.varbinds.begin(), out.varbinds.end());
        return out;
    };
    ASSERT_TRUE(engine.requestRow(h));
    settle();
    ASSERT_EQ(completions, (std::vector<std::pair<long, bool>>{{h, true}}));
    EXPECT_EQ(engine.getString(h, "portName"), "p1/2");
    EXPECT_EQ(engine.getString(h, "portAdm"), "down");

    agent.rewrite = [](const RequestPdu&, ResponsePdu out) {
        out.varbinds.back().oid = at(kEntry, {4, 7, 7});  // another row's value
        return out;
    };
    ASSERT_TRUE(engine.requestRow(h));
    settle();
    EXPECT_EQ(completions.back(), std::make_pair(h, false));
    EXPECT_EQ(engine.errorCode(h), kMibMalformed);
    EXPECT_EQ(engine.rowCount(h), 0);
}

TEST_F(EngineTest, AnIndexTextRefusedLeavesNoRowToReadOrSet) {
    addPort(1, 2);
    const long h = engine.open("portTable", {"portName", "portAdm"});
    ASSERT_TRUE(engine.setRowIndex(h, {"1", "2"}));
    EXPECT_FALSE(engine.setRowIndex(h, {"1", "two"}));
    EXPECT_EQ(engine.errorCode(h), kMibBadIndex);
    EXPECT_FALSE(engine.requestRow(h));
    EXPECT_EQ(engine.errorCode(h), kMibNoInstance);
    ASSERT_TRUE(engine.setInteger(h, "portAdm", 2));
    EXPECT_FALSE(engine.sendSet(h));
    EXPECT_EQ(engine.errorCode(h), kMibNoInstance);
    EXPECT_EQ(engine.stagedCount(h), 0);
    settle();
    EXPECT_TRUE(agent.received.empty()) << "nothing reached the previous row";
    EXPECT_TRUE(completions.empty());
}

}  // namespace
}  // namespace mib
