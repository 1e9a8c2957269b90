#pragma once
// Records that take no input: statics, group boxes, icons, separators and plain windows.

#include "framework/qt/control_binding.h"

class QLabel;
class QGroupBox;

namespace afxqt {

// Whether a label shows less than its whole text at its present size.
bool labelIsCut(const QLabel& label);

class StaticBinding : public ControlBinding {
public:
    StaticBinding(HWND hwnd, QWidget* parent, BindingHost& host);
    // The control a label names: its mnemonic moves the focus there.
    void setBuddy(QWidget* buddy);

protected:
    void syncState(const afx::WindowRecord& record, const PendingChange& change) override;

private:
    QLabel* m_label;
    std::string m_text;
};

// A plain frame; the controls inside are the dialog's and keep their own rects.
class GroupBoxBinding : public ControlBinding {
public:
    GroupBoxBinding(HWND hwnd, QWidget* parent, BindingHost& host);

protected:
    void syncState(const afx::WindowRecord& record, const PendingChange& change) override;

private:
    QGroupBox* m_box;
};

class IconBinding : public ControlBinding {
public:
    IconBinding(HWND hwnd, QWidget* parent, BindingHost& host);

protected:
    void syncState(const afx::WindowRecord& record, const PendingChange& change) override;

private:
    QLabel* m_label;
};

class SeparatorBinding : public ControlBinding {
public:
    SeparatorBinding(HWND hwnd, QWidget* parent, BindingHost& host);

protected:
    void syncState(const afx::WindowRecord&, const PendingChange&) override {}
};

// Windows made with CWnd::Create: containers without class behaviour.
class PlainBinding : public ControlBinding {
public:
    PlainBinding(HWND hwnd, QWidget* parent, BindingHost& host);

protected:
    void syncState(const afx::WindowRecord&, const PendingChange&) override {}
};

}  // namespace afxqt
