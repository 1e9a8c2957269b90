#pragma once
// Template of the Channeling page.

#include "framework/afx/resources.h"

namespace torvik {

afx::DialogTemplate enetChannelingTemplate();

}  // namespace torvik
