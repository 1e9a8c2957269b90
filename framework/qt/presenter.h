#pragma once
// Shows the window system's records as Qt widgets. The records stay the one model: record
// notices mark widgets dirty and are applied once per Qt turn; the operator's input on a
// widget enters the window system through the afx operator actions, as the operator driver
// does, and programmatic changes never come back as operator actions.
//
// Use:
//     afxqt::QtEventLoopBackend backend;   // afx's loop under Qt's
//     afxqt::QtUiDriver driver(&presenter); // message boxes and modal loops
//     afxqt::Presenter presenter;
//     presenter.setMainWindow(mainWindow);
//     connect(&presenter, &afxqt::Presenter::windowShown, ...);
//
// Top-level dialogs (sheets included) become windows; a top-level plain window (CWnd::Create
// without a parent) only holds its children and is never shown. Icons come from the icon
// provider: list-view rows as (image list id, image index), icon controls as (0, icon).

#include <QtCore/QObject>
#include <QtCore/QPointer>
#include <QtGui/QIcon>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <unordered_map>
#include <vector>

#include "framework/qt/control_binding.h"

class QWidget;

namespace afxqt {

class Presenter : public QObject, public afx::WindowObserver, private BindingHost {
    Q_OBJECT
public:
    explicit Presenter(QObject* parent = nullptr);
    ~Presenter() override;

    // nullptr when the record has no widget (yet: widgets come with the next flush).
    QWidget* widgetOf(HWND hwnd) const override;
    // The record shown by widget or its nearest ancestor that shows one.
    HWND handleOf(const QWidget* widget) const;
    using IconProvider = std::function<QIcon(int imageList, int image)>;
    void setIconProvider(IconProvider provider);
    // Top-level records without an owner window become windows owned by main.
    void setMainWindow(QWidget* main);
    // Applies pending changes now instead of on the next turn.
    void flush();

    // afx::WindowObserver
    void windowCreated(HWND hwnd) override;
    void windowDestroyed(HWND hwnd) override;
    void recordChanged(HWND hwnd, const afx::ChangeNotice& notice) override;
    bool takesBatches() const override { return true; }
    void waitCursorChanged(int depth) override;

signals:
    void windowShown(HWND hwnd, QWidget* widget);  // a top-level record got its window
    void windowClosed(HWND hwnd);

private:
    // BindingHost
    void actionDone(HWND hwnd) override;
    QIcon iconOf(int imageList, int image) const override;
    const DialogUnits& units() const override { return m_units; }

    void scheduleFlush();
    void addTree(HWND hwnd);
    std::vector<HWND> createPending();
    void setLabelBuddies(HWND dialog);
    void mirrorFocus();
    void operatorFocused(QWidget* now);
    QWidget* ownerWidgetOf(const afx::WindowRecord& record) const;

    std::map<HWND, std::unique_ptr<ControlBinding>> m_bindings;  // in creation order
    std::unordered_map<const QWidget*, HWND> m_handles;
    std::set<HWND> m_toCreate;
    std::map<HWND, PendingChange> m_pending;
    std::set<HWND> m_layouts;  // windows whose children must be placed again
    std::vector<std::unique_ptr<ControlBinding>> m_retired;
    std::vector<QPointer<QWidget>> m_released;
    QPointer<QWidget> m_main;
    IconProvider m_icons;
    DialogUnits m_units;
    HWND m_shownFocus = nullptr;
    bool m_flushQueued = false;
    bool m_mirroring = false;
    bool m_waitShown = false;
};

}  // namespace afxqt

// Window handles travel in signals (queued connections, QSignalSpy).
Q_DECLARE_OPAQUE_POINTER(HWND)
Q_DECLARE_METATYPE(HWND)
