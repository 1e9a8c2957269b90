// The MIB trace dock fed by a live agent: lines arrive, secrets never show, the history is
// bounded, and text from the wire cannot pass for other lines.

// The simulated switch's scenario has a member named like Qt's "slots" keyword.
#define QT_NO_KEYWORDS

#include <QtGui/QAction>
#include <QtTest/QTest>
#include <QtWidgets/QPlainTextEdit>
#include <memory>

#include "console/gui/trace_dock.h"
#include "framework/afx/collections.h"
#include "framework/mib/in_process_transport.h"
#include "framework/mib/mib_agent.h"
#include "framework/mib/mib_comm.h"
#include "sim/simulated_switch.h"

namespace gui {

namespace {

afx::EventLoop& loop() {
    return afx::EventLoop::instance();
}

// The demo switch in process with an agent holding the given credentials.
struct LiveAgent {
    LiveAgent() : simulated(sim::SimulatedSwitch::createDefault()) {
        loop().useVirtualClock(true);
        simulated->setClock([] { return loop().now(); });
        transport = std::make_shared<mib::InProcessTransport>(*simulated, loop());
        agent.SetEventLoop(&loop());
        agent.SetTransport(transport);
    }
    ~LiveAgent() {
        agent.SetTransport(nullptr);
        loop().runUntilIdle();
    }
    // One read of the port table through a component, as a page makes it.
    void readPortTable() {
        CMibComm comm(&agent);
        CStringArray names;
        names.Add("phyPortDescription");
        const long h = comm.OpenListRequest(0, "phyPortTable", &names);
        comm.RequestTable(h);
        loop().runUntilIdle();
        comm.ReleaseRequest(h);
    }

    std::unique_ptr<sim::SimulatedSwitch> simulated;
    std::shared_ptr<mib::InProcessTransport> transport;
    CMibAgent agent;
};

}  // namespace

class TraceDockTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void callsAndPdusOfTheAgentArriveOnTheNextLoopTurn() {
        LiveAgent live;
        TraceDock dock;
        dock.attach(live.agent);
        live.readPortTable();
        QVERIFY2(dock.view()->toPlainText().isEmpty(), "shown once per turn, not per line");
        QCoreApplication::processEvents();
        const QString shown = dock.view()->toPlainText();
        QVERIFY2(shown.contains("OpenListRequest(") && shown.contains("RequestTable("),
                 qPrintable(shown));
        QVERIFY2(shown.contains("PDU GETBULK(48) phyPortDescription"), qPrintable(shown));
        QVERIFY(shown.contains("OnRequestDone("));
    }

    void secretsNeverShow_data() {
        QTest::addColumn<QString>("credentials");
        QTest::addColumn<QStringList>("secrets");
        QTest::newRow("community") << "n0tPublic-42" << QStringList{"n0tPublic-42"};
        QTest::newRow("SNMPv3 pass phrases")
            << "ops:authPhrase99:privPhrase77" << QStringList{"authPhrase99", "privPhrase77"};
    }
    void secretsNeverShow() {
        QFETCH(QString, credentials);
        QFETCH(QStringList, secrets);
        LiveAgent live;
        TraceDock dock;
        dock.attach(live.agent);
        live.agent.SetCredentials(credentials.toUtf8().constData());
        live.readPortTable();
        const QString shown = dock.text();
        QVERIFY2(shown.contains("SetCredentials(****)"), qPrintable(shown));
        for (const QString& secret : secrets) {
            QVERIFY2(!shown.contains(secret), qPrintable(secret));
        }
    }

    void linesAreOneLineEachWithControlBytesEscaped() {
        TraceDock dock;
        dock.appendLine("PDU Response phyPortDescription.1.1=\"x\nOnRequestDone(99)\x1b[2J\"");
        const QString shown = dock.text();
        QCOMPARE(dock.view()->blockCount(), 1);
        QVERIFY(shown.contains("\\n") && shown.contains("\\x1b"));
        QVERIFY(!shown.contains(QChar(0x1b)));
    }

    void historyIsBoundedAndKeepsTheNewest() {
        TraceDock dock;
        for (int i = 0; i < TraceDock::kMaximumLines + 250; ++i) {
            dock.appendLine("line " + std::to_string(i));
            if (i % 1000 == 0) {
                QCoreApplication::processEvents();
            }
        }
        const QString shown = dock.text();
        QCOMPARE(dock.view()->blockCount(), TraceDock::kMaximumLines);
        QVERIFY(shown.endsWith(QString("line %1").arg(TraceDock::kMaximumLines + 249)));
        QVERIFY(!shown.contains("line 249\n"));
    }

    void clearEmptiesTheDockIncludingLinesNotYetShown() {
        TraceDock dock;
        dock.appendLine("shown");
        QCoreApplication::processEvents();
        dock.appendLine("pending");
        auto* clear = dock.findChild<QAction*>("clearTrace");
        QVERIFY(clear != nullptr);
        clear->trigger();
        QCoreApplication::processEvents();
        QCOMPARE(dock.text(), QString());
    }

    void eitherMayGoFirst() {
        LiveAgent live;
        {
            TraceDock dock;
            dock.attach(live.agent);
        }
        live.readPortTable();  // a sink whose dock is gone does nothing
        auto dock = std::make_unique<TraceDock>();
        {
            LiveAgent shortLived;
            dock->attach(shortLived.agent);
            shortLived.readPortTable();
        }
        QVERIFY(dock->text().contains("RequestTable("));
    }
};

}  // namespace gui

QTEST_MAIN(gui::TraceDockTest)
#include "trace_dock_qtest.moc"
