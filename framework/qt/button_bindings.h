#pragma once
// Push buttons, check boxes and radio buttons. A click is operatorClick; the record, not the
// widget, decides the check state (a check box without auto-check stays as it was).

#include "framework/qt/control_binding.h"

class QAbstractButton;

namespace afxqt {

class ButtonBinding : public ControlBinding {
public:
    ButtonBinding(HWND hwnd, QWidget* parent, BindingHost& host, afx::WindowClass cls);

protected:
    void syncState(const afx::WindowRecord& record, const PendingChange& change) override;

private:
    QAbstractButton* m_button;
};

}  // namespace afxqt
