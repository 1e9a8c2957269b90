#pragma once
// Transports the benchmarks put between the agent and the real one, to count the request
// PDUs a page sends and to note when the last answer came.

#include <time.h>

#include <algorithm>
#include <chrono>
#include <map>
#include <memory>
#include <string>
#include <utility>

#include "framework/mib/mib_dictionary.h"
#include "framework/mib/transport.h"

namespace bench {

// The machine is shared: CPU time of this thread says what the work costs without the wait.
inline double threadCpuMs() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

// Counts the request PDUs handed to the transport underneath and notes when the last answer
// came, in wall and thread CPU time.
class CountingTransport : public mib::Transport {
public:
    explicit CountingTransport(std::shared_ptr<mib::Transport> inner) : m_inner(std::move(inner)) {}

    Ticket send(const mib::RequestPdu& request, const mib::SendOptions& options,
                Completion done) override {
        ++pdus;
        counted(request);
        return m_inner->send(request, options,
                             [this, done = std::move(done)](const mib::TransportResult& result) {
                                 lastAnswer = std::chrono::steady_clock::now();
                                 lastAnswerCpuMs = threadCpuMs();
                                 done(result);
                             });
    }
    void cancel(Ticket ticket) override { m_inner->cancel(ticket); }
    int bulkRepetitions(int columns) const override { return m_inner->bulkRepetitions(columns); }
    std::string describe() const override { return m_inner->describe(); }
    std::size_t pendingCount() const override { return m_inner->pendingCount(); }

    long pdus = 0;
    std::chrono::steady_clock::time_point lastAnswer;
    double lastAnswerCpuMs = 0;

protected:
    virtual void counted(const mib::RequestPdu&) {}

private:
    std::shared_ptr<mib::Transport> m_inner;
};

// Counts the request PDUs per table as well (by the table of the first varbind), with the
// most rows a GETBULK asked for.
class TableCountingTransport : public CountingTransport {
public:
    TableCountingTransport(std::shared_ptr<mib::Transport> inner,
                           const mib::MibDictionary& dictionary)
        : CountingTransport(std::move(inner)), m_dictionary(dictionary) {}

    struct Count {
        int pdus = 0;
        int repetitions = 0;
    };
    std::map<std::string, Count> counts;

protected:
    void counted(const mib::RequestPdu& request) override {
        if (request.varbinds.empty()) {
            return;
        }
        const mib::MibVariable* var = m_dictionary.findByInstanceOid(request.varbinds[0].oid);
        Count& c = counts[var ? var->table : std::string("?")];
        ++c.pdus;
        c.repetitions = std::max(c.repetitions, request.maxRepetitions);
    }

private:
    const mib::MibDictionary& m_dictionary;
};

}  // namespace bench
