// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/screen_area.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <optional>

namespace kassavero {
namespace {

// Room left between the window and what it keeps clear of.
constexpr int kGap = 8;

int Clamped(int start, int length, int areaStart, int areaLength) {
    return std::clamp(start, areaStart, std::max(areaStart, areaStart + areaLength - length));
}

}  // namespace

bool ScreenArea::Overlaps(const ScreenArea& other) const {
    return !Empty() && !other.Empty() && Left < other.Right() && other.Left < Right() &&
           Top < other.Bottom() && other.Top < Bottom();
}

ScreenArea KeptOnScreen(ScreenArea window, const ScreenArea& screen) {
    window.Left = Clamped(window.Left, window.Width, screen.Left, screen.Width);
    window.Top = Clamped(window.Top, window.Height, screen.Top, screen.Height);
    return window;
}

ScreenArea PlacedClearOf(const ScreenArea& window, const ScreenArea& keepClear,
                         const ScreenArea& screen) {
    const ScreenArea here = KeptOnScreen(window, screen);
    if (!here.Overlaps(keepClear))
        return here;
    ScreenArea below = here;
    below.Top = keepClear.Bottom() + kGap;
    ScreenArea above = here;
    above.Top = keepClear.Top - kGap - here.Height;
    ScreenArea right = here;
    right.Left = keepClear.Right() + kGap;
    ScreenArea left = here;
    left.Left = keepClear.Left - kGap - here.Width;
    std::optional<ScreenArea> best;
    int bestDistance = 0;
    for (const ScreenArea& candidate : std::array{below, above, right, left}) {
        const ScreenArea placed = KeptOnScreen(candidate, screen);
        if (placed.Overlaps(keepClear))
            continue;
        const int distance =
            std::abs(placed.Left - window.Left) + std::abs(placed.Top - window.Top);
        if (!best || distance < bestDistance) {
            best = placed;
            bestDistance = distance;
        }
    }
    return best.value_or(KeptOnScreen(below, screen));
}

}  // namespace kassavero
