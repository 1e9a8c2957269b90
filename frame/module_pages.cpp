#include "frame/module_pages.h"

#include <new>

#include "config/enet_channeling_page.h"
#include "config/enet_macs_page.h"
#include "config/enet_speed_page.h"
#include "expander/exp_port_admin_page.h"
#include "expander/exp_port_browser_page.h"
#include "expander/exp_port_general_page.h"
#include "expander/exp_port_stats_page.h"
#include "ports/enet_port_general_page.h"
#include "ports/enet_port_stats_page.h"
#include "ports/enet_port_status_page.h"
#include "resources/channeling_page_template.h"
#include "resources/enet_port_admin_template.h"
#include "resources/enet_port_general_template.h"
#include "resources/exp_port_stats_template.h"
#include "resources/expander_page_ids.h"
#include "resources/expander_templates.h"
#include "resources/macs_page_template.h"
#include "resources/port_view_templates.h"
#include "resources/resource_ids.h"
#include "resources/speed_page_template.h"
#include "resources/trunk_ids.h"
#include "resources/trunk_templates.h"
#include "services/enet_port_admin_page.h"
#include "services/enet_trunk_page.h"

namespace torvik {

namespace {

template <class Page>
CSwBasePropPage* create() {
    return new (std::nothrow) Page;
}

// One page per line, so pages added side by side merge without conflict.
constexpr ModulePage kPages[] = {
    {"PortGeneral", IDD_ENET_PORT_GENERAL, &enetPortGeneralTemplate, &create<CEnetPortGeneralPage>},
    {"PortAdmin", IDD_ENET_PORT_ADMIN, &enetPortAdminTemplate, &create<CEnetPortAdminPage>},
    {"PortStatus", IDD_ENET_PORT_STATUS, &enetPortStatusTemplate, &create<CEnetPortStatusPage>},
    {"PortStats", IDD_ENET_PORT_STATS, &enetPortStatsTemplate, &create<CEnetPortStatsPage>},
    {"Trunk", IDD_ENET_TRUNK, &enetTrunkTemplate, &create<CEnetTrunkPage>},
    {"Channeling", IDD_ENET_CHANNELING, &enetChannelingTemplate, &create<CEnetChannelingPage>},
    {"Speed", IDD_ENET_SPEED, &enetSpeedTemplate, &create<CEnetSpeedPage>},
    {"MACs", IDD_ENET_MACS, &enetMACsTemplate, &create<CEnetMACsPage>},
    {"ExpPortGeneral", IDD_EXP_PORT_GENERAL, &expPortGeneralTemplate, &create<CExpPortGeneralPage>},
    {"ExpPortAdmin", IDD_EXP_PORT_ADMIN, &expPortAdminTemplate, &create<CExpPortAdminPage>},
    {"ExpPortBrowser", IDD_EXP_PORT_BROWSER, &expPortBrowserTemplate, &create<CExpPortBrowserPage>},
    {"ExpPortStats", IDD_EXP_PORT_STATS, &expPortStatsTemplate, &create<CExpPortStatsPage>},
};

constexpr ModuleDialog kDialogs[] = {
    {IDD_MODIFY_TRUNK_SERVICE, &modifyTrunkServiceTemplate},
    {IDD_EXP_SEGMENT_DESCR, &expSegmentDescrTemplate},
};

}  // namespace

std::span<const ModulePage> modulePages() {
    return kPages;
}

std::span<const ModuleDialog> moduleDialogs() {
    return kDialogs;
}

const ModulePage* findModulePage(int dialogId) {
    for (const ModulePage& page : kPages) {
        if (page.dialogId == dialogId) {
            return &page;
        }
    }
    return nullptr;
}

bool registerModuleTemplates(HINSTANCE module) {
    bool allRegistered = true;
    for (const ModulePage& page : kPages) {
        allRegistered = afx::registerDialogTemplate(module, page.makeTemplate()) && allRegistered;
    }
    for (const ModuleDialog& dialog : kDialogs) {
        allRegistered = afx::registerDialogTemplate(module, dialog.makeTemplate()) && allRegistered;
    }
    return allRegistered;
}

}  // namespace torvik
