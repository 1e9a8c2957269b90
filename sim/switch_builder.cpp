#include "sim/switch_builder.h"

#include <algorithm>
#include <map>

#include "sim/cell_writer.h"
#include "sim/chassis_contents.h"
#include "sim/port_rules.h"

namespace sim {

namespace {

using Columns = std::vector<ColumnValue>;

// Counter columns and their share of a port's rate (per mille).
struct CounterShare {
    const char* name;
    std::uint32_t perMille;
};

constexpr CounterShare kPhyPortCounters[] = {
    {"phyPortFrameIns", 1000},    {"phyPortFrameOuts", 900},     {"phyPortInOctets", 512000},
    {"phyPortOutOctets", 460000}, {"phyPortInUcastPkts", 800},   {"phyPortOutUcastPkts", 700},
    {"phyPortInNUcastPkts", 200}, {"phyPortOutNUcastPkts", 200}, {"phyPortInBufDiscs", 10},
    {"phyPortOutBufDiscs", 5},    {"phyPortInErrDiscs", 7},      {"phyPortOutErrDiscs", 3},
};

constexpr CounterShare kEtherStatsCounters[] = {
    {"etherStatsDropEvents", 4},
    {"etherStatsOctets", 512000},
    {"etherStatsPkts", 1000},
    {"etherStatsBroadcastPkts", 120},
    {"etherStatsMulticastPkts", 80},
    {"etherStatsCRCAlignErrors", 2},
    {"etherStatsUndersizePkts", 1},
    {"etherStatsOversizePkts", 1},
    {"etherStatsFragments", 3},
    {"etherStatsJabbers", 1},
    {"etherStatsCollisions", 9},
    {"etherStatsPkts64Octets", 300},
    {"etherStatsPkts65to127Octets", 250},
    {"etherStatsPkts128to255Octets", 150},
    {"etherStatsPkts256to511Octets", 120},
    {"etherStatsPkts512to1023Octets", 100},
    {"etherStatsPkts1024to1518Octets", 80},
};

constexpr CounterShare kRptrPortCounters[] = {
    {"rptrMonitorPortReadableFrames", 1000},
    {"rptrMonitorPortReadableOctets", 400000},
    {"rptrMonitorPortFCSErrors", 3},
    {"rptrMonitorPortAlignmentErrors", 2},
    {"rptrMonitorPortFrameTooLongs", 1},
    {"rptrMonitorPortShortEvents", 2},
    {"rptrMonitorPortRunts", 4},
    {"rptrMonitorPortCollisions", 20},
    {"rptrMonitorPortLateEvents", 1},
    {"rptrMonitorPortVeryLongEvents", 1},
    {"rptrMonitorPortDataRateMismatches", 1},
    {"rptrMonitorPortAutoPartitions", 1},
    {"rptrMonitorPortTotalErrors", 16},
};

constexpr CounterShare kRptrGroupCounters[] = {
    {"rptrMonitorGroupTotalFrames", 12000},
    {"rptrMonitorGroupTotalOctets", 4800000},
    {"rptrMonitorGroupTotalErrors", 190},
};

// An hour of traffic before the switch starts, so counters are not all small.
constexpr std::uint32_t kSecondsOfHistory = 3600;

void addCounters(Columns& row, const CounterShare* begin, const CounterShare* end,
                 std::uint32_t rate) {
    for (const CounterShare* share = begin; share != end; ++share) {
        const std::uint32_t perSecond =
            static_cast<std::uint32_t>(std::uint64_t{rate} * share->perMille / 1000);
        const auto base = static_cast<std::uint32_t>(std::uint64_t{perSecond} * kSecondsOfHistory);
        row.push_back({share->name, std::int64_t{base}, perSecond});
    }
}

const EthernetPortSettings* settingsOf(const SlotSpec& slot, int port) {
    for (const EthernetPortSettings& settings : slot.ports) {
        if (settings.port == port) {
            return &settings;
        }
    }
    return nullptr;
}

std::string macFor(int a, int b, int c) {
    return std::string{'\x00',
                       '\x60',
                       '\x3e',
                       static_cast<char>(a & 0xFF),
                       static_cast<char>(b & 0xFF),
                       static_cast<char>(c & 0xFF)};
}

class Builder {
public:
    Builder(const Scenario& scenario, const mib::MibDictionary& dictionary, std::int64_t nowMs,
            OidStore* store, std::set<std::string>* missing)
        : m_scenario(scenario),
          m_dictionary(dictionary),
          m_writer(*store, dictionary, nowMs, *missing) {}

    void build() {
        system();
        chassis();
        for (const SlotSpec& slot : m_scenario.slots) {
            if (slot.kind == ModuleKind::Ethernet) {
                ethernetSlot(slot);
            }
        }
        expander();
        groups();
        vports();
        forwarding();
        ipToMac();
        channels();
        trunking();
        mirrors();
    }

private:
    void system() {
        const SystemInfo& sys = m_scenario.system;
        m_writer.scalar({"sysDescr", sys.descr});
        m_writer.scalar({"sysObjectID", mib::Oid{1, 3, 6, 1, 4, 1, 32473, 1, 1}});
        m_writer.scalar({"sysUpTime", std::int64_t{0}, 100});
        m_writer.scalar({"sysContact", sys.contact});
        m_writer.scalar({"sysName", sys.name});
        m_writer.scalar({"sysLocation", sys.location});
        m_writer.scalar({"sysServices", std::int64_t{2}});
        m_writer.scalar({"rptrReset", std::int64_t{1}});
        m_writer.scalar({"chasNorixContents", encodeChassisContents(m_scenario).bytes});
    }

    void chassis() {
        for (const SlotSpec& slot : m_scenario.slots) {
            const std::int64_t s = slot.slot;
            const int count = slot.portCount();
            m_writer.row({{"chasSlotIndex", s},
                          {"chasSlotModuleType", std::int64_t{slot.moduleType}},
                          {"chasSlotModuleName", slot.name},
                          {"chasSlotPortCount", std::int64_t{count}},
                          {"chasSlotPortsPerUnit",
                           std::int64_t{slot.kind == ModuleKind::Expander ? 12 : count}}});
            for (int port = 1; port <= count; ++port) {
                m_writer.row({{"chasPortSlot", s},
                              {"chasPortIndex", std::int64_t{port}},
                              {"chasPortType", std::int64_t{slot.typeOfPort(port)}}});
            }
        }
    }

    ColumnValue mediaType(int type) const {
        const mib::MibVariable* var = m_dictionary.find("phyPortMediaType");
        if (var != nullptr && (var->syntax == mib::Syntax::DisplayString ||
                               var->syntax == mib::Syntax::OctetString)) {
            auto name = m_dictionary.enumText("PortName", type);
            return {"phyPortMediaType", name.value_or("type " + std::to_string(type))};
        }
        return {"phyPortMediaType", std::int64_t{mediumOf(type)}};
    }

    void ethernetSlot(const SlotSpec& slot) {
        const std::int64_t s = slot.slot;
        for (int port = 1; port <= slot.portCount(); ++port) {
            const std::int64_t p = port;
            const int type = slot.typeOfPort(port);
            const EthernetPortSettings* settings = settingsOf(slot, port);
            const int admin = settings && settings->adminStatus ? *settings->adminStatus : 1;
            const bool link = portHasLink(m_scenario, slot.slot, port);
            const std::string description =
                settings && settings->description
                    ? *settings->description
                    : "Port " + std::to_string(slot.slot) + "/" + std::to_string(port);
            const std::uint32_t rate = operStatusFor(admin, link) == kOperUp
                                           ? portTrafficRate(m_scenario, slot.slot, port)
                                           : 0;

            Columns phy{{"phyPortSlot", s},
                        {"phyPortIF", p},
                        mediaType(type),
                        {"phyPortAdmStatus", std::int64_t{admin}},
                        {"phyPortOperStatus", std::int64_t{operStatusFor(admin, link)}},
                        {"phyPortDescription", description}};
            addCounters(phy, std::begin(kPhyPortCounters), std::end(kPhyPortCounters), rate);
            m_writer.row(phy);

            Columns ether{
                {"etherStatsIndex", s * 1000 + p},
                {"etherStatsDataSource",
                 mib::Oid{1, 3, 6, 1, 2, 1, 2, 2, 1, 1, static_cast<std::uint32_t>(s * 1000 + p)}},
                {"etherStatsOwner", std::string("monitor")},
                {"etherStatsStatus", std::int64_t{1}}};
            addCounters(ether, std::begin(kEtherStatsCounters), std::end(kEtherStatsCounters),
                        rate);
            m_writer.row(ether);

            LinkConfig config = defaultLinkConfig(type);
            if (settings && settings->autoNegotiate)
                config.autoNegotiate = *settings->autoNegotiate;
            if (settings && settings->cfgSpeed)
                config.cfgSpeed = *settings->cfgSpeed;
            if (settings && settings->cfgDuplex)
                config.cfgDuplex = *settings->cfgDuplex;
            m_writer.row({{"mesmPortSlot", s},
                          {"mesmPortIF", p},
                          {"mesmPortAutoNegotiate", std::int64_t{config.autoNegotiate}},
                          {"mesmPortAutoSpeed", std::int64_t{detectedSpeed(type, config)}},
                          {"mesmPortAutoDuplexMode", std::int64_t{detectedDuplex(type, config)}},
                          {"mesmPortCfgSpeed", std::int64_t{config.cfgSpeed}},
                          {"mesmPortCfgDuplexMode", std::int64_t{config.cfgDuplex}}});
        }
    }

    void expander() {
        const auto found =
            std::find_if(m_scenario.slots.begin(), m_scenario.slots.end(),
                         [](const SlotSpec& s) { return s.kind == ModuleKind::Expander; });
        if (found == m_scenario.slots.end()) {
            return;  // the repeater tables describe one expander module
        }
        const SlotSpec& slot = *found;
        for (int number = 1; number <= 4; ++number) {
            std::string description = "Segment " + std::to_string(number);
            for (const Segment& segment : slot.segments) {
                if (segment.number == number) {
                    description = segment.description;
                }
            }
            m_writer.row({{"tarvoPortSegmentIndex", std::int64_t{number}},
                          {"tarvoPortSegmentDescr", description}});
        }
        for (int bank = 1; bank <= slot.banks; ++bank) {
            Columns group{{"rptrMonitorGroupIndex", std::int64_t{bank}}};
            addCounters(group, std::begin(kRptrGroupCounters), std::end(kRptrGroupCounters),
                        10 + 3 * static_cast<std::uint32_t>(bank));
            m_writer.row(group);
            for (int port = 1; port <= 12; ++port) {
                int segment = (port - 1) / 3 % 4 + 1;
                bool uplink = false;
                int admin = 1;
                for (const ExpanderPortSettings& settings : slot.expanderPorts) {
                    if (settings.bank == bank && settings.port == port) {
                        segment = settings.segment.value_or(segment);
                        uplink = settings.uplink.value_or(uplink);
                        admin = settings.adminStatus.value_or(admin);
                    }
                }
                const std::int64_t b = bank;
                const std::int64_t p = port;
                m_writer.row({{"tarvoPortGroupIndex", b},
                              {"tarvoPortIndex", p},
                              {"tarvoPortSegment", std::int64_t{segment}},
                              {"tarvoPortAdminStatus", std::int64_t{admin}},
                              {"tarvoPortUplinkStatus", std::int64_t{uplink ? 1 : 2}}});
                Columns counters{{"rptrMonitorPortGroupIndex", b}, {"rptrMonitorPortIndex", p}};
                addCounters(counters, std::begin(kRptrPortCounters), std::end(kRptrPortCounters),
                            // Hundreds of frames a second, so that the error counters move too.
                            admin == 1
                                ? static_cast<std::uint32_t>(100 * (5 + (bank * 12 + port) % 17))
                                : 0);
                m_writer.row(counters);
            }
        }
    }

    void groups() {
        for (const Group& g : m_scenario.groups) {
            m_writer.row({{"vLanNumber", std::int64_t{g.number}},
                          {"vLanDescription", g.description},
                          {"vLanMode", std::int64_t{g.mode}},
                          {"vLanFloodOverride", std::int64_t{g.floodOverride}}});
        }
    }

    void vports() {
        // Service 4 instance 1 on every Ethernet port, then the scenario's own entries.
        std::map<std::tuple<int, int, int, int>, VirtualPort> all;
        for (const SlotSpec& slot : m_scenario.slots) {
            if (slot.kind != ModuleKind::Ethernet) {
                continue;
            }
            for (int port = 1; port <= slot.portCount(); ++port) {
                VirtualPort vp;
                vp.slot = slot.slot;
                vp.port = port;
                all[{slot.slot, port, 4, 1}] = vp;
            }
        }
        for (const VirtualPort& vp : m_scenario.vports) {
            all[{vp.slot, vp.port, vp.service, vp.instance}] = vp;
        }
        for (const auto& [key, vp] : all) {
            const SlotSpec* slot = m_scenario.findSlot(vp.slot);
            const EthernetPortSettings* settings = slot ? settingsOf(*slot, vp.port) : nullptr;
            const int portAdmin = settings && settings->adminStatus ? *settings->adminStatus : 1;
            const bool up =
                operStatusFor(portAdmin, portHasLink(m_scenario, vp.slot, vp.port)) == kOperUp &&
                vp.adminStatus == 1;
            Columns row{{"vportSlot", std::int64_t{vp.slot}},
                        {"vportIF", std::int64_t{vp.port}},
                        {"vportFuncType", std::int64_t{vp.service}},
                        {"vportFuncTypeInstance", std::int64_t{vp.instance}},
                        {"vportVlanNumber", std::int64_t{vp.group}},
                        {"vportBridgeProtocol", std::int64_t{vp.bridgeProtocol}},
                        {"vportEncapsulation", std::int64_t{vp.encapsulation}},
                        {"vportBrdgMode", std::int64_t{vp.bridgeMode}},
                        {"vportSwitchTimer", std::int64_t{vp.switchTimer}},
                        {"vportDescription", vp.description},
                        {"vportFloodLimit", std::int64_t{vp.floodLimit}},
                        {"vportManualMode", std::int64_t{vp.manualMode}},
                        {"vportAdmStatus", std::int64_t{vp.adminStatus}},
                        {"vportOperStatus", std::int64_t{up ? kOperUp : kOperDown}}};
            row.push_back(vportMac(vp));
            m_writer.row(row);
        }
    }

    ColumnValue vportMac(const VirtualPort& vp) const {
        std::string octets = macFor(vp.slot, vp.port, vp.service * 16 + vp.instance);
        const mib::MibVariable* var = m_dictionary.find("vportMACaddress");
        if (var != nullptr && var->syntax == mib::Syntax::DisplayString) {
            static const char* hex = "0123456789abcdef";
            std::string text;
            for (std::size_t i = 0; i < octets.size(); ++i) {
                const auto byte = static_cast<unsigned char>(octets[i]);
                text += (i ? ":" : "") + std::string{hex[byte >> 4], hex[byte & 15]};
            }
            return {"vportMACaddress", text};
        }
        return {"vportMACaddress", octets};
    }

    void forwarding() {
        for (const ForwardingEntry& e : m_scenario.forwarding) {
            m_writer.row({{"vBrdgTpFdbGroupId", std::int64_t{e.group}},
                          {"vBrdgTpFdbAddress", e.mac},
                          {"vBrdgTpFdbRcvPortSlot", std::int64_t{e.slot}},
                          {"vBrdgTpFdbRcvPortIF", std::int64_t{e.port}},
                          {"vBrdgTpFdbRcvPortFuncTyp", std::int64_t{e.service}},
                          {"vBrdgTpFdbRcvPortFuncTypInst", std::int64_t{e.instance}},
                          {"vBrdgTpFdbRcvStatus", std::int64_t{e.status}},
                          {"vBrdgTpFdbRcvVLANMembership", std::int64_t{e.vlanMembership}},
                          {"vBrdgTpFdbDupStatus", std::int64_t{e.duplicateStatus}}});
        }
    }

    void ipToMac() {
        for (const IpMacEntry& e : m_scenario.ipToMac) {
            m_writer.row({{"norixIpAssocAddr", e.ip},
                          {"norixIpAssocMac", e.mac},
                          {"norixIpAssocSlot", std::int64_t{e.slot}},
                          {"norixIpAssocIntf", std::int64_t{e.port}},
                          {"norixIpAssocDupMac",
                           e.duplicateMac.empty() ? std::string(6, '\0') : e.duplicateMac},
                          {"norixIpAssocDupSlot", std::int64_t{e.duplicateSlot}},
                          {"norixIpAssocDupIntf", std::int64_t{e.duplicatePort}}});
        }
    }

    void channels() {
        for (const Channel& c : m_scenario.channels) {
            m_writer.row({{"ethChannelId", std::int64_t{c.id}},
                          {"priPortSlot", std::int64_t{c.slot}},
                          {"priPortPhysIntf", std::int64_t{c.primary}},
                          {"adminStatus", std::int64_t{1}}});
            for (int port : c.secondary) {
                m_writer.row({{"secethChannelId", std::int64_t{c.id}},
                              {"secPortSlot", std::int64_t{c.slot}},
                              {"secPortPhysIntf", std::int64_t{port}},
                              {"secadminStatus", std::int64_t{1}}});
            }
        }
    }

    void trunking() {
        for (const TrunkService& t : m_scenario.trunking) {
            const std::string services = trunkServicesPrefix(t.kind);
            const std::string members = trunkMembersPrefix(t.kind);
            m_writer.row({{services + "Slot", std::int64_t{t.slot}},
                          {services + "Station", std::int64_t{t.port}},
                          {services + "Description", t.description},
                          {services + "BridgeID", std::int64_t{t.bridgeId}}});
            for (int group : t.groups) {
                m_writer.row({{members + "Slot", std::int64_t{t.slot}},
                              {members + "Station", std::int64_t{t.port}},
                              {members + "LanNumber", std::int64_t{group}},
                              {members + "Command", std::int64_t{1}}});
            }
        }
    }

    void mirrors() {
        for (const Mirror& m : m_scenario.mirrors) {
            m_writer.row({{"mirrorSlot", std::int64_t{m.slot}},
                          {"mirrorIF", std::int64_t{m.port}},
                          {"mirrorFuncType", std::int64_t{m.service}},
                          {"mirrorFuncTypeInstance", std::int64_t{m.instance}},
                          {"mirrorNumber", std::int64_t{m.number}},
                          {"mirrorMirroringSlot", std::int64_t{m.toSlot}},
                          {"mirrorMirroringIF", std::int64_t{m.toPort}},
                          {"mirrorMirroringFuncType", std::int64_t{m.toService}},
                          {"mirrorMirroringFuncTypeInstance", std::int64_t{m.toInstance}},
                          {"mirrorStatus", std::int64_t{m.status}}});
        }
    }

    const Scenario& m_scenario;
    const mib::MibDictionary& m_dictionary;
    CellWriter m_writer;
};

}  // namespace

std::uint32_t portTrafficRate(const Scenario& scenario, int slot, int port) {
    if (const SlotSpec* slotInfo = scenario.findSlot(slot)) {
        if (const EthernetPortSettings* settings = settingsOf(*slotInfo, port)) {
            if (settings->rate) {
                return *settings->rate;
            }
        }
    }
    return 20 + static_cast<std::uint32_t>((slot * 37 + port * 11) % 180);
}

bool portHasLink(const Scenario& scenario, int slot, int port) {
    if (const SlotSpec* slotInfo = scenario.findSlot(slot)) {
        if (const EthernetPortSettings* settings = settingsOf(*slotInfo, port)) {
            return settings->link.value_or(true);
        }
    }
    return true;
}

void buildStore(const Scenario& scenario, const mib::MibDictionary& dictionary, std::int64_t nowMs,
                OidStore* store, std::set<std::string>* missing) {
    Builder(scenario, dictionary, nowMs, store, missing).build();
}

}  // namespace sim
