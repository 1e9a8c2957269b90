#pragma once
// Programming faults that must fail loudly: code naming a control its template lacks, a
// template with duplicate control ids. The default handler prints and aborts; tests install
// one that records a test failure.

#include <functional>
#include <string>

namespace afx {

using FaultHandler = std::function<void(const std::string& message)>;

// Returns the previous handler. An empty handler restores the default.
FaultHandler setFaultHandler(FaultHandler handler);
void fault(const std::string& message);

}  // namespace afx
