#pragma once
// Remembers the answers to recent SETs by sender and request id, so that a
// manager's retry of a SET whose response was lost gets the same answer
// instead of applying the SET a second time.

#include <chrono>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>

#include "framework/mib/snmp_types.h"

namespace agent {

class SetReplayCache {
public:
    using Clock = std::chrono::steady_clock;

    explicit SetReplayCache(std::size_t capacity = 256,
                            Clock::duration lifetime = std::chrono::seconds(60))
        : m_capacity(capacity), m_lifetime(lifetime) {}

    // The answer already given to this very SET (same sender, request id and varbinds).
    std::optional<mib::ResponsePdu> find(const std::string& sender, std::int64_t requestId,
                                         const mib::RequestPdu& request, Clock::time_point now);
    void remember(const std::string& sender, std::int64_t requestId, const mib::RequestPdu& request,
                  const mib::ResponsePdu& response, Clock::time_point now);

private:
    struct Entry {
        std::string sender;
        std::int64_t requestId;
        std::vector<mib::VarBind> varbinds;
        mib::ResponsePdu response;
        Clock::time_point at;
    };
    void expire(Clock::time_point now);

    std::size_t m_capacity;
    Clock::duration m_lifetime;
    std::deque<Entry> m_entries;  // oldest first
};

}  // namespace agent
