#pragma once
// SNMP values at the protocol level, shared by the request engine, the
// transports and the simulated switch.

#include <compare>
#include <cstdint>
#include <string>
#include <vector>

namespace mib {

using Oid = std::vector<std::uint32_t>;

std::string oidToString(const Oid& oid);           // "1.3.6.1.2.1.1.5.0"
bool parseOid(const std::string& text, Oid* out);  // false on malformed text
bool oidStartsWith(const Oid& oid, const Oid& prefix);

enum class ValueType {
    Null,
    Integer,      // INTEGER / Integer32 / enumerations
    OctetString,  // also DisplayString, MacAddress, PhysAddress
    ObjectId,
    IpAddress,  // 4 octets in `octets`
    Counter32,
    Gauge32,
    TimeTicks,
    Counter64,
    Opaque,
    NoSuchObject,  // exceptions of RFC 3416
    NoSuchInstance,
    EndOfMibView,
};

struct Value {
    ValueType type = ValueType::Null;
    std::int64_t integer = 0;  // Integer (signed 32), Counter32/Gauge32/TimeTicks (unsigned 32)
    std::uint64_t counter64 = 0;
    std::string octets;  // OctetString, IpAddress, Opaque
    Oid oid;             // ObjectId

    static Value null() { return {}; }
    static Value makeInteger(std::int64_t v) { return Value{ValueType::Integer, v, 0, {}, {}}; }
    static Value makeString(std::string s) {
        return Value{ValueType::OctetString, 0, 0, std::move(s), {}};
    }
    static Value makeCounter32(std::uint32_t v) {
        return Value{ValueType::Counter32, v, 0, {}, {}};
    }
    static Value makeGauge32(std::uint32_t v) { return Value{ValueType::Gauge32, v, 0, {}, {}}; }
    static Value makeTimeTicks(std::uint32_t v) {
        return Value{ValueType::TimeTicks, v, 0, {}, {}};
    }
    static Value makeCounter64(std::uint64_t v) {
        return Value{ValueType::Counter64, 0, v, {}, {}};
    }
    static Value makeIpAddress(std::uint8_t a, std::uint8_t b, std::uint8_t c, std::uint8_t d) {
        return Value{
            ValueType::IpAddress, 0, 0, std::string{char(a), char(b), char(c), char(d)}, {}};
    }
    static Value makeOid(Oid o) { return Value{ValueType::ObjectId, 0, 0, {}, std::move(o)}; }
    static Value exception(ValueType t) { return Value{t, 0, 0, {}, {}}; }

    bool isException() const {
        return type == ValueType::NoSuchObject || type == ValueType::NoSuchInstance ||
               type == ValueType::EndOfMibView;
    }
    bool operator==(const Value&) const = default;
};

std::string valueTypeName(ValueType t);

struct VarBind {
    Oid oid;
    Value value;
    bool operator==(const VarBind&) const = default;
};

enum class PduType { Get, GetNext, GetBulk, Set };

struct RequestPdu {
    PduType type = PduType::Get;
    std::vector<VarBind> varbinds;  // values are Null except for Set
    int nonRepeaters = 0;           // GetBulk only
    int maxRepetitions = 0;         // GetBulk only
};

// SNMP error-status values (RFC 3416).
enum class ErrorStatus : int {
    NoError = 0,
    TooBig = 1,
    NoSuchName = 2,
    BadValue = 3,
    ReadOnly = 4,
    GenErr = 5,
    NoAccess = 6,
    WrongType = 7,
    WrongLength = 8,
    WrongEncoding = 9,
    WrongValue = 10,
    NoCreation = 11,
    InconsistentValue = 12,
    ResourceUnavailable = 13,
    CommitFailed = 14,
    UndoFailed = 15,
    AuthorizationError = 16,
    NotWritable = 17,
    InconsistentName = 18,
};

std::string errorStatusName(ErrorStatus s);

struct ResponsePdu {
    ErrorStatus errorStatus = ErrorStatus::NoError;
    int errorIndex = 0;  // 1-based varbind index, 0 when none
    std::vector<VarBind> varbinds;
};

}  // namespace mib
