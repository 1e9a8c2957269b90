#include "console/port_list.h"

#include <gtest/gtest.h>

#include <ostream>

namespace console {
namespace {

struct ListCase {
    const char* text;
    std::vector<SlotPort> ports;  // resolved against chassis(); empty on an error
    std::string error;            // "" when the list is good
};

// Names the case in test listings by its text rather than its bytes.
void PrintTo(const ListCase& c, std::ostream* os) {
    *os << "list " << (*c.text == '\0' ? "(empty)" : c.text);
}

// Slot 1: ports 1-12; slot 3: ports 1-6; slot 4: ports 1-4.
std::vector<SlotPort> chassis() {
    std::vector<SlotPort> ports;
    for (const auto& [slot, count] : {std::pair{1, 12}, {3, 6}, {4, 4}}) {
        for (int port = 1; port <= count; ++port) {
            ports.push_back({slot, port});
        }
    }
    return ports;
}

std::vector<SlotPort> slot1(int first, int last) {
    std::vector<SlotPort> ports;
    for (int port = first; port <= last; ++port) {
        ports.push_back({1, port});
    }
    return ports;
}

std::string resolve(const char* text, std::vector<SlotPort>* ports) {
    std::vector<PortSpan> spans;
    std::string error;
    if (!parsePortList(text, &spans, &error)) {
        return "parse: " + error;
    }
    auto resolved = resolvePortList(spans, chassis(), &error);
    if (!resolved) {
        return "resolve: " + error;
    }
    *ports = *resolved;
    return "";
}

class PortListCase : public ::testing::TestWithParam<ListCase> {};

TEST_P(PortListCase, ResolvesOrNamesTheFault) {
    const ListCase& c = GetParam();
    std::vector<SlotPort> ports;
    EXPECT_EQ(resolve(c.text, &ports), c.error);
    EXPECT_EQ(ports, c.ports);
}

INSTANTIATE_TEST_SUITE_P(
    Good, PortListCase,
    ::testing::Values(ListCase{"1/2", {{1, 2}}, ""}, ListCase{"1/1-12", slot1(1, 12), ""},
                      ListCase{"1/*", slot1(1, 12), ""}, ListCase{"1/5-5", {{1, 5}}, ""},
                      ListCase{"3/5,4/1-4", {{3, 5}, {4, 1}, {4, 2}, {4, 3}, {4, 4}}, ""},
                      // named twice, selected once, in the order first named
                      ListCase{"4/2,4/*,1/1", {{4, 2}, {4, 1}, {4, 3}, {4, 4}, {1, 1}}, ""}));

INSTANTIATE_TEST_SUITE_P(
    Lacking, PortListCase,
    ::testing::Values(ListCase{"3/7", {}, "resolve: the chassis has no port 3/7"},
                      ListCase{"1/1-13", {}, "resolve: the chassis has no port 1/13"},
                      ListCase{"1/1,9/77,1/2", {}, "resolve: the chassis has no port 9/77"},
                      ListCase{"2/*", {}, "resolve: the chassis has no ports in slot 2"},
                      // a range far beyond the chassis stops at its first missing port
                      ListCase{"1/10-2147483647", {}, "resolve: the chassis has no port 1/13"}));

const std::string kPortsFrom1 = ": expected SLOT/PORT, SLOT/FIRST-LAST or SLOT/* with ports from 1";
const std::string kSlotsFrom1 = ": expected SLOT/PORT, SLOT/FIRST-LAST or SLOT/* with slots from 1";

INSTANTIATE_TEST_SUITE_P(
    Malformed, PortListCase,
    ::testing::Values(ListCase{"1/12-1", {}, "parse: 1/12-1: the range ends before it starts"},
                      ListCase{"1/0-3", {}, "parse: 1/0-3" + kPortsFrom1},
                      ListCase{"1/3-", {}, "parse: 1/3-" + kPortsFrom1},
                      ListCase{"1/-3", {}, "parse: 1/-3" + kPortsFrom1},
                      ListCase{"1/1-2-3", {}, "parse: 1/1-2-3" + kPortsFrom1},
                      ListCase{"1/*3", {}, "parse: 1/*3" + kPortsFrom1},
                      ListCase{"1/99999999999", {}, "parse: 1/99999999999" + kPortsFrom1},
                      ListCase{"*/1", {}, "parse: */1" + kSlotsFrom1},
                      ListCase{"0/1", {}, "parse: 0/1" + kSlotsFrom1},
                      ListCase{"3", {}, "parse: 3" + kSlotsFrom1},
                      ListCase{"1/1,,1/2", {}, "parse: an empty item in \"1/1,,1/2\""},
                      ListCase{"1/1,", {}, "parse: an empty item in \"1/1,\""},
                      ListCase{"", {}, "parse: an empty item in \"\""}));

TEST(PortList, ABadItemLeavesTheListAsItWas) {
    std::vector<PortSpan> spans{{1, 1, 1}};
    std::string error;
    EXPECT_FALSE(parsePortList("2/1,2/x", &spans, &error));
    EXPECT_EQ(spans, (std::vector<PortSpan>{{1, 1, 1}}));
    ASSERT_TRUE(parsePortList("2/*", &spans, &error));
    EXPECT_EQ(spans, (std::vector<PortSpan>{{1, 1, 1}, {2, 0, 0}}));
}

}  // namespace
}  // namespace console
