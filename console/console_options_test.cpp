#include "console/console_options.h"

#include <gtest/gtest.h>

namespace console {
namespace {

TEST(ConsoleOptions, Placeholder) {
    EXPECT_TRUE(parseOptions({}).ok);
}

}  // namespace
}  // namespace console
