#pragma once
// The window system's own write access to a record, for its control classes, dialogs and
// operator actions; nothing outside framework/afx includes this. Whoever writes what an
// observer can see must then notify (WindowSystem::notifyChanged).

#include "framework/afx/window.h"

namespace afx {

WindowRecord* writableRecord(HWND hwnd);

}  // namespace afx
