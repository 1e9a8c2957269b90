// The Net-SNMP transport against swsimd, Debian's snmpd, a silent socket and
// a lossy link.

#include <arpa/inet.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <optional>

#include "agent/wire_test_support.h"
#include "framework/mib/mib_agent.h"
#include "framework/mib/mib_comm.h"
#include "framework/mib/mib_comm_events.h"

namespace agent {
namespace {

using mib::PduType;
using mib::TransportOutcome;
using mib::Value;
using mib::ValueType;
using ::testing::HasSubstr;
using ::testing::Not;
using testing::request;
using testing::roundTrip;

const mib::Oid kSysName = {1, 3, 6, 1, 2, 1, 1, 5, 0};
const mib::Oid kEntry = {1, 3, 6, 1, 4, 1, 32473, 99, 1, 1};

mib::Oid column(std::uint32_t c, std::uint32_t row = 0) {
    mib::Oid oid = kEntry;
    oid.push_back(c);
    if (row != 0) {
        oid.push_back(row);
    }
    return oid;
}

mib::NetSnmpConfig v2c(int port, std::string community = "private") {
    mib::NetSnmpConfig config;
    config.address = testing::address(port);
    config.community = std::move(community);
    return config;
}

mib::NetSnmpConfig v3(int port) {
    mib::NetSnmpConfig config;
    config.address = testing::address(port);
    config.version = mib::SnmpVersion::V3;
    config.user = "admin";
    config.authPassword = testing::kAuthPass;
    config.privPassword = testing::kPrivPass;
    return config;
}

class TransportWireTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        s_daemon = testing::startSwsimd(
                       {"--synthetic-table", "500x15", "--v3-user", "admin", "--auth-pass",
                        testing::kAuthPass, "--priv-pass", testing::kPrivPass},
                       &s_port)
                       .release();
    }
    static void TearDownTestSuite() {
        delete s_daemon;
        s_daemon = nullptr;
    }
    void SetUp() override { ASSERT_NE(s_daemon, nullptr); }

    afx::EventLoop m_loop;
    static DaemonProcess* s_daemon;
    static int s_port;
};
DaemonProcess* TransportWireTest::s_daemon = nullptr;
int TransportWireTest::s_port = 0;

TEST_F(TransportWireTest, GetGetNextAndSetRoundTrip) {
    mib::NetSnmpTransport transport(v2c(s_port), m_loop);

    auto get =
        roundTrip(m_loop, transport,
                  request(PduType::Get, {kSysName, column(6, 3), {1, 3, 6, 1, 2, 1, 1, 9, 0}}));
    ASSERT_EQ(get.outcome, TransportOutcome::Response) << get.message;
    ASSERT_EQ(get.response.varbinds.size(), 3u);
    EXPECT_EQ(get.response.varbinds[0].value, Value::makeString("swsimd"));
    EXPECT_EQ(get.response.varbinds[1].value, Value::makeCounter64((1ull << 40) + 3));
    EXPECT_EQ(get.response.varbinds[2].value.type, ValueType::NoSuchInstance);

    auto next =
        roundTrip(m_loop, transport, request(PduType::GetNext, {column(7), column(8, 500)}));
    ASSERT_EQ(next.outcome, TransportOutcome::Response) << next.message;
    EXPECT_EQ(next.response.varbinds[0],
              (mib::VarBind{column(7, 1), Value::makeIpAddress(10, 0, 0, 1)}));
    EXPECT_EQ(next.response.varbinds[1].oid, column(9, 1));

    mib::RequestPdu set;
    set.type = PduType::Set;
    set.varbinds = {{column(2, 4), Value::makeString("uplink")}};
    auto done = roundTrip(m_loop, transport, set);
    ASSERT_EQ(done.outcome, TransportOutcome::Response) << done.message;
    EXPECT_EQ(done.response.errorStatus, mib::ErrorStatus::NoError);
    auto back = roundTrip(m_loop, transport, request(PduType::Get, {column(2, 4)}));
    EXPECT_EQ(back.response.varbinds.at(0).value, Value::makeString("uplink"));

    set.varbinds = {{column(2, 5), Value::makeString("a")},
                    {column(3, 5), Value::makeCounter32(1)}};
    auto refused = roundTrip(m_loop, transport, set);
    ASSERT_EQ(refused.outcome, TransportOutcome::Response);
    EXPECT_EQ(refused.response.errorStatus, mib::ErrorStatus::NotWritable);
    EXPECT_EQ(refused.response.errorIndex, 2);
}

TEST_F(TransportWireTest, GetBulkFillsAPduWithWholeRowsAndEndsAtEndOfMibView) {
    mib::NetSnmpTransport transport(v2c(s_port, "public"), m_loop);
    const int reps = transport.bulkRepetitions(15);
    ASSERT_GE(reps, 50);
    std::vector<mib::Oid> columns;
    for (std::uint32_t c = 1; c <= 15; ++c) {
        columns.push_back(column(c));
    }
    mib::RequestPdu bulk = request(PduType::GetBulk, columns);
    bulk.maxRepetitions = reps;
    auto result = roundTrip(m_loop, transport, bulk);
    ASSERT_EQ(result.outcome, TransportOutcome::Response) << result.message;
    ASSERT_EQ(result.response.varbinds.size(), static_cast<std::size_t>(reps) * 15)
        << "the whole PDU must come back, not a truncated one";
    for (int row = 0; row < reps; ++row) {
        for (std::uint32_t c = 1; c <= 15; ++c) {
            EXPECT_EQ(result.response.varbinds[static_cast<std::size_t>(row) * 15 + c - 1].oid,
                      column(c, static_cast<std::uint32_t>(row + 1)));
        }
    }
    bulk = request(PduType::GetBulk, {column(15, 499)});
    bulk.maxRepetitions = 3;
    auto tail = roundTrip(m_loop, transport, bulk);
    // The agent may stop after the first endOfMibView.
    ASSERT_GE(tail.response.varbinds.size(), 2u);
    EXPECT_EQ(tail.response.varbinds[0].oid, column(15, 500));
    EXPECT_EQ(tail.response.varbinds[1].value.type, ValueType::EndOfMibView);
}

TEST_F(TransportWireTest, SnmpV3AuthPrivAndAWrongPasswordSaySo) {
    mib::NetSnmpConfig config = v3(s_port);
    {
        mib::NetSnmpTransport good(config, m_loop);
        auto ok = roundTrip(m_loop, good, request(PduType::Get, {kSysName}));
        ASSERT_EQ(ok.outcome, TransportOutcome::Response) << ok.message;
        EXPECT_EQ(ok.response.varbinds.at(0).value, Value::makeString("swsimd"));
    }

    config.authPassword = "not-the-password";
    mib::NetSnmpTransport bad(config, m_loop);
    auto refused = roundTrip(m_loop, bad, request(PduType::Get, {kSysName}));
    EXPECT_EQ(refused.outcome, TransportOutcome::AuthFailed) << refused.message;
    EXPECT_THAT(refused.message, HasSubstr("authentication"));
    EXPECT_THAT(refused.message, HasSubstr(testing::address(s_port)));
    for (const std::string& text : {refused.message, bad.describe()}) {
        EXPECT_THAT(text, Not(HasSubstr("not-the-password")));
        EXPECT_THAT(text, Not(HasSubstr(testing::kPrivPass)));
    }
}

TEST_F(TransportWireTest, SnmpV3RequestsSentDuringEngineDiscoveryWaitForItAndShareIt) {
    mib::NetSnmpTransport transport(v3(s_port), m_loop);
    std::vector<mib::TransportResult> results;
    bool cancelledCalled = false;
    transport.send(request(PduType::Get, {kSysName}), {2, 1},
                   [&](const mib::TransportResult& r) { results.push_back(r); });
    const auto cancelled =
        transport.send(request(PduType::Get, {kSysName}), {2, 1},
                       [&](const mib::TransportResult&) { cancelledCalled = true; });
    transport.send(request(PduType::GetNext, {column(7)}), {2, 1},
                   [&](const mib::TransportResult& r) { results.push_back(r); });
    transport.cancel(cancelled);
    EXPECT_TRUE(results.empty()) << "never inside send()";
    EXPECT_EQ(transport.discoveriesSent(), 1u);
    EXPECT_EQ(transport.requestsSent(), 0u) << "requests wait for the engine ID";
    EXPECT_EQ(transport.pendingCount(), 3u) << "the probe and the two waiting requests";

    ASSERT_TRUE(m_loop.runUntil([&] { return results.size() == 2; }, 10000));
    m_loop.runUntil([] { return false; }, 100);
    EXPECT_FALSE(cancelledCalled);
    ASSERT_EQ(results[0].outcome, TransportOutcome::Response) << results[0].message;
    EXPECT_EQ(results[0].response.varbinds.at(0).value, Value::makeString("swsimd"));
    ASSERT_EQ(results[1].outcome, TransportOutcome::Response) << results[1].message;
    EXPECT_EQ(results[1].response.varbinds.at(0).oid, column(7, 1));
    EXPECT_EQ(transport.requestsSent(), 2u) << "the cancelled request is never sent";
    EXPECT_EQ(transport.pendingCount(), 0u);

    auto again = roundTrip(m_loop, transport, request(PduType::Get, {kSysName}));
    EXPECT_EQ(again.outcome, TransportOutcome::Response) << again.message;
    EXPECT_EQ(transport.discoveriesSent(), 1u) << "the engine ID is kept by the session";
}

TEST_F(TransportWireTest, AWrongCommunityTimesOutNamingTheAgent) {
    mib::NetSnmpTransport transport(v2c(s_port, "wrong"), m_loop);
    auto result = roundTrip(m_loop, transport, request(PduType::Get, {kSysName}), {1, 0});
    EXPECT_EQ(result.outcome, TransportOutcome::Timeout);
    EXPECT_THAT(result.message, HasSubstr(testing::address(s_port)));
    EXPECT_THAT(result.message, HasSubstr("community"));
}

TEST_F(TransportWireTest, CancelPreventsTheCompletion) {
    mib::NetSnmpTransport transport(v2c(s_port), m_loop);
    bool called = false;
    const auto ticket = transport.send(request(PduType::Get, {kSysName}), {2, 0},
                                       [&](const mib::TransportResult&) { called = true; });
    transport.cancel(ticket);
    bool other = false;
    transport.send(request(PduType::Get, {kSysName}), {2, 0},
                   [&](const mib::TransportResult&) { other = true; });
    EXPECT_FALSE(other) << "never inside send()";
    m_loop.runUntil([&] { return other; }, 5000);
    m_loop.runUntil([] { return false; }, 100);
    EXPECT_TRUE(other);
    EXPECT_FALSE(called);
}

// A UDP socket bound on loopback, for agents that never answer or a relay.
class LoopbackSocket {
public:
    LoopbackSocket() : m_fd(socket(AF_INET, SOCK_DGRAM, 0)) {
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t len = sizeof addr;
        bind(m_fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
        getsockname(m_fd, reinterpret_cast<sockaddr*>(&addr), &len);
        m_port = ntohs(addr.sin_port);
    }
    ~LoopbackSocket() { close(m_fd); }
    int fd() const { return m_fd; }
    int port() const { return m_port; }

private:
    int m_fd;
    int m_port = 0;
};

TEST(TransportTimeoutTest, ASilentAgentTimesOutAfterEveryTry) {
    afx::EventLoop loop;
    LoopbackSocket silent;
    mib::NetSnmpTransport transport(v2c(silent.port()), loop);
    const auto start = std::chrono::steady_clock::now();
    auto result = roundTrip(loop, transport, request(PduType::Get, {kSysName}), {1, 1});
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_EQ(result.outcome, TransportOutcome::Timeout);
    EXPECT_THAT(result.message, HasSubstr("after 2 tries of 1 s"));
    EXPECT_GE(seconds, 1.9);
    EXPECT_LT(seconds, 3.5);
}

// Datagrams waiting on a socket, read and counted.
int drainDatagrams(int fd) {
    int count = 0;
    char buffer[65536];
    while (recv(fd, buffer, sizeof buffer, MSG_DONTWAIT) >= 0) {
        ++count;
    }
    return count;
}

TEST(TransportTimeoutTest, ASilentSnmpV3AgentTimesOutInEngineDiscovery) {
    afx::EventLoop loop;
    LoopbackSocket silent;
    mib::NetSnmpTransport transport(v3(silent.port()), loop);
    std::optional<mib::TransportResult> first;
    std::optional<mib::TransportResult> second;
    bool cancelledCalled = false;
    const auto start = std::chrono::steady_clock::now();
    transport.send(request(PduType::Get, {kSysName}), {1, 1},
                   [&](const mib::TransportResult& r) { first = r; });
    const double sendSeconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    transport.send(request(PduType::GetNext, {kSysName}), {1, 1},
                   [&](const mib::TransportResult& r) { second = r; });
    transport.cancel(transport.send(request(PduType::Get, {kSysName}), {1, 1},
                                    [&](const mib::TransportResult&) { cancelledCalled = true; }));
    EXPECT_LT(sendSeconds, 0.2) << "send() must not wait for the agent";
    EXPECT_FALSE(first.has_value());
    EXPECT_EQ(transport.discoveriesSent(), 1u);

    loop.runUntil([&] { return first.has_value() && second.has_value(); }, 10000);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    loop.runUntil([] { return false; }, 100);
    ASSERT_TRUE(first.has_value());
    ASSERT_TRUE(second.has_value());
    EXPECT_FALSE(cancelledCalled);
    for (const mib::TransportResult* r : {&*first, &*second}) {
        EXPECT_EQ(r->outcome, TransportOutcome::Timeout) << r->message;
        EXPECT_THAT(r->message, HasSubstr(testing::address(silent.port())));
        EXPECT_THAT(r->message, HasSubstr("engine discovery after 2 tries of 1 s"));
    }
    EXPECT_GE(seconds, 1.9);
    EXPECT_LT(seconds, 3.5);
    EXPECT_EQ(drainDatagrams(silent.fd()), 2) << "one probe, retried once; no request";
    EXPECT_EQ(transport.requestsSent(), 0u);
    EXPECT_EQ(transport.pendingCount(), 0u);

    // The next request discovers again, without blocking either.
    std::optional<mib::TransportResult> third;
    const auto again = std::chrono::steady_clock::now();
    transport.send(request(PduType::Get, {kSysName}), {1, 0},
                   [&](const mib::TransportResult& r) { third = r; });
    EXPECT_LT(std::chrono::duration<double>(std::chrono::steady_clock::now() - again).count(), 0.2);
    EXPECT_EQ(transport.discoveriesSent(), 2u);
    loop.runUntil([&] { return third.has_value(); }, 5000);
    ASSERT_TRUE(third.has_value());
    EXPECT_EQ(third->outcome, TransportOutcome::Timeout);
    EXPECT_THAT(third->message, HasSubstr("engine discovery after 1 tries of 1 s"));
}

// Relays between a manager and swsimd, dropping the first `drops` responses.
class LossyRelay {
public:
    LossyRelay(afx::EventLoop& loop, int agentPort, int drops) : m_loop(loop), m_drops(drops) {
        m_agent.sin_family = AF_INET;
        m_agent.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        m_agent.sin_port = htons(static_cast<std::uint16_t>(agentPort));
        m_watch = loop.watchFd(m_socket.fd(), [this] { relay(); });
    }
    ~LossyRelay() { m_loop.unwatchFd(m_watch); }
    int port() const { return m_socket.port(); }
    int requests() const { return m_requests; }

private:
    void relay() {
        char buffer[65536];
        sockaddr_in from{};
        socklen_t len = sizeof from;
        const ssize_t n = recvfrom(m_socket.fd(), buffer, sizeof buffer, 0,
                                   reinterpret_cast<sockaddr*>(&from), &len);
        if (n <= 0) {
            return;
        }
        if (from.sin_port == m_agent.sin_port) {
            if (m_drops > 0) {
                --m_drops;
                return;
            }
            sendto(m_socket.fd(), buffer, static_cast<std::size_t>(n), 0,
                   reinterpret_cast<sockaddr*>(&m_manager), sizeof m_manager);
        } else {
            m_manager = from;
            ++m_requests;
            sendto(m_socket.fd(), buffer, static_cast<std::size_t>(n), 0,
                   reinterpret_cast<sockaddr*>(&m_agent), sizeof m_agent);
        }
    }
    afx::EventLoop& m_loop;
    LoopbackSocket m_socket;
    sockaddr_in m_agent{};
    sockaddr_in m_manager{};
    int m_drops;
    int m_requests = 0;
    afx::EventLoop::WatchId m_watch = 0;
};

TEST(TransportLossTest, ARetriedSetWhoseResponseWasLostIsAppliedOnce) {
    int port = 0;
    auto daemon = testing::startSwsimd({"--synthetic-table", "10"}, &port);
    ASSERT_NE(daemon, nullptr);
    afx::EventLoop loop;
    LossyRelay relay(loop, port, 1);
    mib::NetSnmpTransport transport(v2c(relay.port()), loop);
    mib::RequestPdu set;
    set.type = PduType::Set;
    set.varbinds = {{kSysName, Value::makeString("after-loss")}};
    auto result = roundTrip(loop, transport, set, {1, 2});
    ASSERT_EQ(result.outcome, TransportOutcome::Response) << result.message;
    EXPECT_EQ(result.response.errorStatus, mib::ErrorStatus::NoError);
    EXPECT_EQ(relay.requests(), 2);
    daemon->stop();
    EXPECT_THAT(daemon->output(), HasSubstr("1 sets applied, 1 retried sets answered from cache"));
}

TEST(TransportLossTest, ALostEngineDiscoveryAnswerIsRetriedOrDiscoveredAgain) {
    int port = 0;
    auto daemon = testing::startSwsimd({"--v3-user", "admin", "--auth-pass", testing::kAuthPass,
                                        "--priv-pass", testing::kPrivPass},
                                       &port);
    ASSERT_NE(daemon, nullptr);
    {
        // The agent's report is lost once: the probe's retry gets it.
        afx::EventLoop loop;
        LossyRelay relay(loop, port, 1);
        mib::NetSnmpTransport transport(v3(relay.port()), loop);
        auto result = roundTrip(loop, transport, request(PduType::Get, {kSysName}), {1, 1});
        ASSERT_EQ(result.outcome, TransportOutcome::Response) << result.message;
        EXPECT_EQ(result.response.varbinds.at(0).oid, kSysName);
        EXPECT_EQ(relay.requests(), 3) << "probe, its retry, the GET";
        EXPECT_EQ(transport.discoveriesSent(), 1u);
    }
    {
        // Without retries the first request fails; the next one discovers anew.
        afx::EventLoop loop;
        LossyRelay relay(loop, port, 1);
        mib::NetSnmpTransport transport(v3(relay.port()), loop);
        auto lost = roundTrip(loop, transport, request(PduType::Get, {kSysName}), {1, 0});
        EXPECT_EQ(lost.outcome, TransportOutcome::Timeout) << lost.message;
        EXPECT_THAT(lost.message, HasSubstr("engine discovery"));
        auto result = roundTrip(loop, transport, request(PduType::Get, {kSysName}), {1, 0});
        ASSERT_EQ(result.outcome, TransportOutcome::Response) << result.message;
        EXPECT_EQ(transport.discoveriesSent(), 2u);
        EXPECT_EQ(transport.requestsSent(), 1u);
    }
}

class Owner : public CMibCommEvents {
public:
    void OnRequestDone(int) override { done = ok = true; }
    void OnError(int) override { done = true; }
    bool done = false;
    bool ok = false;
};

// CMibComm over the Net-SNMP transport, as a page uses it.
struct Engine {
    Engine(afx::EventLoop& loop, int port) {
        agent.SetEventLoop(&loop);
        agent.SetTransport(std::make_shared<mib::NetSnmpTransport>(v2c(port), loop));
        comm.SetAgent(&agent);
        comm.SetOwner(&owner);
    }
    long openSysName(short timeout, short retries) {
        const LPCTSTR names[] = {"sysName"};
        const long h = comm.OpenRequest(0, "system", names, 1);
        comm.SetTimeout(h, timeout);
        comm.SetRetries(h, retries);
        return h;
    }
    CMibAgent agent;
    CMibComm comm;
    Owner owner;
};

TEST(EngineOverSnmpTest, ASilentAgentGivesNoResponseAfterTimeoutTimesTries) {
    afx::EventLoop loop;
    LoopbackSocket silent;
    Engine engine(loop, silent.port());
    const long h = engine.openSysName(1, 2);
    const auto start = std::chrono::steady_clock::now();
    ASSERT_TRUE(engine.comm.RequestRow(h));
    loop.runUntil([&] { return engine.owner.done; }, 10000);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    ASSERT_TRUE(engine.owner.done);
    EXPECT_FALSE(engine.owner.ok);
    EXPECT_EQ(engine.comm.GetErrorCode(h), -7);
    EXPECT_THAT(std::string(engine.comm.GetErrorText(h)),
                HasSubstr(testing::address(silent.port())));
    EXPECT_GE(seconds, 2.9);
    EXPECT_LT(seconds, 4.5);
}

TEST(EngineOverSnmpTest, ASetWhoseResponseIsLostIsRetriedAndAppliedOnce) {
    int port = 0;
    auto daemon = testing::startSwsimd({"--synthetic-table", "10"}, &port);
    ASSERT_NE(daemon, nullptr);
    afx::EventLoop loop;
    LossyRelay relay(loop, port, 1);
    Engine engine(loop, relay.port());
    const long h = engine.openSysName(1, 2);
    engine.comm.SetReRead(h, FALSE);
    ASSERT_TRUE(engine.comm.SetString(h, "sysName", "set-through-loss"));
    ASSERT_TRUE(engine.comm.SendSet(h));
    loop.runUntil([&] { return engine.owner.done; }, 10000);
    EXPECT_TRUE(engine.owner.ok) << engine.comm.GetErrorText(h);
    EXPECT_EQ(relay.requests(), 2);
    daemon->stop();
    EXPECT_THAT(daemon->output(), HasSubstr("1 sets applied, 1 retried sets answered from cache"));
}

// Answers every request with what a broken or confused agent sends.
class FakeAgent {
public:
    enum class Mode { Garbage, AnotherRequest };
    FakeAgent(afx::EventLoop& loop, Mode mode) : m_loop(loop), m_mode(mode) {
        m_watch = loop.watchFd(m_socket.fd(), [this] { answer(); });
    }
    ~FakeAgent() { m_loop.unwatchFd(m_watch); }
    int port() const { return m_socket.port(); }
    int answered() const { return m_answered; }

private:
    void answer() {
        unsigned char b[2048];
        sockaddr_in from{};
        socklen_t len = sizeof from;
        const ssize_t n =
            recvfrom(m_socket.fd(), b, sizeof b, 0, reinterpret_cast<sockaddr*>(&from), &len);
        if (n < 16) {
            return;
        }
        std::size_t size = static_cast<std::size_t>(n);
        if (m_mode == Mode::Garbage) {
            b[0] = 0x31;  // not a SEQUENCE
            size /= 2;
        } else {
            // SEQUENCE, version, community, then the PDU: its tag becomes a
            // response's and its request-id another one's (short lengths only).
            const std::size_t pdu = 2 + 3 + 2 + b[6];
            b[pdu] = 0xA2;
            b[pdu + 3 + b[pdu + 3]] ^= 1;
        }
        sendto(m_socket.fd(), b, size, 0, reinterpret_cast<sockaddr*>(&from), len);
        ++m_answered;
    }
    afx::EventLoop& m_loop;
    LoopbackSocket m_socket;
    Mode m_mode;
    int m_answered = 0;
    afx::EventLoop::WatchId m_watch = 0;
};

TEST(TransportBadAnswerTest, GarbageOrAnAnswerToAnotherRequestIsNeverTakenAsTheAnswer) {
    for (const auto mode : {FakeAgent::Mode::Garbage, FakeAgent::Mode::AnotherRequest}) {
        afx::EventLoop loop;
        FakeAgent fake(loop, mode);
        mib::NetSnmpTransport transport(v2c(fake.port()), loop);
        auto result = roundTrip(loop, transport, request(PduType::Get, {kSysName}), {1, 1});
        EXPECT_EQ(result.outcome, TransportOutcome::Timeout) << result.message;
        EXPECT_THAT(result.message, HasSubstr(testing::address(fake.port())));
        EXPECT_EQ(fake.answered(), 2) << "each try was answered, wrongly";
    }
}

TEST(SnmpdInteropTest, ReadsSysNameFromDebianSnmpd) {
    if (!std::filesystem::exists("/usr/sbin/snmpd")) {
        GTEST_SKIP() << "snmpd is not installed";
    }
    const auto dir =
        std::filesystem::temp_directory_path() / ("sw-snmpd-" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    const auto conf = dir / "snmpd.conf";
    std::ofstream(conf) << "rocommunity interop 127.0.0.1\nsysName interop-snmpd\n"
                        << "persistentDir " << dir.string() << "\n";
    const int port = freeUdpPort();
    DaemonProcess snmpd;
    std::string error;
    ASSERT_TRUE(snmpd.start({"/usr/sbin/snmpd", "-f", "-Lo", "-C", "-c", conf.string(),
                             "udp:127.0.0.1:" + std::to_string(port)},
                            "NET-SNMP version", 10000, &error))
        << error;
    afx::EventLoop loop;
    mib::NetSnmpTransport transport(v2c(port, "interop"), loop);
    auto result = roundTrip(loop, transport, request(PduType::Get, {kSysName}), {1, 3});
    ASSERT_EQ(result.outcome, TransportOutcome::Response) << result.message << snmpd.output();
    EXPECT_EQ(result.response.varbinds.at(0).value, Value::makeString("interop-snmpd"));
    snmpd.stop();
    std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace agent
