#pragma once
// The rate per second of one SNMP counter from its successive readings. A counter only
// grows, modulo its width; a drop is a wrap when one wrap explains it, otherwise the agent
// started the counter again (a reset), as it does when sysUpTime goes back. A reset is
// reported as such, never as a rate, so a graph does not draw a spike for it.

#include <cstdint>
#include <optional>

namespace gui {

struct CounterSample {
    double wallSeconds = 0;                    // when the value was read, on a steady clock
    std::uint64_t value = 0;                   // the counter as the agent gave it
    std::optional<std::uint32_t> upTimeTicks;  // sysUpTime.0 read with it, hundredths
};

struct RateOutcome {
    enum class Kind {
        None,   // nothing to draw: the first reading, or no time passed since the last
        Rate,   // perSecond holds the rate since the previous reading
        Reset,  // the counter started again: no rate across this reading
    };
    Kind kind = Kind::None;
    double perSecond = 0;
};

class CounterRate {
public:
    // widthBits: 32 or 64 (anything else counts as 64).
    explicit CounterRate(int widthBits);

    RateOutcome add(const CounterSample& sample);
    int widthBits() const { return m_widthBits; }

private:
    // The counter's growth from previous to current; nullopt when no single wrap explains it.
    std::optional<std::uint64_t> growth(std::uint64_t previous, std::uint64_t current) const;
    // Seconds between the readings; sysUpTime when both have it (the agent's own clock).
    double interval(const CounterSample& previous, const CounterSample& current) const;

    int m_widthBits;
    std::optional<CounterSample> m_previous;
};

}  // namespace gui
