#include "framework/afx/event_loop.h"

#include <poll.h>

#include <algorithm>
#include <chrono>

namespace afx {

namespace {
std::int64_t realNow() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}
}  // namespace

EventLoop& EventLoop::instance() {
    static EventLoop loop;
    return loop;
}

EventLoop::EventLoop() = default;
EventLoop::~EventLoop() = default;

void EventLoop::post(Task task) {
    m_posted.push_back(std::move(task));
    if (m_backend && m_posted.size() == 1) {
        m_backend->wakeUp();
    }
}

EventLoop::TimerId EventLoop::addTimer(std::int64_t delayMs, Task task) {
    TimerId id = m_nextId++;
    m_timers.emplace(now() + std::max<std::int64_t>(delayMs, 0), Timer{id, std::move(task)});
    reportTimers();
    return id;
}

void EventLoop::cancelTimer(TimerId id) {
    for (auto it = m_timers.begin(); it != m_timers.end(); ++it) {
        if (it->second.id == id) {
            m_timers.erase(it);
            reportTimers();
            return;
        }
    }
}

EventLoop::WatchId EventLoop::watchFd(int fd, Task onReadable) {
    WatchId id = m_nextId++;
    m_watches.emplace(id, std::make_pair(fd, std::make_shared<Task>(std::move(onReadable))));
    if (m_backend) {
        m_backend->watchesChanged();
    }
    return id;
}

void EventLoop::unwatchFd(WatchId id) {
    if (m_watches.erase(id) > 0 && m_backend) {
        m_backend->watchesChanged();
    }
}

std::int64_t EventLoop::now() const {
    return m_virtual ? m_virtualNow : realNow();
}

void EventLoop::useVirtualClock(bool on) {
    if (on && !m_virtual) {
        m_virtualNow = realNow();
    }
    m_virtual = on;
}

void EventLoop::advance(std::int64_t ms) {
    const std::int64_t target = now() + std::max<std::int64_t>(ms, 0);
    runUntilIdle();
    while (m_virtual) {
        if (m_timers.empty() || m_timers.begin()->first > target) {
            break;
        }
        m_virtualNow = std::max(m_virtualNow, m_timers.begin()->first);
        runUntilIdle();
    }
    if (m_virtual) {
        m_virtualNow = std::max(m_virtualNow, target);
    }
    runUntilIdle();
}

bool EventLoop::runPosted() {
    if (m_posted.empty()) {
        return false;
    }
    // Tasks posted while these run wait for the next round, so a task that
    // re-posts itself cannot starve timers and descriptors.
    std::vector<Task> batch;
    batch.swap(m_posted);
    for (auto& task : batch) {
        task();
    }
    return true;
}

bool EventLoop::runDueTimers() {
    bool ran = false;
    const std::int64_t t = now();
    while (!m_timers.empty() && m_timers.begin()->first <= t) {
        Task task = std::move(m_timers.begin()->second.task);
        m_timers.erase(m_timers.begin());
        reportTimers();
        task();
        ran = true;
    }
    return ran;
}

void EventLoop::reportTimers() {
    if (!m_backend) {
        return;
    }
    std::optional<std::int64_t> due;
    if (!m_timers.empty()) {
        due = m_timers.begin()->first;
    }
    if (due != m_reportedDue) {
        m_reportedDue = due;
        m_backend->timersChanged(due);
    }
}

EventLoopBackend* EventLoop::setBackend(EventLoopBackend* backend) {
    EventLoopBackend* previous = m_backend;
    m_backend = backend;
    m_reportedDue.reset();
    if (m_backend) {
        if (!m_timers.empty()) {
            reportTimers();
        }
        m_backend->watchesChanged();
        if (!m_posted.empty()) {
            m_backend->wakeUp();
        }
    }
    return previous;
}

void EventLoop::dispatch() {
    while (runPosted() || runDueTimers()) {
    }
}

void EventLoop::dispatchReadable(int fd) {
    std::vector<WatchId> ready;
    for (const auto& [id, watch] : m_watches) {
        if (watch.first == fd) {
            ready.push_back(id);
        }
    }
    for (WatchId id : ready) {
        auto it = m_watches.find(id);
        if (it == m_watches.end()) {
            continue;  // unwatched by an earlier callback
        }
        auto task = it->second.second;  // alive even if it unwatches itself
        (*task)();
    }
}

std::vector<int> EventLoop::watchedDescriptors() const {
    std::vector<int> fds;
    for (const auto& [id, watch] : m_watches) {
        if (std::find(fds.begin(), fds.end(), watch.first) == fds.end()) {
            fds.push_back(watch.first);
        }
    }
    return fds;
}

void EventLoop::moveVirtualClockTo(std::int64_t t) {
    if (m_virtual) {
        m_virtualNow = std::max(m_virtualNow, t);
    }
}

bool EventLoop::pollDescriptors(int timeoutMs) {
    if (m_watches.empty()) {
        if (timeoutMs > 0 && !m_virtual) {
            ::poll(nullptr, 0, timeoutMs);
        }
        return false;
    }
    std::vector<pollfd> fds;
    std::vector<WatchId> ids;
    for (const auto& [id, watch] : m_watches) {
        fds.push_back(pollfd{watch.first, POLLIN, 0});
        ids.push_back(id);
    }
    int n = ::poll(fds.data(), fds.size(), timeoutMs);
    if (n <= 0) {
        return false;
    }
    bool ran = false;
    for (std::size_t i = 0; i < fds.size(); ++i) {
        if ((fds[i].revents & (POLLIN | POLLERR | POLLHUP)) == 0) {
            continue;
        }
        auto it = m_watches.find(ids[i]);
        if (it == m_watches.end()) {
            continue;  // unwatched by an earlier callback of this round
        }
        auto task = it->second.second;  // keeps the callback alive if it unwatches itself
        (*task)();
        ran = true;
    }
    return ran;
}

int EventLoop::msToNextTimer() const {
    if (m_timers.empty()) {
        return -1;
    }
    std::int64_t d = m_timers.begin()->first - now();
    return static_cast<int>(std::clamp<std::int64_t>(d, 0, 1000 * 60 * 60));
}

bool EventLoop::runOnce(int timeoutMs) {
    bool ran = runPosted();
    ran = runDueTimers() || ran;
    if (ran || !m_posted.empty()) {
        pollDescriptors(0);
        return true;
    }
    int wait = timeoutMs;
    if (!m_virtual) {
        int next = msToNextTimer();
        if (next >= 0 && (wait < 0 || next < wait)) {
            wait = next;
        }
    } else {
        wait = std::max(0, wait);
        if (m_watches.empty()) {
            wait = 0;
        }
    }
    ran = pollDescriptors(wait);
    ran = runDueTimers() || ran;
    return ran;
}

void EventLoop::runUntilIdle() {
    while (runPosted() || runDueTimers() || pollDescriptors(0)) {
    }
}

bool EventLoop::runUntil(const std::function<bool()>& pred, std::int64_t maxMs) {
    const std::int64_t deadline = now() + maxMs;
    while (!pred()) {
        if (now() >= deadline) {
            return pred();
        }
        if (m_virtual) {
            runUntilIdle();
            if (pred()) {
                break;
            }
            // Nothing more happens without time: jump to the next timer, or
            // give real descriptors a moment.
            if (!m_timers.empty() && m_timers.begin()->first <= deadline) {
                m_virtualNow = std::max(m_virtualNow, m_timers.begin()->first);
            } else if (!m_watches.empty()) {
                pollDescriptors(10);
            } else {
                m_virtualNow = deadline;
            }
        } else {
            int left = static_cast<int>(std::max<std::int64_t>(0, deadline - now()));
            runOnce(std::min(left, 50));
        }
    }
    return true;
}

void EventLoop::run() {
    m_quitFlags.push_back(false);
    const std::size_t level = m_quitFlags.size() - 1;
    while (!m_quitFlags[level]) {
        runOnce(m_virtual ? 0 : 100);
        if (m_virtual && !hasPendingWork() && !m_quitFlags[level]) {
            if (!m_timers.empty()) {
                m_virtualNow = std::max(m_virtualNow, m_timers.begin()->first);
            } else if (m_watches.empty()) {
                break;  // nothing can ever happen again
            }
        }
    }
    m_quitFlags.pop_back();
}

void EventLoop::quit() {
    if (!m_quitFlags.empty()) {
        m_quitFlags.back() = true;
    }
}

bool EventLoop::hasPendingWork() const {
    return !m_posted.empty() || (!m_timers.empty() && m_timers.begin()->first <= now());
}

}  // namespace afx
