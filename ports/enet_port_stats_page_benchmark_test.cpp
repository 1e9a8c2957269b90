// The Statistics table view with 1,000 selected ports, in process: how long it takes from
// activation to a filled list (printed; fails only if the list is incomplete), and how
// many change notices a presenter hears per fill.

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <vector>

#include "framework/afx/event_loop.h"
#include "framework/afx/ui_driver.h"
#include "framework/mib/in_process_transport.h"
#include "framework/mib/mib_agent.h"
#include "framework/sw/sw_property_sheet.h"
#include "ports/enet_port_stats_page.h"
#include "resources/port_view_ids.h"
#include "sim/scenario_generator.h"
#include "sim/simulated_switch.h"

namespace {

constexpr int kSlots = 42;
constexpr int kPortsPerSlot = 24;
constexpr int kSelectedPorts = 1000;

// The event loop on its virtual clock, a generated switch of kSlots x kPortsPerSlot ports
// behind the in-process transport, and a sheet with the Statistics page and the first
// kSelectedPorts ports selected (not yet activated).
class ThousandPortSheet {
public:
    ThousandPortSheet() : m_wasVirtual(m_loop.isVirtualClock()) {
        m_loop.useVirtualClock(true);
        sim::GeneratorOptions options;
        options.slots = kSlots;
        options.portsPerSlot = kPortsPerSlot;
        options.expander = false;
        m_switch = sim::SimulatedSwitch::fromScenario(sim::generateScenario(options));
        m_switch->setClock([this] { return m_loop.now(); });
        m_agent.SetEventLoop(&m_loop);
        m_agent.SetAgentName("scaled-switch");
        m_agent.SetTransport(std::make_shared<mib::InProcessTransport>(*m_switch, m_loop));
        m_driver.setFailureHandler([](const std::string& why) { ADD_FAILURE() << why; });

        std::vector<sw::SlotPort> selected;
        for (int slot = 1; slot <= kSlots && static_cast<int>(selected.size()) < kSelectedPorts;
             ++slot) {
            for (int port = 1;
                 port <= kPortsPerSlot && static_cast<int>(selected.size()) < kSelectedPorts;
                 ++port) {
                selected.push_back({slot, port});
            }
        }
        m_sheet = std::make_unique<CSwPropertySheet>("Ethernet Slot:1 Port:1", 0, nullptr, 0);
        m_sheet->SetSelection(1, 1, selected, "10.0.0.1", nullptr);
        m_page = new CEnetPortStatsPage;
        m_sheet->AddPage(m_page);
        m_sheet->SetAgent(&m_agent);
    }
    ~ThousandPortSheet() {
        m_sheet.reset();
        m_agent.SetTransport(nullptr);
        m_loop.runUntilIdle();
        m_loop.useVirtualClock(m_wasVirtual);
    }
    ThousandPortSheet(const ThousandPortSheet&) = delete;
    ThousandPortSheet& operator=(const ThousandPortSheet&) = delete;

    afx::EventLoop& loop() { return m_loop; }
    CSwPropertySheet& sheet() { return *m_sheet; }
    HWND list() const { return afx::windows().childById(m_page->GetSafeHwnd(), IDC_STATS_LIST); }
    long pollingPeriodMs() const { return m_agent.GetPollingPeriod(); }

private:
    afx::EventLoop& m_loop = afx::EventLoop::instance();
    bool m_wasVirtual;
    std::unique_ptr<sim::SimulatedSwitch> m_switch;
    CMibAgent m_agent;
    afx::OperatorDriver m_driver;
    std::unique_ptr<CSwPropertySheet> m_sheet;
    CEnetPortStatsPage* m_page = nullptr;
};

TEST(StatsPageBenchmark, TableViewOfAThousandPortsFromActivationToFilledList) {
    ThousandPortSheet f;
    const auto start = std::chrono::steady_clock::now();
    f.sheet().ActivateSheet();
    f.loop().runUntilIdle();
    const auto end = std::chrono::steady_clock::now();

    const HWND list = f.list();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(afx::windows().find(list)->rows.size(), static_cast<std::size_t>(kSelectedPorts));
    const double ms = std::chrono::duration<double, std::milli>(end - start).count();
    std::printf(
        "Statistics table view, %d selected ports: %.1f ms from activation to filled "
        "list\n",
        kSelectedPorts, ms);
}

// Counts the notices about one window that a presenter hears, and those a probe hears.
class NoticeCounter : public afx::WindowObserver {
public:
    explicit NoticeCounter(bool batches) : m_batches(batches) { afx::windows().addObserver(this); }
    ~NoticeCounter() override { afx::windows().removeObserver(this); }
    NoticeCounter(const NoticeCounter&) = delete;
    NoticeCounter& operator=(const NoticeCounter&) = delete;

    void watch(HWND window) { m_window = window; }
    bool takesBatches() const override { return m_batches; }
    void recordChanged(HWND hwnd, const afx::ChangeNotice& notice) override {
        if (hwnd == m_window) {
            notices.push_back(notice);
        }
    }
    std::vector<afx::ChangeNotice> notices;

private:
    bool m_batches;
    HWND m_window = nullptr;
};

TEST(StatsPageBatching, AThousandRowFillIsOneNoticeToAPresenterOnActivationAndEveryPoll) {
    ThousandPortSheet f;
    NoticeCounter presenter(true);
    NoticeCounter probe(false);
    f.sheet().ActivateSheet();  // the page and its list exist; the reads are under way
    ASSERT_NE(f.list(), nullptr);
    presenter.watch(f.list());
    probe.watch(f.list());
    f.loop().runUntilIdle();
    ASSERT_EQ(afx::windows().find(f.list())->rows.size(), static_cast<std::size_t>(kSelectedPorts));
    ASSERT_EQ(presenter.notices.size(), 1u);
    const afx::ChangeNotice& fill = presenter.notices.front();
    EXPECT_TRUE(fill.batched());
    EXPECT_TRUE(fill.covers(afx::Change::Rows));
    EXPECT_TRUE(fill.covers(afx::Change::Columns));
    std::printf("a fill of %d rows: %zu notice(s) to a presenter, %zu unbatched\n", kSelectedPorts,
                presenter.notices.size(), probe.notices.size());
    EXPECT_GT(probe.notices.size(), static_cast<std::size_t>(kSelectedPorts));

    for (int poll = 1; poll <= 2; ++poll) {
        f.loop().advance(f.pollingPeriodMs());
        f.loop().runUntilIdle();
        EXPECT_EQ(presenter.notices.size(), 1u + static_cast<std::size_t>(poll)) << "poll " << poll;
    }
    EXPECT_EQ(afx::windows().find(f.list())->rows.size(), static_cast<std::size_t>(kSelectedPorts));
}

}  // namespace
