// The dialog library's resource class and the address check of the bridge address dialog.

#include <gtest/gtest.h>

#include <memory>

#include "framework/afx/app.h"
#include "framework/afx/resources.h"
#include "framework/afx/ui_driver.h"
#include "framework/afx/ui_hook.h"
#include "framework/dialogs/belva_res.h"
#include "framework/dialogs/bridge_address_dialog.h"
#include "framework/dialogs/dialog_ids.h"
#include "framework/dialogs/port_mirror_dialog.h"

namespace {

TEST(BelvaRes, MakesItsDialogsByNameAndTellsOfAnUnknownOne) {
    afx::OperatorDriver driver;
    CBelvaRes resources;
    std::unique_ptr<CSwBaseDialog> bridge(resources.GetDialog("bridgeaddr", nullptr));
    EXPECT_NE(dynamic_cast<CBridgeAddrDialog*>(bridge.get()), nullptr);
    std::unique_ptr<CSwBaseDialog> mirror(resources.GetDialog("PortMirror", nullptr));
    EXPECT_NE(dynamic_cast<CPortMirrorDialog*>(mirror.get()), nullptr);

    driver.expectMessageBox(IDOK, afx::applicationName(), "Dialog <Trunk> not found");
    EXPECT_EQ(resources.GetDialog("Trunk", nullptr), nullptr);
    EXPECT_TRUE(driver.verifyAllExpectedShown());
}

TEST(BelvaRes, TemplatesAreFoundWhateverResourceHandleIsCurrent) {
    ASSERT_NE(belva::moduleHandle(), nullptr);  // the library registered its templates
    const HINSTANCE saved = AfxGetResourceHandle();
    AfxSetResourceHandle(afx::createModuleHandle("another module"));
    EXPECT_NE(afx::findDialogTemplate(IDD_BELVA_BRIDGE_ADDRESS), nullptr);
    EXPECT_NE(afx::findDialogTemplate(IDD_BELVA_PORT_MIRROR), nullptr);
    EXPECT_EQ(afx::findDialogTemplateModule(IDD_BELVA_PORT_MIRROR), belva::moduleHandle());
    AfxSetResourceHandle(saved);
}

TEST(BridgeAddressDialog, TakesSixHexadecimalOctetsSeparatedByColons) {
    EXPECT_EQ(CBridgeAddrDialog::NormalizedMac("00:A0:12:34:56:78"), "00:a0:12:34:56:78");
    EXPECT_EQ(CBridgeAddrDialog::NormalizedMac("0a:bC:De:f0:00:ff"), "0a:bc:de:f0:00:ff");
    for (const char* bad : {"", "00:A0:12:34:56", "00:A0:12:34:56:78:9A", "00-A0-12-34-56-78",
                            "00:A0:12:34:56:7G", "0:A0:12:34:56:789", " 00:A0:12:34:56:7"}) {
        EXPECT_EQ(CBridgeAddrDialog::NormalizedMac(bad), "") << bad;
    }
}

}  // namespace
