#include "console/gui/screenshot_tour.h"

#include <QtGui/QPixmap>
#include <QtWidgets/QWidget>
#include <algorithm>
#include <cctype>
#include <filesystem>
#include <functional>
#include <ostream>

#include "console/gui/chassis_view.h"
#include "console/gui/counter_graph.h"
#include "console/gui/main_window.h"
#include "console/gui/ui_wait.h"
#include "framework/afx/controls.h"
#include "framework/afx/ui_driver.h"
#include "framework/mib/transport.h"
#include "framework/qt/presenter.h"

namespace gui {

namespace {

constexpr int kReadTimeoutMs = 15000;
constexpr int kStatisticsList = 1205;  // the Statistics page's list

std::string slug(const std::string& caption) {
    std::string out;
    for (const unsigned char c : caption) {
        if (std::isalnum(c)) {
            out += static_cast<char>(std::tolower(c));
        } else if (!out.empty() && out.back() != '-' && c != '&') {
            out += '-';
        }
    }
    while (!out.empty() && out.back() == '-') {
        out.pop_back();
    }
    return out;
}

class Tour {
public:
    Tour(MainWindow& window, afxqt::Presenter& presenter, std::filesystem::path dir,
         std::ostream& err)
        : m_window(window), m_presenter(presenter), m_dir(std::move(dir)), m_err(err) {}

    bool run() {
        std::error_code ec;
        std::filesystem::create_directories(m_dir, ec);
        if (ec) {
            return fail("cannot create " + m_dir.string() + ": " + ec.message());
        }
        m_window.resize(1000, 680);
        m_window.show();
        if (!waitUntil([this] { return !m_window.chassisView()->ports().empty(); },
                       kReadTimeoutMs)) {
            return fail("the chassis was not read");
        }
        m_window.chassisView()->setSelection({{1, 1}, {1, 2}, {1, 3}});
        settle();
        if (!save(&m_window, "main-window")) {
            return false;
        }
        if (!pagesOf({1, 1}, {{1, 1}, {1, 2}, {1, 3}}, "ethernet")) {
            return false;
        }
        for (const PortTile& tile : m_window.chassisView()->ports()) {
            if (tile.expander) {
                if (!pagesOf(tile.where, {tile.where}, "expander")) {
                    return false;
                }
                break;
            }
        }
        return graph();
    }

private:
    bool fail(const std::string& why) {
        m_err << "swconsole-gui: screenshots: " << why << "\n";
        return false;
    }

    // The agent has nothing outstanding and the window has shown what came.
    void settle() {
        mib::Transport* transport = m_window.session().agent()->GetTransport();
        int quiet = 0;
        waitUntil(
            [&] {
                quiet = transport->pendingCount() == 0 ? quiet + 1 : 0;
                return quiet >= 10;
            },
            kReadTimeoutMs);
        m_presenter.flush();
        waitFor(50);
    }

    bool save(QWidget* widget, const std::string& name) {
        const auto path = m_dir / (name + ".png");
        if (widget == nullptr || !widget->grab().save(QString::fromStdString(path.string()))) {
            return fail("cannot write " + path.string());
        }
        m_err << "wrote " << path.string() << "\n";
        return true;
    }

    CSwPropertySheet* open(const SlotPort& port, const std::vector<SlotPort>& selection) {
        if (!m_window.openProperties(port, selection)) {
            return nullptr;
        }
        for (CSwPropertySheet* sheet : m_window.session().sheets()->sheets()) {
            if (sheet->m_slot == port.slot && sheet->m_port == port.port) {
                return sheet;
            }
        }
        return nullptr;
    }

    bool pagesOf(const SlotPort& port, const std::vector<SlotPort>& selection,
                 const std::string& prefix) {
        CSwPropertySheet* sheet = open(port, selection);
        if (sheet == nullptr) {
            return fail("cannot open the sheet of port " + std::to_string(port.slot) + "/" +
                        std::to_string(port.port));
        }
        const HWND hwnd = sheet->GetSafeHwnd();
        const std::vector<std::string> tabs = afx::windows().find(hwnd)->tabs;
        for (std::size_t i = 0; i < tabs.size(); ++i) {
            if (!afx::operatorActivateTab(hwnd, static_cast<int>(i))) {
                return fail("the page " + tabs[i] + " could not be shown");
            }
            settle();
            if (!save(m_presenter.widgetOf(hwnd), prefix + "-" + slug(tabs[i]))) {
                return false;
            }
        }
        return true;
    }

    // Two counters of port 1/1 dragged from the Statistics item view onto the window.
    bool graph() {
        CSwPropertySheet* sheet = open({1, 1}, {{1, 1}, {1, 2}, {1, 3}});
        if (sheet == nullptr) {
            return fail("cannot open the sheet of port 1/1");
        }
        m_window.session().agent()->SetPollingPeriod(1000);
        std::vector<std::string> drags(2);
        {
            afx::OperatorDriver op;
            op.setRoot(sheet->GetSafeHwnd());
            const afx::ControlRef list = afx::ControlRef::withId(kStatisticsList);
            const std::vector<std::function<afx::StepResult()>> steps = {
                [&] { return op.activatePage("Statistics"); },
                [&] { return op.click("Ethernet Stats"); },
                [&] { return op.selectRows(list, {0}); },
                [&] { return op.click("Item View"); },
                [&] { return op.drag(list, 2, &drags[0]); },
                [&] { return op.drag(list, 3, &drags[1]); },
            };
            for (const auto& step : steps) {
                settle();
                if (const afx::StepResult done = step(); !done) {
                    return fail("cannot drag counters from the Statistics page: " + done.message);
                }
            }
        }
        for (const std::string& drag : drags) {
            QString error;
            if (!m_window.addCounter(QString::fromStdString(drag), &error)) {
                return fail("the graph refused a counter: " + error.toStdString());
            }
        }
        waitFor(5500);
        m_presenter.flush();
        return save(m_window.graphWindow(), "counter-graph");
    }

    MainWindow& m_window;
    afxqt::Presenter& m_presenter;
    std::filesystem::path m_dir;
    std::ostream& m_err;
};

}  // namespace

int renderScreenshots(MainWindow& window, afxqt::Presenter& presenter, const std::string& dir,
                      std::ostream& err) {
    Tour tour(window, presenter, dir, err);
    return tour.run() ? 0 : 1;
}

}  // namespace gui
