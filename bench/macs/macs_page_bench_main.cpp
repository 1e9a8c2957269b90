// The MACs page's forwarding table on a busy switch: 20,000 learned addresses of which 500
// were received on the selected ports (slot 1, ports 1 to 25), in process and over swsimd.
// For each: the forwarding table read alone (a bare request, no page), then the page from
// the operator's click on "Forwarding Table" to the filled list, and of that the time from
// the last answer of the read to the filled list (the page's own work: walking every row,
// keeping the selected ports' rows, sorting). Request PDUs are set against
// floor(rows / R) + 1, R being the rows per GETBULK. Exits 1 when a list is incomplete.

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "agent/daemon_process.h"
#include "bench/support/counting_transport.h"
#include "config/enet_macs_page.h"
#include "framework/afx/event_loop.h"
#include "framework/afx/ui_driver.h"
#include "framework/mib/in_process_transport.h"
#include "framework/mib/mib_agent.h"
#include "framework/mib/mib_comm.h"
#include "framework/mib/mib_comm_events.h"
#include "framework/mib/netsnmp_transport.h"
#include "framework/sw/sw_property_sheet.h"
#include "resources/macs_page_ids.h"
#include "sim/scenario_generator.h"
#include "sim/scenario_json.h"
#include "sim/simulated_switch.h"

namespace {

constexpr int kSlots = 40;
constexpr int kPortsPerSlot = 25;
constexpr int kAddressesPerPort = 20;
constexpr int kRows = kSlots * kPortsPerSlot * kAddressesPerPort;
constexpr int kSelectedRows = kPortsPerSlot * kAddressesPerPort;
const char* const kForwardingColumns[] = {
    "vBrdgTpFdbGroupId",   "vBrdgTpFdbAddress",           "vBrdgTpFdbRcvPortSlot",
    "vBrdgTpFdbRcvPortIF", "vBrdgTpFdbRcvPortFuncTyp",    "vBrdgTpFdbRcvPortFuncTypInst",
    "vBrdgTpFdbRcvStatus", "vBrdgTpFdbRcvVLANMembership", "vBrdgTpFdbDupStatus"};
constexpr int kColumns = static_cast<int>(std::size(kForwardingColumns));

class Owner : public CMibCommEvents {
public:
    void OnRequestDone(int) override { done = ok = true; }
    void OnError(int) override { done = true; }
    bool done = false;
    bool ok = false;
};

struct Figures {
    double readMs = 0;
    double readTailMs = 0;  // from the last answer to the completion
    long readPdus = 0;
    long readRows = 0;
    double pageMs = 0;
    long pagePdus = 0;
    double afterReadMs = 0;  // from the last answer to the filled list
    double afterReadCpuMs = 0;
    long listRows = 0;
};

double msSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

Figures measure(CMibAgent& agent, bench::CountingTransport& counter) {
    afx::EventLoop& loop = afx::EventLoop::instance();
    Figures f;
    {
        CMibComm comm;
        Owner owner;
        comm.SetAgent(&agent);
        comm.SetOwner(&owner);
        CStringArray names;
        for (const char* column : kForwardingColumns) {
            names.Add(column);
        }
        const long h = comm.OpenListRequest(0, "", &names);
        const long before = counter.pdus;
        const auto start = std::chrono::steady_clock::now();
        comm.RequestTable(h);
        loop.runUntil([&] { return owner.done; }, 120'000);
        f.readMs = msSince(start);
        f.readTailMs = msSince(counter.lastAnswer);
        f.readPdus = counter.pdus - before;
        f.readRows = owner.ok ? comm.GetRowCount(h) : -1;
        comm.ReleaseRequest(h);
    }

    afx::OperatorDriver driver;
    std::vector<sw::SlotPort> selected;
    for (int port = 1; port <= kPortsPerSlot; ++port) {
        selected.push_back({1, port});
    }
    CSwPropertySheet sheet("Ethernet Slot:1 Port:1", 0, nullptr, 0);
    sheet.SetSelection(1, 1, selected, "127.0.0.1", nullptr);
    auto* page = new CEnetMACsPage;
    sheet.AddPage(page);
    sheet.SetAgent(&agent);
    sheet.ActivateSheet();
    loop.runUntil([&] { return page->m_loaded != 0; }, 60'000);  // IP-to-MAC, shown first

    const long before = counter.pdus;
    const auto start = std::chrono::steady_clock::now();
    driver.click("Forwarding Table");
    loop.runUntil([&] { return page->m_loaded != 0 && !page->waitCursorShown(); }, 120'000);
    f.pageMs = msSince(start);
    f.afterReadMs = msSince(counter.lastAnswer);
    f.afterReadCpuMs = bench::threadCpuMs() - counter.lastAnswerCpuMs;
    f.pagePdus = counter.pdus - before;
    const HWND list = afx::windows().childById(page->GetSafeHwnd(), IDC_MACS_LIST);
    f.listRows = list ? static_cast<long>(afx::windows().find(list)->rows.size()) : -1;
    return f;
}

void print(const char* where, const Figures& f, int repetitions) {
    const long expected = kRows / repetitions + 1;
    std::printf(
        "| %-10s | %9.1f ms | %7.1f ms | %9.1f ms | %5ld | %8ld | %9.1f ms | %10.1f ms | %5d |\n",
        where, f.readMs, f.readTailMs, f.pageMs, f.pagePdus, expected, f.afterReadMs,
        f.afterReadCpuMs, repetitions);
}

bool complete(const Figures& f) {
    return f.readRows == kRows && f.listRows == kSelectedRows && f.readPdus == f.pagePdus;
}

}  // namespace

int main() {
    sim::GeneratorOptions options;
    options.slots = kSlots;
    options.portsPerSlot = kPortsPerSlot;
    options.addressesPerVport = kAddressesPerPort;
    options.expander = false;
    const sim::Scenario scenario = sim::generateScenario(options);
    afx::EventLoop& loop = afx::EventLoop::instance();

    // In process, on the virtual clock: every figure is the work of this process.
    loop.useVirtualClock(true);
    std::unique_ptr<sim::SimulatedSwitch> sw = sim::SimulatedSwitch::fromScenario(scenario);
    sw->setClock([&loop] { return loop.now(); });
    auto inProcess = std::make_shared<bench::CountingTransport>(
        std::make_shared<mib::InProcessTransport>(*sw, loop));
    Figures local;
    {
        CMibAgent agent;
        agent.SetEventLoop(&loop);
        agent.SetAgentName("generated-switch");
        agent.SetTransport(inProcess);
        local = measure(agent, *inProcess);
        agent.SetTransport(nullptr);
        loop.runUntilIdle();
    }
    loop.useVirtualClock(false);

    // Over swsimd on loopback, with the same scenario.
    const auto file = std::filesystem::temp_directory_path() /
                      ("sw-macs-bench-" + std::to_string(::getpid()) + ".json");
    std::ofstream(file) << sim::scenarioToJson(scenario);
    agent::DaemonProcess swsimd;
    std::string error;
    const bool started =
        swsimd.start({SWSIMD_PATH, "--listen", "udp:127.0.0.1:0", "--scenario", file.string()},
                     "ready on udp:127.0.0.1:", 60'000, &error);
    std::filesystem::remove(file);
    if (!started) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    const std::string& out = swsimd.output();
    mib::NetSnmpConfig config;
    config.address = "udp:127.0.0.1:" + out.substr(out.rfind(':') + 1);
    while (!config.address.empty() &&
           !std::isdigit(static_cast<unsigned char>(config.address.back()))) {
        config.address.pop_back();
    }
    auto snmp = std::make_shared<bench::CountingTransport>(
        std::make_shared<mib::NetSnmpTransport>(config, loop));
    Figures remote;
    {
        CMibAgent agent;
        agent.SetEventLoop(&loop);
        agent.SetAgentName("generated-switch");
        agent.SetTransport(snmp);
        remote = measure(agent, *snmp);
        agent.SetTransport(nullptr);
        loop.runUntilIdle();
    }
    swsimd.stop();

    std::printf(
        "MACs page, forwarding table of %d rows, %d on the %d selected ports, %d columns\n\n",
        kRows, kSelectedRows, kPortsPerSlot, kColumns);
    std::printf("| %-10s | %12s | %10s | %12s | %5s | %8s | %12s | %13s | %5s |\n", "transport",
                "read alone", "its tail", "click->list", "PDUs", "rows/R+1", "after read",
                "its CPU", "R");
    print("in process", local, inProcess->bulkRepetitions(kColumns));
    print("swsimd", remote, snmp->bulkRepetitions(kColumns));
    if (!complete(local) || !complete(remote)) {
        std::fprintf(stderr, "incomplete: read %ld/%ld rows, list %ld/%ld rows\n", local.readRows,
                     remote.readRows, local.listRows, remote.listRows);
        return 1;
    }
    return 0;
}
