#include "platform/qt_window_front.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>

namespace kassavero {
namespace {

// Long enough for the window manager to answer the request for the focus.
constexpr int kActivationCheckMs = 300;

}  // namespace

void BringWindowToFront(QWidget* window) {
    if (window == nullptr || !window->isVisible())
        return;
    window->raise();
    // On X11 this is a request to the window manager (QWindow::requestActivate).
    window->activateWindow();
    QTimer::singleShot(kActivationCheckMs, window, [window] {
        if (window->isVisible() && !window->isActiveWindow())
            QApplication::alert(window);
    });
}

}  // namespace kassavero
