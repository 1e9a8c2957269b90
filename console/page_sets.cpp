#include "console/page_sets.h"

namespace console {

const std::vector<std::string>& ethernetPageNames() {
    static const std::vector<std::string> names = {"PortGeneral", "PortAdmin", "PortStatus",
                                                   "PortStats",   "Trunk",     "Channeling",
                                                   "Speed",       "MACs"};
    return names;
}

const std::vector<std::string>& expanderPageNames() {
    static const std::vector<std::string> names = {"ExpPortGeneral", "ExpPortAdmin",
                                                   "ExpPortBrowser", "ExpPortStats"};
    return names;
}

}  // namespace console
