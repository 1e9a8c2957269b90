#pragma once
// A batch of sets on one request of a page: one set per target (a port, a row), sent one after
// another. The count goes up per SendSet and down per completion, which is how a page tells the
// completion of a set from that of a read on the same request. Every set but the last planned
// one goes with set delay 0, the last with 3000 ms, so the switch settles before the page reads
// again. Timeout and Retries of the request, saved at attach, are put back when the batch ends,
// however it ends: all sets done, one refused, or one that could not be started.
//
//     m_batch.attach(m_mibComm, h);                  // when h is opened
//     m_batch.begin(rows);                           // in OnApply
//     for each row: stage values, then
//         if (!m_batch.send("1/3")) { m_batch.skip(...) for the rows left; break; }
//     if (m_batch.endSending()) ended();             // nothing was under way
//     OnRequestDone(h) / OnError(h) while m_batch.isOpen():
//         if (m_batch.completed(ok, GetErrorCode(h))) ended();

#include <vector>

#include "framework/afx/cstring.h"

class CMibComm;

namespace sw {

class PendingSetBatch {
public:
    static constexpr long kLastSetDelayMs = 3000;

    struct Failure {
        CString target;
        long errorCode = 0;
    };

    // The request that carries the sets; its Timeout and Retries now are what every batch
    // returns it to.
    void attach(CMibComm* comm, long h);
    void detach();

    // Starts a batch of planned sets. A batch still open is forgotten (its request was
    // released or read again), without restoring anything.
    void begin(int planned);
    // Sends what is staged on the request as the set of target. FALSE when it could not be
    // started: target counts as not changed and the batch sends no more.
    BOOL send(const CString& target);
    // Forgets the open batch without ending it: sets still under way no longer count and
    // Timeout and Retries stay as they are (the page gave up on the batch or read again).
    void abandon();
    // A planned target that is not sent (after a set that could not start).
    void skip(const CString& target);
    // The page has sent what it could. TRUE when that ended the batch (nothing under way).
    BOOL endSending();
    // A completion of the request while the batch is open. TRUE when it was the batch's last.
    BOOL completed(BOOL succeeded, long errorCode);

    BOOL isOpen() const { return m_open ? TRUE : FALSE; }
    int pending() const { return static_cast<int>(m_inFlight.size()); }

    // How the last batch went (valid until the next begin).
    BOOL succeeded() const;
    const std::vector<Failure>& failures() const { return m_failures; }
    const std::vector<CString>& notSent() const { return m_notSent; }
    // Targets refused, unanswered or not sent, in the order they were planned.
    std::vector<CString> notChanged() const;
    // ", "-separated notChanged().
    CString notChangedText() const;

private:
    BOOL endIfDone();

    CMibComm* m_comm = nullptr;
    long m_request = 0;
    short m_savedTimeout = 0;
    short m_savedRetries = 0;
    bool m_open = false;
    bool m_sending = false;
    int m_planned = 0;
    int m_sent = 0;
    std::vector<CString> m_inFlight;
    std::vector<Failure> m_failures;
    std::vector<CString> m_notSent;
};

}  // namespace sw
