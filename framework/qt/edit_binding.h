#pragma once
// Edits: QLineEdit, or QPlainTextEdit for multi-line ones. What the operator types is
// operatorType with the whole new text; when the record then holds something else (digits
// only, the length limit) the widget shows the record.

#include "framework/qt/control_binding.h"

class QLineEdit;
class QPlainTextEdit;

namespace afxqt {

class EditBinding : public ControlBinding {
public:
    EditBinding(HWND hwnd, QWidget* parent, BindingHost& host, bool multiLine);

protected:
    void syncState(const afx::WindowRecord& record, const PendingChange& change) override;

private:
    void syncStyle(const afx::WindowRecord& record);
    void syncText(const afx::WindowRecord& record);

    QLineEdit* m_line = nullptr;
    QPlainTextEdit* m_text = nullptr;
};

}  // namespace afxqt
