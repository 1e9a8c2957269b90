#pragma once
// Small helpers of the page framework.

#include "framework/afx/controls.h"

// Sorts the list box's entries in numeric order ("2" before "10"; texts without a number
// last, alphabetically), keeping each entry's item data. ascending 0 reverses the order.
void SortLBValues(CListBox* listBox, int ascending = 1);
// TRUE when wnd is an object with a live window.
BOOL IsValidWindow(const CWnd* wnd);
