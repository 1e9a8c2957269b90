// The answers to recent SETs, replayed only to the very same request.

#include "agent/set_replay_cache.h"

#include <gtest/gtest.h>

namespace agent {
namespace {

using namespace std::chrono_literals;

mib::RequestPdu setOf(const std::string& text) {
    mib::RequestPdu pdu;
    pdu.type = mib::PduType::Set;
    pdu.varbinds = {{{1, 3, 6, 1, 2, 1, 1, 5, 0}, mib::Value::makeString(text)}};
    return pdu;
}

mib::ResponsePdu answer(mib::ErrorStatus status) {
    mib::ResponsePdu r;
    r.errorStatus = status;
    r.errorIndex = status == mib::ErrorStatus::NoError ? 0 : 1;
    return r;
}

TEST(SetReplayCacheTest, OnlyTheSameSenderRequestIdAndVarbindsGetTheAnswerAgain) {
    SetReplayCache cache;
    const auto t0 = SetReplayCache::Clock::time_point{};
    cache.remember("A", 7, setOf("x"), answer(mib::ErrorStatus::WrongValue), t0);

    auto again = cache.find("A", 7, setOf("x"), t0 + 1s);
    ASSERT_TRUE(again.has_value());
    EXPECT_EQ(again->errorStatus, mib::ErrorStatus::WrongValue);
    EXPECT_EQ(again->errorIndex, 1);

    EXPECT_FALSE(cache.find("B", 7, setOf("x"), t0)) << "another manager's request 7";
    EXPECT_FALSE(cache.find("A", 8, setOf("x"), t0)) << "a new request";
    EXPECT_FALSE(cache.find("A", 7, setOf("y"), t0)) << "a reused id with other values";
}

TEST(SetReplayCacheTest, ForgetsAfterItsLifetimeAndBeyondItsCapacity) {
    SetReplayCache cache(2, 10s);
    const auto t0 = SetReplayCache::Clock::time_point{};
    cache.remember("A", 1, setOf("1"), answer(mib::ErrorStatus::NoError), t0);
    EXPECT_TRUE(cache.find("A", 1, setOf("1"), t0 + 10s));
    EXPECT_FALSE(cache.find("A", 1, setOf("1"), t0 + 11s));

    cache.remember("A", 2, setOf("2"), answer(mib::ErrorStatus::NoError), t0 + 20s);
    cache.remember("A", 3, setOf("3"), answer(mib::ErrorStatus::NoError), t0 + 20s);
    cache.remember("A", 4, setOf("4"), answer(mib::ErrorStatus::NoError), t0 + 20s);
    EXPECT_FALSE(cache.find("A", 2, setOf("2"), t0 + 20s)) << "the oldest goes first";
    EXPECT_TRUE(cache.find("A", 3, setOf("3"), t0 + 20s));
    EXPECT_TRUE(cache.find("A", 4, setOf("4"), t0 + 20s));
}

}  // namespace
}  // namespace agent
