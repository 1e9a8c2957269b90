#include "console/gui/counter_target.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "framework/sw/drag_drop_string.h"

namespace gui {
namespace {

using ::testing::HasSubstr;

std::string dragOf(const std::string& variable, std::vector<std::string> index,
                   const std::string& label, int slot, int port) {
    sw::DragDropFields fields;
    fields.agent = "127.0.0.1";
    fields.variable = variable;
    fields.value = "42";
    fields.index = std::move(index);
    fields.label = label;
    fields.source = "Ethernet";
    fields.slot = slot;
    fields.port = port;
    return sw::formatDragDropString(fields);
}

TEST(CounterTarget, DragOfACounterNamesItsRowWidthAndLegend) {
    std::string error;
    const auto target =
        counterFromDragString(dragOf("etherStatsPkts", {"1002"}, "Packets", 1, 2) + "\n",
                              mib::MibDictionary::builtin(), &error);
    ASSERT_TRUE(target) << error;
    EXPECT_EQ(target->variable, "etherStatsPkts");
    EXPECT_EQ(target->index, std::vector<std::string>{"1002"});
    EXPECT_EQ(target->widthBits, 32);
    EXPECT_EQ(target->legend(), "Packets 1/2");
}

TEST(CounterTarget, WidthFollowsTheDictionarysSyntax) {
    const mib::MibDictionary dictionary({
        {"bigOctets",
         {1, 3, 6, 1, 4, 1, 99, 1, 1},
         mib::Syntax::Counter64,
         mib::Access::ReadOnly,
         {},
         "bigTable",
         "",
         {"bigIndex"},
         0,
         0,
         ""},
    });
    std::string error;
    const auto target =
        counterFromDragString(dragOf("bigOctets", {"7"}, "Octets", 3, 4), dictionary, &error);
    ASSERT_TRUE(target) << error;
    EXPECT_EQ(target->widthBits, 64);
}

TEST(CounterTarget, RefusesWhatIsNoCounterWithAReason) {
    const struct {
        std::string text;
        const char* reason;
    } cases[] = {
        {"hello", "Not a counter"},
        {"", "Not a counter"},
        {dragOf("etherStatsIndex", {"1002"}, "Slot", 1, 2),
         "\"Slot\" is an integer, not a counter"},
        {dragOf("noSuchThing", {"1"}, "X", 1, 1), "Unknown variable \"noSuchThing\""},
        {dragOf("etherStatsPkts", {}, "Packets", 1, 2), "names no row"},
    };
    for (const auto& c : cases) {
        std::string error;
        EXPECT_FALSE(counterFromDragString(c.text, mib::MibDictionary::builtin(), &error))
            << c.text;
        EXPECT_THAT(error, HasSubstr(c.reason)) << c.text;
    }
}

}  // namespace
}  // namespace gui
