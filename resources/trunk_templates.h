#pragma once
// Templates of the Trunking page and of the Modify Trunking Service dialog.

#include "framework/afx/resources.h"

namespace torvik {

afx::DialogTemplate enetTrunkTemplate();
afx::DialogTemplate modifyTrunkServiceTemplate();

}  // namespace torvik
