#include "framework/sw/enum_combo.h"

namespace sw {

void addEnumTexts(CComboBox& combo, CMibComm& comm, LPCTSTR variable, short first, short last) {
    for (int value = first; value <= last; ++value) {
        combo.AddString(comm.GetEnumText(variable, static_cast<short>(value)));
    }
}

void addMappedEnumTexts(CMappedCombo& combo, CMibComm& comm, LPCTSTR variable, short first,
                        short last) {
    for (int value = first; value <= last; ++value) {
        combo.AddMappedString(value, comm.GetEnumText(variable, static_cast<short>(value)));
    }
}

}  // namespace sw
