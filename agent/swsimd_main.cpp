// swsimd: the simulated switch (or a synthetic table) served over real SNMP.

#include <csignal>
#include <cstdio>
#include <memory>

#include "agent/snmp_agent_server.h"
#include "agent/swsimd_help.h"
#include "agent/swsimd_options.h"
#include "agent/synthetic_table_handler.h"
#ifdef SW_HAVE_SIM
#include "sim/simulated_switch.h"
#include "sim/state_file.h"
#endif

namespace {

volatile std::sig_atomic_t g_stop = 0;

void onSignal(int) {
    g_stop = 1;
}

// What answers the requests; with --state, the switch under a handler that saves it.
struct Served {
    std::unique_ptr<mib::PduHandler> handler;
    std::unique_ptr<mib::PduHandler> persistent;
    mib::PduHandler* answering() const { return persistent ? persistent.get() : handler.get(); }
};

std::unique_ptr<mib::PduHandler> makeHandler(const agent::SwsimdOptions& options,
                                             std::string* error) {
    if (options.syntheticRows > 0) {
        auto table = std::make_unique<agent::SyntheticTableHandler>(options.syntheticRows,
                                                                    options.syntheticColumns);
        table->setSilent(options.silent);
        return table;
    }
#ifdef SW_HAVE_SIM
    if (!options.scenario.empty()) {
        return sim::SimulatedSwitch::fromScenarioFile(options.scenario, error);
    }
    return sim::SimulatedSwitch::createDefault();
#else
    if (!options.scenario.empty()) {
        *error = "this build has no simulated switch; use --synthetic-table";
        return nullptr;
    }
    auto table = std::make_unique<agent::SyntheticTableHandler>(16, 15);
    table->setSilent(options.silent);
    return table;
#endif
}

bool keepState(const agent::SwsimdOptions& options, Served* served, std::string* error) {
    if (options.stateFile.empty()) {
        return true;
    }
#ifdef SW_HAVE_SIM
    auto* sw = dynamic_cast<sim::SimulatedSwitch*>(served->handler.get());
    if (sw == nullptr) {
        *error = "--state keeps the simulated switch's state; not for a synthetic table";
        return false;
    }
    if (!sim::loadStateFile(*sw, options.stateFile, error)) {
        return false;
    }
    served->persistent = std::make_unique<sim::PersistentSwitch>(
        *sw, options.stateFile,
        [](const std::string& why) { std::fprintf(stderr, "swsimd: %s\n", why.c_str()); });
    return true;
#else
    (void)served;
    *error = "this build has no simulated switch to keep the state of";
    return false;
#endif
}

}  // namespace

int main(int argc, char** argv) {
    if (const int status = agent::answerHelpOrVersion(argc, argv); status >= 0) {
        return status;
    }
    agent::SwsimdOptions options;
    std::string error;
    if (!agent::parseSwsimdOptions(argc, argv, &options, &error)) {
        std::fprintf(stderr, "swsimd: %s\n%s", error.c_str(), agent::swsimdUsage().c_str());
        return 2;
    }
    Served served;
    served.handler = makeHandler(options, &error);
    if (!served.handler || !keepState(options, &served, &error)) {
        std::fprintf(stderr, "swsimd: %s\n", error.c_str());
        return 1;
    }
    mib::PduHandler* handler = served.answering();
    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);

    agent::SnmpAgentServer server(*handler, options.agent);
    if (!server.start(&error)) {
        std::fprintf(stderr, "swsimd: %s\n", error.c_str());
        return 1;
    }
    std::printf("swsimd ready on udp:127.0.0.1:%d\n", server.port());
    std::fflush(stdout);
    server.serve([] { return g_stop != 0; });
    std::printf(
        "swsimd stopped (%llu request PDUs, %llu sets applied, %llu retried sets "
        "answered from cache)\n",
        static_cast<unsigned long long>(server.requestPdus()),
        static_cast<unsigned long long>(server.setsApplied()),
        static_cast<unsigned long long>(server.setsReplayed()));
    return 0;
}
