#include "sim/read_operations.h"

#include <algorithm>

namespace sim {

namespace {

mib::VarBind nextAfter(const OidStore& store, const mib::Oid& oid, std::int64_t nowMs) {
    if (const auto* entry = store.after(oid)) {
        return {entry->first, entry->second.valueAt(nowMs)};
    }
    return {oid, mib::Value::exception(mib::ValueType::EndOfMibView)};
}

std::size_t subIdSize(std::uint32_t id) {
    std::size_t bytes = 1;
    while (id >= 128) {
        id >>= 7;
        ++bytes;
    }
    return bytes;
}

std::size_t oidSize(const mib::Oid& oid) {
    std::size_t size = 2;
    for (std::uint32_t id : oid) {
        size += subIdSize(id);
    }
    return size;
}

}  // namespace

std::size_t estimateResponseSize(const std::vector<mib::VarBind>& varbinds) {
    std::size_t size = 48;  // message, community and PDU headers
    for (const mib::VarBind& vb : varbinds) {
        size += 4 + oidSize(vb.oid);
        switch (vb.value.type) {
            case mib::ValueType::OctetString:
            case mib::ValueType::IpAddress:
            case mib::ValueType::Opaque:
                size += 4 + vb.value.octets.size();
                break;
            case mib::ValueType::ObjectId:
                size += oidSize(vb.value.oid);
                break;
            case mib::ValueType::Counter64:
                size += 11;
                break;
            default:
                size += 7;
        }
    }
    return size;
}

mib::ResponsePdu answerGet(const OidStore& store, const mib::MibDictionary& dictionary,
                           const mib::RequestPdu& request, std::int64_t nowMs) {
    mib::ResponsePdu response;
    for (const mib::VarBind& vb : request.varbinds) {
        if (const Cell* cell = store.find(vb.oid)) {
            response.varbinds.push_back({vb.oid, cell->valueAt(nowMs)});
            continue;
        }
        const mib::MibVariable* var = dictionary.findByInstanceOid(vb.oid);
        const bool known = var != nullptr && var->access != mib::Access::NotAccessible;
        response.varbinds.push_back(
            {vb.oid, mib::Value::exception(known ? mib::ValueType::NoSuchInstance
                                                 : mib::ValueType::NoSuchObject)});
    }
    return response;
}

mib::ResponsePdu answerGetNext(const OidStore& store, const mib::RequestPdu& request,
                               std::int64_t nowMs) {
    mib::ResponsePdu response;
    for (const mib::VarBind& vb : request.varbinds) {
        response.varbinds.push_back(nextAfter(store, vb.oid, nowMs));
    }
    return response;
}

mib::ResponsePdu answerGetBulk(const OidStore& store, const mib::RequestPdu& request,
                               std::int64_t nowMs) {
    mib::ResponsePdu response;
    const auto count = static_cast<int>(request.varbinds.size());
    const int nonRepeaters = std::clamp(request.nonRepeaters, 0, count);
    const int repetitions = std::max(request.maxRepetitions, 0);
    std::size_t size = estimateResponseSize({});
    auto fits = [&](const mib::VarBind& vb) {
        size += estimateResponseSize({vb}) - estimateResponseSize({});
        return size <= kMaxResponseBytes;
    };
    for (int i = 0; i < nonRepeaters; ++i) {
        mib::VarBind vb =
            nextAfter(store, request.varbinds[static_cast<std::size_t>(i)].oid, nowMs);
        if (!fits(vb)) {
            return response;
        }
        response.varbinds.push_back(std::move(vb));
    }
    std::vector<mib::Oid> cursors;
    for (int i = nonRepeaters; i < count; ++i) {
        cursors.push_back(request.varbinds[static_cast<std::size_t>(i)].oid);
    }
    std::vector<bool> ended(cursors.size(), false);
    for (int round = 0; round < repetitions && !cursors.empty(); ++round) {
        if (std::all_of(ended.begin(), ended.end(), [](bool e) { return e; })) {
            break;
        }
        for (std::size_t r = 0; r < cursors.size(); ++r) {
            mib::VarBind vb =
                ended[r]
                    ? mib::VarBind{cursors[r], mib::Value::exception(mib::ValueType::EndOfMibView)}
                    : nextAfter(store, cursors[r], nowMs);
            if (!fits(vb)) {
                return response;
            }
            ended[r] = vb.value.type == mib::ValueType::EndOfMibView;
            cursors[r] = vb.oid;
            response.varbinds.push_back(std::move(vb));
        }
    }
    return response;
}

}  // namespace sim
