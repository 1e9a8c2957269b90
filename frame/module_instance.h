#pragma once
// The module's own instance handle and extension-module record, set when the library is
// loaded (see library_entry/).

#include "framework/afx/resources.h"

// The handle the module's dialog templates are registered with.
HINSTANCE TorvikInstanceHandle();
const AFX_EXTENSION_MODULE& TorvikExtensionModule();
