#pragma once
// The console's command line: which agent, which port, which pages, which script.

#include <optional>
#include <set>
#include <string>
#include <vector>

#include "console/port_list.h"
#include "console/slot_port.h"
#include "framework/mib/netsnmp_config.h"

namespace console {

struct AgentChoice {
    enum class Kind { Simulated, Snmp };
    Kind kind = Kind::Simulated;
    std::string scenarioPath;  // Simulated: empty for the built-in demo scenario
    std::string statePath;     // Simulated: where its state is kept ("": only in memory)
    mib::NetSnmpConfig snmp;   // Snmp: address, version, credentials
    std::optional<int> timeoutSeconds;
    std::optional<int> retries;
};

struct ConsoleOptions {
    AgentChoice agent;
    std::optional<SlotPort> port;    // unset: the chassis' first Ethernet port
    std::vector<PortSpan> selected;  // resolved against the chassis once it is read
    std::vector<std::string> pages;  // empty: the default set of the port's kind
    std::string scriptPath;          // "-" for standard input
    std::string modulePath;
    bool dump = false;
    bool trace = false;
    bool help = false;
    bool version = false;
    bool quiet = false;           // no status line on the terminal during long reads
    std::set<std::string> given;  // the options named on the command line ("-v", "-A")
};

struct OptionsResult {
    bool ok = false;
    ConsoleOptions options;
    std::string error;  // for the operator, without the program name
};

OptionsResult parseOptions(const std::vector<std::string>& args);
std::string usageText(const std::string& program);

// True for an option that takes its value from the next argument ("-c", "--page").
bool optionTakesValue(const std::string& arg);

// "3/7" -> {3, 7}; false on anything else.
bool parseSlotPort(const std::string& text, SlotPort* out);

}  // namespace console
