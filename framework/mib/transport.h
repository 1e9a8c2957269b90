#pragma once
// The PDU-level road between the request engine and a switch: the in-process
// simulated switch or an SNMP agent over the wire.

#include <cstdint>
#include <functional>
#include <string>

#include "framework/mib/snmp_types.h"

namespace mib {

// Anything that answers PDUs at once: the simulated switch's agent.
class PduHandler {
public:
    virtual ~PduHandler() = default;
    virtual ResponsePdu handle(const RequestPdu& request) = 0;
    // False while the agent would not answer at all (a renegotiating port,
    // an injected outage): transports then drop the request as lost.
    virtual bool answersNow() const { return true; }
    // Above 0 while the agent takes no request in but will again after that
    // many milliseconds (a switch busy renegotiating): a request sent meanwhile
    // waits and is answered then, if its sender still waits for it.
    virtual std::int64_t busyForMs() const { return 0; }
};

struct SendOptions {
    int timeoutSeconds = 5;  // per try
    int retries = 1;         // tries after the first
};

enum class TransportOutcome {
    Response,    // the agent answered (response.errorStatus may still be an error)
    Timeout,     // no answer after all tries
    SendFailed,  // could not be sent (no route, socket error, bad address)
    AuthFailed,  // SNMPv3 authentication / privacy failure, unknown user
    Malformed,   // an answer that could not be decoded
    Cancelled,   // never delivered: cancel() prevents the callback
};

struct TransportResult {
    TransportOutcome outcome = TransportOutcome::Response;
    ResponsePdu response;
    std::string message;  // human-readable cause for every outcome but Response
};

class Transport {
public:
    using Ticket = std::uint64_t;
    using Completion = std::function<void(const TransportResult&)>;

    virtual ~Transport() = default;

    // Sends request; done is called exactly once, later, from the event loop,
    // never from inside send(). Returns 0 when the request could not even be
    // queued (done is then not called).
    virtual Ticket send(const RequestPdu& request, const SendOptions& options, Completion done) = 0;
    // After cancel(t) the completion of t is never called.
    virtual void cancel(Ticket ticket) = 0;
    // Largest GETBULK max-repetitions worth asking for with `columns` varbinds
    // per row (fills a PDU without tooBig); 0 when the transport has no GETBULK (SNMPv1).
    virtual int bulkRepetitions(int columns) const = 0;
    // Short name for messages: "simulated switch", "udp:127.0.0.1:16100".
    virtual std::string describe() const = 0;
    // Requests sent whose completion has not been called yet (nor cancelled).
    virtual std::size_t pendingCount() const = 0;
};

}  // namespace mib
