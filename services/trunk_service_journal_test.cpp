// A batch of sets journaled: the Modify Trunking Service dialog's Apply sends the description
// and one command per group added or removed, each set a record with its own values before.

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "framework/mib/change_journal.h"
#include "resources/trunk_ids.h"
#include "services/modify_trunk_service_dialog.h"
#include "tests/support/page_fixture.h"

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::SizeIs;

TEST(TrunkServiceJournal, EverySetOfAnApplyIsARecordWithItsValuesBeforeAndSent) {
    const std::filesystem::path path = std::filesystem::temp_directory_path() /
                                       ("trunk_journal_" + std::to_string(getpid()) + ".jsonl");
    std::string error;
    auto journal = mib::ChangeJournal::open(path.string(), &error);
    ASSERT_NE(journal, nullptr) << error;
    test_support::PageFixture fixture;
    fixture.agent().SetChangeJournal(journal);

    CModifyTrunkServiceDialog dialog(nullptr);
    dialog.SetAgent(&fixture.agent());
    dialog.m_slot = 1;
    dialog.m_port = 1;
    const afx::ControlRef available = afx::ControlRef::withId(IDC_TRUNK_SERVICE_AVAILABLE);
    const afx::ControlRef serviced = afx::ControlRef::withId(IDC_TRUNK_SERVICE_SERVICED);
    fixture.driver().expectModal([&](afx::OperatorDriver& driver, HWND) {
        fixture.settle();
        ASSERT_TRUE(driver.choose(available, "9"));
        ASSERT_TRUE(driver.click("Add -->"));
        ASSERT_TRUE(driver.doubleClick(serviced, "3"));
        ASSERT_TRUE(driver.type("Service Description", "Core trunk"));
        driver.expectMessageBox(IDOK, "Success");
        ASSERT_TRUE(driver.press("Apply"));
        fixture.settle();
        fixture.advance(1000);
    });
    dialog.DoModal();
    ASSERT_TRUE(fixture.driver().verifyAllExpectedShown());

    mib::JournalContents read = mib::readJournal(path.string(), &error);
    std::filesystem::remove(path);
    EXPECT_THAT(read.warnings, IsEmpty());
    ASSERT_THAT(read.changes, SizeIs(3));
    std::vector<std::string> done;
    for (const mib::JournalChange& c : read.changes) {
        EXPECT_EQ(c.source.page, "CModifyTrunkServiceDialog");
        ASSERT_THAT(c.varbinds, SizeIs(1));
        done.push_back(c.varbinds[0].name + " " + c.varbinds[0].instance + " " +
                       mib::describeOutcome(c));
    }
    EXPECT_THAT(done, ElementsAre("v8021QServicesDescription 1.1 done", "v8021QCommand 1.1.9 done",
                                  "v8021QCommand 1.1.3 done"));
    EXPECT_EQ(read.changes[0].varbinds[0].before, mib::Value::makeString("Backbone trunk"));
    EXPECT_EQ(read.changes[0].varbinds[0].sent, mib::Value::makeString("Core trunk"));
    // Group 9 was not carried: its member row did not exist before the command made it.
    EXPECT_TRUE(read.changes[1].varbinds[0].before->isException());
    EXPECT_EQ(read.changes[1].varbinds[0].sent, mib::Value::makeInteger(1));
    ASSERT_TRUE(read.changes[2].varbinds[0].before.has_value());
    EXPECT_FALSE(read.changes[2].varbinds[0].before->isException());
    EXPECT_EQ(read.changes[2].varbinds[0].sent, mib::Value::makeInteger(2));
}

}  // namespace
