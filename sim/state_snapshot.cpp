#include "sim/state_snapshot.h"

#include <nlohmann/json.hpp>
#include <set>
#include <utility>

namespace sim {

namespace {

constexpr const char* kFormat = "swsim-state";
constexpr int kFormatVersion = 1;

std::string hexOf(const std::string& octets) {
    static const char* digits = "0123456789abcdef";
    std::string hex;
    for (unsigned char c : octets) {
        hex += digits[c >> 4];
        hex += digits[c & 0xF];
    }
    return hex;
}

bool octetsOf(const std::string& hex, std::string* out) {
    if (hex.size() % 2 != 0) {
        return false;
    }
    auto nibble = [](char c) {
        return c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
    };
    out->clear();
    for (std::size_t i = 0; i < hex.size(); i += 2) {
        const int high = nibble(hex[i]);
        const int low = nibble(hex[i + 1]);
        if (high < 0 || low < 0) {
            return false;
        }
        out->push_back(static_cast<char>(high * 16 + low));
    }
    return true;
}

// "phyPortAdmStatus.9.1": how an operator names a cell.
std::string cellName(const mib::MibVariable& var, const mib::Oid& oid) {
    const mib::Oid instance(oid.begin() + static_cast<long>(var.oid.size()), oid.end());
    return var.name + "." + mib::oidToString(instance);
}

bool creatable(const mib::MibDictionary& dictionary, const mib::MibVariable& var) {
    if (!var.isColumn()) {
        return false;
    }
    for (const mib::MibVariable* column : dictionary.columnsOf(var.table)) {
        if (column->access == mib::Access::ReadCreate) {
            return true;
        }
    }
    return false;
}

// A row of a fixed table, or a scalar: the table (or scalar) name and the instance.
using RowKey = std::pair<std::string, mib::Oid>;

RowKey rowOf(const mib::MibVariable& var, const mib::Oid& oid) {
    const mib::Oid instance(oid.begin() + static_cast<long>(var.oid.size()), oid.end());
    return {var.isColumn() ? var.table : var.name, instance};
}

bool readCell(const nlohmann::json& entry, mib::Oid* oid, Cell* cell, std::string* why) {
    if (!entry.is_object() || !entry.contains("oid") || !entry.contains("type") ||
        !entry["oid"].is_string() || !entry["type"].is_number_integer()) {
        *why = "a cell without oid and type";
        return false;
    }
    if (!mib::parseOid(entry["oid"].get<std::string>(), oid) || oid->empty()) {
        *why = "a malformed OID " + entry["oid"].get<std::string>();
        return false;
    }
    const int type = entry["type"].get<int>();
    if (type < static_cast<int>(mib::ValueType::Null) ||
        type > static_cast<int>(mib::ValueType::Opaque)) {
        *why = "an unknown value type at " + mib::oidToString(*oid);
        return false;
    }
    cell->value.type = static_cast<mib::ValueType>(type);
    if ((entry.contains("integer") && !entry["integer"].is_number_integer()) ||
        (entry.contains("counter64") && !entry["counter64"].is_number_unsigned()) ||
        (entry.contains("rate") && !entry["rate"].is_number_unsigned()) ||
        (entry.contains("octets") && !entry["octets"].is_string())) {
        *why = "a value of the wrong kind at " + mib::oidToString(*oid);
        return false;
    }
    cell->value.integer = entry.value("integer", std::int64_t{0});
    cell->value.counter64 = entry.value("counter64", std::uint64_t{0});
    cell->ratePerSecond = entry.value("rate", std::uint32_t{0});
    if (!octetsOf(entry.value("octets", std::string()), &cell->value.octets)) {
        *why = "malformed octets at " + mib::oidToString(*oid);
        return false;
    }
    if (entry.contains("value_oid") &&
        (!entry["value_oid"].is_string() ||
         !mib::parseOid(entry["value_oid"].get<std::string>(), &cell->value.oid))) {
        *why = "a malformed OID value at " + mib::oidToString(*oid);
        return false;
    }
    return true;
}

}  // namespace

std::string snapshotStore(const OidStore& store, std::int64_t nowMs) {
    nlohmann::json cells = nlohmann::json::array();
    for (auto it = store.lowerBound({}); it != store.end(); ++it) {
        const mib::Value value = it->second.valueAt(nowMs);
        nlohmann::json entry = {{"oid", mib::oidToString(it->first)},
                                {"type", static_cast<int>(value.type)}};
        if (value.integer != 0) {
            entry["integer"] = value.integer;
        }
        if (value.counter64 != 0) {
            entry["counter64"] = value.counter64;
        }
        if (!value.octets.empty()) {
            entry["octets"] = hexOf(value.octets);
        }
        if (!value.oid.empty()) {
            entry["value_oid"] = mib::oidToString(value.oid);
        }
        if (it->second.ratePerSecond != 0) {
            entry["rate"] = it->second.ratePerSecond;
        }
        cells.push_back(std::move(entry));
    }
    nlohmann::json root = {{"format", kFormat}, {"version", kFormatVersion}, {"cells", cells}};
    return root.dump(1) + "\n";
}

bool restoreStore(const std::string& text, const mib::MibDictionary& dictionary, std::int64_t nowMs,
                  OidStore* store, std::string* error) {
    const nlohmann::json root = nlohmann::json::parse(text, nullptr, false);
    if (root.is_discarded() || !root.is_object()) {
        *error = "corrupt: not JSON (a file cut short, or not a state file)";
        return false;
    }
    if (root.value("format", std::string()) != kFormat || !root.contains("cells") ||
        !root["cells"].is_array()) {
        *error = "corrupt: not a state file of the simulated switch";
        return false;
    }
    if (root.value("version", 0) != kFormatVersion) {
        *error =
            "a state file of another version (" + std::to_string(root.value("version", 0)) + ")";
        return false;
    }
    OidStore restored;
    std::set<RowKey> savedRows;
    std::size_t index = 0;
    for (const nlohmann::json& entry : root["cells"]) {
        ++index;
        mib::Oid oid;
        Cell cell;
        std::string why;
        if (!readCell(entry, &oid, &cell, &why)) {
            *error = "corrupt: cell " + std::to_string(index) + ": " + why;
            return false;
        }
        cell.variable = dictionary.findByInstanceOid(oid);
        if (cell.variable == nullptr) {
            *error = "does not fit this switch: " + mib::oidToString(oid) +
                     " is no variable the switch knows";
            return false;
        }
        cell.sinceMs = nowMs;
        if (!creatable(dictionary, *cell.variable)) {
            savedRows.insert(rowOf(*cell.variable, oid));
        }
        restored.put(oid, std::move(cell));
    }
    std::set<RowKey> scenarioRows;
    for (auto it = store->lowerBound({}); it != store->end(); ++it) {
        const mib::MibVariable* var = it->second.variable;
        if (var != nullptr && !creatable(dictionary, *var)) {
            scenarioRows.insert(rowOf(*var, it->first));
        }
    }
    for (auto it = restored.lowerBound({}); it != restored.end(); ++it) {
        const mib::MibVariable* var = it->second.variable;
        if (!creatable(dictionary, *var) && scenarioRows.count(rowOf(*var, it->first)) == 0) {
            *error = "does not fit this scenario: it has " + cellName(*var, it->first) +
                     ", which the scenario does not";
            return false;
        }
    }
    for (auto it = store->lowerBound({}); it != store->end(); ++it) {
        const mib::MibVariable* var = it->second.variable;
        if (var != nullptr && !creatable(dictionary, *var) &&
            savedRows.count(rowOf(*var, it->first)) == 0) {
            *error = "does not fit this scenario: it lacks " + cellName(*var, it->first);
            return false;
        }
    }
    *store = std::move(restored);
    return true;
}

}  // namespace sim
