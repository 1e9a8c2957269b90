// The poller on the demo switch in process, on the virtual clock: what it reports, that a
// silent agent never holds the event loop, and that polling recovers by itself.
#include "console/gui/chassis_poller.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "framework/mib/in_process_transport.h"
#include "sim/simulated_switch.h"

namespace gui {
namespace {

using ::testing::HasSubstr;

constexpr std::int64_t kPeriodMs = 1000;

class ChassisPollerTest : public ::testing::Test {
protected:
    ChassisPollerTest() : m_switch(sim::SimulatedSwitch::createDefault()) {
        m_wasVirtual = loop().isVirtualClock();
        loop().useVirtualClock(true);
        m_switch->setClock([this] { return loop().now(); });
        m_transport = std::make_shared<mib::InProcessTransport>(*m_switch, loop());
        m_agent.SetEventLoop(&loop());
        m_agent.SetTransport(m_transport);
        m_agent.SetTimeout(2);
        m_agent.SetRetries(1);
        m_poller = std::make_unique<ChassisPoller>(
            m_agent,
            ChassisPollerEvents{[this](const SlotNames& slots) {
                                    m_slots = slots;
                                    ++m_slotReports;
                                },
                                [this](const std::vector<PortTile>& ports) {
                                    m_ports = ports;
                                    ++m_portReports;
                                },
                                [this](std::chrono::system_clock::time_point) { ++m_polls; },
                                [this](const std::string& error) { m_errors.push_back(error); }});
        m_poller->setPeriodMs(kPeriodMs);
    }
    ~ChassisPollerTest() override {
        m_poller.reset();
        m_agent.SetTransport(nullptr);
        loop().runUntilIdle();
        loop().useVirtualClock(m_wasVirtual);
    }

    static afx::EventLoop& loop() { return afx::EventLoop::instance(); }
    void advance(std::int64_t ms) {
        loop().advance(ms);
        loop().runUntilIdle();
    }
    const PortTile& port(int slot, int number) {
        const auto it = std::find_if(m_ports.begin(), m_ports.end(), [&](const PortTile& t) {
            return t.where == SlotPort{slot, number};
        });
        EXPECT_NE(it, m_ports.end()) << slot << "/" << number;
        static const PortTile none;
        return it == m_ports.end() ? none : *it;
    }
    // Both tries of one exchange: the time a silent agent takes to be declared so.
    std::int64_t exchangeMs() const {
        return std::int64_t{m_agent.GetTimeout()} * (m_agent.GetRetries() + 1) * 1000;
    }

    std::unique_ptr<sim::SimulatedSwitch> m_switch;
    std::shared_ptr<mib::InProcessTransport> m_transport;
    CMibAgent m_agent;
    std::unique_ptr<ChassisPoller> m_poller;
    bool m_wasVirtual = false;

    SlotNames m_slots;
    std::vector<PortTile> m_ports;
    int m_portReports = 0;
    int m_slotReports = 0;
    int m_polls = 0;
    std::vector<std::string> m_errors;
};

TEST_F(ChassisPollerTest, ReportsTheDemoChassisWithEveryPortsStatus) {
    m_poller->start();
    loop().runUntilIdle();

    EXPECT_EQ(m_polls, 1);
    EXPECT_TRUE(m_errors.empty());
    EXPECT_EQ(m_slots.at(1), "10/100 Auto Ethernet 12");
    EXPECT_EQ(m_slots.count(5), 1u);
    ASSERT_EQ(m_portReports, 1) << "the first picture carries the status already";
    EXPECT_EQ(m_ports.size(), m_switch->rowCount("chasPortType"));
    EXPECT_TRUE(std::is_sorted(
        m_ports.begin(), m_ports.end(),
        [](const PortTile& a, const PortTile& b) { return slotPortLess(a.where, b.where); }));

    EXPECT_EQ(portState(port(1, 1)), PortState::Up);
    EXPECT_EQ(port(1, 1).description, "Uplink to core");
    EXPECT_FALSE(port(1, 1).typeText.empty());
    EXPECT_EQ(portState(port(1, 3)), PortState::Disabled);
    EXPECT_EQ(portState(port(1, 4)), PortState::NoLink);
    EXPECT_FALSE(port(1, 1).expander);
    EXPECT_TRUE(port(5, 1).expander);
}

TEST_F(ChassisPollerTest, PollsEveryPeriodAndReportsPortsOnlyWhenTheyChanged) {
    m_poller->start();
    loop().runUntilIdle();
    advance(kPeriodMs);
    EXPECT_EQ(m_polls, 2);
    EXPECT_EQ(m_portReports, 1);

    ASSERT_TRUE(m_switch->write("phyPortAdmStatus", {2, 1}, mib::Value::makeInteger(2)));
    ASSERT_TRUE(m_switch->write("phyPortDescription", {2, 2}, mib::Value::makeString("lab")));
    advance(kPeriodMs - 1);
    EXPECT_EQ(m_portReports, 1) << "not before the period is over";
    advance(1);
    EXPECT_EQ(m_polls, 3);
    EXPECT_EQ(m_portReports, 2);
    EXPECT_EQ(portState(port(2, 1)), PortState::Disabled);
    EXPECT_EQ(port(2, 2).description, "lab");
}

TEST_F(ChassisPollerTest, ASilentAgentFailsWithoutHoldingTheLoopAndPollingRecovers) {
    m_poller->start();
    loop().runUntilIdle();
    const std::int64_t silence = kPeriodMs + 2 * exchangeMs();
    m_switch->stopAnsweringFor(silence);

    advance(kPeriodMs);  // the next reading goes out and gets no answer
    bool ranMeanwhile = false;
    loop().post([&] { ranMeanwhile = true; });
    loop().runUntilIdle();
    EXPECT_TRUE(ranMeanwhile) << "the loop runs other work while the agent is silent";
    EXPECT_TRUE(m_errors.empty());

    advance(exchangeMs());
    ASSERT_EQ(m_errors.size(), 1u);
    EXPECT_THAT(m_errors.front(), HasSubstr("simulated switch"));
    EXPECT_TRUE(m_poller->isFailing());
    const int pollsBefore = m_polls;

    advance(silence);  // polling goes on through the silence and past it
    EXPECT_GT(m_polls, pollsBefore);
    EXPECT_FALSE(m_poller->isFailing());
    EXPECT_EQ(portState(port(1, 1)), PortState::Up);
}

TEST_F(ChassisPollerTest, AChassisUnreadableAtStartIsReadOnceTheAgentAnswers) {
    m_switch->stopAnsweringFor(exchangeMs() + kPeriodMs / 2);
    m_poller->start();
    advance(exchangeMs());
    ASSERT_FALSE(m_errors.empty());
    EXPECT_EQ(m_portReports, 0);
    EXPECT_TRUE(m_slots.empty());

    advance(kPeriodMs);
    EXPECT_EQ(m_portReports, 1);
    EXPECT_FALSE(m_slots.empty());
    EXPECT_EQ(portState(port(1, 3)), PortState::Disabled);
}

TEST_F(ChassisPollerTest, AnAgentWithoutChassisTablesIsAFailureNotAnEmptyChassis) {
    auto bare = sim::SimulatedSwitch::fromScenario(sim::Scenario{});
    auto transport = std::make_shared<mib::InProcessTransport>(*bare, loop());
    m_agent.SetTransport(transport);
    m_poller->start();
    loop().runUntilIdle();
    ASSERT_EQ(m_errors.size(), 1u);
    EXPECT_THAT(m_errors.front(), HasSubstr("not a chassis switch"));
    EXPECT_EQ(m_portReports, 0);
    EXPECT_EQ(m_polls, 0);
    m_poller->stop();
    m_agent.SetTransport(m_transport);
}

TEST_F(ChassisPollerTest, AModuleChangedWhilePollingShowsWithinTheChassisRereadAndNoSooner) {
    m_poller->start();
    loop().runUntilIdle();
    ASSERT_EQ(m_slotReports, 1);
    const int portReports = m_portReports;

    // A chassis read again unchanged draws nothing new.
    advance(kPeriodMs * ChassisPoller::kChassisEveryReadings);
    EXPECT_EQ(m_slotReports, 1);
    EXPECT_EQ(m_portReports, portReports);

    ASSERT_TRUE(m_switch->write("chasSlotModuleName", {1}, mib::Value::makeString("Swapped")));
    advance(kPeriodMs * (ChassisPoller::kChassisEveryReadings - 1));
    EXPECT_EQ(m_slotReports, 1);
    advance(kPeriodMs);
    EXPECT_EQ(m_slotReports, 2);
    EXPECT_EQ(m_slots.at(1), "Swapped");
    EXPECT_EQ(m_portReports, portReports + 1) << "a new picture comes with its status";
    EXPECT_EQ(portState(port(1, 3)), PortState::Disabled);
    EXPECT_EQ(m_poller->chassis()->GetModuleName(1), "Swapped");
}

TEST_F(ChassisPollerTest, ASwitchBackFromSilenceIsReadWholeAgain) {
    m_poller->start();
    loop().runUntilIdle();
    m_switch->stopAnsweringFor(kPeriodMs + exchangeMs());
    advance(kPeriodMs + exchangeMs());
    ASSERT_TRUE(m_poller->isFailing());
    // Restarted with another module in slot 1 while it was silent.
    ASSERT_TRUE(m_switch->write("chasSlotModuleName", {1}, mib::Value::makeString("Swapped")));

    advance(kPeriodMs);
    EXPECT_FALSE(m_poller->isFailing());
    EXPECT_EQ(m_slots.at(1), "Swapped");
    EXPECT_EQ(portState(port(1, 1)), PortState::Up);
}

TEST_F(ChassisPollerTest, StoppedPollerSendsNothingMore) {
    m_poller->start();
    loop().runUntilIdle();
    m_poller->stop();
    const int handled = m_transport->handledCount();
    advance(10 * kPeriodMs);
    EXPECT_EQ(m_transport->handledCount(), handled);
    EXPECT_EQ(m_polls, 1);
}

}  // namespace
}  // namespace gui
