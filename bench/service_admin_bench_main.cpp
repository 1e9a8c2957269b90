// The Service Admin page with 5,000 virtual ports and 20,000 learned addresses, "Show
// Learned MAC:" on:
//  1. in process: how long the page takes, once the forwarding table has been read, to index
//     it and rebuild the list (budget 50 ms);
//  2. over swsimd on loopback: the request PDUs each table took, against floor(rows / R) + 1
//     for R rows per GETBULK.
// Exit status 0 when both stay within their bounds and the lists are complete.

#include <unistd.h>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "agent/daemon_process.h"
#include "bench/support/counting_transport.h"
#include "framework/afx/event_loop.h"
#include "framework/afx/ui_driver.h"
#include "framework/mib/in_process_transport.h"
#include "framework/mib/mib_agent.h"
#include "framework/mib/mib_dictionary.h"
#include "framework/mib/netsnmp_transport.h"
#include "framework/sw/sw_property_sheet.h"
#include "resources/service_admin_ids.h"
#include "services/enet_port_admin_page.h"
#include "sim/scenario_generator.h"
#include "sim/scenario_json.h"
#include "sim/simulated_switch.h"

namespace {

constexpr int kSlots = 50;
constexpr int kPortsPerSlot = 50;  // 2,500 ports, two virtual ports each
constexpr int kAddressesPerVport = 4;
constexpr int kVports = kSlots * kPortsPerSlot * 2;
constexpr int kAddresses = kVports * kAddressesPerVport;
constexpr double kRebuildBudgetMs = 50.0;

sim::Scenario benchScenario() {
    sim::GeneratorOptions options;
    options.slots = kSlots;
    options.portsPerSlot = kPortsPerSlot;
    options.extraServicesPerPort = 1;
    options.addressesPerVport = kAddressesPerVport;
    options.expander = false;
    return sim::generateScenario(options);
}

std::vector<sw::SlotPort> everyPort() {
    std::vector<sw::SlotPort> ports;
    for (int slot = 1; slot <= kSlots; ++slot) {
        for (int port = 1; port <= kPortsPerSlot; ++port) {
            ports.push_back({slot, port});
        }
    }
    return ports;
}

// Adds up the time the page spends on the completions of its reads.
class TimedPage : public CEnetPortAdminPage {
public:
    void OnRequestDone(int h) override {
        const auto start = std::chrono::steady_clock::now();
        CEnetPortAdminPage::OnRequestDone(h);
        spentMs +=
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count();
    }
    double spentMs = 0;
};

struct Listed {
    std::size_t rows = 0;
    std::size_t multiple = 0;
};

Listed listed(CEnetPortAdminPage& page) {
    Listed out;
    const HWND list = afx::windows().childById(page.GetSafeHwnd(), IDC_ADMIN_VPORT_LIST);
    if (const afx::WindowRecord* r = list ? afx::windows().find(list) : nullptr) {
        out.rows = r->rows.size();
        for (const afx::ListRow& row : r->rows) {
            out.multiple += row.cells.size() > 6 && row.cells[6] == "Multiple";
        }
    }
    return out;
}

// Opens the page on every port and lets it read; then turns "Show Learned MAC:" on (the
// forwarding table is read and the list rebuilt from the virtual ports held) and refreshes
// (groups, forwarding table and virtual ports read again). Each time, what the page spent
// on its completions: indexing the addresses and rebuilding the list.
struct Run {
    std::vector<double> pageMs;
    Listed after;
};

Run runPage(CMibAgent& agent, afx::EventLoop& loop, int timeoutMs, int refreshes) {
    Run run;
    afx::OperatorDriver driver;
    driver.setFailureHandler(
        [](const std::string& why) { std::fprintf(stderr, "%s\n", why.c_str()); });
    CSwPropertySheet sheet("Ethernet Slot:1 Port:1", 0, nullptr, 0);
    sheet.SetSelection(1, 1, everyPort(), "127.0.0.1", nullptr);
    auto* page = new TimedPage;
    sheet.AddPage(page);
    sheet.SetAgent(&agent);
    sheet.ActivateSheet();
    driver.setRoot(sheet.GetSafeHwnd());
    loop.runUntil([&] { return page->m_loaded == 1; }, timeoutMs);
    for (int i = 0; i <= refreshes; ++i) {
        page->m_loaded = 0;
        page->spentMs = 0;
        if (i == 0) {
            driver.click("Show Learned MAC");
        } else {
            driver.press("Refresh");
        }
        loop.runUntil([&] { return page->m_loaded == 1; }, timeoutMs);
        run.pageMs.push_back(page->spentMs);
    }
    run.after = listed(*page);
    return run;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

std::string joined(const std::vector<double>& values) {
    std::string out;
    for (double v : values) {
        char text[32];
        std::snprintf(text, sizeof text, "%s%.1f", out.empty() ? "" : ", ", v);
        out += text;
    }
    return out;
}

bool inProcess() {
    afx::EventLoop& loop = afx::EventLoop::instance();
    loop.useVirtualClock(true);
    std::unique_ptr<sim::SimulatedSwitch> sw = sim::SimulatedSwitch::fromScenario(benchScenario());
    sw->setClock([&loop] { return loop.now(); });
    CMibAgent agent;
    agent.SetEventLoop(&loop);
    agent.SetAgentName("generated-switch");
    agent.SetTransport(std::make_shared<mib::InProcessTransport>(*sw, loop));
    const Run run = runPage(agent, loop, 60000, 4);
    agent.SetTransport(nullptr);
    loop.runUntilIdle();
    loop.useVirtualClock(false);

    const double typical = median(run.pageMs);
    const bool ok = run.after.rows == static_cast<std::size_t>(kVports) &&
                    run.after.multiple == static_cast<std::size_t>(kVports) &&
                    typical < kRebuildBudgetMs;
    std::printf("In process: %d virtual ports, %d learned addresses, all ports selected\n", kVports,
                kAddresses);
    std::printf("  page's work after the reads (addresses indexed, list rebuilt), ms: %s\n",
                joined(run.pageMs).c_str());
    std::printf("  median %.1f ms (budget %.0f ms) %s\n", typical, kRebuildBudgetMs,
                ok ? "ok" : "FAILED");
    std::printf("  rows listed %zu, of them \"Multiple\" %zu\n\n", run.after.rows,
                run.after.multiple);
    return ok;
}

bool overSwsimd() {
    const std::filesystem::path scenario =
        std::filesystem::temp_directory_path() /
        ("service_admin_bench_" + std::to_string(::getpid()) + ".json");
    {
        std::ofstream out(scenario);
        out << sim::scenarioToJson(benchScenario());
    }
    agent::DaemonProcess swsimd;
    std::string error;
    const bool started =
        swsimd.start({SWSIMD_PATH, "--listen", "udp:127.0.0.1:0", "--scenario", scenario.string()},
                     "ready on udp:127.0.0.1:", 60000, &error);
    std::filesystem::remove(scenario);
    if (!started) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return false;
    }
    const std::string& output = swsimd.output();
    const int port = std::stoi(output.substr(output.rfind(':') + 1));

    afx::EventLoop& loop = afx::EventLoop::instance();
    mib::NetSnmpConfig config;
    config.address = "udp:127.0.0.1:" + std::to_string(port);
    CMibAgent agent;
    agent.SetEventLoop(&loop);
    agent.SetAgentName("generated-switch");
    auto counting = std::make_shared<bench::TableCountingTransport>(
        std::make_shared<mib::NetSnmpTransport>(config, loop), mib::MibDictionary::builtin());
    agent.SetTransport(counting);
    const auto start = std::chrono::steady_clock::now();
    const Run run = runPage(agent, loop, 120000, 0);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    agent.SetTransport(nullptr);
    loop.runUntilIdle();
    swsimd.stop();

    struct Table {
        const char* name;
        int rows;
    };
    const int groups = static_cast<int>(benchScenario().groups.size());
    bool ok = run.after.rows == static_cast<std::size_t>(kVports) &&
              run.after.multiple == static_cast<std::size_t>(kVports);
    std::printf("Over swsimd (udp:127.0.0.1, SNMPv2c): the page read and listed in %.2f s\n",
                seconds);
    std::printf("  page's work after the forwarding table read: %.1f ms; rows listed %zu\n",
                run.pageMs.front(), run.after.rows);
    std::printf("  | %-16s | %6s | %4s | %5s | %17s |\n", "table", "rows", "R", "PDUs",
                "bound rows/R + 1");
    for (const Table& t : {Table{"vlanTable", groups}, Table{"vBrdgTpFdbTable", kAddresses},
                           Table{"vportTable", kVports}}) {
        const bench::TableCountingTransport::Count c = counting->counts[t.name];
        const int bound = c.repetitions > 0 ? t.rows / c.repetitions + 1 : t.rows + 1;
        const bool within = c.pdus <= bound;
        ok = ok && within;
        std::printf("  | %-16s | %6d | %4d | %5d | %14d %s |\n", t.name, t.rows, c.repetitions,
                    c.pdus, bound, within ? "ok" : "OVER");
    }
    return ok;
}

}  // namespace

int main() {
    const bool local = inProcess();
    const bool remote = overSwsimd();
    return local && remote ? 0 : 1;
}
