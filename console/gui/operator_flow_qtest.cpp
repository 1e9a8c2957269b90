// The window as an operator uses it, on the embedded demo switch: ports chosen on the
// chassis view with the mouse, their sheet opened, a change typed and applied through the
// widgets, found on the switch and in the list; a refused change; sorting on a heading;
// a counter dragged from the Statistics page onto the window; no display at all.
//
// The simulated switch comes before any Qt header: its scenario has a member named "slots".
#include "sim/simulated_switch.h"
//
#include <QtCore/QMimeData>
#include <QtCore/QProcess>
#include <QtCore/QTimer>
#include <QtGui/QDropEvent>
#include <QtTest/QtTest>
#include <QtWidgets/QAbstractItemView>
#include <QtWidgets/QApplication>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QHeaderView>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QMessageBox>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QTabBar>
#include <memory>

#include "console/gui/chassis_view.h"
#include "console/gui/counter_graph.h"
#include "console/gui/gui_icons.h"
#include "console/gui/gui_session.h"
#include "console/gui/main_window.h"
#include "console/gui/ui_wait.h"
#include "framework/afx/control_layout.h"
#include "framework/afx/controls.h"
#include "framework/mib/transport.h"
#include "framework/qt/presenter.h"
#include "framework/qt/qt_event_loop_backend.h"
#include "framework/qt/qt_ui_driver.h"

namespace {

constexpr int kWaitMs = 10000;

// The control a person calls label in root or the dialogs inside it (visible ones only).
HWND controlLabelled(HWND root, const std::string& label) {
    const afx::ControlLayout layout(root);
    for (HWND child : layout.visibleChildren()) {
        if (!layout.isLabel(child) && afx::normalizeLabel(layout.nameOf(child)) == label) {
            return child;
        }
        if (const afx::WindowRecord* record = afx::windows().find(child);
            record != nullptr && afx::isContainer(*record)) {
            if (HWND found = controlLabelled(child, label)) {
                return found;
            }
        }
    }
    return nullptr;
}

// The first visible list view under root.
HWND firstListView(HWND root) {
    const afx::WindowRecord* record = afx::windows().find(root);
    if (record == nullptr || !record->visible) {
        return nullptr;
    }
    if (record->cls == afx::WindowClass::ListView) {
        return root;
    }
    for (HWND child : record->children) {
        if (HWND found = firstListView(child)) {
            return found;
        }
    }
    return nullptr;
}

}  // namespace

class OperatorFlowTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<afxqt::QtEventLoopBackend> m_backend;
    std::unique_ptr<afxqt::Presenter> m_presenter;
    std::unique_ptr<afxqt::QtUiDriver> m_driver;
    std::unique_ptr<gui::GuiSession> m_session;
    std::unique_ptr<gui::MainWindow> m_window;

    gui::ChassisView& view() { return *m_window->chassisView(); }

    void settle() {
        mib::Transport* transport = m_session->agent()->GetTransport();
        int quiet = 0;
        gui::waitUntil([&] { return (quiet = transport->pendingCount() == 0 ? quiet + 1 : 0) > 5; },
                       kWaitMs);
        m_presenter->flush();
    }

    template <typename W>
    W* widgetLabelled(HWND root, const std::string& label) {
        const HWND hwnd = controlLabelled(root, label);
        return hwnd == nullptr ? nullptr : qobject_cast<W*>(m_presenter->widgetOf(hwnd));
    }

    void clickTile(const gui::SlotPort& port, Qt::KeyboardModifiers modifiers = {}) {
        QTest::mouseClick(view().viewport(), Qt::LeftButton, modifiers,
                          view().tileRect(port).center());
    }

    // Opens the sheet of 1/2 with 1/1..1/3 selected, by mouse, and shows its Status page.
    HWND openStatusPage() {
        clickTile({1, 1});
        clickTile({1, 2}, Qt::ControlModifier);
        clickTile({1, 3}, Qt::ControlModifier);
        [&] { QCOMPARE(view().selection().size(), std::size_t{3}); }();
        QTest::mouseDClick(view().viewport(), Qt::LeftButton, Qt::ControlModifier,
                           view().tileRect({1, 2}).center());
        settle();
        if (m_session->sheets()->sheets().size() != 1) {
            return nullptr;
        }
        const HWND sheet = m_session->sheets()->sheets().front()->GetSafeHwnd();
        QWidget* window = m_presenter->widgetOf(sheet);
        auto* tabs = window != nullptr ? window->findChild<QTabBar*>() : nullptr;
        if (tabs == nullptr) {
            return nullptr;
        }
        for (int i = 0; i < tabs->count(); ++i) {
            if (tabs->tabText(i).remove('&') == "Status") {
                QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(i).center());
            }
        }
        settle();
        return sheet;
    }

    QAbstractItemView* portList(HWND sheet) {
        return qobject_cast<QAbstractItemView*>(m_presenter->widgetOf(firstListView(sheet)));
    }

    QString cell(QAbstractItemView* list, int row, const QString& heading) {
        QAbstractItemModel* model = list->model();
        for (int c = 0; c < model->columnCount(); ++c) {
            if (model->headerData(c, Qt::Horizontal).toString() == heading) {
                return model->index(row, c).data().toString();
            }
        }
        return "(no column " + heading + ")";
    }

    void clickRow(QAbstractItemView* list, int row) {
        const QRect rect = list->visualRect(list->model()->index(row, 0));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
        settle();
    }

    void typeInto(QLineEdit* edit, const QString& text) {
        edit->setFocus();
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(edit, text);
    }

    // Moves the combo with the keyboard, as a person does, to the entry reading text.
    void chooseByKeys(QComboBox* combo, const QString& text) {
        combo->setFocus();
        QTest::keyClick(combo, Qt::Key_Home);
        for (int i = 0; i < combo->count() && combo->currentText() != text; ++i) {
            QTest::keyClick(combo, Qt::Key_Down);
        }
    }

    QPushButton* button(HWND sheet, const QString& caption) {
        for (auto* b : m_presenter->widgetOf(sheet)->findChildren<QPushButton*>()) {
            if (b->text().remove('&') == caption && b->isVisible()) {
                return b;
            }
        }
        return nullptr;
    }

private slots:
    void init() {
        m_backend = std::make_unique<afxqt::QtEventLoopBackend>();
        m_presenter = std::make_unique<afxqt::Presenter>();
        m_presenter->setIconProvider([](int, int image) { return gui::defaultIcon(image); });
        m_driver = std::make_unique<afxqt::QtUiDriver>(m_presenter.get());
        m_session = std::make_unique<gui::GuiSession>(SW_TORVIK_BUILD_PATH, "");
        gui::GuiOptions options;
        options.journal.none = true;
        m_window = std::make_unique<gui::MainWindow>(options, *m_session);
        m_presenter->setMainWindow(m_window.get());
        std::string error;
        QVERIFY2(m_window->connectTo({}, &error), error.c_str());
        m_window->resize(900, 600);
        m_window->show();
        QVERIFY(gui::waitUntil([&] { return !view().ports().empty(); }, kWaitMs));
        view().setStale(false);
    }

    void cleanup() {
        m_window.reset();
        m_session.reset();
        m_driver.reset();
        m_presenter.reset();
        m_backend.reset();
    }

    void aStatusChangeReachesTheSwitchAndTheList() {
        const HWND sheet = openStatusPage();
        QVERIFY(sheet != nullptr);
        QAbstractItemView* list = portList(sheet);
        QVERIFY(list != nullptr);
        QCOMPARE(list->model()->rowCount(), 3);
        clickRow(list, 1);
        auto* description = widgetLabelled<QLineEdit>(sheet, "Description");
        auto* admin = widgetLabelled<QComboBox>(sheet, "Admin Status");
        QVERIFY(description != nullptr && admin != nullptr);
        QCOMPARE(description->text(), QString("Port 1/2"));

        typeInto(description, "Lab printer");
        chooseByKeys(admin, "disabled");
        settle();
        QPushButton* apply = button(sheet, "Apply");

        QVERIFY(apply != nullptr && apply->isEnabled());
        QTest::mouseClick(apply, Qt::LeftButton);
        settle();

        sim::SimulatedSwitch& sw = *m_session->simulated();
        QTRY_COMPARE_WITH_TIMEOUT(sw.read("phyPortAdmStatus", {1, 2})->integer, std::int64_t{2},
                                  kWaitMs);
        QCOMPARE(QString::fromStdString(sw.read("phyPortDescription", {1, 2})->octets),
                 QString("Lab printer"));
        QTRY_COMPARE_WITH_TIMEOUT(cell(list, 1, "Description"), QString("Lab printer"), kWaitMs);
        QCOMPARE(cell(list, 1, "AdminStatus"), QString("disabled"));
        QVERIFY(!apply->isEnabled());
    }

    void aRefusedChangeShowsItsBoxAndKeepsApplyEnabled() {
        const HWND sheet = openStatusPage();
        QVERIFY(sheet != nullptr);
        QAbstractItemView* list = portList(sheet);
        QVERIFY(list != nullptr);
        clickRow(list, 1);
        typeInto(widgetLabelled<QLineEdit>(sheet, "Description"), "Refused");
        m_session->simulated()->failNextSet(mib::ErrorStatus::NoAccess);
        settle();

        QString shown;
        QTimer answerer;
        connect(&answerer, &QTimer::timeout, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                shown = box->windowTitle() + ": " + box->text();
                QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
            }
        });
        answerer.start(20);
        QPushButton* apply = button(sheet, "Apply");
        QTest::mouseClick(apply, Qt::LeftButton);
        QVERIFY(gui::waitUntil([&] { return !shown.isEmpty(); }, kWaitMs));
        answerer.stop();
        settle();
        QVERIFY2(shown.startsWith("Error: "), qPrintable(shown));
        QVERIFY(apply->isEnabled());
        QCOMPARE(QString::fromStdString(
                     m_session->simulated()->read("phyPortDescription", {1, 2})->octets),
                 QString("Port 1/2"));
    }

    // The page sorts its rows itself; the view shows them in the order the page keeps.
    void aHeadingClickSortsTheList() {
        const HWND sheet = openStatusPage();
        QVERIFY(sheet != nullptr);
        QAbstractItemView* list = portList(sheet);
        QVERIFY(list != nullptr);
        QHeaderView* header = nullptr;
        for (auto* h : list->findChildren<QHeaderView*>()) {
            if (h->orientation() == Qt::Horizontal) {
                header = h;
            }
        }
        QVERIFY(header != nullptr);
        int column = -1;
        for (int c = 0; c < list->model()->columnCount(); ++c) {
            if (list->model()->headerData(c, Qt::Horizontal).toString() == "Description") {
                column = c;
            }
        }
        QVERIFY(column >= 0);
        const QPoint at(header->sectionViewportPosition(column) + 5, header->height() / 2);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
        settle();
        QStringList shown;
        for (int row = 0; row < list->model()->rowCount(); ++row) {
            shown << cell(list, row, "Description");
        }
        QStringList sorted = shown;
        std::sort(sorted.begin(), sorted.end(), [](const QString& a, const QString& b) {
            return a.compare(b, Qt::CaseInsensitive) < 0;
        });
        QCOMPARE(shown, sorted);
        QCOMPARE(shown.first(), QString("Port 1/2"));
    }

    // What a mouse drag of a Statistics item row carries, dropped onto the main window.
    void aCounterDroppedOnTheWindowIsGraphed() {
        clickTile({1, 1});
        QTest::mouseDClick(view().viewport(), Qt::LeftButton, {}, view().tileRect({1, 1}).center());
        settle();
        const HWND sheet = m_session->sheets()->sheets().front()->GetSafeHwnd();
        const auto& tabs = afx::windows().find(sheet)->tabs;
        const auto stats = std::find(tabs.begin(), tabs.end(), "Statistics");
        QVERIFY(stats != tabs.end());
        QVERIFY(afx::operatorActivateTab(sheet, static_cast<int>(stats - tabs.begin())));
        settle();
        QVERIFY(afx::operatorClick(controlLabelled(sheet, "Ethernet Stats")));
        settle();
        const HWND list = firstListView(sheet);
        QVERIFY(list != nullptr);
        QVERIFY(afx::operatorSelectRows(list, {0}));
        QVERIFY(afx::operatorClick(controlLabelled(sheet, "Item View")));
        settle();
        const afx::ActionResult drag = afx::operatorDragRow(list, 3);  // Packets
        QVERIFY(drag);

        QMimeData data;
        data.setText(QString::fromStdString(drag.text));
        const QPoint at = m_window->rect().center();
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(m_window.get(), &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(m_window.get(), &drop);
        gui::CounterGraph* graph = m_window->graphWindow();
        QVERIFY(graph != nullptr);
        QCOMPARE(graph->seriesCount(), 1);
        QCOMPARE(graph->seriesName(0), QString("Packets 1/1"));

        // A 32-bit wrap between two samples, then a reset: the right rate, and no spike.
        const int series = 0;
        const auto before = graph->ratePoints(series).size();
        const auto resetsBefore = graph->resetMarks(series).size();
        graph->addSample(series, {0.0, 4294967000u, 100});
        graph->addSample(series, {1.0, 200u, 200});
        graph->addSample(series, {2.0, 50u, 300});
        const auto points = graph->ratePoints(series);
        QVERIFY(points.size() > before);
        QCOMPARE(points.last().y(), 496.0);
        for (auto p = points.begin() + before; p != points.end(); ++p) {
            QVERIFY2(p->y() <= 496.0, "a reset drawn as a spike");
        }
        QVERIFY(graph->resetMarks(series).size() > resetsBefore);
    }

    void withoutADisplayItSaysSoAndExits2() {
        QProcess gui;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove("DISPLAY");
        env.remove("WAYLAND_DISPLAY");
        env.remove("QT_QPA_PLATFORM");
        gui.setProcessEnvironment(env);
        gui.start(SW_GUI_PATH, {});
        QVERIFY(gui.waitForFinished(kWaitMs));
        QCOMPARE(gui.exitStatus(), QProcess::NormalExit);
        QCOMPARE(gui.exitCode(), 2);
        const QString said = QString::fromLocal8Bit(gui.readAllStandardError());
        QCOMPARE(said.count('\n'), 1);
        QVERIFY2(said.startsWith("swconsole-gui: no display"), qPrintable(said));
    }
};

QTEST_MAIN(OperatorFlowTest)
#include "operator_flow_qtest.moc"
