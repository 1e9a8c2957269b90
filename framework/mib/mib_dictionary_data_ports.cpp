// Area 1: physical ports, speed and duplex, port channels.
#include "framework/mib/mib_dictionary_data.h"

namespace mib::dictionary_data {
namespace {

const Oid kArea = concat(kPrivateArc, {1});
constexpr auto RO = Access::ReadOnly;
constexpr auto RW = Access::ReadWrite;
constexpr auto RC = Access::ReadCreate;

std::vector<EnumLabel> speedLabels() {
    // 4 is an automatic mode limited to 100 Mb/s; only gigabit ports offer 5.
    return {{1, "10"}, {2, "100"}, {3, "auto"}, {4, "auto10-100"}, {5, "1000"}};
}

std::vector<EnumLabel> duplexLabels() {
    return {{1, "fullDuplex"}, {2, "halfDuplex"}, {3, "autoDuplex"}};
}

std::vector<EnumLabel> channelStatusLabels() {
    return {{1, "create"}, {2, "delete"}};
}

void addPhysicalPorts(std::vector<MibVariable>* out) {
    TableBuilder t(out, "phyPortTable", concat(kArea, {1, 1}), {"phyPortSlot", "phyPortIF"});
    t.column(1, "phyPortSlot", Syntax::Integer, RO, "Slot of the port")
        .column(2, "phyPortIF", Syntax::Integer, RO, "Port number within the slot")
        .column(3, "phyPortMediaType", Syntax::Enumeration, RO, "Medium of the port")
        .labels({{1, "other"},
                 {2, "10BaseT"},
                 {3, "10BaseFL"},
                 {4, "10Base2"},
                 {5, "10Base5"},
                 {6, "100BaseTX"},
                 {7, "100BaseFX"},
                 {8, "1000BaseSX"},
                 {9, "1000BaseLX"},
                 {10, "1000BaseT"}})
        .column(4, "phyPortAdmStatus", Syntax::Enumeration, RW, "Administrative status")
        .labels({{1, "enabled"}, {2, "disabled"}, {3, "testing"}})
        .column(5, "phyPortOperStatus", Syntax::Enumeration, RO, "Operational status")
        .labels(operStatusLabels())
        .column(6, "phyPortDescription", Syntax::DisplayString, RW, "Operator's description")
        .size(0, 31)
        .column(7, "phyPortFrameIns", Syntax::Counter32, RO, "Frames received")
        .column(8, "phyPortFrameOuts", Syntax::Counter32, RO, "Frames sent")
        .column(9, "phyPortInOctets", Syntax::Counter32, RO, "Octets received")
        .column(10, "phyPortOutOctets", Syntax::Counter32, RO, "Octets sent")
        .column(11, "phyPortInUcastPkts", Syntax::Counter32, RO, "Unicast packets received")
        .column(12, "phyPortOutUcastPkts", Syntax::Counter32, RO, "Unicast packets sent")
        .column(13, "phyPortInNUcastPkts", Syntax::Counter32, RO, "Non-unicast packets received")
        .column(14, "phyPortOutNUcastPkts", Syntax::Counter32, RO, "Non-unicast packets sent")
        .column(15, "phyPortInBufDiscs", Syntax::Counter32, RO, "Inbound discards, no buffer")
        .column(16, "phyPortOutBufDiscs", Syntax::Counter32, RO, "Outbound discards, no buffer")
        .column(17, "phyPortInErrDiscs", Syntax::Counter32, RO, "Inbound discards, errors")
        .column(18, "phyPortOutErrDiscs", Syntax::Counter32, RO, "Outbound discards, errors");
}

void addSpeedAndDuplex(std::vector<MibVariable>* out) {
    TableBuilder t(out, "mesmPortTable", concat(kArea, {2, 1}), {"mesmPortSlot", "mesmPortIF"});
    t.column(1, "mesmPortSlot", Syntax::Integer, RO, "Slot of the port")
        .column(2, "mesmPortIF", Syntax::Integer, RO, "Port number within the slot")
        .column(3, "mesmPortAutoNegotiate", Syntax::Enumeration, RW, "Auto-negotiation")
        .labels({{1, "disabled"}, {2, "enabled"}})
        .column(4, "mesmPortAutoSpeed", Syntax::Enumeration, RO, "Detected speed (Mb/s)")
        .labels(speedLabels())
        .column(5, "mesmPortAutoDuplexMode", Syntax::Enumeration, RO, "Detected duplex mode")
        .labels(duplexLabels())
        .column(6, "mesmPortCfgSpeed", Syntax::Enumeration, RW, "Configured speed (Mb/s)")
        .labels(speedLabels())
        .column(7, "mesmPortCfgDuplexMode", Syntax::Enumeration, RW, "Configured duplex mode")
        .labels(duplexLabels());
}

void addChannels(std::vector<MibVariable>* out) {
    TableBuilder primary(out, "ethChannelTable", concat(kArea, {3, 1}), {"ethChannelId"});
    primary.column(1, "ethChannelId", Syntax::Integer, RO, "Channel ID, 1 to 254")
        .column(2, "priPortSlot", Syntax::Integer, RC, "Slot of the channel's ports")
        .column(3, "priPortPhysIntf", Syntax::Integer, RC, "Primary port of the channel")
        .column(4, "adminStatus", Syntax::Enumeration, RC, "Write create or delete")
        .labels(channelStatusLabels());

    TableBuilder secondary(out, "secEthChannelTable", concat(kArea, {4, 1}),
                           {"secethChannelId", "secPortSlot", "secPortPhysIntf"});
    secondary.column(1, "secethChannelId", Syntax::Integer, RO, "Channel ID of the row")
        .column(2, "secPortSlot", Syntax::Integer, RO, "Slot of the secondary port")
        .column(3, "secPortPhysIntf", Syntax::Integer, RO, "Secondary port number")
        .column(4, "secadminStatus", Syntax::Enumeration, RC, "Write create or delete")
        .labels(channelStatusLabels());
}

}  // namespace

void addPortVariables(std::vector<MibVariable>* out) {
    addPhysicalPorts(out);
    addSpeedAndDuplex(out);
    addChannels(out);
}

}  // namespace mib::dictionary_data
