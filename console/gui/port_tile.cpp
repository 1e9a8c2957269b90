#include "console/gui/port_tile.h"

#include "framework/afx/printable_text.h"

namespace gui {

PortState portState(const PortTile& tile) {
    if (tile.admin == kAdminDisabled) {
        return PortState::Disabled;
    }
    if (tile.admin != kAdminEnabled || tile.oper == 0) {
        return PortState::Unknown;
    }
    return tile.oper == kOperUp ? PortState::Up : PortState::NoLink;
}

const char* portStateText(PortState state) {
    switch (state) {
        case PortState::Up:
            return "up";
        case PortState::NoLink:
            return "enabled, no link";
        case PortState::Disabled:
            return "disabled";
        case PortState::Unknown:
            break;
    }
    return "unknown";
}

std::string portTooltipText(const PortTile& tile) {
    std::string text =
        "Slot " + std::to_string(tile.where.slot) + " Port " + std::to_string(tile.where.port);
    if (tile.expander) {
        text += " (expander)";
    }
    text += "\nType: ";
    text += tile.typeText.empty() ? "type " + std::to_string(tile.type)
                                  : afx::printableText(tile.typeText);
    if (!tile.description.empty()) {
        // The agent's text: shown, never interpreted.
        text += "\nDescription: " + afx::printableText(tile.description);
    }
    text += "\nStatus: ";
    text += portStateText(portState(tile));
    return text;
}

}  // namespace gui
