#include "framework/dialogs/dialog_templates.h"

#include <string>
#include <utility>

#include "framework/dialogs/dialog_ids.h"

namespace belva {

namespace {

using afx::WindowClass;
namespace style = afx::style;

afx::ControlTemplate control(WindowClass cls, int id, std::string text, const CRect& rect,
                             DWORD controlStyle = 0) {
    afx::ControlTemplate c;
    c.id = id;
    c.cls = cls;
    c.text = std::move(text);
    c.rect = rect;
    c.style = controlStyle;
    return c;
}

afx::ControlTemplate label(std::string text, const CRect& rect) {
    return control(WindowClass::Static, IDC_STATIC, std::move(text), rect);
}

}  // namespace

afx::DialogTemplate bridgeAddressTemplate() {
    afx::DialogTemplate d;
    d.id = IDD_BELVA_BRIDGE_ADDRESS;
    d.caption = "Static Bridge Addresses";
    d.size = CSize(240, 190);
    auto& c = d.controls;
    c.push_back(label("Virtual Port:", CRect(7, 7, 70, 17)));
    c.push_back(control(WindowClass::Static, IDC_BRIDGE_VPORT, "", CRect(74, 7, 233, 17)));
    c.push_back(label("Group:", CRect(7, 21, 70, 31)));
    c.push_back(control(WindowClass::Static, IDC_BRIDGE_GROUP, "", CRect(74, 21, 233, 31)));
    c.push_back(control(WindowClass::GroupBox, IDC_BRIDGE_LIST_GROUP, "Static Addresses",
                        CRect(7, 36, 233, 130)));
    c.push_back(control(WindowClass::ListView, IDC_BRIDGE_LIST, "", CRect(14, 48, 226, 124),
                        style::kReport | style::kSingleSelect | style::kTabStop));
    c.push_back(label("MAC Address:", CRect(7, 138, 70, 148)));
    c.push_back(control(WindowClass::Edit, IDC_BRIDGE_ADDRESS, "", CRect(74, 136, 160, 148),
                        style::kTabStop));
    c.push_back(control(WindowClass::PushButton, IDC_BRIDGE_ADD, "Add", CRect(166, 135, 198, 149),
                        style::kTabStop));
    c.push_back(control(WindowClass::PushButton, IDC_BRIDGE_REMOVE, "Remove",
                        CRect(201, 135, 233, 149), style::kTabStop));
    return d;
}

afx::DialogTemplate portMirrorTemplate() {
    afx::DialogTemplate d;
    d.id = IDD_BELVA_PORT_MIRROR;
    d.caption = "Port Mirroring";
    d.size = CSize(200, 120);
    auto& c = d.controls;
    c.push_back(label("Mirrored Port:", CRect(7, 7, 70, 17)));
    c.push_back(control(WindowClass::Static, IDC_MIRROR_VPORT, "", CRect(74, 7, 193, 17)));
    c.push_back(label("Session:", CRect(7, 21, 70, 31)));
    c.push_back(control(WindowClass::Static, IDC_MIRROR_SESSION, "", CRect(74, 21, 193, 31)));
    c.push_back(label("Mirroring:", CRect(7, 37, 70, 47)));
    c.push_back(control(WindowClass::ComboBox, IDC_MIRROR_STATUS, "", CRect(74, 35, 150, 47),
                        style::kDropDownList | style::kTabStop));
    c.push_back(label("Copy to Slot:", CRect(7, 55, 70, 65)));
    c.push_back(control(WindowClass::Edit, IDC_MIRROR_TO_SLOT, "", CRect(74, 53, 110, 65),
                        style::kTabStop | style::kDigitsOnly));
    c.push_back(label("Copy to Port:", CRect(7, 71, 70, 81)));
    c.push_back(control(WindowClass::Edit, IDC_MIRROR_TO_PORT, "", CRect(74, 69, 110, 81),
                        style::kTabStop | style::kDigitsOnly));
    return d;
}

void registerTemplates(HINSTANCE module) {
    afx::registerDialogTemplate(module, bridgeAddressTemplate());
    afx::registerDialogTemplate(module, portMirrorTemplate());
}

}  // namespace belva
