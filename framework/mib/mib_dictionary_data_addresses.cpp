// Area 2: IP-to-MAC associations, learned and static bridge addresses.
#include "framework/mib/mib_dictionary_data.h"

namespace mib::dictionary_data {
namespace {

const Oid kArea = concat(kPrivateArc, {2});
constexpr auto RO = Access::ReadOnly;
constexpr auto RC = Access::ReadCreate;

void addIpAssociations(std::vector<MibVariable>* out) {
    TableBuilder t(out, "norixIpAssocTable", concat(kArea, {1, 1}),
                   {"norixIpAssocAddr", "norixIpAssocMac"});
    t.column(1, "norixIpAssocAddr", Syntax::IpAddress, RO, "IP address seen")
        .column(2, "norixIpAssocMac", Syntax::MacAddress, RO, "MAC address seen with it")
        .column(3, "norixIpAssocSlot", Syntax::Integer, RO, "Slot where it was seen")
        .column(4, "norixIpAssocIntf", Syntax::Integer, RO, "Port where it was seen")
        .column(5, "norixIpAssocDupMac", Syntax::MacAddress, RO, "Other MAC claiming the address")
        .column(6, "norixIpAssocDupSlot", Syntax::Integer, RO, "Slot of the duplicate")
        .column(7, "norixIpAssocDupIntf", Syntax::Integer, RO, "Port of the duplicate");
}

void addForwarding(std::vector<MibVariable>* out) {
    TableBuilder t(out, "vBrdgTpFdbTable", concat(kArea, {2, 1}),
                   {"vBrdgTpFdbGroupId", "vBrdgTpFdbAddress"});
    t.column(1, "vBrdgTpFdbGroupId", Syntax::Integer, RO, "Group the address was learned in")
        .column(2, "vBrdgTpFdbAddress", Syntax::MacAddress, RO, "Learned MAC address")
        .column(3, "vBrdgTpFdbRcvPortSlot", Syntax::Integer, RO, "Slot it was received on")
        .column(4, "vBrdgTpFdbRcvPortIF", Syntax::Integer, RO, "Port it was received on")
        .column(5, "vBrdgTpFdbRcvPortFuncTyp", Syntax::Enumeration, RO, "Receiving service")
        .labels(serviceTypeLabels())
        .column(6, "vBrdgTpFdbRcvPortFuncTypInst", Syntax::Integer, RO, "Service instance")
        .column(7, "vBrdgTpFdbRcvStatus", Syntax::Enumeration, RO, "How the entry arose")
        .labels({{1, "other"}, {2, "invalid"}, {3, "learned"}, {4, "self"}, {5, "mgmt"}})
        .column(8, "vBrdgTpFdbRcvVLANMembership", Syntax::Integer, RO, "VLANs of the address")
        .column(9, "vBrdgTpFdbDupStatus", Syntax::Enumeration, RO, "Seen on another port too")
        .labels({{1, "unique"}, {2, "duplicate"}});
}

void addStaticAddresses(std::vector<MibVariable>* out) {
    TableBuilder t(out, "vBrdgStaticTable", concat(kArea, {3, 1}),
                   {"vBrdgStaticGroupId", "vBrdgStaticAddress"});
    t.column(1, "vBrdgStaticGroupId", Syntax::Integer, RO, "Group of the static entry")
        .column(2, "vBrdgStaticAddress", Syntax::MacAddress, RO, "Static MAC address")
        .column(3, "vBrdgStaticPortSlot", Syntax::Integer, RC, "Slot to forward to")
        .column(4, "vBrdgStaticPortIF", Syntax::Integer, RC, "Port to forward to")
        .column(5, "vBrdgStaticPortFuncTyp", Syntax::Enumeration, RC, "Service to forward to")
        .labels(serviceTypeLabels())
        .column(6, "vBrdgStaticPortFuncTypInst", Syntax::Integer, RC, "Service instance")
        .column(7, "vBrdgStaticStatus", Syntax::Enumeration, RC, "Lifetime; invalid deletes")
        .labels({{1, "other"},
                 {2, "invalid"},
                 {3, "permanent"},
                 {4, "deleteOnReset"},
                 {5, "deleteOnTimeout"}});
}

}  // namespace

void addAddressVariables(std::vector<MibVariable>* out) {
    addIpAssociations(out);
    addForwarding(out);
    addStaticAddresses(out);
}

}  // namespace mib::dictionary_data
