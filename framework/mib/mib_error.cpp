#include "framework/mib/mib_error.h"

namespace mib {

int errorCodeForStatus(ErrorStatus status) {
    return static_cast<int>(status);
}

int errorCodeForOutcome(TransportOutcome outcome) {
    switch (outcome) {
        case TransportOutcome::Response:
            return kMibOk;
        case TransportOutcome::Timeout:
            return kMibNoResponse;
        case TransportOutcome::SendFailed:
        case TransportOutcome::Cancelled:
            return kMibSendFailed;
        case TransportOutcome::AuthFailed:
            return kMibAuthFailed;
        case TransportOutcome::Malformed:
            return kMibMalformed;
    }
    return kMibMalformed;
}

std::string errorCodeText(int code) {
    if (code > 0) {
        return "agent error " + errorStatusName(static_cast<ErrorStatus>(code));
    }
    switch (code) {
        case kMibOk:
            return "no error";
        case kMibNoSuchRequest:
            return "request not open";
        case kMibUnknownVariable:
            return "unknown variable";
        case kMibBadIndex:
            return "index does not fit its syntax";
        case kMibBadValue:
            return "value does not fit the variable";
        case kMibWrongType:
            return "agent answered a value of the wrong type";
        case kMibBadArgument:
            return "bad argument";
        case kMibNoResponse:
            return "no response";
        case kMibSendFailed:
            return "request could not be sent";
        case kMibAuthFailed:
            return "authentication failed";
        case kMibMalformed:
            return "unusable answer";
        case kMibNoSuchRow:
            return "no such row";
        case kMibNoInstance:
            return "no instance chosen";
        case kMibNothingStaged:
            return "nothing to set";
        case kMibNotWritable:
            return "variable is not writable";
        case kMibNoValue:
            return "no value";
        case kMibBufferTooSmall:
            return "value larger than the buffer";
        case kMibUnknownTable:
            return "unknown table or group";
        case kMibNotJournaled:
            return "change not journaled, not sent";
        case kMibDeclined:
            return "change declined in preview, not sent";
        default:
            return "error " + std::to_string(code);
    }
}

}  // namespace mib
