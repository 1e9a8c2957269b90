// The Modify Segment Description dialog, run modally over the simulated switch.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "expander/exp_segment_descr_dialog.h"
#include "framework/sw/help_engine.h"
#include "tests/support/page_fixture.h"

namespace {

using ::testing::HasSubstr;

class SegmentDescrDialogTest : public ::testing::Test {
protected:
    SegmentDescrDialogTest() { m_fixture.agent().GetTrace().setRecording(true); }

    // Runs the dialog for segment with script acting inside it; returns whether it reports
    // the description modified.
    bool run(int segment, const std::function<void(afx::OperatorDriver&)>& script) {
        CExpSegmentDescrDialog dialog;
        dialog.SetAgent(&m_fixture.agent());
        CUIntArray index;
        index.Add(static_cast<UINT>(segment));
        dialog.SetIndexValues(&index);
        m_fixture.driver().expectModal(
            [&](afx::OperatorDriver& d, HWND) {
                d.runUntilIdle();
                script(d);
                d.runUntilIdle();
                if (afx::windows().isWindow(dialog.GetSafeHwnd())) {
                    d.press("Close");
                }
            },
            "Modify Segment Description");
        dialog.DoModal();
        EXPECT_TRUE(m_fixture.driver().verifyAllExpectedShown());
        return dialog.WasModified() != FALSE;
    }
    std::string description(int segment) {
        return m_fixture.simulatedSwitch()
            .read("tarvoPortSegmentDescr", {static_cast<std::uint32_t>(segment)})
            ->octets;
    }
    std::size_t sends() { return m_fixture.agent().GetTrace().linesStartingWith("SendSet").size(); }

    test_support::PageFixture m_fixture;
};

TEST_F(SegmentDescrDialogTest, DescriptionTakesThirtyOneCharactersAndBlanksAreSent) {
    const bool modified = run(2, [](afx::OperatorDriver& d) {
        const afx::StepResult typed = d.type("Description", std::string(32, 'x'));
        EXPECT_FALSE(typed.message.empty());
        std::string value;
        d.read("Description", value);
        EXPECT_EQ(value, std::string(31, 'x'));
        EXPECT_TRUE(d.type("Description", "   "));
        d.expectMessageBox(IDOK, "Notice", "Segment Description Successfully Modified.");
        EXPECT_TRUE(d.press("Apply"));
    });
    EXPECT_TRUE(modified);
    EXPECT_EQ(description(2), "   ");
}

TEST_F(SegmentDescrDialogTest, EmptyDescriptionIsRefusedAndNothingSent) {
    const bool modified = run(1, [&](afx::OperatorDriver& d) {
        EXPECT_TRUE(d.type("Description", ""));
        d.expectMessageBox(IDOK, "Error", "A Description is Required");
        EXPECT_TRUE(d.press("Apply"));
        EXPECT_EQ(d.shownMessageBoxes().back().style,
                  static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION));
    });
    EXPECT_FALSE(modified);
    EXPECT_EQ(sends(), 0u);
    EXPECT_EQ(description(1), "Backbone");
}

TEST_F(SegmentDescrDialogTest, RefusedSetKeepsTheDialogOpenForAnotherTry) {
    const bool modified = run(3, [&](afx::OperatorDriver& d) {
        EXPECT_TRUE(d.type("Description", "first try"));
        m_fixture.simulatedSwitch().failNextSet(mib::ErrorStatus::GenErr);
        d.expectMessageBox(IDOK, "Error", "Failed to Modify Segment Description");
        EXPECT_TRUE(d.press("Apply"));
        d.runUntilIdle();
        std::string value;
        d.read("Description", value);
        EXPECT_EQ(value, "first try");
        d.expectMessageBox(IDOK, "Notice");
        EXPECT_TRUE(d.press("Apply"));
    });
    EXPECT_TRUE(modified);
    EXPECT_EQ(description(3), "first try");
}

TEST_F(SegmentDescrDialogTest, UnreadableSegmentIsReportedAndEmptyIndexKeepsMinusOne) {
    CExpSegmentDescrDialog unset;
    CUIntArray empty;
    unset.SetIndexValues(&empty);
    EXPECT_EQ(unset.segment(), -1);

    m_fixture.driver().expectMessageBox(IDOK, "Error", "Failed to Modify Segment Description");
    const bool modified = run(9, [](afx::OperatorDriver& d) {
        std::string value;
        d.read("Description", value);
        EXPECT_EQ(value, "");
        d.press("Help");
    });
    EXPECT_FALSE(modified);
    const auto& shown = m_fixture.driver().shownMessageBoxes();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, "Failed to Modify Segment Description");
    EXPECT_EQ(sw::lastHelpTopic().topic,
              "TarvoPort_Help\\TarvoPort_modify_segment_description_page");
    EXPECT_TRUE(sw::lastHelpTopic().exists);
}

}  // namespace
