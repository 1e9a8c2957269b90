#pragma once
// Combo boxes (operatorChoose) and list boxes (operatorSelectListBox with Ctrl and Shift,
// operatorDoubleClick). The widgets never select on their own: they show the record's
// selection.

#include <QtCore/QPointer>

#include "framework/qt/control_binding.h"

class QComboBox;
class QListWidget;

namespace afxqt {

class ComboBoxBinding : public ControlBinding {
public:
    ComboBoxBinding(HWND hwnd, QWidget* parent, BindingHost& host, bool dropDownList);

protected:
    void syncState(const afx::WindowRecord& record, const PendingChange& change) override;
    // The drop-down's height is the widget's own, not the template's.
    void syncGeometry(const afx::WindowRecord& record) override;

private:
    QComboBox* m_combo;
};

class ListBoxBinding : public ControlBinding {
public:
    ListBoxBinding(HWND hwnd, QWidget* parent, BindingHost& host);
    ~ListBoxBinding() override;

protected:
    void syncState(const afx::WindowRecord& record, const PendingChange& change) override;

private:
    QPointer<QListWidget> m_list;
};

}  // namespace afxqt
