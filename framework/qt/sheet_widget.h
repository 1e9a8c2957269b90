#pragma once
// Dialogs and property sheets. A dialog is a window (top level) or a panel (a page, a child
// dialog) at its template size. A dialog record with tabs is a property sheet: a tab bar,
// the active page below it and the sheet's push buttons (created without a rect) in a row
// at the bottom right. Closing a window from its title bar, or Escape, acts as its Cancel;
// Enter clicks its default button (a sheet's: OK).

#include <QtWidgets/QWidget>

#include "framework/qt/control_binding.h"

class QTabBar;
class QFrame;

namespace afxqt {

class SheetWidget : public QWidget {
    Q_OBJECT
public:
    explicit SheetWidget(QWidget* parent = nullptr);

    // Created on first use: only property sheets have one.
    QTabBar* tabBar();
    QTabBar* existingTabBar() const { return m_tabBar; }
    QFrame* pane();

signals:
    void tabChosen(int index);  // by the operator
    void closeRequested();
    // Enter or Escape reached the dialog; unhandled, it goes on to the enclosing one.
    void keyCommand(int key, bool* handled);

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QTabBar* m_tabBar = nullptr;
    QFrame* m_pane = nullptr;
};

class DialogBinding : public ControlBinding {
public:
    // parent: the owner's window for a top-level dialog (nullptr: none), else the parent's widget.
    DialogBinding(HWND hwnd, QWidget* parent, BindingHost& host, bool topLevel);

    bool isTopLevel() const { return m_topLevel; }
    void layoutChildren(const afx::WindowRecord& record) override;

protected:
    void syncState(const afx::WindowRecord& record, const PendingChange& change) override;
    void syncGeometry(const afx::WindowRecord& record) override;

private:
    void syncTabs(const afx::WindowRecord& record);
    void syncModality(const afx::WindowRecord& record);
    void cancel();
    bool keyCommand(int key);

    SheetWidget* m_sheet;
    bool m_topLevel;
};

}  // namespace afxqt
