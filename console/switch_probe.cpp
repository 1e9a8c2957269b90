#include "console/switch_probe.h"

#include <algorithm>

#include "framework/mib/request_engine.h"

namespace console {

namespace {

constexpr int kAdminEnabled = 1;
constexpr int kOperUp = 3;

CStringArray names(std::initializer_list<const char*> list) {
    CStringArray result;
    for (const char* name : list) {
        result.Add(name);
    }
    return result;
}

}  // namespace

bool isPortEnabled(const PortStatus& status) {
    return status.admin == kAdminEnabled && status.oper == kOperUp;
}

void fillHealth(const std::vector<PortStatus>& rows, const std::vector<SlotPort>& selected,
                CHealth* health) {
    for (const PortStatus& row : rows) {
        if (std::find(selected.begin(), selected.end(), row.where) != selected.end()) {
            health->SetPortEnabled(row.where.slot, row.where.port, isPortEnabled(row));
        }
    }
}

std::unique_ptr<CHealth> readPortHealth(SwitchProbe& probe, const std::vector<SlotPort>& selected,
                                        std::string* error) {
    std::vector<PortStatus> rows;
    if (!probe.readPortStatus(&rows, error)) {
        return nullptr;
    }
    auto health = std::make_unique<CHealth>();
    fillHealth(rows, selected, health.get());
    return health;
}

const ChassisPort* findPort(const std::vector<ChassisPort>& ports, const SlotPort& where) {
    const auto it = std::find_if(ports.begin(), ports.end(),
                                 [&](const ChassisPort& p) { return p.where == where; });
    return it == ports.end() ? nullptr : &*it;
}

bool isEmptyChassis(const ChassisReading& reading) {
    return reading.ports.empty() && reading.chassis->GetSlots().empty();
}

std::optional<ChassisPort> firstEthernetPort(const std::vector<ChassisPort>& ports) {
    const auto it =
        std::find_if(ports.begin(), ports.end(), [](const ChassisPort& p) { return !p.expander; });
    if (it == ports.end()) {
        return std::nullopt;
    }
    return *it;
}

SwitchProbe::SwitchProbe(CMibAgent& agent, afx::EventLoop& loop)
    : m_agent(agent), m_loop(loop), m_comm(&agent) {
    m_comm.SetOwner(this);
    m_chassisAccess.SetMibComm(&m_comm);
}

SwitchProbe::~SwitchProbe() {
    m_chassisAccess.SetMibComm(nullptr);  // its requests go before the component
    m_comm.SetOwner(nullptr);
}

void SwitchProbe::OnRequestDone(int h) {
    OnError(h);
}

void SwitchProbe::OnError(int h) {
    if (h == m_waitingFor) {
        m_answered = true;
    }
    if (m_chassisAccess.HasResponded(h)) {
        m_chassisAnswered = true;
    }
}

bool SwitchProbe::await(const std::function<bool()>& finished, std::string* error) {
    mib::RequestEngine* engine = m_comm.engine();
    if (engine == nullptr) {
        *error = "the agent has no transport";
        return false;
    }
    // The engine ends every exchange within the agent's timeout and tries; a walk takes one
    // exchange per PDU, so the bound starts again with every answer.
    const std::int64_t exchangeBoundMs =
        (static_cast<std::int64_t>(m_agent.GetTimeout()) * (m_agent.GetRetries() + 1) + 1) * 1000;
    for (;;) {
        const std::uint64_t seen = engine->resultsReceived();
        if (!m_loop.runUntil([&] { return finished() || engine->resultsReceived() != seen; },
                             exchangeBoundMs)) {
            *error = std::string(m_agent.GetTransport()->describe()) + " does not answer";
            return false;
        }
        if (finished()) {
            return true;
        }
    }
}

long SwitchProbe::readOnce(const char* table, std::initializer_list<const char*> columns,
                           bool tableRead, std::string* error) {
    CStringArray list = names(columns);
    const long h = m_comm.OpenListRequest(0, table, &list);
    if (h <= 0) {
        *error = std::string("cannot open a request on ") + table;
        return 0;
    }
    m_waitingFor = h;
    m_answered = false;
    const BOOL started = tableRead ? m_comm.RequestTable(h) : m_comm.RequestRow(h);
    if (!started || !await([this] { return m_answered; }, error)) {
        if (started == FALSE) {
            *error = m_comm.GetErrorText(h).str();
        }
        m_comm.ReleaseRequest(h);
        return 0;
    }
    if (m_comm.GetErrorCode(h) != 0) {
        *error = m_comm.GetErrorText(h).str();
        m_comm.ReleaseRequest(h);
        return 0;
    }
    return h;
}

std::optional<std::string> SwitchProbe::readSysName(std::string* error) {
    return readSystemText("sysName", error);
}

std::optional<std::string> SwitchProbe::readSysDescr(std::string* error) {
    return readSystemText("sysDescr", error);
}

std::optional<std::string> SwitchProbe::readSystemText(const char* column, std::string* error) {
    const long h = readOnce("system", {column}, false, error);
    if (h == 0) {
        return std::nullopt;
    }
    std::optional<std::string> name;
    mib::RequestEngine& engine = *m_comm.engine();
    if (engine.rowCount(h) > 0 && engine.gotoRow(h, 0)) {
        if (const mib::Value* value = engine.value(h, column);
            value != nullptr && value->type == mib::ValueType::OctetString) {
            name = value->octets;
        }
    }
    if (!name) {
        *error = std::string("the agent has no ") + column;
    }
    m_comm.ReleaseRequest(h);
    return name;
}

std::optional<ChassisReading> SwitchProbe::readChassis(std::string* error) {
    m_chassisAnswered = false;
    if (!m_chassisAccess.AccessChassis()) {
        *error = "cannot read the chassis tables";
        return std::nullopt;
    }
    if (!await([this] { return m_chassisAnswered; }, error)) {
        return std::nullopt;
    }
    // Both tables are needed: the slots for the pages' chassis, the ports to choose from.
    for (const long h : {m_chassisAccess.slotRequest(), m_chassisAccess.portRequest()}) {
        if (m_comm.GetErrorCode(h) != 0) {
            *error = m_comm.GetErrorText(h).str();
            return std::nullopt;
        }
    }
    ChassisReading reading;
    reading.chassis = std::make_unique<CNxChassisInfo>();
    if (!m_chassisAccess.LoadChassisInfo(reading.chassis.get())) {
        *error = "the agent describes no usable chassis: " +
                 std::string(reading.chassis->LastError().str());
        return std::nullopt;
    }
    reading.ports = chassisPortRows(m_comm, m_chassisAccess.portRequest(), m_agent.GetDictionary());
    return reading;
}

bool SwitchProbe::readPortStatus(std::vector<PortStatus>* rows, std::string* error) {
    const long h = readOnce("phyPortTable", {"phyPortAdmStatus", "phyPortOperStatus"}, true, error);
    if (h == 0) {
        return false;
    }
    for (const PortReading& reading : portReadings(*m_comm.engine(), h)) {
        rows->push_back(reading.status);
    }
    m_comm.ReleaseRequest(h);
    return true;
}

}  // namespace console
