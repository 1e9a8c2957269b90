#pragma once
// Templates of the Status and Statistics pages.

#include "framework/afx/resources.h"

namespace torvik {

afx::DialogTemplate enetPortStatusTemplate();
afx::DialogTemplate enetPortStatsTemplate();

}  // namespace torvik
