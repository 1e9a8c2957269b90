#include "console/event_settler.h"

#include "framework/afx/window.h"

namespace console {

bool EventSettler::idle() const {
    return !m_loop.hasPendingWork() && afx::windows().waitCursorDepth() == 0 &&
           !(m_busy && m_busy());
}

bool EventSettler::settle() {
    const std::int64_t deadline = m_loop.now() + m_boundMs;
    for (;;) {
        m_loop.runUntilIdle();
        if (idle()) {
            return true;
        }
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
