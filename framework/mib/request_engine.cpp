#include "framework/mib/request_engine.h"

#include <algorithm>
#include <cstring>

#include "framework/mib/index_conversion.h"
#include "framework/mib/mib_error.h"
#include "framework/mib/pdu_name.h"
#include "framework/mib/value_format.h"

namespace mib {

namespace {

Oid appended(const Oid& base, const Oid& tail) {
    Oid oid = base;
    oid.insert(oid.end(), tail.begin(), tail.end());
    return oid;
}

}  // namespace

RequestEngine::RequestEngine(const MibDictionary& dictionary, Transport& transport,
                             afx::EventLoop& loop, EngineSettings settings, MibTrace* trace)
    : m_dictionary(dictionary),
      m_transport(transport),
      m_loop(loop),
      m_settings(std::move(settings)),
      m_trace(trace) {}

RequestEngine::~RequestEngine() {
    *m_alive = false;
    for (auto& [h, r] : m_requests) {
        if (r.ticket != 0)
            m_transport.cancel(r.ticket);
        m_loop.cancelTimer(r.delayTimer);
        m_loop.cancelTimer(r.pollTimer);
    }
}

Request* RequestEngine::find(long h) {
    auto it = m_requests.find(h);
    return it == m_requests.end() ? nullptr : &it->second;
}

const Request* RequestEngine::find(long h) const {
    auto it = m_requests.find(h);
    return it == m_requests.end() ? nullptr : &it->second;
}

void RequestEngine::fail(Request& r, int code, std::string message) {
    r.errorCode = code;
    r.errorMessage = std::move(message);
}

long RequestEngine::open(const std::string& table, const std::vector<std::string>& names) {
    m_openError = 0;
    m_openMessage.clear();
    if (!table.empty() && !m_dictionary.hasTableOrGroup(table)) {
        m_openError = kMibUnknownTable;
        m_openMessage = "unknown table or group " + table;
        return 0;
    }
    Request r;
    for (const auto& name : names) {
        const MibVariable* variable = m_dictionary.find(name);
        if (variable == nullptr) {
            m_openError = kMibUnknownVariable;
            m_openMessage = "unknown variable " + name;
            return 0;
        }
        r.columns.push_back(variable);
    }
    if (r.columns.empty()) {
        m_openError = kMibBadArgument;
        m_openMessage = "a request needs at least one variable";
        return 0;
    }
    r.scalar = std::none_of(r.columns.begin(), r.columns.end(),
                            [](const MibVariable* v) { return v->isColumn(); });
    for (const auto* variable : r.columns) {
        if (variable->isColumn()) {
            r.indexObjects = variable->indexes;
            break;
        }
    }
    r.handle = m_nextHandle++;
    r.table = table;
    r.timeoutSeconds = m_settings.timeoutSeconds;
    r.retries = m_settings.retries;
    const long h = r.handle;
    m_requests.emplace(h, std::move(r));
    return h;
}

void RequestEngine::release(long h) {
    Request* r = find(h);
    if (r == nullptr)
        return;
    if (r->ticket != 0)
        m_transport.cancel(r->ticket);
    m_loop.cancelTimer(r->delayTimer);
    m_loop.cancelTimer(r->pollTimer);
    m_requests.erase(h);
}

std::vector<long> RequestEngine::handles() const {
    std::vector<long> out;
    for (const auto& [h, r] : m_requests)
        out.push_back(h);
    return out;
}

bool RequestEngine::setReload(long h, bool reload) {
    // Every read fetches anyway; kept for the trace.
    return change(h, [&](Request& r) { r.reload = reload; });
}

bool RequestEngine::setInstance(long h, const std::vector<std::uint32_t>& instance) {
    Request* r = find(h);
    if (r == nullptr)
        return false;
    r->instance = Oid(instance.begin(), instance.end());
    for (std::size_t i = 0; i < r->rows.size(); ++i) {
        if (r->rows[i].instance == *r->instance)
            r->currentRow = static_cast<int>(i);
    }
    return true;
}

bool RequestEngine::setRowIndex(long h, const std::vector<std::string>& texts) {
    Request* r = find(h);
    if (r == nullptr)
        return false;
    if (r->scalar)
        return setInstance(h, {0});
    Oid instance;
    std::string why;
    const int code = instanceFromIndexTexts(m_dictionary, r->indexObjects, texts, &instance, &why);
    if (code != 0) {
        // Keeping the previous row would send the next read or set there.
        r->instance.reset();
        fail(*r, code, why);
        return false;
    }
    return setInstance(h, std::vector<std::uint32_t>(instance.begin(), instance.end()));
}

std::unique_ptr<Operation> RequestEngine::makeRead(Request& r, OperationKind kind, bool poll) {
    auto op = std::make_unique<Operation>();
    op->poll = poll;
    if (r.scalar) {
        op->kind = OperationKind::RowRead;
        op->instance = {0};
    } else {
        op->kind = kind;
        if (kind == OperationKind::RowRead)
            op->instance = r.instance.value_or(Oid{});
    }
    return op;
}

bool RequestEngine::requestTable(long h) {
    Request* r = find(h);
    if (r == nullptr)
        return false;
    r->lastRead = OperationKind::TableRead;
    return enqueue(*r, makeRead(*r, OperationKind::TableRead, false));
}

bool RequestEngine::requestRow(long h) {
    Request* r = find(h);
    if (r == nullptr)
        return false;
    if (!r->scalar && !r->instance) {
        fail(*r, kMibNoInstance, "RequestRow without an instance");
        return false;
    }
    r->lastRead = OperationKind::RowRead;
    return enqueue(*r, makeRead(*r, OperationKind::RowRead, false));
}

bool RequestEngine::isPending(long h) const {
    const Request* r = find(h);
    return r != nullptr && r->isBusy();
}

bool RequestEngine::enqueue(Request& r, std::unique_ptr<Operation> op) {
    r.waiting.push_back(std::move(op));
    if (r.running == nullptr)
        startNext(r);
    return true;
}

void RequestEngine::startNext(Request& r) {
    if (r.running != nullptr || r.waiting.empty())
        return;
    r.running = std::move(r.waiting.front());
    r.waiting.pop_front();
    Operation& op = *r.running;
    switch (op.kind) {
        case OperationKind::TableRead:
            op.walk = std::make_unique<TableWalk>(columnOidsAt(r, nullptr));
            op.maxRepetitions = m_transport.bulkRepetitions(static_cast<int>(r.columns.size()));
            stepWalk(r);
            break;
        case OperationKind::RowRead:
            sendRowGet(r);
            break;
        case OperationKind::Set:
            startSet(r);
            break;
    }
}

std::vector<Oid> RequestEngine::columnOidsAt(const Request& r, const Oid* instance) const {
    std::vector<Oid> oids;
    for (const auto* variable : r.columns) {
        if (instance == nullptr) {
            oids.push_back(variable->oid);
        } else {
            oids.push_back(appended(variable->oid, variable->isColumn() ? *instance : Oid{0}));
        }
    }
    return oids;
}

void RequestEngine::tracePdu(const char* direction, const RequestPdu& pdu) {
    if (m_trace == nullptr || !m_trace->isRecording())
        return;
    std::string text = std::string(direction) + " " + pduName(pdu.type);
    if (pdu.type == PduType::GetBulk)
        text += "(" + std::to_string(pdu.maxRepetitions) + ")";
    for (std::size_t i = 0; i < pdu.varbinds.size(); ++i) {
        const VarBind& vb = pdu.varbinds[i];
        text += i == 0 ? " " : ", ";
        const MibVariable* variable = m_dictionary.findByInstanceOid(vb.oid);
        if (variable != nullptr) {
            Oid instance(vb.oid.begin() + static_cast<std::ptrdiff_t>(variable->oid.size()),
                         vb.oid.end());
            text += variable->name;
            if (!instance.empty())
                text += "." + oidToString(instance);
        } else {
            text += oidToString(vb.oid);
        }
        if (pdu.type == PduType::Set && variable != nullptr) {
            text += "=" + formatValue(*variable, vb.value).text;
        }
    }
    m_trace->line(std::move(text));
}

void RequestEngine::sendPdu(Request& r, const RequestPdu& pdu) {
    tracePdu("PDU", pdu);
    const long h = r.handle;
    const std::uint64_t generation = ++r.generation;
    std::weak_ptr<bool> alive = m_alive;
    const SendOptions options{std::max(0, r.timeoutSeconds), std::max(0, r.retries)};
    r.stepDeadlineMs = m_loop.now() + static_cast<std::int64_t>(options.timeoutSeconds) *
                                          (options.retries + 1) * 1000;
    r.ticket =
        m_transport.send(pdu, options, [this, alive, h, generation](const TransportResult& result) {
            if (alive.expired())
                return;
            onResult(h, generation, result);
        });
    if (r.ticket == 0) {
        finish(r, false, kMibSendFailed, "the request could not be queued");
    }
}

void RequestEngine::onResult(long h, std::uint64_t generation, const TransportResult& result) {
    ++m_resultsReceived;
    Request* r = find(h);
    if (r == nullptr || r->running == nullptr || r->generation != generation)
        return;
    r->ticket = 0;
    Operation& op = *r->running;
    const bool setSent = op.kind == OperationKind::Set && !op.readingBefore && !op.setAnswered;
    if (setSent) {
        journalOutcome(*r, result);
    }
    if (result.outcome != TransportOutcome::Response) {
        const int code = errorCodeForOutcome(result.outcome);
        finish(*r, false, code,
               op.readingBefore ? "reading the values before the set (not sent): " + result.message
                                : result.message);
        return;
    }
    switch (op.kind) {
        case OperationKind::TableRead:
            onWalkAnswer(*r, result.response,
                         op.maxRepetitions > 0 ? PduType::GetBulk : PduType::GetNext);
            break;
        case OperationKind::RowRead:
            onRowAnswer(*r, result.response);
            break;
        case OperationKind::Set:
            if (op.readingBefore) {
                onBeforeAnswer(*r, result.response);
            } else if (op.setAnswered) {
                onRowAnswer(*r, result.response);
            } else {
                onSetAnswer(*r, result.response);
            }
            break;
    }
}

void RequestEngine::stepWalk(Request& r) {
    Operation& op = *r.running;
    RequestPdu pdu;
    pdu.varbinds = op.walk->nextVarbinds();
    if (op.maxRepetitions > 0) {
        pdu.type = PduType::GetBulk;
        pdu.maxRepetitions = std::max(
            1, std::min(op.maxRepetitions,
                        m_transport.bulkRepetitions(static_cast<int>(pdu.varbinds.size()))));
        op.maxRepetitions = pdu.maxRepetitions;
    } else {
        pdu.type = PduType::GetNext;
    }
    sendPdu(r, pdu);
}

void RequestEngine::onWalkAnswer(Request& r, const ResponsePdu& response, PduType sent) {
    Operation& op = *r.running;
    if (response.errorStatus == ErrorStatus::TooBig && sent == PduType::GetBulk &&
        op.maxRepetitions > 1) {
        op.maxRepetitions /= 2;
        stepWalk(r);
        return;
    }
    if (response.errorStatus == ErrorStatus::NoSuchName && sent == PduType::GetNext) {
        if (!op.walk->endColumnAtPosition(response.errorIndex - 1)) {
            finish(r, false, kMibMalformed,
                   "noSuchName at position " + std::to_string(response.errorIndex) + " of " +
                       std::to_string(op.walk->unfinishedColumns()) + " variables");
            return;
        }
    } else if (response.errorStatus != ErrorStatus::NoError) {
        finish(r, false, errorCodeForStatus(response.errorStatus),
               "table read refused: " + errorStatusName(response.errorStatus));
        return;
    } else {
        std::string why;
        if (!op.walk->consume(response.varbinds, &why)) {
            finish(r, false, kMibMalformed, why);
            return;
        }
    }
    if (op.walk->done()) {
        op.rows = op.walk->takeRows();
        finish(r, true);
    } else {
        stepWalk(r);
    }
}

void RequestEngine::sendRowGet(Request& r) {
    RequestPdu pdu;
    pdu.type = PduType::Get;
    for (auto& oid : columnOidsAt(r, &r.running->instance)) {
        pdu.varbinds.push_back({std::move(oid), Value::null()});
    }
    sendPdu(r, pdu);
}

void RequestEngine::onRowAnswer(Request& r, const ResponsePdu& response) {
    Operation& op = *r.running;
    const std::string instanceText = oidToString(op.instance);
    if (response.errorStatus == ErrorStatus::NoSuchName) {
        finish(r, false, kMibNoSuchRow, "no row at instance " + instanceText);
        return;
    }
    if (response.errorStatus != ErrorStatus::NoError) {
        finish(r, false, errorCodeForStatus(response.errorStatus),
               "row read refused: " + errorStatusName(response.errorStatus));
        return;
    }
    if (response.varbinds.size() != r.columns.size()) {
        finish(r, false, kMibMalformed,
               "answer holds " + std::to_string(response.varbinds.size()) + " variables for " +
                   std::to_string(r.columns.size()));
        return;
    }
    Row row{op.instance, std::vector<std::optional<Value>>(r.columns.size())};
    bool any = false;
    const std::vector<Oid> asked = columnOidsAt(r, &op.instance);
    for (std::size_t i = 0; i < r.columns.size(); ++i) {
        // Taken by name, not position: an agent listing them in another order
        // must not put one column's value under another.
        const auto answered = std::find_if(response.varbinds.begin(), response.varbinds.end(),
                                           [&](const VarBind& vb) { return vb.oid == asked[i]; });
        if (answered == response.varbinds.end()) {
            finish(r, false, kMibMalformed, "answer lacks " + oidToString(asked[i]));
            return;
        }
        const Value& value = answered->value;
        if (value.isException() || value.type == ValueType::Null)
            continue;
        row.values[i] = value;
        any = true;
    }
    if (!any) {
        finish(r, false, kMibNoSuchRow, "no row at instance " + instanceText);
        return;
    }
    op.rows.push_back(std::move(row));
    if (op.kind == OperationKind::Set) {
        afterSet(r);
    } else {
        finish(r, true);
    }
}

bool RequestEngine::sendSet(long h) {
    Request* r = find(h);
    if (r == nullptr)
        return false;
    auto op = std::make_unique<Operation>();
    op->kind = OperationKind::Set;
    op->staged = std::move(r->staged);
    r->staged.clear();
    op->reRead = r->reRead;
    op->updateOthers = r->updateOthers;
    op->setDelayMs = r->setDelayMs;
    op->before = std::move(r->knownBefore);
    r->knownBefore.reset();
    if (op->staged.empty()) {
        fail(*r, kMibNothingStaged, "SendSet with no value staged");
        return false;
    }
    const bool needsInstance = std::any_of(op->staged.begin(), op->staged.end(), [](const auto& s) {
        return s.variable->isColumn() && !s.instance;
    });
    if (r->scalar) {
        op->instance = {0};
    } else if (r->instance) {
        op->instance = *r->instance;
    } else if (needsInstance) {
        fail(*r, kMibNoInstance, "SendSet without an instance");
        return false;
    }
    return enqueue(*r, std::move(op));
}

std::vector<VarBind> RequestEngine::setVarbinds(const Operation& op) const {
    std::vector<VarBind> varbinds;
    for (const auto& staged : op.staged) {
        const Oid instance =
            staged.instance.value_or(staged.variable->isColumn() ? op.instance : Oid{0});
        varbinds.push_back({appended(staged.variable->oid, instance), staged.value});
    }
    return varbinds;
}

void RequestEngine::sendSetPdu(Request& r) {
    RequestPdu pdu;
    pdu.type = PduType::Set;
    pdu.varbinds = setVarbinds(*r.running);
    sendPdu(r, pdu);
}

void RequestEngine::onSetAnswer(Request& r, const ResponsePdu& response) {
    Operation& op = *r.running;
    if (response.errorStatus != ErrorStatus::NoError) {
        std::string message = "set refused: " + errorStatusName(response.errorStatus);
        const auto index = static_cast<std::size_t>(response.errorIndex);
        if (index >= 1 && index <= op.staged.size()) {
            message += " (" + op.staged[index - 1].variable->name + ")";
        }
        finish(r, false, errorCodeForStatus(response.errorStatus), std::move(message));
        return;
    }
    op.setAnswered = true;
    if (op.updateOthers)
        updateOtherRequests(r, op);
    // Scalars staged on a table request without an instance leave no row to read back.
    if (op.reRead && (r.scalar || !op.instance.empty())) {
        sendRowGet(r);
    } else {
        afterSet(r);
    }
}

void RequestEngine::afterSet(Request& r) {
    Operation& op = *r.running;
    if (op.setDelayMs <= 0) {
        finish(r, true);
        return;
    }
    const long h = r.handle;
    const std::uint64_t generation = ++r.generation;
    r.stepDeadlineMs = m_loop.now() + op.setDelayMs;
    r.delayTimer = m_loop.addTimer(op.setDelayMs, [this, h, generation] {
        Request* request = find(h);
        if (request == nullptr || request->generation != generation)
            return;
        request->delayTimer = 0;
        finish(*request, true);
    });
}

void RequestEngine::updateOtherRequests(const Request& source, const Operation& op) {
    for (auto& [h, other] : m_requests) {
        if (h == source.handle)
            continue;
        for (auto& row : other.rows) {
            for (const auto& staged : op.staged) {
                const int column = other.columnOf(staged.variable);
                const Oid instance =
                    staged.instance.value_or(staged.variable->isColumn() ? op.instance : Oid{0});
                if (column >= 0 && row.instance == instance) {
                    row.values[static_cast<std::size_t>(column)] = staged.value;
                }
            }
        }
    }
}

void RequestEngine::finish(Request& r, bool succeeded, int code, std::string message) {
    std::unique_ptr<Operation> op = std::move(r.running);
    r.ticket = 0;
    ++r.generation;
    if (!succeeded) {
        fail(r, code, std::move(message));
        if (op->kind != OperationKind::Set) {
            r.rows.clear();
            r.currentRow = -1;
        }
    } else {
        r.errorCode = 0;
        r.errorMessage.clear();
        if (op->kind == OperationKind::TableRead || op->kind == OperationKind::RowRead) {
            r.rows = std::move(op->rows);
            r.currentRow = r.rows.empty() ? -1 : 0;
        } else if (!op->rows.empty()) {
            // The row read back replaces (or joins, in index order) the rows read before.
            Row& back = op->rows.front();
            auto at =
                std::lower_bound(r.rows.begin(), r.rows.end(), back.instance,
                                 [](const Row& row, const Oid& i) { return row.instance < i; });
            if (at != r.rows.end() && at->instance == back.instance) {
                *at = std::move(back);
            } else {
                at = r.rows.insert(at, std::move(back));
            }
            r.currentRow = static_cast<int>(at - r.rows.begin());
        }
    }
    deliver(r.handle, succeeded, op->kind, op->poll, succeeded ? 0 : code);
    startNext(r);
    if (r.pollStarted && !r.isBusy())
        schedulePoll(r);
}

void RequestEngine::deliver(long h, bool succeeded, OperationKind kind, bool poll, int code) {
    std::weak_ptr<bool> alive = m_alive;
    m_loop.post([this, alive, h, succeeded, kind, poll, code] {
        if (alive.expired())
            return;
        Request* r = find(h);
        if (r == nullptr)
            return;
        r->deliveredKind = kind;
        r->deliveredPoll = poll;
        r->deliveredError = code;
        if (m_listener)
            m_listener(h, succeeded);
    });
}

int RequestEngine::rowCount(long h) const {
    const Request* r = find(h);
    return r == nullptr ? 0 : static_cast<int>(r->rows.size());
}

bool RequestEngine::gotoRow(long h, int row) {
    Request* r = find(h);
    if (r == nullptr || row < 0 || row >= static_cast<int>(r->rows.size()))
        return false;
    r->currentRow = row;
    return true;
}

int RequestEngine::currentRow(long h) const {
    const Request* r = find(h);
    return r == nullptr ? -1 : r->currentRow;
}

Oid RequestEngine::currentInstance(long h) const {
    const Request* r = find(h);
    if (r == nullptr || r->currentRow < 0 || r->currentRow >= static_cast<int>(r->rows.size()))
        return {};
    return r->rows[static_cast<std::size_t>(r->currentRow)].instance;
}

const MibVariable* RequestEngine::variableOf(long h, const std::string& name) {
    Request* r = find(h);
    if (r == nullptr)
        return nullptr;
    const MibVariable* variable = m_dictionary.find(name);
    if (variable == nullptr || r->columnOf(variable) < 0) {
        fail(*r, kMibUnknownVariable, name + " is not read by this request");
        return nullptr;
    }
    return variable;
}

int RequestEngine::columnIndex(long h, const std::string& name) const {
    const Request* r = find(h);
    const MibVariable* variable = m_dictionary.find(name);
    return r == nullptr || variable == nullptr ? -1 : r->columnOf(variable);
}

const Value* RequestEngine::valueAt(long h, int column) const {
    const Request* r = find(h);
    if (r == nullptr || column < 0 || r->currentRow < 0 ||
        r->currentRow >= static_cast<int>(r->rows.size())) {
        return nullptr;
    }
    const auto& values = r->rows[static_cast<std::size_t>(r->currentRow)].values;
    if (column >= static_cast<int>(values.size()) || !values[static_cast<std::size_t>(column)]) {
        return nullptr;
    }
    return &*values[static_cast<std::size_t>(column)];
}

const Value* RequestEngine::value(long h, const std::string& name) {
    const MibVariable* variable = variableOf(h, name);
    if (variable == nullptr)
        return nullptr;
    Request& r = *find(h);
    if (r.currentRow < 0 || r.currentRow >= static_cast<int>(r.rows.size())) {
        fail(r, kMibNoValue, "no row read");
        return nullptr;
    }
    const auto& slot = r.rows[static_cast<std::size_t>(r.currentRow)]
                           .values[static_cast<std::size_t>(r.columnOf(variable))];
    if (!slot) {
        fail(r, kMibNoValue, name + " has no value in this row");
        return nullptr;
    }
    return &*slot;
}

std::string RequestEngine::getString(long h, const std::string& name, bool raw) {
    const Value* v = value(h, name);
    if (v == nullptr)
        return {};
    const MibVariable& variable = *m_dictionary.find(name);
    FormattedValue formatted = formatValue(variable, *v, raw);
    if (formatted.error != 0) {
        fail(*find(h), formatted.error,
             name + ": agent answered " + valueTypeName(v->type) + " for its syntax");
    }
    return formatted.text;
}

long RequestEngine::getInteger(long h, const std::string& name) {
    const Value* v = value(h, name);
    if (v == nullptr)
        return 0;
    long number = 0;
    const int code = integerOfValue(*m_dictionary.find(name), *v, &number);
    if (code != 0) {
        fail(*find(h), code, name + ": " + valueTypeName(v->type) + " is not a number");
    }
    return number;
}

int RequestEngine::getOctets(long h, const std::string& name, char* buffer, int size) {
    Request* r = find(h);
    if (r == nullptr)
        return 0;
    if (buffer == nullptr || size < 0) {
        fail(*r, kMibBadArgument, "GetOctets needs a buffer and a size of 0 or more");
        return 0;
    }
    const Value* v = value(h, name);
    if (v == nullptr)
        return 0;
    if (v->type != ValueType::OctetString && v->type != ValueType::IpAddress &&
        v->type != ValueType::Opaque) {
        fail(*r, kMibWrongType, name + ": " + valueTypeName(v->type) + " holds no octets");
        return 0;
    }
    if (v->octets.size() > static_cast<std::size_t>(size)) {
        fail(*r, kMibBufferTooSmall,
             name + " holds " + std::to_string(v->octets.size()) + " octets, buffer " +
                 std::to_string(size));
        return 0;
    }
    if (!v->octets.empty())
        std::memcpy(buffer, v->octets.data(), v->octets.size());
    return static_cast<int>(v->octets.size());
}

template <class Convert>
bool RequestEngine::stage(long h, const std::string& name, const std::string& shown,
                          Convert convert, std::optional<Oid> instance) {
    Request* r = find(h);
    if (r == nullptr)
        return false;
    const MibVariable* variable = m_dictionary.find(name);
    if (variable == nullptr) {
        fail(*r, kMibUnknownVariable, "unknown variable " + name);
        return false;
    }
    if (!variable->isWritable()) {
        fail(*r, kMibNotWritable, name + " is not writable");
        return false;
    }
    Value value;
    if (convert(*variable, &value) != 0) {
        fail(*r, kMibBadValue, shown + " does not fit " + name);
        return false;
    }
    std::erase_if(r->staged, [&](const StagedValue& s) {
        return s.variable == variable && s.instance == instance;
    });
    r->staged.push_back({variable, std::move(value), std::move(instance)});
    return true;
}

bool RequestEngine::setInteger(long h, const std::string& name, long number) {
    return stage(h, name, std::to_string(number), [&](const MibVariable& variable, Value* value) {
        return valueFromInteger(variable, number, value);
    });
}

bool RequestEngine::setString(long h, const std::string& name, const std::string& text) {
    return stage(h, name, "\"" + text + "\"", [&](const MibVariable& variable, Value* value) {
        return valueFromText(variable, text, value);
    });
}

bool RequestEngine::setIntegerAt(long h, const std::vector<std::uint32_t>& instance,
                                 const std::string& name, long number) {
    return stage(
        h, name, std::to_string(number),
        [&](const MibVariable& variable, Value* value) {
            return valueFromInteger(variable, number, value);
        },
        Oid(instance.begin(), instance.end()));
}

bool RequestEngine::stageValue(long h, const std::string& name, const Value& value) {
    return stage(h, name, valueTypeName(value.type), [&](const MibVariable& variable, Value* out) {
        if (!isValueOfSyntax(variable.syntax, value)) {
            return static_cast<int>(kMibBadValue);
        }
        *out = value;
        return 0;
    });
}

int RequestEngine::stagedCount(long h) const {
    const Request* r = find(h);
    return r == nullptr ? 0 : static_cast<int>(r->staged.size());
}

bool RequestEngine::setReRead(long h, bool on) {
    return change(h, [&](Request& r) { r.reRead = on; });
}

bool RequestEngine::setUpdateOthers(long h, bool on) {
    return change(h, [&](Request& r) { r.updateOthers = on; });
}

bool RequestEngine::setSetDelay(long h, int milliseconds) {
    Request* r = find(h);
    if (r == nullptr)
        return false;
    if (milliseconds < 0) {
        fail(*r, kMibBadArgument, "negative set delay");
        return false;
    }
    r->setDelayMs = milliseconds;
    return true;
}

bool RequestEngine::setPolling(long h, int periods, bool on) {
    Request* r = find(h);
    if (r == nullptr)
        return false;
    r->pollPeriods = std::max(1, periods);
    return on ? startPolling(h, false) : stopPolling(h);
}

bool RequestEngine::startPolling(long h, bool immediate) {
    Request* r = find(h);
    if (r == nullptr)
        return false;
    r->pollStarted = true;
    if (r->isBusy())
        return true;  // the running operation's end schedules the next reading
    if (immediate) {
        onPollTimer(h);
    } else {
        schedulePoll(*r);
    }
    return true;
}

bool RequestEngine::stopPolling(long h) {
    Request* r = find(h);
    if (r == nullptr)
        return false;
    r->pollStarted = false;
    m_loop.cancelTimer(r->pollTimer);
    r->pollTimer = 0;
    return true;
}

bool RequestEngine::isPolling(long h) const {
    const Request* r = find(h);
    return r != nullptr && r->pollStarted;
}

void RequestEngine::schedulePoll(Request& r) {
    m_loop.cancelTimer(r.pollTimer);
    const long h = r.handle;
    std::weak_ptr<bool> alive = m_alive;
    r.pollTimer = m_loop.addTimer(m_settings.pollingPeriodMs * r.pollPeriods, [this, alive, h] {
        if (alive.expired())
            return;
        Request* request = find(h);
        if (request == nullptr)
            return;
        request->pollTimer = 0;
        onPollTimer(h);
    });
}

void RequestEngine::onPollTimer(long h) {
    Request* r = find(h);
    if (r == nullptr || !r->pollStarted || r->isBusy())
        return;
    OperationKind kind = r->lastRead;
    if (kind == OperationKind::RowRead && !r->scalar && !r->instance) {
        kind = OperationKind::TableRead;
    }
    enqueue(*r, makeRead(*r, kind, true));
}

bool RequestEngine::completedSet(long h) const {
    return read(h, false, [](const Request& r) { return r.deliveredKind == OperationKind::Set; });
}

bool RequestEngine::completedPolledRead(long h) const {
    return read(h, false, [](const Request& r) { return r.deliveredPoll; });
}

int RequestEngine::completedError(long h) const {
    const Request* r = find(h);
    return r == nullptr ? kMibNoSuchRequest : r->deliveredError;
}

std::optional<std::int64_t> RequestEngine::pendingDeadline() const {
    std::optional<std::int64_t> latest;
    for (const auto& [h, r] : m_requests) {
        if (!r.isBusy())
            continue;
        // A step not yet started (queued, or between the steps of a walk) may take a full
        // timeout x tries from now.
        const std::int64_t perStep = static_cast<std::int64_t>(std::max(0, r.timeoutSeconds)) *
                                     (std::max(0, r.retries) + 1) * 1000;
        std::int64_t end = r.running && r.ticket != 0 ? r.stepDeadlineMs : m_loop.now() + perStep;
        if (r.running && r.delayTimer != 0)
            end = r.stepDeadlineMs;
        end += perStep * static_cast<std::int64_t>(r.waiting.size());
        latest = std::max(latest.value_or(end), end);
    }
    return latest;
}

bool RequestEngine::setTag(long h, long tag) {
    return change(h, [&](Request& r) { r.tag = tag; });
}

long RequestEngine::tag(long h) const {
    return read(h, 0L, [](const Request& r) { return r.tag; });
}

bool RequestEngine::setTimeout(long h, int seconds) {
    return seconds >= 0 && change(h, [&](Request& r) { r.timeoutSeconds = seconds; });
}

int RequestEngine::timeout(long h) const {
    return read(h, 0, [](const Request& r) { return r.timeoutSeconds; });
}

bool RequestEngine::setRetries(long h, int retries) {
    return retries >= 0 && change(h, [&](Request& r) { r.retries = retries; });
}

int RequestEngine::retries(long h) const {
    return read(h, 0, [](const Request& r) { return r.retries; });
}

int RequestEngine::errorCode(long h) const {
    const Request* r = find(h);
    return r == nullptr ? kMibNoSuchRequest : r->errorCode;
}

std::string RequestEngine::errorText(long h) const {
    const Request* r = find(h);
    const std::string agent =
        m_settings.agentName.empty() ? m_transport.describe() : m_settings.agentName;
    if (r == nullptr)
        return agent + ": " + errorCodeText(kMibNoSuchRequest);
    if (r->errorCode == 0)
        return {};
    std::string text = agent + ": " + errorCodeText(r->errorCode);
    if (!r->errorMessage.empty())
        text += ": " + r->errorMessage;
    return text;
}

}  // namespace mib
