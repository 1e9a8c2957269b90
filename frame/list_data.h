#pragma once
// CListData is built by the page framework; the module exports it under its own headers too.

#include "framework/sw/list_data.h"
