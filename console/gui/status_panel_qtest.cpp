// The status bar panel as the window drives it through a poll that fails and recovers.
#include <QtTest/QTest>
#include <QtWidgets/QLabel>

#include "console/gui/status_panel.h"

namespace gui {

class StatusPanelTest : public QObject {
    Q_OBJECT

private slots:
    void aFailureShowsInRedUntilCleared() {
        StatusPanel panel;
        panel.show();
        panel.setAgent("udp:10.0.0.9:161 (v2c)");
        QCOMPARE(panel.agentText(), QString("Agent: udp:10.0.0.9:161 (v2c)"));
        QCOMPARE(panel.lastPollText(), QString("Last poll: none yet"));
        panel.setLastPoll(QDateTime(QDate(2026, 1, 2), QTime(13, 4, 5)));
        QCOMPARE(panel.lastPollText(), QString("Last poll: 13:04:05"));

        panel.setLastError("10.0.0.9: timeout: no answer after 2 tries");
        panel.setStale(true);
        QVERIFY(panel.isStale());
        QCOMPARE(panel.lastErrorText(), QString("10.0.0.9: timeout: no answer after 2 tries"));
        QLabel* error = nullptr;
        for (QLabel* label : panel.findChildren<QLabel*>()) {
            if (label->text() == panel.lastErrorText()) {
                error = label;
            }
        }
        QVERIFY(error != nullptr && error->isVisible());
        const QImage picture = error->grab().toImage();
        bool red = false;
        for (int x = 0; x < picture.width() && !red; ++x) {
            for (int y = 0; y < picture.height() && !red; ++y) {
                const QColor c = picture.pixelColor(x, y);
                red = c.red() > 120 && c.green() < 60 && c.blue() < 80;
            }
        }
        QVERIFY2(red, "an error is shown in red");

        panel.setStale(false);
        panel.setLastError("");
        QVERIFY(!panel.isStale());
        QCOMPARE(panel.lastErrorText(), QString());
        QVERIFY(!error->isVisible());
    }

    void anAgentsTextIsNeverMarkupNorSeveralLines() {
        StatusPanel panel;
        panel.setLastError("<b>agent</b>\nsecond line");
        QCOMPARE(panel.lastErrorText(), QString("<b>agent</b>\\nsecond line"));
    }
};

}  // namespace gui

QTEST_MAIN(gui::StatusPanelTest)
#include "status_panel_qtest.moc"
