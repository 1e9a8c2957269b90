#pragma once
// The module's dialog templates, as data.

#include "framework/afx/resources.h"

namespace torvik {

afx::DialogTemplate enetPortGeneralTemplate();

// Registers every template of the module with the module's handle; false if any was
// refused (the window system reports why).
bool registerModuleTemplates(HINSTANCE module);

}  // namespace torvik
