#include "resources/channeling_page_template.h"

#include "resources/channeling_ids.h"
#include "resources/resource_ids.h"
#include "resources/template_controls.h"

namespace torvik {

afx::DialogTemplate enetChannelingTemplate() {
    using afx::WindowClass;
    namespace style = afx::style;
    afx::DialogTemplate dialog;
    dialog.id = IDD_ENET_CHANNELING;
    dialog.caption = "Channeling";
    dialog.size = CSize(252, 220);

    constexpr DWORD kButton = style::kTabStop;
    constexpr DWORD kPortBox = style::kSort | style::kTabStop;
    auto& controls = dialog.controls;
    controls.push_back(
        groupBoxAt(IDC_CHANNELING_GROUP, "Ethernet Channeling", CRect(7, 7, 245, 213)));
    controls.push_back(valueAt(IDC_CHANNELING_LIST_CAPTION, CRect(14, 18, 170, 28)));
    controls.back().text = "Current Channels - Slot x";
    // The caption right before the list names it for the operator's scripts.
    controls.push_back(controlOf(WindowClass::ListView, IDC_CHANNELING_LIST, "",
                                 CRect(14, 30, 238, 100),
                                 style::kReport | style::kSingleSelect | style::kTabStop));
    controls.push_back(controlOf(WindowClass::CheckBox, IDC_CHANNELING_ALL_SLOTS, "All Slots",
                                 CRect(180, 17, 238, 27), style::kAutoCheck | style::kTabStop));
    controls.push_back(controlOf(WindowClass::PushButton, IDC_CHANNELING_CREATE, "Create",
                                 CRect(14, 104, 64, 118), kButton));
    controls.push_back(controlOf(WindowClass::PushButton, IDC_CHANNELING_MODIFY, "Modify",
                                 CRect(70, 104, 120, 118), kButton));
    controls.push_back(controlOf(WindowClass::PushButton, IDC_CHANNELING_DELETE, "Delete",
                                 CRect(126, 104, 176, 118), kButton));
    controls.push_back(labelAt("Slot:", CRect(14, 126, 40, 136)));
    controls.push_back(valueAt(IDC_CHANNELING_SLOT, CRect(42, 126, 70, 136)));
    controls.push_back(labelAt("Channel ID:", CRect(80, 126, 124, 136)));
    controls.push_back(controlOf(WindowClass::Edit, IDC_CHANNELING_CHANNEL_ID, "",
                                 CRect(126, 124, 160, 136), style::kTabStop));
    controls.push_back(labelAt("Available\nPorts", CRect(14, 142, 64, 160)));
    controls.push_back(controlOf(WindowClass::ListBox, IDC_CHANNELING_AVAILABLE, "",
                                 CRect(14, 162, 64, 206), kPortBox));
    controls.push_back(controlOf(WindowClass::PushButton, IDC_CHANNELING_ADD, "Add >>",
                                 CRect(72, 162, 126, 174), kButton));
    controls.push_back(controlOf(WindowClass::PushButton, IDC_CHANNELING_REMOVE, "<< Remove",
                                 CRect(72, 178, 126, 190), kButton));
    controls.push_back(controlOf(WindowClass::PushButton, IDC_CHANNELING_SET_PRIMARY, "Set Primary",
                                 CRect(72, 194, 126, 206), kButton));
    controls.push_back(labelAt("Channel\nPorts", CRect(134, 142, 184, 160)));
    controls.push_back(controlOf(WindowClass::ListBox, IDC_CHANNELING_CHANNEL_PORTS, "",
                                 CRect(134, 162, 184, 206), kPortBox));
    controls.push_back(labelAt("Primary Port:", CRect(190, 162, 238, 172)));
    controls.push_back(valueAt(IDC_CHANNELING_PRIMARY_PORT, CRect(190, 176, 238, 186)));
    return dialog;
}

}  // namespace torvik
