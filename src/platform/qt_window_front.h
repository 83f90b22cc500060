// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Placing a window and bringing it to the front when the program, not the user, asks
// for it.

#include <QPoint>
#include <QRect>

class QWidget;

namespace kassavero {

// Where a window stands, as the program stores it: the top-left corner of its frame.
QPoint WindowPlace(const QWidget* window);

// Puts the top-left corner of the window's frame at the point (stored by WindowPlace),
// moved onto the nearest screen when the window would stand off every screen.
void PlaceWindow(QWidget* window, QPoint place);

// Moves a shown window whose frame reaches past its screen (it grew) wholly onto it.
void KeepWholeOnScreen(QWidget* window);

// Moves a shown window beside the area (in screen pixels) if its frame covers part of
// it, wholly on its screen. True when it moved.
bool MoveClearOf(QWidget* window, const QRect& area);

// Brings a shown window back if it is minimised, raises it and asks for the keyboard
// focus. A window manager may refuse the focus to a program the
// user is not working in; the window then asks for the user's attention (the urgency
// hint on X11) instead of waiting unseen.
void BringWindowToFront(QWidget* window);

// For a window without a minimise button that has nothing to come back from (no taskbar
// entry, a question waiting in it, a modal dialog): a window manager that minimises it
// anyway sees it shown again at once.
void KeepFromMinimising(QWidget* window);

}  // namespace kassavero
