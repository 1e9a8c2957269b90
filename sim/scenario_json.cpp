#include "sim/scenario_json.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <set>
#include <sstream>
#include <stdexcept>

#include <nlohmann/json.hpp>

namespace sim {

namespace {

using nlohmann::json;

constexpr std::size_t kMaxSystemText = 255;

struct ScenarioError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

[[noreturn]] void fail(const std::string& where, const std::string& cause) {
    throw ScenarioError(where + ": " + cause);
}

// Reads the fields of one JSON object; every field must be read or it is unknown.
class Fields {
public:
    Fields(const json& object, std::string where) : m_object(object), m_where(std::move(where)) {
        if (!m_object.is_object()) {
            fail(m_where, "expected an object");
        }
    }
    ~Fields() = default;

    bool has(const char* key) {
        m_known.insert(key);
        return m_object.contains(key);
    }

    int integer(const char* key, int low, int high, std::optional<int> fallback = {}) {
        if (!has(key)) {
            if (fallback) {
                return *fallback;
            }
            missing(key);
            return low;
        }
        const json& value = m_object.at(key);
        if (!value.is_number_integer()) {
            fail(m_where, std::string("field '") + key + "' must be an integer");
        }
        // Unsigned ones are compared as such: above 2^63 a signed read wraps.
        const bool outside =
            value.is_number_unsigned()
                ? value.get<unsigned long long>() > static_cast<unsigned long long>(high) ||
                      static_cast<long long>(value.get<unsigned long long>()) < low
                : value.get<long long>() > high || value.get<long long>() < low;
        if (outside) {
            fail(m_where, std::string("field '") + key + "' is " + value.dump() + ", outside " +
                              std::to_string(low) + ".." + std::to_string(high));
        }
        return static_cast<int>(value.get<long long>());
    }

    std::optional<int> optionalInteger(const char* key, int low, int high) {
        if (!has(key)) {
            return std::nullopt;
        }
        return integer(key, low, high);
    }

    std::string text(const char* key, std::optional<std::string> fallback = {}) {
        if (!has(key)) {
            if (fallback) {
                return *fallback;
            }
            missing(key);
            return {};
        }
        const json& value = m_object.at(key);
        if (!value.is_string()) {
            fail(m_where, std::string("field '") + key + "' must be a string");
        }
        return value.get<std::string>();
    }

    // A text of at most maxLength bytes, as the agent's DisplayString holds.
    std::string shortText(const char* key, std::size_t maxLength,
                          std::optional<std::string> fallback = {}) {
        std::string value = text(key, std::move(fallback));
        if (value.size() > maxLength) {
            fail(m_where, std::string("field '") + key + "' has " + std::to_string(value.size()) +
                              " characters, more than " + std::to_string(maxLength));
        }
        return value;
    }

    std::optional<bool> optionalBool(const char* key) {
        if (!has(key)) {
            return std::nullopt;
        }
        if (!m_object.at(key).is_boolean()) {
            fail(m_where, std::string("field '") + key + "' must be true or false");
        }
        return m_object.at(key).get<bool>();
    }

    std::string mac(const char* key, bool optional = false) {
        if (optional && !has(key)) {
            return {};
        }
        if (!has(key)) {
            missing(key);
            return std::string(6, '\0');
        }
        const std::string value = text(key);
        auto octets = parseMac(value);
        if (!octets) {
            fail(m_where, std::string("field '") + key + "' is not a MAC address: \"" + value +
                              "\" (expected six hex pairs separated by ':')");
        }
        return *octets;
    }

    std::string ip(const char* key) {
        if (!has(key)) {
            missing(key);
            return std::string(4, '\0');
        }
        const std::string value = text(key);
        auto octets = parseIp(value);
        if (!octets) {
            fail(m_where,
                 std::string("field '") + key + "' is not an IPv4 address: \"" + value + "\"");
        }
        return *octets;
    }

    // Array elements, each handed with its place ("slots[2]").
    template <typename Each>
    void array(const char* key, Each each) {
        if (!has(key)) {
            return;
        }
        const json& value = m_object.at(key);
        if (!value.is_array()) {
            fail(m_where, std::string("field '") + key + "' must be an array");
        }
        for (std::size_t i = 0; i < value.size(); ++i) {
            each(value[i], m_where + "." + key + "[" + std::to_string(i) + "]");
        }
    }

    std::vector<int> integers(const char* key, int low, int high) {
        std::vector<int> out;
        array(key, [&](const json& item, const std::string& where) {
            if (!item.is_number_integer() || item.get<long long>() < low ||
                item.get<long long>() > high) {
                fail(where,
                     "must be an integer in " + std::to_string(low) + ".." + std::to_string(high));
            }
            out.push_back(item.get<int>());
        });
        return out;
    }

    // Call after reading: names the first field nobody asked for, then the
    // first missing one (a misspelt field explains a missing one).
    void finish() const {
        for (const auto& [key, value] : m_object.items()) {
            if (m_known.count(key) == 0) {
                fail(m_where, "unknown field '" + key + "'");
            }
        }
        if (!m_firstMissing.empty()) {
            fail(m_where, "missing field '" + m_firstMissing + "'");
        }
    }

private:
    void missing(const char* key) {
        if (m_firstMissing.empty()) {
            m_firstMissing = key;
        }
    }

    const json& m_object;
    std::string m_where;
    std::set<std::string> m_known;
    std::string m_firstMissing;
};

void readEthernetPort(const json& item, const std::string& where, int portCount, SlotSpec* slot) {
    Fields f(item, where);
    EthernetPortSettings port;
    port.port = f.integer("port", 1, portCount);
    for (const EthernetPortSettings& earlier : slot->ports) {
        if (earlier.port == port.port) {
            fail(where, "port " + std::to_string(port.port) + " appears twice");
        }
    }
    port.adminStatus = f.optionalInteger("adminStatus", 1, 2);
    port.link = f.optionalBool("link");
    if (f.has("description")) {
        port.description = f.text("description");
    }
    port.autoNegotiate = f.optionalInteger("autoNegotiate", 1, 2);
    port.cfgSpeed = f.optionalInteger("cfgSpeed", 1, 5);
    port.cfgDuplex = f.optionalInteger("cfgDuplex", 1, 3);
    if (auto rate = f.optionalInteger("rate", 0, 1000000000)) {
        port.rate = static_cast<std::uint32_t>(*rate);
    }
    f.finish();
    slot->ports.push_back(port);
}

SlotSpec readSlot(const json& item, const std::string& where) {
    Fields f(item, where);
    SlotSpec slot;
    slot.slot = f.integer("slot", 1, 255);
    const std::string kind = f.text("kind", std::string("ethernet"));
    if (kind == "ethernet") {
        slot.kind = ModuleKind::Ethernet;
    } else if (kind == "expander") {
        slot.kind = ModuleKind::Expander;
    } else {
        fail(where, "field 'kind' is \"" + kind + "\"; expected \"ethernet\" or \"expander\"");
    }
    slot.moduleType = f.integer("moduleType", 0, 65535);
    slot.name = f.text("name", std::string());
    if (slot.kind == ModuleKind::Ethernet) {
        f.array("runs", [&](const json& run, const std::string& at) {
            Fields r(run, at);
            PortRun parsed{r.integer("count", 1, 255), r.integer("type", 1, 65535)};
            r.finish();
            slot.runs.push_back(parsed);
        });
        if (slot.portCount() > 999) {
            fail(where, "more than 999 ports on one slot");
        }
        f.array("ports", [&](const json& port, const std::string& at) {
            readEthernetPort(port, at, slot.portCount(), &slot);
        });
    } else {
        slot.banks = f.integer("banks", 1, 21);
        slot.expanderPortType = f.integer("portType", 1, 65535);
        f.array("segments", [&](const json& segment, const std::string& at) {
            Fields s(segment, at);
            Segment parsed{s.integer("segment", 1, 4), s.text("description", std::string())};
            s.finish();
            slot.segments.push_back(parsed);
        });
        f.array("ports", [&](const json& port, const std::string& at) {
            Fields p(port, at);
            ExpanderPortSettings parsed;
            parsed.bank = p.integer("bank", 1, slot.banks);
            parsed.port = p.integer("port", 1, 12);
            parsed.segment = p.optionalInteger("segment", 1, 4);
            parsed.uplink = p.optionalBool("uplink");
            parsed.adminStatus = p.optionalInteger("adminStatus", 1, 2);
            p.finish();
            for (const ExpanderPortSettings& earlier : slot.expanderPorts) {
                if (earlier.bank == parsed.bank && earlier.port == parsed.port) {
                    fail(at, "bank " + std::to_string(parsed.bank) + " port " +
                                 std::to_string(parsed.port) + " appears twice");
                }
            }
            slot.expanderPorts.push_back(parsed);
        });
    }
    f.finish();
    return slot;
}

// A reference to an Ethernet port must name one that the chassis has.
void checkEthernetPort(const Scenario& scenario, int slot, int port, const std::string& where) {
    const SlotSpec* slotInfo = scenario.findSlot(slot);
    if (slotInfo == nullptr || slotInfo->kind != ModuleKind::Ethernet) {
        fail(where, "slot " + std::to_string(slot) + " holds no Ethernet module");
    }
    if (slotInfo->typeOfPort(port) == 0) {
        fail(where, "slot " + std::to_string(slot) + " has no port " + std::to_string(port));
    }
}

// A channel ID names one channel, and a port is in at most one channel (a port twice in
// the same channel is refused where the channel is read).
void checkChannelAgainstOthers(const std::vector<Channel>& earlier, const Channel& channel,
                               const std::string& where) {
    std::vector<int> ports = channel.secondary;
    ports.push_back(channel.primary);
    for (const Channel& other : earlier) {
        if (other.id == channel.id) {
            fail(where, "channel " + std::to_string(channel.id) + " is defined twice");
        }
        if (other.slot != channel.slot) {
            continue;
        }
        std::vector<int> taken = other.secondary;
        taken.push_back(other.primary);
        for (int port : ports) {
            if (std::find(taken.begin(), taken.end(), port) != taken.end()) {
                fail(where, "port " + std::to_string(channel.slot) + "/" + std::to_string(port) +
                                " is already in channel " + std::to_string(other.id));
            }
        }
    }
}

Scenario readScenario(const json& root) {
    Fields f(root, "scenario");
    Scenario s;
    if (f.has("system")) {
        Fields sys(root.at("system"), "system");
        s.system.descr = sys.shortText("descr", kMaxSystemText, s.system.descr);
        s.system.name = sys.shortText("name", kMaxSystemText, s.system.name);
        s.system.contact = sys.shortText("contact", kMaxSystemText, std::string());
        s.system.location = sys.shortText("location", kMaxSystemText, std::string());
        sys.finish();
    }
    s.renegotiationMs = f.integer("renegotiationMs", 0, 600000, s.renegotiationMs);
    f.array("slots", [&](const json& item, const std::string& where) {
        SlotSpec slot = readSlot(item, where);
        if (s.findSlot(slot.slot) != nullptr) {
            fail(where, "slot " + std::to_string(slot.slot) + " appears twice");
        }
        s.slots.push_back(std::move(slot));
    });
    f.array("groups", [&](const json& item, const std::string& where) {
        Fields g(item, where);
        Group group;
        group.number = g.integer("number", 1, 65535);
        group.description = g.text("description", std::string());
        group.mode = g.integer("mode", 1, 255, 1);
        group.floodOverride = g.integer("floodOverride", -1, 0x7FFFFFFF, -1);
        g.finish();
        for (const Group& earlier : s.groups) {
            if (earlier.number == group.number) {
                fail(where, "group " + std::to_string(group.number) + " appears twice");
            }
        }
        s.groups.push_back(group);
    });
    f.array("vports", [&](const json& item, const std::string& where) {
        Fields v(item, where);
        VirtualPort vp;
        vp.slot = v.integer("slot", 1, 255);
        vp.port = v.integer("port", 1, 999);
        vp.service = v.integer("service", 1, 255, 4);
        vp.instance = v.integer("instance", 1, 65535, 1);
        vp.group = v.integer("group", 0, 65535, vp.group);
        vp.description = v.text("description", std::string());
        vp.adminStatus = v.integer("adminStatus", 1, 255, vp.adminStatus);
        vp.encapsulation = v.integer("encapsulation", 1, 255, vp.encapsulation);
        vp.bridgeMode = v.integer("bridgeMode", 1, 255, vp.bridgeMode);
        vp.manualMode = v.integer("manualMode", 1, 255, vp.manualMode);
        vp.switchTimer = v.integer("switchTimer", 0, 65535, vp.switchTimer);
        vp.floodLimit = v.integer("floodLimit", 0, 0x7FFFFFFF, vp.floodLimit);
        vp.bridgeProtocol = v.integer("bridgeProtocol", 1, 255, vp.bridgeProtocol);
        v.finish();
        checkEthernetPort(s, vp.slot, vp.port, where);
        s.vports.push_back(vp);
    });
    f.array("forwarding", [&](const json& item, const std::string& where) {
        Fields e(item, where);
        ForwardingEntry fe;
        fe.group = e.integer("group", 1, 65535);
        fe.mac = e.mac("mac");
        fe.slot = e.integer("slot", 1, 255);
        fe.port = e.integer("port", 1, 999);
        fe.service = e.integer("service", 1, 255, 4);
        fe.instance = e.integer("instance", 1, 65535, 1);
        fe.status = e.integer("status", 1, 255, fe.status);
        fe.vlanMembership = e.integer("vlanMembership", 0, 65535, fe.group);
        fe.duplicateStatus = e.integer("duplicateStatus", 1, 255, fe.duplicateStatus);
        e.finish();
        checkEthernetPort(s, fe.slot, fe.port, where);
        s.forwarding.push_back(fe);
    });
    f.array("ipToMac", [&](const json& item, const std::string& where) {
        Fields e(item, where);
        IpMacEntry entry;
        entry.ip = e.ip("ip");
        entry.mac = e.mac("mac");
        entry.slot = e.integer("slot", 1, 255);
        entry.port = e.integer("port", 1, 999);
        entry.duplicateMac = e.mac("duplicateMac", true);
        entry.duplicateSlot = e.integer("duplicateSlot", 0, 255, 0);
        entry.duplicatePort = e.integer("duplicatePort", 0, 999, 0);
        e.finish();
        checkEthernetPort(s, entry.slot, entry.port, where);
        s.ipToMac.push_back(entry);
    });
    f.array("channels", [&](const json& item, const std::string& where) {
        Fields c(item, where);
        Channel channel;
        channel.id = c.integer("id", 1, 254);
        channel.slot = c.integer("slot", 1, 255);
        channel.primary = c.integer("primary", 1, 999);
        channel.secondary = c.integers("secondary", 1, 999);
        c.finish();
        if (channel.secondary.size() > 3) {
            fail(where, "a channel has at most 3 secondary ports");
        }
        for (std::size_t i = 0; i < channel.secondary.size(); ++i) {
            const int port = channel.secondary[i];
            if (port == channel.primary) {
                fail(where, "port " + std::to_string(port) +
                                " is both the primary and a secondary port of the channel");
            }
            if (std::count(channel.secondary.begin(),
                           channel.secondary.begin() + static_cast<std::ptrdiff_t>(i), port)) {
                fail(where, "secondary port " + std::to_string(port) + " appears twice");
            }
        }
        checkEthernetPort(s, channel.slot, channel.primary, where);
        for (int port : channel.secondary) {
            checkEthernetPort(s, channel.slot, port, where);
        }
        checkChannelAgainstOthers(s.channels, channel, where);
        s.channels.push_back(channel);
    });
    f.array("trunking", [&](const json& item, const std::string& where) {
        Fields t(item, where);
        TrunkService service;
        const std::string kind = t.text("kind");
        auto parsed = trunkKindFromName(kind);
        if (!parsed) {
            fail(where,
                 "field 'kind' is \"" + kind +
                     "\"; expected \"trunking\", \"domainBridging\", \"8021Q\" or \"80210\"");
        }
        service.kind = *parsed;
        service.slot = t.integer("slot", 1, 255);
        service.port = t.integer("port", 1, 999);
        service.description = t.text("description", std::string());
        service.bridgeId = t.integer("bridgeId", 0, 65535, 1);
        service.groups = t.integers("groups", 1, 65535);
        t.finish();
        checkEthernetPort(s, service.slot, service.port, where);
        s.trunking.push_back(service);
    });
    f.array("mirrors", [&](const json& item, const std::string& where) {
        Fields m(item, where);
        Mirror mirror;
        mirror.slot = m.integer("slot", 1, 255);
        mirror.port = m.integer("port", 1, 999);
        mirror.service = m.integer("service", 1, 255, 4);
        mirror.instance = m.integer("instance", 1, 65535, 1);
        mirror.number = m.integer("number", 1, 65535, 1);
        mirror.toSlot = m.integer("toSlot", 1, 255);
        mirror.toPort = m.integer("toPort", 1, 999);
        mirror.toService = m.integer("toService", 1, 255, 4);
        mirror.toInstance = m.integer("toInstance", 1, 65535, 1);
        mirror.status = m.integer("status", 1, 255, 1);
        m.finish();
        checkEthernetPort(s, mirror.slot, mirror.port, where);
        checkEthernetPort(s, mirror.toSlot, mirror.toPort, where);
        s.mirrors.push_back(mirror);
    });
    f.finish();
    return s;
}

std::string lineAndColumn(const std::string& text, std::size_t byte) {
    int line = 1;
    int column = 1;
    for (std::size_t i = 0; i + 1 < byte && i < text.size(); ++i) {
        if (text[i] == '\n') {
            ++line;
            column = 1;
        } else {
            ++column;
        }
    }
    return "line " + std::to_string(line) + ", column " + std::to_string(column);
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

}  // namespace

std::optional<std::string> parseMac(const std::string& text) {
    if (text.size() != 17) {
        return std::nullopt;
    }
    std::string octets;
    for (std::size_t i = 0; i < 6; ++i) {
        const int high = hexDigit(text[i * 3]);
        const int low = hexDigit(text[i * 3 + 1]);
        if (high < 0 || low < 0 || (i < 5 && text[i * 3 + 2] != ':')) {
            return std::nullopt;
        }
        octets.push_back(static_cast<char>(high * 16 + low));
    }
    return octets;
}

std::string formatMac(const std::string& octets) {
    std::string out;
    char buffer[4];
    for (std::size_t i = 0; i < octets.size(); ++i) {
        std::snprintf(buffer, sizeof buffer, i == 0 ? "%02x" : ":%02x",
                      static_cast<unsigned char>(octets[i]));
        out += buffer;
    }
    return out;
}

std::optional<std::string> parseIp(const std::string& text) {
    std::string octets;
    std::istringstream in(text);
    std::string part;
    while (std::getline(in, part, '.')) {
        if (part.empty() || part.size() > 3 ||
            part.find_first_not_of("0123456789") != std::string::npos || std::stoi(part) > 255) {
            return std::nullopt;
        }
        octets.push_back(static_cast<char>(std::stoi(part)));
    }
    if (octets.size() != 4 || text.back() == '.') {
        return std::nullopt;
    }
    return octets;
}

std::string formatIp(const std::string& octets) {
    std::string out;
    for (std::size_t i = 0; i < octets.size(); ++i) {
        if (i != 0) {
            out += '.';
        }
        out += std::to_string(static_cast<unsigned char>(octets[i]));
    }
    return out;
}

std::optional<Scenario> parseScenario(const std::string& jsonText, std::string* error) {
    json root;
    try {
        root = json::parse(jsonText);
    } catch (const json::parse_error& e) {
        if (error != nullptr) {
            std::string what = e.what();
            const auto cut = what.find("syntax error");
            *error = lineAndColumn(jsonText, e.byte) +
                     ": malformed JSON: " + (cut == std::string::npos ? what : what.substr(cut));
        }
        return std::nullopt;
    } catch (const json::exception& e) {
        // A number no double holds (1e400), nesting too deep: unusable, never fatal.
        if (error != nullptr) {
            std::string what = e.what();
            const auto cut = what.find("] ");
            *error = "unusable JSON: " + (cut == std::string::npos ? what : what.substr(cut + 2));
        }
        return std::nullopt;
    }
    try {
        return readScenario(root);
    } catch (const ScenarioError& e) {
        if (error != nullptr) {
            *error = e.what();
        }
    } catch (const json::exception& e) {
        if (error != nullptr) {
            *error = std::string("unusable value: ") + e.what();
        }
    }
    return std::nullopt;
}

std::optional<Scenario> loadScenarioFile(const std::string& path, std::string* error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        if (error != nullptr) {
            *error = path + ": cannot be read";
        }
        return std::nullopt;
    }
    std::ostringstream text;
    text << in.rdbuf();
    std::string cause;
    auto scenario = parseScenario(text.str(), &cause);
    if (!scenario && error != nullptr) {
        *error = path + ": " + cause;
    }
    return scenario;
}

std::string scenarioToJson(const Scenario& s) {
    json root;
    root["system"] = {{"descr", s.system.descr},
                      {"name", s.system.name},
                      {"contact", s.system.contact},
                      {"location", s.system.location}};
    root["renegotiationMs"] = s.renegotiationMs;
    json slots = json::array();
    for (const SlotSpec& slot : s.slots) {
        json j = {{"slot", slot.slot}, {"moduleType", slot.moduleType}, {"name", slot.name}};
        if (slot.kind == ModuleKind::Ethernet) {
            j["kind"] = "ethernet";
            j["runs"] = json::array();
            for (const PortRun& run : slot.runs) {
                j["runs"].push_back({{"count", run.count}, {"type", run.type}});
            }
            for (const EthernetPortSettings& p : slot.ports) {
                json port = {{"port", p.port}};
                if (p.adminStatus)
                    port["adminStatus"] = *p.adminStatus;
                if (p.link)
                    port["link"] = *p.link;
                if (p.description)
                    port["description"] = *p.description;
                if (p.autoNegotiate)
                    port["autoNegotiate"] = *p.autoNegotiate;
                if (p.cfgSpeed)
                    port["cfgSpeed"] = *p.cfgSpeed;
                if (p.cfgDuplex)
                    port["cfgDuplex"] = *p.cfgDuplex;
                if (p.rate)
                    port["rate"] = *p.rate;
                j["ports"].push_back(port);
            }
        } else {
            j["kind"] = "expander";
            j["banks"] = slot.banks;
            j["portType"] = slot.expanderPortType;
            for (const Segment& seg : slot.segments) {
                j["segments"].push_back(
                    {{"segment", seg.number}, {"description", seg.description}});
            }
            for (const ExpanderPortSettings& p : slot.expanderPorts) {
                json port = {{"bank", p.bank}, {"port", p.port}};
                if (p.segment)
                    port["segment"] = *p.segment;
                if (p.uplink)
                    port["uplink"] = *p.uplink;
                if (p.adminStatus)
                    port["adminStatus"] = *p.adminStatus;
                j["ports"].push_back(port);
            }
        }
        slots.push_back(j);
    }
    root["slots"] = slots;
    for (const Group& g : s.groups) {
        root["groups"].push_back({{"number", g.number},
                                  {"description", g.description},
                                  {"mode", g.mode},
                                  {"floodOverride", g.floodOverride}});
    }
    for (const VirtualPort& v : s.vports) {
        root["vports"].push_back({{"slot", v.slot},
                                  {"port", v.port},
                                  {"service", v.service},
                                  {"instance", v.instance},
                                  {"group", v.group},
                                  {"description", v.description},
                                  {"adminStatus", v.adminStatus},
                                  {"encapsulation", v.encapsulation},
                                  {"bridgeMode", v.bridgeMode},
                                  {"manualMode", v.manualMode},
                                  {"switchTimer", v.switchTimer},
                                  {"floodLimit", v.floodLimit},
                                  {"bridgeProtocol", v.bridgeProtocol}});
    }
    for (const ForwardingEntry& e : s.forwarding) {
        root["forwarding"].push_back({{"group", e.group},
                                      {"mac", formatMac(e.mac)},
                                      {"slot", e.slot},
                                      {"port", e.port},
                                      {"service", e.service},
                                      {"instance", e.instance},
                                      {"status", e.status},
                                      {"vlanMembership", e.vlanMembership},
                                      {"duplicateStatus", e.duplicateStatus}});
    }
    for (const IpMacEntry& e : s.ipToMac) {
        json j = {
            {"ip", formatIp(e.ip)}, {"mac", formatMac(e.mac)}, {"slot", e.slot}, {"port", e.port}};
        if (!e.duplicateMac.empty()) {
            j["duplicateMac"] = formatMac(e.duplicateMac);
            j["duplicateSlot"] = e.duplicateSlot;
            j["duplicatePort"] = e.duplicatePort;
        }
        root["ipToMac"].push_back(j);
    }
    for (const Channel& c : s.channels) {
        root["channels"].push_back(
            {{"id", c.id}, {"slot", c.slot}, {"primary", c.primary}, {"secondary", c.secondary}});
    }
    for (const TrunkService& t : s.trunking) {
        root["trunking"].push_back({{"kind", trunkKindName(t.kind)},
                                    {"slot", t.slot},
                                    {"port", t.port},
                                    {"description", t.description},
                                    {"bridgeId", t.bridgeId},
                                    {"groups", t.groups}});
    }
    for (const Mirror& m : s.mirrors) {
        root["mirrors"].push_back({{"slot", m.slot},
                                   {"port", m.port},
                                   {"service", m.service},
                                   {"instance", m.instance},
                                   {"number", m.number},
                                   {"toSlot", m.toSlot},
                                   {"toPort", m.toPort},
                                   {"toService", m.toService},
                                   {"toInstance", m.toInstance},
                                   {"status", m.status}});
    }
    return root.dump(2) + "\n";
}

}  // namespace sim
