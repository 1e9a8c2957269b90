#include "console/page_dump.h"

#include "framework/afx/text_renderer.h"
#include "framework/sw/sw_property_sheet.h"

namespace console {

PageDump dumpEachPage(CSwPropertySheet& sheet, const std::vector<NamedPage>& pages,
                      EventSettler& settler) {
    PageDump dump;
    for (const NamedPage& named : pages) {
        HWND window = sheet.GetSafeHwnd();
        if (window == nullptr || !afx::windows().isWindow(window)) {
            dump.ok = false;
            dump.failure = "--dump: the property sheet closed before page " + named.name;
            return dump;
        }
        if (!sheet.SetActivePage(named.page)) {
            dump.ok = false;
            dump.failure = "--dump: page " + named.name + " could not be shown: the active " +
                           "page refused to let go";
            return dump;
        }
        if (!settler.settle()) {
            dump.ok = false;
            dump.failure = "--dump: page " + named.name + " did not finish loading within " +
                           std::to_string(settler.boundMs()) + " ms";
            return dump;
        }
        dump.text += afx::renderWindow(window);
    }
    return dump;
}

}  // namespace console
