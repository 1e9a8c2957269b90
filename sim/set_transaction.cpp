#include "sim/set_transaction.h"

#include "sim/value_syntax.h"

namespace sim {

mib::Oid SetTransaction::cellOid(const mib::MibVariable& var, const mib::Oid& instance) const {
    mib::Oid oid = var.oid;
    oid.insert(oid.end(), instance.begin(), instance.end());
    return oid;
}

const Cell* SetTransaction::cell(const mib::Oid& oid) const {
    auto staged = m_staged.find(oid);
    if (staged != m_staged.end()) {
        return staged->second ? &*staged->second : nullptr;
    }
    return m_store.find(oid);
}

std::optional<std::int64_t> SetTransaction::integer(std::string_view name,
                                                    const mib::Oid& instance) const {
    const mib::MibVariable* var = m_dictionary.find(name);
    if (var == nullptr) {
        return std::nullopt;
    }
    const Cell* found = cell(cellOid(*var, instance));
    if (found == nullptr || found->value.type == mib::ValueType::OctetString) {
        return std::nullopt;
    }
    return found->valueAt(m_nowMs).integer;
}

bool SetTransaction::exists(std::string_view name, const mib::Oid& instance) const {
    const mib::MibVariable* var = m_dictionary.find(name);
    return var != nullptr && cell(cellOid(*var, instance)) != nullptr;
}

bool SetTransaction::rowExists(const mib::MibVariable& column, const mib::Oid& instance) const {
    for (const mib::MibVariable* sibling : m_dictionary.columnsOf(column.table)) {
        if (cell(cellOid(*sibling, instance)) != nullptr) {
            return true;
        }
    }
    return false;
}

std::vector<mib::Oid> SetTransaction::instances(std::string_view name,
                                                const mib::Oid& prefix) const {
    std::vector<mib::Oid> out;
    const mib::MibVariable* var = m_dictionary.find(name);
    if (var == nullptr) {
        return out;
    }
    const mib::Oid start = cellOid(*var, prefix);
    std::map<mib::Oid, bool> found;  // instance -> present
    for (auto it = m_store.lowerBound(start);
         it != m_store.end() && mib::oidStartsWith(it->first, start); ++it) {
        found[mib::Oid(it->first.begin() + static_cast<long>(var->oid.size()), it->first.end())] =
            true;
    }
    for (auto it = m_staged.lower_bound(start);
         it != m_staged.end() && mib::oidStartsWith(it->first, start); ++it) {
        found[mib::Oid(it->first.begin() + static_cast<long>(var->oid.size()), it->first.end())] =
            it->second.has_value();
    }
    for (const auto& [instance, present] : found) {
        if (present) {
            out.push_back(instance);
        }
    }
    return out;
}

void SetTransaction::put(const mib::MibVariable& var, const mib::Oid& instance, mib::Value value) {
    const mib::Oid oid = cellOid(var, instance);
    Cell updated;
    if (const Cell* existing = cell(oid)) {
        updated = *existing;
    }
    updated.variable = &var;
    updated.value = std::move(value);
    updated.sinceMs = m_nowMs;
    m_staged[oid] = std::move(updated);
}

bool SetTransaction::putInteger(std::string_view name, const mib::Oid& instance,
                                std::int64_t value) {
    const mib::MibVariable* var = m_dictionary.find(name);
    if (var == nullptr || var->access == mib::Access::NotAccessible) {
        return false;
    }
    auto converted = valueFromNumber(var->syntax, value);
    if (!converted) {
        return false;
    }
    put(*var, instance, std::move(*converted));
    return true;
}

bool SetTransaction::putText(std::string_view name, const mib::Oid& instance,
                             const std::string& value) {
    const mib::MibVariable* var = m_dictionary.find(name);
    if (var == nullptr || var->access == mib::Access::NotAccessible) {
        return false;
    }
    auto converted = valueFromText(var->syntax, value);
    if (!converted) {
        return false;
    }
    put(*var, instance, std::move(*converted));
    return true;
}

void SetTransaction::eraseRow(const mib::MibVariable& column, const mib::Oid& instance) {
    for (const mib::MibVariable* sibling : m_dictionary.columnsOf(column.table)) {
        const mib::Oid oid = cellOid(*sibling, instance);
        if (cell(oid) != nullptr) {
            m_staged[oid] = std::nullopt;
        }
    }
}

void SetTransaction::commit() {
    for (auto& [oid, staged] : m_staged) {
        if (staged) {
            m_store.put(oid, std::move(*staged));
        } else {
            m_store.erase(oid);
        }
    }
    m_staged.clear();
}

}  // namespace sim
