// Standard objects at their published OIDs: MIB-II system group,
// RMON Ethernet statistics (RFC 1757) and the repeater MIB (RFC 1516).
#include "framework/mib/mib_dictionary_data.h"

namespace mib::dictionary_data {
namespace {

const Oid kMib2 = {1, 3, 6, 1, 2, 1};
constexpr auto RO = Access::ReadOnly;
constexpr auto RW = Access::ReadWrite;
constexpr auto RC = Access::ReadCreate;

void addSystem(std::vector<MibVariable>* out) {
    GroupBuilder g(out, "system", concat(kMib2, {1}));
    g.scalar(1, "sysDescr", Syntax::DisplayString, RO, "Description of the agent")
        .size(0, 255)
        .scalar(2, "sysObjectID", Syntax::ObjectIdentifier, RO, "Product identity")
        .scalar(3, "sysUpTime", Syntax::TimeTicks, RO, "Time since the agent started")
        .scalar(4, "sysContact", Syntax::DisplayString, RW, "Contact person")
        .size(0, 255)
        .scalar(5, "sysName", Syntax::DisplayString, RW, "Name of the switch")
        .size(0, 255)
        .scalar(6, "sysLocation", Syntax::DisplayString, RW, "Where the switch stands")
        .size(0, 255)
        .scalar(7, "sysServices", Syntax::Integer, RO, "Layers of service offered");
}

void addEtherStats(std::vector<MibVariable>* out) {
    TableBuilder t(out, "etherStatsTable", concat(kMib2, {16, 1, 1, 1}), {"etherStatsIndex"});
    const auto counter = [&t](std::uint32_t sub, const char* name, const char* what) {
        t.column(sub, name, Syntax::Counter32, RO, what);
    };
    t.column(1, "etherStatsIndex", Syntax::Integer, RO, "Slot x 1000 + port");
    t.column(2, "etherStatsDataSource", Syntax::ObjectIdentifier, RC, "Interface measured");
    counter(3, "etherStatsDropEvents", "Events with packets dropped");
    counter(4, "etherStatsOctets", "Octets received");
    counter(5, "etherStatsPkts", "Packets received");
    counter(6, "etherStatsBroadcastPkts", "Broadcast packets received");
    counter(7, "etherStatsMulticastPkts", "Multicast packets received");
    counter(8, "etherStatsCRCAlignErrors", "Packets with FCS or alignment errors");
    counter(9, "etherStatsUndersizePkts", "Well-formed packets under 64 octets");
    counter(10, "etherStatsOversizePkts", "Well-formed packets over 1518 octets");
    counter(11, "etherStatsFragments", "Short packets with bad FCS");
    counter(12, "etherStatsJabbers", "Long packets with bad FCS");
    counter(13, "etherStatsCollisions", "Estimated collisions");
    counter(14, "etherStatsPkts64Octets", "Packets of 64 octets");
    counter(15, "etherStatsPkts65to127Octets", "Packets of 65 to 127 octets");
    counter(16, "etherStatsPkts128to255Octets", "Packets of 128 to 255 octets");
    counter(17, "etherStatsPkts256to511Octets", "Packets of 256 to 511 octets");
    counter(18, "etherStatsPkts512to1023Octets", "Packets of 512 to 1023 octets");
    counter(19, "etherStatsPkts1024to1518Octets", "Packets of 1024 to 1518 octets");
    t.column(20, "etherStatsOwner", Syntax::DisplayString, RC, "Owner of the entry").size(0, 127);
    t.column(21, "etherStatsStatus", Syntax::Enumeration, RC, "Entry status")
        .labels({{1, "valid"}, {2, "createRequest"}, {3, "underCreation"}, {4, "invalid"}});
}

void addRepeater(std::vector<MibVariable>* out) {
    const Oid repeater = concat(kMib2, {22});
    GroupBuilder info(out, "rptrRptrInfo", concat(repeater, {1, 1}));
    info.scalar(4, "rptrReset", Syntax::Enumeration, RW, "Write reset to reset the repeater")
        .labels({{1, "noReset"}, {2, "reset"}});

    TableBuilder groups(out, "rptrMonitorGroupTable", concat(repeater, {2, 2, 1, 1}),
                        {"rptrMonitorGroupIndex"});
    groups.column(1, "rptrMonitorGroupIndex", Syntax::Integer, RO, "Bank")
        .column(2, "rptrMonitorGroupTotalFrames", Syntax::Counter32, RO, "Frames in the bank")
        .column(3, "rptrMonitorGroupTotalOctets", Syntax::Counter32, RO, "Octets in the bank")
        .column(4, "rptrMonitorGroupTotalErrors", Syntax::Counter32, RO, "Errors in the bank");

    TableBuilder ports(out, "rptrMonitorPortTable", concat(repeater, {2, 3, 1, 1}),
                       {"rptrMonitorPortGroupIndex", "rptrMonitorPortIndex"});
    ports.column(1, "rptrMonitorPortGroupIndex", Syntax::Integer, RO, "Bank")
        .column(2, "rptrMonitorPortIndex", Syntax::Integer, RO, "Port within the bank");
    const std::pair<const char*, const char*> counters[] = {
        {"rptrMonitorPortReadableFrames", "Frames without errors"},
        {"rptrMonitorPortReadableOctets", "Octets in readable frames"},
        {"rptrMonitorPortFCSErrors", "Frames with FCS errors"},
        {"rptrMonitorPortAlignmentErrors", "Frames with alignment errors"},
        {"rptrMonitorPortFrameTooLongs", "Frames too long"},
        {"rptrMonitorPortShortEvents", "Fragments shorter than a slot"},
        {"rptrMonitorPortRunts", "Runts"},
        {"rptrMonitorPortCollisions", "Collisions"},
        {"rptrMonitorPortLateEvents", "Late collisions"},
        {"rptrMonitorPortVeryLongEvents", "Jabber events"},
        {"rptrMonitorPortDataRateMismatches", "Data rate mismatches"},
        {"rptrMonitorPortAutoPartitions", "Auto-partitions"},
        {"rptrMonitorPortTotalErrors", "All errors"},
    };
    std::uint32_t sub = 3;
    for (const auto& [name, what] : counters) {
        ports.column(sub++, name, Syntax::Counter32, RO, what);
    }
}

}  // namespace

void addStandardVariables(std::vector<MibVariable>* out) {
    addSystem(out);
    addEtherStats(out);
    addRepeater(out);
}

}  // namespace mib::dictionary_data
