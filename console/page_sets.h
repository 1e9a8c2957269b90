#pragma once
// The pages the console opens for a port when none are named on the command line.

#include <string>
#include <vector>

namespace console {

const std::vector<std::string>& ethernetPageNames();
const std::vector<std::string>& expanderPageNames();

}  // namespace console
