#pragma once
// A hand at the keyboard and the mouse of a private X server, for tests whose Qt windows live
// in the test program itself: each key and button goes down, stays down 80 ms and comes up.
#include <QPoint>
#include <QTest>

#include <chrono>
#include <initializer_list>
#include <thread>

// Xlib's macros last: they clash with Qt's names.
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

namespace tessaro::testing {

inline constexpr int kHoldMs = 80;

inline void PressHeld(Display* d, KeySym key, std::initializer_list<KeySym> modifiers) {
    for (KeySym m : modifiers) XTestFakeKeyEvent(d, XKeysymToKeycode(d, m), True, CurrentTime);
    XTestFakeKeyEvent(d, XKeysymToKeycode(d, key), True, CurrentTime);
    XFlush(d);
    QTest::qWait(kHoldMs);
    XTestFakeKeyEvent(d, XKeysymToKeycode(d, key), False, CurrentTime);
    for (auto it = std::rbegin(modifiers); it != std::rend(modifiers); ++it)
        XTestFakeKeyEvent(d, XKeysymToKeycode(d, *it), False, CurrentTime);
    XFlush(d);
    QTest::qWait(50);
}

// A left click at a point of the screen. While the button is down this program is busy
// (its windows see the press only afterwards), so the player's hook always sees the press
// before the window the click lands on does.
inline void ClickHeld(Display* d, const QPoint& at) {
    XTestFakeMotionEvent(d, -1, at.x(), at.y(), CurrentTime);
    XFlush(d);
    QTest::qWait(50);
    XTestFakeButtonEvent(d, 1, True, CurrentTime);
    XFlush(d);
    std::this_thread::sleep_for(std::chrono::milliseconds(kHoldMs));
    XTestFakeButtonEvent(d, 1, False, CurrentTime);
    XFlush(d);
    QTest::qWait(50);
}

}  // namespace tessaro::testing
