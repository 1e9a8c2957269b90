#include "framework/qt/button_bindings.h"

#include <QtWidgets/QCheckBox>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QRadioButton>

namespace afxqt {

namespace {

QAbstractButton* makeButton(afx::WindowClass cls, QWidget* parent) {
    switch (cls) {
        case afx::WindowClass::CheckBox:
            return new QCheckBox(parent);
        case afx::WindowClass::RadioButton: {
            auto* radio = new QRadioButton(parent);
            // Groups are the records' business.
            radio->setAutoExclusive(false);
            return radio;
        }
        default:
            return new QPushButton(parent);
    }
}

Qt::CheckState checkStateOf(int check) {
    switch (check) {
        case BST_CHECKED:
            return Qt::Checked;
        case BST_INDETERMINATE:
            return Qt::PartiallyChecked;
        default:
            return Qt::Unchecked;
    }
}

}  // namespace

ButtonBinding::ButtonBinding(HWND hwnd, QWidget* parent, BindingHost& host, afx::WindowClass cls)
    : ControlBinding(hwnd, makeButton(cls, parent), host),
      m_button(static_cast<QAbstractButton*>(m_widget.data())) {
    QObject::connect(m_button, &QAbstractButton::clicked, &m_guard,
                     [this] { act([this] { afx::operatorClick(m_hwnd); }); });
}

void ButtonBinding::syncState(const afx::WindowRecord& record, const PendingChange& change) {
    if (change.has(afx::Change::Text)) {
        m_button->setText(toQString(record.text));
    }
    if (change.has(afx::Change::Style)) {
        if (auto* push = qobject_cast<QPushButton*>(m_button)) {
            push->setDefault(record.is(afx::style::kDefaultButton));
        }
    }
    if (change.has(afx::Change::Check)) {
        if (auto* box = qobject_cast<QCheckBox*>(m_button)) {
            box->setTristate(record.check == BST_INDETERMINATE);
            box->setCheckState(checkStateOf(record.check));
        } else if (m_button->isCheckable()) {
            m_button->setChecked(record.check == BST_CHECKED);
        }
    }
}

}  // namespace afxqt
