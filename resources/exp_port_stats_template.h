#pragma once
// Template of the expander Statistics page.

#include "framework/afx/resources.h"

namespace torvik {

afx::DialogTemplate expPortStatsTemplate();

}  // namespace torvik
