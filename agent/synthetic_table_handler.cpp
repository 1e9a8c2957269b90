#include "agent/synthetic_table_handler.h"

#include <algorithm>
#include <vector>

namespace agent {

namespace {

const mib::Oid kSystem = {1, 3, 6, 1, 2, 1, 1};

mib::Oid child(mib::Oid base, std::initializer_list<std::uint32_t> arcs) {
    base.insert(base.end(), arcs);
    return base;
}

mib::Value cell(int column, int row) {
    const auto r = static_cast<std::uint32_t>(row);
    switch (column) {
        case 1:
            return mib::Value::makeInteger(row);
        case 2:
            return mib::Value::makeString("port-" + std::to_string(row));
        case 3:
            return mib::Value::makeCounter32(r * 1000u);
        case 4:
            return mib::Value::makeGauge32(r % 100u);
        case 5:
            return mib::Value::makeTimeTicks(r * 100u);
        case 6:
            return mib::Value::makeCounter64((std::uint64_t{1} << 40) + r);
        case 7:
            return mib::Value::makeIpAddress(10, 0, static_cast<std::uint8_t>(r >> 8),
                                             static_cast<std::uint8_t>(r));
        case 8:
            return mib::Value::makeOid({1, 3, 6, 1, 4, 1, 32473, r});
        default:
            return mib::Value::makeInteger(row * column);
    }
}

bool writable(const mib::Oid& oid) {
    const mib::Oid entry = SyntheticTableHandler::entryOid();
    return oid == SyntheticTableHandler::sysNameOid() ||
           (mib::oidStartsWith(oid, entry) && oid.size() == entry.size() + 2 &&
            oid[entry.size()] == 2);
}

}  // namespace

mib::Oid SyntheticTableHandler::entryOid() {
    return {1, 3, 6, 1, 4, 1, 32473, 99, 1, 1};
}

mib::Oid SyntheticTableHandler::sysNameOid() {
    return child(kSystem, {5, 0});
}

SyntheticTableHandler::SyntheticTableHandler(int rows, int columns) {
    m_objects[child(kSystem, {1, 0})] = mib::Value::makeString("swsimd synthetic table agent");
    m_objects[child(kSystem, {2, 0})] = mib::Value::makeOid({1, 3, 6, 1, 4, 1, 32473});
    m_objects[child(kSystem, {3, 0})] = mib::Value::makeTimeTicks(4200);
    m_objects[child(kSystem, {5, 0})] = mib::Value::makeString("swsimd");
    const mib::Oid entry = entryOid();
    for (int c = 1; c <= columns; ++c) {
        for (int r = 1; r <= rows; ++r) {
            m_objects[child(entry, {static_cast<std::uint32_t>(c),
                                    static_cast<std::uint32_t>(r)})] = cell(c, r);
        }
    }
}

mib::Value SyntheticTableHandler::get(const mib::Oid& oid) const {
    if (auto it = m_objects.find(oid); it != m_objects.end()) {
        return it->second;
    }
    return mib::Value::exception(mib::ValueType::NoSuchInstance);
}

mib::VarBind SyntheticTableHandler::next(const mib::Oid& oid) const {
    auto it = m_objects.upper_bound(oid);
    if (it == m_objects.end()) {
        return {oid, mib::Value::exception(mib::ValueType::EndOfMibView)};
    }
    return {it->first, it->second};
}

mib::ResponsePdu SyntheticTableHandler::set(const mib::RequestPdu& request) {
    mib::ResponsePdu response;
    response.varbinds = request.varbinds;
    for (std::size_t i = 0; i < request.varbinds.size(); ++i) {
        const mib::VarBind& vb = request.varbinds[i];
        auto it = m_objects.find(vb.oid);
        mib::ErrorStatus status = mib::ErrorStatus::NoError;
        if (it == m_objects.end()) {
            status = mib::ErrorStatus::NoCreation;
        } else if (!writable(vb.oid)) {
            status = mib::ErrorStatus::NotWritable;
        } else if (vb.value.type != it->second.type) {
            status = mib::ErrorStatus::WrongType;
        }
        if (status != mib::ErrorStatus::NoError) {
            response.errorStatus = status;
            response.errorIndex = static_cast<int>(i + 1);
            return response;
        }
    }
    for (const mib::VarBind& vb : request.varbinds) {
        m_objects[vb.oid] = vb.value;
    }
    ++m_setsApplied;
    return response;
}

mib::ResponsePdu SyntheticTableHandler::handle(const mib::RequestPdu& request) {
    mib::ResponsePdu response;
    switch (request.type) {
        case mib::PduType::Get:
            for (const mib::VarBind& vb : request.varbinds) {
                response.varbinds.push_back({vb.oid, get(vb.oid)});
            }
            break;
        case mib::PduType::GetNext:
            for (const mib::VarBind& vb : request.varbinds) {
                response.varbinds.push_back(next(vb.oid));
            }
            break;
        case mib::PduType::GetBulk: {
            const auto n = static_cast<int>(request.varbinds.size());
            const int nonRepeaters = std::min(std::max(request.nonRepeaters, 0), n);
            for (int i = 0; i < nonRepeaters; ++i) {
                response.varbinds.push_back(next(request.varbinds[i].oid));
            }
            std::vector<mib::Oid> cursors;
            for (int i = nonRepeaters; i < n; ++i) {
                cursors.push_back(request.varbinds[i].oid);
            }
            for (int rep = 0; rep < request.maxRepetitions && !cursors.empty(); ++rep) {
                for (mib::Oid& cursor : cursors) {
                    mib::VarBind vb = next(cursor);
                    cursor = vb.oid;
                    response.varbinds.push_back(std::move(vb));
                }
            }
            break;
        }
        case mib::PduType::Set:
            return set(request);
    }
    return response;
}

}  // namespace agent
