#include "resources/expander_page_ids.h"
#include "resources/expander_templates.h"
#include "resources/resource_ids.h"
#include "resources/template_controls.h"

namespace torvik {

afx::DialogTemplate expPortAdminTemplate() {
    using afx::WindowClass;
    namespace style = afx::style;
    afx::DialogTemplate dialog;
    dialog.id = IDD_EXP_PORT_ADMIN;
    dialog.caption = "Port Admin";
    dialog.size = CSize(252, 236);

    auto& controls = dialog.controls;
    controls.push_back(labelAt("Ports:", CRect(7, 7, 120, 15)));
    controls.push_back(controlOf(WindowClass::ListView, IDC_EXPADMIN_PORT_LIST, "",
                                 CRect(7, 17, 245, 100),
                                 style::kReport | style::kMultiSelect | style::kTabStop));
    controls.push_back(
        groupBoxAt(IDC_EXPADMIN_CONFIG_GROUP, "Port Configuration", CRect(7, 104, 245, 156)));
    controls.push_back(labelAt("Segment:", CRect(16, 118, 64, 128)));
    controls.push_back(controlOf(WindowClass::Edit, IDC_EXPADMIN_SEGMENT, "",
                                 CRect(68, 116, 110, 128), style::kTabStop));
    controls.push_back(labelAt("Admin State:", CRect(124, 118, 172, 128)));
    controls.push_back(controlOf(WindowClass::ComboBox, IDC_EXPADMIN_ADMIN_STATE, "",
                                 CRect(176, 116, 238, 128),
                                 style::kDropDownList | style::kTabStop));
    controls.push_back(controlOf(WindowClass::CheckBox, IDC_EXPADMIN_UPLINK, "Uplink Port:",
                                 CRect(16, 136, 110, 146), style::kAutoCheck | style::kTabStop));
    controls.push_back(controlOf(WindowClass::Static, IDC_EXPADMIN_SEGMENTS_LABEL,
                                 "Available Segments:", CRect(7, 162, 120, 170)));
    controls.push_back(controlOf(WindowClass::ListView, IDC_EXPADMIN_SEGMENT_LIST, "",
                                 CRect(7, 172, 245, 229),
                                 style::kReport | style::kSingleSelect | style::kTabStop));
    return dialog;
}

}  // namespace torvik
