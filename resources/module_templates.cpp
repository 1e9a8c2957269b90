#include "resources/module_templates.h"

#include "resources/port_view_templates.h"
#include "resources/speed_page_template.h"

namespace torvik {

bool registerModuleTemplates(HINSTANCE module) {
    bool allRegistered = true;
    for (auto make : {&enetPortGeneralTemplate, &enetPortStatusTemplate, &enetPortStatsTemplate,
                      &enetSpeedTemplate}) {
        allRegistered = afx::registerDialogTemplate(module, make()) && allRegistered;
    }
    return allRegistered;
}

}  // namespace torvik
