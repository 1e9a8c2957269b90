#include "console/gui/counter_sampler.h"

#include "framework/mib/mib_agent.h"
#include "framework/mib/request_engine.h"

namespace gui {

namespace {

constexpr const char* kUpTime = "sysUpTime";

}  // namespace

CounterSampler::CounterSampler(CMibAgent& agent, CounterTarget target, long periodMs)
    : m_agent(agent),
      m_loop(agent.GetEventLoop()),
      m_target(std::move(target)),
      m_periodMs(periodMs),
      m_comm(&agent) {
    m_comm.SetOwner(this);
}

CounterSampler::~CounterSampler() {
    stop();
    releaseRequests();
    m_comm.SetOwner(nullptr);
}

long CounterSampler::periodMs() const {
    const long period = m_periodMs > 0 ? m_periodMs : m_agent.GetPollingPeriod();
    return period > 0 ? period : 1000;
}

void CounterSampler::start() {
    if (m_running) {
        return;
    }
    m_running = true;
    readNow();
    m_timer = m_loop.addTimer(periodMs(), [this] { tick(); });
}

void CounterSampler::stop() {
    m_running = false;
    if (m_timer != 0) {
        m_loop.cancelTimer(m_timer);
        m_timer = 0;
    }
}

void CounterSampler::tick() {
    m_timer = m_loop.addTimer(periodMs(), [this] { tick(); });
    readNow();
}

bool CounterSampler::ensureRequests() {
    mib::RequestEngine* engine = m_comm.engine();
    if (engine == nullptr) {
        fail("the agent has no transport");
        return false;
    }
    // The agent rebinds its components when its settings change: handles of before are gone.
    if (m_counterRequest != 0 && engine->isOpen(m_counterRequest) && m_upTimeRequest != 0 &&
        engine->isOpen(m_upTimeRequest)) {
        return true;
    }
    releaseRequests();
    CStringArray counter;
    counter.Add(m_target.variable.c_str());
    m_counterRequest = m_comm.OpenListRequest(0, "", &counter);
    if (m_counterRequest <= 0) {
        m_counterRequest = 0;
        fail("cannot open a read of " + m_target.variable);
        return false;
    }
    if (!m_target.index.empty()) {
        CStringArray index;
        for (const std::string& part : m_target.index) {
            index.Add(part.c_str());
        }
        if (!m_comm.SetRowIndex(m_counterRequest, &index)) {
            const std::string why = m_comm.GetErrorText(m_counterRequest).str();
            releaseRequests();
            fail("no row of " + m_target.variable + " at that index" +
                 (why.empty() ? std::string() : ": " + why));
            return false;
        }
    }
    CStringArray upTime;
    upTime.Add(kUpTime);
    m_upTimeRequest = m_comm.OpenListRequest(0, "system", &upTime);
    if (m_upTimeRequest <= 0) {
        m_upTimeRequest = 0;
        releaseRequests();
        fail("cannot open a read of sysUpTime");
        return false;
    }
    return true;
}

void CounterSampler::releaseRequests() {
    for (long* h : {&m_counterRequest, &m_upTimeRequest}) {
        if (*h != 0) {
            m_comm.ReleaseRequest(*h);
            *h = 0;
        }
    }
    m_awaiting = 0;
}

bool CounterSampler::roundStillOut() {
    mib::RequestEngine* engine = m_comm.engine();
    if (engine == nullptr) {
        return false;
    }
    for (const long h : {m_counterRequest, m_upTimeRequest}) {
        if (h != 0 && engine->isOpen(h) && engine->isPending(h)) {
            return true;
        }
    }
    return false;
}

void CounterSampler::readNow() {
    if (m_awaiting != 0) {
        if (roundStillOut()) {
            return;
        }
        // Its answers will not come (the agent rebound its components): start afresh.
        m_awaiting = 0;
    }
    if (!ensureRequests()) {
        return;
    }
    m_roundError.clear();
    // The uptime first: the counter is then read no earlier than the agent's clock.
    m_awaiting = 2;
    for (const long h : {m_upTimeRequest, m_counterRequest}) {
        if (!m_comm.RequestRow(h)) {
            --m_awaiting;
            if (m_roundError.empty()) {
                m_roundError = m_comm.GetErrorText(h).str();
            }
        }
    }
    if (m_awaiting == 0) {
        finishRound();
    }
}

void CounterSampler::OnRequestDone(int h) {
    answered(h, true);
}

void CounterSampler::OnError(int h) {
    answered(h, false);
}

void CounterSampler::answered(long h, bool succeeded) {
    if (m_awaiting == 0 || (h != m_counterRequest && h != m_upTimeRequest)) {
        return;
    }
    if (!succeeded && m_roundError.empty()) {
        m_roundError = m_comm.GetErrorText(h).str();
        if (m_roundError.empty()) {
            m_roundError = "the read of " + m_target.variable + " failed";
        }
    }
    if (--m_awaiting == 0) {
        finishRound();
    }
}

void CounterSampler::finishRound() {
    if (!m_roundError.empty()) {
        fail(m_roundError);
        return;
    }
    mib::RequestEngine& engine = *m_comm.engine();
    CounterSample sample;
    sample.wallSeconds = static_cast<double>(m_loop.now()) / 1000.0;
    const mib::Value* counter = nullptr;
    if (engine.rowCount(m_counterRequest) > 0 && engine.gotoRow(m_counterRequest, 0)) {
        counter = engine.value(m_counterRequest, m_target.variable);
    }
    if (counter != nullptr && counter->type == mib::ValueType::Counter32) {
        sample.value = static_cast<std::uint64_t>(counter->integer);
    } else if (counter != nullptr && counter->type == mib::ValueType::Counter64) {
        sample.value = counter->counter64;
    } else {
        fail("the agent gave " + m_target.variable + " no counter value" +
             (counter != nullptr ? " (" + mib::valueTypeName(counter->type) + ")" : ""));
        return;
    }
    if (engine.rowCount(m_upTimeRequest) > 0 && engine.gotoRow(m_upTimeRequest, 0)) {
        const mib::Value* upTime = engine.value(m_upTimeRequest, kUpTime);
        if (upTime != nullptr && upTime->type == mib::ValueType::TimeTicks) {
            sample.upTimeTicks = static_cast<std::uint32_t>(upTime->integer);
        }
    }
    if (m_onSample) {
        m_onSample(sample);
    }
}

void CounterSampler::fail(const std::string& message) {
    if (m_onFailure) {
        m_onFailure(message);
    }
}

CounterSamplerFactory agentSamplerFactory(CMibAgent& agent) {
    return [&agent](const CounterTarget& target) {
        return std::make_unique<CounterSampler>(agent, target);
    };
}

}  // namespace gui
