#include "framework/qt/qt_event_loop_backend.h"

#include <QtCore/QSocketNotifier>
#include <algorithm>
#include <set>

namespace afxqt {

QtEventLoopBackend::QtEventLoopBackend(afx::EventLoop& loop, QObject* parent)
    : QObject(parent), m_loop(loop) {
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &QtEventLoopBackend::timerFired);
    m_realTime.start();
    m_previous = m_loop.setBackend(this);
    // Work posted before Qt took over must not wait for the next post.
    if (m_loop.hasPendingWork()) {
        wakeUp();
    }
}

QtEventLoopBackend::~QtEventLoopBackend() {
    m_loop.setBackend(m_previous);
}

void QtEventLoopBackend::wakeUp() {
    if (m_wakePending) {
        return;
    }
    m_wakePending = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_wakePending = false;
            dispatchNow();
        },
        Qt::QueuedConnection);
}

void QtEventLoopBackend::timersChanged(std::optional<std::int64_t> dueMs) {
    m_due = dueMs;
    if (!dueMs) {
        m_timer.stop();
        return;
    }
    const std::int64_t delay = std::max<std::int64_t>(0, *dueMs - m_loop.now());
    m_timer.start(static_cast<int>(std::min<std::int64_t>(delay, 24LL * 3600 * 1000)));
}

void QtEventLoopBackend::timerFired() {
    followRealTime();
    // Qt's timer may fire a little early for the virtual clock: it is due now.
    if (m_loop.isVirtualClock() && m_due && m_loop.now() < *m_due) {
        m_loop.moveVirtualClockTo(*m_due);
    }
    m_loop.dispatch();
    emit dispatched();
}

void QtEventLoopBackend::followRealTime() {
    const qint64 real = m_realTime.elapsed();
    const qint64 passed = real - m_lastReal;
    m_lastReal = real;
    if (m_loop.isVirtualClock() && passed > 0) {
        m_loop.moveVirtualClockTo(m_loop.now() + passed);
    }
}

void QtEventLoopBackend::watchesChanged() {
    const std::vector<int> watched = m_loop.watchedDescriptors();
    const std::set<int> wanted(watched.begin(), watched.end());
    for (auto it = m_notifiers.begin(); it != m_notifiers.end();) {
        if (wanted.count(it->first) != 0) {
            ++it;
            continue;
        }
        // May be the notifier whose activation is running now.
        it->second->setEnabled(false);
        it->second->deleteLater();
        it = m_notifiers.erase(it);
    }
    for (int fd : wanted) {
        if (m_notifiers.count(fd) != 0) {
            continue;
        }
        auto* notifier = new QSocketNotifier(fd, QSocketNotifier::Read, this);
        connect(notifier, &QSocketNotifier::activated, this, [this, fd] {
            followRealTime();
            m_loop.dispatchReadable(fd);
        });
        m_notifiers.emplace(fd, notifier);
    }
}

void QtEventLoopBackend::dispatchNow() {
    followRealTime();
    m_loop.dispatch();
    emit dispatched();
}

}  // namespace afxqt
