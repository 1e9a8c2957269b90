#include "console/gui/counter_target.h"

#include "framework/sw/drag_drop_string.h"

namespace gui {

namespace {

const char* syntaxName(mib::Syntax syntax) {
    switch (syntax) {
        case mib::Syntax::Integer:
            return "an integer";
        case mib::Syntax::Enumeration:
            return "an enumeration";
        case mib::Syntax::DisplayString:
        case mib::Syntax::OctetString:
            return "a string";
        case mib::Syntax::MacAddress:
            return "a MAC address";
        case mib::Syntax::IpAddress:
            return "an IP address";
        case mib::Syntax::Gauge32:
            return "a gauge";
        case mib::Syntax::TimeTicks:
            return "a time";
        case mib::Syntax::ObjectIdentifier:
            return "an object identifier";
        case mib::Syntax::Counter32:
        case mib::Syntax::Counter64:
            return "a counter";
    }
    return "not a counter";
}

}  // namespace

std::string CounterTarget::legend() const {
    std::string text = label.empty() ? variable : label;
    if (slot > 0) {
        text += " " + std::to_string(slot);
        if (port > 0) {
            text += "/" + std::to_string(port);
        }
    }
    return text;
}

bool CounterTarget::sameCounter(const CounterTarget& other) const {
    return agent == other.agent && variable == other.variable && index == other.index;
}

std::optional<CounterTarget> counterFromDragString(const std::string& text,
                                                   const mib::MibDictionary& dictionary,
                                                   std::string* error) {
    // A drag string is one line; the end of line a clipboard or a drop may add is not part of it.
    std::string line = text;
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) {
        line.pop_back();
    }
    sw::DragDropFields fields;
    if (!sw::parseDragDropString(line, fields)) {
        *error = "Not a counter dragged from a Statistics page.";
        return std::nullopt;
    }
    const mib::MibVariable* variable = dictionary.find(fields.variable);
    if (variable == nullptr) {
        *error = "Unknown variable \"" + fields.variable + "\".";
        return std::nullopt;
    }
    if (variable->syntax != mib::Syntax::Counter32 && variable->syntax != mib::Syntax::Counter64) {
        const std::string name = fields.label.empty() ? fields.variable : fields.label;
        *error = "\"" + name + "\" is " + syntaxName(variable->syntax) +
                 ", not a counter: it has no rate to graph.";
        return std::nullopt;
    }
    if (variable->isColumn() && fields.index.empty()) {
        *error = "The drag of \"" + fields.variable + "\" names no row of its table.";
        return std::nullopt;
    }
    CounterTarget target;
    target.agent = fields.agent;
    target.variable = fields.variable;
    target.index = fields.index;
    target.label = fields.label;
    target.slot = fields.slot;
    target.port = fields.port;
    target.widthBits = variable->syntax == mib::Syntax::Counter64 ? 64 : 32;
    return target;
}

}  // namespace gui
