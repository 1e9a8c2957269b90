#pragma once
// Reads one counter and sysUpTime.0 from an agent every polling period, on the afx event loop
// and without ever waiting for an answer there, and hands each reading on. A read that fails
// is reported and the next period tries again; a period whose reading is still out is skipped
// rather than piled up behind it.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "console/gui/counter_rate.h"
#include "console/gui/counter_target.h"
#include "framework/afx/event_loop.h"
#include "framework/mib/mib_comm.h"

class CMibAgent;

namespace gui {

class CounterSampler : private CMibCommEvents {
public:
    using SampleHandler = std::function<void(const CounterSample&)>;
    using FailureHandler = std::function<void(const std::string& message)>;

    // periodMs 0: the agent's polling period. The agent must outlive the sampler.
    CounterSampler(CMibAgent& agent, CounterTarget target, long periodMs = 0);
    ~CounterSampler();
    CounterSampler(const CounterSampler&) = delete;
    CounterSampler& operator=(const CounterSampler&) = delete;

    void setSampleHandler(SampleHandler handler) { m_onSample = std::move(handler); }
    void setFailureHandler(FailureHandler handler) { m_onFailure = std::move(handler); }

    // Reads at once, then every period until stop() or destruction.
    void start();
    void stop();
    bool running() const { return m_running; }
    long periodMs() const;
    const CounterTarget& target() const { return m_target; }

private:
    void OnRequestDone(int h) override;
    void OnError(int h) override;
    void tick();
    void readNow();
    bool roundStillOut();
    // Opens both requests unless they are open; false (and a failure reported) when it cannot.
    bool ensureRequests();
    void releaseRequests();
    void answered(long h, bool succeeded);
    void finishRound();
    void fail(const std::string& message);

    CMibAgent& m_agent;
    afx::EventLoop& m_loop;
    CounterTarget m_target;
    long m_periodMs;
    CMibComm m_comm;
    long m_counterRequest = 0;
    long m_upTimeRequest = 0;
    afx::EventLoop::TimerId m_timer = 0;
    bool m_running = false;
    // The round in flight: which answers are still out, and what failed.
    int m_awaiting = 0;
    std::string m_roundError;
    SampleHandler m_onSample;
    FailureHandler m_onFailure;
};

// What a graph calls to get a sampler for a counter; nullptr: the counter is not sampled.
using CounterSamplerFactory =
    std::function<std::unique_ptr<CounterSampler>(const CounterTarget& target)>;

// Samplers on agent at its polling period.
CounterSamplerFactory agentSamplerFactory(CMibAgent& agent);

}  // namespace gui
