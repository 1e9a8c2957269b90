#pragma once
// Templates of the Status and Statistics pages.

#include "framework/afx/resources.h"

namespace torvik {

afx::DialogTemplate enetPortStatusTemplate();
afx::DialogTemplate enetPortStatsTemplate();

// Makes sure the module holds the template of dialogId (built by make when it does not yet
// have one, so a template registered at load time is kept), and returns dialogId. Pages
// call it before their base looks the template up.
int ensureModuleTemplate(int dialogId, afx::DialogTemplate (*make)());

}  // namespace torvik
