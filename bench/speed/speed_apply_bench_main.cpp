// One change applied on the Speed/Mode page to 1,000 selected ports of a generated chassis
// (42 slots of 24 auto-negotiating ports): 100 Mb/s full duplex without auto-negotiation.
// Measures the time from Apply to the refilled list, and the request PDUs the page sent, in
// process (simulated switch, virtual clock: the last set's 3 s delay costs no time) and over
// swsimd on loopback (real clock: the delay is part of the figure, and shown apart).

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "agent/daemon_process.h"
#include "bench/support/counting_transport.h"
#include "config/enet_speed_page.h"
#include "framework/afx/event_loop.h"
#include "framework/afx/ui_driver.h"
#include "framework/mib/in_process_transport.h"
#include "framework/mib/mib_agent.h"
#include "framework/mib/netsnmp_transport.h"
#include "framework/sw/nx_chassis_info.h"
#include "framework/sw/sw_property_sheet.h"
#include "resources/speed_page_ids.h"
#include "sim/scenario_generator.h"
#include "sim/scenario_json.h"
#include "sim/simulated_switch.h"

namespace {

constexpr int kSlots = 42;
constexpr int kPortsPerSlot = 24;
constexpr int kSelectedPorts = 1000;
constexpr int kAutoType = 226;

sim::Scenario chassis() {
    sim::GeneratorOptions options;
    options.slots = kSlots;
    options.portsPerSlot = kPortsPerSlot;
    options.expander = false;
    sim::Scenario scenario = sim::generateScenario(options);
    for (sim::SlotSpec& slot : scenario.slots) {
        slot.runs = {{kPortsPerSlot, kAutoType}};
        slot.ports.clear();
    }
    return scenario;
}

struct Figures {
    bool ok = false;
    double wallMs = 0;
    double virtualMs = 0;
    long pdus = 0;
    std::size_t rows = 0;
    std::string failure;
};

// Opens the page on the selection, makes the change and applies it; loop runs the event
// loop a little (a virtual clock is advanced, a real one waited on).
Figures applyOnce(CMibAgent& agent, bench::CountingTransport& counter,
                  const std::function<void()>& loopStep) {
    afx::EventLoop& loop = afx::EventLoop::instance();
    Figures f;
    std::vector<sw::SlotPort> selected;
    CNxChassisInfo info;
    for (int slot = 1; slot <= kSlots; ++slot) {
        info.SetSlot(slot, 0, "", kPortsPerSlot, kPortsPerSlot);
        for (int port = 1; port <= kPortsPerSlot; ++port) {
            info.SetPortType(slot, port, kAutoType);
            if (static_cast<int>(selected.size()) < kSelectedPorts) {
                selected.push_back({slot, port});
            }
        }
    }
    afx::OperatorDriver driver;
    driver.setFailureHandler([&f](const std::string& why) { f.failure = why; });
    CSwPropertySheet sheet("Ethernet Slot:1 Port:1", 0, nullptr, 0);
    sheet.SetSelection(1, 1, selected, "127.0.0.1", nullptr);
    auto* page = new CEnetSpeedPage;
    sheet.AddPage(page);
    sheet.SetChassisInfoObject(&info);
    sheet.SetAgent(&agent);
    sheet.ActivateSheet();
    driver.setRoot(sheet.GetSafeHwnd());
    auto runUntil = [&](const std::function<bool()>& done) {
        const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        while (!done() && std::chrono::steady_clock::now() < limit) {
            loopStep();
        }
        return done();
    };
    if (!runUntil([&] { return page->m_loaded == 1 && !page->waitCursorShown(); })) {
        f.failure = "the list was not read " + f.failure;
        return f;
    }
    std::vector<int> rows;
    for (int r = 0; r < kSelectedPorts; ++r) {
        rows.push_back(r);
    }
    const HWND box = afx::windows().childById(page->GetSafeHwnd(), IDC_SPEED_AUTO_NEGOTIATION);
    afx::StepResult step = driver.selectRows("Ports", rows);
    if (step && !runUntil([&] { return box && afx::windows().find(box)->enabled; })) {
        step = afx::StepResult::failure("the first port was not read");
    }
    for (auto act :
         {std::function<afx::StepResult()>(
              [&] { return driver.click("Auto Negotiation Enabled"); }),
          std::function<afx::StepResult()>([&] { return driver.choose("Mode", "fullDuplex"); }),
          std::function<afx::StepResult()>([&] { return driver.choose("Speed", "100"); })}) {
        if (step) {
            step = act();
        }
    }
    if (!step) {
        f.failure = "the change could not be made: " + step.message;
        return f;
    }
    driver.expectMessageBox(IDOK, "Success", "Speed/Mode Changes Successful.");
    const long before = counter.pdus;
    const std::int64_t virtualStart = loop.now();
    const auto start = std::chrono::steady_clock::now();
    driver.press("Apply");
    const bool done = runUntil([&] {
        return driver.pendingMessageBoxes() == 0 && page->m_loaded == 1 && !page->waitCursorShown();
    });
    f.wallMs =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    f.virtualMs = static_cast<double>(loop.now() - virtualStart);
    f.pdus = counter.pdus - before;
    const HWND list = afx::windows().childById(page->GetSafeHwnd(), IDC_SPEED_PORT_LIST);
    f.rows = list ? afx::windows().find(list)->rows.size() : 0;
    f.ok = done && f.failure.empty() && f.rows == static_cast<std::size_t>(kSelectedPorts);
    if (!done) {
        f.failure = "Apply did not end with the refilled list";
    }
    sheet.SetAgent(nullptr);
    return f;
}

Figures inProcess() {
    afx::EventLoop& loop = afx::EventLoop::instance();
    loop.useVirtualClock(true);
    std::unique_ptr<sim::SimulatedSwitch> sw = sim::SimulatedSwitch::fromScenario(chassis());
    sw->setClock([&loop] { return loop.now(); });
    auto counter = std::make_shared<bench::CountingTransport>(
        std::make_shared<mib::InProcessTransport>(*sw, loop));
    CMibAgent agent;
    agent.SetEventLoop(&loop);
    agent.SetAgentName("generated");
    agent.SetTransport(counter);
    Figures f = applyOnce(agent, *counter, [&loop] {
        loop.runUntilIdle();
        loop.advance(10);
    });
    agent.SetTransport(nullptr);
    loop.runUntilIdle();
    loop.useVirtualClock(false);
    return f;
}

Figures overSwsimd() {
    Figures f;
    char path[] = "/tmp/speed_apply_bench_XXXXXX";
    const int fd = mkstemp(path);
    if (fd < 0) {
        f.failure = "cannot write the scenario";
        return f;
    }
    close(fd);
    std::ofstream(path) << sim::scenarioToJson(chassis());
    agent::DaemonProcess daemon;
    std::string error;
    const bool started =
        daemon.start({SWSIMD_PATH, "--listen", "udp:127.0.0.1:0", "--scenario", path},
                     "ready on udp:127.0.0.1:", 20000, &error, 600);
    std::remove(path);
    if (!started) {
        f.failure = error;
        return f;
    }
    const std::string& out = daemon.output();
    afx::EventLoop& loop = afx::EventLoop::instance();
    mib::NetSnmpConfig config;
    config.address = "udp:127.0.0.1:" + std::to_string(std::atoi(out.c_str() + out.rfind(':') + 1));
    config.community = "private";
    auto counter = std::make_shared<bench::CountingTransport>(
        std::make_shared<mib::NetSnmpTransport>(config, loop));
    CMibAgent agent;
    agent.SetEventLoop(&loop);
    agent.SetAgentName("swsimd");
    agent.SetTransport(counter);
    f = applyOnce(agent, *counter, [&loop] { loop.runOnce(10); });
    agent.SetTransport(nullptr);
    loop.runUntilIdle();
    daemon.stop();
    return f;
}

void print(const char* where, const Figures& f, double waitedMs) {
    if (!f.ok) {
        std::printf("%-26s failed: %s\n", where, f.failure.c_str());
        return;
    }
    std::printf("%-26s %9.1f ms  (%9.1f ms without the 3 s set delay)  %5ld PDUs  %zu rows\n",
                where, f.wallMs, f.wallMs - waitedMs, f.pdus, f.rows);
}

}  // namespace

int main() {
    std::printf("Speed/Mode Apply of one change to %d selected ports, Apply to refilled list:\n",
                kSelectedPorts);
    const Figures local = inProcess();
    print("in process (virtual clock)", local, 0);
    const Figures wire = overSwsimd();
    print("swsimd on loopback (v2c)", wire, 3000);
    return local.ok && wire.ok ? 0 : 1;
}
