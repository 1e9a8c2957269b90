#include "framework/afx/cstring.h"

#include <gtest/gtest.h>

#include "framework/afx/collections.h"

namespace {

TEST(CStringTest, FormatsAndSlices) {
    CString s;
    s.Format("%d / %d", 5, 12);
    EXPECT_EQ(s, "5 / 12");
    EXPECT_EQ(s.GetLength(), 6);
    EXPECT_EQ(s.Left(1), "5");
    EXPECT_EQ(s.Mid(4), "12");
    EXPECT_EQ(s.Mid(2, 1), "/");
    EXPECT_EQ(s.Right(2), "12");
    EXPECT_EQ(s.Right(99), "5 / 12");
    EXPECT_EQ(s.Mid(99), "");
    EXPECT_EQ(s.Find('/'), 2);
    EXPECT_EQ(s.Find("12"), 4);
    EXPECT_EQ(s.Find('x'), -1);
    CString longText;
    longText.Format("%s", std::string(5000, 'a').c_str());
    EXPECT_EQ(longText.GetLength(), 5000);
}

TEST(CStringTest, CaseTrimAndCompare) {
    CString s("  PortStats \t");
    s.TrimLeft();
    EXPECT_EQ(s, "PortStats \t");
    s.TrimRight();
    EXPECT_EQ(s, "PortStats");
    EXPECT_EQ(s.CompareNoCase("portstats"), 0);
    EXPECT_NE(s.Compare("portstats"), 0);
    EXPECT_EQ(CString(s).MakeUpper(), "PORTSTATS");
    EXPECT_EQ(CString(s).MakeLower(), "portstats");
    EXPECT_TRUE(CString().IsEmpty());
    EXPECT_EQ(CString("a") + "b" + CString("c") + 'd', "abcd");
}

TEST(CStringTest, BufferRoundTrip) {
    CString s;
    char* buffer = s.GetBuffer(16);
    std::snprintf(buffer, 16, "%s", "abc");
    s.ReleaseBuffer();
    EXPECT_EQ(s, "abc");
    EXPECT_EQ(s.GetLength(), 3);
    const char* raw = s;
    EXPECT_STREQ(raw, "abc");
}

TEST(CollectionsTest, ArraysInsertRemoveAndGrow) {
    CStringArray names;
    names.Add("b");
    names.InsertAt(0, "a");
    names.Add(CString("c"));
    ASSERT_EQ(names.GetSize(), 3);
    EXPECT_EQ(names[0], "a");
    names.RemoveAt(1);
    EXPECT_EQ(names.GetAt(1), "c");
    names.SetAtGrow(4, "e");
    EXPECT_EQ(names.GetCount(), 5);
    EXPECT_EQ(names[3], "");

    CUIntArray instance;
    instance.Add(5);
    instance.Add(12);
    instance.SetAt(0, 6);
    EXPECT_EQ(instance[0], 6u);
    instance.RemoveAll();
    EXPECT_TRUE(instance.IsEmpty());
    EXPECT_TRUE(instance.IsKindOf(RUNTIME_CLASS(CObject)));
    EXPECT_FALSE(instance.IsKindOf(RUNTIME_CLASS(CStringArray)));
}

}  // namespace
