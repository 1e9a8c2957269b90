#pragma once
// Which counter a drag string names, checked against the MIB dictionary: only a Counter32 or
// Counter64 column or scalar has a rate worth graphing.

#include <optional>
#include <string>
#include <vector>

#include "framework/mib/mib_dictionary.h"

namespace gui {

struct CounterTarget {
    std::string agent;               // as the page that gave the drag knew it
    std::string variable;            // "etherStatsPkts"
    std::vector<std::string> index;  // the row, as index texts ("1002"); empty for a scalar
    std::string label;               // the item view's label ("Packets")
    int slot = 0;
    int port = 0;
    int widthBits = 32;

    // "Packets 1/2": the label and the port the counter belongs to.
    std::string legend() const;
    // Same counter on the same row of the same agent.
    bool sameCounter(const CounterTarget& other) const;
};

// The counter a drag string names; nullopt and *error (one sentence for the operator) when the
// text is not a drag string or names no counter the dictionary knows.
std::optional<CounterTarget> counterFromDragString(const std::string& text,
                                                   const mib::MibDictionary& dictionary,
                                                   std::string* error);

}  // namespace gui
