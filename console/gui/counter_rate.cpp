#include "console/gui/counter_rate.h"

#include <limits>

namespace gui {

namespace {

constexpr double kTicksPerSecond = 100.0;

}  // namespace

CounterRate::CounterRate(int widthBits) : m_widthBits(widthBits == 32 ? 32 : 64) {}

std::optional<std::uint64_t> CounterRate::growth(std::uint64_t previous,
                                                 std::uint64_t current) const {
    const std::uint64_t mask =
        m_widthBits == 32 ? 0xFFFFFFFFull : std::numeric_limits<std::uint64_t>::max();
    if (previous > mask || current > mask) {
        return std::nullopt;  // not a value of this counter: nothing to measure against
    }
    if (current >= previous) {
        return current - previous;
    }
    // Unsigned arithmetic modulo 2^64, masked to the counter's modulus.
    const std::uint64_t wrapped = (current - previous) & mask;
    const std::uint64_t halfRange = mask / 2 + 1;
    if (wrapped >= halfRange) {
        return std::nullopt;
    }
    return wrapped;
}

double CounterRate::interval(const CounterSample& previous, const CounterSample& current) const {
    if (previous.upTimeTicks && current.upTimeTicks) {
        return (static_cast<double>(*current.upTimeTicks) -
                static_cast<double>(*previous.upTimeTicks)) /
               kTicksPerSecond;
    }
    return current.wallSeconds - previous.wallSeconds;
}

RateOutcome CounterRate::add(const CounterSample& sample) {
    if (!m_previous) {
        m_previous = sample;
        return {};
    }
    const CounterSample previous = *m_previous;
    if (previous.upTimeTicks && sample.upTimeTicks && *sample.upTimeTicks < *previous.upTimeTicks) {
        m_previous = sample;
        return {RateOutcome::Kind::Reset, 0};
    }
    const std::optional<std::uint64_t> grown = growth(previous.value, sample.value);
    if (!grown) {
        m_previous = sample;
        return {RateOutcome::Kind::Reset, 0};
    }
    const double seconds = interval(previous, sample);
    if (seconds == 0) {
        // A reading of the same instant: the next one measures from the earlier reading.
        return {};
    }
    m_previous = sample;
    if (seconds < 0) {
        // The wall clock went back without sysUpTime to go by: no honest rate, start again.
        return {};
    }
    return {RateOutcome::Kind::Rate, static_cast<double>(*grown) / seconds};
}

}  // namespace gui
