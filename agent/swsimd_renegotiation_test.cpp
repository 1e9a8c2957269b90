// swsimd while a port renegotiates: a request sent meanwhile is not lost but answered once the
// port is back, as the simulated switch does in process.

#include <gtest/gtest.h>

#include <chrono>

#include "agent/wire_test_support.h"
#include "framework/mib/mib_dictionary.h"

namespace agent {
namespace {

mib::Oid portCell(const char* name) {
    mib::Oid oid = mib::MibDictionary::builtin().find(name)->oid;
    oid.push_back(1);
    oid.push_back(6);
    return oid;
}

TEST(SwsimdRenegotiationTest, ARequestSentWhileAPortRenegotiatesIsAnsweredWhenItIsBack) {
    int port = 0;
    auto daemon = testing::startSwsimd({}, &port);
    ASSERT_NE(daemon, nullptr);
    afx::EventLoop loop;
    mib::NetSnmpConfig config;
    config.address = testing::address(port);
    config.community = "private";
    mib::NetSnmpTransport transport(config, loop);

    mib::RequestPdu enable;
    enable.type = mib::PduType::Set;
    enable.varbinds = {{portCell("mesmPortAutoNegotiate"), mib::Value::makeInteger(2)},
                       {portCell("mesmPortCfgDuplexMode"), mib::Value::makeInteger(3)}};
    const auto set = testing::roundTrip(loop, transport, enable, {2, 0});
    ASSERT_EQ(set.outcome, mib::TransportOutcome::Response) << set.message;
    ASSERT_EQ(set.response.errorStatus, mib::ErrorStatus::NoError);

    const auto start = std::chrono::steady_clock::now();
    mib::RequestPdu get;
    get.type = mib::PduType::Get;
    get.varbinds = {{portCell("mesmPortAutoDuplexMode"), mib::Value::null()}};
    const auto back = testing::roundTrip(loop, transport, get, {20, 0});
    const auto waited = std::chrono::steady_clock::now() - start;
    ASSERT_EQ(back.outcome, mib::TransportOutcome::Response) << back.message;
    EXPECT_EQ(back.response.varbinds.at(0).value.integer, 1) << "negotiated full duplex";
    EXPECT_GE(waited, std::chrono::milliseconds(3000)) << "the demo port renegotiates for 4 s";
}

}  // namespace
}  // namespace agent
