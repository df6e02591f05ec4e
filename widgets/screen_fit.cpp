#include "widgets/screen_fit.h"

#include <QApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QVariant>
#include <QWidget>
#include <QWindow>
#include <algorithm>

namespace tessaro {

namespace {

// How long a window manager may take to frame a new window before the first placement
// is left as it stands.
constexpr int kFrameWaitMs = 2000;
constexpr int kPollMs = 20;

bool Placed(const QWindow& window) {
    if (!window.isTopLevel()) return false;
    switch (window.type()) {
        case Qt::Window:
        case Qt::Dialog:
        case Qt::Tool: return true;
        default: return false;  // menus, tool tips, splash screens place themselves
    }
}

bool Normal(const QWindow& window) {
    return !(window.windowStates() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen));
}

QWidget* WidgetOf(const QWindow& window) {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->windowHandle() == &window) return w;
    return nullptr;
}

// Where CentreOnScreen left a window's inside. Until the window is placed with its own frame
// it is centred again with each frame better known, unless something has moved it since.
constexpr const char* kCentredAt = "tessaroCentredAt";

const QScreen* ScreenOf(const QWidget& window) {
    return window.screen() ? window.screen() : QGuiApplication::primaryScreen();
}

// The inside of a window of `size` whose frame stands in the middle of `screen`, rounded
// toward zero.
QRect CentredClient(const QSize& size, const QMargins& frame, const QRect& screen) {
    const int width = size.width() + frame.left() + frame.right();
    const int height = size.height() + frame.top() + frame.bottom();
    return {screen.x() + (screen.width() - width) / 2 + frame.left(),
            screen.y() + (screen.height() - height) / 2 + frame.top(), size.width(), size.height()};
}

bool StillCentred(const QWidget& window) {
    const QVariant at = window.property(kCentredAt);
    return at.isValid() && at.toPoint() == window.geometry().topLeft();
}

QRect WorkAreaFor(const QWindow& window, const QRect& frame) {
    const QScreen* screen = QGuiApplication::screenAt(frame.center());
    if (!screen) screen = window.screen();
    if (!screen) screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

}  // namespace

QRect FitFrameInside(const QRect& client, const QMargins& frame, const QRect& area, const QSize& minimum) {
    const int frameWidth = frame.left() + frame.right();
    const int frameHeight = frame.top() + frame.bottom();
    const int width = std::max(
        {std::min(client.width() + frameWidth, area.width()), minimum.width() + frameWidth, frameWidth + 1});
    const int height = std::max({std::min(client.height() + frameHeight, area.height()),
                                 minimum.height() + frameHeight, frameHeight + 1});
    const int left =
        std::clamp(client.x() - frame.left(), area.x(), area.x() + std::max(0, area.width() - width));
    const int top =
        std::clamp(client.y() - frame.top(), area.y(), area.y() + std::max(0, area.height() - height));
    return {left + frame.left(), top + frame.top(), width - frameWidth, height - frameHeight};
}

void CentreOnScreen(QWidget& window) {
    const QScreen* screen = ScreenOf(window);
    if (!screen) return;
    const QRect client = window.geometry();
    const QRect outer = window.frameGeometry();
    // The frame as far as it is known yet: none before the window was first framed.
    const QMargins frame(client.left() - outer.left(), client.top() - outer.top(),
                         outer.right() - client.right(), outer.bottom() - client.bottom());
    const QRect centred = CentredClient(client.size(), frame, screen->geometry());
    window.move(centred.topLeft() - QPoint(frame.left(), frame.top()));  // the frame's place
    window.setProperty(kCentredAt, window.geometry().topLeft());
}

ScreenFit::ScreenFit() {
    qApp->installEventFilter(this);
    poll_.setInterval(kPollMs);
    connect(&poll_, &QTimer::timeout, this, &ScreenFit::CheckWaiting);
}

ScreenFit::~ScreenFit() {
    if (qApp) qApp->removeEventFilter(this);
}

bool ScreenFit::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::Show && type != QEvent::Expose && type != QEvent::Move && type != QEvent::Resize)
        return false;
    auto* window = qobject_cast<QWindow*>(watched);
    if (!window || !Placed(*window)) return false;
    if (type == QEvent::Show) {
        // Before the window is mapped, after its own show handlers placed it: with the frame
        // the program's windows had so far, so it seldom has to move once it is up.
        if (Normal(*window)) Place(*window, lastFrame_);
        waiting_.erase(std::remove_if(waiting_.begin(), waiting_.end(),
                                      [&](const Waiting& w) { return w.window == window; }),
                       waiting_.end());
        waiting_.push_back({window, {}});
        waiting_.back().since.start();
        poll_.start();
    } else if (!waiting_.empty()) {
        CheckWaiting();
    }
    return false;
}

void ScreenFit::Place(QWindow& window, const QMargins& frame) {
    QWidget* widget = WidgetOf(window);
    const QRect now = widget ? widget->geometry() : window.geometry();
    const bool centred = widget && StillCentred(*widget);
    const QRect client = centred ? CentredClient(now.size(), frame, ScreenOf(*widget)->geometry()) : now;
    const QSize minimum = widget ? widget->minimumSize() : window.minimumSize();
    const QRect area = WorkAreaFor(window, client.marginsAdded(frame));
    if (area.isEmpty()) return;
    QRect fit = FitFrameInside(client, frame, area, minimum);
    const bool placedByManager = widget && !widget->testAttribute(Qt::WA_Moved);
    if (placedByManager && !window.isExposed()) {
        // The manager places a window that was never moved; only its size is ours to keep.
        if (fit.size() != now.size()) widget->resize(fit.size());
        return;
    }
    if (fit == now) return;
    if (widget)
        widget->setGeometry(fit);
    else
        window.setGeometry(fit);
    if (centred) widget->setProperty(kCentredAt, widget->geometry().topLeft());
}

bool ScreenFit::PlaceWithOwnFrame(QWindow& window) {
    if (!window.isExposed()) return false;
    const std::optional<QMargins> frame = WindowManagerFrame(window);
    if (!frame) return false;
    lastFrame_ = *frame;
    if (Normal(window)) Place(window, *frame);
    if (QWidget* widget = WidgetOf(window)) widget->setProperty(kCentredAt, QVariant());
    return true;
}

void ScreenFit::CheckWaiting() {
    // Placing a window sends it events that come back here.
    if (checking_) return;
    checking_ = true;
    for (std::size_t i = 0; i < waiting_.size();) {
        Waiting& w = waiting_[i];
        const bool done = !w.window || !w.window->isVisible() || PlaceWithOwnFrame(*w.window) ||
                          w.since.elapsed() > kFrameWaitMs;
        if (done)
            waiting_.erase(waiting_.begin() + std::ptrdiff_t(i));
        else
            ++i;
    }
    checking_ = false;
    if (waiting_.empty()) poll_.stop();
}

}  // namespace tessaro
