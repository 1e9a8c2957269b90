// Area 5: expander (repeater) ports and segments.
#include "framework/mib/mib_dictionary_data.h"

namespace mib::dictionary_data {
namespace {

const Oid kArea = concat(kPrivateArc, {5});
constexpr auto RO = Access::ReadOnly;
constexpr auto RW = Access::ReadWrite;

}  // namespace

void addExpanderVariables(std::vector<MibVariable>* out) {
    TableBuilder ports(out, "tarvoPortTable", concat(kArea, {1, 1}),
                       {"tarvoPortGroupIndex", "tarvoPortIndex"});
    ports.column(1, "tarvoPortGroupIndex", Syntax::Integer, RO, "Bank, 1-based")
        .column(2, "tarvoPortIndex", Syntax::Integer, RO, "Port within the bank, 1 to 12")
        .column(3, "tarvoPortSegment", Syntax::Integer, RW, "Segment the port is attached to")
        .column(4, "tarvoPortAdminStatus", Syntax::Enumeration, RW, "Administrative state")
        .labels(enabledDisabledLabels())
        .column(5, "tarvoPortUplinkStatus", Syntax::Enumeration, RW, "Wired as an uplink")
        .labels({{1, "uplink"}, {2, "notUplink"}});

    TableBuilder segments(out, "tarvoPortSegmentTable", concat(kArea, {2, 1}),
                          {"tarvoPortSegmentIndex"});
    segments.column(1, "tarvoPortSegmentIndex", Syntax::Integer, RO, "Segment number, 1 to 4")
        .column(2, "tarvoPortSegmentDescr", Syntax::DisplayString, RW, "Segment description")
        .size(0, 31);
}

}  // namespace mib::dictionary_data
