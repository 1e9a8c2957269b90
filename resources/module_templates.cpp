#include "resources/module_templates.h"

#include "resources/port_view_templates.h"
#include "resources/trunk_templates.h"

namespace torvik {

bool registerModuleTemplates(HINSTANCE module) {
    bool allRegistered = true;
    for (auto make : {&enetPortGeneralTemplate, &enetPortStatusTemplate, &enetPortStatsTemplate,
                      &enetTrunkTemplate, &modifyTrunkServiceTemplate}) {
        allRegistered = afx::registerDialogTemplate(module, make()) && allRegistered;
    }
    return allRegistered;
}

}  // namespace torvik
