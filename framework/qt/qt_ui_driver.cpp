#include "framework/qt/qt_ui_driver.h"

#include <QtCore/QAbstractEventDispatcher>
#include <QtCore/QEventLoop>
#include <QtCore/QPointer>
#include <QtWidgets/QApplication>
#include <QtWidgets/QMessageBox>
#include <QtWidgets/QWidget>
#include <vector>

#include "framework/afx/event_loop.h"
#include "framework/qt/control_binding.h"
#include "framework/qt/presenter.h"
#include "framework/qt/qt_event_loop_backend.h"

namespace afxqt {

namespace {

struct BoxButton {
    QMessageBox::StandardButton button;
    int answer;
};

std::vector<BoxButton> buttonsOf(UINT style) {
    switch (style & MB_TYPEMASK) {
        case MB_OKCANCEL:
            return {{QMessageBox::Ok, IDOK}, {QMessageBox::Cancel, IDCANCEL}};
        case MB_ABORTRETRYIGNORE:
            return {{QMessageBox::Abort, IDABORT},
                    {QMessageBox::Retry, IDRETRY},
                    {QMessageBox::Ignore, IDIGNORE}};
        case MB_YESNOCANCEL:
            return {{QMessageBox::Yes, IDYES},
                    {QMessageBox::No, IDNO},
                    {QMessageBox::Cancel, IDCANCEL}};
        case MB_YESNO:
            return {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}};
        case MB_RETRYCANCEL:
            return {{QMessageBox::Retry, IDRETRY}, {QMessageBox::Cancel, IDCANCEL}};
        default:
            return {{QMessageBox::Ok, IDOK}};
    }
}

QMessageBox::Icon iconOf(UINT style) {
    switch (style & MB_ICONMASK) {
        case MB_ICONHAND:
            return QMessageBox::Critical;
        case MB_ICONQUESTION:
            return QMessageBox::Question;
        case MB_ICONEXCLAMATION:
            return QMessageBox::Warning;
        case MB_ICONASTERISK:
            return QMessageBox::Information;
        default:
            return QMessageBox::NoIcon;
    }
}

// What Escape (and the title bar's close button) answers: Cancel, else No, else the only or
// the last button (Ignore of Abort/Retry/Ignore).
QMessageBox::StandardButton escapeOf(const std::vector<BoxButton>& buttons) {
    for (QMessageBox::StandardButton wanted : {QMessageBox::Cancel, QMessageBox::No}) {
        for (const BoxButton& b : buttons) {
            if (b.button == wanted) {
                return wanted;
            }
        }
    }
    return buttons.back().button;
}

// Ends a nested loop when the dialog's modal state changes or the dialog goes.
class ModalWatch : public afx::WindowObserver {
public:
    ModalWatch(HWND dialog, std::function<void()> check)
        : m_dialog(dialog), m_check(std::move(check)) {
        afx::windows().addObserver(this);
    }
    ~ModalWatch() override { afx::windows().removeObserver(this); }
    ModalWatch(const ModalWatch&) = delete;
    ModalWatch& operator=(const ModalWatch&) = delete;

    void windowDestroyed(HWND hwnd) override {
        if (hwnd == m_dialog) {
            m_check();
        }
    }
    void windowChanged(HWND hwnd, afx::Change what) override {
        if (hwnd == m_dialog && what == afx::Change::Modal) {
            m_check();
        }
    }

private:
    HWND m_dialog;
    std::function<void()> m_check;
};

}  // namespace

QtUiDriver::QtUiDriver(Presenter* presenter)
    : m_presenter(presenter), m_previous(afx::setUiDriver(this)) {}

QtUiDriver::~QtUiDriver() {
    if (afx::uiDriver() == this) {
        afx::setUiDriver(m_previous);
    }
}

int QtUiDriver::answerMessageBox(const afx::MessageBoxState& box) {
    QWidget* owner = m_presenter ? m_presenter->widgetOf(box.owner) : nullptr;
    if (owner) {
        owner = owner->window();
    } else {
        owner = QApplication::activeWindow();
    }
    QMessageBox message(owner);
    message.setWindowModality(Qt::ApplicationModal);
    message.setWindowTitle(toQString(box.caption.empty() ? afx::applicationName() : box.caption));
    // Agent texts are data: "<none>" is not markup.
    message.setTextFormat(Qt::PlainText);
    message.setText(toQString(box.text));
    message.setIcon(iconOf(box.style));
    const std::vector<BoxButton> buttons = buttonsOf(box.style);
    for (const BoxButton& b : buttons) {
        message.addButton(b.button);
    }
    const std::size_t defaultIndex = (box.style & MB_DEFMASK) >> 8;
    message.setDefaultButton(buttons[std::min(defaultIndex, buttons.size() - 1)].button);
    message.setEscapeButton(escapeOf(buttons));
    const int chosen = message.exec();
    for (const BoxButton& b : buttons) {
        if (b.button == chosen) {
            return b.answer;
        }
    }
    // Closed without a button of its own: what Escape answers.
    const QMessageBox::StandardButton escape = escapeOf(buttons);
    for (const BoxButton& b : buttons) {
        if (b.button == escape) {
            return b.answer;
        }
    }
    return IDCANCEL;
}

bool QtUiDriver::runModal(HWND dialog, const std::function<bool()>& ended) {
    if (ended() || !afx::windows().isWindow(dialog)) {
        return true;
    }
    if (!afx::EventLoop::instance().backend()) {
        // Nothing would run afx's timers and descriptors from a Qt loop.
        return afx::spinModalLoop(dialog, ended);
    }
    QEventLoop loop;
    QPointer<QEventLoop> guard(&loop);
    const auto check = [&] {
        if (guard && (ended() || !afx::windows().isWindow(dialog))) {
            loop.quit();
        }
    };
    const ModalWatch watch(dialog, check);
    QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance();
    QObject::connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, &loop, check);
    if (auto* backend = dynamic_cast<QtEventLoopBackend*>(afx::EventLoop::instance().backend())) {
        QObject::connect(backend, &QtEventLoopBackend::dispatched, &loop, check);
    }
    loop.exec(QEventLoop::DialogExec);
    return true;
}

}  // namespace afxqt
