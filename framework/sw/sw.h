#pragma once
// Everything a page needs from the page framework, in one include.

#include "framework/sw/chassis_access.h"
#include "framework/sw/default_icons.h"
#include "framework/sw/health.h"
#include "framework/sw/help_engine.h"
#include "framework/sw/list_data.h"
#include "framework/sw/mapped_combo.h"
#include "framework/sw/numeric_edit.h"
#include "framework/sw/nx_chassis_info.h"
#include "framework/sw/sw_base_dialog.h"
#include "framework/sw/sw_base_prop_page.h"
#include "framework/sw/sw_functions.h"
#include "framework/sw/sw_list_ctrl.h"
#include "framework/sw/sw_property_sheet.h"
