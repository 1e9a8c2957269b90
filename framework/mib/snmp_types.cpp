#include "framework/mib/snmp_types.h"

#include <charconv>

namespace mib {

std::string oidToString(const Oid& oid) {
    std::string out;
    for (std::size_t i = 0; i < oid.size(); ++i) {
        if (i != 0) {
            out += '.';
        }
        out += std::to_string(oid[i]);
    }
    return out;
}

bool parseOid(const std::string& text, Oid* out) {
    Oid result;
    std::size_t pos = (!text.empty() && text[0] == '.') ? 1 : 0;
    if (pos >= text.size()) {
        return false;
    }
    while (pos <= text.size()) {
        std::size_t end = text.find('.', pos);
        if (end == std::string::npos) {
            end = text.size();
        }
        std::uint32_t part = 0;
        auto [ptr, ec] = std::from_chars(text.data() + pos, text.data() + end, part);
        if (ec != std::errc() || ptr != text.data() + end || end == pos) {
            return false;
        }
        result.push_back(part);
        pos = end + 1;
    }
    *out = std::move(result);
    return true;
}

bool oidStartsWith(const Oid& oid, const Oid& prefix) {
    return oid.size() >= prefix.size() && std::equal(prefix.begin(), prefix.end(), oid.begin());
}

std::string valueTypeName(ValueType t) {
    switch (t) {
        case ValueType::Null:
            return "Null";
        case ValueType::Integer:
            return "INTEGER";
        case ValueType::OctetString:
            return "OCTET STRING";
        case ValueType::ObjectId:
            return "OBJECT IDENTIFIER";
        case ValueType::IpAddress:
            return "IpAddress";
        case ValueType::Counter32:
            return "Counter32";
        case ValueType::Gauge32:
            return "Gauge32";
        case ValueType::TimeTicks:
            return "TimeTicks";
        case ValueType::Counter64:
            return "Counter64";
        case ValueType::Opaque:
            return "Opaque";
        case ValueType::NoSuchObject:
            return "noSuchObject";
        case ValueType::NoSuchInstance:
            return "noSuchInstance";
        case ValueType::EndOfMibView:
            return "endOfMibView";
    }
    return "?";
}

std::string errorStatusName(ErrorStatus s) {
    static const char* const names[] = {"noError",
                                        "tooBig",
                                        "noSuchName",
                                        "badValue",
                                        "readOnly",
                                        "genErr",
                                        "noAccess",
                                        "wrongType",
                                        "wrongLength",
                                        "wrongEncoding",
                                        "wrongValue",
                                        "noCreation",
                                        "inconsistentValue",
                                        "resourceUnavailable",
                                        "commitFailed",
                                        "undoFailed",
                                        "authorizationError",
                                        "notWritable",
                                        "inconsistentName"};
    auto i = static_cast<int>(s);
    if (i < 0 || i >= static_cast<int>(std::size(names))) {
        return "error " + std::to_string(i);
    }
    return names[i];
}

}  // namespace mib
