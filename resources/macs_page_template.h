#pragma once
// Template of the MACs page.

#include "framework/afx/resources.h"

namespace torvik {

afx::DialogTemplate enetMACsTemplate();

}  // namespace torvik
