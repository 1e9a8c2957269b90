// The chassis view and status bar on the demo switch as the agent answers, changes, falls
// silent and comes back.

// The simulated switch's scenario has a member named like Qt's "slots" keyword.
#define QT_NO_KEYWORDS

#include <QtCore/QElapsedTimer>
#include <QtTest/QTest>
#include <algorithm>
#include <memory>

#include "console/gui/chassis_monitor.h"
#include "console/gui/chassis_view.h"
#include "console/gui/status_panel.h"
#include "framework/mib/in_process_transport.h"
#include "sim/simulated_switch.h"

namespace gui {

namespace {

constexpr std::int64_t kPeriodMs = 2000;

afx::EventLoop& loop() {
    return afx::EventLoop::instance();
}

}  // namespace

class ChassisMonitorTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<sim::SimulatedSwitch> m_switch;
    std::shared_ptr<mib::InProcessTransport> m_transport;
    std::unique_ptr<CMibAgent> m_agent;
    std::unique_ptr<ChassisView> m_view;
    std::unique_ptr<StatusPanel> m_status;
    std::unique_ptr<ChassisMonitor> m_monitor;

    void advance(std::int64_t ms) {
        loop().advance(ms);
        loop().runUntilIdle();
    }
    PortState shownState(int slot, int port) const {
        const auto& ports = m_view->ports();
        const auto it = std::find_if(ports.begin(), ports.end(), [&](const PortTile& t) {
            return t.where == SlotPort{slot, port};
        });
        return it == ports.end() ? PortState::Unknown : portState(*it);
    }

private Q_SLOTS:
    void init() {
        loop().useVirtualClock(true);
        m_switch = sim::SimulatedSwitch::createDefault();
        m_switch->setClock([] { return loop().now(); });
        m_transport = std::make_shared<mib::InProcessTransport>(*m_switch, loop());
        m_agent = std::make_unique<CMibAgent>();
        m_agent->SetEventLoop(&loop());
        m_agent->SetTransport(m_transport);
        m_agent->SetTimeout(1);
        m_agent->SetRetries(1);
        m_view = std::make_unique<ChassisView>();
        m_status = std::make_unique<StatusPanel>();
        m_monitor = std::make_unique<ChassisMonitor>(*m_agent, *m_view, *m_status);
        m_monitor->poller().setPeriodMs(kPeriodMs);
        m_monitor->start();
        loop().runUntilIdle();
    }
    void cleanup() {
        m_monitor.reset();
        m_agent->SetTransport(nullptr);
        loop().runUntilIdle();
        m_agent.reset();
        loop().useVirtualClock(false);
    }

    void theViewShowsTheSwitchAndFollowsItsChanges() {
        QCOMPARE(m_view->ports().size(), m_switch->rowCount("chasPortType"));
        QCOMPARE(shownState(1, 1), PortState::Up);
        QCOMPARE(shownState(1, 3), PortState::Disabled);
        QVERIFY(!m_view->isStale());
        QVERIFY(m_status->lastPollText() != "Last poll: none yet");

        QVERIFY(m_switch->write("phyPortAdmStatus", {1, 1}, mib::Value::makeInteger(2)));
        advance(kPeriodMs);
        QCOMPARE(shownState(1, 1), PortState::Disabled);
    }

    void aSilentAgentGreysTheViewSaysSoAndTheWindowKeepsAnswering() {
        m_switch->stopAnsweringFor(3 * kPeriodMs);
        advance(kPeriodMs);
        // While the reading waits for its answer, Qt's own events are handled at once.
        QElapsedTimer turn;
        turn.start();
        QCoreApplication::processEvents();
        QVERIFY(turn.elapsed() < 50);
        QVERIFY(!m_view->isStale());

        advance(2000);  // both tries of one second each
        QVERIFY(m_view->isStale());
        QVERIFY(m_status->isStale());
        QVERIFY2(m_status->lastErrorText().contains("simulated switch"),
                 qPrintable(m_status->lastErrorText()));
        QCOMPARE(m_view->ports().size(), m_switch->rowCount("chasPortType"));  // kept, greyed

        advance(3 * kPeriodMs);
        QVERIFY(!m_view->isStale());
        QVERIFY(!m_status->isStale());
        QCOMPARE(m_status->lastErrorText(), QString());
    }
};

}  // namespace gui

QTEST_MAIN(gui::ChassisMonitorTest)
#include "chassis_monitor_qtest.moc"
