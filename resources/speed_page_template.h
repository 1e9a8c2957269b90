#pragma once
// Template of the Speed/Mode page.

#include "framework/afx/resources.h"

namespace torvik {

afx::DialogTemplate enetSpeedTemplate();

}  // namespace torvik
