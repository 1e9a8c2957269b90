#include "console/gui/display_check.h"

#include <gtest/gtest.h>

#include <map>

namespace gui {
namespace {

struct DisplayCase {
    std::map<std::string, std::string> env;
    bool serverAnswers;
    std::string missing;  // a part of the reason; "" when a window can be shown
};

class DisplayCheck : public testing::TestWithParam<DisplayCase> {};

TEST_P(DisplayCheck, SaysWhyNoWindowCanBeShown) {
    const DisplayCase& c = GetParam();
    DisplayEnvironment env{[&c](const char* name) -> const char* {
                               const auto it = c.env.find(name);
                               return it == c.env.end() ? nullptr : it->second.c_str();
                           },
                           [&c](const std::string&) { return c.serverAnswers; }};
    const std::string why = missingDisplay(env);
    if (c.missing.empty()) {
        EXPECT_EQ(why, "");
    } else {
        EXPECT_NE(why.find(c.missing), std::string::npos) << why;
        EXPECT_EQ(why.find('\n'), std::string::npos) << "one line: " << why;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Environments, DisplayCheck,
    testing::Values(DisplayCase{{}, true, "DISPLAY is not set"},
                    DisplayCase{{{"DISPLAY", ""}}, true, "DISPLAY is not set"},
                    DisplayCase{{{"DISPLAY", ":9"}}, false, "DISPLAY=:9 does not answer"},
                    DisplayCase{{{"DISPLAY", ":0"}}, true, ""},
                    DisplayCase{{{"QT_QPA_PLATFORM", "offscreen"}}, false, ""},
                    DisplayCase{{{"QT_QPA_PLATFORM", "xcb"}}, true, "DISPLAY is not set"},
                    DisplayCase{{{"QT_QPA_PLATFORM", "wayland"}}, true, "WAYLAND_DISPLAY"},
                    DisplayCase{{{"WAYLAND_DISPLAY", "wayland-0"}}, false, ""}));

}  // namespace
}  // namespace gui
