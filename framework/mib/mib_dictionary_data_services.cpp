// Area 3: virtual ports (services), groups, port mirroring.
#include "framework/mib/mib_dictionary_data.h"

namespace mib::dictionary_data {
namespace {

const Oid kArea = concat(kPrivateArc, {3});
constexpr auto RO = Access::ReadOnly;
constexpr auto RW = Access::ReadWrite;
constexpr auto RC = Access::ReadCreate;

void addVirtualPorts(std::vector<MibVariable>* out) {
    TableBuilder t(out, "vportTable", concat(kArea, {1, 1}),
                   {"vportSlot", "vportIF", "vportFuncType", "vportFuncTypeInstance"});
    t.column(1, "vportSlot", Syntax::Integer, RO, "Slot of the virtual port")
        .column(2, "vportIF", Syntax::Integer, RO, "Port of the virtual port")
        .column(3, "vportFuncType", Syntax::Enumeration, RO, "Service type")
        .labels(serviceTypeLabels())
        .column(4, "vportFuncTypeInstance", Syntax::Integer, RO, "Service instance")
        .column(5, "vportVlanNumber", Syntax::Integer, RW, "Group the virtual port belongs to")
        .column(6, "vportBridgeProtocol", Syntax::Enumeration, RO, "Spanning tree protocol")
        .labels({{1, "none"}, {2, "ieee8021d"}, {3, "decLanBridge"}})
        .column(7, "vportEncapsulation", Syntax::Enumeration, RW, "Frame encapsulation")
        .labels({{1, "default"},
                 {2, "ethernetII"},
                 {3, "snap"},
                 {4, "fddiTranslate"},
                 {5, "tokenRingTranslate"},
                 {6, "llc8022"},
                 {7, "ipx8023Raw"},
                 {8, "ipxSnap"},
                 {9, "ipxLlc"}})
        .column(8, "vportBrdgMode", Syntax::Enumeration, RW, "Bridging mode")
        .labels({{1, "notApplicable"},
                 {2, "routeOnly"},
                 {3, "transparent"},
                 {4, "sourceRoute"},
                 {5, "srt"}})
        .column(9, "vportSwitchTimer", Syntax::Integer, RW, "Switch timer, 0 to 65535 s")
        .column(10, "vportDescription", Syntax::DisplayString, RW, "Operator's description")
        .size(0, 40)
        .column(11, "vportFloodLimit", Syntax::Integer, RW, "Flood limit in bytes per second")
        .column(12, "vportManualMode", Syntax::Enumeration, RW, "Manual mode")
        .labels({{1, "disabled"}, {2, "enabled"}})
        .column(13, "vportAdmStatus", Syntax::Enumeration, RW, "Administrative status")
        .labels(enabledDisabledLabels())
        .column(14, "vportOperStatus", Syntax::Enumeration, RO, "Operational status")
        .labels(operStatusLabels())
        .column(15, "vportMACaddress", Syntax::MacAddress, RO, "MAC address of the virtual port");
}

void addGroups(std::vector<MibVariable>* out) {
    TableBuilder t(out, "vlanTable", concat(kArea, {2, 1}), {"vLanNumber"});
    t.column(1, "vLanNumber", Syntax::Integer, RO, "Group number")
        .column(2, "vLanDescription", Syntax::DisplayString, RW, "Group description")
        .size(0, 31)
        .column(3, "vLanMode", Syntax::Enumeration, RO, "Kind of group")
        // 4 and 5 are the switch's own groups, never offered to the operator.
        .labels({{1, "portBased"},
                 {2, "protocolBased"},
                 {3, "macBased"},
                 {4, "system"},
                 {5, "reserved"}})
        .column(4, "vLanFloodOverride", Syntax::Integer, RO,
                "Flood limit of the group: -1 per port, 0 disabled");
}

void addMirroring(std::vector<MibVariable>* out) {
    TableBuilder t(out, "mirrorTable", concat(kArea, {3, 1}),
                   {"mirrorSlot", "mirrorIF", "mirrorFuncType", "mirrorFuncTypeInstance"});
    t.column(1, "mirrorSlot", Syntax::Integer, RO, "Slot of the mirrored virtual port")
        .column(2, "mirrorIF", Syntax::Integer, RO, "Port of the mirrored virtual port")
        .column(3, "mirrorFuncType", Syntax::Enumeration, RO, "Service of the mirrored port")
        .labels(serviceTypeLabels())
        .column(4, "mirrorFuncTypeInstance", Syntax::Integer, RO, "Instance of the mirrored port")
        .column(5, "mirrorNumber", Syntax::Integer, RO, "Mirroring session number")
        .column(6, "mirrorMirroringSlot", Syntax::Integer, RC, "Slot receiving the copies")
        .column(7, "mirrorMirroringIF", Syntax::Integer, RC, "Port receiving the copies")
        .column(8, "mirrorMirroringFuncType", Syntax::Enumeration, RC, "Service receiving them")
        .labels(serviceTypeLabels())
        .column(9, "mirrorMirroringFuncTypeInstance", Syntax::Integer, RC, "Its instance")
        .column(10, "mirrorStatus", Syntax::Enumeration, RC, "Mirroring state")
        .labels(enabledDisabledLabels());
}

}  // namespace

void addServiceVariables(std::vector<MibVariable>* out) {
    addVirtualPorts(out);
    addGroups(out);
    addMirroring(out);
}

}  // namespace mib::dictionary_data
