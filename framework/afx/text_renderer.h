#pragma once
// What a person would see, as text: a window tree rendered line by line, in template order,
// for terminals (the console's --dump) and for tests that compare whole screens. The same
// tree always gives the same text, byte for byte.
//
//   == Status ==                         dialog or page caption
//     -- Physical Ports --               group box; its controls indented below it
//       Ports: {focus}                   list view, then its table
//             Slot  Port  MediaType
//         > #14    1     2  10BaseT      '>' selected row, #n its image
//     Description: "core uplink"         edit (quoted, so blanks show)
//     Admin Status: <enabled>            combo box selection (<> when none)
//     Operational Status: up             static text named by the caption before it
//     [x] Uplink   (o) Bank 1   [ OK ]   check box, radio button, push button
//   {disabled}, {focus}, {read-only} follow the control they describe; hidden windows are
//   left out.

#include <functional>
#include <string>

#include "framework/afx/window.h"

namespace afx {

struct RenderOptions {
    bool comboEntries = false;  // list every entry after the selection
    // Text for a list-view row image; default "#<index>".
    std::function<std::string(int image)> imageName;
};

// One window and everything visible inside it.
std::string renderWindow(HWND root, const RenderOptions& options = {});
// Every visible top-level window, then the open message boxes, innermost last.
std::string renderScreen(const RenderOptions& options = {});
std::string renderMessageBox(const MessageBoxState& box);
// "exclamation, OK/Cancel" and the like; the default button is named when it is not the first.
std::string describeMessageBoxStyle(UINT style);
// The button captions of a message box style, in order.
std::vector<std::pair<int, std::string>> messageBoxButtons(UINT style);

}  // namespace afx
