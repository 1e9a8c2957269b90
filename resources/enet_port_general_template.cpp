#include "resources/enet_port_general_template.h"
#include "resources/resource_ids.h"
#include "resources/template_controls.h"

namespace torvik {

afx::DialogTemplate enetPortGeneralTemplate() {
    afx::DialogTemplate dialog;
    dialog.id = IDD_ENET_PORT_GENERAL;
    dialog.caption = "General";
    dialog.size = CSize(252, 150);

    constexpr int kLabelLeft = 20;
    constexpr int kLabelRight = 80;
    constexpr int kValueRight = 236;
    constexpr int kFirstRow = 60;
    constexpr int kRowStep = 16;
    struct Row {
        const char* label;
        int labelId;
        int valueId;
    };
    const Row rows[] = {
        {"IP Address:", IDC_GENERAL_IP_ADDRESS_LABEL, IDC_GENERAL_IP_ADDRESS},
        {"Slot:", IDC_GENERAL_SLOT_LABEL, IDC_GENERAL_SLOT},
        {"Port:", IDC_GENERAL_PORT_LABEL, IDC_GENERAL_PORT},
        {"Port Type:", IDC_GENERAL_PORT_TYPE_LABEL, IDC_GENERAL_PORT_TYPE},
        {"Description:", IDC_GENERAL_DESCRIPTION_LABEL, IDC_GENERAL_DESCRIPTION},
    };

    auto& controls = dialog.controls;
    controls.push_back(iconAt(IDC_GENERAL_ICON, IDI_TORVIK_MODULE, CRect(10, 10, 30, 30)));
    controls.push_back(controlOf(afx::WindowClass::Static, IDC_GENERAL_CAPTION, "Ethernet",
                                 CRect(40, 16, 160, 26)));
    controls.push_back(
        groupBoxAt(IDC_GENERAL_GROUP, "General Ethernet Port Information", CRect(7, 42, 245, 143)));
    int top = kFirstRow;
    for (const Row& row : rows) {
        controls.push_back(controlOf(afx::WindowClass::Static, row.labelId, row.label,
                                     CRect(kLabelLeft, top, kLabelRight, top + 10)));
        controls.push_back(
            valueAt(row.valueId, CRect(kLabelRight + 4, top, kValueRight, top + 10)));
        top += kRowStep;
    }
    return dialog;
}

}  // namespace torvik
