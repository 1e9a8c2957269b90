// How long the Channeling page takes to show a slot with 254 channels (a generated
// scenario, in process): from the completion of its second table read to a filled list
// (records joined, rows added and sorted), and to the page's text dump. Prints the figures
// of each run and their median; exits 1 when the list is incomplete.
//
//     channeling_fill_bench [runs]        (default 21)

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "config/enet_channeling_page.h"
#include "framework/afx/event_loop.h"
#include "framework/afx/text_renderer.h"
#include "framework/afx/ui_driver.h"
#include "framework/mib/in_process_transport.h"
#include "framework/mib/mib_agent.h"
#include "framework/sw/nx_chassis_info.h"
#include "framework/sw/sw_property_sheet.h"
#include "resources/channeling_ids.h"
#include "sim/scenario_generator.h"
#include "sim/simulated_switch.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kChannels = 254;
// The page opens its primary request first: its secondary request is handle 2 of its
// component, and the first completion of handle 2 is the end of the read.
constexpr const char* kSecondaryReadDone = "OnRequestDone(2)";

double msBetween(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double, std::milli>(to - from).count();
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 21;
    afx::EventLoop& loop = afx::EventLoop::instance();
    loop.useVirtualClock(true);

    sim::GeneratorOptions options;
    options.slots = 1;
    options.portsPerSlot = 255;
    options.channels = kChannels;
    options.expander = false;
    std::unique_ptr<sim::SimulatedSwitch> sw =
        sim::SimulatedSwitch::fromScenario(sim::generateScenario(options));
    sw->setClock([&loop] { return loop.now(); });
    CMibAgent agent;
    agent.SetEventLoop(&loop);
    agent.SetAgentName("generated-switch");
    agent.SetTransport(std::make_shared<mib::InProcessTransport>(*sw, loop));
    afx::OperatorDriver driver;

    const auto contents = sw->read("chasNorixContents", {0});
    CNxChassisInfo chassis;
    if (!contents || !chassis.LoadContents(reinterpret_cast<const BYTE*>(contents->octets.data()),
                                           static_cast<int>(contents->octets.size()))) {
        std::fprintf(stderr, "channeling_fill_bench: the chassis description does not load\n");
        return 1;
    }

    std::vector<double> fills;
    std::vector<double> dumps;
    std::printf("Channeling page, slot 1 with %d channels (generated, in process)\n", kChannels);
    std::printf("%4s %12s %12s %12s\n", "run", "read (ms)", "fill (ms)", "+dump (ms)");
    for (int run = 1; run <= runs; ++run) {
        Clock::time_point readDone{};
        agent.GetTrace().setSink([&readDone](const std::string& line) {
            if (readDone == Clock::time_point{} && line == kSecondaryReadDone) {
                readDone = Clock::now();
            }
        });
        CSwPropertySheet sheet("Ethernet Slot:1 Port:1", 0, nullptr, 0);
        sheet.SetSelection(1, 1, {{1, 1}}, "10.0.0.1", nullptr);
        auto* page = new CEnetChannelingPage;
        sheet.AddPage(page);
        sheet.SetChassisInfoObject(&chassis);
        sheet.SetAgent(&agent);

        const Clock::time_point start = Clock::now();
        sheet.ActivateSheet();
        loop.runUntilIdle();
        const Clock::time_point filled = Clock::now();
        const std::string dump = afx::renderWindow(sheet.GetSafeHwnd());
        const Clock::time_point dumped = Clock::now();
        agent.GetTrace().setSink(nullptr);

        const HWND list = afx::windows().childById(page->GetSafeHwnd(), IDC_CHANNELING_LIST);
        const std::size_t rows = list ? afx::windows().find(list)->rows.size() : 0;
        if (readDone == Clock::time_point{} || rows != static_cast<std::size_t>(kChannels) ||
            dump.empty()) {
            std::fprintf(stderr, "channeling_fill_bench: run %d listed %zu channels of %d\n", run,
                         rows, kChannels);
            return 1;
        }
        fills.push_back(msBetween(readDone, filled));
        dumps.push_back(msBetween(readDone, dumped));
        std::printf("%4d %12.2f %12.2f %12.2f\n", run, msBetween(start, readDone), fills.back(),
                    dumps.back());
    }
    std::printf("median: fill %.2f ms, fill and dump %.2f ms after the read (budget 20 ms)\n",
                median(fills), median(dumps));
    agent.SetTransport(nullptr);
    loop.runUntilIdle();
    return 0;
}
