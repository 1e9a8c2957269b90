// The chassis view operated with the mouse as an operator would: selections, properties,
// tooltips, updates while selected, the stale picture and a chassis of a thousand ports.
#include <QtCore/QElapsedTimer>
#include <QtGui/QImage>
#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QScrollBar>
#include <QtWidgets/QToolTip>

#include "console/gui/chassis_view.h"

namespace gui {
namespace {

PortTile tile(int slot, int port, int admin = kAdminEnabled, int oper = kOperUp) {
    PortTile t;
    t.where = {slot, port};
    t.type = 226;
    t.typeText = "10/100BaseTX";
    t.admin = admin;
    t.oper = oper;
    return t;
}

// Slot 1: 12 ports (1/3 disabled, 1/4 without link, 1/5 unknown), slot 2: 8, slot 5: 24
// expander ports.
std::vector<PortTile> demoPorts() {
    std::vector<PortTile> ports;
    for (int p = 1; p <= 12; ++p) {
        ports.push_back(tile(1, p));
    }
    ports[0].description = "Uplink to core";
    ports[2].admin = kAdminDisabled;
    ports[3].oper = 2;
    ports[4].admin = 0;
    for (int p = 1; p <= 8; ++p) {
        ports.push_back(tile(2, p));
    }
    for (int p = 1; p <= 24; ++p) {
        PortTile t = tile(5, p);
        t.expander = true;
        t.typeText = "10BaseT Expander";
        ports.push_back(t);
    }
    return ports;
}

SlotPort parseSlotPort(const QString& text) {
    const QStringList parts = text.split('/');
    return {parts.value(0).toInt(), parts.value(1).toInt()};
}

QString describe(const std::vector<SlotPort>& ports) {
    QStringList out;
    for (const SlotPort& p : ports) {
        out << QStringLiteral("%1/%2").arg(p.slot).arg(p.port);
    }
    return out.join(' ');
}

}  // namespace

class ChassisViewTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<ChassisView> m_view;

    void click(const SlotPort& where, Qt::KeyboardModifiers mods = {}) {
        const QRect r = m_view->tileRect(where);
        QVERIFY2(!r.isEmpty(), qPrintable(describe({where})));
        QTest::mouseClick(m_view->viewport(), Qt::LeftButton, mods, r.center());
    }
    // As a mouse does it: the first press selects, the second arrives as the double-click.
    void doubleClick(const SlotPort& where, Qt::KeyboardModifiers mods = {}) {
        click(where, mods);
        QTest::mouseDClick(m_view->viewport(), Qt::LeftButton, mods,
                           m_view->tileRect(where).center());
    }
    // Somewhere in the label column: between tiles.
    QPoint empty() const { return {4, m_view->tileRect({1, 1}).top()}; }
    QImage picture() { return m_view->viewport()->grab().toImage(); }
    QColor colourIn(const QImage& image, const SlotPort& where, QPoint offset) {
        return image.pixelColor(m_view->tileRect(where).topLeft() + offset);
    }

private slots:
    void init() {
        m_view = std::make_unique<ChassisView>();
        m_view->resize(900, 500);
        m_view->setPorts(demoPorts());
        m_view->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_view.get()));
    }
    void cleanup() { m_view.reset(); }

    // Clicks: "1/3" plain, "^1/3" with Ctrl, "+1/3" with Shift, "^+1/3" with both, "-" between
    // tiles.
    void mouseSelection_data() {
        QTest::addColumn<QString>("clicks");
        QTest::addColumn<QString>("selected");
        QTest::newRow("click selects one") << "1/3"
                                           << "1/3";
        QTest::newRow("click replaces") << "1/3 1/5"
                                        << "1/5";
        QTest::newRow("ctrl adds") << "1/3 ^2/5"
                                   << "1/3 2/5";
        QTest::newRow("ctrl toggles off") << "1/3 ^1/5 ^1/3"
                                          << "1/5";
        QTest::newRow("shift spans slots") << "1/11 +2/2"
                                           << "1/11 1/12 2/1 2/2";
        QTest::newRow("shift backwards") << "2/2 +1/11"
                                         << "1/11 1/12 2/1 2/2";
        QTest::newRow("shift from the ctrl-clicked anchor") << "1/1 ^1/5 +1/7"
                                                            << "1/5 1/6 1/7";
        QTest::newRow("shift again re-spans from the anchor") << "1/6 +1/9 +1/4"
                                                              << "1/4 1/5 1/6";
        QTest::newRow("ctrl+shift adds the range") << "1/2 ^2/7 ^+2/8"
                                                   << "1/2 2/7 2/8";
        QTest::newRow("click between tiles clears") << "1/3 ^1/4 -"
                                                    << "";
        QTest::newRow("ctrl-click between tiles keeps") << "1/3 ^-"
                                                        << "1/3";
    }
    void mouseSelection() {
        QFETCH(QString, clicks);
        QFETCH(QString, selected);
        for (QString step : clicks.split(' ')) {
            Qt::KeyboardModifiers mods;
            if (step.startsWith('^')) {
                mods |= Qt::ControlModifier;
                step.remove(0, 1);
            }
            if (step.startsWith('+')) {
                mods |= Qt::ShiftModifier;
                step.remove(0, 1);
            }
            if (step == "-") {
                QTest::mouseClick(m_view->viewport(), Qt::LeftButton, mods, empty());
            } else {
                click(parseSlotPort(step), mods);
            }
        }
        QCOMPARE(describe(m_view->selection()), selected);
    }

    void rubberBandSelectsTheTilesItTouches() {
        click({2, 1});
        const QPoint from = empty() - QPoint(0, 2);
        const QPoint to = m_view->tileRect({1, 3}).center();
        QTest::mousePress(m_view->viewport(), Qt::LeftButton, {}, from);
        QTest::mouseMove(m_view->viewport(), to);
        QTest::mouseRelease(m_view->viewport(), Qt::LeftButton, {}, to);
        QCOMPARE(describe(m_view->selection()), QString("1/1 1/2 1/3"));

        // With Ctrl the band adds to what was selected.
        const QPoint slot2 = QPoint(4, m_view->tileRect({2, 1}).top() - 2);
        const QPoint end = m_view->tileRect({2, 2}).center();
        QTest::mousePress(m_view->viewport(), Qt::LeftButton, Qt::ControlModifier, slot2);
        QTest::mouseMove(m_view->viewport(), end);
        QTest::mouseRelease(m_view->viewport(), Qt::LeftButton, Qt::ControlModifier, end);
        QCOMPARE(describe(m_view->selection()), QString("1/1 1/2 1/3 2/1 2/2"));
    }

    void anUpdateDuringARubberBandDragKeepsItsBase() {
        click({1, 12});
        const QPoint from(4, m_view->tileRect({2, 1}).top() - 2);
        QTest::mousePress(m_view->viewport(), Qt::LeftButton, Qt::ControlModifier, from);
        QTest::mouseMove(m_view->viewport(), m_view->tileRect({2, 1}).center());
        std::vector<PortTile> more = demoPorts();
        more.insert(more.begin(), tile(1, 0));  // every index moves, no tile does
        m_view->setPorts(more);
        const QPoint to = m_view->tileRect({2, 2}).center();
        QTest::mouseMove(m_view->viewport(), to);
        QTest::mouseRelease(m_view->viewport(), Qt::LeftButton, Qt::ControlModifier, to);
        QCOMPARE(describe(m_view->selection()), QString("1/12 2/1 2/2"));
    }

    void anUpdateKeepsTheSelectionBySlotAndPort() {
        click({1, 4});
        click({5, 2}, Qt::ControlModifier);
        int changes = 0;
        connect(m_view.get(), &ChassisView::selectionChanged, [&] { ++changes; });

        std::vector<PortTile> update = demoPorts();
        std::reverse(update.begin(), update.end());  // any order
        for (PortTile& t : update) {
            t.admin = kAdminDisabled;
        }
        m_view->setPorts(update);
        QCOMPARE(describe(m_view->selection()), QString("1/4 5/2"));
        QCOMPARE(changes, 0);
        QCOMPARE(portState(m_view->ports().front()), PortState::Disabled);

        // A port that went away leaves the selection, and the window hears of it.
        update.erase(std::remove_if(update.begin(), update.end(),
                                    [](const PortTile& t) {
                                        return t.where == SlotPort{5, 2};
                                    }),
                     update.end());
        m_view->setPorts(update);
        QCOMPARE(describe(m_view->selection()), QString("1/4"));
        QCOMPARE(changes, 1);
    }

    void doubleClickAsksForTheClickedPortWithTheSelection() {
        std::vector<std::pair<SlotPort, std::vector<SlotPort>>> asked;
        connect(m_view.get(), &ChassisView::propertiesRequested,
                [&](SlotPort clicked, std::vector<SlotPort> selection) {
                    asked.emplace_back(clicked, selection);
                });
        QVERIFY(!m_view->requestProperties());  // nothing selected: nothing asked

        click({1, 2});
        click({1, 4}, Qt::ControlModifier);
        doubleClick({1, 6}, Qt::ControlModifier);
        QCOMPARE(asked.size(), std::size_t{1});
        QCOMPARE(describe({asked[0].first}), QString("1/6"));
        QCOMPARE(describe(asked[0].second), QString("1/2 1/4 1/6"));

        doubleClick({2, 8});
        QCOMPARE(describe({asked.back().first}), QString("2/8"));
        QCOMPARE(describe(asked.back().second), QString("2/8"));

        // "Properties..." takes the port clicked last while it is selected.
        click({1, 1});
        click({1, 9}, Qt::ControlModifier);
        QVERIFY(m_view->requestProperties());
        QCOMPARE(describe({asked.back().first}), QString("1/9"));
        click({1, 9}, Qt::ControlModifier);
        QVERIFY(m_view->requestProperties());
        QCOMPARE(describe({asked.back().first}), QString("1/1"));
    }

    void tooltipNamesThePortItsTypeDescriptionAndStatus() {
        const QString up = m_view->tooltipAt(m_view->tileRect({1, 1}).center());
        QVERIFY2(up.contains("Slot 1 Port 1"), qPrintable(up));
        QVERIFY(up.contains("10/100BaseTX"));
        QVERIFY(up.contains("Uplink to core"));
        QVERIFY(up.contains("Status: up"));
        QVERIFY(m_view->tooltipAt(m_view->tileRect({1, 4}).center()).contains("enabled, no link"));
        QVERIFY(m_view->tooltipAt(m_view->tileRect({5, 3}).center()).contains("expander"));
        QVERIFY(m_view->tooltipAt(empty()).isEmpty());

        // An agent's description is shown as it is, never as markup or control bytes.
        std::vector<PortTile> ports = demoPorts();
        ports[0].description = "<b>core</b>\x1b[31m";
        m_view->setPorts(ports);
        const QPoint at = m_view->tileRect({1, 1}).center();
        QHelpEvent help(QEvent::ToolTip, at, m_view->viewport()->mapToGlobal(at));
        QApplication::sendEvent(m_view->viewport(), &help);
        const QString shown = QToolTip::text();
        QVERIFY2(shown.contains("&lt;b&gt;core&lt;/b&gt;"), qPrintable(shown));
        QVERIFY(shown.contains("\\x1b[31m"));
        QVERIFY(!shown.contains(QChar(0x1b)));
    }

    void coloursTellTheStatusAndStaleGreysEveryTile() {
        const QPoint inside(6, 6);
        const QImage live = picture();
        const QColor up = colourIn(live, {1, 1}, inside);
        QVERIFY2(up.green() > up.red() + 40, qPrintable(up.name()));
        const QColor amber = colourIn(live, {1, 4}, inside);
        QVERIFY2(amber.red() > amber.blue() + 80, qPrintable(amber.name()));
        QVERIFY(colourIn(live, {1, 3}, inside).hsvSaturation() < 20);  // disabled: grey
        QVERIFY(colourIn(live, {1, 5}, inside).lightness() >
                colourIn(live, {1, 3}, inside).lightness());
        // The expander's corner mark.
        const QColor corner =
            colourIn(live, {5, 1}, QPoint(m_view->tileRect({5, 1}).width() - 4, 3));
        QVERIFY2(corner.blue() > corner.red() + 60, qPrintable(corner.name()));

        m_view->setStale(true);
        const QImage stale = picture();
        for (const SlotPort& where : {SlotPort{1, 1}, SlotPort{1, 4}, SlotPort{2, 3}}) {
            for (int dx = 3; dx < 12; ++dx) {
                const QColor c = colourIn(stale, where, QPoint(dx, 6));
                QVERIFY2(c.hsvSaturation() < 80, qPrintable(describe({where}) + " " + c.name()));
            }
        }
        QVERIFY(m_view->tooltipAt(m_view->tileRect({1, 1}).center()).contains("not answering"));
        m_view->setStale(false);
        QCOMPARE(colourIn(picture(), {1, 1}, inside), up);
    }

    void aThousandPortsWrapWithinTheirRowsAndScroll() {
        std::vector<PortTile> ports;
        for (int slot = 1; slot <= 10; ++slot) {
            for (int p = 1; p <= 100; ++p) {
                ports.push_back(tile(slot, p, p % 7 == 0 ? kAdminDisabled : kAdminEnabled));
            }
        }
        QElapsedTimer timer;
        timer.start();
        m_view->setPorts(ports);
        m_view->selectAll();
        m_view->viewport()->repaint();
        const qint64 ms = timer.elapsed();
        qInfo("1,000 ports: update, select all and paint in %lld ms", ms);
        QVERIFY2(ms < 500, qPrintable(QString::number(ms)));

        const int width = m_view->viewport()->width();
        int previousBottom = 0;
        for (int slot = 1; slot <= 10; ++slot) {
            const QRect first = m_view->tileRect({slot, 1});
            QVERIFY2(first.top() > previousBottom, "slots do not overlap");
            for (int p = 1; p <= 100; ++p) {
                const QRect r = m_view->tileRect({slot, p});
                QVERIFY(r.right() < width);
                previousBottom = std::max(previousBottom, r.bottom());
            }
        }
        QVERIFY(m_view->verticalScrollBar()->maximum() > 0);
        QCOMPARE(m_view->selection().size(), std::size_t{1000});

        // A tile scrolled into view is still the one clicked.
        m_view->verticalScrollBar()->setValue(m_view->verticalScrollBar()->maximum());
        click({10, 100});
        QCOMPARE(describe(m_view->selection()), QString("10/100"));
    }
};

}  // namespace gui

QTEST_MAIN(gui::ChassisViewTest)
#include "chassis_view_qtest.moc"
