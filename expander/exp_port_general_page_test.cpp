// The expander General page over the simulated switch.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "expander/exp_port_general_page.h"
#include "framework/sw/help_engine.h"
#include "framework/sw/sw_property_sheet.h"
#include "resources/expander_page_ids.h"
#include "tests/support/expander_sheet.h"

namespace {

using ::testing::HasSubstr;
using ::testing::IsEmpty;

class ExpanderGeneralTest : public ::testing::Test, protected test_support::ExpanderSheet {
protected:
    CExpPortGeneralPage& openPage(int port) { return open(new CExpPortGeneralPage, {}, port); }
    void setContents(const std::string& bytes) {
        fixture().simulatedSwitch().write("chasNorixContents", {0}, mib::Value::makeString(bytes));
    }
    std::string demoContents() {
        return fixture().simulatedSwitch().read("chasNorixContents", {0})->octets;
    }
};

TEST_F(ExpanderGeneralTest, ShowsAddressPortAndTypeFromTheChassisContents) {
    CExpPortGeneralPage& page = openPage(14);
    const std::string screen = fixture().render();
    EXPECT_THAT(screen, HasSubstr("Ethernet Expander Ports"));
    EXPECT_THAT(screen, HasSubstr("-- General TarvoPort Information --"));
    EXPECT_EQ(read("IP Address"), "10.1.2.3");
    EXPECT_EQ(read("Port"), "14");
    EXPECT_EQ(read("PortType"), "10BASE-T Expander");
    EXPECT_EQ(page.m_loaded, 1);
    EXPECT_EQ(count("OpenRequest(0, \"chasStatus\", [chasNorixContents], 1)"), 1u);
    EXPECT_EQ(count("RequestRow"), 1u);
    // The page's own description went to the sheet for the other pages.
    ASSERT_NE(fixture().sheet().GetChassisInfoObject(), nullptr);
    EXPECT_EQ(fixture().sheet().GetChassisInfoObject()->GetPortsPerUnit(kSlot), 12);

    page.OnSetActive();  // a loaded page reads nothing on reactivation
    fixture().settle();
    EXPECT_EQ(count("RequestRow"), 1u);
}

TEST_F(ExpanderGeneralTest, WithoutAgentNothingIsCreatedOrRead) {
    fixture().select(kSlot, 3);
    trace().setRecording(true);
    auto* page = new CExpPortGeneralPage;
    fixture().openSheet({page}, false);
    fixture().settle();
    EXPECT_THAT(trace().lines(), IsEmpty());
    EXPECT_EQ(fixture().sheet().GetChassisInfoObject(), nullptr);
    EXPECT_EQ(read("PortType"), "");
}

// Contents made unusable from the demo switch's good ones.
struct UnusableContents {
    const char* what;
    std::string (*make)(const std::string& good);
};

const UnusableContents kUnusableContents[] = {
    {"cut short", [](const std::string& good) { return good.substr(0, good.size() - 3); }},
    {"bytes after the last record",
     [](const std::string& good) { return good + std::string(4, '\x01'); }},
    {"slot count larger than the records",
     [](const std::string&) {
         return std::string{'N', 1, 9};
     }},
    {"longer than 512 bytes",
     [](const std::string& good) { return good + std::string(600, '\0'); }},
};

class ExpanderUnusableContentsTest : public ExpanderGeneralTest,
                                     public ::testing::WithParamInterface<UnusableContents> {};

TEST_P(ExpanderUnusableContentsTest, GiveAnEmptyTypeAndOneMessage) {
    const std::string good = demoContents();
    ASSERT_GT(good.size(), 8u);
    setContents(GetParam().make(good));
    driver().expectMessageBox(IDOK, "Error");
    openPage(3);
    ASSERT_TRUE(driver().verifyAllExpectedShown());
    ASSERT_EQ(driver().shownMessageBoxes().size(), 1u);
    EXPECT_THAT(driver().shownMessageBoxes()[0].text, HasSubstr("chassis contents"));
    EXPECT_EQ(read("PortType"), "");
    EXPECT_EQ(read("Port"), "3");
}

INSTANTIATE_TEST_SUITE_P(ChassisContents, ExpanderUnusableContentsTest,
                         ::testing::ValuesIn(kUnusableContents));

TEST_F(ExpanderGeneralTest, EmptyContentsLeaveTheDescriptionAsItWas) {
    setContents("");
    openPage(3);
    EXPECT_THAT(driver().shownMessageBoxes(), IsEmpty());
    EXPECT_EQ(fixture().sheet().GetChassisInfoObject()->GetPortType(kSlot, 3), 0);
}

TEST_F(ExpanderGeneralTest, HelpOpensTheGeneralTopic) {
    openPage(1);
    ASSERT_TRUE(driver().press("Help"));
    EXPECT_EQ(sw::lastHelpTopic().topic, "Ethernet_port_help\\General_Port_Prop");
    EXPECT_TRUE(sw::lastHelpTopic().exists);
}

}  // namespace
