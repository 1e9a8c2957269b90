#pragma once
// Templates of the expander pages (General, Port Admin, Segment Browser) and of the Modify
// Segment Description dialog.

#include "framework/afx/resources.h"

namespace torvik {

afx::DialogTemplate expPortGeneralTemplate();
afx::DialogTemplate expPortAdminTemplate();
afx::DialogTemplate expPortBrowserTemplate();
afx::DialogTemplate expSegmentDescrTemplate();

}  // namespace torvik
