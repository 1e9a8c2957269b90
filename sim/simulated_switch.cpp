#include "sim/simulated_switch.h"

#include <chrono>

#include "sim/instance_codec.h"
#include "sim/oid_store.h"
#include "sim/read_operations.h"
#include "sim/scenario_json.h"
#include "sim/set_processor.h"
#include "sim/state_snapshot.h"
#include "sim/switch_builder.h"

namespace sim {

namespace {

std::int64_t steadyNowMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

}  // namespace

struct SimulatedSwitch::State {
    State(Scenario s, const mib::MibDictionary& d) : scenario(std::move(s)), dictionary(d) {}

    Scenario scenario;
    const mib::MibDictionary& dictionary;
    OidStore store;
    std::set<std::string> missing;
    std::function<std::int64_t()> clock = steadyNowMs;
    std::int64_t originMs = 0;  // clock reading at which the switch's time was 0
    std::int64_t silentUntilMs = 0;
    std::int64_t busyUntilMs = 0;
    std::optional<std::pair<mib::ErrorStatus, int>> nextSetFailure;
    std::size_t tooBigAbove = 0;

    std::int64_t now() const { return clock() - originMs; }

    std::optional<mib::Oid> cellOid(std::string_view name, const mib::Oid& instance) const {
        const mib::MibVariable* var = dictionary.find(name);
        if (var == nullptr) {
            return std::nullopt;
        }
        mib::Oid oid = var->oid;
        oid.insert(oid.end(), instance.begin(), instance.end());
        return oid;
    }

    void resetRepeater(std::int64_t nowMs) {
        for (const mib::MibVariable& var : dictionary.all()) {
            if (var.name.rfind("rptrMonitor", 0) != 0) {
                continue;
            }
            for (auto it = store.lowerBound(var.oid);
                 it != store.end() && mib::oidStartsWith(it->first, var.oid); ++it) {
                it->second.resetCounter(nowMs);
            }
        }
    }
};

SimulatedSwitch::SimulatedSwitch() = default;
SimulatedSwitch::~SimulatedSwitch() = default;

std::unique_ptr<SimulatedSwitch> SimulatedSwitch::fromScenario(
    Scenario scenario, const mib::MibDictionary& dictionary) {
    std::unique_ptr<SimulatedSwitch> sw(new SimulatedSwitch());
    sw->m_state = std::make_unique<State>(std::move(scenario), dictionary);
    State& state = *sw->m_state;
    state.originMs = state.clock();
    buildStore(state.scenario, dictionary, 0, &state.store, &state.missing);
    return sw;
}

std::unique_ptr<SimulatedSwitch> SimulatedSwitch::createDefault() {
    std::string error;
    auto scenario = parseScenario(defaultScenarioText(), &error);
    if (!scenario) {
        return nullptr;  // the built-in scenario is checked by the tests
    }
    return fromScenario(std::move(*scenario));
}

std::unique_ptr<SimulatedSwitch> SimulatedSwitch::fromScenarioFile(const std::string& path,
                                                                   std::string* error) {
    auto scenario = loadScenarioFile(path, error);
    return scenario ? fromScenario(std::move(*scenario)) : nullptr;
}

std::unique_ptr<SimulatedSwitch> SimulatedSwitch::fromScenarioText(const std::string& json,
                                                                   std::string* error) {
    auto scenario = parseScenario(json, error);
    return scenario ? fromScenario(std::move(*scenario)) : nullptr;
}

mib::ResponsePdu SimulatedSwitch::handle(const mib::RequestPdu& request) {
    State& state = *m_state;
    const std::int64_t now = state.now();
    mib::ResponsePdu response;
    switch (request.type) {
        case mib::PduType::Get:
            response = answerGet(state.store, state.dictionary, request, now);
            break;
        case mib::PduType::GetNext:
            response = answerGetNext(state.store, request, now);
            break;
        case mib::PduType::GetBulk:
            response = answerGetBulk(state.store, request, now);
            break;
        case mib::PduType::Set: {
            response.varbinds = request.varbinds;
            // Its answer is as large as the request: too big is known before anything changes.
            if (state.tooBigAbove != 0 &&
                estimateResponseSize(response.varbinds) > state.tooBigAbove) {
                response.errorStatus = mib::ErrorStatus::TooBig;
                return response;
            }
            if (state.nextSetFailure) {
                response.errorStatus = state.nextSetFailure->first;
                response.errorIndex = state.nextSetFailure->second;
                state.nextSetFailure.reset();
                return response;
            }
            const SetOutcome outcome =
                processSet(request, state.scenario, state.dictionary, now, &state.store);
            response.errorStatus = outcome.status;
            response.errorIndex = outcome.errorIndex;
            if (outcome.effects.repeaterReset) {
                state.resetRepeater(now);
            }
            if (outcome.effects.renegotiation) {
                state.busyUntilMs =
                    std::max(state.busyUntilMs, now + state.scenario.renegotiationMs);
            }
            break;
        }
    }
    if (state.tooBigAbove != 0 && estimateResponseSize(response.varbinds) > state.tooBigAbove) {
        response.errorStatus = mib::ErrorStatus::TooBig;
        response.errorIndex = 0;
        response.varbinds = request.varbinds;
    }
    return response;
}

bool SimulatedSwitch::answersNow() const {
    const std::int64_t now = m_state->now();
    return now >= m_state->silentUntilMs && now >= m_state->busyUntilMs;
}

std::int64_t SimulatedSwitch::busyForMs() const {
    return std::max<std::int64_t>(0, m_state->busyUntilMs - m_state->now());
}

void SimulatedSwitch::setClock(std::function<std::int64_t()> nowMs) {
    const std::int64_t elapsed = m_state->now();
    m_state->clock = nowMs ? std::move(nowMs) : steadyNowMs;
    m_state->originMs = m_state->clock() - elapsed;
}

std::int64_t SimulatedSwitch::elapsedMs() const {
    return m_state->now();
}

const mib::MibDictionary& SimulatedSwitch::dictionary() const {
    return m_state->dictionary;
}

const Scenario& SimulatedSwitch::scenario() const {
    return m_state->scenario;
}

std::optional<mib::Value> SimulatedSwitch::read(std::string_view name,
                                                const mib::Oid& instance) const {
    auto oid = m_state->cellOid(name, instance);
    const Cell* cell = oid ? m_state->store.find(*oid) : nullptr;
    if (cell == nullptr) {
        return std::nullopt;
    }
    return cell->valueAt(m_state->now());
}

bool SimulatedSwitch::write(std::string_view name, const mib::Oid& instance,
                            const mib::Value& value) {
    auto oid = m_state->cellOid(name, instance);
    if (!oid) {
        return false;
    }
    Cell cell;
    if (const Cell* existing = m_state->store.find(*oid)) {
        cell = *existing;
    }
    cell.variable = m_state->dictionary.find(name);
    cell.value = value;
    cell.sinceMs = m_state->now();
    m_state->store.put(*oid, std::move(cell));
    return true;
}

bool SimulatedSwitch::rowExists(std::string_view column, const mib::Oid& instance) const {
    const mib::MibVariable* var = m_state->dictionary.find(column);
    if (var == nullptr) {
        return false;
    }
    for (const mib::MibVariable* sibling : m_state->dictionary.columnsOf(var->table)) {
        mib::Oid oid = sibling->oid;
        oid.insert(oid.end(), instance.begin(), instance.end());
        if (m_state->store.find(oid) != nullptr) {
            return true;
        }
    }
    return false;
}

std::size_t SimulatedSwitch::rowCount(std::string_view column) const {
    const mib::MibVariable* var = m_state->dictionary.find(column);
    if (var == nullptr) {
        return 0;
    }
    std::size_t count = 0;
    for (auto it = m_state->store.lowerBound(var->oid);
         it != m_state->store.end() && mib::oidStartsWith(it->first, var->oid); ++it) {
        ++count;
    }
    return count;
}

std::size_t SimulatedSwitch::cellCount() const {
    return m_state->store.size();
}

const std::set<std::string>& SimulatedSwitch::missingNames() const {
    return m_state->missing;
}

std::string SimulatedSwitch::saveState() const {
    return snapshotStore(m_state->store, m_state->now());
}

bool SimulatedSwitch::loadState(const std::string& text, std::string* error) {
    return restoreStore(text, m_state->dictionary, m_state->now(), &m_state->store, error);
}

void SimulatedSwitch::failNextSet(mib::ErrorStatus status, int errorIndex) {
    m_state->nextSetFailure = std::make_pair(status, errorIndex);
}

void SimulatedSwitch::answerTooBigAbove(std::size_t bytes) {
    m_state->tooBigAbove = bytes;
}

void SimulatedSwitch::setRenegotiationMs(int ms) {
    m_state->scenario.renegotiationMs = std::max(0, ms);
}

void SimulatedSwitch::stopAnsweringFor(std::int64_t ms) {
    m_state->silentUntilMs = std::max(m_state->silentUntilMs, m_state->now() + ms);
}

}  // namespace sim
