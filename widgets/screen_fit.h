#pragma once
// Every top-level window of a program opens with its whole frame, title bar included,
// inside the screen's work area. Before a window is mapped its manager is asked for the frame
// it will give it, so the window goes up where it belongs and need not move once it is up
// (a move then could undo a drag the user is making). A manager that does not answer in time
// has the window placed with the frame the program's earlier windows had, and again, unless
// the user moved it meanwhile, as soon as it tells its own.
#include <QElapsedTimer>
#include <QMargins>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QTimer>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QAbstractNativeEventFilter;
class QWidget;
class QWindow;

namespace tessaro {

// The inside (client) rectangle of a window whose frame is to lie inside `area`: moved
// onto the area and, when the frame is larger than the area, made smaller, but never
// below `minimum` (what its layout needs).
QRect FitFrameInside(const QRect& client, const QMargins& frame, const QRect& area, const QSize& minimum);

// The frame the window manager put around `window` (left, top, right, bottom), once it
// has; nothing before, or without a manager that tells. Off X11: the platform's frame.
std::optional<QMargins> WindowManagerFrame(const QWindow& window);

// The frame the manager gives or will give `window`, when it has told it; else the manager is
// asked for it (_NET_REQUEST_FRAME_EXTENTS, also before the window is mapped) and its answer
// comes as a notice (WatchFrameNotices). Nothing is waited for.
std::optional<QMargins> AskFrame(const QWindow& window);

// While the returned filter lives, `told` is called each time a window manager tells one of
// the program's windows its frame; nothing off X11.
std::unique_ptr<QAbstractNativeEventFilter> WatchFrameNotices(std::function<void()> told);

// Puts a window at the centre of its screen, frame included: left = (screen width - window
// width) / 2, top likewise, rounded toward zero. Before the window manager has framed it the
// frame is not known yet: ScreenFit centres it again once it is, unless it was moved since.
void CentreOnScreen(QWidget& window);

// After a window's controls changed (a panel shown or hidden): it takes the size its layout
// needs, growing or shrinking, up to the work area, and is centred again in the work area
// with its frame. A window the user has moved stays where the user put it, kept inside the
// screen. A window of one size (a dialog frame) keeps one size, the new one.
void FitToLayout(QWidget& window);

// The same rule for a window whose code gives its new size (up to the work area).
void ResizeAfterChange(QWidget& window, const QSize& size);

// A window's frame as its manager told it, else as far as Qt knows it, else a guess (before
// the window was first framed).
QMargins FrameOf(const QWidget& window);

// The width of inside a window needs so that the title bar holds its whole caption beside
// the manager's boxes; `frame` as known (none yet: a title bar is guessed).
int TitleNeed(const QWidget& window, const QMargins& frame);

// The width of the part of its title bar in which the manager draws the window's caption (the
// widest part of the title bar among its frame's windows), once it framed the window; nothing
// before, off X11, or with a manager whose frame has no such part.
std::optional<int> TitleRoom(const QWindow& window);

// The window's inside as the X server has it now, which runs ahead of what the program has
// heard when the user or the window manager just moved it; nothing off X11 or unmapped.
std::optional<QRect> ServerGeometry(const QWindow& window);

// Asks the window's manager to tell the window where it stands, without moving it: a manager
// answers a configure request that changes nothing with the window's place. A place it told
// while still framing the window, and changed since without telling, is so put right; nothing
// off X11.
void AskPlace(const QWindow& window);

// True while the program may still move a shown window once its manager tells its frame.
bool BeingPlaced(const QWidget& window);

// Watches every top-level window of the application while it lives; one per program.
class ScreenFit final : public QObject {
public:
    ScreenFit();
    ~ScreenFit() override;
    ScreenFit(const ScreenFit&) = delete;
    ScreenFit& operator=(const ScreenFit&) = delete;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Waiting {
        QPointer<QWindow> window;
        QElapsedTimer mapped;   // since the window came up
        QElapsedTimer unheard;  // since the server first held it elsewhere than the program heard
        bool askedPlace = false;
    };
    void Place(QWindow& window, const QMargins& frame);
    // True once the window's own frame is known and the window was placed with it.
    bool PlaceWithOwnFrame(QWindow& window);
    // The window's size and place again with its own frame, where a change of its controls
    // was fitted with a guessed one.
    void Refit(QWindow& window, const QMargins& frame);
    void AskPlaceIfUnheard(Waiting& w);
    void CheckWaiting();
    // The timer set for the soonest time a waiting window is to be looked at again without a
    // word from the server meanwhile.
    void SetNextLook();

    std::vector<Waiting> waiting_;
    QTimer nextLook_;
    std::unique_ptr<QAbstractNativeEventFilter> frameNotices_;
    QMargins lastFrame_;
    bool checking_ = false;
    bool lookQueued_ = false;
};

}  // namespace tessaro
