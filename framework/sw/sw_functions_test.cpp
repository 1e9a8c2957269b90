#include "framework/sw/sw_functions.h"

#include <gtest/gtest.h>

#include "framework/sw/default_icons.h"
#include "framework/sw/drag_drop_string.h"

namespace {

TEST(DragDropString, RoundTripsFieldsWithSeparatorsInside) {
    sw::DragDropFields in;
    in.agent = "10.0.0.7";
    in.variable = "etherStatsOctets";
    in.value = "1\t2\\3";
    in.index = {"5012"};
    in.label = "Octets";
    in.source = "Ethernet";
    in.slot = 5;
    in.port = 12;
    sw::DragDropFields out;
    ASSERT_TRUE(sw::parseDragDropString(sw::formatDragDropString(in), out));
    EXPECT_EQ(out.value, in.value);
    EXPECT_EQ(out.index, in.index);
    EXPECT_EQ(out.port, 12);
    EXPECT_FALSE(sw::parseDragDropString("SWDRAG/1\tagent=x", out));
}

TEST(DefaultIcons, OneSharedListLivesWhileUsed) {
    CImageList* a = GetDefaultIcons();
    CImageList* b = GetDefaultIcons();
    EXPECT_EQ(a, b);
    EXPECT_GE(a->GetImageCount(), 16);
    ReleaseDefaultIcons();
    EXPECT_EQ(sw::defaultIconUsers(), 1);
    ReleaseDefaultIcons();
    ReleaseDefaultIcons();  // one too many does no harm
    EXPECT_EQ(sw::defaultIconUsers(), 0);
    EXPECT_STREQ(sw::defaultIconName(14), "port-on");
}

TEST(DefaultIcons, ALeaseTakesTheListOnceAndGivesItBackWhenItGoes) {
    const int before = sw::defaultIconUsers();
    {
        sw::DefaultIconsLease lease;
        EXPECT_EQ(lease.get(), nullptr);
        EXPECT_EQ(sw::defaultIconUsers(), before);
        CImageList* icons = lease.acquire();
        EXPECT_EQ(lease.acquire(), icons);  // a second OnInitDialog takes no second share
        EXPECT_EQ(sw::defaultIconUsers(), before + 1);
        lease.release();
        EXPECT_EQ(sw::defaultIconUsers(), before);
        lease.acquire();
    }
    EXPECT_EQ(sw::defaultIconUsers(), before);
}

TEST(SortLBValues, NumericOrderKeepsItemData) {
    CWnd parent;
    parent.Create(nullptr, "p", 0, CRect(), nullptr, 0);
    CListBox box;
    box.Attach(afx::windows().create(afx::WindowClass::ListBox, parent.m_hWnd, 5, "", 0, CRect()));
    for (const char* text : {"10", "9", "100", "2"}) {
        box.SetItemData(box.AddString(text), static_cast<DWORD_PTR>(atoi(text)));
    }
    SortLBValues(&box, 1);
    CString first;
    box.GetText(0, first);
    EXPECT_EQ(first, "2");
    EXPECT_EQ(box.GetItemData(3), 100u);
    EXPECT_TRUE(IsValidWindow(&box));
    afx::windows().destroy(box.Detach());
    EXPECT_FALSE(IsValidWindow(&box));
}

}  // namespace
