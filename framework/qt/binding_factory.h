#pragma once
// The widget (and its binding) for each record class.

#include <memory>

#include "framework/qt/control_binding.h"

namespace afxqt {

// A top-level window: no parent, or a dialog that is not a child (an owned window).
bool isTopLevelRecord(const afx::WindowRecord& record);

std::unique_ptr<ControlBinding> makeBinding(const afx::WindowRecord& record, QWidget* parent,
                                            BindingHost& host);

}  // namespace afxqt
