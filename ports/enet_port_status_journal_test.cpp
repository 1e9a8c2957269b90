// The Status page's changes through the change journal and the preview, operated as a person
// would: what the journal records, what a preview shows, and a preview answered No.

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "framework/mib/change_journal.h"
#include "framework/mib/set_preview.h"
#include "ports/enet_port_status_page.h"
#include "tests/support/page_fixture.h"

namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::SizeIs;

constexpr const char* kPorts = "Physical Ports";

class StatusJournalTest : public ::testing::Test {
protected:
    StatusJournalTest()
        : m_path(std::filesystem::temp_directory_path() /
                 ("status_journal_" + std::to_string(getpid()) + ".jsonl")) {
        std::string error;
        m_journal = mib::ChangeJournal::open(m_path.string(), &error);
        m_journal->setAgentAddress("sim");
        m_fixture.agent().SetChangeJournal(m_journal);
    }
    ~StatusJournalTest() override { std::filesystem::remove(m_path); }

    CEnetPortStatusPage& openOnPort2() {
        m_fixture.select(1, 1, {{1, 1}, {1, 2}, {1, 3}});
        m_fixture.agent().GetTrace().setRecording(true);
        auto* page = new CEnetPortStatusPage;
        m_fixture.openSheet({page});
        m_fixture.settle();
        EXPECT_TRUE(m_fixture.driver().selectRow(kPorts, {"1", "2"}));
        m_fixture.settle();
        return *page;
    }
    void edit(const char* description, const char* admin) {
        ASSERT_TRUE(m_fixture.driver().type("Description", description));
        ASSERT_TRUE(m_fixture.driver().choose("Admin Status", admin));
    }
    std::vector<mib::JournalChange> changes() {
        std::string error;
        mib::JournalContents read = mib::readJournal(m_path.string(), &error);
        EXPECT_THAT(read.warnings, IsEmpty());
        return read.changes;
    }
    std::vector<std::string> pdus() { return trace().linesStartingWith("PDU"); }
    mib::MibTrace& trace() { return m_fixture.agent().GetTrace(); }
    std::string switchDescription() {
        return m_fixture.simulatedSwitch().read("phyPortDescription", {1, 2})->octets;
    }

    std::filesystem::path m_path;
    std::shared_ptr<mib::ChangeJournal> m_journal;
    test_support::PageFixture m_fixture;
};

TEST_F(StatusJournalTest, AnApplyIsJournaledWithTheValuesBeforeAndSentAndItsOutcome) {
    openOnPort2();
    edit("Lab printer", "disabled");
    trace().clear();
    ASSERT_TRUE(m_fixture.driver().press("Apply"));
    m_fixture.settle();
    // One GET of the staged varbinds just before the SET, nothing else added.
    const std::vector<std::string> sent = pdus();
    ASSERT_GE(sent.size(), 2u);
    EXPECT_EQ(sent[0], "PDU GET phyPortDescription.1.2, phyPortAdmStatus.1.2");
    EXPECT_THAT(sent[1], HasSubstr("PDU SET phyPortDescription.1.2=Lab printer"));

    const auto records = changes();
    ASSERT_THAT(records, SizeIs(1));
    const mib::JournalChange& change = records[0];
    EXPECT_EQ(change.agentName, "demo-switch");
    EXPECT_EQ(change.source.page, "CEnetPortStatusPage");
    ASSERT_THAT(change.varbinds, SizeIs(2));
    EXPECT_EQ(change.varbinds[0].name, "phyPortDescription");
    EXPECT_EQ(change.varbinds[0].instance, "1.2");
    EXPECT_EQ(change.varbinds[0].before, mib::Value::makeString("Port 1/2"));
    EXPECT_EQ(change.varbinds[0].sent, mib::Value::makeString("Lab printer"));
    EXPECT_EQ(change.varbinds[1].before, mib::Value::makeInteger(1));
    EXPECT_EQ(change.varbinds[1].sent, mib::Value::makeInteger(2));
    EXPECT_EQ(mib::describeOutcome(change), "done");
    EXPECT_EQ(switchDescription(), "Lab printer");

    // A second apply on the same port: its values before are the first one's values sent.
    edit("Spare", "enabled");
    ASSERT_TRUE(m_fixture.driver().press("Apply"));
    m_fixture.settle();
    const auto both = changes();
    ASSERT_THAT(both, SizeIs(2));
    EXPECT_EQ(both[1].id, both[0].id + 1);
    EXPECT_EQ(both[1].varbinds[0].before, mib::Value::makeString("Lab printer"));
    EXPECT_EQ(both[1].varbinds[1].before, mib::Value::makeInteger(2));
    EXPECT_EQ(both[1].varbinds[1].sent, mib::Value::makeInteger(1));
}

TEST_F(StatusJournalTest, ARefusedSetIsJournaledWithTheAgentsErrorStatus) {
    openOnPort2();
    edit("refused", "disabled");
    m_fixture.simulatedSwitch().failNextSet(mib::ErrorStatus::NoAccess);
    m_fixture.driver().expectMessageBox(IDOK, "Error");
    ASSERT_TRUE(m_fixture.driver().press("Apply"));
    m_fixture.settle();
    const auto records = changes();
    ASSERT_THAT(records, SizeIs(1));
    EXPECT_THAT(mib::describeOutcome(records[0]), HasSubstr("refused: noAccess"));
}

TEST_F(StatusJournalTest, APreviewShowsOldAndNewValuesAndYesSendsWithThatReadAsBefore) {
    CEnetPortStatusPage& page = openOnPort2();
    m_fixture.agent().SetPreviewSets(true);
    edit("Lab printer", "disabled");
    m_fixture.driver().expectMessageBox(IDYES, mib::kPreviewCaption);
    trace().clear();
    ASSERT_TRUE(m_fixture.driver().press("Apply"));
    m_fixture.settle();
    ASSERT_TRUE(m_fixture.driver().verifyAllExpectedShown());
    const auto& box = m_fixture.driver().shownMessageBoxes().back();
    EXPECT_EQ(box.style, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2));
    EXPECT_EQ(box.text,
              "Send this change to demo-switch?\n\n"
              "phyPortDescription 1.2: \"Port 1/2\" -> \"Lab printer\"\n"
              "phyPortAdmStatus 1.2: enabled(1) -> disabled(2)");
    // The preview's read is the journal's: one GET, then the SET.
    const std::vector<std::string> sent = pdus();
    ASSERT_GE(sent.size(), 2u);
    EXPECT_THAT(sent[0], HasSubstr("PDU GET phyPortDescription.1.2"));
    EXPECT_THAT(sent[1], HasSubstr("PDU SET"));
    EXPECT_EQ(switchDescription(), "Lab printer");
    EXPECT_FALSE(page.IsModified());
    ASSERT_THAT(changes(), SizeIs(1));
    EXPECT_EQ(changes()[0].varbinds[0].before, mib::Value::makeString("Port 1/2"));
}

TEST_F(StatusJournalTest, APreviewAnsweredNoSendsNothingAndLeavesThePageAsAfterARefusedSet) {
    CEnetPortStatusPage& page = openOnPort2();
    m_fixture.agent().SetPreviewSets(true);
    edit("Lab printer", "disabled");
    m_fixture.driver().expectMessageBox(IDNO, mib::kPreviewCaption);
    trace().clear();
    m_fixture.driver().press("Apply");
    m_fixture.settle();
    ASSERT_TRUE(m_fixture.driver().verifyAllExpectedShown());
    EXPECT_THAT(trace().linesStartingWith("PDU SET"), IsEmpty());
    EXPECT_THAT(trace().linesStartingWith("RequestTable"), IsEmpty());
    EXPECT_THAT(changes(), IsEmpty());
    EXPECT_EQ(switchDescription(), "Port 1/2");
    EXPECT_EQ(m_fixture.simulatedSwitch().read("phyPortAdmStatus", {1, 2})->integer, 1);
    // The operator's values stay for another try; the page is not waiting for an apply.
    EXPECT_TRUE(page.IsModified());
    std::string typed;
    ASSERT_TRUE(m_fixture.driver().read("Description", typed));
    EXPECT_EQ(typed, "Lab printer");

    // The next row read is an ordinary one, not the end of an apply.
    trace().clear();
    ASSERT_TRUE(m_fixture.driver().selectRow(kPorts, {"1", "1"}));
    m_fixture.settle();
    EXPECT_THAT(trace().linesStartingWith("RequestTable"), IsEmpty());
    EXPECT_THAT(trace().linesStartingWith("PDU SET"), IsEmpty());

    // Nothing declined is left staged for a later set.
    m_fixture.agent().SetPreviewSets(false);
    ASSERT_TRUE(m_fixture.driver().type("Description", "Uplink"));
    trace().clear();
    ASSERT_TRUE(m_fixture.driver().press("Apply"));
    m_fixture.settle();
    EXPECT_THAT(trace().linesStartingWith("PDU SET"),
                ElementsAre(HasSubstr("phyPortDescription.1.1=Uplink")));
}

TEST_F(StatusJournalTest, APreviewThatCannotReadTheValuesBeforeSaysSoAndSendsNothing) {
    CEnetPortStatusPage& page = openOnPort2();
    m_fixture.agent().SetPreviewSets(true);
    edit("Lab printer", "disabled");
    m_fixture.transport().failNextRequest(mib::TransportOutcome::Timeout, "no answer");
    m_fixture.driver().expectMessageBox(IDOK, mib::kPreviewCaption);
    trace().clear();
    m_fixture.driver().press("Apply");
    m_fixture.settle();
    ASSERT_TRUE(m_fixture.driver().verifyAllExpectedShown());
    const auto& box = m_fixture.driver().shownMessageBoxes().back();
    EXPECT_EQ(box.style, static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION));
    EXPECT_THAT(box.text, HasSubstr("Cannot read the values before the set from demo-switch"));
    EXPECT_THAT(box.text, HasSubstr("Nothing was sent."));
    EXPECT_THAT(trace().linesStartingWith("PDU SET"), IsEmpty());
    EXPECT_EQ(switchDescription(), "Port 1/2");
    EXPECT_TRUE(page.IsModified());
}

}  // namespace
