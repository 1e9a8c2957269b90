#include "resources/expander_page_ids.h"
#include "resources/expander_templates.h"
#include "resources/resource_ids.h"
#include "resources/template_controls.h"

namespace torvik {

afx::DialogTemplate expPortGeneralTemplate() {
    afx::DialogTemplate dialog;
    dialog.id = IDD_EXP_PORT_GENERAL;
    dialog.caption = "General";
    dialog.size = CSize(252, 150);

    constexpr int kLabelLeft = 20;
    constexpr int kLabelRight = 80;
    constexpr int kValueRight = 236;
    struct Row {
        const char* label;
        int valueId;
        int top;
    };
    const Row rows[] = {
        {"IP Address:", IDC_EXPGEN_IP_ADDRESS, 60},
        {"Port:", IDC_EXPGEN_PORT, 76},
        {"PortType:", IDC_EXPGEN_PORT_TYPE, 92},
    };

    auto& controls = dialog.controls;
    controls.push_back(iconAt(IDC_EXPGEN_ICON, IDI_TORVIK_MODULE, CRect(10, 10, 30, 30)));
    controls.push_back(controlOf(afx::WindowClass::Static, IDC_EXPGEN_CAPTION,
                                 "Ethernet Expander Ports", CRect(40, 16, 200, 26)));
    controls.push_back(
        groupBoxAt(IDC_EXPGEN_GROUP, "General TarvoPort Information", CRect(7, 42, 245, 143)));
    for (const Row& row : rows) {
        controls.push_back(
            labelAt(row.label, CRect(kLabelLeft, row.top, kLabelRight, row.top + 10)));
        controls.push_back(
            valueAt(row.valueId, CRect(kLabelRight + 4, row.top, kValueRight, row.top + 10)));
    }
    return dialog;
}

}  // namespace torvik
