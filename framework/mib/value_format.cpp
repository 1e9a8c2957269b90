#include "framework/mib/value_format.h"

#include <cctype>
#include <cstdio>
#include <limits>

#include "framework/mib/mib_error.h"

namespace mib {

namespace {

constexpr std::uint64_t kMax32 = std::numeric_limits<std::uint32_t>::max();

int hexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool isNumericType(ValueType t) {
    return t == ValueType::Integer || t == ValueType::Counter32 || t == ValueType::Gauge32 ||
           t == ValueType::TimeTicks || t == ValueType::Counter64;
}

std::int64_t numberOf(const Value& value) {
    return value.type == ValueType::Counter64 ? static_cast<std::int64_t>(value.counter64)
                                              : value.integer;
}

bool sizeFits(const MibVariable& variable, std::size_t size) {
    if (variable.maxSize > 0 && size > static_cast<std::size_t>(variable.maxSize))
        return false;
    return size >= static_cast<std::size_t>(variable.minSize);
}

}  // namespace

bool isStringSyntax(Syntax syntax) {
    return syntax == Syntax::DisplayString || syntax == Syntax::OctetString ||
           syntax == Syntax::MacAddress;
}

bool isValueOfSyntax(Syntax syntax, const Value& value) {
    switch (syntax) {
        case Syntax::Integer:
        case Syntax::Enumeration:
        case Syntax::Counter32:
        case Syntax::Gauge32:
        case Syntax::TimeTicks:
        case Syntax::Counter64:
            return isNumericType(value.type);
        case Syntax::DisplayString:
        case Syntax::OctetString:
            return value.type == ValueType::OctetString || value.type == ValueType::Opaque;
        case Syntax::MacAddress:
            return value.type == ValueType::OctetString && value.octets.size() == 6;
        case Syntax::IpAddress:
            return (value.type == ValueType::IpAddress || value.type == ValueType::OctetString) &&
                   value.octets.size() == 4;
        case Syntax::ObjectIdentifier:
            return value.type == ValueType::ObjectId;
    }
    return false;
}

std::string formatMac(std::string_view octets) {
    std::string text;
    char buf[4];
    for (std::size_t i = 0; i < octets.size(); ++i) {
        std::snprintf(buf, sizeof buf, "%02X", static_cast<unsigned char>(octets[i]));
        if (i > 0)
            text += ':';
        text += buf;
    }
    return text;
}

bool parseMac(std::string_view text, std::string* octets) {
    std::string out;
    if (!parseHex(text, &out) || out.size() != 6)
        return false;
    // Separators, if any, must sit between every pair: "00:A0:..." or "00-A0-...".
    if (text.size() != 12 && text.size() != 17)
        return false;
    if (text.size() == 17) {
        for (std::size_t i = 2; i < 17; i += 3) {
            if (text[i] != ':' && text[i] != '-')
                return false;
        }
    }
    *octets = std::move(out);
    return true;
}

std::string formatHex(std::string_view octets) {
    std::string text;
    char buf[4];
    for (std::size_t i = 0; i < octets.size(); ++i) {
        std::snprintf(buf, sizeof buf, "%02X", static_cast<unsigned char>(octets[i]));
        if (i > 0)
            text += ' ';
        text += buf;
    }
    return text;
}

bool parseHex(std::string_view text, std::string* octets) {
    std::string out;
    int high = -1;
    for (char c : text) {
        if (c == ' ' || c == ':' || c == '-') {
            if (high >= 0)
                return false;  // a lone digit
            continue;
        }
        const int d = hexDigit(c);
        if (d < 0)
            return false;
        if (high < 0) {
            high = d;
        } else {
            out += static_cast<char>(high * 16 + d);
            high = -1;
        }
    }
    if (high >= 0)
        return false;
    *octets = std::move(out);
    return true;
}

std::string formatTimeTicks(std::uint32_t hundredths) {
    const std::uint32_t days = hundredths / 8640000;
    const std::uint32_t rest = hundredths % 8640000;
    char buf[64];
    std::snprintf(buf, sizeof buf, "%02u:%02u:%02u.%02u", rest / 360000, rest / 6000 % 60,
                  rest / 100 % 60, rest % 100);
    if (days == 0)
        return buf;
    return std::to_string(days) + (days == 1 ? " day, " : " days, ") + buf;
}

bool parseTimeTicks(std::string_view text, std::uint32_t* hundredths) {
    std::uint64_t days = 0;
    if (const auto comma = text.find(", "); comma != std::string_view::npos) {
        const std::string_view head = text.substr(0, comma);
        const auto blank = head.find(' ');
        if (blank == std::string_view::npos ||
            (head.substr(blank) != " day" && head.substr(blank) != " days") ||
            !parseUnsigned(head.substr(0, blank), kMax32 / 8640000, &days))
            return false;
        text.remove_prefix(comma + 2);
    }
    // HH:MM:SS.cc, each field of two digits.
    if (text.size() != 11 || text[2] != ':' || text[5] != ':' || text[8] != '.')
        return false;
    const std::uint64_t limits[] = {23, 59, 59, 99};
    std::uint64_t fields[4] = {};
    for (int i = 0; i < 4; ++i) {
        const std::string_view field = text.substr(static_cast<std::size_t>(i) * 3, 2);
        if (!parseUnsigned(field, limits[i], &fields[i]))
            return false;
    }
    const std::uint64_t total =
        days * 8640000 + fields[0] * 360000 + fields[1] * 6000 + fields[2] * 100 + fields[3];
    if (total > kMax32)
        return false;
    *hundredths = static_cast<std::uint32_t>(total);
    return true;
}

bool parseIpAddress(std::string_view text, std::string* octets) {
    std::string out;
    std::size_t start = 0;
    for (int part = 0; part < 4; ++part) {
        const std::size_t dot = part < 3 ? text.find('.', start) : text.size();
        if (dot == std::string_view::npos)
            return false;
        std::uint64_t n = 0;
        if (!parseUnsigned(text.substr(start, dot - start), 255, &n))
            return false;
        out += static_cast<char>(n);
        start = dot + 1;
    }
    *octets = std::move(out);
    return true;
}

bool parseUnsigned(std::string_view text, std::uint64_t max, std::uint64_t* out) {
    if (text.empty() || text.size() > 20)
        return false;
    std::uint64_t n = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
        const std::uint64_t digit = static_cast<std::uint64_t>(c - '0');
        if (n > (max - digit) / 10)
            return false;
        n = n * 10 + digit;
    }
    *out = n;
    return true;
}

bool parseSigned(std::string_view text, std::int64_t min, std::int64_t max, std::int64_t* out) {
    const bool negative = !text.empty() && text.front() == '-';
    std::uint64_t magnitude = 0;
    const std::uint64_t limit =
        negative ? static_cast<std::uint64_t>(-(min + 1)) + 1 : static_cast<std::uint64_t>(max);
    if (!parseUnsigned(negative ? text.substr(1) : text, limit, &magnitude))
        return false;
    *out = negative ? -static_cast<std::int64_t>(magnitude - 1) - 1
                    : static_cast<std::int64_t>(magnitude);
    return true;
}

FormattedValue formatValue(const MibVariable& variable, const Value& value, bool raw) {
    // Agents do send MAC columns of other lengths; their bytes are still worth showing.
    if (variable.syntax == Syntax::MacAddress && value.type == ValueType::OctetString &&
        value.octets.size() != 6) {
        return {formatHex(value.octets), 0};
    }
    if (!isValueOfSyntax(variable.syntax, value)) {
        return {{},
                value.type == ValueType::Null || value.isException() ? kMibNoValue : kMibWrongType};
    }
    switch (variable.syntax) {
        case Syntax::Enumeration:
            if (!raw) {
                for (const auto& label : variable.enums) {
                    if (label.value == value.integer)
                        return {label.label, 0};
                }
            }
            return {std::to_string(numberOf(value)), 0};
        case Syntax::Integer:
        case Syntax::Counter32:
        case Syntax::Gauge32:
        case Syntax::Counter64:
            if (value.type == ValueType::Counter64)
                return {std::to_string(value.counter64), 0};
            return {std::to_string(value.integer), 0};
        case Syntax::TimeTicks:
            if (raw || value.type != ValueType::TimeTicks) {
                return {std::to_string(numberOf(value)), 0};
            }
            return {formatTimeTicks(static_cast<std::uint32_t>(value.integer)), 0};
        case Syntax::DisplayString: {
            // Text ends at a NUL, as every C string the value passes through (list rows,
            // edits) would end it: the list and the edit show the same text.
            const std::size_t end = value.octets.find('\0');
            return {value.octets.substr(0, end), 0};
        }
        case Syntax::OctetString:
            return {formatHex(value.octets), 0};
        case Syntax::MacAddress:
            return {formatMac(value.octets), 0};
        case Syntax::IpAddress: {
            const auto& o = value.octets;
            std::string text;
            for (std::size_t i = 0; i < 4; ++i) {
                if (i > 0)
                    text += '.';
                text += std::to_string(static_cast<unsigned char>(o[i]));
            }
            return {text, 0};
        }
        case Syntax::ObjectIdentifier:
            return {oidToString(value.oid), 0};
    }
    return {{}, kMibWrongType};
}

int integerOfValue(const MibVariable& variable, const Value& value, long* out) {
    *out = 0;
    if (!isValueOfSyntax(variable.syntax, value) || !isNumericType(value.type)) {
        return value.type == ValueType::Null || value.isException() ? kMibNoValue : kMibWrongType;
    }
    *out = static_cast<long>(numberOf(value));
    return 0;
}

int valueFromInteger(const MibVariable& variable, long number, Value* out) {
    switch (variable.syntax) {
        case Syntax::Integer:
        case Syntax::Enumeration:
            if (number < std::numeric_limits<std::int32_t>::min() ||
                number > std::numeric_limits<std::int32_t>::max()) {
                return kMibBadValue;
            }
            *out = Value::makeInteger(number);
            return 0;
        case Syntax::Counter32:
        case Syntax::Gauge32:
        case Syntax::TimeTicks:
            if (number < 0 || static_cast<std::uint64_t>(number) > kMax32)
                return kMibBadValue;
            *out = variable.syntax == Syntax::Counter32 ? Value::makeCounter32(number)
                   : variable.syntax == Syntax::Gauge32 ? Value::makeGauge32(number)
                                                        : Value::makeTimeTicks(number);
            return 0;
        case Syntax::Counter64:
            if (number < 0)
                return kMibBadValue;
            *out = Value::makeCounter64(static_cast<std::uint64_t>(number));
            return 0;
        default:
            return kMibBadValue;
    }
}

int valueFromText(const MibVariable& variable, std::string_view text, Value* out) {
    std::string octets;
    switch (variable.syntax) {
        case Syntax::Enumeration:
            for (const auto& label : variable.enums) {
                if (label.label == text) {
                    *out = Value::makeInteger(label.value);
                    return 0;
                }
            }
            [[fallthrough]];
        case Syntax::Integer: {
            std::int64_t n = 0;
            if (!parseSigned(text, std::numeric_limits<std::int32_t>::min(),
                             std::numeric_limits<std::int32_t>::max(), &n)) {
                return kMibBadValue;
            }
            *out = Value::makeInteger(n);
            return 0;
        }
        case Syntax::Counter32:
        case Syntax::Gauge32:
        case Syntax::TimeTicks:
        case Syntax::Counter64: {
            std::uint64_t n = 0;
            const std::uint64_t max = variable.syntax == Syntax::Counter64
                                          ? std::numeric_limits<std::uint64_t>::max()
                                          : kMax32;
            // TimeTicks also come back in the form they are shown in.
            std::uint32_t ticks = 0;
            if (variable.syntax == Syntax::TimeTicks && !parseUnsigned(text, max, &n) &&
                parseTimeTicks(text, &ticks)) {
                n = ticks;
            } else if (!parseUnsigned(text, max, &n)) {
                return kMibBadValue;
            }
            if (variable.syntax == Syntax::Counter64) {
                *out = Value::makeCounter64(n);
                return 0;
            }
            return valueFromInteger(variable, static_cast<long>(n), out);
        }
        case Syntax::DisplayString:
            // A NUL cannot be shown (the text form ends there), so it is never written.
            if (text.find('\0') != std::string_view::npos)
                return kMibBadValue;
            octets = std::string(text);
            break;
        case Syntax::OctetString:
            if (!parseHex(text, &octets))
                return kMibBadValue;
            break;
        case Syntax::MacAddress:
            if (!parseMac(text, &octets))
                return kMibBadValue;
            break;
        case Syntax::IpAddress:
            if (!parseIpAddress(text, &octets))
                return kMibBadValue;
            *out = Value::makeIpAddress(octets[0], octets[1], octets[2], octets[3]);
            return 0;
        case Syntax::ObjectIdentifier: {
            Oid oid;
            if (!parseOid(std::string(text), &oid))
                return kMibBadValue;
            *out = Value::makeOid(std::move(oid));
            return 0;
        }
    }
    if (!sizeFits(variable, octets.size()))
        return kMibBadValue;
    *out = Value::makeString(std::move(octets));
    return 0;
}

}  // namespace mib
