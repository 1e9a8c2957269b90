#include "resources/macs_page_template.h"

#include "resources/macs_page_ids.h"
#include "resources/resource_ids.h"
#include "resources/template_controls.h"

namespace torvik {

afx::DialogTemplate enetMACsTemplate() {
    using afx::WindowClass;
    namespace style = afx::style;
    constexpr DWORD kFirstRadio = style::kGroup | style::kTabStop | style::kAutoCheck;
    afx::DialogTemplate dialog;
    dialog.id = IDD_ENET_MACS;
    dialog.caption = "MACs";
    dialog.size = CSize(252, 220);

    auto& controls = dialog.controls;
    controls.push_back(groupBoxAt(IDC_MACS_GROUP, "Ethernet MACs", CRect(7, 7, 245, 213)));
    controls.push_back(controlOf(WindowClass::RadioButton, IDC_MACS_IP_TO_MAC, "IP-to-MAC",
                                 CRect(16, 20, 110, 30), kFirstRadio));
    controls.push_back(controlOf(WindowClass::RadioButton, IDC_MACS_FORWARDING, "Forwarding Table",
                                 CRect(120, 20, 236, 30), style::kAutoCheck));
    controls.push_back(
        controlOf(WindowClass::Separator, IDC_MACS_SEPARATOR, "", CRect(14, 35, 238, 36)));
    controls.push_back(
        controlOf(WindowClass::ListView, IDC_MACS_LIST, "", CRect(14, 40, 238, 190),
                  style::kGroup | style::kReport | style::kSingleSelect | style::kTabStop));
    controls.push_back(controlOf(WindowClass::RadioButton, IDC_MACS_TABLE_VIEW, "Table View",
                                 CRect(16, 196, 110, 206), kFirstRadio));
    controls.push_back(controlOf(WindowClass::RadioButton, IDC_MACS_ITEM_VIEW, "Item View",
                                 CRect(120, 196, 236, 206), style::kAutoCheck));
    return dialog;
}

}  // namespace torvik
