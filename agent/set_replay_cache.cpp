#include "agent/set_replay_cache.h"

namespace agent {

std::optional<mib::ResponsePdu> SetReplayCache::find(const std::string& sender,
                                                     std::int64_t requestId,
                                                     const mib::RequestPdu& request,
                                                     Clock::time_point now) {
    expire(now);
    for (const Entry& e : m_entries) {
        if (e.requestId == requestId && e.sender == sender && e.varbinds == request.varbinds) {
            return e.response;
        }
    }
    return std::nullopt;
}

void SetReplayCache::remember(const std::string& sender, std::int64_t requestId,
                              const mib::RequestPdu& request, const mib::ResponsePdu& response,
                              Clock::time_point now) {
    expire(now);
    if (m_entries.size() >= m_capacity) {
        m_entries.pop_front();
    }
    m_entries.push_back(Entry{sender, requestId, request.varbinds, response, now});
}

void SetReplayCache::expire(Clock::time_point now) {
    while (!m_entries.empty() && now - m_entries.front().at > m_lifetime) {
        m_entries.pop_front();
    }
}

}  // namespace agent
