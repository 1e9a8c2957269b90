#include "framework/afx/printable_text.h"

#include <gtest/gtest.h>

#include <string>

namespace afx {
namespace {

TEST(PrintableText, ControlBytesAndBrokenUtf8AreEscapedTextStays) {
    EXPECT_EQ(printableText("plain, text ~ 42"), "plain, text ~ 42");
    EXPECT_EQ(printableText("\x1b[2J\x07"), "\\x1b[2J\\x07");
    EXPECT_EQ(printableText(std::string("a\0b", 3)), "a\\x00b");
    EXPECT_EQ(printableText("tab\there\r\nnext"), "tab\\there\\r\\nnext");
    EXPECT_EQ(printableText("\x7f"), "\\x7f");
    EXPECT_EQ(printableText("caf\xc3\xa9 \xe2\x82\xac"),
              "caf\xc3\xa9 \xe2\x82\xac");  // UTF-8 stays
    EXPECT_EQ(printableText("x\xff"), "x\\xff");
    EXPECT_EQ(printableText("\xc2\x9b"
                            "31m"),
              "\\xc2\\x9b31m");                                   // C1 CSI in UTF-8
    EXPECT_EQ(printableText("\xc0\xaf"), "\\xc0\\xaf");           // overlong
    EXPECT_EQ(printableText("\xe2\x82"), "\\xe2\\x82");           // cut sequence
    EXPECT_EQ(printableText("\xed\xa0\x80"), "\\xed\\xa0\\x80");  // surrogate
}

TEST(PrintableText, LinesKeepTheirBreaksAndExcerptsAreCut) {
    EXPECT_EQ(printableLines("one\ntwo\x1b"), "one\ntwo\\x1b");
    EXPECT_EQ(printableExcerpt("short", 10), "short");
    EXPECT_EQ(printableExcerpt("0123456789abc", 10), "0123456789...");
    EXPECT_EQ(printableExcerpt("12345678\xc3\xa9xyz", 9), "12345678...");  // not inside é
}

}  // namespace
}  // namespace afx
