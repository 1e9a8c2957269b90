// Reads a 10,000-row, 15-column table from swsimd three ways, in one run:
// the request engine (CMibComm::RequestTable over NetSnmpTransport),
// snmptable -Cr 50 and snmpbulkwalk -Cr50. Prints wall time, client CPU,
// swsimd's CPU and the request PDUs swsimd received for each.

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "agent/daemon_process.h"
#include "agent/snmp_agent_server.h"
#include "framework/afx/event_loop.h"
#include "framework/mib/mib_agent.h"
#include "framework/mib/mib_comm.h"
#include "framework/mib/mib_comm_events.h"
#include "framework/mib/netsnmp_transport.h"

namespace {

constexpr int kRows = 10000;
constexpr int kColumns = 15;
const mib::Oid kEntry = {1, 3, 6, 1, 4, 1, 32473, 99, 1, 1};

double cpuSeconds(const rusage& u) {
    return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

struct Figures {
    double wall = 0;
    double cpu = 0;
    double agentCpu = 0;
    long pdus = 0;
    long cells = 0;
};

// swsimd's own counters: request PDUs received and its CPU time.
struct AgentCounters {
    long pdus = 0;
    double cpu = 0;
};

std::optional<AgentCounters> agentCounters(int port) {
    afx::EventLoop loop;
    mib::NetSnmpConfig config;
    config.address = "udp:127.0.0.1:" + std::to_string(port);
    mib::NetSnmpTransport transport(config, loop);
    mib::RequestPdu get;
    get.type = mib::PduType::Get;
    for (std::uint32_t arc : {1u, 2u}) {
        mib::Oid oid = agent::SnmpAgentServer::statisticsOid();
        oid.push_back(arc);
        oid.push_back(0);
        get.varbinds.push_back({oid, mib::Value::null()});
    }
    std::optional<AgentCounters> out;
    bool done = false;
    transport.send(get, {5, 1}, [&](const mib::TransportResult& r) {
        done = true;
        if (r.outcome == mib::TransportOutcome::Response && r.response.varbinds.size() == 2) {
            // This GET is counted too.
            out = AgentCounters{static_cast<long>(r.response.varbinds[0].value.counter64) - 1,
                                static_cast<double>(r.response.varbinds[1].value.counter64) / 1e6};
        }
    });
    loop.runUntil([&] { return done; }, 15000);
    return out;
}

// The synthetic table's columns as the dictionary of the engine sees them.
const mib::MibDictionary& benchDictionary() {
    static const mib::MibDictionary d([] {
        const mib::Syntax syntaxes[] = {mib::Syntax::Integer,   mib::Syntax::DisplayString,
                                        mib::Syntax::Counter32, mib::Syntax::Gauge32,
                                        mib::Syntax::TimeTicks, mib::Syntax::Counter64,
                                        mib::Syntax::IpAddress, mib::Syntax::ObjectIdentifier};
        std::vector<mib::MibVariable> vars;
        for (std::uint32_t c = 1; c <= kColumns; ++c) {
            mib::MibVariable v;
            v.name = "benchColumn" + std::to_string(c);
            v.oid = kEntry;
            v.oid.push_back(c);
            v.syntax = c <= 8 ? syntaxes[c - 1] : mib::Syntax::Integer;
            v.table = "benchTable";
            v.indexes = {"benchColumn1"};
            vars.push_back(std::move(v));
        }
        return vars;
    }());
    return d;
}

class Owner : public CMibCommEvents {
public:
    void OnRequestDone(int) override { done = ok = true; }
    void OnError(int) override { done = true; }
    bool done = false;
    bool ok = false;
};

Figures readWithEngine(int port, int maxRepetitions) {
    afx::EventLoop loop;
    mib::NetSnmpConfig config;
    config.address = "udp:127.0.0.1:" + std::to_string(port);
    config.maxRepetitions = maxRepetitions;
    CMibAgent agent;
    agent.SetEventLoop(&loop);
    agent.SetDictionary(&benchDictionary());
    agent.SetTransport(std::make_shared<mib::NetSnmpTransport>(config, loop));
    CMibComm comm;
    Owner owner;
    comm.SetAgent(&agent);
    comm.SetOwner(&owner);
    CStringArray names;
    for (int c = 1; c <= kColumns; ++c) {
        names.Add(("benchColumn" + std::to_string(c)).c_str());
    }
    const long h = comm.OpenListRequest(0, "benchTable", &names);

    rusage before{};
    getrusage(RUSAGE_SELF, &before);
    const auto start = std::chrono::steady_clock::now();
    comm.RequestTable(h);
    loop.runUntil([&] { return owner.done; }, 120000);
    Figures f;
    f.wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    rusage after{};
    getrusage(RUSAGE_SELF, &after);
    f.cpu = cpuSeconds(after) - cpuSeconds(before);
    if (!owner.ok) {
        std::fprintf(stderr, "RequestTable failed: %s\n",
                     static_cast<const char*>(comm.GetErrorText(h)));
        return f;
    }
    f.cells = static_cast<long>(comm.GetRowCount(h)) * kColumns;
    comm.GotoRow(h, kRows - 1);
    if (comm.GetString(h, "benchColumn2") != CString(("port-" + std::to_string(kRows)).c_str())) {
        std::fprintf(stderr, "the last row is not the table's last row\n");
        f.cells = 0;
    }
    return f;
}

Figures runTool(const std::vector<std::string>& argv) {
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        std::freopen("/dev/null", "w", stdout);
        std::vector<char*> args;
        for (const std::string& a : argv) {
            args.push_back(const_cast<char*>(a.c_str()));
        }
        args.push_back(nullptr);
        execvp(args[0], args.data());
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    Figures f;
    f.wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    f.cpu = cpuSeconds(usage);
    return f;
}

// snmptable needs the table's definition; none is installed, so write one.
std::filesystem::path writeBenchMib() {
    const auto dir =
        std::filesystem::temp_directory_path() / ("sw-bench-mib-" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    std::ofstream mib(dir / "BENCH-MIB.txt");
    mib << "BENCH-MIB DEFINITIONS ::= BEGIN\n"
           "benchTable OBJECT-TYPE SYNTAX SEQUENCE OF BenchEntry MAX-ACCESS not-accessible\n"
           "  STATUS current DESCRIPTION \"t\" ::= { iso 3 6 1 4 1 32473 99 1 }\n"
           "benchEntry OBJECT-TYPE SYNTAX BenchEntry MAX-ACCESS not-accessible\n"
           "  STATUS current DESCRIPTION \"e\" INDEX { c1 } ::= { benchTable 1 }\n"
           "BenchEntry ::= SEQUENCE {";
    for (int c = 1; c <= kColumns; ++c) {
        mib << " c" << c << " Opaque" << (c < kColumns ? "," : " }\n");
    }
    for (int c = 1; c <= kColumns; ++c) {
        mib << "c" << c << " OBJECT-TYPE SYNTAX Opaque MAX-ACCESS read-only STATUS current"
            << " DESCRIPTION \"c\" ::= { benchEntry " << c << " }\n";
    }
    mib << "END\n";
    return dir;
}

void print(const std::string& name, const Figures& f) {
    std::printf("| %-36s | %7.2f s | %7.2f s | %7.2f s | %6ld |\n", name.c_str(), f.wall, f.cpu,
                f.agentCpu, f.pdus);
}

// Runs one client between two readings of swsimd's counters.
template <typename Client>
Figures measured(int port, Client client) {
    const auto before = agentCounters(port);
    Figures f = client();
    const auto after = agentCounters(port);
    if (before && after) {
        f.pdus = after->pdus - before->pdus - 1;  // less the reading of `before`
        f.agentCpu = after->cpu - before->cpu;
    } else {
        f.pdus = -1;
    }
    return f;
}

}  // namespace

int main() {
    agent::DaemonProcess swsimd;
    std::string error;
    if (!swsimd.start({SWSIMD_PATH, "--listen", "udp:127.0.0.1:0", "--synthetic-table",
                       std::to_string(kRows) + "x" + std::to_string(kColumns)},
                      "ready on udp:127.0.0.1:", 30000, &error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    const std::string& out = swsimd.output();
    const int port = std::stoi(out.substr(out.rfind(':') + 1));
    const std::string target = "127.0.0.1:" + std::to_string(port);
    const auto mibDir = writeBenchMib();
    const int reps =
        std::getenv("BENCH_REPS") != nullptr ? std::atoi(std::getenv("BENCH_REPS")) : 0;

    const Figures ours = measured(port, [&] { return readWithEngine(port, reps); });
    const Figures table = measured(port, [&] {
        return runTool({"snmptable", "-v2c", "-c", "public", "-M", mibDir.string(), "-m",
                        "BENCH-MIB", "-Cr", "50", target, "BENCH-MIB::benchTable"});
    });
    const Figures walk = measured(port, [&] {
        return runTool({"snmpbulkwalk", "-v2c", "-c", "public", "-m", "", "-On", "-Cr50", target,
                        "1.3.6.1.4.1.32473.99.1.1"});
    });
    std::filesystem::remove_all(mibDir);

    mib::NetSnmpConfig shown;
    shown.maxRepetitions = reps;
    const int used = mib::NetSnmpTransport(shown).bulkRepetitions(kColumns);
    std::printf("%d rows x %d columns from swsimd on loopback (%ld cells read by the engine)\n\n",
                kRows, kColumns, ours.cells);
    std::printf("| %-36s | %9s | %9s | %9s | %6s |\n", "client", "wall", "CPU", "agent CPU",
                "PDUs");
    std::printf("|%s|%s|%s|%s|%s|\n", std::string(38, '-').c_str(), std::string(11, '-').c_str(),
                std::string(11, '-').c_str(), std::string(11, '-').c_str(),
                std::string(8, '-').c_str());
    print("RequestTable, NetSnmpTransport (" + std::to_string(used) + ")", ours);
    print("snmptable -Cr 50", table);
    print("snmpbulkwalk -Cr50", walk);
    return ours.cells == static_cast<long>(kRows) * kColumns ? 0 : 1;
}
