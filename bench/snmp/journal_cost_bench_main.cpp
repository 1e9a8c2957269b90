// What journaling costs per set over SNMP: swsimd on a free loopback port, one CMibComm over
// NetSnmpTransport writing a port description N times without a journal, then N times with
// one (the GET before each SET, the record synced before it, the outcome after). Prints the
// PDUs and the wall time per set of each.
//
//     journal_cost_bench [SETS] [JOURNAL_FOLDER]   (defaults: 200, the temporary folder)

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "agent/daemon_process.h"
#include "framework/afx/event_loop.h"
#include "framework/mib/change_journal.h"
#include "framework/mib/mib_agent.h"
#include "framework/mib/mib_comm.h"
#include "framework/mib/mib_comm_events.h"
#include "framework/mib/netsnmp_transport.h"

namespace {

struct Figures {
    double msPerSet = 0;
    double pdusPerSet = 0;
    int failed = 0;
};

class Done : public CMibCommEvents {
public:
    void OnRequestDone(int) override { result = 1; }
    void OnError(int) override { result = 0; }
    int result = -1;
};

Figures measure(int port, int sets, std::shared_ptr<mib::ChangeJournal> journal) {
    afx::EventLoop& loop = afx::EventLoop::instance();
    mib::NetSnmpConfig config;
    config.address = "udp:127.0.0.1:" + std::to_string(port);
    config.community = "private";
    CMibAgent agent;
    agent.SetEventLoop(&loop);
    agent.SetAgentName("bench");
    agent.SetTransport(std::make_shared<mib::NetSnmpTransport>(config, loop));
    agent.SetChangeJournal(std::move(journal));
    long pdus = 0;
    agent.GetTrace().setSink([&pdus](const std::string& line) {
        if (line.rfind("PDU ", 0) == 0) {
            ++pdus;
        }
    });
    Done done;
    CMibComm comm(&agent);
    comm.SetOwner(&done);
    const LPCTSTR names[] = {"phyPortDescription"};
    const long h = comm.OpenRequest(0, "", names, 1);
    CUIntArray instance;
    instance.Add(1);
    instance.Add(2);
    Figures figures;
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < sets; ++i) {
        comm.SetInstance(h, &instance);
        comm.SetString(h, "phyPortDescription", ("bench " + std::to_string(i % 2)).c_str());
        comm.SetReRead(h, FALSE);
        done.result = -1;
        if (!comm.SendSet(h) || !loop.runUntil([&] { return done.result >= 0; }, 10000) ||
            done.result == 0) {
            ++figures.failed;
        }
    }
    const double ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    comm.SetOwner(nullptr);
    figures.msPerSet = ms / sets;
    figures.pdusPerSet = static_cast<double>(pdus) / sets;
    return figures;
}

}  // namespace

int main(int argc, char** argv) {
    const int sets = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;
    const std::filesystem::path folder =
        argc > 2 ? std::filesystem::path(argv[2]) : std::filesystem::temp_directory_path();
    const std::filesystem::path journalPath =
        folder / ("journal_cost_bench_" + std::to_string(getpid()) + ".jsonl");

    agent::DaemonProcess daemon;
    std::string error;
    if (!daemon.start({SWSIMD_PATH, "--listen", "udp:127.0.0.1:0"},
                      "ready on udp:127.0.0.1:", 10000, &error)) {
        std::fprintf(stderr, "swsimd did not start: %s\n", error.c_str());
        return 1;
    }
    const std::string& out = daemon.output();
    const int port = std::stoi(out.substr(out.rfind(':') + 1));

    measure(port, 20, nullptr);  // warm-up: sessions, caches
    const Figures plain = measure(port, sets, nullptr);
    auto journal = mib::ChangeJournal::open(journalPath.string(), &error);
    if (!journal) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    const Figures journaled = measure(port, sets, journal);
    journal.reset();
    std::filesystem::remove(journalPath);
    daemon.stop();

    std::printf("%d sets of one varbind over SNMP v2c to swsimd on 127.0.0.1, journal in %s\n",
                sets, folder.c_str());
    std::printf("%-22s %12s %12s %8s\n", "", "PDUs/set", "ms/set", "failed");
    std::printf("%-22s %12.2f %12.3f %8d\n", "--journal none", plain.pdusPerSet, plain.msPerSet,
                plain.failed);
    std::printf("%-22s %12.2f %12.3f %8d\n", "journaled", journaled.pdusPerSet, journaled.msPerSet,
                journaled.failed);
    std::printf("%-22s %12.2f %12.3f\n", "cost of the journal",
                journaled.pdusPerSet - plain.pdusPerSet, journaled.msPerSet - plain.msPerSet);
    return plain.failed + journaled.failed == 0 ? 0 : 1;
}
