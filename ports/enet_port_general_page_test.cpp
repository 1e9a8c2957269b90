// The General page in a sheet over the simulated switch, as the console shows it.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "frame/torvik_res.h"
#include "framework/sw/help_engine.h"
#include "ports/enet_port_general_page.h"
#include "tests/support/page_fixture.h"

namespace {

using ::testing::HasSubstr;
using ::testing::IsEmpty;

constexpr const char* kFixedName = "10/100BASE-TX Fixed";  // slot 1, ports 9 to 12
constexpr const char* kFixedDescription =
    "10/100 Mb/s Ethernet, twisted pair (RJ-45), speed and duplex set by the operator";

class GeneralPageTest : public ::testing::Test {
protected:
    // The page as the console gets it: from the registry, by name.
    CEnetPortGeneralPage& open(int slot, int port, bool withAgent = true) {
        m_fixture.select(slot, port);
        CTorvikRes registry;
        auto* page = dynamic_cast<CEnetPortGeneralPage*>(registry.GetPage("PortGeneral"));
        EXPECT_NE(page, nullptr);
        m_fixture.openSheet({page}, withAgent);
        return *page;
    }
    static void expectNoPortType(const CEnetPortGeneralPage& page) {
        EXPECT_THAT(page.portTypeText().str(), IsEmpty());
        EXPECT_THAT(page.descriptionText().str(), IsEmpty());
        EXPECT_EQ(page.m_loaded, 0);
    }

    test_support::PageFixture m_fixture;
};

TEST_F(GeneralPageTest, WithoutAnAgentShowsNothingAndReadsNothingUntilOneComes) {
    CEnetPortGeneralPage& page = open(1, 9, false);
    m_fixture.settle();
    EXPECT_EQ(m_fixture.transport().handledCount(), 0);
    EXPECT_THAT(page.ipAddressText().str(), IsEmpty());
    EXPECT_THAT(page.slotText().str(), IsEmpty());
    EXPECT_THAT(page.portText().str(), IsEmpty());
    expectNoPortType(page);

    // The agent arrives while the page is up: identity at once, the type on the next read.
    m_fixture.sheet().SetAgent(&m_fixture.agent());
    m_fixture.settle();
    EXPECT_EQ(m_fixture.transport().handledCount(), 0);
    EXPECT_EQ(page.slotText(), "1");
    EXPECT_EQ(page.portText(), "9");
    ASSERT_TRUE(m_fixture.driver().press("Refresh"));
    m_fixture.settle();
    EXPECT_GT(m_fixture.transport().handledCount(), 0);
    EXPECT_EQ(page.portTypeText(), kFixedName);
    EXPECT_EQ(page.m_loaded, 1);
}

TEST_F(GeneralPageTest, IdentityComesAtOnceAndTheTypeWithTheChassisRead) {
    CEnetPortGeneralPage& page = open(1, 9);
    EXPECT_EQ(page.ipAddressText(), test_support::PageFixture::kAgentAddress);
    EXPECT_EQ(page.slotText(), "1");
    EXPECT_EQ(page.portText(), "9");
    expectNoPortType(page);
    EXPECT_TRUE(page.waitCursorShown());

    m_fixture.settle();
    EXPECT_EQ(page.portTypeText(), kFixedName);
    EXPECT_EQ(page.descriptionText(), kFixedDescription);
    EXPECT_EQ(page.m_loaded, 1);
    EXPECT_FALSE(page.waitCursorShown());

    // Loaded: another activation reads nothing.
    const int handled = m_fixture.transport().handledCount();
    page.OnSetActive();
    m_fixture.settle();
    EXPECT_EQ(m_fixture.transport().handledCount(), handled);
}

TEST_F(GeneralPageTest, TypeFollowsThePortsOwnEntryInTheChassis) {
    CEnetPortGeneralPage& page = open(2, 1);
    m_fixture.settle();
    EXPECT_EQ(page.portTypeText(), "10/100BASE-TX Uplink");
    EXPECT_THAT(page.descriptionText().str(), HasSubstr("uplink"));
}

TEST_F(GeneralPageTest, ACompletionThatDoesNotFinishTheChassisReadChangesNothing) {
    CEnetPortGeneralPage& page = open(1, 9);
    page.OnRequestDone(4711);
    expectNoPortType(page);

    m_fixture.settle();
    ASSERT_EQ(page.m_loaded, 1);
    page.OnRequestDone(4711);
    EXPECT_EQ(page.portTypeText(), kFixedName);
}

TEST_F(GeneralPageTest, AFailedChassisReadLeavesThePageUnloadedAndSilentUntilTheNextActivation) {
    m_fixture.simulatedSwitch().stopAnsweringFor(60'000);
    CEnetPortGeneralPage& page = open(1, 9);
    m_fixture.advance(30'000);  // every try of both reads times out
    expectNoPortType(page);
    EXPECT_FALSE(page.waitCursorShown());
    EXPECT_THAT(m_fixture.driver().shownMessageBoxes(), IsEmpty());

    m_fixture.advance(30'000);  // the switch answers again
    page.OnSetActive();
    m_fixture.settle();
    EXPECT_EQ(page.portTypeText(), kFixedName);
    EXPECT_EQ(page.m_loaded, 1);
}

TEST_F(GeneralPageTest, APortTableThatFailsWhileTheSlotTableAnswersDoesNotCountAsLoaded) {
    // The slot read's first try is lost, so the port read fails first and the slot read's
    // retry ends the round.
    m_fixture.transport().setLatencyMs(1);
    m_fixture.transport().dropNextRequests(1);
    CEnetPortGeneralPage& page = open(1, 9);
    m_fixture.advance(1);
    m_fixture.transport().failNextRequest(mib::TransportOutcome::SendFailed, "no route");
    m_fixture.advance(20'000);
    expectNoPortType(page);
    EXPECT_THAT(m_fixture.driver().shownMessageBoxes(), IsEmpty());

    page.OnSetActive();
    m_fixture.advance(100);
    EXPECT_EQ(page.portTypeText(), kFixedName);
    EXPECT_EQ(page.m_loaded, 1);
}

TEST_F(GeneralPageTest, OperatorSeesEveryLabelWithItsValue) {
    open(1, 9);
    m_fixture.settle();
    const std::string screen = m_fixture.render();
    EXPECT_THAT(screen, HasSubstr("General"));
    EXPECT_THAT(screen, HasSubstr("General Ethernet Port Information"));
    EXPECT_THAT(screen, HasSubstr("Ethernet"));
    for (const auto& [label, value] :
         {std::pair{"IP Address:", test_support::PageFixture::kAgentAddress},
          {"Slot:", "1"},
          {"Port:", "9"},
          {"Port Type:", kFixedName},
          {"Description:", kFixedDescription}}) {
        std::string shown;
        ASSERT_TRUE(m_fixture.driver().read(label, shown)) << label << "\n" << screen;
        EXPECT_EQ(shown, value) << label;
        EXPECT_THAT(screen, HasSubstr(std::string(label) + " " + value)) << screen;
    }
}

TEST_F(GeneralPageTest, HelpOpensTheGeneralPageTopic) {
    open(1, 9);
    ASSERT_TRUE(m_fixture.driver().press("Help"));
    const HelpTopicRecord& topic = sw::lastHelpTopic();
    EXPECT_EQ(topic.topic, "Ethernet_port_help\\ethernet_port_general_page");
    EXPECT_TRUE(topic.exists) << topic.path;
}

TEST_F(GeneralPageTest, LeavingTheSheetTakesTheChassisDescriptionAlong) {
    CEnetPortGeneralPage& page = open(1, 9);
    m_fixture.settle();
    ASSERT_NE(m_fixture.sheet().GetChassisInfoObject(), nullptr);
    EXPECT_EQ(page.m_chassisInfo, m_fixture.sheet().GetChassisInfoObject());
    m_fixture.sheet().RemovePage(&page);
    delete &page;
    EXPECT_EQ(m_fixture.sheet().GetChassisInfoObject(), nullptr);
}

}  // namespace
