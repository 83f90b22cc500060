// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt_window_front.h"

#include <QApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QLayout>
#include <QScreen>
#include <QStyle>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <algorithm>

#include "platform/screen_area.h"

namespace kassavero {
namespace {

ScreenArea ToScreenArea(const QRect& rect) {
    return ScreenArea{rect.x(), rect.y(), rect.width(), rect.height()};
}

// Long enough for the window manager to answer the request for the focus.
constexpr int kActivationCheckMs = 300;

// The screen that holds the point, else the one nearest to it.
const QScreen* ScreenNear(QPoint point) {
    if (const QScreen* screen = QGuiApplication::screenAt(point))
        return screen;
    const QScreen* nearest = QGuiApplication::primaryScreen();
    int best = -1;
    for (const QScreen* screen : QGuiApplication::screens()) {
        const QRect area = screen->availableGeometry();
        const QPoint inside(std::clamp(point.x(), area.left(), area.right()),
                            std::clamp(point.y(), area.top(), area.bottom()));
        const int distance = (inside - point).manhattanLength();
        if (best < 0 || distance < best) {
            best = distance;
            nearest = screen;
        }
    }
    return nearest;
}

// The frame around a window: the real one once the window manager has framed it, before
// that the one last seen on a window of the program, or a title bar's height.
QMargins FrameMargins(const QWidget* window) {
    static QMargins seen;
    // The native window knows a new frame before the widget does.
    if (const QWindow* handle = window->windowHandle();
        handle != nullptr && !handle->frameMargins().isNull()) {
        seen = handle->frameMargins();
        return seen;
    }
    const QRect frame = window->frameGeometry();
    const QRect inner = window->geometry();
    if (frame != inner) {
        seen = QMargins(inner.left() - frame.left(), inner.top() - frame.top(),
                        frame.right() - inner.right(), frame.bottom() - inner.bottom());
        return seen;
    }
    if (!seen.isNull())
        return seen;
    const int title = window->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, window);
    return QMargins(0, title, 0, 0);
}

// The place (the frame's corner) at which the whole frame lies on the screen nearest to it.
QPoint OnScreen(const QWidget* window, QPoint place) {
    const QScreen* screen = ScreenNear(place);
    if (screen == nullptr)
        return place;
    const QSize size = window->size().grownBy(FrameMargins(window));
    const ScreenArea kept =
        KeptOnScreen(ScreenArea{place.x(), place.y(), size.width(), size.height()},
                     ToScreenArea(screen->availableGeometry()));
    return QPoint(kept.Left, kept.Top);
}

// How long after a showing the window manager's framing is awaited.
constexpr int kPlacementCheckMs = 4000;

// How often a shown window is looked at until the window manager has framed it, and how
// often a frame that stays put is asked again to go to its place.
constexpr int kFramingLookMs = 50;
constexpr int kFrameAskMs = 200;
constexpr int kFrameAsks = 5;

// Keeps a placed window at its place until the window manager has framed it. Before that
// the frame is not known, and on X11 a window whose size changes in the meantime (its
// texts are filled in as it shows) is placed by its inner corner: it would come back
// lower by its title bar after every start. So each new size asks for the frame's corner
// again, and once framed the frame's corner is put where it was asked for. A frame put
// around the inner corner moves nothing Qt knows of and sends no event: it is looked for.
// A window manager still busy framing may also pass over the first request.
class PlaceKeeper final : public QObject {
  public:
    PlaceKeeper(QWidget* window, QPoint place) : QObject(window), window_(window), place_(place) {
        setObjectName(kName);
        window->installEventFilter(this);
        connect(&look_, &QTimer::timeout, this, [this] {
            if (Framed())
                PutFrameInPlace();
        });
        look_.setInterval(kFramingLookMs);
    }

    static constexpr const char* kName = "placeKeeper";

    bool eventFilter(QObject*, QEvent* event) override {
        switch (event->type()) {
            case QEvent::Show:
                QTimer::singleShot(kPlacementCheckMs, this, [this] { deleteLater(); });
                look_.start();
                break;
            case QEvent::Resize:
                // A window that grew as its texts came in must still fit on the screen.
                if (window_->isVisible() && !Framed() && window_->windowHandle() != nullptr) {
                    place_ = OnScreen(window_, place_);
                    window_->windowHandle()->setFramePosition(place_);
                }
                break;
            case QEvent::Move:
                if (!event->spontaneous()) {
                    if (!placing_)
                        place_ = WindowPlace(window_);  // moved by the program
                } else if (Framed()) {
                    PutFrameInPlace();
                }
                break;
            case QEvent::Hide:
                deleteLater();
                break;
            default:
                break;
        }
        return false;
    }

  private:
    // Asked of the native window: the widget learns of a new frame only when it moves.
    bool Framed() const {
        const QWindow* handle = window_->windowHandle();
        return handle != nullptr && !handle->frameMargins().isNull();
    }

    // The frame may also be larger than was guessed: the whole of it stays on the screen.
    void PutFrameInPlace() {
        QWindow* handle = window_->windowHandle();
        const QPoint kept = OnScreen(window_, place_);
        if (kept == handle->framePosition() || asks_ == kFrameAsks) {
            look_.stop();
            deleteLater();
            return;
        }
        // Through the widget, which would otherwise put back the inner corner it knows.
        const QMargins frame = handle->frameMargins();
        placing_ = true;
        window_->setGeometry(QRect(kept + QPoint(frame.left(), frame.top()), window_->size()));
        placing_ = false;
        ++asks_;
        look_.start(kFrameAskMs);
    }

    QWidget* window_;
    QPoint place_;
    QTimer look_;
    int asks_ = 0;
    bool placing_ = false;
};

// Undoes a minimising of the window it watches, once the change has been handled.
class MinimiseUndoer final : public QObject {
  public:
    explicit MinimiseUndoer(QWidget* window) : QObject(window), window_(window) {
        window->installEventFilter(this);
    }

    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::WindowStateChange && window_->isMinimized() &&
            window_->isVisible())
            QMetaObject::invokeMethod(
                this, [this] { BringWindowToFront(window_); }, Qt::QueuedConnection);
        return false;
    }

  private:
    QWidget* window_;
};

}  // namespace

QPoint WindowPlace(const QWidget* window) {
    return window->frameGeometry().topLeft();
}

void PlaceWindow(QWidget* window, QPoint place) {
    // The size settles first (see PlaceKeeper); the keeper catches what changes later.
    if (QLayout* layout = window->layout())
        layout->activate();
    place = OnScreen(window, place);
    window->move(place);
    if (!window->isVisible()) {
        delete window->findChild<QObject*>(QString::fromLatin1(PlaceKeeper::kName),
                                           Qt::FindDirectChildrenOnly);
        new PlaceKeeper(window, place);
    }
}

void KeepWholeOnScreen(QWidget* window) {
    // Until the window manager has framed it, its keeper holds the place: read now, the
    // inner corner would pass for the frame's and the window would creep up and aside.
    if (!window->isVisible() || window->findChild<QObject*>(QString::fromLatin1(PlaceKeeper::kName),
                                                            Qt::FindDirectChildrenOnly) != nullptr)
        return;
    const QPoint place = WindowPlace(window);
    if (const QPoint kept = OnScreen(window, place); kept != place)
        window->move(kept);
}

bool MoveClearOf(QWidget* window, const QRect& area) {
    if (!window->isVisible() || area.isEmpty())
        return false;
    const QScreen* screen = ScreenNear(window->frameGeometry().center());
    if (screen == nullptr)
        return false;
    const QSize size = window->size().grownBy(FrameMargins(window));
    const QPoint place = WindowPlace(window);
    const ScreenArea placed =
        PlacedClearOf(ScreenArea{place.x(), place.y(), size.width(), size.height()},
                      ToScreenArea(area), ToScreenArea(screen->availableGeometry()));
    if (QPoint(placed.Left, placed.Top) == place)
        return false;
    window->move(placed.Left, placed.Top);
    return true;
}

void BringWindowToFront(QWidget* window) {
    if (window == nullptr || !window->isVisible())
        return;
    // A minimised window counts as shown; raised alone it would stay an icon.
    if (window->isMinimized())
        window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    window->raise();
    // On X11 this is a request to the window manager (QWindow::requestActivate).
    window->activateWindow();
    QTimer::singleShot(kActivationCheckMs, window, [window] {
        if (window->isVisible() && !window->isActiveWindow())
            QApplication::alert(window);
    });
}

void KeepFromMinimising(QWidget* window) {
    new MinimiseUndoer(window);
}

}  // namespace kassavero
