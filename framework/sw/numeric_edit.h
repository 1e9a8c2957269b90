#pragma once
// An edit field that refuses typed characters other than digits. The window system enforces
// it through the edit's digits-only style, which Apply() sets; the base page and dialog call
// sw::applyControlBehaviour after each data exchange, so DDX_Control is enough.

#include "framework/afx/controls.h"

class CNumericEdit : public CEdit {
    DECLARE_DYNAMIC(CNumericEdit)
public:
    // Gives the attached edit its digits-only behaviour.
    void Apply();
    // Attaches to the parent's child with that id and applies the behaviour at once.
    BOOL SubclassDlgItem(UINT id, CWnd* parent);
};

namespace sw {
// Gives every child of parent that a CNumericEdit is attached to its digits-only behaviour.
void applyControlBehaviour(CWnd* parent);
}  // namespace sw
