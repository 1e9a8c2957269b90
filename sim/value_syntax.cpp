#include "sim/value_syntax.h"

#include <charconv>

namespace sim {

mib::ValueType valueTypeFor(mib::Syntax syntax) {
    switch (syntax) {
        case mib::Syntax::Integer:
        case mib::Syntax::Enumeration:
            return mib::ValueType::Integer;
        case mib::Syntax::DisplayString:
        case mib::Syntax::OctetString:
        case mib::Syntax::MacAddress:
            return mib::ValueType::OctetString;
        case mib::Syntax::IpAddress:
            return mib::ValueType::IpAddress;
        case mib::Syntax::Counter32:
            return mib::ValueType::Counter32;
        case mib::Syntax::Gauge32:
            return mib::ValueType::Gauge32;
        case mib::Syntax::TimeTicks:
            return mib::ValueType::TimeTicks;
        case mib::Syntax::Counter64:
            return mib::ValueType::Counter64;
        case mib::Syntax::ObjectIdentifier:
            return mib::ValueType::ObjectId;
    }
    return mib::ValueType::Null;
}

std::optional<mib::Value> valueFromNumber(mib::Syntax syntax, std::int64_t number) {
    mib::Value value;
    value.type = valueTypeFor(syntax);
    switch (value.type) {
        case mib::ValueType::Integer:
            value.integer = number;
            return value;
        case mib::ValueType::Counter32:
        case mib::ValueType::Gauge32:
        case mib::ValueType::TimeTicks:
            if (number < 0 || number > 0xFFFFFFFFLL) {
                return std::nullopt;
            }
            value.integer = number;
            return value;
        case mib::ValueType::Counter64:
            value.counter64 = static_cast<std::uint64_t>(number);
            return value;
        case mib::ValueType::OctetString:
            if (syntax != mib::Syntax::DisplayString) {
                return std::nullopt;
            }
            value.octets = std::to_string(number);
            return value;
        default:
            return std::nullopt;
    }
}

std::optional<mib::Value> valueFromText(mib::Syntax syntax, const std::string& text) {
    mib::Value value;
    value.type = valueTypeFor(syntax);
    switch (value.type) {
        case mib::ValueType::OctetString:
            if (syntax == mib::Syntax::MacAddress && text.size() != 6) {
                return std::nullopt;
            }
            value.octets = text;
            return value;
        case mib::ValueType::IpAddress:
            if (text.size() != 4) {
                return std::nullopt;
            }
            value.octets = text;
            return value;
        case mib::ValueType::Integer: {
            std::int64_t number = 0;
            auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), number);
            if (ec != std::errc() || end != text.data() + text.size()) {
                return std::nullopt;
            }
            value.integer = number;
            return value;
        }
        default:
            return std::nullopt;
    }
}

}  // namespace sim
