#include "console/gui/counter_sampler.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <vector>

#include "framework/mib/in_process_transport.h"
#include "framework/mib/mib_agent.h"
#include "sim/simulated_switch.h"

namespace gui {
namespace {

using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::SizeIs;

constexpr long kPeriodMs = 1000;
const mib::Oid kPort12 = {1002};  // etherStatsIndex of slot 1 port 2

// The demo switch behind the in-process transport, on the virtual clock, and one sampler of
// slot 1 port 2's packet counter that records what it hands on.
class SamplerOnSwitch : public ::testing::Test {
protected:
    SamplerOnSwitch() : m_switch(sim::SimulatedSwitch::createDefault()) {
        m_wasVirtual = loop().isVirtualClock();
        loop().useVirtualClock(true);
        m_switch->setClock([this] { return loop().now(); });
        m_transport = std::make_shared<mib::InProcessTransport>(*m_switch, loop());
        m_agent.SetEventLoop(&loop());
        m_agent.SetAgentName("demo-switch");
        m_agent.SetTransport(m_transport);
        m_agent.SetPollingPeriod(kPeriodMs);
        m_agent.SetTimeout(1);
        m_agent.SetRetries(0);
    }
    ~SamplerOnSwitch() override {
        m_sampler.reset();
        m_agent.SetTransport(nullptr);
        loop().runUntilIdle();
        loop().useVirtualClock(m_wasVirtual);
    }

    static afx::EventLoop& loop() { return afx::EventLoop::instance(); }

    void startSampler(CounterTarget target) {
        m_sampler = std::make_unique<CounterSampler>(m_agent, std::move(target));
        m_sampler->setSampleHandler([this](const CounterSample& s) { m_samples.push_back(s); });
        m_sampler->setFailureHandler([this](const std::string& why) { m_failures.push_back(why); });
        m_sampler->start();
        loop().runUntilIdle();
    }
    static CounterTarget packetsOfPort12() {
        CounterTarget target;
        target.variable = "etherStatsPkts";
        target.index = {"1002"};
        target.label = "Packets";
        target.slot = 1;
        target.port = 2;
        return target;
    }
    void advance(std::int64_t ms) {
        loop().advance(ms);
        loop().runUntilIdle();
    }
    // The rates of the samples so far, resets as -1.
    std::vector<double> rates() const {
        CounterRate rate(32);
        std::vector<double> out;
        for (const CounterSample& s : m_samples) {
            const RateOutcome o = rate.add(s);
            if (o.kind != RateOutcome::Kind::None) {
                out.push_back(o.kind == RateOutcome::Kind::Rate ? o.perSecond : -1);
            }
        }
        return out;
    }
    std::uint64_t switchCounter() const {
        return static_cast<std::uint64_t>(m_switch->read("etherStatsPkts", kPort12)->integer);
    }
    // Counts per second of the port's counter, measured on the switch over the next second.
    double switchRate() {
        const std::uint64_t before = switchCounter();
        loop().moveVirtualClockTo(loop().now() + 1000);
        const std::uint64_t after = switchCounter();
        return static_cast<double>(after - before);
    }

    std::unique_ptr<sim::SimulatedSwitch> m_switch;
    std::shared_ptr<mib::InProcessTransport> m_transport;
    CMibAgent m_agent;
    std::unique_ptr<CounterSampler> m_sampler;
    std::vector<CounterSample> m_samples;
    std::vector<std::string> m_failures;
    bool m_wasVirtual = false;
};

TEST_F(SamplerOnSwitch, ReadsTheCounterAndUpTimeEveryPeriod) {
    const double expected = switchRate();
    startSampler(packetsOfPort12());
    ASSERT_THAT(m_samples, SizeIs(1)) << "the first reading is taken at once";
    EXPECT_EQ(m_samples[0].value, switchCounter());
    ASSERT_TRUE(m_samples[0].upTimeTicks);

    advance(3 * kPeriodMs);
    ASSERT_THAT(m_samples, SizeIs(4));
    EXPECT_EQ(*m_samples[3].upTimeTicks - *m_samples[0].upTimeTicks, 300u);
    EXPECT_GT(expected, 0);
    EXPECT_THAT(rates(), ::testing::Each(::testing::DoubleEq(expected)));
    EXPECT_THAT(m_failures, IsEmpty());
}

TEST_F(SamplerOnSwitch, WrapOnTheSwitchKeepsTheRateAndARestartIsAReset) {
    const double expected = switchRate();
    ASSERT_TRUE(
        m_switch->write("etherStatsPkts", kPort12, mib::Value::makeCounter32(0xFFFFFFFFu - 10)));
    startSampler(packetsOfPort12());
    advance(kPeriodMs);
    EXPECT_LT(m_samples.back().value, m_samples.front().value) << "the counter wrapped";
    // The agent restarts: its uptime starts again.
    ASSERT_TRUE(m_switch->write("sysUpTime", {0}, mib::Value::makeTimeTicks(0)));
    advance(kPeriodMs);
    advance(kPeriodMs);
    EXPECT_THAT(rates(), ::testing::ElementsAre(expected, -1, expected));
}

TEST_F(SamplerOnSwitch, FailedReadIsReportedAndSamplingGoesOn) {
    startSampler(packetsOfPort12());
    m_switch->stopAnsweringFor(1500);
    advance(kPeriodMs);  // this round goes unanswered
    advance(kPeriodMs);  // ... and times out; the next round is not piled up behind it
    ASSERT_THAT(m_failures, SizeIs(1));
    EXPECT_THAT(m_failures[0], HasSubstr("demo-switch"));
    advance(2 * kPeriodMs);
    EXPECT_THAT(m_samples, SizeIs(::testing::Ge(2u)));
    EXPECT_THAT(m_failures, SizeIs(1));
}

TEST_F(SamplerOnSwitch, RowTheSwitchLacksIsAFailureNotASample) {
    CounterTarget target = packetsOfPort12();
    target.index = {"9999"};
    startSampler(target);
    advance(kPeriodMs);
    EXPECT_THAT(m_samples, IsEmpty());
    EXPECT_THAT(m_failures, SizeIs(2)) << "one report per period";
}

TEST_F(SamplerOnSwitch, StopsReadingWhenStopped) {
    startSampler(packetsOfPort12());
    m_sampler->stop();
    advance(5 * kPeriodMs);
    EXPECT_THAT(m_samples, SizeIs(1));
}

}  // namespace
}  // namespace gui
