#include "framework/mib/index_conversion.h"

#include <limits>

#include "framework/mib/mib_error.h"
#include "framework/mib/value_format.h"

namespace mib {

namespace {

bool hasFixedSize(const MibVariable& v) {
    return v.syntax == Syntax::MacAddress || v.syntax == Syntax::IpAddress ||
           (v.maxSize > 0 && v.minSize == v.maxSize);
}

bool appendOne(const MibVariable& index, std::string_view text, Oid* instance) {
    switch (index.syntax) {
        case Syntax::Enumeration:
            for (const auto& label : index.enums) {
                if (label.label == text) {
                    if (label.value < 0)
                        return false;
                    instance->push_back(static_cast<std::uint32_t>(label.value));
                    return true;
                }
            }
            [[fallthrough]];
        case Syntax::Integer:
        case Syntax::Counter32:
        case Syntax::Gauge32:
        case Syntax::TimeTicks:
        case Syntax::Counter64: {
            // An INTEGER index ends at 2^31 - 1: a larger sub-identifier names no row
            // and would not read back as the text given.
            const bool signedSyntax =
                index.syntax == Syntax::Integer || index.syntax == Syntax::Enumeration;
            std::uint64_t n = 0;
            if (!parseUnsigned(text,
                               signedSyntax ? std::numeric_limits<std::int32_t>::max()
                                            : std::numeric_limits<std::uint32_t>::max(),
                               &n))
                return false;
            instance->push_back(static_cast<std::uint32_t>(n));
            return true;
        }
        case Syntax::IpAddress:
        case Syntax::MacAddress:
        case Syntax::DisplayString:
        case Syntax::OctetString: {
            Value value;
            if (valueFromText(index, text, &value) != 0)
                return false;
            if (!hasFixedSize(index)) {
                instance->push_back(static_cast<std::uint32_t>(value.octets.size()));
            }
            for (char c : value.octets)
                instance->push_back(static_cast<unsigned char>(c));
            return true;
        }
        case Syntax::ObjectIdentifier: {
            Oid oid;
            if (!parseOid(std::string(text), &oid))
                return false;
            instance->push_back(static_cast<std::uint32_t>(oid.size()));
            instance->insert(instance->end(), oid.begin(), oid.end());
            return true;
        }
    }
    return false;
}

// Reads one index value at *pos; false when the instance is too short or out of range.
bool takeOne(const MibVariable& index, const Oid& instance, std::size_t* pos, std::string* text) {
    const auto remaining = instance.size() - *pos;
    auto octetsOf = [&](std::size_t count, std::string* octets) {
        if (count > instance.size() - *pos)
            return false;
        for (std::size_t i = 0; i < count; ++i) {
            const auto sub = instance[*pos + i];
            if (sub > 255)
                return false;
            *octets += static_cast<char>(sub);
        }
        *pos += count;
        return true;
    };
    switch (index.syntax) {
        case Syntax::Integer:
        case Syntax::Enumeration:
        case Syntax::Counter32:
        case Syntax::Gauge32:
        case Syntax::TimeTicks:
        case Syntax::Counter64: {
            if (remaining < 1)
                return false;
            const auto sub = instance[(*pos)++];
            if (index.syntax == Syntax::Integer || index.syntax == Syntax::Enumeration) {
                if (sub > static_cast<std::uint32_t>(std::numeric_limits<std::int32_t>::max())) {
                    return false;
                }
                *text = formatValue(index, Value::makeInteger(sub)).text;
            } else {
                *text = std::to_string(sub);
            }
            return true;
        }
        case Syntax::IpAddress: {
            std::string octets;
            if (!octetsOf(4, &octets))
                return false;
            *text = formatValue(index, Value{ValueType::IpAddress, 0, 0, octets, {}}).text;
            return true;
        }
        case Syntax::MacAddress:
        case Syntax::DisplayString:
        case Syntax::OctetString: {
            std::size_t length = 6;
            if (!hasFixedSize(index)) {
                if (remaining < 1)
                    return false;
                length = instance[(*pos)++];
            } else if (index.syntax != Syntax::MacAddress) {
                length = static_cast<std::size_t>(index.maxSize);
            }
            std::string octets;
            if (!octetsOf(length, &octets))
                return false;
            *text = formatValue(index, Value::makeString(octets)).text;
            return true;
        }
        case Syntax::ObjectIdentifier: {
            if (remaining < 1)
                return false;
            const std::size_t length = instance[(*pos)++];
            if (length > instance.size() - *pos)
                return false;
            const auto first = instance.begin() + static_cast<std::ptrdiff_t>(*pos);
            *text = oidToString(Oid(first, first + static_cast<std::ptrdiff_t>(length)));
            *pos += length;
            return true;
        }
    }
    return false;
}

}  // namespace

int instanceFromIndexTexts(const MibDictionary& dictionary,
                           const std::vector<std::string>& indexObjects,
                           const std::vector<std::string>& texts, Oid* instance, std::string* why) {
    if (texts.size() != indexObjects.size()) {
        *why = std::to_string(texts.size()) + " index texts for " +
               std::to_string(indexObjects.size()) + " index objects";
        return kMibBadIndex;
    }
    Oid out;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const MibVariable* index = dictionary.find(indexObjects[i]);
        if (index == nullptr) {
            *why = "index object " + indexObjects[i] + " unknown";
            return kMibBadIndex;
        }
        if (!appendOne(*index, texts[i], &out)) {
            *why = "\"" + texts[i] + "\" is not a valid " + indexObjects[i];
            return kMibBadIndex;
        }
    }
    *instance = std::move(out);
    return 0;
}

bool indexTextsFromInstance(const MibDictionary& dictionary,
                            const std::vector<std::string>& indexObjects, const Oid& instance,
                            std::vector<std::string>* texts) {
    std::vector<std::string> out;
    std::size_t pos = 0;
    for (const auto& name : indexObjects) {
        const MibVariable* index = dictionary.find(name);
        std::string text;
        if (index == nullptr || !takeOne(*index, instance, &pos, &text))
            return false;
        out.push_back(std::move(text));
    }
    if (pos != instance.size())
        return false;
    *texts = std::move(out);
    return true;
}

}  // namespace mib
