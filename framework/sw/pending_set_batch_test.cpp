// A batch of sets over a switch that answers, refuses or stays silent as told.

#include "framework/sw/pending_set_batch.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <set>

#include "framework/mib/in_process_transport.h"
#include "framework/mib/mib_agent.h"
#include "framework/mib/mib_comm.h"

namespace {

using ::testing::ElementsAre;

// Answers every SET, except the ones numbered in refuse (from 1) and, while silent, none.
class Switch : public mib::PduHandler {
public:
    std::set<int> refuse;
    bool silent = false;
    int sets = 0;
    mib::ResponsePdu handle(const mib::RequestPdu& pdu) override {
        mib::ResponsePdu out;
        out.varbinds = pdu.varbinds;
        if (pdu.type == mib::PduType::Set && refuse.count(++sets) != 0) {
            out.errorStatus = mib::ErrorStatus::WrongValue;
            out.errorIndex = 1;
        }
        return out;
    }
    bool answersNow() const override { return !silent; }
};

class Owner : public CMibCommEvents {
public:
    explicit Owner(sw::PendingSetBatch& batch) : m_batch(batch) {}
    int ends = 0;
    void OnRequestDone(int /*h*/) override { ends += m_batch.completed(TRUE, 0) ? 1 : 0; }
    void OnError(int h) override {
        errors.push_back(comm->GetErrorText(h).str());
        ends += m_batch.completed(FALSE, comm->GetErrorCode(h)) ? 1 : 0;
    }
    std::vector<std::string> errors;
    CMibComm* comm = nullptr;

private:
    sw::PendingSetBatch& m_batch;
};

class PendingSetBatchTest : public ::testing::Test {
protected:
    PendingSetBatchTest() {
        loop.useVirtualClock(true);
        agent.SetEventLoop(&loop);
        agent.SetAgentName("core-1");
        agent.SetTransport(std::make_shared<mib::InProcessTransport>(sw, loop));
        agent.GetTrace().setRecording(true);
        comm.SetAgent(&agent);
        comm.SetOwner(&owner);
        owner.comm = &comm;
        CStringArray names;
        names.Add("mesmPortSlot");
        names.Add("mesmPortIF");
        names.Add("mesmPortCfgDuplexMode");
        h = comm.OpenListRequest(0, "", &names);
        batch.attach(&comm, h);
    }
    ~PendingSetBatchTest() override {
        comm.SetOwner(nullptr);
        agent.SetTransport(nullptr);
        loop.runUntilIdle();
    }
    // Stages one value for port 1/port and sends it as part of the batch.
    BOOL sendTo(int port) {
        CStringArray index;
        index.Add("1");
        index.Add(std::to_string(port));
        comm.SetRowIndex(h, &index);
        comm.SetInteger(h, "mesmPortCfgDuplexMode", 1);
        comm.SetReRead(h, FALSE);
        return batch.send(CString("1/" + std::to_string(port)));
    }
    std::vector<std::string> delays() { return agent.GetTrace().linesStartingWith("SetSetDelay"); }
    std::vector<std::string> texts(const std::vector<CString>& targets) {
        std::vector<std::string> out;
        for (const CString& t : targets) {
            out.push_back(t.str());
        }
        return out;
    }

    afx::EventLoop loop;
    Switch sw;
    CMibAgent agent;
    CMibComm comm;
    sw::PendingSetBatch batch;
    Owner owner{batch};
    long h = 0;
};

TEST_F(PendingSetBatchTest, OnlyTheLastPlannedSetWaitsAndTheBatchEndsOnceWithTheLastCompletion) {
    comm.SetTimeout(h, 20);
    comm.SetRetries(h, 0);
    batch.begin(3);
    for (int port = 1; port <= 3; ++port) {
        ASSERT_TRUE(sendTo(port));
    }
    EXPECT_FALSE(batch.endSending());
    EXPECT_EQ(batch.pending(), 3);
    EXPECT_THAT(delays(), ElementsAre(::testing::HasSubstr(", 0)"), ::testing::HasSubstr(", 0)"),
                                      ::testing::HasSubstr(", 3000)")));
    loop.runUntilIdle();
    EXPECT_EQ(owner.ends, 0) << "the last set waits its delay"
                             << ::testing::PrintToString(owner.errors);
    EXPECT_EQ(batch.pending(), 1);
    loop.advance(3000);
    loop.runUntilIdle();
    EXPECT_EQ(owner.ends, 1);
    EXPECT_FALSE(batch.isOpen());
    EXPECT_TRUE(batch.succeeded());
    EXPECT_EQ(comm.GetTimeout(h), 5) << "back to what the request had when attached";
    EXPECT_EQ(comm.GetRetries(h), 1);
}

TEST_F(PendingSetBatchTest, AnAbandonedBatchCountsNoLaterCompletionAndLeavesTimeoutsAlone) {
    batch.begin(2);
    ASSERT_TRUE(sendTo(1));
    ASSERT_TRUE(sendTo(2));
    EXPECT_FALSE(batch.endSending());
    comm.SetTimeout(h, 20);
    batch.abandon();
    EXPECT_FALSE(batch.isOpen());
    EXPECT_EQ(batch.pending(), 0);
    loop.advance(3000);
    loop.runUntilIdle();
    EXPECT_EQ(owner.ends, 0) << "the sets still answer, but the batch no longer counts them";
    EXPECT_EQ(comm.GetTimeout(h), 20);
}

TEST_F(PendingSetBatchTest, ARefusedSetInTheMiddleEndsTheBatchAfterTheOthersNamingItsTarget) {
    sw.refuse = {2};
    comm.SetTimeout(h, 20);
    batch.begin(3);
    for (int port = 1; port <= 3; ++port) {
        ASSERT_TRUE(sendTo(port));
    }
    batch.endSending();
    loop.runUntilIdle();
    EXPECT_TRUE(batch.isOpen()) << "the third set is still under way";
    loop.advance(3000);
    loop.runUntilIdle();
    EXPECT_EQ(owner.ends, 1);
    EXPECT_FALSE(batch.succeeded());
    ASSERT_EQ(batch.failures().size(), 1u);
    EXPECT_EQ(batch.failures()[0].target.str(), "1/2");
    EXPECT_EQ(batch.failures()[0].errorCode, 10);  // wrongValue
    EXPECT_EQ(batch.notChangedText().str(), "1/2");
    EXPECT_EQ(comm.GetTimeout(h), 5);
}

TEST_F(PendingSetBatchTest, ASetThatCannotStartSkipsTheRestAndEndsWhenTheSentOnesComplete) {
    comm.SetRetries(h, 0);
    batch.begin(3);
    ASSERT_TRUE(sendTo(1));
    // Nothing staged: the component cannot start this set.
    EXPECT_FALSE(batch.send("1/2"));
    batch.skip("1/3");
    EXPECT_FALSE(batch.endSending()) << "1/1 is still under way";
    EXPECT_EQ(batch.pending(), 1);
    loop.runUntilIdle();
    EXPECT_EQ(owner.ends, 1);
    EXPECT_FALSE(batch.succeeded());
    EXPECT_THAT(texts(batch.notChanged()), ElementsAre("1/2", "1/3"));
    EXPECT_EQ(comm.GetRetries(h), 1);
    EXPECT_THAT(delays(), ElementsAre(::testing::HasSubstr(", 0)"), ::testing::HasSubstr(", 0)")))
        << "neither set was the last of the batch";
}

TEST_F(PendingSetBatchTest, ABatchOfWhichNothingStartsEndsAtOnceAndRestores) {
    comm.SetTimeout(h, 20);
    batch.begin(2);
    EXPECT_FALSE(batch.send("1/1"));
    batch.skip("1/2");
    EXPECT_TRUE(batch.endSending());
    EXPECT_FALSE(batch.isOpen());
    EXPECT_EQ(comm.GetTimeout(h), 5);
    EXPECT_EQ(batch.notChangedText().str(), "1/1, 1/2");
    // A completion that is no set of a batch is not counted.
    EXPECT_FALSE(batch.completed(TRUE, 0));
}

TEST_F(PendingSetBatchTest, AnUnansweredSetCountsAsFailedWithNoResponse) {
    comm.SetTimeout(h, 2);
    comm.SetRetries(h, 0);
    batch.begin(1);
    sw.silent = true;
    ASSERT_TRUE(sendTo(4));
    batch.endSending();
    loop.advance(2000);
    loop.runUntilIdle();
    EXPECT_EQ(owner.ends, 1);
    ASSERT_EQ(batch.failures().size(), 1u);
    EXPECT_EQ(batch.failures()[0].errorCode, -7);
    EXPECT_EQ(comm.GetTimeout(h), 5);
    EXPECT_EQ(comm.GetRetries(h), 1);
}

}  // namespace
