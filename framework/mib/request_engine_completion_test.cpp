// What the engine tells about the completion it delivers (a set, a polled reading) and how
// long its pending requests may still take.
#include <gtest/gtest.h>

#include <vector>

#include "framework/mib/in_process_transport.h"
#include "framework/mib/request_engine.h"

namespace mib {
namespace {

// Answers every GET and SET with the varbinds asked, as text "x".
class EchoAgent : public PduHandler {
public:
    ResponsePdu handle(const RequestPdu& pdu) override {
        ResponsePdu out;
        for (const VarBind& vb : pdu.varbinds) {
            out.varbinds.push_back({vb.oid, Value::makeString("x")});
        }
        return out;
    }
};

struct Delivered {
    bool succeeded;
    bool set;
    bool polled;
};

class EngineCompletionTest : public ::testing::Test {
protected:
    EngineCompletionTest() {
        loop.useVirtualClock(true);
        transport.setLatencyMs(500);
        engine.setListener([this](long h, bool ok) {
            delivered.push_back({ok, engine.completedSet(h), engine.completedPolledRead(h)});
        });
    }
    ~EngineCompletionTest() override { loop.useVirtualClock(false); }

    afx::EventLoop& loop = afx::EventLoop::instance();
    EchoAgent agent;
    InProcessTransport transport{agent, loop};
    RequestEngine engine{MibDictionary::builtin(), transport, loop,
                         EngineSettings{5, 1, 1000, "edge"}};
    std::vector<Delivered> delivered;
};

TEST_F(EngineCompletionTest, EachCompletionSaysWhetherItEndedASetOrAPolledReading) {
    const long h = engine.open("", {"sysName"});
    ASSERT_NE(h, 0);
    engine.requestRow(h);
    loop.advance(600);
    ASSERT_TRUE(engine.setString(h, "sysName", "core"));
    engine.sendSet(h);
    loop.advance(1200);  // the set and the row read back
    engine.startPolling(h, false);
    loop.advance(1600);
    engine.stopPolling(h);
    ASSERT_EQ(delivered.size(), 3u);
    EXPECT_FALSE(delivered[0].set || delivered[0].polled);
    EXPECT_TRUE(delivered[1].set && !delivered[1].polled);
    EXPECT_TRUE(!delivered[2].set && delivered[2].polled);
}

TEST_F(EngineCompletionTest, ThePendingDeadlineCoversTheRunningStepAndWhatWaitsBehindIt) {
    EXPECT_FALSE(engine.pendingDeadline().has_value());
    const long slow = engine.open("", {"sysName"});
    const long fast = engine.open("", {"sysLocation"});
    engine.setTimeout(slow, 3);
    engine.setRetries(slow, 2);
    engine.setTimeout(fast, 1);
    engine.setRetries(fast, 0);
    const std::int64_t start = loop.now();
    engine.requestRow(fast);
    ASSERT_EQ(engine.pendingDeadline(), start + 1000);
    engine.requestRow(slow);
    engine.requestRow(slow);  // waits behind the first: one more timeout x tries
    EXPECT_EQ(engine.pendingDeadline(), start + 9000 + 9000);
    loop.advance(600);
    EXPECT_EQ(engine.pendingDeadline(), start + 500 + 9000);  // the second read runs since 500
    loop.advance(600);
    EXPECT_FALSE(engine.pendingDeadline().has_value());
}

}  // namespace
}  // namespace mib
