#include "frame/page_factory.h"

#include <new>

#include "config/enet_speed_page.h"
#include "ports/enet_port_general_page.h"
#include "ports/enet_port_stats_page.h"
#include "ports/enet_port_status_page.h"
#include "resources/resource_ids.h"

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
        case IDD_ENET_SPEED:
            return construct<CEnetSpeedPage>(page);
        default:
            return PageFactoryResult::NoPageClass;
    }
}
