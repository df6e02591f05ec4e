#include "widgets/screen_fit.h"

#include "widgets/window_policy.h"

#include <QAbstractNativeEventFilter>
#include <QApplication>
#include <QEvent>
#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QLayout>
#include <QPlatformSurfaceEvent>
#include <QScreen>
#include <QVariant>
#include <QWidget>
#include <QWindow>
#include <algorithm>

namespace tessaro {

namespace {

// How long after a new window is mapped its manager may take to tell its frame before the
// first placement is left as it stands. A manager tells the frame before it maps a window;
// however long it takes to map one, the program waits.
constexpr int kFrameWaitMs = 2000;
// How long the server may hold a window elsewhere than the program heard before the manager
// is asked where it is.
constexpr int kUnheardMs = 300;

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

// Where the program last centred a window's inside. While the window stands there it is
// centred again with each frame better known and after each change of its controls; once
// anything else has moved it, it is the user's to place.
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

// The frame as far as Qt knows it: none before the window was first framed.
QMargins KnownFrame(const QWidget& window) {
    const QRect client = window.geometry();
    const QRect outer = window.frameGeometry();
    return {client.left() - outer.left(), client.top() - outer.top(), outer.right() - client.right(),
            outer.bottom() - client.bottom()};
}

// False while the server holds the window elsewhere or at another size than the program has
// heard: a move or resize the user is making (or one of the program's own, or the manager's
// placement) is on its way. The widget hears of it a moment after its window does.
bool ServerAgrees(const QWindow& window) {
    if (const QWidget* widget = WidgetOf(window); widget && widget->geometry() != window.geometry())
        return false;
    const std::optional<QRect> server = ServerGeometry(window);
    return !server || *server == window.geometry();
}

// A window fitted to a change of its controls with a guessed frame: the size it asked for
// (an invalid size: what its layout needs), fitted again once its frame is known.
constexpr const char* kRefit = "tessaroRefit";

// Where the program last put a window of one size it centred, until it hears it there, and
// where it stood before.
constexpr const char* kExpectedAt = "tessaroExpectedAt";
constexpr const char* kMovedFrom = "tessaroMovedFrom";

void Expect(QWidget& window, const QRect& at, const QPoint& from) {
    window.setProperty(kExpectedAt, at);
    window.setProperty(kMovedFrom, from);
}

void ForgetExpected(QWidget& window) {
    window.setProperty(kExpectedAt, QVariant());
    window.setProperty(kMovedFrom, QVariant());
}

// Weighs what a window of one size the program moved and sized just heard of itself (`heard`,
// its inside as its window was told it): true when its manager, sizing it to its new hints,
// put it back where it stood before the move. Heard at the size given anywhere else (where the
// program put it, or where the user dragged it) ends the watch.
bool PutBackByManager(QWidget& window, const QRect& heard) {
    const QVariant expected = window.property(kExpectedAt);
    if (!expected.isValid()) return false;
    const QRect at = expected.toRect();
    if (heard.size() != at.size()) return false;  // not yet sized
    const QPoint from = window.property(kMovedFrom).toPoint();
    ForgetExpected(window);
    return heard.topLeft() == from && from != at.topLeft();
}

// Puts the window back where the program put it, unless it was moved again since it was heard
// where it stood before (the user's drag, which the server knows of first).
void KeepWherePut(QWidget& window, const QRect& at, const QRect& heard) {
    const QWindow* handle = window.windowHandle();
    const std::optional<QRect> server = handle ? ServerGeometry(*handle) : std::nullopt;
    if (server && *server != heard) return;
    if (window.geometry() != heard) return;
    window.setGeometry(at);
    window.setProperty(kCentredAt, window.geometry().topLeft());
}

// Set from a window's showing until its placement with its own frame is done or given up.
constexpr const char* kPlacing = "tessaroPlacing";

void MarkPlacing(QWindow* window, bool on) {
    if (QWidget* widget = window ? WidgetOf(*window) : nullptr) widget->setProperty(kPlacing, on);
}

// What a window's layout needs now that its controls changed, up to `room`: the size it
// asks for, as wide as its caption, never below the least it can take.
QSize LayoutNeed(QWidget& window, const QMargins& frame, const QSize& room) {
    QLayout* layout = window.layout();
    const int title = HasDialogFrame(window) ? TitleNeed(window, frame) : 0;
    if (!layout) {
        QSize need = window.sizeHint();
        need.setWidth(std::max(need.width(), title));
        return need.expandedTo(window.minimumSizeHint()).boundedTo(room);
    }
    // Shown and hidden controls count only once the layout has heard of them.
    layout->invalidate();
    layout->activate();
    QSize need = layout->totalSizeHint();
    need.setWidth(std::min(std::max(need.width(), title), room.width()));
    if (layout->hasHeightForWidth()) need.setHeight(layout->totalHeightForWidth(need.width()));
    return need.expandedTo(layout->totalMinimumSize()).boundedTo(room);
}

// Room kept beside a caption inside the part of the title bar it is drawn in.
constexpr int kCaptionMargin = 4;
// A title bar and borders before the manager told theirs.
constexpr int kTitleBarGuess = 24;
constexpr int kBorderGuess = 4;

// A dialog narrower than its caption is made wide enough for it, up to the work area.
void WidenForCaption(QWidget& window, const QMargins& frame) {
    if (window.windowType() != Qt::Dialog) return;
    const QScreen* screen = ScreenOf(window);
    if (!screen) return;
    const int room = screen->availableGeometry().width() - frame.left() - frame.right();
    const int need = std::min(TitleNeed(window, frame), room);
    const bool oneSize = window.minimumWidth() == window.maximumWidth();
    if (window.width() >= need || (!oneSize && window.maximumWidth() < need)) return;
    if (oneSize)
        window.setFixedSize(need, window.height());  // both bounds in one write of the hints
    else
        window.resize(need, window.height());
}

}  // namespace

bool BeingPlaced(const QWidget& window) { return window.property(kPlacing).toBool(); }

int TitleNeed(const QWidget& window, const QMargins& frame) {
    if (window.windowTitle().isEmpty()) return 0;
    // Managers draw captions bold in a font of the desktop's (not the window's own). The part of
    // the title bar that is not the caption's (the window's icon, the boxes, the margins) as
    // the manager drew it, else about as wide as six boxes, each about as wide as the bar is
    // high.
    int caption = 0;
    for (QFont font : {window.font(), QApplication::font()}) {
        font.setBold(true);
        caption = std::max(caption, QFontMetrics(font).horizontalAdvance(window.windowTitle()));
    }
    caption += kCaptionMargin;
    const int bar = frame.top() > frame.bottom() ? frame.top() : kTitleBarGuess;
    int besides = 6 * bar;
    if (const QWindow* handle = window.windowHandle())
        if (const std::optional<int> room = TitleRoom(*handle))
            if (const std::optional<QRect> now = ServerGeometry(*handle))
                besides = now->width() + frame.left() + frame.right() - *room;
    return caption + besides - frame.left() - frame.right();
}

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
    const QMargins frame = KnownFrame(window);
    const QRect centred = CentredClient(window.size(), frame, screen->availableGeometry());
    window.move(centred.topLeft() - QPoint(frame.left(), frame.top()));  // the frame's place
    window.setProperty(kCentredAt, window.geometry().topLeft());
}

namespace {

// The frame its manager told (also for a window not mapped yet, once asked), else nothing.
std::optional<QMargins> ToldFrame(const QWidget& window) {
    const QWindow* handle = window.windowHandle();
    return handle ? WindowManagerFrame(*handle) : std::nullopt;
}

}  // namespace

QMargins FrameOf(const QWidget& window) {
    if (const std::optional<QMargins> told = ToldFrame(window)) return *told;
    const QMargins known = KnownFrame(window);
    // Never framed yet: room for a title bar and thin borders is kept.
    return known.isNull() ? QMargins(kBorderGuess, kTitleBarGuess, kBorderGuess, kBorderGuess) : known;
}

namespace {

QSize RoomIn(const QRect& area, const QMargins& frame) {
    return {std::max(1, area.width() - frame.left() - frame.right()),
            std::max(1, area.height() - frame.top() - frame.bottom())};
}

void TakeSize(QWidget& window, const QSize& size, const QMargins& frame, const QRect& area) {
    // Asked of the server, which knows of a drag before the program does (and may not have
    // told yet of the program's own last placement).
    const QVariant at = window.property(kCentredAt);
    const QWindow* handle = window.windowHandle();
    const std::optional<QRect> server = handle ? ServerGeometry(*handle) : std::nullopt;
    const bool moved =
        !at.isValid() || (server ? server->topLeft() : window.geometry().topLeft()) != at.toPoint();
    QRect target(window.geometry().topLeft(), size);
    if (window.isVisible())  // else its showing places it
        target = moved ? FitFrameInside(target, frame, area, size) : CentredClient(size, frame, area);
    // A window of one size takes its new size in one write of its hints (least and largest
    // size both the new one): a manager that read hints letting it be resized, even for a
    // moment, would give its frame a resize handle, and may keep it.
    // Moved first, then its hints and size: a manager that gets to the hints late sizes the
    // window where it already stands, never back where it was.
    const QPoint from = window.geometry().topLeft();
    if (HasDialogFrame(window) && size != window.size()) {
        if (window.isVisible() && target.topLeft() != from)
            window.move(target.topLeft() - (from - window.pos()));
        window.setFixedSize(size);
    }
    if (target != window.geometry()) window.setGeometry(target);
    if (window.isVisible() && !moved) {
        window.setProperty(kCentredAt, window.geometry().topLeft());
        // A manager that gets to the new hints after the move may size the window where it was.
        if (HasDialogFrame(window) && target.topLeft() != from)
            Expect(window, target, from);
        else
            ForgetExpected(window);
    }
}

// `size` invalid: what the layout needs.
void FitWithFrame(QWidget& window, const QSize& size, const QMargins& frame) {
    const QScreen* screen = ScreenOf(window);
    if (!screen) return;
    const QRect area = screen->availableGeometry();
    const QSize room = RoomIn(area, frame);
    TakeSize(window, size.isValid() ? size.boundedTo(room) : LayoutNeed(window, frame, room), frame, area);
}

void FitAfterChange(QWidget& window, const QSize& size) {
    const bool told = ToldFrame(window).has_value();
    FitWithFrame(window, size, FrameOf(window));
    if (told)
        window.setProperty(kRefit, QVariant());
    else
        window.setProperty(kRefit, size);
}

}  // namespace

void FitToLayout(QWidget& window) { FitAfterChange(window, QSize()); }

void ResizeAfterChange(QWidget& window, const QSize& size) { FitAfterChange(window, size); }

ScreenFit::ScreenFit() : frameNotices_(WatchFrameNotices([this] { CheckWaiting(); })) {
    qApp->installEventFilter(this);
    nextLook_.setSingleShot(true);
    connect(&nextLook_, &QTimer::timeout, this, &ScreenFit::CheckWaiting);
}

ScreenFit::~ScreenFit() {
    if (qApp) qApp->removeEventFilter(this);
}

bool ScreenFit::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::Show && type != QEvent::Expose && type != QEvent::Move && type != QEvent::Resize &&
        type != QEvent::PlatformSurface)
        return false;
    auto* window = qobject_cast<QWindow*>(watched);
    if (!window || !Placed(*window)) return false;
    if (type == QEvent::PlatformSurface) {
        // As soon as the window exists, so that the manager's answer is there by its showing.
        if (static_cast<QPlatformSurfaceEvent*>(event)->surfaceEventType() ==
            QPlatformSurfaceEvent::SurfaceCreated)
            AskFrame(*window);
    } else if (type == QEvent::Show) {
        // Before the window is mapped, after its own show handlers placed it: with the frame
        // its manager will give it, when it has told it already, else the one the program's
        // windows had so far.
        const std::optional<QMargins> asked = AskFrame(*window);
        if (asked) {
            lastFrame_ = *asked;
            Refit(*window, *asked);
        }
        if (QWidget* widget = WidgetOf(*window)) WidenForCaption(*widget, lastFrame_);
        if (Normal(*window)) Place(*window, lastFrame_);
        waiting_.erase(std::remove_if(waiting_.begin(), waiting_.end(),
                                      [&](const Waiting& w) { return w.window == window; }),
                       waiting_.end());
        MarkPlacing(window, true);
        waiting_.push_back({window, {}, {}, false});
        SetNextLook();
    } else if (type == QEvent::Move || type == QEvent::Resize) {
        // Weighed by the place the window was told in this very event: by the time a queued
        // call runs, a drag may have moved it on.
        QWidget* widget = WidgetOf(*window);
        const QVariant at = widget ? widget->property(kExpectedAt) : QVariant();
        if (at.isValid() && PutBackByManager(*widget, window->geometry()))
            QMetaObject::invokeMethod(
                widget,
                [w = QPointer<QWidget>(widget), at = at.toRect(), heard = window->geometry()] {
                    if (w) KeepWherePut(*w, at, heard);
                },
                Qt::QueuedConnection);
    }
    if (type != QEvent::Show && type != QEvent::PlatformSurface && !waiting_.empty() && !lookQueued_) {
        // Once the widget, too, has heard what its window just heard.
        lookQueued_ = true;
        QMetaObject::invokeMethod(
            this,
            [this] {
                lookQueued_ = false;
                CheckWaiting();
            },
            Qt::QueuedConnection);
    }
    return false;
}

void ScreenFit::Place(QWindow& window, const QMargins& frame) {
    QWidget* widget = WidgetOf(window);
    const QRect now = widget ? widget->geometry() : window.geometry();
    const bool centred = widget && StillCentred(*widget);
    const QRect client =
        centred ? CentredClient(now.size(), frame, ScreenOf(*widget)->availableGeometry()) : now;
    // A window of one size may still be made smaller, down to what its controls need.
    const bool oneSize = widget && HasDialogFrame(*widget);
    QSize minimum = widget ? widget->minimumSize() : window.minimumSize();
    if (oneSize)
        minimum = (widget->layout() ? widget->layout()->totalMinimumSize() : QSize(1, 1)).boundedTo(minimum);
    const QRect area = WorkAreaFor(window, client.marginsAdded(frame));
    if (area.isEmpty()) return;
    QRect fit = FitFrameInside(client, frame, area, minimum);
    if (oneSize && fit.size() != now.size()) widget->setFixedSize(fit.size());
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
    // Placed only once the program has heard where the window is: a drag the user began
    // meanwhile is never undone.
    if (!ServerAgrees(window)) return false;
    lastFrame_ = *frame;
    Refit(window, *frame);
    if (QWidget* widget = WidgetOf(window)) WidenForCaption(*widget, *frame);
    if (Normal(window)) Place(window, *frame);
    return true;
}

void ScreenFit::Refit(QWindow& window, const QMargins& frame) {
    QWidget* widget = WidgetOf(window);
    if (!widget) return;
    const QVariant size = widget->property(kRefit);
    if (!size.isValid()) return;
    widget->setProperty(kRefit, QVariant());
    FitWithFrame(*widget, size.toSize(), frame);
}

void ScreenFit::AskPlaceIfUnheard(Waiting& w) {
    // The toolkit takes a place the manager tells as it stands. One told while the window was
    // being framed may be stale, and no later word puts it right: the program would wait in
    // vain to hear where the window is, and a later move or resize of its own would send the
    // window there. A window held elsewhere for long (longer than a drag's last word takes)
    // has the manager asked once.
    if (ServerAgrees(*w.window)) {
        w.unheard.invalidate();
    } else if (!w.unheard.isValid()) {
        w.unheard.start();
    } else if (!w.askedPlace && w.unheard.elapsed() > kUnheardMs) {
        w.askedPlace = true;
        AskPlace(*w.window);
    }
}

void ScreenFit::CheckWaiting() {
    // Placing a window sends it events that come back here.
    if (checking_) return;
    checking_ = true;
    for (std::size_t i = 0; i < waiting_.size();) {
        Waiting& w = waiting_[i];
        if (w.window && w.window->isExposed() && !w.mapped.isValid()) w.mapped.start();
        if (w.window && w.mapped.isValid()) AskPlaceIfUnheard(w);
        // A minimised window is mapped only once the user brings it back.
        const bool done = !w.window || !w.window->isVisible() || !Normal(*w.window) ||
                          PlaceWithOwnFrame(*w.window) ||
                          (w.mapped.isValid() && w.mapped.elapsed() > kFrameWaitMs);
        if (done) MarkPlacing(w.window, false);
        if (done)
            waiting_.erase(waiting_.begin() + std::ptrdiff_t(i));
        else
            ++i;
    }
    checking_ = false;
    SetNextLook();
}

void ScreenFit::SetNextLook() {
    // A window not up yet is looked at again when it is (its exposure); one up when its time
    // for the frame runs out, or when it has been held elsewhere than heard for too long.
    int soonest = -1;
    for (const Waiting& w : waiting_) {
        if (!w.mapped.isValid()) continue;
        int due = kFrameWaitMs - int(w.mapped.elapsed());
        if (w.unheard.isValid() && !w.askedPlace) due = std::min(due, kUnheardMs - int(w.unheard.elapsed()));
        soonest = soonest < 0 ? due : std::min(soonest, due);
    }
    if (soonest < 0)
        nextLook_.stop();
    else
        nextLook_.start(std::max(1, soonest + 1));
}

}  // namespace tessaro
