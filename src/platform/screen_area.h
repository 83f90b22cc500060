// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Rectangles on the screen, in pixels, and where a window goes so that it hides nothing
// the user must see.

namespace kassavero {

struct ScreenArea {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;

    int Right() const { return Left + Width; }   // one past the last column
    int Bottom() const { return Top + Height; }  // one past the last row
    bool Empty() const { return Width <= 0 || Height <= 0; }
    bool Overlaps(const ScreenArea& other) const;
    bool operator==(const ScreenArea&) const = default;
};

// The window moved wholly onto the screen (as far as its size allows), the top-left corner
// kept on it.
ScreenArea KeptOnScreen(ScreenArea window, const ScreenArea& screen);

// The window's new area: where it stands, kept on the screen, unless that covers part of
// `keepClear`; then beside it (below, above, right or left, whichever is nearest to where
// the window stood and fits on the screen). Nothing fits: below, kept on the screen.
ScreenArea PlacedClearOf(const ScreenArea& window, const ScreenArea& keepClear,
                         const ScreenArea& screen);

}  // namespace kassavero
