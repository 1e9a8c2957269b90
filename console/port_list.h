#pragma once
// The ports --select names: single ports, ranges and whole slots ("3/5,4/1-4,1/*"). A whole
// slot, and whether the ports exist, are known only once the chassis has been read, so a list
// is parsed with the other options and resolved against the chassis later.

#include <optional>
#include <string>
#include <vector>

#include "console/slot_port.h"

namespace console {

// Ports first..last of a slot; both 0 for every port the slot has.
struct PortSpan {
    int slot = 0;
    int first = 0;
    int last = 0;
    bool wholeSlot() const { return first == 0; }
    bool operator==(const PortSpan&) const = default;
};

// "1/1-12,3/5,4/*" -> its spans appended to *out in the order given; false, *out untouched and
// *error naming the item that is not a port, a range from 1 upwards or a slot's wildcard.
bool parsePortList(const std::string& text, std::vector<PortSpan>* out, std::string* error);

// The ports the spans name, in the order named, each once; nullopt and *error naming the first
// port (or, for a wildcard, the slot) the chassis lacks. chassis is every port it has.
std::optional<std::vector<SlotPort>> resolvePortList(const std::vector<PortSpan>& spans,
                                                     const std::vector<SlotPort>& chassis,
                                                     std::string* error);

}  // namespace console
