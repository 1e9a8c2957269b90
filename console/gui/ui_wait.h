#pragma once
// Waiting in the window without blocking it: Qt's loop (and with it the window system's
// and the agent's work) runs until a condition holds.

#include <functional>

namespace gui {

// Runs Qt's event loop until done() or timeoutMs passed; returns done().
bool waitUntil(const std::function<bool()>& done, int timeoutMs);
// Runs it for ms.
void waitFor(int ms);

}  // namespace gui
