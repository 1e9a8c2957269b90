#pragma once
// Walks several columns together (GETNEXT or GETBULK answers) and assembles
// their values into rows by instance, in index order. A column ends when its
// answer leaves its subtree or is endOfMibView; a row that a column lacks has
// no value for that column.

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "framework/mib/snmp_types.h"

namespace mib {

struct Row {
    Oid instance;
    std::vector<std::optional<Value>> values;  // one per column of the request
};

class TableWalk {
public:
    explicit TableWalk(std::vector<Oid> columnOids);

    // Varbinds of the next request: where each unfinished column stands.
    std::vector<VarBind> nextVarbinds();
    // Takes the answer to the last nextVarbinds() (repetitions in column
    // order, as GETBULK answers). False when it cannot be used: no progress,
    // or a column going backwards, which would walk forever.
    bool consume(const std::vector<VarBind>& varbinds, std::string* why);
    // SNMPv1 ends a column with noSuchName at its position in the last request.
    // False when position names no varbind of it (resending would not move).
    bool endColumnAtPosition(int position);

    bool done() const;
    int unfinishedColumns() const;
    std::vector<Row> takeRows();

private:
    struct Column {
        Oid prefix;
        Oid last;
        bool active = true;
    };
    std::vector<Column> m_columns;
    std::vector<std::size_t> m_requested;  // column of each varbind of the last request
    std::map<Oid, std::vector<std::optional<Value>>> m_rows;
};

}  // namespace mib
