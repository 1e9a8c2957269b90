// The Trunking page in a sheet over the simulated switch, operated as a person would.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "frame/torvik_res.h"
#include "framework/sw/default_icons.h"
#include "framework/sw/help_engine.h"
#include "resources/trunk_ids.h"
#include "services/enet_trunk_page.h"
#include "tests/support/page_fixture.h"
#include "tests/support/trunking_helpers.h"

namespace {

using test_support::carriedGroups;
using test_support::listRows;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

// A page of another service kind: the flags set before the variables are taken.
class KindPage : public CEnetTrunkPage {
public:
    KindPage(int dot10, int dot1Q, int domainBridging) : m_flags{dot10, dot1Q, domainBridging} {}
    void InitPage() override {
        CEnetTrunkPage::InitPage();
        m_dot10Flag = m_flags[0];
        m_dot1QFlag = m_flags[1];
        m_domainBridgingFlag = m_flags[2];
        TakeKindVariables();
    }

private:
    int m_flags[3];
};

class TrunkPageTest : public ::testing::Test {
protected:
    CEnetTrunkPage& open(int slot, int port, CEnetTrunkPage* page = nullptr) {
        m_fixture.select(slot, port);
        m_fixture.agent().GetTrace().setRecording(true);
        if (page == nullptr) {
            CTorvikRes registry;
            page = dynamic_cast<CEnetTrunkPage*>(registry.GetPage("Trunk"));
            EXPECT_NE(page, nullptr);
        }
        m_fixture.openSheet({page});
        m_fixture.settle();
        return *page;
    }
    std::vector<std::string> rows() { return listRows(m_fixture.control(IDC_TRUNK_GROUP_LIST)); }

    test_support::PageFixture m_fixture;
};

TEST_F(TrunkPageTest, ShowsTheServiceOfItsPortAndTheGroupsItCarries) {
    CEnetTrunkPage& page = open(1, 1);
    EXPECT_EQ(m_fixture.text(IDC_TRUNK_SLOT_PORT), "1 / 1");
    EXPECT_EQ(m_fixture.text(IDC_TRUNK_DESCRIPTION_GROUP), "802.1Q Service Description");
    EXPECT_EQ(m_fixture.text(IDC_TRUNK_DESCRIPTION), "Backbone trunk");
    EXPECT_THAT(rows(), ElementsAre("2 Engineering", "3 Sales", "7 Voice"));
    for (const afx::ListRow& row :
         afx::windows().find(m_fixture.control(IDC_TRUNK_GROUP_LIST))->rows) {
        EXPECT_EQ(row.image, sw::kIconGroup);
    }
    EXPECT_EQ(page.m_loaded, 1);
    EXPECT_EQ(page.m_noDescription, 0);
    EXPECT_FALSE(page.IsModified());

    // Services, then members, then groups, each read once, in that order.
    const std::vector<std::string> reads = m_fixture.trace().linesStartingWith("RequestTable");
    ASSERT_EQ(reads.size(), 3u);
    EXPECT_EQ(reads[0], "RequestTable(" + std::to_string(page.m_servicesRequest) + ")");
    EXPECT_EQ(reads[1], "RequestTable(" + std::to_string(page.m_membersRequest) + ")");
    EXPECT_EQ(reads[2], "RequestTable(" + std::to_string(page.m_groupRequest) + ")");
    EXPECT_THAT(m_fixture.trace().linesStartingWith("SendSet"), IsEmpty());
}

TEST_F(TrunkPageTest, NoServiceAndAnEmptyDescriptionBothShowNoServiceDescription) {
    CEnetTrunkPage& bare = open(1, 5);  // no service at all
    EXPECT_EQ(m_fixture.text(IDC_TRUNK_DESCRIPTION), "<No Service Description>");
    EXPECT_THAT(rows(), IsEmpty());
    EXPECT_EQ(bare.m_noDescription, 1);

    CEnetTrunkPage& unnamed = open(1, 2);  // a service with an empty description
    EXPECT_EQ(m_fixture.text(IDC_TRUNK_DESCRIPTION), "<No Service Description>");
    EXPECT_THAT(rows(), ElementsAre("9 Guests"));  // listed whatever its mode
    EXPECT_EQ(unnamed.m_noDescription, 1);
}

struct ServiceKindCase {
    int dot10, dot1Q, domainBridging;
    int slot, port;
    const char* title;
    const char* description;
    std::vector<std::string> groups;
};

const ServiceKindCase kServiceKinds[] = {
    {1, 0, 0, 2, 2, "802.10 Service Description", "Secure trunk", {"2 Engineering"}},
    {1, 1, 1, 2, 2, "802.10 Service Description", "Secure trunk", {"2 Engineering"}},
    {0,
     1,
     1,
     1,
     1,
     "802.1Q Service Description",
     "Backbone trunk",
     {"2 Engineering", "3 Sales", "7 Voice"}},
    {0,
     0,
     1,
     2,
     3,
     "Domain Bridging Service Description",
     "Domain bridge",
     {"1 Default", "3 Sales"}},
    {0, 0, 0, 3, 7, "Trunking Service Description", "Legacy trunk", {"7 Voice"}},
};

class TrunkServiceKindTest : public TrunkPageTest,
                             public ::testing::WithParamInterface<ServiceKindCase> {};

TEST_P(TrunkServiceKindTest, EachServiceKindIsChosenByItsFlagInOrder) {
    const ServiceKindCase& c = GetParam();
    open(c.slot, c.port, new KindPage(c.dot10, c.dot1Q, c.domainBridging));
    EXPECT_EQ(m_fixture.text(IDC_TRUNK_DESCRIPTION_GROUP), c.title);
    EXPECT_EQ(m_fixture.text(IDC_TRUNK_DESCRIPTION), c.description);
    EXPECT_EQ(rows(), c.groups);
}

INSTANTIATE_TEST_SUITE_P(Flags, TrunkServiceKindTest, ::testing::ValuesIn(kServiceKinds));

TEST_F(TrunkPageTest, AServicedGroupMissingFromTheGroupTableIsNotListed) {
    auto& sw = m_fixture.simulatedSwitch();
    sw.write("v8021QSlot", {1, 1, 99}, mib::Value::makeInteger(1));
    sw.write("v8021QStation", {1, 1, 99}, mib::Value::makeInteger(1));
    sw.write("v8021QLanNumber", {1, 1, 99}, mib::Value::makeInteger(99));
    open(1, 1);
    EXPECT_THAT(rows(), ElementsAre("2 Engineering", "3 Sales", "7 Voice"));
}

TEST_F(TrunkPageTest, AGroupRowOutOfReachStopsTheFillButThePageIsLoaded) {
    m_fixture.select(1, 1);
    auto* page = new CEnetTrunkPage;
    m_fixture.openSheet({page});
    test_support::ReleaseRequestsOnFirstRow releaser(*page,
                                                     m_fixture.control(IDC_TRUNK_GROUP_LIST));
    m_fixture.driver().expectMessageBox(IDOK, "Error", "Unable to access Group record");
    m_fixture.settle();
    ASSERT_TRUE(m_fixture.driver().verifyAllExpectedShown());
    EXPECT_EQ(m_fixture.driver().shownMessageBoxes().at(0).style, static_cast<UINT>(MB_OK));
    EXPECT_THAT(rows(), ElementsAre("2 Engineering"));
    EXPECT_EQ(page->m_loaded, 1);
}

TEST_F(TrunkPageTest, WithoutAnAgentRefreshReadsNothingAndLeavesNoWaitCursor) {
    m_fixture.select(1, 1);
    auto* page = new CEnetTrunkPage;
    m_fixture.openSheet({page}, false);
    m_fixture.settle();
    ASSERT_TRUE(m_fixture.driver().press("Refresh"));
    m_fixture.settle();
    EXPECT_FALSE(page->waitCursorShown());
    EXPECT_EQ(m_fixture.transport().handledCount(), 0);
    EXPECT_EQ(page->m_loaded, 0);
}

TEST_F(TrunkPageTest, SlotAndPortTextAndHelpTopic) {
    open(2, 5);
    EXPECT_EQ(m_fixture.text(IDC_TRUNK_SLOT_PORT), "2 / 5");
    ASSERT_TRUE(m_fixture.driver().press("Help"));
    EXPECT_EQ(sw::lastHelpTopic().topic,
              "Ethernet_port_help\\Ethernet_Port_Trunking_Properties_page");
    EXPECT_TRUE(sw::lastHelpTopic().exists);
}

TEST_F(TrunkPageTest, GroupsAddedAndRemovedInTheDialogShowAfterTheReRead) {
    open(1, 1);
    m_fixture.driver().expectModal(
        [this](afx::OperatorDriver& driver, HWND) {
            m_fixture.settle();
            std::string description;
            ASSERT_TRUE(driver.read("Service Description", description));
            EXPECT_EQ(description, "Backbone trunk");  // handed over by the page
            ASSERT_TRUE(driver.choose(afx::ControlRef::withId(IDC_TRUNK_SERVICE_AVAILABLE), "10"));
            ASSERT_TRUE(driver.click("Add -->"));
            ASSERT_TRUE(driver.choose(afx::ControlRef::withId(IDC_TRUNK_SERVICE_SERVICED), "3"));
            ASSERT_TRUE(driver.click("Remove"));
            driver.expectMessageBox(IDOK, "Success", "802.1Q Service now Modified");
            ASSERT_TRUE(driver.press("Apply"));
            m_fixture.advance(1000);
            m_fixture.settle();
        },
        "Modify 802.1Q Service");
    m_fixture.trace().clear();
    ASSERT_TRUE(m_fixture.driver().click("Create/Modify..."));
    m_fixture.settle();
    ASSERT_TRUE(m_fixture.driver().verifyAllExpectedShown());

    EXPECT_THAT(carriedGroups(m_fixture.simulatedSwitch(), "v8021Q", 1, 1), ElementsAre(2, 7, 10));
    EXPECT_THAT(rows(), ElementsAre("2 Engineering", "7 Voice", "10 Building A"));
    EXPECT_EQ(m_fixture.text(IDC_TRUNK_DESCRIPTION), "Backbone trunk");
    // The page read all three tables again once the dialog had closed.
    EXPECT_GE(m_fixture.trace().linesStartingWith("RequestTable").size(), 3u + 3u);
}

TEST_F(TrunkPageTest, APageWithoutDescriptionHandsTheDialogNone) {
    open(1, 2);
    m_fixture.driver().expectModal([this](afx::OperatorDriver& driver, HWND) {
        std::string description = "unread";
        EXPECT_TRUE(driver.read("Service Description", description));
        EXPECT_EQ(description, "");
        m_fixture.settle();
        ASSERT_TRUE(driver.read("Service Description", description));
        EXPECT_EQ(description, "");  // the switch's own, empty
        ASSERT_TRUE(driver.press("Close"));
    });
    ASSERT_TRUE(m_fixture.driver().click("Create/Modify..."));
    m_fixture.settle();
    EXPECT_EQ(m_fixture.text(IDC_TRUNK_DESCRIPTION), "<No Service Description>");
    EXPECT_THAT(rows(), ElementsAre("9 Guests"));
}

}  // namespace
