#include "console/switch_probe.h"

#include <algorithm>

namespace console {

namespace {

constexpr int kAdminEnabled = 1;
constexpr int kOperUp = 3;

// Never more than the agent's own timeout and retries, plus a second for the loop.
std::int64_t exchangeBoundMs(const CMibAgent& agent) {
    return (static_cast<std::int64_t>(agent.GetTimeout()) * (agent.GetRetries() + 1) + 1) * 1000;
}

}  // namespace

bool isExpanderPortType(const mib::MibDictionary& dictionary, int type) {
    const auto name = dictionary.enumText("PortName", type);
    return name && name->find("Expander") != std::string::npos;
}

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

std::optional<ChassisPort> firstEthernetPort(const std::vector<ChassisPort>& ports) {
    const auto it =
        std::find_if(ports.begin(), ports.end(), [](const ChassisPort& p) { return !p.expander; });
    if (it == ports.end()) {
        return std::nullopt;
    }
    return *it;
}

bool SwitchProbe::exchange(const mib::RequestPdu& request, mib::ResponsePdu* response,
                           std::string* error) {
    mib::Transport* transport = m_agent.GetTransport();
    if (transport == nullptr) {
        *error = "the agent has no transport";
        return false;
    }
    bool done = false;
    mib::TransportResult result;
    mib::SendOptions options;
    options.timeoutSeconds = m_agent.GetTimeout();
    options.retries = m_agent.GetRetries();
    const auto ticket = transport->send(request, options, [&](const mib::TransportResult& r) {
        result = r;
        done = true;
    });
    if (ticket == 0) {
        *error = "cannot send to " + transport->describe();
        return false;
    }
    if (!m_loop.runUntil([&] { return done; }, exchangeBoundMs(m_agent))) {
        transport->cancel(ticket);
        *error = transport->describe() + " does not answer";
        return false;
    }
    if (result.outcome != mib::TransportOutcome::Response) {
        *error = transport->describe() + ": " + result.message;
        return false;
    }
    if (result.response.errorStatus != mib::ErrorStatus::NoError) {
        *error = transport->describe() + " answered " +
                 mib::errorStatusName(result.response.errorStatus);
        return false;
    }
    *response = std::move(result.response);
    return true;
}

std::optional<mib::Value> SwitchProbe::getScalar(const char* name, std::string* error) {
    const mib::MibVariable* variable = m_agent.GetDictionary().find(name);
    if (variable == nullptr) {
        *error = std::string("the MIB dictionary lacks ") + name;
        return std::nullopt;
    }
    mib::RequestPdu request;
    request.type = mib::PduType::Get;
    mib::Oid oid = variable->oid;
    oid.push_back(0);
    request.varbinds.push_back({oid, mib::Value::null()});
    mib::ResponsePdu response;
    if (!exchange(request, &response, error)) {
        return std::nullopt;
    }
    if (response.varbinds.size() != 1 || response.varbinds[0].value.isException()) {
        *error = std::string("the agent has no ") + name;
        return std::nullopt;
    }
    return response.varbinds[0].value;
}

std::optional<std::string> SwitchProbe::readSysName(std::string* error) {
    auto value = getScalar("sysName", error);
    return value ? std::optional<std::string>(value->octets) : std::nullopt;
}

std::optional<std::string> SwitchProbe::readChassisContents(std::string* error) {
    auto value = getScalar("chasNorixContents", error);
    return value ? std::optional<std::string>(value->octets) : std::nullopt;
}

bool SwitchProbe::readPorts(std::vector<ChassisPort>* ports, std::string* error) {
    const mib::MibDictionary& dictionary = m_agent.GetDictionary();
    const mib::MibVariable* column = dictionary.find("chasPortType");
    if (column == nullptr) {
        *error = "the MIB dictionary lacks chasPortType";
        return false;
    }
    mib::Oid cursor = column->oid;
    for (;;) {
        mib::RequestPdu request;
        request.type = mib::PduType::GetNext;
        request.varbinds.push_back({cursor, mib::Value::null()});
        mib::ResponsePdu response;
        if (!exchange(request, &response, error)) {
            return false;
        }
        if (response.varbinds.size() != 1) {
            *error = "malformed answer while reading the chassis port table";
            return false;
        }
        const mib::VarBind& vb = response.varbinds[0];
        // The walk ends where the column ends; an instance is (slot, port).
        if (vb.value.isException() || !mib::oidStartsWith(vb.oid, column->oid) ||
            vb.oid.size() != column->oid.size() + 2) {
            return true;
        }
        ChassisPort port;
        port.where.slot = static_cast<int>(vb.oid[column->oid.size()]);
        port.where.port = static_cast<int>(vb.oid[column->oid.size() + 1]);
        port.type = static_cast<int>(vb.value.integer);
        port.expander = isExpanderPortType(dictionary, port.type);
        ports->push_back(port);
        cursor = vb.oid;
    }
}

bool SwitchProbe::readPortStatus(std::vector<PortStatus>* rows, std::string* error) {
    const mib::MibDictionary& dictionary = m_agent.GetDictionary();
    const mib::MibVariable* admin = dictionary.find("phyPortAdmStatus");
    const mib::MibVariable* oper = dictionary.find("phyPortOperStatus");
    if (admin == nullptr || oper == nullptr) {
        *error = "the MIB dictionary lacks phyPortAdmStatus or phyPortOperStatus";
        return false;
    }
    const auto integerOf = [](const mib::Value& value) {
        return value.type == mib::ValueType::Integer ? static_cast<int>(value.integer) : 0;
    };
    mib::Oid adminCursor = admin->oid;
    mib::Oid operCursor = oper->oid;
    for (;;) {
        mib::RequestPdu request;
        request.type = mib::PduType::GetNext;
        request.varbinds.push_back({adminCursor, mib::Value::null()});
        request.varbinds.push_back({operCursor, mib::Value::null()});
        mib::ResponsePdu response;
        if (!exchange(request, &response, error)) {
            return false;
        }
        if (response.varbinds.size() != 2) {
            *error = "malformed answer while reading the physical port table";
            return false;
        }
        const mib::VarBind& a = response.varbinds[0];
        const mib::VarBind& o = response.varbinds[1];
        // The walk ends where the administrative column ends; an instance is (slot, port).
        if (a.value.isException() || !mib::oidStartsWith(a.oid, admin->oid) ||
            a.oid.size() != admin->oid.size() + 2) {
            return true;
        }
        // An agent that does not move forward would keep the walk going for ever.
        if (a.oid <= adminCursor) {
            *error = "the agent repeats itself while reading the physical port table";
            return false;
        }
        PortStatus row;
        row.where.slot = static_cast<int>(a.oid[admin->oid.size()]);
        row.where.port = static_cast<int>(a.oid[admin->oid.size() + 1]);
        row.admin = integerOf(a.value);
        // A row without its operational status (the next one answered instead) is not up.
        const bool sameRow =
            !o.value.isException() && mib::oidStartsWith(o.oid, oper->oid) &&
            std::equal(o.oid.begin() + static_cast<long>(oper->oid.size()), o.oid.end(),
                       a.oid.begin() + static_cast<long>(admin->oid.size()), a.oid.end());
        row.oper = sameRow ? integerOf(o.value) : 0;
        rows->push_back(row);
        adminCursor = a.oid;
        operCursor = oper->oid;
        operCursor.insert(operCursor.end(), a.oid.begin() + static_cast<long>(admin->oid.size()),
                          a.oid.end());
    }
}

}  // namespace console
