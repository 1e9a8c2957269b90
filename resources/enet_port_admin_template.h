#pragma once
// Template of the Service Admin page.

#include "framework/afx/resources.h"

namespace torvik {

afx::DialogTemplate enetPortAdminTemplate();

}  // namespace torvik
