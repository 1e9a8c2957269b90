#include "resources/port_view_ids.h"
#include "resources/port_view_templates.h"
#include "resources/resource_ids.h"
#include "resources/template_controls.h"

namespace torvik {

afx::DialogTemplate enetPortStatusTemplate() {
    using afx::WindowClass;
    namespace style = afx::style;
    afx::DialogTemplate dialog;
    dialog.id = IDD_ENET_PORT_STATUS;
    dialog.caption = "Status";
    dialog.size = CSize(252, 220);

    auto& controls = dialog.controls;
    controls.push_back(groupBoxAt(IDC_STATUS_PORTS_GROUP, "Physical Ports", CRect(7, 7, 245, 112)));
    controls.push_back(controlOf(WindowClass::ListView, IDC_STATUS_PORT_LIST, "",
                                 CRect(14, 19, 238, 106),
                                 style::kReport | style::kSingleSelect | style::kTabStop));
    controls.push_back(groupBoxAt(IDC_STATUS_PARAMETERS_GROUP, "Physical Port Status Parameters",
                                  CRect(7, 118, 245, 213)));
    controls.push_back(labelAt("Slot/Port:", CRect(16, 132, 90, 142)));
    controls.push_back(valueAt(IDC_STATUS_SLOT_PORT, CRect(94, 132, 236, 142)));
    controls.push_back(labelAt("Operational Status:", CRect(16, 150, 90, 160)));
    controls.push_back(valueAt(IDC_STATUS_OPER_STATUS, CRect(94, 150, 236, 160)));
    controls.push_back(labelAt("Admin Status:", CRect(16, 168, 90, 178)));
    controls.push_back(controlOf(WindowClass::ComboBox, IDC_STATUS_ADMIN_STATUS, "",
                                 CRect(94, 166, 180, 178), style::kDropDownList | style::kTabStop));
    controls.push_back(labelAt("Description:", CRect(16, 188, 90, 198)));
    controls.push_back(controlOf(WindowClass::Edit, IDC_STATUS_DESCRIPTION, "",
                                 CRect(94, 186, 236, 198), style::kTabStop));
    return dialog;
}

}  // namespace torvik
