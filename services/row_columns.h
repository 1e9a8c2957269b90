#pragma once
// Columns of a request's current row, by position: the names are looked up once per walk
// instead of once per cell, which matters over tables of tens of thousands of rows. Texts
// are formatted as CMibComm::GetString formats them.

#include <initializer_list>
#include <vector>

#include "framework/mib/mib_comm.h"
#include "framework/mib/request_engine.h"
#include "framework/mib/value_format.h"

namespace services {

class RowColumns {
public:
    RowColumns(CMibComm& comm, long request, std::initializer_list<const char*> names)
        : m_engine(comm.engine()), m_request(request) {
        for (const char* name : names) {
            m_columns.push_back(m_engine ? m_engine->columnIndex(request, name) : -1);
            m_variables.push_back(m_engine ? m_engine->dictionary().find(name) : nullptr);
        }
    }
    // Whether the current row has a value in the i-th named column.
    bool Has(int i) const { return value(i) != nullptr; }
    // The i-th named column's number in the current row; 0 when the row lacks it.
    long Integer(int i) const {
        const mib::Value* v = value(i);
        return v ? static_cast<long>(v->integer) : 0;
    }
    // Its text; "" when the row lacks it or the value does not fit the column's syntax.
    CString Text(int i) const {
        const mib::Value* v = value(i);
        const mib::MibVariable* variable = m_variables[static_cast<std::size_t>(i)];
        if (v == nullptr || variable == nullptr) {
            return CString();
        }
        const mib::FormattedValue formatted = mib::formatValue(*variable, *v);
        return formatted.error == 0 ? CString(formatted.text.c_str()) : CString();
    }

private:
    const mib::Value* value(int i) const {
        return m_engine ? m_engine->valueAt(m_request, m_columns[static_cast<std::size_t>(i)])
                        : nullptr;
    }

    mib::RequestEngine* m_engine;
    long m_request;
    std::vector<int> m_columns;
    std::vector<const mib::MibVariable*> m_variables;
};

}  // namespace services
