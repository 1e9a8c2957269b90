#include "console/port_table_rows.h"

#include <algorithm>
#include <climits>

namespace console {

namespace {

int clampedInt(long number) {
    return static_cast<int>(std::clamp<long>(number, INT_MIN, INT_MAX));
}

}  // namespace

bool isExpanderPortType(const mib::MibDictionary& dictionary, int type) {
    const auto name = dictionary.enumText("PortName", type);
    return name && name->find("Expander") != std::string::npos;
}

std::vector<ChassisPort> chassisPortRows(CMibComm& comm, long h,
                                         const mib::MibDictionary& dictionary) {
    std::vector<ChassisPort> ports;
    for (long row = 0; row < comm.GetRowCount(h) && comm.GotoRow(h, row); ++row) {
        ChassisPort port;
        port.where.slot = clampedInt(comm.GetInteger(h, "chasPortSlot"));
        port.where.port = clampedInt(comm.GetInteger(h, "chasPortIndex"));
        port.type = clampedInt(comm.GetInteger(h, "chasPortType"));
        port.expander = isExpanderPortType(dictionary, port.type);
        ports.push_back(port);
    }
    return ports;
}

std::vector<PortReading> portReadings(mib::RequestEngine& engine, long h) {
    const auto integerOf = [&](const char* name) {
        const mib::Value* value = engine.value(h, name);
        return value != nullptr && value->type == mib::ValueType::Integer
                   ? static_cast<int>(value->integer)
                   : 0;
    };
    std::vector<PortReading> rows;
    for (int row = 0; row < engine.rowCount(h) && engine.gotoRow(h, row); ++row) {
        // An instance is (slot, port); a row of another shape names no port.
        const mib::Oid instance = engine.currentInstance(h);
        if (instance.size() != 2) {
            continue;
        }
        PortReading reading;
        PortStatus& status = reading.status;
        status.where.slot = clampedInt(static_cast<long>(instance[0]));
        status.where.port = clampedInt(static_cast<long>(instance[1]));
        // A row without its operational status is not up.
        status.admin = integerOf("phyPortAdmStatus");
        status.oper = integerOf("phyPortOperStatus");
        if (const mib::Value* text = engine.value(h, "phyPortDescription");
            text != nullptr && text->type == mib::ValueType::OctetString) {
            reading.description = text->octets;
        }
        rows.push_back(std::move(reading));
    }
    return rows;
}

}  // namespace console
