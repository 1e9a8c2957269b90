#include "console/gui/counter_rate.h"

#include <gtest/gtest.h>

#include <vector>

namespace gui {
namespace {

using Kind = RateOutcome::Kind;

struct Step {
    CounterSample sample;
    Kind kind;
    double perSecond;  // checked for rates only
};

struct RateCase {
    const char* name;
    int widthBits;
    std::vector<Step> steps;
};

constexpr std::uint64_t k64Max = 0xFFFFFFFFFFFFFFFFull;

CounterSample at(double seconds, std::uint64_t value) {
    return {seconds, value, std::nullopt};
}
CounterSample ticked(double seconds, std::uint64_t value, std::uint32_t ticks) {
    return {seconds, value, ticks};
}

class CounterRateTable : public ::testing::TestWithParam<RateCase> {};

TEST_P(CounterRateTable, GivesTheRateOrMarksTheReset) {
    const RateCase& c = GetParam();
    CounterRate rate(c.widthBits);
    for (std::size_t i = 0; i < c.steps.size(); ++i) {
        const RateOutcome out = rate.add(c.steps[i].sample);
        EXPECT_EQ(out.kind, c.steps[i].kind) << "sample " << i;
        if (out.kind == Kind::Rate && c.steps[i].kind == Kind::Rate) {
            EXPECT_DOUBLE_EQ(out.perSecond, c.steps[i].perSecond) << "sample " << i;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Counters, CounterRateTable,
    ::testing::Values(
        RateCase{"SteadyRate",
                 32,
                 {{at(10, 1000), Kind::None, 0},
                  {at(11, 1500), Kind::Rate, 500},
                  {at(13, 2500), Kind::Rate, 500},
                  {at(14, 2500), Kind::Rate, 0}}},
        RateCase{
            "Wrap32", 32, {{at(0, 4294967000u), Kind::None, 0}, {at(1, 200), Kind::Rate, 496}}},
        RateCase{
            "Wrap32ToZero", 32, {{at(0, 0xFFFFFFFFu), Kind::None, 0}, {at(2, 1), Kind::Rate, 1}}},
        RateCase{
            "Wrap64", 64, {{at(0, k64Max - 99), Kind::None, 0}, {at(2, 100), Kind::Rate, 100}}},
        // What wraps a 32-bit counter is a plain drop for a 64-bit one.
        RateCase{"DropIn64BitsIsReset",
                 64,
                 {{at(0, 4294967000u), Kind::None, 0}, {at(1, 200), Kind::Reset, 0}}},
        // 64-bit values grow past 2^32 without any wrap.
        RateCase{"Beyond32Bits",
                 64,
                 {{at(0, 0xFFFFFF00ull), Kind::None, 0}, {at(1, 0x100000000ull), Kind::Rate, 256}}},
        RateCase{"UnexplainedDropIsReset",
                 32,
                 {{at(0, 3000000), Kind::None, 0},
                  {at(1, 10), Kind::Reset, 0},
                  {at(2, 110), Kind::Rate, 100}}},
        // A wrapped growth of exactly half the range is no longer believable as one wrap.
        RateCase{"HalfRangeDropIsReset",
                 32,
                 {{at(0, 0x80000000u), Kind::None, 0}, {at(1, 0), Kind::Reset, 0}}},
        RateCase{"JustUnderHalfRangeIsWrap",
                 32,
                 {{at(0, 0x80000001u), Kind::None, 0}, {at(1, 0), Kind::Rate, 0x7FFFFFFFu}}},
        RateCase{"UpTimeBackIsResetEvenWhenTheValueGrew",
                 32,
                 {{ticked(0, 100, 50000), Kind::None, 0},
                  {ticked(1, 500, 20), Kind::Reset, 0},
                  {ticked(2, 700, 120), Kind::Rate, 200}}},
        // The agent's clock says 2 s passed although the console saw 1 s.
        RateCase{"UpTimeIsTheInterval",
                 32,
                 {{ticked(0, 0, 1000), Kind::None, 0}, {ticked(1, 400, 1200), Kind::Rate, 200}}},
        RateCase{"WallTimeWhenOneLacksUpTime",
                 32,
                 {{ticked(0, 0, 1000), Kind::None, 0}, {at(4, 400), Kind::Rate, 100}}},
        // A repeated reading adds nothing; the next one measures from the first.
        RateCase{"ZeroIntervalWaits",
                 32,
                 {{at(5, 100), Kind::None, 0},
                  {at(5, 150), Kind::None, 0},
                  {at(6, 300), Kind::Rate, 200}}},
        RateCase{"NegativeWallIntervalStartsAgain",
                 32,
                 {{at(5, 100), Kind::None, 0},
                  {at(3, 200), Kind::None, 0},
                  {at(4, 260), Kind::Rate, 60}}},
        RateCase{"ValueBeyondThe32BitRangeIsReset",
                 32,
                 {{at(0, 10), Kind::None, 0}, {at(1, 0x100000000ull), Kind::Reset, 0}}}),
    [](const ::testing::TestParamInfo<RateCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace gui
