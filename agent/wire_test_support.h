#pragma once
// Shared by the over-the-wire tests: a running swsimd and a blocking round
// trip through a transport on a private event loop.

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "agent/daemon_process.h"
#include "framework/afx/event_loop.h"
#include "framework/mib/netsnmp_transport.h"

namespace agent::testing {

inline constexpr const char* kAuthPass = "authpass-9f3c";
inline constexpr const char* kPrivPass = "privpass-71ab";

// Starts swsimd on a free port with the given extra options; the port is in *port.
inline std::unique_ptr<DaemonProcess> startSwsimd(std::vector<std::string> extra, int* port) {
    std::vector<std::string> argv = {SWSIMD_PATH, "--listen", "udp:127.0.0.1:0"};
    argv.insert(argv.end(), extra.begin(), extra.end());
    auto daemon = std::make_unique<DaemonProcess>();
    std::string error;
    if (!daemon->start(argv, "ready on udp:127.0.0.1:", 10000, &error)) {
        ADD_FAILURE() << error;
        return nullptr;
    }
    const std::string& out = daemon->output();
    *port = std::stoi(out.substr(out.rfind(':') + 1));
    return daemon;
}

inline std::string address(int port) {
    return "udp:127.0.0.1:" + std::to_string(port);
}

inline mib::TransportResult roundTrip(afx::EventLoop& loop, mib::Transport& transport,
                                      const mib::RequestPdu& request,
                                      mib::SendOptions options = {2, 1}) {
    std::optional<mib::TransportResult> result;
    transport.send(request, options, [&](const mib::TransportResult& r) { result = r; });
    const int limitMs = (options.timeoutSeconds * (options.retries + 1) + 5) * 1000;
    if (!loop.runUntil([&] { return result.has_value(); }, limitMs)) {
        ADD_FAILURE() << "no completion from " << transport.describe();
        return {mib::TransportOutcome::Cancelled, {}, "no completion"};
    }
    return *result;
}

inline mib::RequestPdu request(mib::PduType type, std::vector<mib::Oid> oids) {
    mib::RequestPdu pdu;
    pdu.type = type;
    for (mib::Oid& oid : oids) {
        pdu.varbinds.push_back({std::move(oid), mib::Value::null()});
    }
    return pdu;
}

}  // namespace agent::testing
