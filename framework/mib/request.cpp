#include "framework/mib/request.h"

namespace mib {

int Request::columnOf(const MibVariable* variable) const {
    for (std::size_t i = 0; i < columns.size(); ++i) {
        if (columns[i] == variable)
            return static_cast<int>(i);
    }
    return -1;
}

}  // namespace mib
