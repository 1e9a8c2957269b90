#pragma once
// One open request of the engine: what it reads, what it has read, what is
// staged for the next set, its flags, its last error and what is in flight.

#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "framework/afx/event_loop.h"
#include "framework/mib/mib_dictionary.h"
#include "framework/mib/table_walk.h"
#include "framework/mib/transport.h"

namespace mib {

struct StagedValue {
    const MibVariable* variable;
    Value value;
    // The row of a value staged for a row of its own (setIntegerAt); empty: the set's instance.
    std::optional<Oid> instance;
};

enum class OperationKind { TableRead, RowRead, Set };

// A read or set as it was asked for: instance, values and flags are taken
// when it is started, so later calls on the request do not change it.
struct Operation {
    OperationKind kind = OperationKind::TableRead;
    Oid instance;
    std::vector<StagedValue> staged;
    bool reRead = true;
    bool updateOthers = false;
    int setDelayMs = 0;
    bool poll = false;
    // progress
    std::unique_ptr<TableWalk> walk;
    int maxRepetitions = 0;
    bool setAnswered = false;
    std::vector<Row> rows;
    // journal
    bool readingBefore = false;
    std::optional<std::vector<std::optional<Value>>> before;  // in staged order
    std::string beforeNote;
    long journalId = 0;
};

struct Request {
    long handle = 0;
    std::string table;  // as opened; may be ""
    std::vector<const MibVariable*> columns;
    bool scalar = false;  // scalars only: instance .0
    std::vector<std::string> indexObjects;

    std::optional<Oid> instance;
    std::vector<Row> rows;
    int currentRow = -1;
    std::vector<StagedValue> staged;
    std::optional<std::vector<std::optional<Value>>> knownBefore;  // for the next set

    bool reload = false;
    bool reRead = true;
    bool updateOthers = false;
    int setDelayMs = 0;
    long tag = 0;
    int timeoutSeconds = 5;
    int retries = 1;

    int pollPeriods = 1;  // in polling periods of the agent
    bool pollStarted = false;
    afx::EventLoop::TimerId pollTimer = 0;
    OperationKind lastRead = OperationKind::TableRead;

    int errorCode = 0;
    std::string errorMessage;

    // The completion being delivered (or the last one): owners tell a set from a read, and
    // a polled reading from one they asked for.
    OperationKind deliveredKind = OperationKind::TableRead;
    bool deliveredPoll = false;
    // Its error code: the request's own may be overwritten by an accessor before delivery.
    int deliveredError = 0;
    // When the running operation's current step (a PDU's tries, a set delay) ends at the latest.
    std::int64_t stepDeadlineMs = 0;

    // What runs now and what waits behind it; each completes once, in order.
    std::unique_ptr<Operation> running;
    std::deque<std::unique_ptr<Operation>> waiting;
    Transport::Ticket ticket = 0;
    afx::EventLoop::TimerId delayTimer = 0;
    std::uint64_t generation = 0;  // step of the running operation, to drop stale answers

    bool isBusy() const { return running != nullptr || !waiting.empty(); }
    int columnOf(const MibVariable* variable) const;
};

}  // namespace mib
