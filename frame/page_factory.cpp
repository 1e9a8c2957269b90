#include "frame/page_factory.h"

#include "frame/module_pages.h"

PageFactoryResult NewPageForDialog(int dialogId, CSwBasePropPage** page) {
    *page = nullptr;
    const torvik::ModulePage* entry = torvik::findModulePage(dialogId);
    if (entry == nullptr || entry->create == nullptr) {
        return PageFactoryResult::NoPageClass;
    }
    *page = entry->create();
    return *page ? PageFactoryResult::Created : PageFactoryResult::OutOfMemory;
}
