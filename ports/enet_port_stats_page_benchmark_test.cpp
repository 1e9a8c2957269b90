// How long the Statistics table view takes from activation to a filled list with 1,000
// selected ports, in process. Prints the figure; fails only if the list is incomplete.

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

TEST(StatsPageBenchmark, TableViewOfAThousandPortsFromActivationToFilledList) {
    afx::EventLoop& loop = afx::EventLoop::instance();
    const bool wasVirtual = loop.isVirtualClock();
    loop.useVirtualClock(true);

    sim::GeneratorOptions options;
    options.slots = kSlots;
    options.portsPerSlot = kPortsPerSlot;
    options.expander = false;
    std::unique_ptr<sim::SimulatedSwitch> sw =
        sim::SimulatedSwitch::fromScenario(sim::generateScenario(options));
    sw->setClock([&loop] { return loop.now(); });
    CMibAgent agent;
    agent.SetEventLoop(&loop);
    agent.SetAgentName("scaled-switch");
    agent.SetTransport(std::make_shared<mib::InProcessTransport>(*sw, loop));
    afx::OperatorDriver driver;
    driver.setFailureHandler([](const std::string& why) { ADD_FAILURE() << why; });

    std::vector<sw::SlotPort> selected;
    for (int slot = 1; slot <= kSlots && static_cast<int>(selected.size()) < kSelectedPorts;
         ++slot) {
        for (int port = 1;
             port <= kPortsPerSlot && static_cast<int>(selected.size()) < kSelectedPorts; ++port) {
            selected.push_back({slot, port});
        }
    }
    {
        CSwPropertySheet sheet("Ethernet Slot:1 Port:1", 0, nullptr, 0);
        sheet.SetSelection(1, 1, selected, "10.0.0.1", nullptr);
        auto* page = new CEnetPortStatsPage;
        sheet.AddPage(page);
        sheet.SetAgent(&agent);

        const auto start = std::chrono::steady_clock::now();
        sheet.ActivateSheet();
        loop.runUntilIdle();
        const auto end = std::chrono::steady_clock::now();

        const HWND list = afx::windows().childById(page->GetSafeHwnd(), IDC_STATS_LIST);
        ASSERT_NE(list, nullptr);
        EXPECT_EQ(afx::windows().find(list)->rows.size(), static_cast<std::size_t>(kSelectedPorts));
        const double ms = std::chrono::duration<double, std::milli>(end - start).count();
        std::printf(
            "Statistics table view, %d selected ports: %.1f ms from activation to filled "
            "list\n",
            kSelectedPorts, ms);
    }
    agent.SetTransport(nullptr);
    loop.runUntilIdle();
    loop.useVirtualClock(wasVirtual);
}

}  // namespace
