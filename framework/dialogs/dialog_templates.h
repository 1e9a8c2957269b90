#pragma once
// The dialog library's templates, as data.

#include "framework/afx/resources.h"

namespace belva {

afx::DialogTemplate bridgeAddressTemplate();
afx::DialogTemplate portMirrorTemplate();
// Registers both with the library's module handle.
void registerTemplates(HINSTANCE module);

}  // namespace belva
