#pragma once
// The component's error codes: positive codes are the agent's SNMP error
// status as it answered; negative codes are failures found on this side.

#include <string>

#include "framework/mib/snmp_types.h"
#include "framework/mib/transport.h"

namespace mib {

enum MibErrorCode : int {
    kMibOk = 0,
    kMibNoSuchRequest = -1,    // handle not open
    kMibUnknownVariable = -2,  // name not in the dictionary or not in the request
    kMibBadIndex = -3,         // an index text that does not fit its index object's syntax
    kMibBadValue = -4,         // a value to set that does not fit the variable's syntax or size
    kMibWrongType = -5,        // the agent answered a value of another type than the syntax
    kMibBadArgument = -6,      // negative count, null buffer, row out of range
    kMibNoResponse = -7,       // no answer after timeout x (retries + 1)
    kMibSendFailed = -8,
    kMibAuthFailed = -9,
    kMibMalformed = -10,   // an answer that cannot be used (undecodable, out of order)
    kMibNoSuchRow = -11,   // the agent has none of the row's variables at that instance
    kMibNoInstance = -12,  // a row read or set on a table request without an instance
    kMibNothingStaged = -13,
    kMibNotWritable = -14,
    kMibNoValue = -15,  // the row holds no value for that variable
    kMibBufferTooSmall = -16,
    kMibUnknownTable = -17,
    kMibNotJournaled = -18,  // the change journal could not take the change: nothing sent
    kMibDeclined = -19,      // the operator answered No to the preview: nothing sent
};

// Code for an agent's error status (its number) or a transport outcome.
int errorCodeForStatus(ErrorStatus status);
int errorCodeForOutcome(TransportOutcome outcome);

// Short cause for messages: "no response", "agent error wrongValue".
std::string errorCodeText(int code);

}  // namespace mib
