#include "framework/mib/table_walk.h"

namespace mib {

TableWalk::TableWalk(std::vector<Oid> columnOids) {
    for (auto& oid : columnOids) {
        Column column;
        column.last = oid;
        column.prefix = std::move(oid);
        m_columns.push_back(std::move(column));
    }
}

std::vector<VarBind> TableWalk::nextVarbinds() {
    m_requested.clear();
    std::vector<VarBind> varbinds;
    for (std::size_t i = 0; i < m_columns.size(); ++i) {
        if (!m_columns[i].active)
            continue;
        m_requested.push_back(i);
        varbinds.push_back({m_columns[i].last, Value::null()});
    }
    return varbinds;
}

bool TableWalk::consume(const std::vector<VarBind>& varbinds, std::string* why) {
    if (m_requested.empty())
        return true;
    bool progress = false;
    for (std::size_t i = 0; i < varbinds.size(); ++i) {
        Column& column = m_columns[m_requested[i % m_requested.size()]];
        if (!column.active)
            continue;
        const VarBind& vb = varbinds[i];
        if (vb.value.isException()) {
            column.active = false;
            progress = true;
            continue;
        }
        // Checked before the subtree test: an answer behind the column is not
        // its end but an agent walking backwards.
        if (!(column.last < vb.oid)) {
            *why = "agent answered " + oidToString(vb.oid) + " after " + oidToString(column.last);
            return false;
        }
        if (!oidStartsWith(vb.oid, column.prefix) || vb.oid.size() == column.prefix.size()) {
            column.active = false;
            progress = true;
            continue;
        }
        column.last = vb.oid;
        Oid instance(vb.oid.begin() + static_cast<std::ptrdiff_t>(column.prefix.size()),
                     vb.oid.end());
        auto& values = m_rows[std::move(instance)];
        values.resize(m_columns.size());
        values[m_requested[i % m_requested.size()]] = vb.value;
        progress = true;
    }
    if (!progress) {
        *why = "agent answered no variable of the walk";
        return false;
    }
    return true;
}

bool TableWalk::endColumnAtPosition(int position) {
    if (position < 0 || static_cast<std::size_t>(position) >= m_requested.size())
        return false;
    m_columns[m_requested[static_cast<std::size_t>(position)]].active = false;
    return true;
}

bool TableWalk::done() const {
    return unfinishedColumns() == 0;
}

int TableWalk::unfinishedColumns() const {
    int count = 0;
    for (const auto& column : m_columns)
        count += column.active ? 1 : 0;
    return count;
}

std::vector<Row> TableWalk::takeRows() {
    std::vector<Row> rows;
    rows.reserve(m_rows.size());
    for (auto& [instance, values] : m_rows)
        rows.push_back({instance, std::move(values)});
    m_rows.clear();
    return rows;
}

}  // namespace mib
