#include "console/event_settler.h"

#include <algorithm>

#include "framework/afx/window.h"

namespace console {

bool EventSettler::idle() const {
    return !m_loop.hasPendingWork() && afx::windows().waitCursorDepth() == 0 &&
           !(m_busy && m_busy());
}

std::int64_t EventSettler::deadlineFrom(std::int64_t start) const {
    std::int64_t deadline = start + m_slackMs;
    if (m_deadline) {
        if (const auto pending = m_deadline()) {
            deadline = std::max(deadline, *pending + m_slackMs);
        }
    }
    return deadline;
}

bool EventSettler::settle() {
    const std::int64_t start = m_loop.now();
    std::int64_t deadline = start;
    for (;;) {
        m_loop.runUntilIdle();
        if (idle()) {
            m_lastBoundMs = deadline - start;
            return true;
        }
        // Every answer may start another request or step; each gets its own time.
        deadline = std::max(deadline, deadlineFrom(start));
        m_lastBoundMs = deadline - start;
        const std::int64_t left = deadline - m_loop.now();
        if (left <= 0) {
            return false;
        }
        if (m_loop.isVirtualClock()) {
            m_loop.advance(std::min<std::int64_t>(left, 10));
        } else {
            m_loop.runOnce(static_cast<int>(std::min<std::int64_t>(left, 10)));
        }
    }
}

void EventSettler::pass(std::int64_t ms) {
    if (m_loop.isVirtualClock()) {
        m_loop.advance(ms);
        return;
    }
    const std::int64_t deadline = m_loop.now() + ms;
    while (m_loop.now() < deadline) {
        m_loop.runOnce(static_cast<int>(std::min<std::int64_t>(deadline - m_loop.now(), 50)));
    }
}

}  // namespace console
