#pragma once
// Receives the completions of a CMibComm for a page or dialog base: keeps the failure streak
// of every request (so a polled reading that keeps failing is reported once, until the
// request succeeds again) and the wait cursor begun for the owner's requests, which ends with the
// next completion or failure delivered to the owner, after the owner's handler has run.

#include <functional>
#include <set>

#include "framework/afx/cstring.h"
#include "framework/mib/mib_comm_events.h"

class CMibComm;
class CMibAgent;

namespace sw {

// The operator's text for a failed request: the component's error text, led by the agent's
// name.
CString failureMessage(CMibComm* comm, CMibAgent* agent, int h);

class RequestOutcomeRelay : public CMibCommEvents {
public:
    RequestOutcomeRelay(std::function<void(int)> done, std::function<void(int)> failed);
    virtual ~RequestOutcomeRelay();
    RequestOutcomeRelay(const RequestOutcomeRelay&) = delete;
    RequestOutcomeRelay& operator=(const RequestOutcomeRelay&) = delete;

    void OnRequestDone(int h) override;
    void OnError(int h) override;

    // Whether a failure of h is told: always for a set or a read asked for, for a polled
    // reading only the first time in a streak of failures of h. Marks the streak reported.
    bool beginFailureReport(int h, bool polled);
    bool inFailureStreak(int h) const { return m_reported.count(h) != 0; }

    // At most one wait cursor per owner; another request while one is shown keeps it.
    void beginWait();
    void endWait();
    bool waiting() const { return m_waiting; }

private:
    std::function<void(int)> m_done;
    std::function<void(int)> m_failed;
    std::set<int> m_reported;
    bool m_waiting = false;
};

}  // namespace sw
