#pragma once
// What the console reads before it opens any page: the switch's name, its chassis (slot and
// port tables, to pick the default port and the page set of the port's kind), and which ports
// are enabled, for the pages' port health. Each table is one walk of the request engine,
// waited for on the console's event loop and bounded by the agent's timeout and tries for
// every exchange of the walk.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "console/console_options.h"
#include "console/port_table_rows.h"
#include "framework/afx/event_loop.h"
#include "framework/mib/mib_agent.h"
#include "framework/mib/mib_comm.h"
#include "framework/sw/chassis_access.h"
#include "framework/sw/health.h"
#include "framework/sw/nx_chassis_info.h"

namespace console {

// The chassis as the slot and port tables describe it.
struct ChassisReading {
    std::unique_ptr<CNxChassisInfo> chassis;
    std::vector<ChassisPort> ports;  // every row of the port table, in slot and port order
};

class SwitchProbe : private CMibCommEvents {
public:
    SwitchProbe(CMibAgent& agent, afx::EventLoop& loop);
    ~SwitchProbe();
    SwitchProbe(const SwitchProbe&) = delete;
    SwitchProbe& operator=(const SwitchProbe&) = delete;

    // sysName.0; nullopt and *error when the agent does not answer.
    std::optional<std::string> readSysName(std::string* error);
    // sysDescr.0, as readSysName.
    std::optional<std::string> readSysDescr(std::string* error);
    // chasSlotTable and chasPortTable; nullopt and *error when either cannot be read or names
    // a slot or port beyond any chassis.
    std::optional<ChassisReading> readChassis(std::string* error);
    // Administrative and operational status of every physical port, in one walk of both
    // columns.
    bool readPortStatus(std::vector<PortStatus>* rows, std::string* error);

private:
    void OnRequestDone(int h) override;
    void OnError(int h) override;
    // Runs the loop until finished(); false (and *error) when an exchange outlasts the
    // agent's timeout and tries.
    bool await(const std::function<bool()>& finished, std::string* error);
    // Opens, reads (row or table) and waits for one request; 0 and *error when it failed.
    long readOnce(const char* table, std::initializer_list<const char*> names, bool tableRead,
                  std::string* error);
    // A text column of the system group.
    std::optional<std::string> readSystemText(const char* column, std::string* error);

    CMibAgent& m_agent;
    afx::EventLoop& m_loop;
    CMibComm m_comm;
    CChassisAccess m_chassisAccess;
    long m_waitingFor = 0;
    bool m_chassisAnswered = false;
    bool m_answered = false;
};

// Enabled as the Status page draws a port up: administratively enabled and operationally up.
bool isPortEnabled(const PortStatus& status);

// The selected ports that are enabled into health; the others stay not enabled.
void fillHealth(const std::vector<PortStatus>& rows, const std::vector<SlotPort>& selected,
                CHealth* health);

// The health of the selected ports as the switch reports it now; nullptr and *error when the
// port table cannot be read, so that no port passes for enabled on a partial read.
std::unique_ptr<CHealth> readPortHealth(SwitchProbe& probe, const std::vector<SlotPort>& selected,
                                        std::string* error);

// The port at where; nullptr when the chassis has none there.
const ChassisPort* findPort(const std::vector<ChassisPort>& ports, const SlotPort& where);

// Neither a slot nor a port: an agent that answers SNMP without being a chassis switch.
bool isEmptyChassis(const ChassisReading& reading);

// The first port that is not an expander port, if any.
std::optional<ChassisPort> firstEthernetPort(const std::vector<ChassisPort>& ports);

}  // namespace console
