// Area 4: the four trunking service families, tables of identical shape.
#include "framework/mib/mib_dictionary_data.h"

namespace mib::dictionary_data {
namespace {

const Oid kArea = concat(kPrivateArc, {4});
constexpr auto RO = Access::ReadOnly;
constexpr auto RC = Access::ReadCreate;

struct Family {
    const char* prefix;  // variable names are prefix + column name
    const char* title;
};

// Family k owns tables 2k-1 (services) and 2k (members).
const Family kFamilies[] = {
    {"vTrunking", "trunking"},
    {"VDBr", "domain bridging"},
    {"v8021Q", "802.1Q"},
    {"v80210", "802.10"},
};

void addFamily(std::vector<MibVariable>* out, const Family& family, std::uint32_t servicesTable) {
    const std::string p = family.prefix;
    const std::string title = family.title;
    TableBuilder services(out, p + "ServicesTable", concat(kArea, {servicesTable, 1}),
                          {p + "ServicesSlot", p + "ServicesStation"});
    services.column(1, p + "ServicesSlot", Syntax::Integer, RO, "Slot of the " + title + " service")
        .column(2, p + "ServicesStation", Syntax::Integer, RO, "Port of the service")
        .column(3, p + "ServicesDescription", Syntax::DisplayString, RC, "Service description")
        .size(0, 30)
        .column(4, p + "ServicesBridgeID", Syntax::Integer, RC, "Group of the service itself");

    TableBuilder members(out, p + "Table", concat(kArea, {servicesTable + 1, 1}),
                         {p + "Slot", p + "Station", p + "LanNumber"});
    members.column(1, p + "Slot", Syntax::Integer, RO, "Slot of the " + title + " service")
        .column(2, p + "Station", Syntax::Integer, RO, "Port of the service")
        .column(3, p + "LanNumber", Syntax::Integer, RO, "Group carried by the service")
        .column(4, p + "Command", Syntax::Enumeration, RC, "Write add or remove")
        .labels({{1, "add"}, {2, "remove"}});
}

}  // namespace

void addTrunkingVariables(std::vector<MibVariable>* out) {
    std::uint32_t table = 1;
    for (const Family& family : kFamilies) {
        addFamily(out, family, table);
        table += 2;
    }
}

}  // namespace mib::dictionary_data
