// The page fixture's end-of-test checks catch what a page or a test leaves behind.

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include "tests/support/page_fixture.h"

namespace {

HWND g_leftWindow = nullptr;

TEST(PageFixtureTeardown, AWindowLeftBehindFailsTheTest) {
    EXPECT_NONFATAL_FAILURE(
        {
            test_support::PageFixture fixture;
            g_leftWindow = afx::windows().create(afx::WindowClass::Dialog, nullptr, 0, "Forgotten",
                                                 0, CRect());
        },
        "1 window(s) left at the end; top level:");
    afx::windows().destroy(g_leftWindow);
}

TEST(PageFixtureTeardown, AWaitCursorStillUpFailsTheTest) {
    EXPECT_NONFATAL_FAILURE(
        {
            test_support::PageFixture fixture;
            afx::windows().changeWaitCursor(1);
        },
        "a wait cursor is still up");
    afx::windows().changeWaitCursor(-1);
}

TEST(PageFixtureTeardown, AnExpectedMessageBoxNeverShownFailsTheTest) {
    EXPECT_NONFATAL_FAILURE(
        {
            test_support::PageFixture fixture;
            fixture.driver().expectMessageBox(IDOK, "Error", "Never shown");
        },
        "Never shown");
}

TEST(PageFixtureTeardown, AFixtureThatOpenedAndClosedASheetEndsClean) {
    test_support::PageFixture fixture;
    fixture.openSheet({}, false);
    fixture.closeSheet();
}

}  // namespace
