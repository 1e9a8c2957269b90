// The counter graph as an operator uses it: counters dropped from a Statistics page, their
// rates across wraps and resets, texts it refuses, and a counter sampled on the simulated switch.

// Before any Qt header: the switch's scenario has a member named like Qt's "slots" keyword.
#include "sim/simulated_switch.h"

#include <QtCharts/QChart>
#include <QtCharts/QLegend>
#include <QtCharts/QLegendMarker>
#include <QtCharts/QValueAxis>
#include <QtCore/QMimeData>
#include <QtGui/QDropEvent>
#include <QtTest/QSignalSpy>
#include <QtTest/QTest>
#include <algorithm>

#include "console/gui/counter_graph.h"
#include "framework/mib/in_process_transport.h"
#include "framework/mib/mib_agent.h"
#include "framework/sw/drag_drop_string.h"

Q_DECLARE_METATYPE(gui::CounterSample)

namespace {

QString dragOf(const std::string& variable, const std::string& index, const std::string& label,
               int slot, int port, const std::string& agent = "127.0.0.1") {
    sw::DragDropFields fields;
    fields.agent = agent;
    fields.variable = variable;
    fields.value = "0";
    fields.index = {index};
    fields.label = label;
    fields.source = "Ethernet";
    fields.slot = slot;
    fields.port = port;
    return QString::fromStdString(sw::formatDragDropString(fields));
}

QString packetsOfPort12() {
    return dragOf("etherStatsPkts", "1002", "Packets", 1, 2);
}

// A counter of each width, for wraps.
const mib::MibDictionary& widthDictionary() {
    static const mib::MibDictionary dictionary({
        {"narrowPkts",
         {1, 3, 6, 1, 4, 1, 99, 1, 2},
         mib::Syntax::Counter32,
         mib::Access::ReadOnly,
         {},
         "testTable",
         "",
         {"testIndex"},
         0,
         0,
         ""},
        {"wideOctets",
         {1, 3, 6, 1, 4, 1, 99, 1, 3},
         mib::Syntax::Counter64,
         mib::Access::ReadOnly,
         {},
         "testTable",
         "",
         {"testIndex"},
         0,
         0,
         ""},
    });
    return dictionary;
}

// Drags text over the graph and drops it there, as the mouse would; whether it was taken.
bool dropText(QWidget& target, const QString& text) {
    QMimeData mime;
    mime.setText(text);
    const QPointF at(target.width() / 2.0, target.height() / 2.0);
    QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&target, &enter);
    if (!enter.isAccepted()) {
        return false;
    }
    QDropEvent drop(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&target, &drop);
    return drop.isAccepted();
}

// The legend entries an operator sees, once the chart has laid its legend out.
QStringList legendShown(gui::CounterGraph& graph) {
    QCoreApplication::processEvents();
    graph.grab();
    QStringList shown;
    for (QLegendMarker* marker : graph.chart()->legend()->markers()) {
        if (marker->isVisible()) {
            shown << marker->label();
        }
    }
    return shown;
}

double highest(const QList<QPointF>& points) {
    double top = 0;
    for (const QPointF& p : points) {
        top = std::max(top, p.y());
    }
    return top;
}

gui::CounterSample at(double seconds, std::uint64_t value,
                      std::optional<std::uint32_t> ticks = std::nullopt) {
    return {seconds, value, ticks};
}

}  // namespace

class CounterGraphTest : public QObject {
    Q_OBJECT
private slots:
    void droppedCounterAddsALineWithItsLabel();
    void rateAcrossAWrap_data();
    void rateAcrossAWrap();
    void resetBreaksTheLineWithoutASpike_data();
    void resetBreaksTheLineWithoutASpike();
    void refusedTextSaysWhy_data();
    void refusedTextSaysWhy();
    void longHistoryKeepsItsLegendAndBound();
    void samplerOnTheSimulatedSwitchDrawsItsRate();
};

void CounterGraphTest::droppedCounterAddsALineWithItsLabel() {
    gui::CounterGraph graph;
    graph.show();
    QSignalSpy added(&graph, &gui::CounterGraph::seriesAdded);
    QVERIFY(dropText(graph, packetsOfPort12()));
    QVERIFY(dropText(graph, dragOf("etherStatsOctets", "1003", "Octets", 1, 3)));
    QCOMPARE(added.count(), 2);
    QCOMPARE(graph.seriesCount(), 2);
    QCOMPARE(graph.seriesName(0), QString("Packets 1/2"));
    QCOMPARE(legendShown(graph), QStringList({"Packets 1/2", "Octets 1/3"}));
}

void CounterGraphTest::rateAcrossAWrap_data() {
    QTest::addColumn<QString>("variable");
    QTest::addColumn<quint64>("before");
    QTest::addColumn<quint64>("after");
    QTest::addColumn<double>("seconds");
    QTest::addColumn<double>("rate");
    QTest::newRow("32-bit") << "narrowPkts" << quint64(4294967000u) << quint64(200) << 1.0 << 496.0;
    QTest::newRow("64-bit") << "wideOctets" << quint64(0xFFFFFFFFFFFFFF00ull) << quint64(0x100)
                            << 2.0 << 256.0;
    QTest::newRow("64-bit past 2^32")
        << "wideOctets" << quint64(0xFFFFFFF0ull) << quint64(0x100000010ull) << 1.0 << 32.0;
}

void CounterGraphTest::rateAcrossAWrap() {
    QFETCH(QString, variable);
    QFETCH(quint64, before);
    QFETCH(quint64, after);
    QFETCH(double, seconds);
    QFETCH(double, rate);
    gui::CounterGraph graph;
    graph.setDictionary(&widthDictionary());
    QString error;
    QVERIFY2(graph.addDragString(dragOf(variable.toStdString(), "1", "Frames", 2, 1), &error),
             qPrintable(error));
    graph.addSample(0, at(100, before));
    graph.addSample(0, at(100 + seconds, after));
    QCOMPARE(graph.ratePoints(0), QList<QPointF>({QPointF(seconds, rate)}));
    QVERIFY(graph.resetMarks(0).isEmpty());
}

void CounterGraphTest::resetBreaksTheLineWithoutASpike_data() {
    QTest::addColumn<gui::CounterSample>("restart");
    // 100 per second before and after; the restart reading would read as a huge rate if
    // taken for a wrap, or as a huge negative one if taken as it comes.
    QTest::newRow("unexplained drop") << at(3, 50);
    QTest::newRow("uptime back") << at(3, 400, 5);
}

void CounterGraphTest::resetBreaksTheLineWithoutASpike() {
    QFETCH(gui::CounterSample, restart);
    gui::CounterGraph graph;
    QVERIFY(graph.addDragString(packetsOfPort12(), nullptr));
    graph.addSample(0, at(0, 3000000, 1000));
    graph.addSample(0, at(1, 3000100, 1100));
    graph.addSample(0, at(2, 3000200, 1200));
    graph.addSample(0, restart);
    graph.addSample(0, at(4, restart.value + 100, restart.upTimeTicks.value_or(0) + 100));

    const QList<QPointF> rates = graph.ratePoints(0);
    QCOMPARE(rates.size(), 3);
    QCOMPARE(highest(rates), 100.0);
    QVERIFY(std::all_of(rates.begin(), rates.end(), [](const QPointF& p) { return p.y() >= 0; }));
    QCOMPARE(graph.resetMarks(0), QList<QPointF>({QPointF(3, 0)}));
    QCOMPARE(graph.segmentCount(0), 2);
    QVERIFY(graph.statusText().contains("reset"));
    // The rate axis, rescaled once the readings are in, fits the true rates.
    QCoreApplication::processEvents();
    const auto* rateAxis = qobject_cast<QValueAxis*>(graph.chart()->axes(Qt::Vertical).value(0));
    QVERIFY(rateAxis != nullptr);
    QVERIFY2(rateAxis->max() >= 100 && rateAxis->max() <= 200,
             qPrintable(QString::number(rateAxis->max())));
    // The mark is named in the legend, after the line it belongs to.
    QCOMPARE(legendShown(graph), QStringList({"Packets 1/2", "Counter reset"}));
}

void CounterGraphTest::refusedTextSaysWhy_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("reason");
    QTest::newRow("plain text") << "ifInOctets.1"
                                << "Not a counter";
    QTest::newRow("index column") << dragOf("etherStatsIndex", "1002", "Slot", 1, 2)
                                  << "not a counter";
    QTest::newRow("counter twice") << packetsOfPort12() << "on the graph already";
    QTest::newRow("another agent's counter")
        << dragOf("etherStatsPkts", "1002", "Packets", 1, 2, "10.9.9.9")
        << "Packets 1/2 is a counter of 10.9.9.9; this graph reads 127.0.0.1.";
}

void CounterGraphTest::refusedTextSaysWhy() {
    QFETCH(QString, text);
    QFETCH(QString, reason);
    gui::CounterGraph graph;
    graph.setAgentAddress("127.0.0.1");
    graph.show();
    QVERIFY(graph.addDragString(packetsOfPort12(), nullptr));
    QSignalSpy refused(&graph, &gui::CounterGraph::dropRefused);
    QVERIFY(!dropText(graph, text));
    QCOMPARE(graph.seriesCount(), 1);
    QCOMPARE(refused.count(), 1);
    const QString said = refused.at(0).at(0).toString();
    QVERIFY2(said.contains(reason), qPrintable(said));
    QCOMPARE(graph.statusText(), said);
}

void CounterGraphTest::longHistoryKeepsItsLegendAndBound() {
    gui::CounterGraph graph;
    QVERIFY(graph.addDragString(packetsOfPort12(), nullptr));
    std::uint64_t value = 0;
    for (int second = 0; second <= 2 * gui::CounterGraph::kHistoryPoints; ++second) {
        // A restart early on: its piece of line scrolls off first.
        value = second == 10 ? 0 : value + 7;
        graph.addSample(0, at(second, value));
    }
    const QList<QPointF> rates = graph.ratePoints(0);
    QCOMPARE(rates.size(), gui::CounterGraph::kHistoryPoints);
    QCOMPARE(rates.last(), QPointF(2 * gui::CounterGraph::kHistoryPoints, 7));
    QCOMPARE(graph.segmentCount(0), 1);
    QCOMPARE(legendShown(graph), QStringList({"Packets 1/2", "Counter reset"}));
}

void CounterGraphTest::samplerOnTheSimulatedSwitchDrawsItsRate() {
    afx::EventLoop& loop = afx::EventLoop::instance();
    loop.useVirtualClock(true);
    auto simulated = sim::SimulatedSwitch::createDefault();
    simulated->setClock([&loop] { return loop.now(); });
    CMibAgent agent;
    agent.SetEventLoop(&loop);
    agent.SetAgentName("demo-switch");
    agent.SetAddress("127.0.0.1");
    agent.SetTransport(std::make_shared<mib::InProcessTransport>(*simulated, loop));
    agent.SetPollingPeriod(1000);
    agent.SetTimeout(1);
    agent.SetRetries(0);
    const auto counter = [&] { return simulated->read("etherStatsPkts", {1002})->integer; };
    const auto pass = [&loop](int seconds) {
        loop.advance(seconds * 1000);
        loop.runUntilIdle();
    };
    const auto before = counter();
    {
        gui::CounterGraph graph;
        graph.setAgent(agent);
        QSignalSpy failed(&graph, &gui::CounterGraph::samplingFailed);
        QVERIFY(graph.addDragString(packetsOfPort12(), nullptr));
        loop.runUntilIdle();
        pass(3);
        const double perSecond = static_cast<double>(counter() - before) / 3.0;
        QVERIFY(perSecond > 0);
        QCOMPARE(graph.ratePoints(0),
                 QList<QPointF>({{1, perSecond}, {2, perSecond}, {3, perSecond}}));
        QCOMPARE(failed.count(), 0);

        // The switch falls silent for a while: said on the graph, and then that it answers again.
        simulated->stopAnsweringFor(1500);
        pass(2);
        QCOMPARE(failed.count(), 1);
        QVERIFY2(graph.statusText().startsWith("Packets 1/2: demo-switch"),
                 qPrintable(graph.statusText()));
        pass(2);
        QCOMPARE(graph.statusText(), QString("Packets 1/2: read again."));
        QCOMPARE(highest(graph.ratePoints(0)), perSecond);
    }
    pass(3);  // the graph's sampler went with it: nothing calls back
    agent.SetTransport(nullptr);
    loop.runUntilIdle();
    loop.useVirtualClock(false);
}

QTEST_MAIN(CounterGraphTest)
#include "counter_graph_qtest.moc"
