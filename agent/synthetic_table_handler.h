#pragma once
// A small agent for tests and benchmarks: the system group and one table of
// `rows` x `columns` under 1.3.6.1.4.1.32473.99.1.1 with values of every type.

#include <cstdint>
#include <map>

#include "framework/mib/transport.h"

namespace agent {

class SyntheticTableHandler : public mib::PduHandler {
public:
    SyntheticTableHandler(int rows, int columns);

    mib::ResponsePdu handle(const mib::RequestPdu& request) override;
    bool answersNow() const override { return !m_silent; }

    void setSilent(bool silent) { m_silent = silent; }
    std::uint64_t setsApplied() const { return m_setsApplied; }

    static mib::Oid entryOid();  // 1.3.6.1.4.1.32473.99.1.1
    static mib::Oid sysNameOid();

private:
    mib::Value get(const mib::Oid& oid) const;
    mib::VarBind next(const mib::Oid& oid) const;
    mib::ResponsePdu set(const mib::RequestPdu& request);

    std::map<mib::Oid, mib::Value> m_objects;
    bool m_silent = false;
    std::uint64_t m_setsApplied = 0;
};

}  // namespace agent
