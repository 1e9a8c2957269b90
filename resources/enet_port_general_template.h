#pragma once
// Template of the Ethernet General page.

#include "framework/afx/resources.h"

namespace torvik {

afx::DialogTemplate enetPortGeneralTemplate();

}  // namespace torvik
