#include "resources/module_templates.h"

#include "resources/expander_templates.h"
#include "resources/port_view_templates.h"

namespace torvik {

bool registerModuleTemplates(HINSTANCE module) {
    bool allRegistered = true;
    for (auto make : {&enetPortGeneralTemplate, &enetPortStatusTemplate, &enetPortStatsTemplate,
                      &expPortGeneralTemplate, &expPortAdminTemplate, &expPortBrowserTemplate,
                      &expSegmentDescrTemplate}) {
        allRegistered = afx::registerDialogTemplate(module, make()) && allRegistered;
    }
    return allRegistered;
}

}  // namespace torvik
