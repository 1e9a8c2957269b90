#pragma once
// Every MIB variable the module reads or writes: OID, syntax, access,
// enumeration labels, and for table columns their table and index objects.

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "framework/mib/snmp_types.h"

namespace mib {

enum class Syntax {
    Integer,        // INTEGER / Integer32 without labels
    Enumeration,    // INTEGER with labels
    DisplayString,  // printable OCTET STRING
    OctetString,    // binary OCTET STRING (shown as hex)
    MacAddress,     // 6 octets
    IpAddress,
    Counter32,
    Gauge32,
    TimeTicks,
    Counter64,
    ObjectIdentifier,
};

enum class Access { NotAccessible, ReadOnly, ReadWrite, ReadCreate };

struct EnumLabel {
    int value;
    std::string label;
};

struct MibVariable {
    std::string name;  // as the switch names it: "phyPortAdmStatus"
    Oid oid;           // scalars without the trailing .0; columns without the instance
    Syntax syntax = Syntax::Integer;
    Access access = Access::ReadOnly;
    std::vector<EnumLabel> enums;      // Enumeration only, in value order
    std::string table;                 // "phyPortTable" for columns, "" for scalars
    std::string group;                 // scalars: the group a request names ("chasStatus"), else ""
    std::vector<std::string> indexes;  // index objects of the table, in order (columns only)
    int minSize = 0, maxSize = 0;      // octet strings: allowed length (maxSize 0 = unlimited)
    std::string description;           // one line, for `swsim list`

    bool isColumn() const { return !table.empty(); }
    bool isWritable() const { return access == Access::ReadWrite || access == Access::ReadCreate; }
};

class MibDictionary {
public:
    // The dictionary of this product (every variable the pages use, the
    // system group, the chassis tables).
    static const MibDictionary& builtin();

    explicit MibDictionary(std::vector<MibVariable> variables);

    // Case-sensitive lookup by name; nullptr when unknown.
    const MibVariable* find(std::string_view name) const;
    // The variable whose OID is a prefix of oid (a column or scalar instance); nullptr if none.
    const MibVariable* findByInstanceOid(const Oid& oid) const;
    const std::vector<MibVariable>& all() const { return m_variables; }
    // The columns of a table, in sub-identifier order.
    std::vector<const MibVariable*> columnsOf(std::string_view table) const;
    // Whether name is a table or a scalar group known to the dictionary.
    bool hasTableOrGroup(std::string_view name) const;

    // Enumeration texts: labels of an Enumeration variable, or of the pseudo
    // enumerations "PortName" and "PortDesc" (port type code to name / description).
    std::optional<std::string> enumText(std::string_view name, int value) const;
    std::optional<int> enumValue(std::string_view name, std::string_view text) const;
    // One more than the highest value; 0 for a variable without labels or an unknown name.
    int enumCount(std::string_view name) const;

private:
    std::vector<MibVariable> m_variables;
    // lookups are built once at construction
    std::vector<std::pair<std::string, std::size_t>> m_byName;  // sorted by name
    std::vector<std::pair<Oid, std::size_t>> m_byOid;           // sorted by OID
};

}  // namespace mib
