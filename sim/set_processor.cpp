#include "sim/set_processor.h"

#include <algorithm>
#include <map>
#include <optional>
#include <set>
#include <string>

#include "sim/instance_codec.h"
#include "sim/port_rules.h"
#include "sim/set_transaction.h"
#include "sim/value_syntax.h"

namespace sim {

namespace {

struct Write {
    int index = 0;  // 1-based varbind position
    const mib::MibVariable* var = nullptr;
    mib::Oid instance;
    mib::Value value;
};

struct Failure {
    mib::ErrorStatus status;
    int index;
};

using Result = std::optional<Failure>;

bool endsWith(const std::string& text, std::string_view tail) {
    return text.size() >= tail.size() &&
           text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

std::optional<TrunkKind> trunkKindOfName(const std::string& name, std::string_view tail) {
    for (TrunkKind kind :
         {TrunkKind::Trunking, TrunkKind::DomainBridging, TrunkKind::Dot1Q, TrunkKind::Dot10}) {
        if (name == trunkMembersPrefix(kind) + std::string(tail)) {
            return kind;
        }
    }
    return std::nullopt;
}

// Access, type, size and label checks of one varbind, before any rule runs.
Result checkVarbind(const mib::MibDictionary& dictionary, const mib::VarBind& vb, int index,
                    Write* out) {
    const mib::MibVariable* var = dictionary.findByInstanceOid(vb.oid);
    if (var == nullptr) {
        return Failure{mib::ErrorStatus::NoCreation, index};
    }
    if (!var->isWritable()) {
        return Failure{mib::ErrorStatus::NotWritable, index};
    }
    if (vb.value.type != valueTypeFor(var->syntax)) {
        return Failure{mib::ErrorStatus::WrongType, index};
    }
    const mib::Value& value = vb.value;
    if (value.type == mib::ValueType::OctetString) {
        const auto size = static_cast<int>(value.octets.size());
        if ((var->maxSize > 0 && size > var->maxSize) || size < var->minSize ||
            (var->syntax == mib::Syntax::MacAddress && size != 6)) {
            return Failure{mib::ErrorStatus::WrongLength, index};
        }
    }
    // A DisplayString is printable ASCII: no control byte can reach a terminal through it.
    if (var->syntax == mib::Syntax::DisplayString &&
        std::any_of(value.octets.begin(), value.octets.end(), [](char c) {
            const auto byte = static_cast<unsigned char>(c);
            return byte < 0x20 || byte >= 0x7f;
        })) {
        return Failure{mib::ErrorStatus::WrongValue, index};
    }
    if (value.type == mib::ValueType::IpAddress && value.octets.size() != 4) {
        return Failure{mib::ErrorStatus::WrongLength, index};
    }
    if (value.type == mib::ValueType::Integer &&
        (value.integer < INT32_MIN || value.integer > INT32_MAX)) {
        return Failure{mib::ErrorStatus::WrongValue, index};
    }
    if (var->syntax == mib::Syntax::Enumeration && !var->enums.empty() &&
        std::none_of(var->enums.begin(), var->enums.end(),
                     [&](const mib::EnumLabel& l) { return l.value == value.integer; })) {
        return Failure{mib::ErrorStatus::WrongValue, index};
    }
    mib::Oid instance(vb.oid.begin() + static_cast<long>(var->oid.size()), vb.oid.end());
    if (var->isColumn()) {
        auto objects = indexObjectsOf(dictionary, *var);
        if (!objects || !decodeInstance(*objects, instance)) {
            return Failure{mib::ErrorStatus::NoCreation, index};
        }
    } else if (instance != mib::Oid{0}) {
        return Failure{mib::ErrorStatus::NoCreation, index};
    }
    *out = Write{index, var, std::move(instance), value};
    return std::nullopt;
}

class Rules {
public:
    Rules(SetTransaction& tx, const Scenario& scenario) : m_tx(tx), m_scenario(scenario) {}

    Result apply(const std::vector<Write>& writes) {
        // Rows are created and deleted first, so that a PDU may name a new row's
        // columns in any order.
        for (const Write& w : writes) {
            if (Result r = rowLifecycle(w)) {
                return r;
            }
        }
        for (const Write& w : writes) {
            if (m_handled.count(w.index) == 0) {
                if (Result r = plainWrite(w)) {
                    return r;
                }
            }
        }
        if (Result r = checkChannels(writes)) {
            return r;
        }
        if (Result r = checkAddressesAndMirrors()) {
            return r;
        }
        return checkPortLinks(writes);
    }

    const SetEffects& effects() const { return m_effects; }

private:
    static Failure fail(mib::ErrorStatus status, const Write& w) { return {status, w.index}; }

    bool isEthernetPort(std::int64_t slot, std::int64_t port) const {
        const SlotSpec* slotInfo = m_scenario.findSlot(static_cast<int>(slot));
        return slotInfo != nullptr && slotInfo->kind == ModuleKind::Ethernet && port >= 1 &&
               port <= slotInfo->portCount();
    }

    bool groupExists(std::int64_t group) const {
        if (group < 0 || group > 0xFFFFFFFFLL) {
            return false;
        }
        const mib::Oid key{static_cast<std::uint32_t>(group)};
        return m_tx.exists("vLanNumber", key) || m_tx.exists("vLanDescription", key);
    }

    Result rowLifecycle(const Write& w) {
        const std::string& name = w.var->name;
        if (name == "adminStatus") {
            m_handled.insert(w.index);
            return primaryChannel(w);
        }
        if (name == "secadminStatus") {
            m_handled.insert(w.index);
            return secondaryChannel(w);
        }
        if (name == "vBrdgStaticStatus") {
            m_handled.insert(w.index);
            return staticAddress(w);
        }
        if (name == "mirrorStatus") {
            m_handled.insert(w.index);
            return mirrorSession(w);
        }
        if (auto kind = trunkKindOfName(name, "Command")) {
            m_handled.insert(w.index);
            return trunkMember(w, *kind);
        }
        if (auto kind = trunkKindOfName(name, "ServicesDescription")) {
            if (w.instance.size() != 2 || !isEthernetPort(w.instance[0], w.instance[1])) {
                return fail(mib::ErrorStatus::NoCreation, w);
            }
            ensureTrunkService(*kind, w.instance);
        }
        return std::nullopt;
    }

    Result primaryChannel(const Write& w) {
        const std::int64_t id = w.instance.size() == 1 ? w.instance[0] : 0;
        if (id < 1 || id > 254) {
            return fail(mib::ErrorStatus::NoCreation, w);
        }
        const bool exists = m_tx.rowExists(*w.var, w.instance);
        if (w.value.integer == 1 && exists) {
            // Creating it again would take over the channel's ports.
            return fail(mib::ErrorStatus::InconsistentValue, w);
        }
        if (w.value.integer == 1) {
            m_tx.putInteger("ethChannelId", w.instance, id);
            m_tx.putInteger("priPortSlot", w.instance, 0);
            m_tx.putInteger("priPortPhysIntf", w.instance, 0);
            m_touchedChannels.insert(id);
        } else if (w.value.integer == 2) {
            if (!exists) {
                return fail(mib::ErrorStatus::NoCreation, w);
            }
            m_tx.eraseRow(*w.var, w.instance);
            if (const auto* secondary = m_tx.dictionary().find("secadminStatus")) {
                for (const mib::Oid& instance : m_tx.instances("secethChannelId", w.instance)) {
                    m_tx.eraseRow(*secondary, instance);
                }
                for (const mib::Oid& instance : m_tx.instances("secadminStatus", w.instance)) {
                    m_tx.eraseRow(*secondary, instance);
                }
            }
            return std::nullopt;
        } else if (!exists) {
            return fail(mib::ErrorStatus::NoCreation, w);
        }
        m_tx.put(*w.var, w.instance, w.value);
        return std::nullopt;
    }

    Result secondaryChannel(const Write& w) {
        if (w.instance.size() != 3) {
            return fail(mib::ErrorStatus::NoCreation, w);
        }
        const bool exists = m_tx.rowExists(*w.var, w.instance);
        if (w.value.integer == 2) {
            if (!exists) {
                return fail(mib::ErrorStatus::NoCreation, w);
            }
            m_tx.eraseRow(*w.var, w.instance);
            return std::nullopt;
        }
        if (exists && w.value.integer == 1) {
            return fail(mib::ErrorStatus::InconsistentValue, w);
        }
        if (!exists) {
            if (w.value.integer != 1) {
                return fail(mib::ErrorStatus::NoCreation, w);
            }
            const mib::Oid channel{w.instance[0]};
            if (!m_tx.exists("priPortSlot", channel) && !m_tx.exists("adminStatus", channel)) {
                return fail(mib::ErrorStatus::InconsistentValue, w);  // no such channel
            }
            if (!isEthernetPort(w.instance[1], w.instance[2])) {
                return fail(mib::ErrorStatus::InconsistentValue, w);
            }
            m_tx.putInteger("secethChannelId", w.instance, w.instance[0]);
            m_tx.putInteger("secPortSlot", w.instance, w.instance[1]);
            m_tx.putInteger("secPortPhysIntf", w.instance, w.instance[2]);
            m_touchedChannels.insert(w.instance[0]);
        }
        m_tx.put(*w.var, w.instance, w.value);
        return std::nullopt;
    }

    void ensureTrunkService(TrunkKind kind, const mib::Oid& port) {
        const std::string services = trunkServicesPrefix(kind);
        const mib::MibVariable* description = m_tx.dictionary().find(services + "Description");
        if (description != nullptr && m_tx.rowExists(*description, port)) {
            return;
        }
        m_tx.putInteger(services + "Slot", port, port[0]);
        m_tx.putInteger(services + "Station", port, port[1]);
        m_tx.putText(services + "Description", port, "");
        m_tx.putInteger(services + "BridgeID", port, 1);
    }

    Result trunkMember(const Write& w, TrunkKind kind) {
        if (w.instance.size() != 3 || !isEthernetPort(w.instance[0], w.instance[1])) {
            return fail(mib::ErrorStatus::NoCreation, w);
        }
        const std::string members = trunkMembersPrefix(kind);
        const bool exists = m_tx.rowExists(*w.var, w.instance);
        if (w.value.integer == 1) {
            // Only configured groups, each carried at most once by a service.
            if (!groupExists(w.instance[2]) || exists) {
                return fail(mib::ErrorStatus::InconsistentValue, w);
            }
            ensureTrunkService(kind, {w.instance[0], w.instance[1]});
            m_tx.putInteger(members + "Slot", w.instance, w.instance[0]);
            m_tx.putInteger(members + "Station", w.instance, w.instance[1]);
            m_tx.putInteger(members + "LanNumber", w.instance, w.instance[2]);
            m_tx.put(*w.var, w.instance, w.value);
            return std::nullopt;
        }
        if (w.value.integer == 2) {
            if (!exists) {
                return fail(mib::ErrorStatus::NoCreation, w);
            }
            m_tx.eraseRow(*w.var, w.instance);
            return std::nullopt;
        }
        return fail(mib::ErrorStatus::WrongValue, w);
    }

    bool vportExists(const mib::Oid& vport) const {
        return vport.size() == 4 && m_tx.exists("vportVlanNumber", vport);
    }

    // invalid(2) deletes an entry; another status creates it in an existing group. The
    // virtual port it forwards to is checked once every column of the PDU is in.
    Result staticAddress(const Write& w) {
        if (w.instance.size() != 7) {
            return fail(mib::ErrorStatus::NoCreation, w);
        }
        const bool exists = m_tx.rowExists(*w.var, w.instance);
        if (w.value.integer == 2) {
            if (!exists) {
                return fail(mib::ErrorStatus::NoCreation, w);
            }
            m_tx.eraseRow(*w.var, w.instance);
            return std::nullopt;
        }
        if (!exists) {
            if (!groupExists(w.instance[0])) {
                return fail(mib::ErrorStatus::InconsistentValue, w);
            }
            m_tx.putInteger("vBrdgStaticGroupId", w.instance, w.instance[0]);
            std::string mac;
            for (std::size_t i = 1; i < w.instance.size(); ++i) {
                mac.push_back(static_cast<char>(w.instance[i] & 0xFF));
            }
            m_tx.putText("vBrdgStaticAddress", w.instance, mac);
        }
        m_tx.put(*w.var, w.instance, w.value);
        m_touchedStatic.push_back(w);
        return std::nullopt;
    }

    // The first status written for a virtual port opens its mirroring session.
    Result mirrorSession(const Write& w) {
        if (!m_tx.rowExists(*w.var, w.instance)) {
            if (!vportExists(w.instance)) {
                return fail(mib::ErrorStatus::NoCreation, w);
            }
            std::int64_t number = 1;
            for (const mib::Oid& row : m_tx.instances("mirrorNumber", {})) {
                number = std::max(number, m_tx.integer("mirrorNumber", row).value_or(0) + 1);
            }
            m_tx.putInteger("mirrorSlot", w.instance, w.instance[0]);
            m_tx.putInteger("mirrorIF", w.instance, w.instance[1]);
            m_tx.putInteger("mirrorFuncType", w.instance, w.instance[2]);
            m_tx.putInteger("mirrorFuncTypeInstance", w.instance, w.instance[3]);
            m_tx.putInteger("mirrorNumber", w.instance, number);
        }
        m_tx.put(*w.var, w.instance, w.value);
        m_touchedMirrors.push_back(w);
        return std::nullopt;
    }

    // A static entry forwards to an existing virtual port; a mirror copies to another
    // Ethernet port, never to the port it mirrors.
    Result checkAddressesAndMirrors() {
        for (const Write& w : m_touchedStatic) {
            const mib::Oid target{
                static_cast<std::uint32_t>(
                    m_tx.integer("vBrdgStaticPortSlot", w.instance).value_or(0)),
                static_cast<std::uint32_t>(
                    m_tx.integer("vBrdgStaticPortIF", w.instance).value_or(0)),
                static_cast<std::uint32_t>(
                    m_tx.integer("vBrdgStaticPortFuncTyp", w.instance).value_or(0)),
                static_cast<std::uint32_t>(
                    m_tx.integer("vBrdgStaticPortFuncTypInst", w.instance).value_or(0))};
            if (!vportExists(target)) {
                return fail(mib::ErrorStatus::InconsistentValue, w);
            }
        }
        for (const Write& w : m_touchedMirrors) {
            const auto slot = m_tx.integer("mirrorMirroringSlot", w.instance).value_or(0);
            const auto port = m_tx.integer("mirrorMirroringIF", w.instance).value_or(0);
            if (!isEthernetPort(slot, port) || (slot == w.instance[0] && port == w.instance[1])) {
                return fail(mib::ErrorStatus::InconsistentValue, w);
            }
        }
        return std::nullopt;
    }

    Result plainWrite(const Write& w) {
        const std::string& name = w.var->name;
        if (name == "rptrReset") {
            if (w.value.integer != 1 && w.value.integer != 2) {
                return fail(mib::ErrorStatus::WrongValue, w);
            }
            m_effects.repeaterReset = m_effects.repeaterReset || w.value.integer == 2;
            return std::nullopt;  // reads keep answering noReset(1)
        }
        const bool present =
            w.var->isColumn() ? m_tx.rowExists(*w.var, w.instance) : m_tx.exists(name, w.instance);
        if (!present) {
            return fail(mib::ErrorStatus::NoCreation, w);
        }
        if (Result r = checkValueRule(w)) {
            return r;
        }
        m_tx.put(*w.var, w.instance, w.value);
        if (name == "vportAdmStatus" && w.instance.size() == 4) {
            // A virtual port is up while it is enabled on a port that is up.
            const mib::Oid port{w.instance[0], w.instance[1]};
            const bool portUp =
                m_tx.integer("phyPortOperStatus", port).value_or(kOperUp) == kOperUp;
            m_tx.putInteger("vportOperStatus", w.instance,
                            w.value.integer == 1 && portUp ? kOperUp : kOperDown);
        }
        if (name == "priPortSlot" || name == "priPortPhysIntf") {
            m_touchedChannels.insert(w.instance[0]);
        }
        return std::nullopt;
    }

    Result checkValueRule(const Write& w) {
        const std::string& name = w.var->name;
        const std::int64_t v = w.value.integer;
        if (name == "vportSwitchTimer" && (v < 0 || v > 65535)) {
            return fail(mib::ErrorStatus::WrongValue, w);
        }
        if (name == "vportFloodLimit") {
            if (w.value.type == mib::ValueType::OctetString
                    ? (w.value.octets.empty() ||
                       w.value.octets.find_first_not_of("0123456789") != std::string::npos)
                    : v < 0) {
                return fail(mib::ErrorStatus::WrongValue, w);
            }
        }
        if ((name == "vportVlanNumber" || endsWith(name, "ServicesBridgeID")) && !groupExists(v)) {
            return fail(mib::ErrorStatus::InconsistentValue, w);
        }
        if (name == "tarvoPortSegment" && (v < 1 || v > 4)) {
            return fail(mib::ErrorStatus::WrongValue, w);
        }
        if (name == "tarvoPortUplinkStatus" && v != 1 && v != 2) {
            return fail(mib::ErrorStatus::WrongValue, w);
        }
        if (name == "phyPortAdmStatus" && v != 1 && v != 2) {
            return fail(mib::ErrorStatus::WrongValue, w);
        }
        return std::nullopt;
    }

    const Write* writeOf(const std::vector<Write>& writes, std::string_view name,
                         const mib::Oid& instance) const {
        for (const Write& w : writes) {
            if (w.var->name == name && w.instance == instance) {
                return &w;
            }
        }
        return nullptr;
    }

    // A port belongs to at most one channel, once; a channel's ports share its slot and number
    // at most 4. A clash counts when either channel was touched, whichever was listed first.
    Result checkChannels(const std::vector<Write>& writes) {
        std::map<std::pair<std::int64_t, std::int64_t>, std::int64_t> owner;  // port -> channel
        std::map<std::int64_t, int> secondaryCount;
        // The touched channel a clash over this port is blamed on, if there is a clash.
        auto claim = [&](std::int64_t channel, std::int64_t slot,
                         std::int64_t port) -> std::optional<std::int64_t> {
            auto [it, inserted] = owner.emplace(std::make_pair(slot, port), channel);
            if (inserted) {
                return std::nullopt;
            }
            if (m_touchedChannels.count(channel) != 0) {
                return channel;
            }
            if (m_touchedChannels.count(it->second) != 0) {
                return it->second;
            }
            return std::nullopt;
        };
        auto firstWriteOf = [&](std::int64_t channel) {
            for (const Write& w : writes) {
                if (!w.instance.empty() && w.instance[0] == channel) {
                    return w.index;
                }
            }
            return writes.front().index;
        };
        for (const mib::Oid& channel : m_tx.instances("priPortSlot", {})) {
            const auto slot = m_tx.integer("priPortSlot", channel).value_or(0);
            const auto port = m_tx.integer("priPortPhysIntf", channel).value_or(0);
            const bool touched = m_touchedChannels.count(channel[0]) != 0;
            if (port == 0) {
                continue;
            }
            if (touched && !isEthernetPort(slot, port)) {
                return Failure{mib::ErrorStatus::InconsistentValue, firstWriteOf(channel[0])};
            }
            if (auto blamed = claim(channel[0], slot, port)) {
                return Failure{mib::ErrorStatus::InconsistentValue, firstWriteOf(*blamed)};
            }
        }
        for (const mib::Oid& row : m_tx.instances("secPortSlot", {})) {
            const std::int64_t channel = row[0];
            const bool touched = m_touchedChannels.count(channel) != 0;
            const auto primarySlot = m_tx.integer("priPortSlot", {row[0]});
            const bool wrongSlot = primarySlot && *primarySlot != 0 && *primarySlot != row[1];
            const bool tooMany = ++secondaryCount[channel] > 3;
            std::optional<std::int64_t> blamed = claim(channel, row[1], row[2]);
            if (!blamed && touched && (wrongSlot || tooMany)) {
                blamed = channel;
            }
            if (blamed) {
                const Write* w =
                    *blamed == channel ? writeOf(writes, "secadminStatus", row) : nullptr;
                return Failure{mib::ErrorStatus::InconsistentValue,
                               w ? w->index : firstWriteOf(*blamed)};
            }
        }
        return std::nullopt;
    }

    // Speed, duplex and auto-negotiation as the port type allows; admin status moves oper status.
    Result checkPortLinks(const std::vector<Write>& writes) {
        std::set<mib::Oid> mesmRows;
        for (const Write& w : writes) {
            const std::string& name = w.var->name;
            if (name == "mesmPortAutoNegotiate" || name == "mesmPortCfgSpeed" ||
                name == "mesmPortCfgDuplexMode") {
                mesmRows.insert(w.instance);
            }
            if (name == "phyPortAdmStatus" && w.instance.size() == 2) {
                updateOperStatus(w.instance, w.value.integer);
            }
        }
        for (const mib::Oid& row : mesmRows) {
            if (Result r = checkLinkRow(writes, row)) {
                return r;
            }
        }
        return std::nullopt;
    }

    Result checkLinkRow(const std::vector<Write>& writes, const mib::Oid& row) {
        if (row.size() != 2) {
            return std::nullopt;
        }
        const SlotSpec* slot = m_scenario.findSlot(static_cast<int>(row[0]));
        const int type = slot ? slot->typeOfPort(static_cast<int>(row[1])) : 0;
        const PortCapabilities caps = capabilitiesOf(type);
        const Write* autoNeg = writeOf(writes, "mesmPortAutoNegotiate", row);
        const Write* speed = writeOf(writes, "mesmPortCfgSpeed", row);
        const Write* duplex = writeOf(writes, "mesmPortCfgDuplexMode", row);
        LinkConfig config;
        config.autoNegotiate =
            static_cast<int>(m_tx.integer("mesmPortAutoNegotiate", row).value_or(kAutoNegDisabled));
        config.cfgSpeed = static_cast<int>(m_tx.integer("mesmPortCfgSpeed", row).value_or(1));
        config.cfgDuplex = static_cast<int>(m_tx.integer("mesmPortCfgDuplexMode", row).value_or(1));
        // A value the port type never offers is wrong whatever else the PDU holds.
        if (autoNeg && !caps.autoNegotiation && autoNeg->value.integer == kAutoNegEnabled) {
            return fail(mib::ErrorStatus::WrongValue, *autoNeg);
        }
        if (speed) {
            const std::int64_t v = speed->value.integer;
            const bool allowed = caps.speed ? (v == 1 || v == 2 || v == kSpeedAuto)
                                            : v == defaultLinkConfig(type).cfgSpeed;
            if (!allowed) {
                return fail(mib::ErrorStatus::WrongValue, *speed);
            }
        }
        if (duplex && !caps.duplex && duplex->value.integer != defaultLinkConfig(type).cfgDuplex) {
            return fail(mib::ErrorStatus::WrongValue, *duplex);
        }
        if (duplex && (duplex->value.integer < 1 || duplex->value.integer > 3)) {
            return fail(mib::ErrorStatus::WrongValue, *duplex);
        }
        const bool enabled = config.autoNegotiate == kAutoNegEnabled;
        const Write* blame = duplex ? duplex : (speed ? speed : autoNeg);
        if (!enabled && config.cfgDuplex == kDuplexAuto && caps.duplex) {
            return fail(mib::ErrorStatus::InconsistentValue, duplex ? *duplex : *blame);
        }
        if (!enabled && config.cfgSpeed == kSpeedAuto && caps.speed) {
            return fail(mib::ErrorStatus::InconsistentValue, speed ? *speed : *blame);
        }
        if (enabled && caps.duplex && !caps.gigabit && config.cfgDuplex == kDuplexFull) {
            return fail(mib::ErrorStatus::InconsistentValue, *blame);
        }
        m_tx.putInteger("mesmPortAutoSpeed", row, detectedSpeed(type, config));
        m_tx.putInteger("mesmPortAutoDuplexMode", row, detectedDuplex(type, config));
        if (autoNeg && autoNeg->value.integer == kAutoNegEnabled) {
            m_effects.renegotiation = true;
        }
        return std::nullopt;
    }

    void updateOperStatus(const mib::Oid& port, std::int64_t admin) {
        const bool link = portHasLinkAt(port);
        const int oper = operStatusFor(static_cast<int>(admin), link);
        m_tx.putInteger("phyPortOperStatus", port, oper);
        for (const mib::Oid& vport : m_tx.instances("vportOperStatus", port)) {
            const auto vportAdmin = m_tx.integer("vportAdmStatus", vport).value_or(1);
            m_tx.putInteger("vportOperStatus", vport,
                            oper == kOperUp && vportAdmin == 1 ? kOperUp : kOperDown);
        }
    }

    bool portHasLinkAt(const mib::Oid& port) const {
        const SlotSpec* slot = m_scenario.findSlot(static_cast<int>(port[0]));
        if (slot == nullptr) {
            return false;
        }
        for (const EthernetPortSettings& settings : slot->ports) {
            if (settings.port == static_cast<int>(port[1])) {
                return settings.link.value_or(true);
            }
        }
        return true;
    }

    SetTransaction& m_tx;
    const Scenario& m_scenario;
    SetEffects m_effects;
    std::set<int> m_handled;
    std::set<std::int64_t> m_touchedChannels;
    std::vector<Write> m_touchedStatic;
    std::vector<Write> m_touchedMirrors;
};

}  // namespace

SetOutcome processSet(const mib::RequestPdu& request, const Scenario& scenario,
                      const mib::MibDictionary& dictionary, std::int64_t nowMs, OidStore* store) {
    SetOutcome outcome;
    std::vector<Write> writes;
    for (std::size_t i = 0; i < request.varbinds.size(); ++i) {
        Write w;
        if (Result r = checkVarbind(dictionary, request.varbinds[i], static_cast<int>(i + 1), &w)) {
            outcome.status = r->status;
            outcome.errorIndex = r->index;
            return outcome;
        }
        writes.push_back(std::move(w));
    }
    if (writes.empty()) {
        return outcome;
    }
    SetTransaction tx(*store, dictionary, nowMs);
    Rules rules(tx, scenario);
    if (Result r = rules.apply(writes)) {
        outcome.status = r->status;
        outcome.errorIndex = r->index;
        return outcome;
    }
    tx.commit();
    outcome.effects = rules.effects();
    return outcome;
}

}  // namespace sim
