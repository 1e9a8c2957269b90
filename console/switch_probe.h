#pragma once
// What the console reads before it opens any page: the switch's name, the ports of its
// chassis, to pick the default port and the page set of the port's kind, and which ports are
// enabled, for the pages' port health.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "console/console_options.h"
#include "framework/afx/event_loop.h"
#include "framework/mib/mib_agent.h"
#include "framework/mib/snmp_types.h"
#include "framework/sw/health.h"

namespace console {

// One row of the physical port table; a status the agent gave as no number reads 0.
struct PortStatus {
    SlotPort where;
    int admin = 0;
    int oper = 0;
};

struct ChassisPort {
    SlotPort where;
    int type = 0;
    bool expander = false;
};

class SwitchProbe {
public:
    SwitchProbe(CMibAgent& agent, afx::EventLoop& loop) : m_agent(agent), m_loop(loop) {}

    // sysName.0; nullopt and *error when the agent does not answer.
    std::optional<std::string> readSysName(std::string* error);
    // Every row of the chassis port table, in slot and port order.
    bool readPorts(std::vector<ChassisPort>* ports, std::string* error);
    // The compact chassis contents value (chasNorixContents.0).
    std::optional<std::string> readChassisContents(std::string* error);
    // Administrative and operational status of every physical port, in one walk of both
    // columns.
    bool readPortStatus(std::vector<PortStatus>* rows, std::string* error);

private:
    std::optional<mib::Value> getScalar(const char* name, std::string* error);
    bool exchange(const mib::RequestPdu& request, mib::ResponsePdu* response, std::string* error);

    CMibAgent& m_agent;
    afx::EventLoop& m_loop;
};

// An expander port by its type's catalogue entry; the chassis table has no kind column.
bool isExpanderPortType(const mib::MibDictionary& dictionary, int type);

// Enabled as the Status page draws a port up: administratively enabled and operationally up.
bool isPortEnabled(const PortStatus& status);

// The selected ports that are enabled into health; the others stay not enabled.
void fillHealth(const std::vector<PortStatus>& rows, const std::vector<SlotPort>& selected,
                CHealth* health);

// The health of the selected ports as the switch reports it now; nullptr and *error when the
// port table cannot be read, so that no port passes for enabled on a partial read.
std::unique_ptr<CHealth> readPortHealth(SwitchProbe& probe, const std::vector<SlotPort>& selected,
                                        std::string* error);

// The first port that is not an expander port, if any.
std::optional<ChassisPort> firstEthernetPort(const std::vector<ChassisPort>& ports);

}  // namespace console
