// The Segment Browser page and its Modify Segment Description dialog over the simulated
// switch.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "expander/exp_port_browser_page.h"
#include "framework/sw/default_icons.h"
#include "framework/sw/help_engine.h"
#include "framework/sw/sw_property_sheet.h"
#include "resources/expander_page_ids.h"
#include "tests/support/expander_sheet.h"

namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

class BrowserTest : public ::testing::Test, protected test_support::ExpanderSheet {
protected:
    const afx::ControlRef kSegments = afx::ControlRef::withId(IDC_EXPBROWSER_SEGMENT_LIST);

    CExpPortBrowserPage& openPage() { return open(new CExpPortBrowserPage, {4}); }
    std::string label() { return afx::windows().find(control(IDC_EXPBROWSER_PORTS_LABEL))->text; }
    void chooseSegment(int row) {
        ASSERT_TRUE(driver().selectRows(kSegments, {row}));
        fixture().settle();
    }
    std::vector<std::string> descriptions() {
        std::vector<std::string> out;
        for (const auto& row : rows(IDC_EXPBROWSER_SEGMENT_LIST)) {
            out.push_back(row.cells[1]);
        }
        return out;
    }
};

TEST_F(BrowserTest, OpensOnSegmentOneWithEveryPortOfTheModuleAttachedToIt) {
    CExpPortBrowserPage& page = openPage();
    EXPECT_THAT(descriptions(), ElementsAre("Backbone", "Engineering floor", "Sales floor", ""));
    const auto segments = rows(IDC_EXPBROWSER_SEGMENT_LIST);
    EXPECT_TRUE(segments[0].selected);
    EXPECT_EQ(segments[0].image, sw::kIconSegment);
    EXPECT_EQ(label(), "Segment 1  Attached Ports");
    // Not only the console's selection (port 4): all of segment 1.
    EXPECT_THAT(leading(IDC_EXPBROWSER_PORT_LIST), ElementsAre("1/1", "1/2", "1/3", "2/2", "2/3"));
    const auto ports = rows(IDC_EXPBROWSER_PORT_LIST);
    EXPECT_THAT(ports[0].cells, ElementsAre("1", "1", "enabled", "uplink"));
    EXPECT_EQ(ports[0].image, sw::kIconPortEnabled);
    EXPECT_EQ(page.m_loaded, 1);
    EXPECT_EQ(page.currentSegment(), 1);
}

TEST_F(BrowserTest, ChoosingASegmentListsItsPortsAndTheSameOneReadsNothing) {
    openPage();
    trace().clear();
    chooseSegment(3);
    EXPECT_EQ(label(), "Segment 4  Attached Ports");
    EXPECT_THAT(leading(IDC_EXPBROWSER_PORT_LIST),
                ElementsAre("1/10", "1/11", "1/12", "2/5", "2/10", "2/11", "2/12"));
    EXPECT_EQ(rows(IDC_EXPBROWSER_PORT_LIST)[2].image, sw::kIconPortNotEnabled);  // 1/12
    EXPECT_EQ(count("RequestTable(1)"), 1u);
    EXPECT_EQ(count("RequestTable(2)"), 0u);

    chooseSegment(3);
    EXPECT_EQ(count("RequestTable"), 1u);

    ASSERT_TRUE(driver().press("Refresh"));  // keeps the chosen segment
    fixture().settle();
    EXPECT_EQ(label(), "Segment 4  Attached Ports");
    EXPECT_TRUE(rows(IDC_EXPBROWSER_SEGMENT_LIST)[3].selected);
}

TEST_F(BrowserTest, DescriptionChangedInTheDialogShowsAfterTheSegmentListIsRead) {
    openPage();
    chooseSegment(2);
    driver().expectModal(
        [&](afx::OperatorDriver& d, HWND) {
            d.runUntilIdle();
            std::string value;
            EXPECT_TRUE(d.read("Segment", value));
            EXPECT_EQ(value, "3");
            EXPECT_TRUE(d.read("Description", value));
            EXPECT_EQ(value, "Sales floor");
            EXPECT_TRUE(fixture().sheet().isShrunk());
            EXPECT_TRUE(d.type("Description", "Sales and support"));
            d.expectMessageBox(IDOK, "Notice", "Segment Description Successfully Modified.");
            EXPECT_TRUE(d.press("Apply"));
            d.runUntilIdle();
        },
        "Modify Segment Description");
    trace().clear();
    ASSERT_TRUE(driver().click("Modify..."));
    fixture().settle();
    ASSERT_TRUE(driver().verifyAllExpectedShown());
    EXPECT_EQ(driver().shownMessageBoxes().back().style,
              static_cast<UINT>(MB_OK | MB_ICONINFORMATION));
    EXPECT_FALSE(fixture().sheet().isShrunk());
    EXPECT_EQ(segmentDescription(3), "Sales and support");
    EXPECT_EQ(descriptions()[2], "Sales and support");
    EXPECT_EQ(count("RequestTable(2)"), 1u);  // the segments again
    EXPECT_EQ(count("RequestTable(1)"), 0u);  // not the ports
    EXPECT_EQ(label(), "Segment 3  Attached Ports");
    EXPECT_FALSE(rows(IDC_EXPBROWSER_PORT_LIST).empty());
}

TEST_F(BrowserTest, ClosedDialogChangesNothingAndReadsNothing) {
    openPage();
    driver().expectModal(
        [](afx::OperatorDriver& d, HWND) {
            d.runUntilIdle();
            EXPECT_TRUE(d.type("Description", "never sent"));
            EXPECT_TRUE(d.press("Close"));
        },
        "Modify Segment Description");
    trace().clear();
    ASSERT_TRUE(driver().click("Modify..."));
    fixture().settle();
    EXPECT_EQ(segmentDescription(1), "Backbone");
    EXPECT_EQ(count("RequestTable"), 0u);
    EXPECT_EQ(count("SendSet"), 0u);
}

TEST_F(BrowserTest, FailedReReadAfterADescriptionChangeIsToldAndRefreshReadsBothTables) {
    openPage();
    driver().expectModal(
        [](afx::OperatorDriver& d, HWND) {
            d.runUntilIdle();
            EXPECT_TRUE(d.type("Description", "Core"));
            d.expectMessageBox(IDOK, "Notice");
            d.expectMessageBox(IDOK, "Error");  // then the segments' re-read fails
            EXPECT_TRUE(d.press("Apply"));
            d.runUntilIdle();
        },
        "Modify Segment Description");
    trace().setSink([this](const std::string& line) {
        if (line == "RequestTable(2)") {
            fixture().transport().failNextRequest(mib::TransportOutcome::Timeout, "no answer");
        }
    });
    ASSERT_TRUE(driver().click("Modify..."));
    fixture().settle();
    trace().setSink(nullptr);
    ASSERT_TRUE(driver().verifyAllExpectedShown());
    EXPECT_EQ(segmentDescription(1), "Core");

    trace().clear();
    ASSERT_TRUE(driver().press("Refresh"));
    fixture().settle();
    EXPECT_EQ(count("RequestTable(1)"), 1u);
    EXPECT_EQ(descriptions()[0], "Core");
    EXPECT_EQ(leading(IDC_EXPBROWSER_PORT_LIST).size(), 5u);
}

TEST_F(BrowserTest, HelpOpensTheBrowserTopic) {
    openPage();
    ASSERT_TRUE(driver().press("Help"));
    EXPECT_EQ(sw::lastHelpTopic().topic, "TarvoPort_Help\\TarvoPort_Browser_Page");
    EXPECT_TRUE(sw::lastHelpTopic().exists);
}

}  // namespace
