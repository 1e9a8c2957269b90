// The Modify Trunking Service dialog over the simulated switch, operated as a person would.

#include "services/modify_trunk_service_dialog.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "framework/sw/help_engine.h"
#include "resources/trunk_ids.h"
#include "tests/support/page_fixture.h"
#include "tests/support/trunking_helpers.h"

namespace {

using test_support::carriedGroups;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

const afx::ControlRef kAvailable = afx::ControlRef::withId(IDC_TRUNK_SERVICE_AVAILABLE);
const afx::ControlRef kServiced = afx::ControlRef::withId(IDC_TRUNK_SERVICE_SERVICED);

class ModifyTrunkServiceTest : public ::testing::Test {
protected:
    // Runs the dialog for slot/port; operate runs inside it once its reads are in.
    void run(int slot, int port, const std::function<void(CModifyTrunkServiceDialog&)>& operate,
             const std::function<void(CModifyTrunkServiceDialog&)>& prepare = {}) {
        m_fixture.agent().GetTrace().setRecording(true);
        CModifyTrunkServiceDialog dialog(nullptr);
        dialog.SetAgent(&m_fixture.agent());
        dialog.m_slot = slot;
        dialog.m_port = port;
        if (prepare) {
            prepare(dialog);
        }
        m_fixture.driver().expectModal([&](afx::OperatorDriver& driver, HWND hwnd) {
            m_fixture.settle();
            m_caption = afx::windows().find(hwnd)->text;
            operate(dialog);
            if (!dialog.isModalEnded()) {
                driver.press("Close");
            }
        });
        dialog.DoModal();
        ASSERT_TRUE(m_fixture.driver().verifyAllExpectedShown());
    }
    afx::OperatorDriver& driver() { return m_fixture.driver(); }
    std::vector<std::string> available() { return m_fixture.entries(IDC_TRUNK_SERVICE_AVAILABLE); }
    std::vector<std::string> serviced() { return m_fixture.entries(IDC_TRUNK_SERVICE_SERVICED); }
    std::string description() {
        std::string value;
        EXPECT_TRUE(driver().read("Service Description", value));
        return value;
    }
    std::vector<std::string> sets() {
        std::vector<std::string> out;
        for (const std::string& line : m_fixture.componentCalls()) {
            if (line.rfind("Set", 0) == 0 && line.rfind("SetReload", 0) != 0) {
                out.push_back(line);
            }
        }
        return out;
    }
    std::string switchDescription(const char* prefix, int slot, int port) {
        auto value = m_fixture.simulatedSwitch().read(
            std::string(prefix) + "ServicesDescription",
            {static_cast<std::uint32_t>(slot), static_cast<std::uint32_t>(port)});
        return value ? value->octets : "<none>";
    }

    test_support::PageFixture m_fixture;
    std::string m_caption;
};

TEST_F(ModifyTrunkServiceTest, OffersConfiguredGroupsButTheOwnAndReservedOnes) {
    run(1, 1, [&](CModifyTrunkServiceDialog& dialog) {
        EXPECT_EQ(m_caption, "Modify 802.1Q Service");
        EXPECT_EQ(description(), "Backbone trunk");
        EXPECT_EQ(dialog.m_ownGroup, 1);
        // Group 1 is the service's own, 4 and 5 are of modes the switch keeps for itself.
        EXPECT_THAT(available(), ElementsAre("2", "3", "7", "9", "10", "20"));
        EXPECT_THAT(serviced(), ElementsAre("2", "3", "7"));
        EXPECT_FALSE(m_fixture.enabled(IDC_TRUNK_SERVICE_ADD));
        EXPECT_FALSE(m_fixture.enabled(IDC_TRUNK_SERVICE_REMOVE));
        EXPECT_FALSE(dialog.IsDirty());
        EXPECT_EQ(dialog.m_loaded, 1);
    });
    run(1, 2, [&](CModifyTrunkServiceDialog&) {
        EXPECT_THAT(available(), ElementsAre("1", "3", "7", "9", "10", "20"));  // own group 2
    });
}

TEST_F(ModifyTrunkServiceTest, EachKindIsChosenByItsFlagsAndNamesTheDialog) {
    struct Case {
        int dot10, dot1Q, domainBridging;
        int slot, port;
        const char* kind;
        const char* description;
        std::vector<std::string> groups;
    };
    const Case cases[] = {
        {1, 1, 1, 2, 2, "802.10", "Secure trunk", {"2"}},
        {0, 1, 1, 1, 1, "802.1Q", "Backbone trunk", {"2", "3", "7"}},
        {0, 0, 1, 2, 3, "Domain Bridging", "Domain bridge", {"1", "3"}},
        {0, 0, 0, 3, 7, "Trunking", "Legacy trunk", {"7"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        run(
            c.slot, c.port,
            [&](CModifyTrunkServiceDialog& dialog) {
                EXPECT_EQ(m_caption, std::string("Modify ") + c.kind + " Service");
                EXPECT_EQ(description(), c.description);
                EXPECT_EQ(serviced(), c.groups);
                EXPECT_EQ(dialog.m_kindName.str(), c.kind);
            },
            [&](CModifyTrunkServiceDialog& dialog) {
                dialog.m_dot10Flag = c.dot10;
                dialog.m_dot1QFlag = c.dot1Q;
                dialog.m_domainBridgingFlag = c.domainBridging;
            });
    }
}

TEST_F(ModifyTrunkServiceTest, ApplyWritesAddsBeforeRemovesThenPausesASecondAndCloses) {
    run(1, 1, [&](CModifyTrunkServiceDialog& dialog) {
        ASSERT_TRUE(driver().choose(kAvailable, "9"));
        EXPECT_TRUE(m_fixture.enabled(IDC_TRUNK_SERVICE_ADD));
        ASSERT_TRUE(driver().click("Add -->"));
        EXPECT_FALSE(m_fixture.enabled(IDC_TRUNK_SERVICE_ADD));
        ASSERT_TRUE(driver().doubleClick(kServiced, "3"));  // a double-click removes
        ASSERT_TRUE(driver().choose(kAvailable, "20"));
        ASSERT_TRUE(driver().click("Add -->"));
        EXPECT_THAT(serviced(), ElementsAre("2", "7", "9", "20"));
        EXPECT_TRUE(dialog.IsDirty());

        m_fixture.trace().clear();
        ASSERT_TRUE(driver().press("Apply"));
        EXPECT_THAT(dialog.m_changes.GetSize(), 3);
        EXPECT_EQ(dialog.m_changes.GetAt(0), 9u * 65536 + 1);
        EXPECT_EQ(dialog.m_changes.GetAt(1), 20u * 65536 + 1);
        EXPECT_EQ(dialog.m_changes.GetAt(2), 3u * 65536);
        const std::vector<std::string> written = sets();
        ASSERT_EQ(written.size(), 11u);
        EXPECT_THAT(written[0], HasSubstr("[1.1]"));
        EXPECT_THAT(written[1], HasSubstr("v8021QServicesDescription, \"Backbone trunk\""));
        EXPECT_THAT(written[2], HasSubstr("[1.1.9]"));
        EXPECT_THAT(written[3], HasSubstr("v8021QCommand, 1"));
        EXPECT_THAT(written[4], HasSubstr("SetReRead"));
        EXPECT_THAT(written[5], HasSubstr("[1.1.20]"));
        EXPECT_THAT(written[8], HasSubstr("[1.1.3]"));
        EXPECT_THAT(written[9], HasSubstr("v8021QCommand, 2"));
        EXPECT_EQ(dialog.m_pendingSets, 4);
        EXPECT_EQ(m_fixture.trace().linesStartingWith("SendSet").size(), 4u);

        // Every set answered: the one-second pause, then one services read and the message.
        m_fixture.settle();
        EXPECT_EQ(dialog.m_pendingSets, 0);
        EXPECT_EQ(dialog.m_modifying, 1);
        m_fixture.trace().clear();
        m_fixture.advance(999);
        EXPECT_FALSE(dialog.isModalEnded());
        EXPECT_THAT(m_fixture.trace().linesStartingWith("RequestTable"), IsEmpty());
        driver().expectMessageBox(IDOK, "Success", "802.1Q Service now Modified");
        m_fixture.advance(1);
        EXPECT_EQ(m_fixture.trace().linesStartingWith("RequestTable").size(), 1u);
        EXPECT_TRUE(dialog.isModalEnded());
    });
    EXPECT_EQ(driver().shownMessageBoxes().back().style,
              static_cast<UINT>(MB_OK | MB_ICONINFORMATION));
    EXPECT_THAT(carriedGroups(m_fixture.simulatedSwitch(), "v8021Q", 1, 1),
                ElementsAre(2, 7, 9, 20));
}

TEST_F(ModifyTrunkServiceTest, ANewServiceGetsItsDescriptionAndGroups) {
    run(1, 6, [&](CModifyTrunkServiceDialog&) {
        EXPECT_EQ(description(), "");
        EXPECT_THAT(serviced(), IsEmpty());
        ASSERT_TRUE(driver().type("Service Description", "Building trunk"));
        ASSERT_TRUE(driver().choose(kAvailable, "10"));
        ASSERT_TRUE(driver().choose(kAvailable, "20", afx::SelectMode::Ctrl));
        ASSERT_TRUE(driver().click("Add -->"));
        driver().expectMessageBox(IDOK, "Success");
        ASSERT_TRUE(driver().press("Apply"));
        m_fixture.advance(1000);
    });
    EXPECT_EQ(switchDescription("v8021Q", 1, 6), "Building trunk");
    EXPECT_THAT(carriedGroups(m_fixture.simulatedSwitch(), "v8021Q", 1, 6), ElementsAre(10, 20));
}

TEST_F(ModifyTrunkServiceTest, AnApplyThatSendsNothingLeavesNoApplyUnderWay) {
    run(1, 5, [&](CModifyTrunkServiceDialog& dialog) {
        ASSERT_TRUE(driver().type("Service Description", "x"));
        ASSERT_TRUE(driver().type("Service Description", ""));
        m_fixture.trace().clear();
        ASSERT_TRUE(driver().press("Apply"));
        m_fixture.advance(2000);
        EXPECT_THAT(m_fixture.trace().linesStartingWith("SendSet"), IsEmpty());
        EXPECT_EQ(dialog.m_modifying, 0);
        EXPECT_FALSE(dialog.isModalEnded());

        // The next read is a read: the lists are filled, no pause, no message.
        dialog.Refresh();
        m_fixture.advance(2000);
        EXPECT_EQ(m_fixture.trace().linesStartingWith("RequestTable").size(), 3u);
        EXPECT_THAT(available(), ElementsAre("1", "2", "3", "7", "9", "10", "20"));
        EXPECT_EQ(dialog.m_loaded, 1);
        EXPECT_FALSE(dialog.isModalEnded());
    });
    EXPECT_THAT(driver().shownMessageBoxes(), IsEmpty());
}

TEST_F(ModifyTrunkServiceTest, ARefusedSetIsReportedAndTheSwitchsValuesAreShownAgain) {
    run(1, 1, [&](CModifyTrunkServiceDialog& dialog) {
        ASSERT_TRUE(driver().type("Service Description", "typed, not applied"));
        ASSERT_TRUE(driver().choose(kAvailable, "20"));
        ASSERT_TRUE(driver().click("Add -->"));
        ASSERT_TRUE(driver().choose(kServiced, "2"));
        ASSERT_TRUE(driver().click("Remove"));
        m_fixture.simulatedSwitch().failNextSet(mib::ErrorStatus::NoAccess);  // the description
        driver().expectMessageBox(IDOK, "Error", "Failed to Modify 802.1Q Service");
        ASSERT_TRUE(driver().press("Apply"));
        m_fixture.advance(3000);
        EXPECT_EQ(driver().shownMessageBoxes().size(), 1u);
        EXPECT_EQ(driver().shownMessageBoxes().at(0).style,
                  static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION));
        EXPECT_EQ(dialog.m_modifying, 0);
        EXPECT_EQ(dialog.m_pendingSets, 0);
        EXPECT_FALSE(dialog.isModalEnded());
        // What the switch holds: its description, and the group changes it did accept.
        EXPECT_EQ(description(), "Backbone trunk");
        EXPECT_THAT(serviced(), ElementsAre("3", "7", "20"));
        EXPECT_FALSE(dialog.IsDirty());
    });
    EXPECT_EQ(switchDescription("v8021Q", 1, 1), "Backbone trunk");
    EXPECT_THAT(carriedGroups(m_fixture.simulatedSwitch(), "v8021Q", 1, 1), ElementsAre(3, 7, 20));
}

TEST_F(ModifyTrunkServiceTest, ASecondApplyWhileSetsArePendingIsRefused) {
    run(1, 1, [&](CModifyTrunkServiceDialog&) {
        ASSERT_TRUE(driver().choose(kAvailable, "10"));
        ASSERT_TRUE(driver().click("Add -->"));
        ASSERT_TRUE(driver().press("Apply"));
        m_fixture.trace().clear();
        driver().expectMessageBox(IDOK, "Notice", "An Operation is currently in progress.");
        ASSERT_TRUE(driver().press("Apply"));
        EXPECT_THAT(m_fixture.trace().linesStartingWith("SendSet"), IsEmpty());
        driver().expectMessageBox(IDOK, "Success");
        m_fixture.advance(1000);
    });
    EXPECT_THAT(carriedGroups(m_fixture.simulatedSwitch(), "v8021Q", 1, 1),
                ElementsAre(2, 3, 7, 10));
}

TEST_F(ModifyTrunkServiceTest, AGroupCarriedAlreadyIsRefusedAndTheOthersAreAdded) {
    run(1, 1, [&](CModifyTrunkServiceDialog& dialog) {
        ASSERT_TRUE(driver().choose(kAvailable, "2"));
        ASSERT_TRUE(driver().choose(kAvailable, "10", afx::SelectMode::Ctrl));
        driver().expectMessageBox(IDOK, "Error", "Group 2 is already in\n the Serviced List.");
        ASSERT_TRUE(driver().click("Add -->"));
        EXPECT_THAT(serviced(), ElementsAre("2", "3", "7", "10"));
        EXPECT_FALSE(m_fixture.enabled(IDC_TRUNK_SERVICE_ADD));
        // Group 10 did go over, so there is something to apply.
        EXPECT_TRUE(dialog.IsDirty());
        EXPECT_TRUE(m_fixture.enabled(ID_APPLY_NOW));
    });
    EXPECT_EQ(driver().shownMessageBoxes().at(0).style,
              static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION));
}

TEST_F(ModifyTrunkServiceTest, OnlyOfferedGroupsCanBeChosenAndTheDescriptionIsBounded) {
    run(1, 1, [&](CModifyTrunkServiceDialog& dialog) {
        m_fixture.trace().clear();
        EXPECT_FALSE(driver().choose(kAvailable, "42"));  // not configured: not on offer
        EXPECT_FALSE(driver().choose(kAvailable, "4"));   // reserved
        const afx::StepResult typed = driver().type("Service Description", std::string(40, 'd'));
        ASSERT_TRUE(typed);
        EXPECT_THAT(typed.message, ::testing::Not(IsEmpty()));
        EXPECT_EQ(description(), std::string(CModifyTrunkServiceDialog::kDescriptionLimit, 'd'));
        EXPECT_FALSE(dialog.isModalEnded());
        ASSERT_TRUE(driver().press("Help"));
        EXPECT_THAT(m_fixture.trace().linesStartingWith("SendSet"), IsEmpty());
    });
    EXPECT_EQ(sw::lastHelpTopic().topic,
              "Ethernet_port_help\\Ethernet_Port_CreateModify_Trunk_page");
    EXPECT_TRUE(sw::lastHelpTopic().exists);
    EXPECT_EQ(switchDescription("v8021Q", 1, 1), "Backbone trunk");
}

TEST_F(ModifyTrunkServiceTest, AGroupAnotherOperatorAddedMeanwhileIsRefusedByTheSwitch) {
    run(1, 1, [&](CModifyTrunkServiceDialog&) {
        ASSERT_TRUE(driver().choose(kAvailable, "20"));
        ASSERT_TRUE(driver().click("Add -->"));
        for (const char* column : {"v8021QSlot", "v8021QStation", "v8021QLanNumber"}) {
            const long value = std::string(column) == "v8021QLanNumber" ? 20 : 1;
            m_fixture.simulatedSwitch().write(column, {1, 1, 20}, mib::Value::makeInteger(value));
        }
        driver().expectMessageBox(IDOK, "Error", "Failed to Modify 802.1Q Service");
        ASSERT_TRUE(driver().press("Apply"));
        m_fixture.advance(3000);
        EXPECT_THAT(serviced(), ElementsAre("2", "3", "7", "20"));  // as the switch has it
    });
    EXPECT_THAT(carriedGroups(m_fixture.simulatedSwitch(), "v8021Q", 1, 1),
                ElementsAre(2, 3, 7, 20));
}

}  // namespace

namespace {

TEST(ModifyTrunkServiceWithoutAgent, OpensEmptyWaitsForNothingAndCloses) {
    test_support::PageFixture fixture;
    CModifyTrunkServiceDialog dialog(nullptr);
    dialog.m_slot = 1;
    dialog.m_port = 1;
    fixture.driver().expectModal([&](afx::OperatorDriver& driver, HWND) {
        fixture.settle();
        EXPECT_EQ(afx::windows().waitCursorDepth(), 0);
        EXPECT_THAT(fixture.entries(IDC_TRUNK_SERVICE_AVAILABLE), IsEmpty());
        EXPECT_TRUE(driver.press("Close"));
    });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(fixture.transport().handledCount(), 0);
}

}  // namespace
