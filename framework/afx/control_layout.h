#pragma once
// How a person reads the controls of a window: a control is named by the static text just
// before it (or by its own text, for buttons), and sits in the innermost group box around
// it. The text renderer and the operator driver share this reading, so what the dump
// shows is what a script can name.

#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "framework/afx/window.h"

namespace afx {

// Without the '&' of keyboard mnemonics ("&&" stays one '&').
std::string stripMnemonic(std::string_view text);
// For matching names: no mnemonic, no surrounding blanks, no trailing ':', line breaks as blanks.
std::string normalizeLabel(std::string_view text);

// Windows that hold controls of their own (dialogs, property pages, plain frames).
bool isContainer(const WindowRecord& record);

class ControlLayout {
public:
    // Reads the visible children of parent, in creation (template) order.
    explicit ControlLayout(HWND parent);

    const std::vector<HWND>& visibleChildren() const { return m_children; }
    // The static text naming control, or nullptr.
    HWND labelOf(HWND control) const;
    // A static that names the control after it (shown with that control, not by itself).
    bool isLabel(HWND control) const { return m_labels.count(control) != 0; }
    // The innermost group box around control, or nullptr.
    HWND groupOf(HWND control) const;
    // What a person calls the control, as displayed (mnemonics removed); may be empty.
    std::string nameOf(HWND control) const;

private:
    void findLabels();
    void findGroups();

    std::vector<HWND> m_children;
    std::unordered_map<HWND, HWND> m_labelOf;
    std::unordered_set<HWND> m_labels;
    std::unordered_map<HWND, HWND> m_groupOf;
};

}  // namespace afx
