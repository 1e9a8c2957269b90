#include "framework/mib/mib_comm.h"

#include <gtest/gtest.h>

#include <map>

#include "framework/mib/in_process_transport.h"
#include "framework/mib/mib_agent.h"
#include "framework/mib/mib_error.h"

namespace {

const mib::Oid kStatus = {1, 3, 6, 1, 4, 1, 32473, 97, 1, 1, 2};

const mib::MibDictionary& dictionary() {
    static const mib::MibDictionary d([] {
        mib::MibVariable status;
        status.name = "linkStatus";
        status.oid = kStatus;
        status.syntax = mib::Syntax::Enumeration;
        status.access = mib::Access::ReadWrite;
        status.enums = {{1, "up"}, {2, "down"}, {4, "testing"}};
        status.table = "linkTable";
        status.indexes = {"linkIndex"};
        mib::MibVariable index = status;
        index.name = "linkIndex";
        index.oid.back() = 1;
        index.syntax = mib::Syntax::Integer;
        index.access = mib::Access::ReadOnly;
        index.enums.clear();
        mib::MibVariable descr = index;
        descr.name = "linkDescr";
        descr.oid.back() = 3;
        descr.syntax = mib::Syntax::DisplayString;
        return std::vector<mib::MibVariable>{index, status, descr};
    }());
    return d;
}

class Switch : public mib::PduHandler {
public:
    std::map<mib::Oid, mib::Value> store;
    mib::ResponsePdu handle(const mib::RequestPdu& pdu) override {
        mib::ResponsePdu out;
        for (const auto& vb : pdu.varbinds) {
            if (pdu.type == mib::PduType::Set)
                store[vb.oid] = vb.value;
            auto it = store.find(vb.oid);
            out.varbinds.push_back(
                {vb.oid, it == store.end() ? mib::Value::exception(mib::ValueType::NoSuchInstance)
                                           : it->second});
        }
        return out;
    }
};

class Owner : public CMibCommEvents {
public:
    std::vector<std::string> events;
    void OnRequestDone(int h) override { events.push_back("done " + std::to_string(h)); }
    void OnError(int h) override { events.push_back("error " + std::to_string(h)); }
};

class MibCommTest : public testing::Test {
protected:
    MibCommTest() {
        loop.useVirtualClock(true);
        sw.store[at(2, 7)] = mib::Value::makeInteger(1);
        agent.SetEventLoop(&loop);
        agent.SetDictionary(&dictionary());
        agent.SetAgentName("core-1");
        agent.SetTransport(std::make_shared<mib::InProcessTransport>(sw, loop));
        agent.GetTrace().setRecording(true);
        comm.SetAgent(&agent);
        comm.SetOwner(&owner);
    }
    static mib::Oid at(std::uint32_t column, std::uint32_t index) {
        mib::Oid oid = kStatus;
        oid.back() = column;
        oid.push_back(index);
        return oid;
    }
    long openRow() {
        const LPCTSTR names[] = {"linkStatus"};
        const long h = comm.OpenRequest(0, "", names, 1);
        CUIntArray instance;
        instance.Add(7);
        comm.SetInstance(h, &instance);
        return h;
    }

    afx::EventLoop loop;
    Switch sw;
    CMibAgent agent;
    CMibComm comm;
    Owner owner;
};

TEST_F(MibCommTest, TheRoadOfAChangeReachesTheOwnerFromTheLoop) {
    const long h = openRow();
    ASSERT_GT(h, 0);
    comm.SetString(h, "linkStatus", "down");
    comm.SetReRead(h, FALSE);
    ASSERT_TRUE(comm.SendSet(h));
    EXPECT_TRUE(owner.events.empty());
    loop.runUntilIdle();
    EXPECT_EQ(owner.events, std::vector<std::string>{"done " + std::to_string(h)});
    EXPECT_EQ(sw.store[at(2, 7)], mib::Value::makeInteger(2));
    const std::vector<std::string> road = {
        "OpenRequest(0, \"\", [linkStatus], 1)",
        "SetInstance(1, [7])",
        "SetString(1, linkStatus, \"down\")",
        "SetReRead(1, 0)",
        "SendSet(1)",
        "PDU SET linkStatus.7=down",
        "OnRequestDone(1)",
    };
    EXPECT_EQ(agent.GetTrace().lines(), road);

    ASSERT_TRUE(comm.RequestRow(h));
    loop.runUntilIdle();
    EXPECT_EQ(comm.GetString(h, "linkStatus"), "down");
    EXPECT_EQ(comm.GetValueText(h, "linkStatus", TRUE), "2");
    EXPECT_EQ(comm.GetInteger(h, "linkStatus"), 2);
    EXPECT_EQ(comm.GetRowCount(h), 1);
    EXPECT_FALSE(comm.GotoRow(h, 1));
}

TEST_F(MibCommTest, ValuesStagedForRowsOfTheirOwnGoOutInTheSameSet) {
    const long h = openRow();
    CUIntArray row8;
    row8.Add(8);
    CUIntArray row9;
    row9.Add(9);
    comm.SetIntegerAt(h, &row8, "linkStatus", 4);
    comm.SetIntegerAt(h, &row9, "linkStatus", 1);
    comm.SetIntegerAt(h, &row9, "linkStatus", 2);  // the same row again: replaced
    comm.SetInteger(h, "linkStatus", 2);           // the request's own row, [7]
    comm.SetReRead(h, FALSE);
    agent.GetTrace().clear();
    ASSERT_TRUE(comm.SendSet(h));
    loop.runUntilIdle();
    EXPECT_EQ(agent.GetTrace().linesStartingWith("PDU SET"),
              std::vector<std::string>{"PDU SET linkStatus.8=testing, linkStatus.9=down, "
                                       "linkStatus.7=down"});
    EXPECT_EQ(sw.store[at(2, 8)], mib::Value::makeInteger(4));
    EXPECT_EQ(sw.store[at(2, 9)], mib::Value::makeInteger(2));
    EXPECT_EQ(sw.store[at(2, 7)], mib::Value::makeInteger(2));

    // Rows of their own need no instance of the request; an unknown variable stages nothing.
    const LPCTSTR names[] = {"linkStatus"};
    const long fresh = comm.OpenRequest(0, "", names, 1);
    EXPECT_FALSE(comm.SetIntegerAt(fresh, &row8, "linkSpeed", 3));
    EXPECT_EQ(comm.GetErrorCode(fresh), mib::kMibUnknownVariable);
    EXPECT_TRUE(comm.SetIntegerAt(fresh, &row8, "linkStatus", 1));
    ASSERT_TRUE(comm.SendSet(fresh));
    loop.runUntilIdle();
    EXPECT_EQ(sw.store[at(2, 8)], mib::Value::makeInteger(1));
    EXPECT_EQ(owner.events.back(), "done " + std::to_string(fresh));
}

TEST_F(MibCommTest, NothingIsDeliveredOnceTheOwnerOrTheAgentIsGone) {
    const long h = openRow();
    ASSERT_TRUE(comm.RequestRow(h));
    comm.SetOwner(nullptr);
    loop.runUntilIdle();
    EXPECT_TRUE(owner.events.empty());

    comm.SetOwner(&owner);
    ASSERT_TRUE(comm.RequestRow(h));
    comm.SetAgent(nullptr);
    loop.advance(60000);
    EXPECT_TRUE(owner.events.empty());
    EXPECT_FALSE(comm.RequestRow(h));
    EXPECT_EQ(comm.GetErrorCode(h), mib::kMibNoSuchRequest);

    auto transient = std::make_unique<CMibAgent>();
    transient->SetTransport(std::make_shared<mib::InProcessTransport>(sw, loop));
    transient->SetDictionary(&dictionary());
    transient->SetEventLoop(&loop);
    comm.SetAgent(transient.get());
    const long other = openRow();
    ASSERT_TRUE(comm.RequestRow(other));
    transient.reset();
    loop.advance(60000);
    EXPECT_TRUE(owner.events.empty());
    EXPECT_EQ(comm.GetAgent(), nullptr);
}

TEST_F(MibCommTest, TimeoutsRetriesErrorsAndDefinitions) {
    agent.SetTimeout(3);
    const long h = openRow();
    EXPECT_EQ(comm.GetTimeout(h), 3);
    comm.SetRetries(h, 0);
    static_cast<mib::InProcessTransport*>(agent.GetTransport())->dropNextRequests(1);
    ASSERT_TRUE(comm.RequestRow(h));
    loop.advance(2999);
    EXPECT_TRUE(owner.events.empty());
    loop.advance(1);
    EXPECT_EQ(owner.events, std::vector<std::string>{"error " + std::to_string(h)});
    EXPECT_EQ(comm.GetErrorCode(h), -7);
    EXPECT_EQ(comm.GetErrorText(h), "core-1: no response: no response from simulated switch");

    EXPECT_EQ(comm.GetEnumCount("linkStatus"), 5);
    EXPECT_EQ(comm.GetEnumText("linkStatus", 4), "testing");
    EXPECT_EQ(comm.GetEnumText("linkStatus", 3), "");
    EXPECT_EQ(comm.GetEnumValue("linkStatus", "down"), 2);
    EXPECT_EQ(comm.GetEnumValue("linkStatus", "sideways"), -1);
    EXPECT_TRUE(comm.IsStringVariable("linkDescr"));
    EXPECT_FALSE(comm.IsStringVariable("linkStatus"));
    EXPECT_FALSE(comm.IsStringVariable("nothing"));

    EXPECT_EQ(comm.OpenRequest(0, "", nullptr, 2), 0);
    EXPECT_EQ(comm.OpenRequest(0, "", nullptr, -1), 0);
    agent.SetCredentials("private-community");
    EXPECT_EQ(agent.GetTrace().lines().back(), "SetCredentials(****)");
}

}  // namespace
