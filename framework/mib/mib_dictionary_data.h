#pragma once
// The dictionary's contents, one function per area; each appends its
// variables. A small builder keeps every table entry to one line per column.

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "framework/mib/mib_dictionary.h"

namespace mib::dictionary_data {

// Private objects live under this arc; areas and tables below it are laid
// out in the folder's README.
inline const Oid kPrivateArc = {1, 3, 6, 1, 4, 1, 32473, 1};

Oid concat(const Oid& base, std::initializer_list<std::uint32_t> tail);

// Adds the columns of one table; the builder fills table name and indexes.
class TableBuilder {
public:
    TableBuilder(std::vector<MibVariable>* out, std::string table, Oid entry,
                 std::vector<std::string> indexes);

    // Column `sub` of the table's entry; later calls refine the last column.
    TableBuilder& column(std::uint32_t sub, std::string name, Syntax syntax, Access access,
                         std::string description);
    TableBuilder& labels(std::vector<EnumLabel> labels);  // also makes it an Enumeration
    TableBuilder& size(int minSize, int maxSize);

private:
    std::vector<MibVariable>* m_out;
    std::string m_table;
    Oid m_entry;
    std::vector<std::string> m_indexes;
};

// Adds the scalars of one group; each scalar's OID is group OID + sub.
class GroupBuilder {
public:
    GroupBuilder(std::vector<MibVariable>* out, std::string group, Oid groupOid);

    GroupBuilder& scalar(std::uint32_t sub, std::string name, Syntax syntax, Access access,
                         std::string description);
    GroupBuilder& labels(std::vector<EnumLabel> labels);
    GroupBuilder& size(int minSize, int maxSize);

private:
    std::vector<MibVariable>* m_out;
    std::string m_group;
    Oid m_groupOid;
};

// Label sets shared by several tables.
std::vector<EnumLabel> serviceTypeLabels();  // vportFuncType and its references
std::vector<EnumLabel> operStatusLabels();   // 3 = up
std::vector<EnumLabel> enabledDisabledLabels();

void addPortVariables(std::vector<MibVariable>* out);      // physical ports, speed, channels
void addAddressVariables(std::vector<MibVariable>* out);   // IP-to-MAC, forwarding, static
void addServiceVariables(std::vector<MibVariable>* out);   // virtual ports, groups, mirroring
void addTrunkingVariables(std::vector<MibVariable>* out);  // the four trunking families
void addExpanderVariables(std::vector<MibVariable>* out);  // expander ports and segments
void addChassisVariables(std::vector<MibVariable>* out);   // slots, ports, contents
void addStandardVariables(std::vector<MibVariable>* out);  // system, RMON, repeater

// Port type code to name and description ("PortName" / "PortDesc").
struct PortType {
    int code;
    const char* name;
    const char* description;
};
const std::vector<PortType>& portTypes();  // sorted by code

}  // namespace mib::dictionary_data
