// Reads a 10,000-row, 15-column table from swsimd three ways, in one run:
// the Net-SNMP transport in a GETBULK loop carrying all 15 columns per PDU,
// snmptable -Cr 50 and snmpbulkwalk -Cr50. Prints wall time, CPU time and
// request PDUs of each.

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "agent/daemon_process.h"
#include "framework/afx/event_loop.h"
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
    long pdus = 0;
    long cells = 0;
};

Figures walkWithTransport(int port) {
    afx::EventLoop loop;
    mib::NetSnmpConfig config;
    config.address = "udp:127.0.0.1:" + std::to_string(port);
    mib::NetSnmpTransport transport(config, loop);
    rusage before{};
    getrusage(RUSAGE_SELF, &before);
    const auto start = std::chrono::steady_clock::now();

    mib::RequestPdu bulk;
    bulk.type = mib::PduType::GetBulk;
    bulk.maxRepetitions = std::getenv("BENCH_REPS") != nullptr
                              ? std::atoi(std::getenv("BENCH_REPS"))
                              : transport.bulkRepetitions(kColumns);
    for (std::uint32_t c = 1; c <= kColumns; ++c) {
        mib::Oid oid = kEntry;
        oid.push_back(c);
        bulk.varbinds.push_back({oid, mib::Value::null()});
    }
    Figures f;
    bool done = false;
    std::function<void(const mib::TransportResult&)> onResult;
    onResult = [&](const mib::TransportResult& r) {
        if (r.outcome != mib::TransportOutcome::Response) {
            std::fprintf(stderr, "walk failed: %s\n", r.message.c_str());
            done = true;
            return;
        }
        const auto& vbs = r.response.varbinds;
        bool ended = vbs.size() < kColumns;
        for (std::size_t i = 0; i + kColumns <= vbs.size(); i += kColumns) {
            for (std::size_t c = 0; c < kColumns; ++c) {
                const mib::VarBind& vb = vbs[i + c];
                mib::Oid column = kEntry;
                column.push_back(static_cast<std::uint32_t>(c + 1));
                if (vb.value.isException() || !mib::oidStartsWith(vb.oid, column)) {
                    ended = true;
                    break;
                }
                ++f.cells;
                bulk.varbinds[c].oid = vb.oid;
            }
            if (ended) {
                break;
            }
        }
        if (ended) {
            done = true;
            return;
        }
        ++f.pdus;
        transport.send(bulk, {5, 1}, onResult);
    };
    ++f.pdus;
    transport.send(bulk, {5, 1}, onResult);
    loop.runUntil([&] { return done; }, 120000);

    f.wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    rusage after{};
    getrusage(RUSAGE_SELF, &after);
    f.cpu = cpuSeconds(after) - cpuSeconds(before);
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

void print(const char* name, const Figures& f) {
    std::printf("| %-34s | %7.2f s | %7.2f s | %6ld |\n", name, f.wall, f.cpu, f.pdus);
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

    const Figures ours = walkWithTransport(port);
    Figures table = runTool({"snmptable", "-v2c", "-c", "public", "-M", mibDir.string(), "-m",
                             "BENCH-MIB", "-Cr", "50", target, "BENCH-MIB::benchTable"});
    table.pdus = kRows / 50 * kColumns + kColumns;  // -Cr 50 per column walk, GETBULK of one column
    Figures walk = runTool({"snmpbulkwalk", "-v2c", "-c", "public", "-m", "", "-On", "-Cr50",
                            target, "1.3.6.1.4.1.32473.99.1.1"});
    walk.pdus = kRows * kColumns / 50 + 1;
    std::filesystem::remove_all(mibDir);

    std::printf(
        "%d rows x %d columns from swsimd on loopback (%ld cells read by the transport)\n\n", kRows,
        kColumns, ours.cells);
    std::printf("| %-34s | %9s | %9s | %6s |\n", "client", "wall", "CPU", "PDUs");
    std::printf("|%s|%s|%s|%s|\n", std::string(36, '-').c_str(), std::string(11, '-').c_str(),
                std::string(11, '-').c_str(), std::string(8, '-').c_str());
    print("NetSnmpTransport GETBULK, 15 cols", ours);
    print("snmptable -Cr 50", table);
    print("snmpbulkwalk -Cr50", walk);
    return ours.cells == static_cast<long>(kRows) * kColumns ? 0 : 1;
}
