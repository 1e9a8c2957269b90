#pragma once
// Short constructors for the controls of the module's dialog templates, so that each
// template reads as a list of controls with their places (dialog units: left, top, right,
// bottom).

#include <string>
#include <utility>

#include "framework/afx/resources.h"

namespace torvik {

inline afx::ControlTemplate controlOf(afx::WindowClass cls, int id, std::string text,
                                      const CRect& rect, DWORD style = 0) {
    afx::ControlTemplate control;
    control.id = id;
    control.cls = cls;
    control.text = std::move(text);
    control.rect = rect;
    control.style = style;
    return control;
}

// A fixed text (label) nobody addresses.
inline afx::ControlTemplate labelAt(std::string text, const CRect& rect) {
    return controlOf(afx::WindowClass::Static, IDC_STATIC, std::move(text), rect);
}

// A static text that code fills.
inline afx::ControlTemplate valueAt(int id, const CRect& rect) {
    return controlOf(afx::WindowClass::Static, id, "", rect);
}

inline afx::ControlTemplate groupBoxAt(int id, std::string text, const CRect& rect) {
    return controlOf(afx::WindowClass::GroupBox, id, std::move(text), rect);
}

// An icon control; its text names the icon resource by number.
inline afx::ControlTemplate iconAt(int id, int iconResource, const CRect& rect) {
    return controlOf(afx::WindowClass::Icon, id, "#" + std::to_string(iconResource), rect);
}

}  // namespace torvik
