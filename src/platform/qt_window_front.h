#pragma once

// Bringing a window to the front when the program, not the user, asks for it.

class QWidget;

namespace kassavero {

// Raises the shown window and asks for the keyboard focus. A window manager may refuse
// the focus to a program the user is not working in; the window then asks for the
// user's attention (the urgency hint on X11) instead of waiting unseen.
void BringWindowToFront(QWidget* window);

}  // namespace kassavero
