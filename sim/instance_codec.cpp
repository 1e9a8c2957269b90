#include "sim/instance_codec.h"

namespace sim {

namespace {

bool isStringIndex(mib::Syntax syntax) {
    return syntax == mib::Syntax::DisplayString || syntax == mib::Syntax::OctetString ||
           syntax == mib::Syntax::MacAddress || syntax == mib::Syntax::IpAddress;
}

}  // namespace

std::size_t fixedIndexLength(const mib::MibVariable& indexObject) {
    if (indexObject.syntax == mib::Syntax::IpAddress) {
        return 4;
    }
    if (indexObject.syntax == mib::Syntax::MacAddress) {
        return 6;
    }
    if (indexObject.minSize > 0 && indexObject.minSize == indexObject.maxSize) {
        return static_cast<std::size_t>(indexObject.maxSize);
    }
    return 0;
}

std::optional<mib::Oid> encodeInstance(const std::vector<const mib::MibVariable*>& indexObjects,
                                       const IndexValues& values) {
    if (indexObjects.size() != values.size()) {
        return std::nullopt;
    }
    mib::Oid out;
    for (std::size_t i = 0; i < values.size(); ++i) {
        const mib::MibVariable& object = *indexObjects[i];
        if (isStringIndex(object.syntax)) {
            const auto* octets = std::get_if<std::string>(&values[i]);
            if (octets == nullptr) {
                return std::nullopt;
            }
            const std::size_t fixed = fixedIndexLength(object);
            if (fixed != 0 && octets->size() != fixed) {
                return std::nullopt;
            }
            if (fixed == 0) {
                out.push_back(static_cast<std::uint32_t>(octets->size()));
            }
            for (unsigned char c : *octets) {
                out.push_back(c);
            }
        } else {
            const auto* number = std::get_if<std::int64_t>(&values[i]);
            if (number == nullptr || *number < 0 || *number > 0xFFFFFFFFLL) {
                return std::nullopt;
            }
            out.push_back(static_cast<std::uint32_t>(*number));
        }
    }
    return out;
}

std::optional<IndexValues> decodeInstance(const std::vector<const mib::MibVariable*>& indexObjects,
                                          const mib::Oid& suffix) {
    IndexValues values;
    std::size_t pos = 0;
    for (const mib::MibVariable* object : indexObjects) {
        if (pos >= suffix.size()) {
            return std::nullopt;
        }
        if (isStringIndex(object->syntax)) {
            std::size_t length = fixedIndexLength(*object);
            if (length == 0) {
                length = suffix[pos++];
            }
            if (suffix.size() - pos < length) {
                return std::nullopt;
            }
            std::string octets;
            for (std::size_t i = 0; i < length; ++i) {
                if (suffix[pos + i] > 255) {
                    return std::nullopt;
                }
                octets.push_back(static_cast<char>(suffix[pos + i]));
            }
            pos += length;
            values.emplace_back(std::move(octets));
        } else {
            values.emplace_back(static_cast<std::int64_t>(suffix[pos++]));
        }
    }
    if (pos != suffix.size()) {
        return std::nullopt;
    }
    return values;
}

std::optional<std::vector<const mib::MibVariable*>> indexObjectsOf(
    const mib::MibDictionary& dictionary, const mib::MibVariable& column) {
    std::vector<const mib::MibVariable*> objects;
    for (const std::string& name : column.indexes) {
        const mib::MibVariable* object = dictionary.find(name);
        if (object == nullptr) {
            return std::nullopt;
        }
        objects.push_back(object);
    }
    return objects;
}

}  // namespace sim
