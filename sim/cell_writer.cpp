#include "sim/cell_writer.h"

#include "sim/value_syntax.h"

namespace sim {

std::optional<mib::Oid> rowInstance(const mib::MibDictionary& dictionary,
                                    const mib::MibVariable& column,
                                    const std::vector<ColumnValue>& columns, std::string* cause) {
    auto objects = indexObjectsOf(dictionary, column);
    if (!objects) {
        *cause = column.name + " (an index object is not in the dictionary)";
        return std::nullopt;
    }
    IndexValues values;
    for (const mib::MibVariable* object : *objects) {
        const ColumnValue* given = nullptr;
        for (const ColumnValue& candidate : columns) {
            if (candidate.name == object->name) {
                given = &candidate;
            }
        }
        if (given == nullptr || std::holds_alternative<mib::Oid>(given->value)) {
            *cause = column.name + " (index object " + object->name + " not provided)";
            return std::nullopt;
        }
        if (const auto* number = std::get_if<std::int64_t>(&given->value)) {
            values.emplace_back(*number);
        } else {
            values.emplace_back(std::get<std::string>(given->value));
        }
    }
    auto instance = encodeInstance(*objects, values);
    if (!instance) {
        *cause = column.name + " (index values do not suit the index objects)";
    }
    return instance;
}

void CellWriter::row(const std::vector<ColumnValue>& columns) {
    for (const ColumnValue& column : columns) {
        const mib::MibVariable* var = m_dictionary.find(column.name);
        if (var == nullptr) {
            m_missing.insert(column.name);
            continue;
        }
        if (!var->isColumn() || var->access == mib::Access::NotAccessible) {
            continue;
        }
        std::string cause;
        auto instance = rowInstance(m_dictionary, *var, columns, &cause);
        if (!instance) {
            m_missing.insert(cause);
            continue;
        }
        mib::Oid oid = var->oid;
        oid.insert(oid.end(), instance->begin(), instance->end());
        put(*var, std::move(oid), column);
    }
}

void CellWriter::scalar(const ColumnValue& column) {
    const mib::MibVariable* var = m_dictionary.find(column.name);
    if (var == nullptr) {
        m_missing.insert(column.name);
        return;
    }
    if (var->isColumn() || var->access == mib::Access::NotAccessible) {
        return;
    }
    mib::Oid oid = var->oid;
    oid.push_back(0);
    put(*var, std::move(oid), column);
}

void CellWriter::put(const mib::MibVariable& var, mib::Oid cellOid, const ColumnValue& column) {
    std::optional<mib::Value> value;
    if (const auto* number = std::get_if<std::int64_t>(&column.value)) {
        value = valueFromNumber(var.syntax, *number);
    } else if (const auto* text = std::get_if<std::string>(&column.value)) {
        value = valueFromText(var.syntax, *text);
    } else if (var.syntax == mib::Syntax::ObjectIdentifier) {
        value = mib::Value::makeOid(std::get<mib::Oid>(column.value));
    }
    if (!value) {
        m_missing.insert(column.name + " (syntax does not hold the scenario's value)");
        return;
    }
    const bool moves = value->type == mib::ValueType::Counter32 ||
                       value->type == mib::ValueType::Counter64 ||
                       value->type == mib::ValueType::TimeTicks;
    Cell cell;
    cell.variable = &var;
    cell.value = std::move(*value);
    cell.ratePerSecond = moves ? column.ratePerSecond : 0;
    cell.sinceMs = m_nowMs;
    m_store.put(cellOid, std::move(cell));
}

}  // namespace sim
