// Area 6: what the console needs to picture the chassis.
#include "framework/mib/mib_dictionary_data.h"

namespace mib::dictionary_data {
namespace {

const Oid kArea = concat(kPrivateArc, {6});
constexpr auto RO = Access::ReadOnly;

}  // namespace

void addChassisVariables(std::vector<MibVariable>* out) {
    TableBuilder slots(out, "chasSlotTable", concat(kArea, {1, 1}), {"chasSlotIndex"});
    slots.column(1, "chasSlotIndex", Syntax::Integer, RO, "Slot number")
        .column(2, "chasSlotModuleType", Syntax::Integer, RO, "Module type code, 0 when empty")
        .column(3, "chasSlotModuleName", Syntax::DisplayString, RO, "Module name")
        .size(0, 64)
        .column(4, "chasSlotPortCount", Syntax::Integer, RO, "Ports on the module")
        .column(5, "chasSlotPortsPerUnit", Syntax::Integer, RO, "Ports per bank (12 on expanders)");

    TableBuilder ports(out, "chasPortTable", concat(kArea, {2, 1}),
                       {"chasPortSlot", "chasPortIndex"});
    ports.column(1, "chasPortSlot", Syntax::Integer, RO, "Slot of the port")
        .column(2, "chasPortIndex", Syntax::Integer, RO, "Port number within the slot")
        .column(3, "chasPortType", Syntax::Integer, RO, "Port type code (see PortName)");

    GroupBuilder status(out, "chasStatus", concat(kArea, {3}));
    status
        .scalar(1, "chasNorixContents", Syntax::OctetString, RO,
                "Compact chassis contents, format version 1")
        .size(0, 512);
}

}  // namespace mib::dictionary_data
