#pragma once
// Everything page code needs from the window system, in one include.

#include "framework/afx/app.h"
#include "framework/afx/collections.h"
#include "framework/afx/controls.h"
#include "framework/afx/cstring.h"
#include "framework/afx/ddx.h"
#include "framework/afx/dialog.h"
#include "framework/afx/message_map.h"
#include "framework/afx/resources.h"
#include "framework/afx/runtime_class.h"
#include "framework/afx/ui_hook.h"
#include "framework/afx/win_types.h"
#include "framework/afx/window.h"
#include "framework/afx/wnd.h"
