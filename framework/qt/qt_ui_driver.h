#pragma once
// Message boxes as QMessageBox and modal loops as nested Qt loops. Installs itself as the
// window system's UI driver; the destructor puts the previous one back.
//
// A test answers a box (or acts in a modal dialog) the way Qt tests do: before the call
// that opens it, queue the answer, which runs inside the nested loop:
//     QTimer::singleShot(0, [] {
//         auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
//         QTest::mouseClick(box->button(QMessageBox::Yes), Qt::LeftButton);
//     });
//     // ... the action that shows the box; it returns IDYES.
// The box is application-modal and shown before its loop runs, so activeModalWidget() finds
// it from the first turn of that loop.

#include <functional>

#include "framework/afx/ui_hook.h"

namespace afxqt {

class Presenter;

class QtUiDriver : public afx::UiDriver {
public:
    // presenter (may be nullptr) gives the owner window of boxes.
    explicit QtUiDriver(Presenter* presenter = nullptr);
    ~QtUiDriver() override;
    QtUiDriver(const QtUiDriver&) = delete;
    QtUiDriver& operator=(const QtUiDriver&) = delete;

    int answerMessageBox(const afx::MessageBoxState& box) override;
    // Runs a nested Qt loop until ended(): checked after every dispatch of the event loop,
    // whenever Qt's loop is about to wait, and when the dialog's modal state changes or the
    // dialog goes. Without a Qt back end on the
    // event loop, the event loop's own modal loop runs instead.
    bool runModal(HWND dialog, const std::function<bool()>& ended) override;

private:
    Presenter* m_presenter;
    afx::UiDriver* m_previous;
};

}  // namespace afxqt
