#include "framework/mib/mib_dictionary_data.h"

namespace mib::dictionary_data {

Oid concat(const Oid& base, std::initializer_list<std::uint32_t> tail) {
    Oid out = base;
    out.insert(out.end(), tail.begin(), tail.end());
    return out;
}

TableBuilder::TableBuilder(std::vector<MibVariable>* out, std::string table, Oid entry,
                           std::vector<std::string> indexes)
    : m_out(out),
      m_table(std::move(table)),
      m_entry(std::move(entry)),
      m_indexes(std::move(indexes)) {}

TableBuilder& TableBuilder::column(std::uint32_t sub, std::string name, Syntax syntax,
                                   Access access, std::string description) {
    MibVariable v;
    v.name = std::move(name);
    v.oid = concat(m_entry, {sub});
    v.syntax = syntax;
    v.access = access;
    v.table = m_table;
    v.indexes = m_indexes;
    v.description = std::move(description);
    if (syntax == Syntax::MacAddress) {
        v.minSize = v.maxSize = 6;
    }
    m_out->push_back(std::move(v));
    return *this;
}

TableBuilder& TableBuilder::labels(std::vector<EnumLabel> labels) {
    m_out->back().syntax = Syntax::Enumeration;
    m_out->back().enums = std::move(labels);
    return *this;
}

TableBuilder& TableBuilder::size(int minSize, int maxSize) {
    m_out->back().minSize = minSize;
    m_out->back().maxSize = maxSize;
    return *this;
}

GroupBuilder::GroupBuilder(std::vector<MibVariable>* out, std::string group, Oid groupOid)
    : m_out(out), m_group(std::move(group)), m_groupOid(std::move(groupOid)) {}

GroupBuilder& GroupBuilder::scalar(std::uint32_t sub, std::string name, Syntax syntax,
                                   Access access, std::string description) {
    MibVariable v;
    v.name = std::move(name);
    v.oid = concat(m_groupOid, {sub});
    v.syntax = syntax;
    v.access = access;
    v.group = m_group;
    v.description = std::move(description);
    m_out->push_back(std::move(v));
    return *this;
}

GroupBuilder& GroupBuilder::labels(std::vector<EnumLabel> labels) {
    m_out->back().syntax = Syntax::Enumeration;
    m_out->back().enums = std::move(labels);
    return *this;
}

GroupBuilder& GroupBuilder::size(int minSize, int maxSize) {
    m_out->back().minSize = minSize;
    m_out->back().maxSize = maxSize;
    return *this;
}

std::vector<EnumLabel> serviceTypeLabels() {
    return {{1, "ipRouting"}, {2, "ipxRouting"}, {3, "atRouting"}, {4, "bridging"},
            {5, "trunking"},  {6, "domainBrdg"}, {7, "ieee8021Q"}, {8, "ieee80210"}};
}

std::vector<EnumLabel> operStatusLabels() {
    return {{1, "disabled"}, {2, "down"}, {3, "up"}, {4, "testing"}};
}

std::vector<EnumLabel> enabledDisabledLabels() {
    return {{1, "enabled"}, {2, "disabled"}};
}

}  // namespace mib::dictionary_data
