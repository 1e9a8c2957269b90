#include "framework/afx/control_layout.h"

#include <algorithm>

namespace afx {

namespace {

bool endsWithColon(std::string_view text) {
    const auto end = text.find_last_not_of(' ');
    return end != std::string_view::npos && text[end] == ':';
}

bool hasOwnCaption(const WindowRecord& r) {
    return (r.cls == WindowClass::PushButton || r.cls == WindowClass::CheckBox ||
            r.cls == WindowClass::RadioButton) &&
           !r.text.empty();
}

// Whether a static text right before `next` names it.
bool labels(const WindowRecord& text, const WindowRecord& next) {
    if (text.cls != WindowClass::Static || normalizeLabel(text.text).empty()) {
        return false;
    }
    switch (next.cls) {
        case WindowClass::Edit:
        case WindowClass::ComboBox:
        case WindowClass::ListBox:
        case WindowClass::ListView:
            return true;
        case WindowClass::PushButton:
        case WindowClass::CheckBox:
        case WindowClass::RadioButton:
            return !hasOwnCaption(next);
        case WindowClass::Static:
            // "Operational Status:" names the value text after it; a second caption does not.
            return endsWithColon(text.text) && !endsWithColon(next.text);
        default:
            return false;
    }
}

bool inside(const CRect& outer, const CRect& inner) {
    return inner.left >= outer.left && inner.right <= outer.right && inner.top >= outer.top &&
           inner.bottom <= outer.bottom;
}

long area(const CRect& r) {
    return static_cast<long>(r.Width()) * r.Height();
}

}  // namespace

std::string stripMnemonic(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&') {
            if (i + 1 < text.size() && text[i + 1] == '&') {
                out += '&';
                ++i;
            }
            continue;
        }
        out += text[i];
    }
    return out;
}

std::string normalizeLabel(std::string_view text) {
    std::string s = stripMnemonic(text);
    // A caption broken over two lines ("Channel\nPorts") is named on one, with a blank.
    std::replace(s.begin(), s.end(), '\n', ' ');
    const auto first = s.find_first_not_of(" \t");
    if (first == std::string::npos) {
        return {};
    }
    s = s.substr(first, s.find_last_not_of(" \t") - first + 1);
    if (!s.empty() && s.back() == ':') {
        s.pop_back();
        while (!s.empty() && s.back() == ' ') {
            s.pop_back();
        }
    }
    return s;
}

bool isContainer(const WindowRecord& record) {
    return record.cls == WindowClass::Dialog ||
           (record.cls == WindowClass::Plain && !record.children.empty());
}

ControlLayout::ControlLayout(HWND parent) {
    if (const WindowRecord* p = windows().find(parent)) {
        for (HWND child : p->children) {
            const WindowRecord* c = windows().find(child);
            // An owned dialog (a modeless sheet a page opened) is a window of its own, not
            // part of its owner's layout.
            const bool owned = c && c->cls == WindowClass::Dialog && !c->is(style::kChild);
            if (c && c->visible && !owned) {
                m_children.push_back(child);
            }
        }
    }
    findLabels();
    findGroups();
}

void ControlLayout::findLabels() {
    for (std::size_t i = 0; i + 1 < m_children.size(); ++i) {
        const WindowRecord& text = *windows().find(m_children[i]);
        const WindowRecord& next = *windows().find(m_children[i + 1]);
        if (labels(text, next)) {
            m_labelOf[m_children[i + 1]] = m_children[i];
            m_labels.insert(m_children[i]);
        }
    }
}

// A group box with a rectangle holds the controls inside it; one without (built in code)
// holds the controls that follow it up to the next group box.
void ControlLayout::findGroups() {
    HWND openBox = nullptr;
    for (HWND child : m_children) {
        const WindowRecord& c = *windows().find(child);
        if (c.cls == WindowClass::GroupBox) {
            openBox = c.rect.IsRectEmpty() ? child : nullptr;
        }
        if (isContainer(c)) {
            continue;
        }
        HWND best = nullptr;
        long bestArea = 0;
        for (HWND candidate : m_children) {
            const WindowRecord& box = *windows().find(candidate);
            if (candidate == child || box.cls != WindowClass::GroupBox || box.rect.IsRectEmpty() ||
                c.rect.IsRectEmpty() || !inside(box.rect, c.rect)) {
                continue;
            }
            if (!best || area(box.rect) < bestArea) {
                best = candidate;
                bestArea = area(box.rect);
            }
        }
        if (!best && openBox && openBox != child) {
            best = openBox;
        }
        if (best) {
            m_groupOf[child] = best;
        }
    }
}

HWND ControlLayout::labelOf(HWND control) const {
    auto it = m_labelOf.find(control);
    return it == m_labelOf.end() ? nullptr : it->second;
}

HWND ControlLayout::groupOf(HWND control) const {
    auto it = m_groupOf.find(control);
    return it == m_groupOf.end() ? nullptr : it->second;
}

std::string ControlLayout::nameOf(HWND control) const {
    const WindowRecord* r = windows().find(control);
    if (!r) {
        return {};
    }
    if (hasOwnCaption(*r) || r->cls == WindowClass::GroupBox) {
        return stripMnemonic(r->text);
    }
    if (HWND label = labelOf(control)) {
        return stripMnemonic(windows().find(label)->text);
    }
    return {};
}

}  // namespace afx
