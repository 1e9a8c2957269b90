#pragma once
// One record shown by one widget. The presenter gathers a record's change notices and hands
// them to its binding once per Qt turn; the binding mirrors the record onto the widget with
// the widget's signals blocked, and turns the operator's input into afx operator actions.

#include <QtCore/QObject>
#include <QtCore/QPointer>
#include <QtCore/QString>
#include <QtGui/QIcon>
#include <QtWidgets/QWidget>
#include <string>
#include <vector>

#include "framework/afx/controls.h"
#include "framework/afx/window.h"
#include "framework/qt/dialog_units.h"

namespace afxqt {

constexpr unsigned bitOf(afx::Change change) {
    return 1u << static_cast<unsigned>(change);
}
// Not a record change: the record's children came, went or were shown or hidden.
constexpr unsigned kChildrenChanged = 1u << 30;
constexpr unsigned kEverything = ~0u;

// What happened to a record since its widget last showed it.
struct PendingChange {
    unsigned kinds = 0;
    // Row and item-state notices of a list view, in order; dropped (a reset) past a few dozen.
    std::vector<afx::ChangeNotice> rowNotices;
    bool rowsReset = false;

    bool has(afx::Change change) const { return (kinds & bitOf(change)) != 0; }
    void add(const afx::ChangeNotice& notice);
};

// What bindings need from the presenter.
class BindingHost {
public:
    virtual ~BindingHost() = default;
    // An operator action went into the window system from hwnd's widget: show the record
    // again on the next turn, whether or not it changed (a refused action changes nothing).
    virtual void actionDone(HWND hwnd) = 0;
    virtual QIcon iconOf(int imageList, int image) const = 0;
    virtual const DialogUnits& units() const = 0;
    virtual QWidget* widgetOf(HWND hwnd) const = 0;
};

QString toQString(const std::string& text);
std::string toStdString(const QString& text);

class ControlBinding {
public:
    ControlBinding(HWND hwnd, QWidget* widget, BindingHost& host);
    virtual ~ControlBinding();
    ControlBinding(const ControlBinding&) = delete;
    ControlBinding& operator=(const ControlBinding&) = delete;

    HWND hwnd() const { return m_hwnd; }
    QWidget* widget() const { return m_widget.data(); }
    // Mirrors what changed (the first time: everything) onto the widget.
    void sync(const afx::WindowRecord& record, const PendingChange& change);
    // Gives the widget up: it is deleted later (it may be emitting the signal that
    // destroyed its record).
    void release();
    // After every binding of this turn synced: place the children (property sheets).
    virtual void layoutChildren(const afx::WindowRecord& /*record*/) {}

protected:
    virtual void syncState(const afx::WindowRecord& record, const PendingChange& change) = 0;
    // Where the record's rect puts the widget; dialogs inside sheets are placed by the sheet.
    virtual void syncGeometry(const afx::WindowRecord& record);
    // Runs an operator action, then has the widget show the record again.
    template <typename Action>
    void act(Action&& action) {
        BindingHost& host = m_host;
        const HWND hwnd = m_hwnd;
        action();
        host.actionDone(hwnd);
    }

    HWND m_hwnd;
    QPointer<QWidget> m_widget;  // Qt may delete it first (its window closed)
    BindingHost& m_host;
    // The context of every connection to the widget's signals: they end with the binding,
    // while a released widget may live on until its deferred deletion.
    QObject m_guard;
};

// Ctrl and Shift as afx reads them.
afx::SelectMode selectModeOf(Qt::KeyboardModifiers modifiers);

}  // namespace afxqt
