#include "framework/afx/fault.h"

#include <cstdio>
#include <cstdlib>

namespace afx {

namespace {
FaultHandler& currentHandler() {
    static FaultHandler handler;
    return handler;
}
}  // namespace

FaultHandler setFaultHandler(FaultHandler handler) {
    FaultHandler previous = std::move(currentHandler());
    currentHandler() = std::move(handler);
    return previous;
}

void fault(const std::string& message) {
    if (currentHandler()) {
        currentHandler()(message);
        return;
    }
    std::fprintf(stderr, "afx fault: %s\n", message.c_str());
    std::abort();
}

}  // namespace afx
