// The reads the console makes before it opens any page, against the embedded switch.
#include "console/switch_probe.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <map>

#include "console/agent_factory.h"
#include "framework/mib/in_process_transport.h"

namespace console {
namespace {

// Passes a number of requests on, then cannot send any more: a switch lost mid-walk. Walks
// ask for `repetitions` rows a PDU and every request is counted by its first variable.
class FailingAfter : public mib::Transport {
public:
    FailingAfter(std::shared_ptr<mib::Transport> inner, int sends, int repetitions)
        : m_inner(std::move(inner)), m_sendsLeft(sends), m_repetitions(repetitions) {}

    Ticket send(const mib::RequestPdu& request, const mib::SendOptions& options,
                Completion done) override {
        if (m_sendsLeft == 0) {
            return 0;
        }
        --m_sendsLeft;
        const mib::MibVariable* first =
            mib::MibDictionary::builtin().findByInstanceOid(request.varbinds.at(0).oid);
        ++pdusFor[first == nullptr ? std::string("?") : first->table];
        return m_inner->send(request, options, std::move(done));
    }
    void cancel(Ticket ticket) override { m_inner->cancel(ticket); }
    int bulkRepetitions(int) const override { return m_repetitions; }
    std::string describe() const override { return m_inner->describe(); }

    std::map<std::string, int> pdusFor;  // by table ("" for scalars)

private:
    std::shared_ptr<mib::Transport> m_inner;
    int m_sendsLeft;
    int m_repetitions;
};

class SwitchProbeTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(createAgent(AgentChoice{}, m_loop, &m_session, &error)) << error;
    }

    mib::InProcessTransport& simulated() {
        return static_cast<mib::InProcessTransport&>(*m_session.transport);
    }

    afx::EventLoop& m_loop = afx::EventLoop::instance();
    AgentSession m_session;
};

TEST_F(SwitchProbeTest, EveryPhysicalPortHasItsStatusInOrder) {
    SwitchProbe probe(*m_session.agent, m_loop);
    std::vector<PortStatus> rows;
    std::string error;
    auto reading = probe.readChassis(&error);
    ASSERT_TRUE(reading) << error;
    const std::vector<ChassisPort>& chassis = reading->ports;
    ASSERT_TRUE(probe.readPortStatus(&rows, &error)) << error;

    std::vector<ChassisPort> ethernet;
    std::copy_if(chassis.begin(), chassis.end(), std::back_inserter(ethernet),
                 [](const ChassisPort& p) { return !p.expander; });
    ASSERT_EQ(rows.size(), ethernet.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i].where, ethernet[i].where) << i;
    }
    const auto at = [&](int slot, int port) {
        return *std::find_if(rows.begin(), rows.end(), [&](const PortStatus& r) {
            return r.where == SlotPort{slot, port};
        });
    };
    EXPECT_EQ(at(1, 1).admin, 1);
    EXPECT_EQ(at(1, 1).oper, 3);
    EXPECT_EQ(at(1, 3).admin, 2);
    EXPECT_EQ(at(1, 3).oper, 2);
    EXPECT_EQ(at(1, 4).admin, 1);
    EXPECT_EQ(at(1, 4).oper, 2);
}

TEST_F(SwitchProbeTest, OnlyASelectedPortThatIsEnabledAndUpIsEnabled) {
    SwitchProbe probe(*m_session.agent, m_loop);
    std::string error;
    const auto health = readPortHealth(probe, {{1, 1}, {1, 3}, {1, 4}}, &error);
    ASSERT_NE(health, nullptr) << error;
    EXPECT_TRUE(health->IsPortEnabled(1, 1));
    EXPECT_FALSE(health->IsPortEnabled(1, 3));  // disabled
    EXPECT_FALSE(health->IsPortEnabled(1, 4));  // enabled, no link
    EXPECT_FALSE(health->IsPortEnabled(2, 1));  // up, but not selected
}

TEST(PortEnabledRule, NeedsBothAdministrativelyEnabledAndOperationallyUp) {
    EXPECT_TRUE(isPortEnabled({{1, 1}, 1, 3}));
    EXPECT_FALSE(isPortEnabled({{1, 1}, 1, 2}));
    EXPECT_FALSE(isPortEnabled({{1, 1}, 2, 3}));
    EXPECT_FALSE(isPortEnabled({{1, 1}, 0, 0}));  // neither given as a number
}

TEST_F(SwitchProbeTest, ASwitchThatDoesNotAnswerLeavesNoHealth) {
    simulated().failNextRequest(mib::TransportOutcome::Timeout, "no answer");
    SwitchProbe probe(*m_session.agent, m_loop);
    std::string error;
    EXPECT_EQ(readPortHealth(probe, {{1, 1}}, &error), nullptr);
    EXPECT_NE(error.find("no answer"), std::string::npos) << error;
}

TEST_F(SwitchProbeTest, ASwitchLostMidWalkLeavesNoHealthRatherThanAPartOfIt) {
    m_session.agent->SetTransport(std::make_shared<FailingAfter>(m_session.transport, 2, 2));
    SwitchProbe probe(*m_session.agent, m_loop);
    std::string error;
    EXPECT_EQ(readPortHealth(probe, {{1, 1}, {1, 2}}, &error), nullptr);
    EXPECT_NE(error.find("could not be queued"), std::string::npos) << error;
}

}  // namespace
}  // namespace console
