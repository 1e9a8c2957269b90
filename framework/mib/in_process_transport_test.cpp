#include "framework/mib/in_process_transport.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace mib {
namespace {

// Counts what it handles; each SET adds its value to a total, so applying one twice shows.
class CountingAgent : public PduHandler {
public:
    int handled = 0;
    std::int64_t total = 0;
    std::int64_t busyUntil = 0;  // on the loop's clock
    const afx::EventLoop* clock = nullptr;
    std::int64_t busyForMs() const override {
        return clock ? std::max<std::int64_t>(0, busyUntil - clock->now()) : 0;
    }
    bool answersNow() const override { return busyForMs() == 0; }
    ResponsePdu handle(const RequestPdu& pdu) override {
        ++handled;
        if (pdu.type == PduType::Set)
            total += pdu.varbinds.at(0).value.integer;
        return {ErrorStatus::NoError, 0, pdu.varbinds};
    }
};

class TransportTest : public testing::Test {
protected:
    TransportTest() { loop.useVirtualClock(true); }
    Transport::Ticket send(PduType type, SendOptions options = {2, 1}) {
        RequestPdu pdu;
        pdu.type = type;
        pdu.varbinds = {{{1, 3, 6, 1}, Value::makeInteger(5)}};
        return transport.send(pdu, options, [this](const TransportResult& r) {
            outcomes.push_back(r.outcome);
            at.push_back(loop.now() - start);
        });
    }
    afx::EventLoop loop;
    CountingAgent agent;
    InProcessTransport transport{agent, loop};
    std::int64_t start = loop.now();
    std::vector<TransportOutcome> outcomes;
    std::vector<std::int64_t> at;
};

TEST_F(TransportTest, AnswersOnTheLoopAfterTheLatency) {
    transport.setLatencyMs(250);
    send(PduType::Get);
    EXPECT_TRUE(outcomes.empty()) << "never inside send()";
    loop.advance(249);
    EXPECT_TRUE(outcomes.empty());
    loop.advance(1);
    EXPECT_EQ(outcomes, std::vector<TransportOutcome>{TransportOutcome::Response});
}

TEST_F(TransportTest, LostRequestsAndAnswersTimeOutAfterEveryTry) {
    struct Case {
        int dropRequests, dropResponses, retries;
        TransportOutcome outcome;
        std::int64_t afterMs;
        int handled;
    } cases[] = {
        {1, 0, 1, TransportOutcome::Response, 2000, 1},  // the retry gets through
        {2, 0, 1, TransportOutcome::Timeout, 4000, 0},
        {0, 3, 2, TransportOutcome::Timeout, 6000, 1},
        {0, 1, 0, TransportOutcome::Timeout, 2000, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.afterMs);
        outcomes.clear();
        at.clear();
        agent.handled = 0;
        start = loop.now();
        transport.dropNextRequests(c.dropRequests);
        transport.dropNextResponses(c.dropResponses);
        send(PduType::Get, {2, c.retries});
        loop.advance(60000);
        EXPECT_EQ(outcomes, std::vector<TransportOutcome>{c.outcome});
        EXPECT_EQ(at, std::vector<std::int64_t>{c.afterMs});
        EXPECT_EQ(agent.handled, c.handled);
    }
}

TEST_F(TransportTest, ABusyAgentAnswersWhenItIsBackIfTheSenderStillWaits) {
    agent.clock = &loop;
    struct Case {
        std::int64_t busyMs;
        int timeout, retries;
        TransportOutcome outcome;
        std::int64_t afterMs;
    } cases[] = {
        {12000, 20, 0, TransportOutcome::Response, 12000},  // one long try rides it out
        {12000, 5, 1, TransportOutcome::Timeout, 10000},    // short tries give up first
        {3000, 5, 1, TransportOutcome::Response, 3000},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.busyMs);
        outcomes.clear();
        at.clear();
        agent.handled = 0;
        agent.total = 0;
        start = loop.now();
        agent.busyUntil = start + c.busyMs;
        send(PduType::Set, {c.timeout, c.retries});
        loop.advance(60000);
        EXPECT_EQ(outcomes, std::vector<TransportOutcome>{c.outcome});
        EXPECT_EQ(at, std::vector<std::int64_t>{c.afterMs});
        EXPECT_EQ(agent.total, c.outcome == TransportOutcome::Response ? 5 : 0);
    }
}

TEST_F(TransportTest, RetryOfAnAnsweredSetIsNotAppliedTwice) {
    transport.dropNextResponses(1);
    send(PduType::Set);
    loop.advance(60000);
    EXPECT_EQ(outcomes, std::vector<TransportOutcome>{TransportOutcome::Response});
    EXPECT_EQ(agent.total, 5);
}

TEST_F(TransportTest, InjectedFailuresCancelAndBulkSize) {
    transport.failNextRequest(TransportOutcome::AuthFailed, "unknown user");
    send(PduType::Get);
    const auto cancelled = send(PduType::Get);
    transport.cancel(cancelled);
    loop.advance(60000);
    EXPECT_EQ(outcomes, std::vector<TransportOutcome>{TransportOutcome::AuthFailed});
    EXPECT_EQ(agent.handled, 0);
    EXPECT_EQ(transport.bulkRepetitions(15), 3);
    EXPECT_EQ(transport.bulkRepetitions(100), 1);
    transport.setMaxBulkVarbinds(0);
    EXPECT_EQ(transport.bulkRepetitions(1), 0);
}

}  // namespace
}  // namespace mib
