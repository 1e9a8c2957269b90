#include "console/port_list.h"

#include <charconv>
#include <set>
#include <string_view>
#include <utility>

namespace console {

namespace {

bool parsePositive(std::string_view text, int* out) {
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, *out);
    return !text.empty() && ec == std::errc() && ptr == end && *out > 0;
}

bool parseSpan(const std::string& item, PortSpan* span, std::string* error) {
    const auto slash = item.find('/');
    const std::string_view ports =
        slash == std::string::npos ? std::string_view() : std::string_view(item).substr(slash + 1);
    if (slash == std::string::npos ||
        !parsePositive(std::string_view(item).substr(0, slash), &span->slot)) {
        *error = item + ": expected SLOT/PORT, SLOT/FIRST-LAST or SLOT/* with slots from 1";
        return false;
    }
    if (ports == "*") {
        span->first = span->last = 0;
        return true;
    }
    const auto dash = ports.find('-');
    const std::string_view first = ports.substr(0, dash);
    const std::string_view last = dash == std::string_view::npos ? first : ports.substr(dash + 1);
    if (!parsePositive(first, &span->first) || !parsePositive(last, &span->last)) {
        *error = item + ": expected SLOT/PORT, SLOT/FIRST-LAST or SLOT/* with ports from 1";
        return false;
    }
    if (span->last < span->first) {
        *error = item + ": the range ends before it starts";
        return false;
    }
    return true;
}

}  // namespace

bool parsePortList(const std::string& text, std::vector<PortSpan>* out, std::string* error) {
    std::vector<PortSpan> spans;
    std::size_t start = 0;
    for (;;) {
        const auto comma = text.find(',', start);
        const std::string item =
            text.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
        if (item.empty()) {
            *error = "an empty item in \"" + text + "\"";
            return false;
        }
        PortSpan span;
        if (!parseSpan(item, &span, error)) {
            return false;
        }
        spans.push_back(span);
        if (comma == std::string::npos) {
            break;
        }
        start = comma + 1;
    }
    out->insert(out->end(), spans.begin(), spans.end());
    return true;
}

std::optional<std::vector<SlotPort>> resolvePortList(const std::vector<PortSpan>& spans,
                                                     const std::vector<SlotPort>& chassis,
                                                     std::string* error) {
    using Key = std::pair<int, int>;
    std::set<Key> present;
    for (const SlotPort& p : chassis) {
        present.insert({p.slot, p.port});
    }
    std::vector<SlotPort> ports;
    std::set<Key> named;
    const auto add = [&](int slot, int port) {
        if (named.insert({slot, port}).second) {
            ports.push_back({slot, port});
        }
    };
    for (const PortSpan& span : spans) {
        if (span.wholeSlot()) {
            const auto from = present.lower_bound({span.slot, 0});
            if (from == present.end() || from->first != span.slot) {
                *error = "the chassis has no ports in slot " + std::to_string(span.slot);
                return std::nullopt;
            }
            for (auto it = from; it != present.end() && it->first == span.slot; ++it) {
                add(it->first, it->second);
            }
            continue;
        }
        // Stops at the first gap, so a range far beyond the chassis costs no more than its ports.
        for (long port = span.first; port <= span.last; ++port) {
            if (present.count({span.slot, static_cast<int>(port)}) == 0) {
                *error = "the chassis has no port " + std::to_string(span.slot) + "/" +
                         std::to_string(port);
                return std::nullopt;
            }
            add(span.slot, static_cast<int>(port));
        }
    }
    return ports;
}

}  // namespace console
