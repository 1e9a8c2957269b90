// The change journal: records and outcomes as the engine writes them around a SET, read back
// from the file, with torn and foreign lines skipped and named.

#include "framework/mib/change_journal.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>

#include "framework/mib/in_process_transport.h"
#include "framework/mib/mib_error.h"
#include "framework/mib/request_engine.h"

namespace mib {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::Not;

class TempJournal {
public:
    TempJournal()
        : m_dir(std::filesystem::temp_directory_path() /
                ("journal_test_" + std::to_string(getpid()) + "_" + std::to_string(s_count++))) {
        std::filesystem::create_directories(m_dir);
    }
    ~TempJournal() { std::filesystem::remove_all(m_dir); }
    std::string path() const { return (m_dir / "journal.jsonl").string(); }
    std::string text() const {
        std::ifstream in(path());
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    void append(const std::string& raw) const { std::ofstream(path(), std::ios::app) << raw; }

private:
    static inline int s_count = 0;
    std::filesystem::path m_dir;
};

const MibDictionary& dictionary() {
    return MibDictionary::builtin();
}

Oid instanceOid(const char* name, Oid instance) {
    Oid oid = dictionary().find(name)->oid;
    oid.insert(oid.end(), instance.begin(), instance.end());
    return oid;
}

JournalChange descriptionChange(const char* before, const char* sent) {
    JournalChange change;
    change.agentName = "demo-switch";
    change.source = {"CEnetPortStatusPage", 0};
    JournalVarbind vb;
    vb.name = "phyPortDescription";
    vb.instance = "1.2";
    vb.oid = instanceOid("phyPortDescription", {1, 2});
    vb.before = Value::makeString(before);
    vb.sent = Value::makeString(sent);
    change.varbinds.push_back(vb);
    return change;
}

TEST(ChangeJournal, RecordsReadBackWithTheirOutcomesAndIdsStayUniqueAcrossWriters) {
    TempJournal file;
    std::string error;
    auto first = ChangeJournal::open(file.path(), &error);
    ASSERT_NE(first, nullptr) << error;
    first->setAgentAddress("udp:127.0.0.1:16100");
    JournalChange a = descriptionChange("Port 1/2", "Lab printer");
    a.varbinds.push_back({"phyPortAdmStatus", "1.2", instanceOid("phyPortAdmStatus", {1, 2}),
                          std::nullopt, Value::makeInteger(2)});
    a.beforeNote = "the agent refused the read before: genErr";
    EXPECT_EQ(first->recordChange(a, dictionary(), &error), 1);

    // A second console on the same file takes the next id, and the first one learns it.
    auto second = ChangeJournal::open(file.path(), &error);
    ASSERT_NE(second, nullptr);
    JournalChange b = descriptionChange("Lab printer", "Printer\x01");
    EXPECT_EQ(second->recordChange(b, dictionary(), &error), 2);
    JournalChange c = descriptionChange("x", "y");
    EXPECT_EQ(first->recordChange(c, dictionary(), &error), 3);

    EXPECT_TRUE(first->recordOutcome(1, {true, ErrorStatus::NoError, 0, ""}, &error));
    EXPECT_TRUE(second->recordOutcome(2, {true, ErrorStatus::WrongValue, 1, ""}, &error));

    const JournalContents read = readJournal(file.path(), &error);
    EXPECT_THAT(read.warnings, IsEmpty());
    ASSERT_EQ(read.changes.size(), 3u);
    const JournalChange& one = read.changes[0];
    EXPECT_EQ(one.id, 1);
    EXPECT_EQ(one.agentName, "demo-switch");
    EXPECT_EQ(one.agentAddress, "udp:127.0.0.1:16100");
    EXPECT_FALSE(one.user.empty());
    EXPECT_EQ(one.source.page, "CEnetPortStatusPage");
    EXPECT_EQ(one.beforeNote, "the agent refused the read before: genErr");
    ASSERT_EQ(one.varbinds.size(), 2u);
    EXPECT_EQ(one.varbinds[0].before, Value::makeString("Port 1/2"));
    EXPECT_EQ(one.varbinds[0].sent, Value::makeString("Lab printer"));
    EXPECT_EQ(one.varbinds[0].oid, instanceOid("phyPortDescription", {1, 2}));
    EXPECT_FALSE(one.varbinds[1].before.has_value());
    EXPECT_EQ(one.varbinds[1].sent, Value::makeInteger(2));
    EXPECT_EQ(describeOutcome(one), "done");
    EXPECT_EQ(describeJournalValue(dictionary(), one.varbinds[1], one.varbinds[1].sent),
              "disabled(2)");
    // Bytes that are not text survive exactly.
    EXPECT_EQ(read.changes[1].varbinds[0].sent, Value::makeString("Printer\x01"));
    EXPECT_EQ(describeOutcome(read.changes[1]), "refused: wrongValue at varbind 1");
    EXPECT_EQ(describeOutcome(read.changes[2]), "sent, outcome unknown");
}

TEST(ChangeJournal, TornAndForeignLinesAreSkippedWithTheirLineNumbers) {
    TempJournal file;
    std::string error;
    auto journal = ChangeJournal::open(file.path(), &error);
    ASSERT_NE(journal, nullptr);
    JournalChange a = descriptionChange("a", "b");
    journal->recordChange(a, dictionary(), &error);
    file.append("this is not json\n");
    file.append(R"({"record":"outcome","id":77,"answered":true,"errorStatus":"noError"})"
                "\n");
    file.append(R"({"record":"change","id":"eight"})"
                "\n");
    file.append(R"({"record":"change","id":5,"varbi)");  // cut short by a crash

    JournalContents read = readJournal(file.path(), &error);
    EXPECT_THAT(read.warnings, ElementsAre(HasSubstr("line 2 is not valid JSON; skipped"),
                                           HasSubstr("line 3 gives the outcome of change 77"),
                                           HasSubstr("line 4 is not a valid journal record"),
                                           HasSubstr("line 5 is incomplete")));
    ASSERT_EQ(read.changes.size(), 1u);

    // The next record starts a line of its own, so only the torn line is lost.
    JournalChange b = descriptionChange("b", "c");
    EXPECT_EQ(journal->recordChange(b, dictionary(), &error), 2);
    read = readJournal(file.path(), &error);
    ASSERT_EQ(read.changes.size(), 2u);
    EXPECT_EQ(read.changes[1].id, 2);
    EXPECT_THAT(read.warnings.back(), HasSubstr("line 5 is not valid JSON"));
}

TEST(ChangeJournal, AJournalThatCannotBeWrittenSaysWhere) {
    std::string error;
    EXPECT_EQ(ChangeJournal::open("/nonexistent-dir/journal.jsonl", &error), nullptr);
    EXPECT_THAT(error, HasSubstr("/nonexistent-dir/journal.jsonl"));
    error.clear();
    const JournalContents none = readJournal("/nonexistent-dir/journal.jsonl", &error);
    EXPECT_TRUE(error.empty());
    EXPECT_THAT(none.changes, IsEmpty());
}

// A port table in a map; it checks, when a SET arrives, what the journal holds by then.
class JournalingAgent : public PduHandler {
public:
    explicit JournalingAgent(std::string journalPath) : m_journalPath(std::move(journalPath)) {}
    std::map<Oid, Value> store;
    std::vector<PduType> received;
    std::string journalAtSet;

    std::function<void()> onSet;
    ResponsePdu handle(const RequestPdu& pdu) override {
        received.push_back(pdu.type);
        ResponsePdu out;
        for (const VarBind& vb : pdu.varbinds) {
            if (pdu.type == PduType::Set) {
                store[vb.oid] = vb.value;
                out.varbinds.push_back(vb);
            } else {
                const auto it = store.find(vb.oid);
                out.varbinds.push_back({vb.oid, it == store.end()
                                                    ? Value::exception(ValueType::NoSuchInstance)
                                                    : it->second});
            }
        }
        if (pdu.type == PduType::Set) {
            std::ifstream in(m_journalPath);
            std::stringstream s;
            s << in.rdbuf();
            journalAtSet = s.str();
            if (onSet) {
                onSet();
            }
        }
        return out;
    }

private:
    std::string m_journalPath;
};

class EngineJournalTest : public ::testing::Test {
protected:
    EngineJournalTest() : m_agent(m_file.path()), m_transport(m_agent, m_loop) {
        m_loop.useVirtualClock(true);
        m_agent.store[instanceOid("phyPortDescription", {1, 2})] = Value::makeString("Port 1/2");
        m_agent.store[instanceOid("phyPortAdmStatus", {1, 2})] = Value::makeInteger(1);
    }
    RequestEngine& engine(std::shared_ptr<ChangeJournal> journal) {
        EngineSettings settings;
        settings.agentName = "demo-switch";
        m_engine = std::make_unique<RequestEngine>(dictionary(), m_transport, m_loop, settings);
        m_engine->setJournal(std::move(journal), {"CEnetPortStatusPage", 0});
        m_engine->setListener([this](long, bool ok) { m_outcomes.push_back(ok); });
        m_h = m_engine->open("", {"phyPortDescription", "phyPortAdmStatus"});
        m_engine->setInstance(m_h, {1, 2});
        m_engine->setReRead(m_h, false);
        return *m_engine;
    }
    void stageChange() {
        m_engine->setString(m_h, "phyPortDescription", "Lab printer");
        m_engine->setInteger(m_h, "phyPortAdmStatus", 2);
    }

    TempJournal m_file;
    afx::EventLoop m_loop;
    JournalingAgent m_agent;
    InProcessTransport m_transport;
    std::unique_ptr<RequestEngine> m_engine;
    long m_h = 0;
    std::vector<bool> m_outcomes;
};

TEST_F(EngineJournalTest, TheRecordIsOnDiskWithTheValuesBeforeWhenTheSetArrives) {
    std::string error;
    auto journal = ChangeJournal::open(m_file.path(), &error);
    engine(journal);
    stageChange();
    ASSERT_TRUE(m_engine->sendSet(m_h));
    m_loop.runUntilIdle();
    EXPECT_THAT(m_agent.received, ElementsAre(PduType::Get, PduType::Set));
    EXPECT_THAT(m_agent.journalAtSet, HasSubstr("\"record\":\"change\""));
    EXPECT_THAT(m_agent.journalAtSet, Not(HasSubstr("outcome")));
    EXPECT_THAT(m_outcomes, ElementsAre(true));

    const JournalContents read = readJournal(m_file.path(), &error);
    ASSERT_EQ(read.changes.size(), 1u);
    const JournalChange& change = read.changes[0];
    EXPECT_EQ(change.agentName, "demo-switch");
    ASSERT_EQ(change.varbinds.size(), 2u);
    EXPECT_EQ(change.varbinds[0].name, "phyPortDescription");
    EXPECT_EQ(change.varbinds[0].instance, "1.2");
    EXPECT_EQ(change.varbinds[0].before, Value::makeString("Port 1/2"));
    EXPECT_EQ(change.varbinds[0].sent, Value::makeString("Lab printer"));
    EXPECT_EQ(change.varbinds[1].before, Value::makeInteger(1));
    EXPECT_EQ(change.varbinds[1].sent, Value::makeInteger(2));
    EXPECT_EQ(describeOutcome(change), "done");
}

TEST_F(EngineJournalTest, ASetWithoutAnswerIsJournaledAsNoResponse) {
    std::string error;
    engine(ChangeJournal::open(m_file.path(), &error));
    m_engine->setTimeout(m_h, 1);
    m_engine->setRetries(m_h, 0);
    stageChange();
    ASSERT_TRUE(m_engine->sendSet(m_h));
    // The SET reaches the switch; its answer is lost.
    m_agent.onSet = [this] { m_transport.dropNextResponses(1); };
    m_loop.runUntilIdle();
    m_loop.advance(5000);
    EXPECT_THAT(m_outcomes, ElementsAre(false));
    EXPECT_EQ(m_engine->errorCode(m_h), kMibNoResponse);
    const JournalContents read = readJournal(m_file.path(), &error);
    ASSERT_EQ(read.changes.size(), 1u);
    EXPECT_THAT(describeOutcome(read.changes[0]), HasSubstr("no response"));
}

TEST_F(EngineJournalTest, WhenTheValuesBeforeCannotBeReadTheSetIsNotSent) {
    std::string error;
    engine(ChangeJournal::open(m_file.path(), &error));
    stageChange();
    m_transport.failNextRequest(TransportOutcome::Timeout, "no answer");
    ASSERT_TRUE(m_engine->sendSet(m_h));
    m_loop.runUntilIdle();
    EXPECT_THAT(m_agent.received, IsEmpty());
    EXPECT_THAT(m_outcomes, ElementsAre(false));
    EXPECT_EQ(m_engine->errorCode(m_h), kMibNoResponse);
    EXPECT_THAT(m_engine->errorText(m_h), HasSubstr("values before the set (not sent)"));
    EXPECT_THAT(readJournal(m_file.path(), &error).changes, IsEmpty());
}

TEST_F(EngineJournalTest, AChangeThatCannotBeJournaledIsNotSent) {
    std::string error;
    auto full = ChangeJournal::open("/dev/full", &error);
    ASSERT_NE(full, nullptr) << error;
    engine(full);
    stageChange();
    ASSERT_TRUE(m_engine->sendSet(m_h));
    m_loop.runUntilIdle();
    EXPECT_THAT(m_agent.received, ElementsAre(PduType::Get));
    EXPECT_THAT(m_outcomes, ElementsAre(false));
    EXPECT_EQ(m_engine->errorCode(m_h), kMibNotJournaled);
    EXPECT_THAT(m_engine->errorText(m_h), HasSubstr("/dev/full"));
    EXPECT_EQ(m_agent.store[instanceOid("phyPortAdmStatus", {1, 2})], Value::makeInteger(1));
}

TEST_F(EngineJournalTest, WithoutAJournalTheSetGoesAloneAndValuesKnownBeforeSaveTheRead) {
    engine(nullptr);
    stageChange();
    ASSERT_TRUE(m_engine->sendSet(m_h));
    m_loop.runUntilIdle();
    EXPECT_THAT(m_agent.received, ElementsAre(PduType::Set));

    std::string error;
    m_agent.received.clear();
    engine(ChangeJournal::open(m_file.path(), &error));
    m_engine->stageValue(m_h, "phyPortAdmStatus", Value::makeInteger(1));
    m_engine->setKnownBefore(m_h, {Value::makeInteger(2)});
    ASSERT_TRUE(m_engine->sendSet(m_h));
    m_loop.runUntilIdle();
    EXPECT_THAT(m_agent.received, ElementsAre(PduType::Set));
    const JournalContents read = readJournal(m_file.path(), &error);
    ASSERT_EQ(read.changes.size(), 1u);
    EXPECT_EQ(read.changes[0].varbinds[0].before, Value::makeInteger(2));
}

}  // namespace
}  // namespace mib
