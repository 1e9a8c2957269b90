#pragma once
// Drives the window system's event loop from Qt's: posted work runs on Qt's next turn,
// loop timers through one precise single-shot QTimer, watched descriptors through socket
// notifiers. The back end only schedules; dispatching happens from Qt's loop.

#include <QtCore/QElapsedTimer>
#include <QtCore/QObject>
#include <QtCore/QTimer>
#include <map>
#include <memory>

#include "framework/afx/event_loop.h"

class QSocketNotifier;

namespace afxqt {

class QtEventLoopBackend : public QObject, public afx::EventLoopBackend {
    Q_OBJECT
public:
    // Installs itself on loop (the process's loop by default); the destructor puts the
    // previous back end back.
    explicit QtEventLoopBackend(afx::EventLoop& loop = afx::EventLoop::instance(),
                                QObject* parent = nullptr);
    ~QtEventLoopBackend() override;

    void wakeUp() override;
    void timersChanged(std::optional<std::int64_t> dueMs) override;
    void watchesChanged() override;

signals:
    // The loop ran what was ready (posted work, due timers or a readable descriptor).
    void dispatched();

private:
    void dispatchNow();
    void timerFired();
    // A virtual clock moves on as Qt's real time does (never back).
    void followRealTime();

    afx::EventLoop& m_loop;
    afx::EventLoopBackend* m_previous = nullptr;
    bool m_wakePending = false;
    QTimer m_timer;
    std::optional<std::int64_t> m_due;
    QElapsedTimer m_realTime;
    qint64 m_lastReal = 0;
    std::map<int, QSocketNotifier*> m_notifiers;  // by descriptor; owned as children
};

}  // namespace afxqt
