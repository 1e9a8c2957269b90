#include "resources/exp_port_stats_template.h"

#include "resources/exp_port_stats_ids.h"
#include "resources/resource_ids.h"
#include "resources/template_controls.h"

namespace torvik {

afx::DialogTemplate expPortStatsTemplate() {
    using afx::WindowClass;
    namespace style = afx::style;
    constexpr DWORD kFirstRadio = style::kGroup | style::kTabStop | style::kAutoCheck;
    afx::DialogTemplate dialog;
    dialog.id = IDD_EXP_PORT_STATS;
    dialog.caption = "Statistics";
    dialog.size = CSize(252, 220);

    auto& controls = dialog.controls;
    controls.push_back(
        groupBoxAt(IDC_EXP_STATS_GROUP, "TarvoPort Statistics", CRect(7, 7, 245, 213)));
    controls.push_back(controlOf(WindowClass::RadioButton, IDC_EXP_STATS_BANK, "Bank Statistics",
                                 CRect(16, 20, 90, 30), kFirstRadio));
    controls.push_back(controlOf(WindowClass::RadioButton, IDC_EXP_STATS_PORT, "Port Statistics",
                                 CRect(92, 20, 166, 30), style::kAutoCheck));
    controls.push_back(controlOf(WindowClass::RadioButton, IDC_EXP_STATS_ERRORS, "Port Errors",
                                 CRect(168, 20, 236, 30), style::kAutoCheck));
    controls.push_back(
        controlOf(WindowClass::Separator, IDC_EXP_STATS_SEPARATOR, "", CRect(14, 35, 238, 36)));
    controls.push_back(
        controlOf(WindowClass::ListView, IDC_EXP_STATS_LIST, "", CRect(14, 40, 238, 190),
                  style::kGroup | style::kReport | style::kSingleSelect | style::kTabStop));
    controls.push_back(controlOf(WindowClass::RadioButton, IDC_EXP_STATS_TABLE_VIEW, "Table View",
                                 CRect(16, 196, 110, 206), kFirstRadio));
    controls.push_back(controlOf(WindowClass::RadioButton, IDC_EXP_STATS_ITEM_VIEW, "Item View",
                                 CRect(120, 196, 236, 206), style::kAutoCheck));
    return dialog;
}

}  // namespace torvik
