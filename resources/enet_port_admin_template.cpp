#include "resources/enet_port_admin_template.h"

#include "resources/resource_ids.h"
#include "resources/service_admin_ids.h"
#include "resources/template_controls.h"

namespace torvik {

namespace {

afx::ControlTemplate editAt(int id, const CRect& rect, DWORD extra = 0) {
    return controlOf(afx::WindowClass::Edit, id, "", rect, afx::style::kTabStop | extra);
}

afx::ControlTemplate comboAt(int id, const CRect& rect) {
    return controlOf(afx::WindowClass::ComboBox, id, "", rect,
                     afx::style::kDropDownList | afx::style::kTabStop);
}

afx::ControlTemplate buttonAt(int id, const char* text, const CRect& rect) {
    return controlOf(afx::WindowClass::PushButton, id, text, rect, afx::style::kTabStop);
}

afx::ControlTemplate checkAt(int id, const char* text, const CRect& rect) {
    return controlOf(afx::WindowClass::CheckBox, id, text, rect,
                     afx::style::kAutoCheck | afx::style::kTabStop);
}

}  // namespace

afx::DialogTemplate enetPortAdminTemplate() {
    using afx::WindowClass;
    namespace style = afx::style;
    afx::DialogTemplate dialog;
    dialog.id = IDD_ENET_PORT_ADMIN;
    dialog.caption = "Service Admin";
    dialog.size = CSize(330, 280);

    auto& c = dialog.controls;
    c.push_back(groupBoxAt(IDC_ADMIN_VPORTS_GROUP, "Virtual Ports", CRect(7, 7, 323, 98)));
    c.push_back(controlOf(WindowClass::ListView, IDC_ADMIN_VPORT_LIST, "", CRect(14, 19, 316, 92),
                          style::kReport | style::kMultiSelect | style::kTabStop));

    c.push_back(
        groupBoxAt(IDC_ADMIN_SETTINGS_GROUP, "Virtual Port Settings", CRect(7, 102, 210, 273)));
    c.push_back(labelAt("Group Num:", CRect(14, 116, 74, 126)));
    c.push_back(editAt(IDC_ADMIN_GROUP_NUM, CRect(78, 114, 120, 126)));
    c.push_back(labelAt("Admin State:", CRect(14, 132, 74, 142)));
    c.push_back(comboAt(IDC_ADMIN_ADMIN_STATE, CRect(78, 130, 150, 142)));
    c.push_back(labelAt("Description:", CRect(14, 148, 74, 158)));
    c.push_back(editAt(IDC_ADMIN_DESCRIPTION, CRect(78, 146, 204, 158)));
    c.push_back(labelAt("Switch Timer:", CRect(14, 164, 74, 174)));
    c.push_back(editAt(IDC_ADMIN_SWITCH_TIMER, CRect(78, 162, 120, 174)));
    c.push_back(labelAt("Sec.", CRect(124, 164, 150, 174)));
    c.push_back(labelAt("Flood Limit:", CRect(14, 180, 74, 190)));
    c.push_back(editAt(IDC_ADMIN_FLOOD_LIMIT, CRect(78, 178, 120, 190)));
    c.push_back(labelAt("Bytes/Sec", CRect(124, 180, 170, 190)));
    c.push_back(labelAt("Manual Mode:", CRect(14, 196, 74, 206)));
    c.push_back(comboAt(IDC_ADMIN_MANUAL_MODE, CRect(78, 194, 150, 206)));
    c.push_back(labelAt("Bridge Mode:", CRect(14, 212, 74, 222)));
    c.push_back(comboAt(IDC_ADMIN_BRIDGE_MODE, CRect(78, 210, 150, 222)));
    c.push_back(labelAt("Encapsulation:", CRect(14, 228, 74, 238)));
    c.push_back(comboAt(IDC_ADMIN_ENCAPSULATION, CRect(78, 226, 150, 238)));
    c.push_back(labelAt("Bridge Protocol:", CRect(14, 244, 74, 254)));
    c.push_back(valueAt(IDC_ADMIN_BRIDGE_PROTOCOL, CRect(78, 244, 150, 254)));
    c.push_back(labelAt("Port Mirroring:", CRect(14, 258, 74, 268)));
    c.push_back(valueAt(IDC_ADMIN_MIRROR_STATUS, CRect(78, 258, 150, 268)));

    c.push_back(checkAt(IDC_ADMIN_APPLY_ALL, "Apply All Settings:", CRect(216, 106, 323, 116)));
    c.push_back(checkAt(IDC_ADMIN_SHOW_LEARNED, "Show Learned MAC:", CRect(216, 120, 323, 130)));
    c.push_back(buttonAt(IDC_ADMIN_BRIDGE_ADDRESS, "Bridge Address...", CRect(216, 136, 296, 150)));
    c.push_back(buttonAt(IDC_ADMIN_PORT_MIRRORING, "Port Mirroring...", CRect(216, 154, 296, 168)));
    c.push_back(buttonAt(IDC_ADMIN_TRUNKING, "Trunking...", CRect(216, 172, 296, 186)));

    c.push_back(groupBoxAt(IDC_ADMIN_GROUPS_GROUP, "Available Groups", CRect(216, 190, 323, 273)));
    c.push_back(controlOf(WindowClass::ListView, IDC_ADMIN_GROUP_LIST, "",
                          CRect(222, 202, 316, 267),
                          style::kReport | style::kSingleSelect | style::kTabStop));
    return dialog;
}

}  // namespace torvik
