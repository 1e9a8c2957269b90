#pragma once
// Runs the event loop until what the last action started has finished: nothing posted or
// due, no page waiting for an answer, nothing in flight to the agent. Bounded, so a silent
// agent cannot hang the console; polling timers further ahead do not count.

#include <cstdint>
#include <functional>

#include "framework/afx/event_loop.h"

namespace console {

class EventSettler {
public:
    using BusyProbe = std::function<bool()>;

    EventSettler(afx::EventLoop& loop, std::int64_t boundMs) : m_loop(loop), m_boundMs(boundMs) {}

    // Something beyond the loop and the wait cursor that is still under way.
    void setBusyProbe(BusyProbe probe) { m_busy = std::move(probe); }
    std::int64_t boundMs() const { return m_boundMs; }

    // false when the bound passed first.
    bool settle();
    // Lets ms of time pass with the loop running (timers, polling, set delays).
    void pass(std::int64_t ms);

private:
    bool idle() const;

    afx::EventLoop& m_loop;
    std::int64_t m_boundMs;
    BusyProbe m_busy;
};

}  // namespace console
