#include "resources/module_templates.h"

#include "resources/channeling_page_template.h"
#include "resources/enet_port_admin_template.h"
#include "resources/exp_port_stats_template.h"
#include "resources/expander_templates.h"
#include "resources/macs_page_template.h"
#include "resources/port_view_templates.h"
#include "resources/speed_page_template.h"
#include "resources/trunk_templates.h"

namespace torvik {

bool registerModuleTemplates(HINSTANCE module) {
    bool allRegistered = true;
    // One maker per line, so pages added side by side merge without conflict.
    for (auto make : {
             &enetPortGeneralTemplate,
             &enetPortStatusTemplate,
             &enetPortStatsTemplate,
             &enetTrunkTemplate,
             &modifyTrunkServiceTemplate,
             &expPortGeneralTemplate,
             &expPortAdminTemplate,
             &expPortBrowserTemplate,
             &expSegmentDescrTemplate,
             &enetMACsTemplate,
             &expPortStatsTemplate,
             &enetChannelingTemplate,
             &enetPortAdminTemplate,
             &enetSpeedTemplate,
         }) {
        allRegistered = afx::registerDialogTemplate(module, make()) && allRegistered;
    }
    return allRegistered;
}

}  // namespace torvik
