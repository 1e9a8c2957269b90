#pragma once
// Runs the event loop until what the last action started has finished: nothing posted or
// due, no page waiting for an answer, nothing in flight to the agent. Bounded by what is
// pending: as long as the pending requests can take (each step timeout x tries of its
// request), plus a slack, so a slow agent is waited for and a silent one cannot hang the
// console; polling timers further ahead do not count.

#include <cstdint>
#include <functional>
#include <optional>

#include "framework/afx/event_loop.h"

namespace console {

class EventSettler {
public:
    using BusyProbe = std::function<bool()>;
    // The latest time (loop clock) by which the pending requests end; nullopt when none is.
    using DeadlineProbe = std::function<std::optional<std::int64_t>()>;

    EventSettler(afx::EventLoop& loop, std::int64_t slackMs) : m_loop(loop), m_slackMs(slackMs) {}

    // Something beyond the loop and the wait cursor that is still under way.
    void setBusyProbe(BusyProbe probe) { m_busy = std::move(probe); }
    void setDeadlineProbe(DeadlineProbe probe) { m_deadline = std::move(probe); }
    // How long the last settle() waited at most (the bound it gave up at, when it failed).
    std::int64_t boundMs() const { return m_lastBoundMs; }

    // false when the bound passed first.
    bool settle();
    // Lets ms of time pass with the loop running (timers, polling, set delays).
    void pass(std::int64_t ms);

private:
    bool idle() const;
    std::int64_t deadlineFrom(std::int64_t start) const;

    afx::EventLoop& m_loop;
    std::int64_t m_slackMs;
    std::int64_t m_lastBoundMs = 0;
    BusyProbe m_busy;
    DeadlineProbe m_deadline;
};

}  // namespace console
