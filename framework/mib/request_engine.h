#pragma once
// The request engine: requests by handle over one Transport. Reads and sets
// run asynchronously and complete through the listener, always posted on
// the event loop, never inside the call that started them. A released
// request or a destroyed engine never calls back.

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "framework/afx/event_loop.h"
#include "framework/mib/change_journal.h"
#include "framework/mib/mib_dictionary.h"
#include "framework/mib/mib_trace.h"
#include "framework/mib/request.h"
#include "framework/mib/transport.h"

namespace mib {

struct EngineSettings {
    int timeoutSeconds = 5;  // default of new requests
    int retries = 1;         // default of new requests
    std::int64_t pollingPeriodMs = 5000;
    std::string agentName;  // for messages
};

class RequestEngine {
public:
    using Listener = std::function<void(long handle, bool succeeded)>;

    RequestEngine(const MibDictionary& dictionary, Transport& transport, afx::EventLoop& loop,
                  EngineSettings settings = {}, MibTrace* trace = nullptr);
    ~RequestEngine();
    RequestEngine(const RequestEngine&) = delete;
    RequestEngine& operator=(const RequestEngine&) = delete;

    void setListener(Listener listener) { m_listener = std::move(listener); }
    EngineSettings& settings() { return m_settings; }
    // Every set is journaled there, its values before read just before it; none (the
    // default): no journal and no read before. source: who sends the sets.
    void setJournal(std::shared_ptr<ChangeJournal> journal, ChangeSource source);
    const MibDictionary& dictionary() const { return m_dictionary; }

    // 0 when a name or the table is unknown; lastOpenError() tells why.
    long open(const std::string& table, const std::vector<std::string>& names);
    void release(long h);
    bool isOpen(long h) const { return m_requests.count(h) != 0; }

    bool setReload(long h, bool reload);
    bool setInstance(long h, const std::vector<std::uint32_t>& instance);
    bool setRowIndex(long h, const std::vector<std::string>& texts);

    bool requestTable(long h);
    bool requestRow(long h);
    bool isPending(long h) const;

    int rowCount(long h) const;
    bool gotoRow(long h, int row);
    int currentRow(long h) const;
    // The instance of the current row; empty when there is none.
    Oid currentInstance(long h) const;
    // The current row's value of name; nullptr (and the request's error set)
    // when the name is not read by the request or the row lacks it.
    const Value* value(long h, const std::string& name);
    const MibVariable* variableOf(long h, const std::string& name);
    // For pages that walk many rows: the position of name among the request's
    // variables (-1 when it does not read it), looked up once, and the current
    // row's value at that position (nullptr when the row lacks it). No error is set.
    int columnIndex(long h, const std::string& name) const;
    const Value* valueAt(long h, int column) const;
    std::string getString(long h, const std::string& name, bool raw = false);
    long getInteger(long h, const std::string& name);
    // Copies the octets of name; byte count, 0 when invalid; never writes past size.
    int getOctets(long h, const std::string& name, char* buffer, int size);

    bool setInteger(long h, const std::string& name, long number);
    bool setString(long h, const std::string& name, const std::string& text);
    // Stages name = number for the row at instance, whatever the request's instance is, so
    // that rows of several tables are created or deleted by one SET, all or none.
    bool setIntegerAt(long h, const std::vector<std::uint32_t>& instance, const std::string& name,
                      long number);
    bool setReRead(long h, bool on);
    bool setUpdateOthers(long h, bool on);
    bool setSetDelay(long h, int milliseconds);
    bool sendSet(long h);
    int stagedCount(long h) const;
    // The varbinds the next sendSet(h) would send (empty when it could not start).
    std::vector<VarBind> stagedVarbinds(long h) const;
    // Stages a value as it is, for values read from the switch or the journal.
    bool stageValue(long h, const std::string& name, const Value& value);
    // Values before the next set of h, in staged order, already read (preview, undo): the
    // journal then reads none.
    bool setKnownBefore(long h, std::vector<std::optional<Value>> before);
    // The next set of h will not be sent: its staged values go, the request's error says why.
    void dropSet(long h, int code, std::string message);
    // Expires when the engine goes (a nested loop may destroy its owner).
    std::weak_ptr<bool> lifeToken() const { return m_alive; }
    // GETs oids now, running the loop until the answer (or the request's timeout and
    // retries) has passed; nullopt and *error without an answer.
    std::optional<ResponsePdu> readNow(long h, const std::vector<Oid>& oids, std::string* error);

    bool setPolling(long h, int periods, bool on);
    bool startPolling(long h, bool immediate);
    bool stopPolling(long h);
    bool isPolling(long h) const;

    // Of the completion of h being delivered, or the last one delivered.
    bool completedSet(long h) const;
    bool completedPolledRead(long h) const;
    int completedError(long h) const;

    // The latest time (loop clock, ms) by which every operation now running or waiting
    // ends, each step bounded by its request's timeout x tries; nullopt when none is.
    std::optional<std::int64_t> pendingDeadline() const;

    bool setTag(long h, long tag);
    long tag(long h) const;
    bool setTimeout(long h, int seconds);
    int timeout(long h) const;
    bool setRetries(long h, int retries);
    int retries(long h) const;

    int errorCode(long h) const;
    std::string errorText(long h) const;  // "<agent>: <cause>: <detail>"
    int lastOpenError() const { return m_openError; }
    const std::string& lastOpenMessage() const { return m_openMessage; }

    // Answers, time-outs and failures the transport has delivered so far: a waiter sees a
    // long walk progress.
    std::uint64_t resultsReceived() const { return m_resultsReceived; }

    // Handles of the open requests (for tests and the trace).
    std::vector<long> handles() const;

private:
    Request* find(long h);
    const Request* find(long h) const;
    // Runs apply on request h; false when h is not open.
    template <class Apply>
    bool change(long h, Apply apply) {
        Request* r = find(h);
        if (r == nullptr)
            return false;
        apply(*r);
        return true;
    }
    // What get reads from request h, or fallback when h is not open.
    template <class T, class Get>
    T read(long h, T fallback, Get get) const {
        const Request* r = find(h);
        return r == nullptr ? fallback : get(*r);
    }
    // The value convert makes for the writable variable name, staged on request h; shown
    // names the operator's value in the failure when it does not fit.
    template <class Convert>
    bool stage(long h, const std::string& name, const std::string& shown, Convert convert,
               std::optional<Oid> instance = std::nullopt);
    void fail(Request& r, int code, std::string message);
    bool enqueue(Request& r, std::unique_ptr<Operation> op);
    std::unique_ptr<Operation> makeRead(Request& r, OperationKind kind, bool poll);
    void startNext(Request& r);
    void sendPdu(Request& r, const RequestPdu& pdu);
    void onResult(long h, std::uint64_t generation, const TransportResult& result);
    void stepWalk(Request& r);
    void onWalkAnswer(Request& r, const ResponsePdu& response, PduType sent);
    void sendRowGet(Request& r);
    void onRowAnswer(Request& r, const ResponsePdu& response);
    void startSet(Request& r);
    void readBefore(Request& r);
    void onBeforeAnswer(Request& r, const ResponsePdu& response);
    void journalAndSend(Request& r);
    void journalOutcome(Request& r, const TransportResult& result);
    std::vector<VarBind> setVarbinds(const Operation& op) const;
    void sendSetPdu(Request& r);
    void onSetAnswer(Request& r, const ResponsePdu& response);
    void afterSet(Request& r);
    void finish(Request& r, bool succeeded, int code = 0, std::string message = {});
    void deliver(long h, bool succeeded, OperationKind kind, bool poll, int code);
    void updateOtherRequests(const Request& source, const Operation& op);
    void schedulePoll(Request& r);
    void onPollTimer(long h);
    std::vector<Oid> columnOidsAt(const Request& r, const Oid* instance) const;
    void tracePdu(const char* direction, const RequestPdu& pdu);

    const MibDictionary& m_dictionary;
    Transport& m_transport;
    afx::EventLoop& m_loop;
    EngineSettings m_settings;
    MibTrace* m_trace;
    Listener m_listener;
    std::shared_ptr<ChangeJournal> m_journal;
    ChangeSource m_source;
    std::map<long, Request> m_requests;
    long m_nextHandle = 1;
    int m_openError = 0;
    std::string m_openMessage;
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
    std::uint64_t m_resultsReceived = 0;
};

}  // namespace mib
