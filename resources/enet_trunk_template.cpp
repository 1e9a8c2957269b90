#include "resources/resource_ids.h"
#include "resources/template_controls.h"
#include "resources/trunk_ids.h"
#include "resources/trunk_templates.h"

namespace torvik {

afx::DialogTemplate enetTrunkTemplate() {
    using afx::WindowClass;
    namespace style = afx::style;
    afx::DialogTemplate dialog;
    dialog.id = IDD_ENET_TRUNK;
    dialog.caption = "802.1Q Trunking";
    dialog.size = CSize(252, 220);

    auto& controls = dialog.controls;
    controls.push_back(labelAt("Slot / Port:", CRect(10, 10, 60, 20)));
    controls.push_back(valueAt(IDC_TRUNK_SLOT_PORT, CRect(64, 10, 160, 20)));
    // The page titles this box by the service kind it shows.
    controls.push_back(groupBoxAt(IDC_TRUNK_DESCRIPTION_GROUP, "802.1Q Service Description",
                                  CRect(7, 28, 245, 58)));
    controls.push_back(valueAt(IDC_TRUNK_DESCRIPTION, CRect(16, 40, 236, 50)));
    controls.push_back(
        groupBoxAt(IDC_TRUNK_GROUPS_GROUP, "Groups Serviced", CRect(7, 64, 245, 190)));
    controls.push_back(controlOf(WindowClass::ListView, IDC_TRUNK_GROUP_LIST, "",
                                 CRect(14, 76, 238, 184),
                                 style::kReport | style::kSingleSelect | style::kTabStop));
    controls.push_back(controlOf(WindowClass::PushButton, IDC_TRUNK_MODIFY, "Create/Modify...",
                                 CRect(170, 198, 245, 212), style::kTabStop));
    return dialog;
}

}  // namespace torvik
