// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/screen_area.h"

#include <gtest/gtest.h>

namespace kassavero {
namespace {

constexpr ScreenArea kScreen{0, 0, 1366, 768};

struct ClearCase {
    const char* what;
    ScreenArea window, keepClear, placed;
};

TEST(ScreenArea, WindowsGoBesideWhatTheyWouldCover) {
    const ClearCase cases[] = {
        {"nothing covered: stays", {100, 100, 400, 300}, {600, 100, 80, 20}, {100, 100, 400, 300}},
        {"off the screen: comes back whole",
         {1200, 700, 400, 300},
         {0, 0, 0, 0},
         {966, 468, 400, 300}},
        {"covers an amount: goes below it",
         {100, 100, 400, 300},
         {200, 150, 80, 20},
         {100, 178, 400, 300}},
        {"no room below: above", {100, 320, 400, 300}, {200, 600, 80, 20}, {100, 292, 400, 300}},
        {"a whole column covered: beside it",
         {100, 100, 400, 300},
         {0, 0, 450, 768},
         {458, 100, 400, 300}},
        {"no room anywhere: below, on the screen",
         {0, 0, 400, 300},
         {0, 0, 1366, 768},
         {0, 468, 400, 300}},
    };
    for (const ClearCase& c : cases)
        EXPECT_EQ(PlacedClearOf(c.window, c.keepClear, kScreen), c.placed) << c.what;
}

}  // namespace
}  // namespace kassavero
