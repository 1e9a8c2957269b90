#include "resources/module_templates.h"

#include "resources/enet_port_admin_template.h"
#include "resources/port_view_templates.h"

namespace torvik {

bool registerModuleTemplates(HINSTANCE module) {
    bool allRegistered = true;
    for (auto make : {&enetPortGeneralTemplate, &enetPortStatusTemplate, &enetPortStatsTemplate,
                      &enetPortAdminTemplate}) {
        allRegistered = afx::registerDialogTemplate(module, make()) && allRegistered;
    }
    return allRegistered;
}

}  // namespace torvik
