// The desktop window on a generated chassis of 1,000 Ethernet ports (10 slots of 100), all
// selected, the Statistics page shown and polling every second. Over BENCH_SECONDS (60 by
// default) it measures the longest stall of Qt's event loop (how late a 5 ms timer fires
// at worst) and, for every polled reading, the time from the arrival of its last answer to
// the end of the list's next paint.
// Run offscreen: QT_QPA_PLATFORM=offscreen <build>/bench/gui/gui_stall_bench

// The scenario is made before any Qt header is read: it has a member named "slots", which
// Qt takes for a keyword.
#include <string>

#include "sim/scenario_generator.h"
#include "sim/scenario_json.h"

namespace {

constexpr int kSlots = 10;
constexpr int kPortsPerSlot = 100;

std::string thousandPortScenario() {
    sim::GeneratorOptions generated;
    generated.slots = kSlots;
    generated.portsPerSlot = kPortsPerSlot;
    generated.expander = false;
    return sim::scenarioToJson(sim::generateScenario(generated));
}

}  // namespace

#include <unistd.h>

#include <QtCore/QElapsedTimer>
#include <QtCore/QTimer>
#include <QtGui/QPaintEvent>
#include <QtWidgets/QAbstractItemView>
#include <QtWidgets/QApplication>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <vector>

#include "bench/support/counting_transport.h"
#include "console/gui/chassis_view.h"
#include "console/gui/gui_session.h"
#include "console/gui/main_window.h"
#include "console/gui/ui_wait.h"
#include "framework/afx/window.h"
#include "framework/qt/presenter.h"
#include "framework/qt/qt_event_loop_backend.h"
#include "framework/qt/qt_ui_driver.h"

namespace {

constexpr int kTickMs = 5;

// Hears a list's rows change as it happens (not batched), and times its viewport's paints.
class ListTiming : public QObject, public afx::WindowObserver {
public:
    ListTiming(HWND list, QWidget* viewport, const bench::CountingTransport& transport)
        : m_list(list), m_viewport(viewport), m_transport(transport) {
        afx::windows().addObserver(this);
        viewport->installEventFilter(this);
    }
    ~ListTiming() override { afx::windows().removeObserver(this); }

    void recordChanged(HWND hwnd, const afx::ChangeNotice& notice) override {
        // The page fills the list from inside the callback of the walk's last answer.
        if (hwnd == m_list && notice.covers(afx::Change::Rows) && !m_arrived) {
            m_arrived = m_transport.lastAnswer;
        }
    }
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != m_viewport || event->type() != QEvent::Paint || !m_arrived) {
            return false;
        }
        // Paint now, so the figure ends when the list is painted.
        m_viewport->removeEventFilter(this);
        QCoreApplication::sendEvent(m_viewport, event);
        m_viewport->installEventFilter(this);
        m_samplesMs.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - *m_arrived)
                .count());
        m_arrived.reset();
        return true;
    }
    const std::vector<double>& samplesMs() const { return m_samplesMs; }

private:
    HWND m_list;
    QWidget* m_viewport;
    const bench::CountingTransport& m_transport;
    std::optional<std::chrono::steady_clock::time_point> m_arrived;
    std::vector<double> m_samplesMs;
};

HWND findListView(HWND root) {
    const afx::WindowRecord* record = afx::windows().find(root);
    if (record == nullptr || !record->visible) {
        return nullptr;
    }
    if (record->cls == afx::WindowClass::ListView && record->rows.size() >= 1000) {
        return root;
    }
    for (HWND child : record->children) {
        if (HWND found = findListView(child)) {
            return found;
        }
    }
    return nullptr;
}

double percentile(std::vector<double> v, double p) {
    if (v.empty()) {
        return 0;
    }
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, static_cast<std::size_t>(p * static_cast<double>(v.size())))];
}

}  // namespace

int main(int argc, char** argv) {
    const char* seconds = std::getenv("BENCH_SECONDS");
    const int runSeconds = seconds != nullptr ? std::max(1, std::atoi(seconds)) : 60;
    QApplication app(argc, argv);
    afxqt::QtEventLoopBackend backend;
    afxqt::Presenter presenter;
    afxqt::QtUiDriver driver(&presenter);

    const auto scenario = std::filesystem::temp_directory_path() /
                          ("gui_stall_bench_" + std::to_string(::getpid()) + ".json");
    std::ofstream(scenario) << thousandPortScenario();

    gui::GuiSession session(SW_TORVIK_BUILD_PATH, "");
    gui::GuiOptions options;
    gui::MainWindow window(options, session);
    presenter.setMainWindow(&window);
    console::AgentChoice choice;
    choice.scenarioPath = scenario.string();
    std::string error;
    const bool connected = window.connectTo(choice, &error);
    std::filesystem::remove(scenario);
    if (!connected) {
        std::cerr << "gui_stall_bench: " << error << "\n";
        return 1;
    }
    session.agent()->SetPollingPeriod(1000);
    window.resize(1000, 700);
    window.show();
    if (!gui::waitUntil([&] { return window.chassisView()->ports().size() >= 1000; }, 30000)) {
        std::cerr << "gui_stall_bench: the chassis was not read\n";
        return 1;
    }
    std::vector<console::SlotPort> all;
    for (const auto& tile : window.chassisView()->ports()) {
        all.push_back(tile.where);
    }
    all.resize(1000);
    // Not owned: the session keeps the switch's transport.
    auto counting = std::make_shared<bench::CountingTransport>(std::shared_ptr<mib::Transport>(
        std::shared_ptr<mib::Transport>(), session.agent()->GetTransport()));
    session.agent()->SetTransport(counting);
    if (!window.openProperties(all.front(), all)) {
        return 1;
    }
    CSwPropertySheet* sheet = session.sheets()->sheets().front();
    const HWND sheetHwnd = sheet->GetSafeHwnd();
    const auto& tabs = afx::windows().find(sheetHwnd)->tabs;
    const auto stats = std::find(tabs.begin(), tabs.end(), "Statistics");
    if (stats == tabs.end() ||
        !afx::operatorActivateTab(sheetHwnd, static_cast<int>(stats - tabs.begin()))) {
        std::cerr << "gui_stall_bench: no Statistics page\n";
        return 1;
    }
    HWND list = nullptr;
    gui::waitUntil([&] { return (list = findListView(sheetHwnd)) != nullptr; }, 30000);
    auto* view = qobject_cast<QAbstractItemView*>(presenter.widgetOf(list));
    if (list == nullptr || view == nullptr) {
        std::cerr << "gui_stall_bench: the Statistics list did not fill with 1,000 rows\n";
        return 1;
    }
    ListTiming timing(list, view->viewport(), *counting);

    QElapsedTimer clock;
    clock.start();
    qint64 last = clock.nsecsElapsed();
    double worstStallMs = 0;
    QTimer tick;
    tick.setTimerType(Qt::PreciseTimer);
    QObject::connect(&tick, &QTimer::timeout, [&] {
        const qint64 now = clock.nsecsElapsed();
        worstStallMs = std::max(worstStallMs, (now - last) / 1e6 - kTickMs);
        last = now;
    });
    tick.start(kTickMs);
    gui::waitFor(runSeconds * 1000);
    tick.stop();

    const auto& samples = timing.samplesMs();
    std::printf("gui_stall_bench: 1,000 ports on the Statistics page polling every 1 s, %d s\n",
                runSeconds);
    std::printf("  longest event-loop stall:        %8.1f ms\n", worstStallMs);
    std::printf("  readings painted:                %8zu\n", samples.size());
    std::printf("  arrival to painted list, median: %8.1f ms\n", percentile(samples, 0.5));
    std::printf("  arrival to painted list, p95:    %8.1f ms\n", percentile(samples, 0.95));
    std::printf("  arrival to painted list, worst:  %8.1f ms\n", percentile(samples, 1.0));
    return samples.empty() ? 1 : 0;
}
