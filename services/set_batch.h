#pragma once
// The sets of one Apply on one request: how many are still to complete, and the delay each
// SendSet gets (0 for all but the last, which waits 3000 ms so the switch settles before the
// re-reads). Kept small and apart so the framework's batch can take its place.

namespace services {

class SetBatch {
public:
    static constexpr long kLastSetDelayMs = 3000;

    void Start(int sets) { m_pending = sets; }
    void Clear() { m_pending = 0; }
    // One set completed; true when it was the last of the batch.
    bool Completed() { return m_pending > 0 && --m_pending == 0; }
    // A set could not be started: it will never complete.
    void NotStarted() {
        if (m_pending > 0) {
            --m_pending;
        }
    }
    int Pending() const { return m_pending; }
    static long DelayOf(int set, int sets) { return set == sets - 1 ? kLastSetDelayMs : 0; }

private:
    int m_pending = 0;
};

}  // namespace services
