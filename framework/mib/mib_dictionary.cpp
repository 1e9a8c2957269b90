#include "framework/mib/mib_dictionary.h"

#include <algorithm>

#include "framework/mib/mib_dictionary_data.h"

namespace mib {
namespace {

constexpr std::string_view kPortName = "PortName";
constexpr std::string_view kPortDesc = "PortDesc";

const dictionary_data::PortType* findPortType(int code) {
    const auto& types = dictionary_data::portTypes();
    auto it =
        std::lower_bound(types.begin(), types.end(), code,
                         [](const dictionary_data::PortType& t, int c) { return t.code < c; });
    return (it != types.end() && it->code == code) ? &*it : nullptr;
}

std::vector<MibVariable> builtinVariables() {
    std::vector<MibVariable> all;
    dictionary_data::addStandardVariables(&all);
    dictionary_data::addPortVariables(&all);
    dictionary_data::addAddressVariables(&all);
    dictionary_data::addServiceVariables(&all);
    dictionary_data::addTrunkingVariables(&all);
    dictionary_data::addExpanderVariables(&all);
    dictionary_data::addChassisVariables(&all);
    return all;
}

}  // namespace

const MibDictionary& MibDictionary::builtin() {
    static const MibDictionary dictionary(builtinVariables());
    return dictionary;
}

MibDictionary::MibDictionary(std::vector<MibVariable> variables)
    : m_variables(std::move(variables)) {
    m_byName.reserve(m_variables.size());
    m_byOid.reserve(m_variables.size());
    for (std::size_t i = 0; i < m_variables.size(); ++i) {
        m_byName.emplace_back(m_variables[i].name, i);
        m_byOid.emplace_back(m_variables[i].oid, i);
    }
    std::sort(m_byName.begin(), m_byName.end());
    std::sort(m_byOid.begin(), m_byOid.end());
}

const MibVariable* MibDictionary::find(std::string_view name) const {
    auto it =
        std::lower_bound(m_byName.begin(), m_byName.end(), name,
                         [](const auto& entry, std::string_view n) { return entry.first < n; });
    return (it != m_byName.end() && it->first == name) ? &m_variables[it->second] : nullptr;
}

const MibVariable* MibDictionary::findByInstanceOid(const Oid& oid) const {
    // No variable's OID is a prefix of another's, so the only candidate is
    // the greatest OID not above the instance.
    auto it = std::upper_bound(m_byOid.begin(), m_byOid.end(), oid,
                               [](const Oid& o, const auto& entry) { return o < entry.first; });
    if (it == m_byOid.begin()) {
        return nullptr;
    }
    --it;
    return oidStartsWith(oid, it->first) ? &m_variables[it->second] : nullptr;
}

std::vector<const MibVariable*> MibDictionary::columnsOf(std::string_view table) const {
    std::vector<const MibVariable*> columns;
    for (const auto& [oid, index] : m_byOid) {
        if (m_variables[index].table == table) {
            columns.push_back(&m_variables[index]);
        }
    }
    return columns;
}

bool MibDictionary::hasTableOrGroup(std::string_view name) const {
    if (name.empty()) {
        return false;
    }
    return std::any_of(m_variables.begin(), m_variables.end(),
                       [name](const MibVariable& v) { return v.table == name || v.group == name; });
}

std::optional<std::string> MibDictionary::enumText(std::string_view name, int value) const {
    if (name == kPortName || name == kPortDesc) {
        const auto* type = findPortType(value);
        if (type == nullptr) {
            return std::nullopt;
        }
        return std::string(name == kPortName ? type->name : type->description);
    }
    const MibVariable* variable = find(name);
    if (variable == nullptr) {
        return std::nullopt;
    }
    for (const EnumLabel& label : variable->enums) {
        if (label.value == value) {
            return label.label;
        }
    }
    return std::nullopt;
}

std::optional<int> MibDictionary::enumValue(std::string_view name, std::string_view text) const {
    if (name == kPortName || name == kPortDesc) {
        for (const auto& type : dictionary_data::portTypes()) {
            if ((name == kPortName ? type.name : type.description) == text) {
                return type.code;
            }
        }
        return std::nullopt;
    }
    const MibVariable* variable = find(name);
    if (variable == nullptr) {
        return std::nullopt;
    }
    for (const EnumLabel& label : variable->enums) {
        if (label.label == text) {
            return label.value;
        }
    }
    return std::nullopt;
}

int MibDictionary::enumCount(std::string_view name) const {
    if (name == kPortName || name == kPortDesc) {
        const auto& types = dictionary_data::portTypes();
        return types.empty() ? 0 : types.back().code + 1;
    }
    const MibVariable* variable = find(name);
    if (variable == nullptr) {
        return 0;
    }
    int highest = -1;
    for (const EnumLabel& label : variable->enums) {
        highest = std::max(highest, label.value);
    }
    return highest + 1;
}

}  // namespace mib
