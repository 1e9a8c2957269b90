#pragma once
// Shorthands for the switch's tests: OIDs by variable name, PDUs, a fake clock.

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "sim/simulated_switch.h"

namespace sim::testing {

inline mib::Oid oidOf(std::string_view name, const mib::Oid& instance) {
    const mib::MibVariable* var = mib::MibDictionary::builtin().find(name);
    mib::Oid oid = var ? var->oid : mib::Oid{};
    oid.insert(oid.end(), instance.begin(), instance.end());
    return oid;
}

inline mib::RequestPdu request(mib::PduType type, const std::vector<mib::VarBind>& varbinds) {
    mib::RequestPdu pdu;
    pdu.type = type;
    pdu.varbinds = varbinds;
    return pdu;
}

inline mib::VarBind varbind(std::string_view name, const mib::Oid& instance,
                            mib::Value value = mib::Value::null()) {
    return {oidOf(name, instance), std::move(value)};
}

// The demo switch on a clock that only moves when the test says so.
struct DemoSwitch {
    std::int64_t nowMs = 1'000'000;
    std::unique_ptr<SimulatedSwitch> sw = SimulatedSwitch::createDefault();

    DemoSwitch() {
        sw->setClock([this] { return nowMs; });
    }
    mib::ResponsePdu set(const std::vector<mib::VarBind>& varbinds) {
        return sw->handle(request(mib::PduType::Set, varbinds));
    }
    std::int64_t integer(std::string_view name, const mib::Oid& instance) const {
        auto value = sw->read(name, instance);
        return value ? value->integer : -999;
    }
};

}  // namespace sim::testing
