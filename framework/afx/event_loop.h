#pragma once
// The process's one event loop: posted tasks, one-shot timers, watched file
// descriptors and a clock that tests can replace by a virtual one.
//
// Everything runs on the thread that runs the loop. With the virtual clock,
// time moves only through advance(), so timers, polling and set delays are
// deterministic in tests; file descriptors are still watched for real.
//
// Another event loop (a GUI toolkit's) can drive this one: it installs a back end, which
// hears when work was posted, when the earliest timer moved and when the watched
// descriptors changed, and calls dispatch() and dispatchReadable() from its own loop.

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <vector>

namespace afx {

// What a host loop implements to drive the event loop. Calls come from the loop's thread,
// possibly from inside a dispatch; the host only schedules, it never dispatches from them.
class EventLoopBackend {
public:
    virtual ~EventLoopBackend() = default;
    // Work was posted: call dispatch() on the host loop's next turn.
    virtual void wakeUp() = 0;
    // The earliest timer is now due at dueMs on the loop's clock; nullopt when none is left.
    virtual void timersChanged(std::optional<std::int64_t> dueMs) = 0;
    // Descriptors were watched or unwatched: watchedDescriptors() tells which are left.
    virtual void watchesChanged() = 0;
};

class EventLoop {
public:
    using Task = std::function<void()>;
    using TimerId = std::uint64_t;
    using WatchId = std::uint64_t;

    static EventLoop& instance();

    EventLoop();
    ~EventLoop();
    EventLoop(const EventLoop&) = delete;
    EventLoop& operator=(const EventLoop&) = delete;

    // Runs task from the loop, after everything posted before it.
    void post(Task task);

    // One-shot timer, due delayMs after now(). Cancelling an unknown or fired id is a no-op.
    TimerId addTimer(std::int64_t delayMs, Task task);
    void cancelTimer(TimerId id);

    // Calls onReadable from the loop whenever fd is readable.
    WatchId watchFd(int fd, Task onReadable);
    void unwatchFd(WatchId id);

    // Milliseconds on the loop's clock (steady; arbitrary origin).
    std::int64_t now() const;

    // Switches to (or from) a virtual clock that starts where the real one is.
    void useVirtualClock(bool on);
    bool isVirtualClock() const { return m_virtual; }
    // Virtual clock only: moves time forward by ms, firing due timers in time
    // order and running the posted tasks each of them causes.
    void advance(std::int64_t ms);

    // Runs what is ready now (posted tasks, due timers, readable descriptors),
    // waiting at most timeoutMs for something to become ready. Returns true if
    // anything ran.
    bool runOnce(int timeoutMs);
    // Runs posted tasks and due timers until nothing is ready without waiting.
    void runUntilIdle();
    // Runs until pred() is true or maxMs of loop time passed; returns pred().
    // With the virtual clock, time advances to the next timer when idle.
    bool runUntil(const std::function<bool()>& pred, std::int64_t maxMs);
    // Runs until quit() (used by programs and modal loops). Nested calls nest:
    // quit() ends the innermost one.
    void run();
    void quit();

    bool hasPendingWork() const;

    // The host loop that drives this one (nullptr: none); returns the previous back end.
    // Installing one reports the current timers and watches to it at once.
    EventLoopBackend* setBackend(EventLoopBackend* backend);
    EventLoopBackend* backend() const { return m_backend; }
    // For a back end: runs posted tasks and due timers until none is ready, never waiting.
    void dispatch();
    // For a back end: fd became readable (or hung up).
    void dispatchReadable(int fd);
    std::vector<int> watchedDescriptors() const;
    // Virtual clock only, for a back end whose own clock drives it: moves time forward to
    // t without running anything (the back end then calls dispatch()).
    void moveVirtualClockTo(std::int64_t t);
    // For loops that drive the virtual clock themselves (modal dialogs).
    bool hasTimers() const { return !m_timers.empty(); }
    std::int64_t nextTimerDue() const { return m_timers.empty() ? now() : m_timers.begin()->first; }
    bool hasWatches() const { return !m_watches.empty(); }

private:
    struct Timer {
        TimerId id;
        Task task;
    };
    bool runPosted();
    bool runDueTimers();
    bool pollDescriptors(int timeoutMs);
    int msToNextTimer() const;
    void reportTimers();

    std::vector<Task> m_posted;
    std::multimap<std::int64_t, Timer> m_timers;
    std::map<WatchId, std::pair<int, std::shared_ptr<Task>>> m_watches;
    TimerId m_nextId = 1;
    bool m_virtual = false;
    std::int64_t m_virtualNow = 0;
    std::vector<bool> m_quitFlags;  // one per nested run(), innermost last
    EventLoopBackend* m_backend = nullptr;
    std::optional<std::int64_t> m_reportedDue;  // what the back end last heard
};

}  // namespace afx
