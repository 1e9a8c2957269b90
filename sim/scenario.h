#pragma once
// What a simulated chassis holds when it starts: modules and ports, virtual
// ports, groups, address tables, channels, trunking services and mirroring.
// Loaded from JSON scenario files or made by the scenario generator.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace sim {

struct PortRun {
    int count = 0;
    int type = 0;  // port type code
};

// Per-port departures from the defaults a port type implies.
struct EthernetPortSettings {
    int port = 0;
    std::optional<int> adminStatus;
    std::optional<bool> link;  // a cable with a partner: oper up while admin up
    std::optional<std::string> description;
    std::optional<int> autoNegotiate;  // 2 enabled, 1 disabled
    std::optional<int> cfgSpeed;
    std::optional<int> cfgDuplex;
    std::optional<std::uint32_t> rate;  // counter increments per second
};

struct Segment {
    int number = 0;
    std::string description;
};

struct ExpanderPortSettings {
    int bank = 0;
    int port = 0;
    std::optional<int> segment;
    std::optional<bool> uplink;
    std::optional<int> adminStatus;
};

enum class ModuleKind { Ethernet, Expander };

struct SlotSpec {
    int slot = 0;
    ModuleKind kind = ModuleKind::Ethernet;
    int moduleType = 0;
    std::string name;
    // Ethernet modules
    std::vector<PortRun> runs;
    std::vector<EthernetPortSettings> ports;
    // Expander modules: banks of 12 ports of one type
    int banks = 0;
    int expanderPortType = 0;
    std::vector<Segment> segments;
    std::vector<ExpanderPortSettings> expanderPorts;

    int portCount() const;
    int typeOfPort(int port) const;  // 0 when the port does not exist
};

struct Group {
    int number = 0;
    std::string description;
    int mode = 1;
    int floodOverride = -1;  // -1: each virtual port's own limit applies
};

// Every Ethernet port has service 4 instance 1; entries here override it or add services.
struct VirtualPort {
    int slot = 0, port = 0, service = 4, instance = 1;
    int group = 1;
    std::string description;
    int adminStatus = 1;
    int encapsulation = 1;
    int bridgeMode = 3;
    int manualMode = 1;
    int switchTimer = 300;
    int floodLimit = 0;
    int bridgeProtocol = 2;  // ieee8021d
};

struct ForwardingEntry {
    int group = 1;
    std::string mac;  // 6 octets
    int slot = 0, port = 0, service = 4, instance = 1;
    int status = 3;
    int vlanMembership = 1;
    int duplicateStatus = 1;  // unique
};

struct IpMacEntry {
    std::string ip;   // 4 octets
    std::string mac;  // 6 octets
    int slot = 0, port = 0;
    std::string duplicateMac;  // 6 octets, or empty for none
    int duplicateSlot = 0, duplicatePort = 0;
};

struct Channel {
    int id = 0;
    int slot = 0;
    int primary = 0;
    std::vector<int> secondary;
};

enum class TrunkKind { Trunking, DomainBridging, Dot1Q, Dot10 };

struct TrunkService {
    TrunkKind kind = TrunkKind::Dot1Q;
    int slot = 0, port = 0;
    std::string description;
    int bridgeId = 1;
    std::vector<int> groups;
};

struct Mirror {
    int slot = 0, port = 0, service = 4, instance = 1;
    int number = 1;
    int toSlot = 0, toPort = 0, toService = 4, toInstance = 1;
    int status = 1;
};

struct SystemInfo {
    std::string descr = "Simulated chassis switch";
    std::string name = "swsim";
    std::string contact;
    std::string location;
};

struct Scenario {
    SystemInfo system;
    int renegotiationMs = 4000;  // silence after an auto-negotiation write
    std::vector<SlotSpec> slots;
    std::vector<Group> groups;
    std::vector<VirtualPort> vports;
    std::vector<ForwardingEntry> forwarding;
    std::vector<IpMacEntry> ipToMac;
    std::vector<Channel> channels;
    std::vector<TrunkService> trunking;
    std::vector<Mirror> mirrors;

    const SlotSpec* findSlot(int slot) const;
};

// Port-type rules of speed, duplex and auto-negotiation.
struct PortCapabilities {
    bool autoNegotiation = false;
    bool duplex = true;
    bool speed = false;
    bool gigabit = false;  // offers the fourth speed choice
};
PortCapabilities capabilitiesOf(int portType);

const char* trunkKindName(TrunkKind kind);  // "trunking", "domainBridging", "8021Q", "80210"
std::optional<TrunkKind> trunkKindFromName(const std::string& name);
// Variable-name prefixes of a kind's services and members tables.
std::string trunkServicesPrefix(TrunkKind kind);  // "v8021QServices"
std::string trunkMembersPrefix(TrunkKind kind);   // "v8021Q"

}  // namespace sim
