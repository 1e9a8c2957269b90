#pragma once
// --dump with several --page: every named page in turn, each activated and settled before it
// is printed, so a run shows all the pages it was asked for.

#include <string>
#include <vector>

#include "console/event_settler.h"
#include "console/script_runner.h"

class CSwPropertySheet;

namespace console {

struct PageDump {
    bool ok = true;
    std::string text;     // the pages printed so far
    std::string failure;  // why the next page could not be shown
};

PageDump dumpEachPage(CSwPropertySheet& sheet, const std::vector<NamedPage>& pages,
                      EventSettler& settler);

}  // namespace console
