// The reads the console makes before it opens any page, against the embedded switch.
#include "console/switch_probe.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <map>

#include "console/agent_factory.h"
#include "framework/mib/in_process_transport.h"
#include "sim/simulated_switch.h"

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
    std::size_t pendingCount() const override { return m_inner->pendingCount(); }

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

// The chassis tables and the port status take one walk each, of at most rows / R + 1 PDUs
// with R rows a PDU.
TEST_F(SwitchProbeTest, EachTableIsOneWalkOfWholePdus) {
    constexpr int kRepetitions = 7;
    auto counting = std::make_shared<FailingAfter>(m_session.transport, -1, kRepetitions);
    m_session.agent->SetTransport(counting);
    SwitchProbe probe(*m_session.agent, m_loop);
    std::string error;
    ASSERT_TRUE(probe.readSysName(&error)) << error;
    const auto reading = probe.readChassis(&error);
    ASSERT_TRUE(reading) << error;
    std::vector<PortStatus> rows;
    ASSERT_TRUE(probe.readPortStatus(&rows, &error)) << error;

    const auto bound = [](std::size_t rows) { return static_cast<int>(rows) / kRepetitions + 1; };
    EXPECT_EQ(counting->pdusFor[""], 1);  // sysName
    EXPECT_LE(counting->pdusFor["chasSlotTable"],
              bound(m_session.simulated->rowCount("chasSlotIndex")));
    EXPECT_LE(counting->pdusFor["chasPortTable"], bound(reading->ports.size()));
    EXPECT_LE(counting->pdusFor["phyPortTable"], bound(rows.size()));
    EXPECT_GT(reading->ports.size(), static_cast<std::size_t>(kRepetitions));
    EXPECT_EQ(reading->chassis->GetPortType(1, 1), reading->ports.front().type);
}

// Answers every GETNEXT and GETBULK in the port table with the row it was asked about.
class StuckPortWalk : public mib::PduHandler {
public:
    explicit StuckPortWalk(mib::PduHandler& inner) : m_inner(inner) {}
    mib::ResponsePdu handle(const mib::RequestPdu& request) override {
        mib::ResponsePdu response = m_inner.handle(request);
        const mib::Oid table = mib::MibDictionary::builtin().find("chasPortSlot")->oid;
        for (std::size_t i = 0; i < response.varbinds.size(); ++i) {
            const mib::Oid& asked = request.varbinds[i % request.varbinds.size()].oid;
            if (request.type != mib::PduType::Get && asked.size() > table.size() &&
                mib::oidStartsWith(asked, {table.begin(), table.end() - 1})) {
                response.varbinds[i].oid = asked;
            }
        }
        return response;
    }

private:
    mib::PduHandler& m_inner;
};

TEST_F(SwitchProbeTest, AWalkThatDoesNotAdvanceEndsInAnError) {
    StuckPortWalk stuck(*m_session.simulated);
    mib::InProcessTransport transport(stuck, m_loop);
    m_session.agent->SetTransport(std::shared_ptr<mib::Transport>(&transport, [](auto*) {}));
    SwitchProbe probe(*m_session.agent, m_loop);
    std::string error;
    EXPECT_FALSE(probe.readChassis(&error));
    EXPECT_NE(error.find("agent answered"), std::string::npos) << error;
    m_session.agent->SetTransport(m_session.transport);
}

TEST(FindPort, NamesOnlyPortsTheChassisHas) {
    const std::vector<ChassisPort> ports = {{{1, 1}, 226, false}, {{3, 2}, 300, true}};
    EXPECT_EQ(findPort(ports, {3, 2}), &ports[1]);
    EXPECT_EQ(findPort(ports, {2, 1}), nullptr);
    EXPECT_EQ(firstEthernetPort({ports[1], ports[0]})->where, (SlotPort{1, 1}));
}

}  // namespace
}  // namespace console
