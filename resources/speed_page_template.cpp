#include "resources/speed_page_template.h"

#include "resources/resource_ids.h"
#include "resources/speed_page_ids.h"
#include "resources/template_controls.h"

namespace torvik {

afx::DialogTemplate enetSpeedTemplate() {
    using afx::WindowClass;
    namespace style = afx::style;
    afx::DialogTemplate dialog;
    dialog.id = IDD_ENET_SPEED;
    dialog.caption = "Speed/Mode";
    dialog.size = CSize(252, 220);

    auto& controls = dialog.controls;
    controls.push_back(labelAt("Ports:", CRect(7, 7, 120, 15)));
    controls.push_back(controlOf(WindowClass::ListView, IDC_SPEED_PORT_LIST, "",
                                 CRect(7, 17, 245, 124),
                                 style::kReport | style::kMultiSelect | style::kTabStop));
    controls.push_back(
        groupBoxAt(IDC_SPEED_CONFIGURATION_GROUP, "Configuration", CRect(7, 130, 245, 213)));
    controls.push_back(labelAt("Auto Negotiation Enabled:", CRect(16, 145, 110, 155)));
    controls.push_back(controlOf(WindowClass::CheckBox, IDC_SPEED_AUTO_NEGOTIATION, "",
                                 CRect(114, 144, 126, 156), style::kAutoCheck | style::kTabStop));
    controls.push_back(labelAt("Duplex", CRect(16, 164, 60, 172)));
    controls.push_back(labelAt("Mode:", CRect(16, 173, 60, 181)));
    controls.push_back(controlOf(WindowClass::ComboBox, IDC_SPEED_DUPLEX, "",
                                 CRect(114, 168, 200, 180),
                                 style::kDropDownList | style::kTabStop));
    controls.push_back(labelAt("Speed:", CRect(16, 192, 60, 202)));
    controls.push_back(controlOf(WindowClass::ComboBox, IDC_SPEED_SPEED, "",
                                 CRect(114, 190, 170, 202),
                                 style::kDropDownList | style::kTabStop));
    controls.push_back(labelAt("Mbs", CRect(174, 192, 200, 202)));
    return dialog;
}

}  // namespace torvik
