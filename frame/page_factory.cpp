#include "frame/page_factory.h"

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
#include "resources/resource_ids.h"
#include "services/enet_port_admin_page.h"
#include "services/enet_trunk_page.h"

namespace {

template <class Page>
PageFactoryResult construct(CSwBasePropPage** page) {
    *page = new (std::nothrow) Page;
    return *page ? PageFactoryResult::Created : PageFactoryResult::OutOfMemory;
}

}  // namespace

PageFactoryResult NewPageForDialog(int dialogId, CSwBasePropPage** page) {
    *page = nullptr;
    switch (dialogId) {
        case IDD_ENET_PORT_GENERAL:
            return construct<CEnetPortGeneralPage>(page);
        case IDD_ENET_PORT_STATUS:
            return construct<CEnetPortStatusPage>(page);
        case IDD_ENET_PORT_STATS:
            return construct<CEnetPortStatsPage>(page);
        case IDD_ENET_TRUNK:
            return construct<CEnetTrunkPage>(page);
        case IDD_EXP_PORT_GENERAL:
            return construct<CExpPortGeneralPage>(page);
        case IDD_EXP_PORT_ADMIN:
            return construct<CExpPortAdminPage>(page);
        case IDD_EXP_PORT_BROWSER:
            return construct<CExpPortBrowserPage>(page);
        case IDD_ENET_MACS:
            return construct<CEnetMACsPage>(page);
        case IDD_EXP_PORT_STATS:
            return construct<CExpPortStatsPage>(page);
        case IDD_ENET_CHANNELING:
            return construct<CEnetChannelingPage>(page);
        case IDD_ENET_PORT_ADMIN:
            return construct<CEnetPortAdminPage>(page);
        case IDD_ENET_SPEED:
            return construct<CEnetSpeedPage>(page);
        default:
            return PageFactoryResult::NoPageClass;
    }
}
