#include "resources/port_view_ids.h"
#include "resources/port_view_templates.h"
#include "resources/resource_ids.h"
#include "resources/template_controls.h"

namespace torvik {

afx::DialogTemplate enetPortStatsTemplate() {
    using afx::WindowClass;
    namespace style = afx::style;
    constexpr DWORD kFirstRadio = style::kGroup | style::kTabStop | style::kAutoCheck;
    afx::DialogTemplate dialog;
    dialog.id = IDD_ENET_PORT_STATS;
    dialog.caption = "Statistics";
    dialog.size = CSize(252, 220);

    auto& controls = dialog.controls;
    controls.push_back(groupBoxAt(IDC_STATS_GROUP, "Port Statistics", CRect(7, 7, 245, 213)));
    controls.push_back(controlOf(WindowClass::RadioButton, IDC_STATS_PHYSICAL,
                                 "Physical Port Stats", CRect(16, 20, 110, 30), kFirstRadio));
    controls.push_back(controlOf(WindowClass::RadioButton, IDC_STATS_ETHERNET, "Ethernet Stats",
                                 CRect(16, 34, 110, 44), style::kAutoCheck));
    controls.push_back(controlOf(WindowClass::RadioButton, IDC_STATS_TABLE_VIEW, "Table View",
                                 CRect(140, 20, 236, 30), kFirstRadio));
    controls.push_back(controlOf(WindowClass::RadioButton, IDC_STATS_ITEM_VIEW, "Item View",
                                 CRect(140, 34, 236, 44), style::kAutoCheck));
    controls.push_back(
        controlOf(WindowClass::ListView, IDC_STATS_LIST, "", CRect(14, 52, 238, 206),
                  style::kGroup | style::kReport | style::kSingleSelect | style::kTabStop));
    return dialog;
}

}  // namespace torvik
