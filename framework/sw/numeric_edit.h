#pragma once
// An edit field that refuses typed characters other than digits. The window system enforces
// it through the edit's digits-only style, which the edit gives its window when it is
// attached (DDX_Control, SubclassDlgItem, Attach).

#include "framework/afx/controls.h"

class CNumericEdit : public CEdit {
    DECLARE_DYNAMIC(CNumericEdit)
public:
    // Gives the attached edit its digits-only behaviour.
    void Apply();

protected:
    void PreSubclassWindow() override { Apply(); }
};
