// The windows the Service Admin page opens: the static bridge address and port mirroring
// dialogs of the console's dialog library, and the trunking sheet.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "frame/module_instance.h"
#include "framework/afx/resources.h"
#include "framework/afx/text_renderer.h"
#include "framework/dialogs/bridge_address_dialog.h"
#include "framework/sw/help_engine.h"
#include "framework/sw/sw_functions.h"
#include "ports/enet_port_status_page.h"
#include "resources/resource_ids.h"
#include "resources/service_admin_ids.h"
#include "services/enet_port_admin_page.h"
#include "tests/support/page_fixture.h"

namespace {

using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::SizeIs;

constexpr const char* kVPorts = "Virtual Ports";

// The Service Admin page with a trunking page the test supplies, for the sheet's life cycle.
class PageWithTrunkPage : public CEnetPortAdminPage {
public:
    int m_trunkPagesMade = 0;

protected:
    CSwBasePropPage* NewTrunkPage() override {
        ++m_trunkPagesMade;
        return new CEnetPortStatusPage;
    }
};

class ServiceAdminLaunchTest : public ::testing::Test {
protected:
    void open(int row, CEnetPortAdminPage* page = nullptr) {
        m_fixture.select(1, 1, {{1, 1}, {1, 2}});
        m_fixture.agent().GetTrace().setRecording(true);
        m_page = page ? page : new CEnetPortAdminPage;
        m_fixture.openSheet({m_page});
        auto contents = m_fixture.simulatedSwitch().read("chasNorixContents", {0});
        ASSERT_TRUE(contents.has_value());
        m_chassis.LoadContents(contents->octets.data(), static_cast<int>(contents->octets.size()));
        m_fixture.sheet().SetChassisInfoObject(&m_chassis);
        m_fixture.settle();
        ASSERT_TRUE(driver().selectRows(kVPorts, {row}));
        m_fixture.settle();
    }
    afx::OperatorDriver& driver() { return m_fixture.driver(); }
    std::optional<mib::Value> value(const char* variable, const mib::Oid& instance) {
        return m_fixture.simulatedSwitch().read(variable, instance);
    }

    CNxChassisInfo m_chassis;
    test_support::PageFixture m_fixture;
    CEnetPortAdminPage* m_page = nullptr;
};

const mib::Oid kStaticEntry{7, 0x00, 0xa0, 0x12, 0x34, 0x56, 0x78};

TEST_F(ServiceAdminLaunchTest, BridgeAddressAddsAndRemovesStaticEntriesOfTheVirtualPort) {
    open(2);  // 1/1 ieee8021Q 1 in group 7: the dialog still gets service type 4
    const HINSTANCE before = AfxGetResourceHandle();
    bool ran = false;
    driver().expectModal(
        [&](afx::OperatorDriver& d, HWND) {
            ran = true;
            EXPECT_EQ(m_fixture.read("Virtual Port"), "Slot 1 Port 1 bridging 1");
            EXPECT_EQ(m_fixture.read("Group"), "7");

            m_fixture.trace().clear();
            ASSERT_TRUE(d.type("MAC Address", "00:A0:12:34:56"));
            d.expectMessageBox(IDOK, "Error");
            ASSERT_TRUE(d.press("Add"));
            m_fixture.settle();
            ASSERT_TRUE(d.verifyAllExpectedShown());
            EXPECT_THAT(m_fixture.trace().linesStartingWith("SendSet"), IsEmpty());
            ASSERT_TRUE(d.type("MAC Address", "00:A0:12:34:56:7G"));
            d.expectMessageBox(IDOK, "Error");
            ASSERT_TRUE(d.press("Add"));
            ASSERT_TRUE(d.verifyAllExpectedShown());

            ASSERT_TRUE(d.type("MAC Address", "00:A0:12:34:56:78"));
            ASSERT_TRUE(d.press("Add"));
            m_fixture.settle();
            EXPECT_EQ(value("vBrdgStaticStatus", kStaticEntry)->integer, 3);
            EXPECT_EQ(value("vBrdgStaticPortIF", kStaticEntry)->integer, 1);
            EXPECT_EQ(value("vBrdgStaticPortFuncTyp", kStaticEntry)->integer, 4);
            EXPECT_EQ(value("vBrdgStaticPortFuncTypInst", kStaticEntry)->integer, 1);
            ASSERT_TRUE(d.selectRow("Static Addresses", {"00:A0:12:34:56:78", "7"}));

            ASSERT_TRUE(d.press("Remove"));
            m_fixture.settle();
            EXPECT_FALSE(m_fixture.simulatedSwitch().rowExists("vBrdgStaticStatus", kStaticEntry));
            ASSERT_TRUE(d.press("Help"));
            EXPECT_EQ(sw::lastHelpTopic().topic, "Belva_help\\static_bridge_address_dialog");
            EXPECT_TRUE(sw::lastHelpTopic().exists);
            ASSERT_TRUE(d.press("Close"));
        },
        "Static Bridge Addresses");
    ASSERT_TRUE(driver().click("Bridge Address..."));
    m_fixture.settle();
    EXPECT_TRUE(ran);
    EXPECT_EQ(AfxGetResourceHandle(), before);
    EXPECT_EQ(m_fixture.read("Group Num"), "7");  // the page goes on
}

TEST_F(ServiceAdminLaunchTest, StaticEntryInAGroupTheSwitchLacksIsRefused) {
    open(1);
    ASSERT_TRUE(driver().type("Group Num", "99"));
    driver().expectModal(
        [&](afx::OperatorDriver& d, HWND) {
            ASSERT_TRUE(d.type("MAC Address", "00:a0:12:34:56:78"));
            d.expectMessageBox(IDOK, "Error");
            ASSERT_TRUE(d.press("Add"));
            m_fixture.settle();
            ASSERT_TRUE(d.verifyAllExpectedShown());
            EXPECT_THAT(d.shownMessageBoxes().back().text, HasSubstr("inconsistentValue"));
            ASSERT_TRUE(d.press("Close"));
        },
        "Static Bridge Addresses");
    ASSERT_TRUE(driver().click("Bridge Address..."));
    m_fixture.settle();
}

TEST_F(ServiceAdminLaunchTest, PortMirroringClosedWithoutChangeReadsNothingMore) {
    open(0);  // 1/1 bridging 1, mirrored to 1/8
    ASSERT_EQ(m_fixture.read("Port Mirroring:"), "enabled");
    m_fixture.trace().clear();
    driver().expectModal(
        [&](afx::OperatorDriver& d, HWND) {
            m_fixture.settle();
            EXPECT_TRUE(m_fixture.sheet().isShrunk());
            EXPECT_EQ(AfxGetResourceHandle(), TorvikInstanceHandle());
            EXPECT_EQ(m_fixture.read("Copy to Port"), "8");
            EXPECT_EQ(m_fixture.read("Mirroring"), "enabled");
            ASSERT_TRUE(d.press("Close"));
        },
        "Port Mirroring");
    ASSERT_TRUE(driver().click("Port Mirroring..."));
    m_fixture.settle();
    EXPECT_FALSE(m_fixture.sheet().isShrunk());
    EXPECT_THAT(m_fixture.trace().linesStartingWith("RequestRow(5"), IsEmpty());
}

TEST_F(ServiceAdminLaunchTest, PortMirroringChangedReadsTheStatusOnceAgain) {
    open(0);
    const mib::Oid vport{1, 1, 4, 1};
    m_fixture.trace().clear();
    driver().expectModal(
        [&](afx::OperatorDriver& d, HWND) {
            m_fixture.settle();
            ASSERT_TRUE(d.type("Copy to Port", "1"));
            d.expectMessageBox(IDOK, "Error", "A port cannot be mirrored to itself.");
            ASSERT_TRUE(d.press("Apply"));
            ASSERT_TRUE(d.verifyAllExpectedShown());
            ASSERT_TRUE(d.type("Copy to Port", "9"));
            ASSERT_TRUE(d.choose("Mirroring", "disabled"));
            ASSERT_TRUE(d.press("Apply"));
            m_fixture.settle();
            EXPECT_EQ(value("mirrorMirroringIF", vport)->integer, 9);
            EXPECT_EQ(value("mirrorStatus", vport)->integer, 2);
            ASSERT_TRUE(d.press("Close"));
        },
        "Port Mirroring");
    ASSERT_TRUE(driver().click("Port Mirroring..."));
    m_fixture.settle();
    EXPECT_THAT(m_fixture.trace().linesStartingWith("RequestRow(5"), SizeIs(1));
    EXPECT_EQ(m_fixture.read("Port Mirroring:"), "disabled");
}

TEST_F(ServiceAdminLaunchTest, PortMirroringOpensASessionForAPortWithoutOne) {
    open(4);  // 1/2 bridging 1: no session yet
    EXPECT_EQ(m_fixture.read("Port Mirroring:"), "");
    const mib::Oid vport{1, 2, 4, 1};
    driver().expectModal(
        [&](afx::OperatorDriver& d, HWND) {
            m_fixture.settle();
            EXPECT_EQ(m_fixture.read("Session"), "none");
            ASSERT_TRUE(d.choose("Mirroring", "enabled"));
            ASSERT_TRUE(d.type("Copy to Slot", "3"));
            ASSERT_TRUE(d.type("Copy to Port", "2"));
            ASSERT_TRUE(d.press("Apply"));
            m_fixture.settle();
            EXPECT_EQ(m_fixture.read("Session"), "3");
            ASSERT_TRUE(d.press("Close"));
        },
        "Port Mirroring");
    ASSERT_TRUE(driver().click("Port Mirroring..."));
    m_fixture.settle();
    EXPECT_EQ(value("mirrorMirroringSlot", vport)->integer, 3);
    EXPECT_EQ(m_fixture.read("Port Mirroring:"), "enabled");
}

TEST_F(ServiceAdminLaunchTest, PageIsLeftAloneWhenTheConsoleClosedTheSheetDuringADialog) {
    open(0);
    driver().expectModal(
        [&](afx::OperatorDriver& d, HWND dialog) {
            m_fixture.settle();
            m_fixture.sheet().DestroyWindow();
            if (::IsWindow(dialog)) {
                ASSERT_TRUE(d.press("Close"));
            }
        },
        "Port Mirroring");
    ASSERT_TRUE(driver().click("Port Mirroring..."));
    m_fixture.settle();
    EXPECT_FALSE(IsValidWindow(m_page));
    EXPECT_TRUE(m_fixture.sheet().isShrunk());  // nothing of the page was touched
}

TEST_F(ServiceAdminLaunchTest, BridgeDialogGoesWithThePageWhenTheSheetIsClosed) {
    open(1);
    driver().expectModal(
        [&](afx::OperatorDriver& d, HWND dialog) {
            m_fixture.settle();
            m_fixture.sheet().DestroyWindow();
            if (::IsWindow(dialog)) {
                ASSERT_TRUE(d.press("Close"));
            }
        },
        "Static Bridge Addresses");
    ASSERT_TRUE(driver().click("Bridge Address..."));
    m_fixture.settle();
    EXPECT_FALSE(IsValidWindow(m_page));
}

TEST_F(ServiceAdminLaunchTest, TrunkingSheetOpensOnceAndIsDeletedWhenItCloses) {
    auto* page = new PageWithTrunkPage;
    open(3, page);
    ASSERT_TRUE(driver().click("Trunking..."));
    ASSERT_TRUE(driver().click("Trunking..."));
    m_fixture.settle();
    EXPECT_EQ(page->m_trunkPagesMade, 1);
    CSwPropertySheet* sheet = page->TrunkingSheet();
    ASSERT_NE(sheet, nullptr);
    EXPECT_EQ(afx::windows().find(sheet->GetSafeHwnd())->text,
              "Ethernet Slot:1  Port:1 Trunking Properties - demo-switch");
    EXPECT_EQ(sheet->m_modeless, 1);
    EXPECT_EQ(sheet->GetAgent(), &m_fixture.agent());

    sheet->DestroyWindow();  // the operator closes it
    m_fixture.settle();
    EXPECT_EQ(page->TrunkingSheet(), nullptr);

    ASSERT_TRUE(driver().click("Trunking..."));
    m_fixture.settle();
    EXPECT_EQ(page->m_trunkPagesMade, 2);
    EXPECT_NE(page->TrunkingSheet(), nullptr);
    // Left open: the page's destructor deletes it with the console's sheet.
}

TEST_F(ServiceAdminLaunchTest, TrunkingOpensTheModulesTrunkPageOnceAndGoesWithTheConsolesSheet) {
    open(0);
    ASSERT_TRUE(driver().click("Trunking..."));
    m_fixture.settle();
    CSwPropertySheet* sheet = m_page->TrunkingSheet();
    ASSERT_NE(sheet, nullptr);
    const HWND trunking = sheet->GetSafeHwnd();
    const std::size_t windows = afx::windows().windowCount();
    ASSERT_TRUE(driver().click("Trunking..."));
    m_fixture.settle();
    EXPECT_EQ(m_page->TrunkingSheet(), sheet);
    EXPECT_EQ(afx::windows().windowCount(), windows);
    EXPECT_EQ(afx::windows().find(trunking)->text,
              "Ethernet Slot:1  Port:1 Trunking Properties - demo-switch");
    EXPECT_THAT(afx::renderWindow(trunking), HasSubstr("== 802.1Q Trunking =="));

    // The console closes its sheet first: the Service Admin page takes the trunking sheet
    // with it, and nothing of either is left.
    m_fixture.closeSheet();
    m_fixture.settle();
    EXPECT_EQ(afx::windows().find(trunking), nullptr);
}

}  // namespace
