#pragma once
// Fills a combo box with the texts an enumeration of the MIB dictionary gives its values, so
// the operator picks among the switch's own words.

#include "framework/afx/controls.h"
#include "framework/mib/mib_comm.h"
#include "framework/sw/mapped_combo.h"

namespace sw {

// Appends the texts of variable's values first..last, in value order.
void addEnumTexts(CComboBox& combo, CMibComm& comm, LPCTSTR variable, short first, short last);
// Gives each value first..last its text; values outside the combo's mapping are not offered.
void addMappedEnumTexts(CMappedCombo& combo, CMibComm& comm, LPCTSTR variable, short first,
                        short last);

}  // namespace sw
