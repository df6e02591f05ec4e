#pragma once
// Every top-level window of a program opens with its whole frame, title bar included,
// inside the screen's work area. The frame exists only once the window manager has taken
// the window, so each window is placed twice: before it is mapped, with the frame the
// program's earlier windows had, and again as soon as the manager tells its own frame.
#include <QElapsedTimer>
#include <QMargins>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QTimer>
#include <optional>
#include <vector>

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

// A shown window's frame as its manager told it, else as far as Qt knows it (none before the
// window was first framed).
QMargins FrameOf(const QWidget& window);

// The width of inside a window needs so that the title bar holds its whole caption beside
// the manager's boxes; `frame` as known (none yet: a title bar is guessed).
int TitleNeed(const QWidget& window, const QMargins& frame);

// The window's inside as the X server has it now, which runs ahead of what the program has
// heard when the user or the window manager just moved it; nothing off X11 or unmapped.
std::optional<QRect> ServerGeometry(const QWindow& window);

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
        QElapsedTimer since;
    };
    void Place(QWindow& window, const QMargins& frame);
    // True once the window's own frame is known and the window was placed with it.
    bool PlaceWithOwnFrame(QWindow& window);
    void CheckWaiting();

    std::vector<Waiting> waiting_;
    QTimer poll_;
    QMargins lastFrame_;
    bool checking_ = false;
};

}  // namespace tessaro
