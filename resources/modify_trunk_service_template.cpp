#include "resources/template_controls.h"
#include "resources/trunk_ids.h"
#include "resources/trunk_templates.h"

namespace torvik {

afx::DialogTemplate modifyTrunkServiceTemplate() {
    using afx::WindowClass;
    namespace style = afx::style;
    afx::DialogTemplate dialog;
    dialog.id = IDD_MODIFY_TRUNK_SERVICE;
    dialog.caption = "Modify Trunking Service";
    dialog.size = CSize(230, 170);

    auto& controls = dialog.controls;
    controls.push_back(groupBoxAt(IDC_TRUNK_SERVICE_MODIFY_GROUP, "Modify", CRect(7, 7, 223, 163)));
    controls.push_back(labelAt("Service Description:", CRect(14, 20, 90, 30)));
    controls.push_back(controlOf(WindowClass::Edit, IDC_TRUNK_SERVICE_DESCRIPTION, "",
                                 CRect(94, 18, 216, 30), style::kTabStop));
    controls.push_back(labelAt("Available\nGroups", CRect(14, 38, 80, 56)));
    controls.push_back(controlOf(WindowClass::ListBox, IDC_TRUNK_SERVICE_AVAILABLE, "",
                                 CRect(14, 58, 80, 156), style::kMultiSelect | style::kTabStop));
    controls.push_back(controlOf(WindowClass::PushButton, IDC_TRUNK_SERVICE_ADD, "Add -->",
                                 CRect(88, 80, 142, 94), style::kTabStop));
    controls.push_back(controlOf(WindowClass::PushButton, IDC_TRUNK_SERVICE_REMOVE, "Remove",
                                 CRect(88, 104, 142, 118), style::kTabStop));
    controls.push_back(labelAt("Serviced\nGroups", CRect(150, 38, 216, 56)));
    controls.push_back(controlOf(WindowClass::ListBox, IDC_TRUNK_SERVICE_SERVICED, "",
                                 CRect(150, 58, 216, 156), style::kMultiSelect | style::kTabStop));
    return dialog;
}

}  // namespace torvik
