#pragma once
// The programs' windows shown by this test program itself on a private X server with a real
// window manager (openbox), as the programs show them: the xcb platform, the sandboxed
// folders of the programs, and the shared window set-up of their main blocks. What the
// server says of a window (its frame, the work area) is read on a connection of its own.
#include <QApplication>
#include <QRect>
#include <QTest>
#include <QWidget>
#include <QWindow>
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/platform.h"
#include "platform/window_control.h"
#include "tests/e2e/player_process.h"
#include "tests/support/qt_app.h"
#include "widgets/program_windows.h"
#include "widgets/screen_fit.h"

// Xlib's macros last: they clash with Qt's names.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include "tests/support/window_manager.h"
#include "tests/support/xvfb.h"

namespace tessaro::testing {

class WindowsDesktop {
public:
    // The desktop of this test process: one X server for the whole run, as the application
    // stays connected to it. Null (the test skips) without Xvfb or openbox, or when an
    // earlier test of this process asked for another screen size.
    static WindowsDesktop* Get(const std::string& size) {
        static std::unique_ptr<WindowsDesktop> desktop;
        if (!desktop) desktop.reset(new WindowsDesktop(size));
        if (desktop->size_ != size || !desktop->ok_) return nullptr;
        return desktop.get();
    }

    Display* display() const { return d_; }
    const std::string& name() const { return name_; }
    const PlayerSandbox& box() const { return *box_; }
    // The window manager stopped until the hold goes (WindowManager::HoldOff).
    std::unique_ptr<WindowManager::Hold> HoldManager() const { return wm_->HoldOff(); }
    // The X server's platform, which the programs' parts this process shows work on, and
    // the screen its settings are kept on.
    win::Platform& platform() const { return box_->platform(); }
    win::ScreenSize SettingsScreen() const { return platform().windowControl().Screen(); }
    QRect Screen() const {
        return {0, 0, DisplayWidth(d_, DefaultScreen(d_)), DisplayHeight(d_, DefaultScreen(d_))};
    }

    // The work area the window manager announces, or the screen.
    QRect WorkArea() const {
        Atom type = 0;
        int format = 0;
        unsigned long n = 0, after = 0;
        unsigned char* data = nullptr;
        QRect area = Screen();
        if (XGetWindowProperty(d_, DefaultRootWindow(d_), XInternAtom(d_, "_NET_WORKAREA", False), 0, 4,
                               False, XA_CARDINAL, &type, &format, &n, &after, &data) == Success &&
            data && n >= 4) {
            const auto* v = reinterpret_cast<const long*>(data);
            area = QRect(int(v[0]), int(v[1]), int(v[2]), int(v[3]));
        }
        if (data) XFree(data);
        return area;
    }

    // What the window offers its user: the manager's allowed actions (_NET_WM_ACTION_...)
    // and, from the program's own hints to any manager, "minimise" and "maximise" when it
    // asks for those boxes.
    std::vector<std::string> Offered(WId id) const {
        std::vector<std::string> out;
        const auto w = static_cast<::Window>(id);
        Atom type = 0;
        int format = 0;
        unsigned long n = 0, after = 0;
        unsigned char* data = nullptr;
        if (XGetWindowProperty(d_, w, XInternAtom(d_, "_NET_WM_ALLOWED_ACTIONS", False), 0, 32, False,
                               XA_ATOM, &type, &format, &n, &after, &data) == Success &&
            data) {
            for (unsigned long i = 0; i < n; ++i) {
                char* name = XGetAtomName(d_, reinterpret_cast<Atom*>(data)[i]);
                out.emplace_back(name);
                XFree(name);
            }
        }
        if (data) XFree(data);
        data = nullptr;
        const Atom motif = XInternAtom(d_, "_MOTIF_WM_HINTS", False);
        if (XGetWindowProperty(d_, w, motif, 0, 5, False, motif, &type, &format, &n, &after, &data) ==
                Success &&
            data && n >= 3) {
            const auto* v = reinterpret_cast<const long*>(data);  // flags, functions, decorations
            constexpr long kFunctions = 1, kMinimise = 8, kMaximise = 16;
            if (!(v[0] & kFunctions) || (v[1] & 1)) {  // no functions given, or all of them
                out.emplace_back("minimise");
                out.emplace_back("maximise");
            } else {
                if (v[1] & kMinimise) out.emplace_back("minimise");
                if (v[1] & kMaximise) out.emplace_back("maximise");
            }
        }
        if (data) XFree(data);
        return out;
    }

    // Asks the manager to minimise the window, as a task bar does (WM_CHANGE_STATE).
    void Minimise(WId id) const {
        XEvent ask{};
        ask.xclient.type = ClientMessage;
        ask.xclient.window = static_cast<::Window>(id);
        ask.xclient.message_type = XInternAtom(d_, "WM_CHANGE_STATE", False);
        ask.xclient.format = 32;
        ask.xclient.data.l[0] = IconicState;
        XSendEvent(d_, DefaultRootWindow(d_), False, SubstructureRedirectMask | SubstructureNotifyMask, &ask);
        XSync(d_, False);
    }

    // True once the window is on the screen again (mapped, not iconic), within 5 s.
    bool ComesBack(WId id) const {
        const auto w = static_cast<::Window>(id);
        const Atom wmState = XInternAtom(d_, "WM_STATE", False);
        return QTest::qWaitFor(
            [&] {
                XWindowAttributes attributes{};
                if (!XGetWindowAttributes(d_, w, &attributes) || attributes.map_state != IsViewable)
                    return false;
                Atom type = 0;
                int format = 0;
                unsigned long n = 0, after = 0;
                unsigned char* data = nullptr;
                const bool iconic = XGetWindowProperty(d_, w, wmState, 0, 2, False, wmState, &type, &format,
                                                       &n, &after, &data) == Success &&
                                    data && n >= 1 && reinterpret_cast<long*>(data)[0] == IconicState;
                if (data) XFree(data);
                return !iconic;
            },
            5000);
    }

    // The outer frame of a window as the server has it, once the manager framed it.
    std::optional<QRect> Frame(WId id) const {
        const auto w = static_cast<::Window>(id);
        long extents[4] = {};
        Atom type = 0;
        int format = 0;
        unsigned long n = 0, after = 0;
        unsigned char* data = nullptr;
        const bool framed =
            XGetWindowProperty(d_, w, XInternAtom(d_, "_NET_FRAME_EXTENTS", False), 0, 4, False, XA_CARDINAL,
                               &type, &format, &n, &after, &data) == Success &&
            data && n == 4;
        if (framed)
            for (int i = 0; i < 4; ++i) extents[i] = reinterpret_cast<long*>(data)[i];
        if (data) XFree(data);
        XWindowAttributes attributes{};
        if (!framed || !XGetWindowAttributes(d_, w, &attributes) || attributes.map_state != IsViewable)
            return std::nullopt;
        int x = 0, y = 0;
        ::Window child = 0;
        XTranslateCoordinates(d_, w, DefaultRootWindow(d_), 0, 0, &x, &y, &child);
        return QRect(x - int(extents[0]), y - int(extents[2]),
                     attributes.width + int(extents[0] + extents[1]),
                     attributes.height + int(extents[2] + extents[3]));
    }

    // The frame once the window is up and the program is done placing it: the manager framed
    // it, the program no longer waits to place it with that frame, and the server holds it
    // where and as large as the program last asked or heard, twice running with the events
    // that came meanwhile handled; nothing when it never got there.
    std::optional<QRect> SettledFrame(const QWidget& window) const {
        std::optional<QRect> last;
        int agreed = 0;
        (void)QTest::qWaitFor(
            [&] {
                QApplication::processEvents();
                const QWindow* handle = window.windowHandle();
                const std::optional<QRect> now = Frame(window.winId());
                const std::optional<QRect> server = handle ? ServerGeometry(*handle) : std::nullopt;
                const bool settled =
                    now && server && *server == window.geometry() && !BeingPlaced(window) && now == last;
                agreed = settled ? agreed + 1 : 0;
                last = now;
                return agreed >= 2;
            },
            5000);
        return last;
    }

    // A hand of its own at the server's mouse: it moves to `at` and clicks, holding the
    // button 80 ms, while this program goes on (a press may open a menu that runs an event
    // loop of its own). Joined when the returned thread goes.
    std::jthread ClickAt(const QPoint& at) const {
        return std::jthread([display = name_, at] {
            Display* hand = XOpenDisplay(display.c_str());
            if (!hand) return;
            XTestFakeMotionEvent(hand, -1, at.x(), at.y(), CurrentTime);
            XSync(hand, False);
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
            XTestFakeButtonEvent(hand, 1, True, CurrentTime);
            XSync(hand, False);
            std::this_thread::sleep_for(std::chrono::milliseconds(80));
            XTestFakeButtonEvent(hand, 1, False, CurrentTime);
            XSync(hand, False);
            XCloseDisplay(hand);
        });
    }

    // A hand of its own that takes a window by its title bar: it presses at `from`, moves in
    // steps to `to` and lets go there, as a user drags. `ready`, when given, is waited for
    // (on the hand's own connection) before the press.
    std::jthread DragFrom(const QPoint& from, const QPoint& to,
                          std::function<bool(Display*)> ready = {}) const {
        return std::jthread([display = name_, from, to, ready = std::move(ready)] {
            Display* hand = XOpenDisplay(display.c_str());
            if (!hand) return;
            for (int i = 0; ready && !ready(hand) && i < 500; ++i)
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            XTestFakeMotionEvent(hand, -1, from.x(), from.y(), CurrentTime);
            XSync(hand, False);
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            XTestFakeButtonEvent(hand, 1, True, CurrentTime);
            XSync(hand, False);
            constexpr int kSteps = 10;
            for (int i = 1; i <= kSteps; ++i) {
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
                const QPoint at = from + (to - from) * i / kSteps;
                XTestFakeMotionEvent(hand, -1, at.x(), at.y(), CurrentTime);
                XSync(hand, False);
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            XTestFakeButtonEvent(hand, 1, False, CurrentTime);
            XSync(hand, False);
            XCloseDisplay(hand);
        });
    }

    // The window's name for the messages of a test: its title and class.
    static std::string Describe(const QWidget& w) {
        return "\"" + w.windowTitle().toStdString() + "\" (" + w.metaObject()->className() + ")";
    }

    // Empty when the window's frame, title bar included, lies inside the work area.
    std::string FrameFault(const QWidget& window) const {
        const std::optional<QRect> frame = SettledFrame(window);
        if (!frame) return Describe(window) + " got no frame";
        const QRect area = WorkArea();
        if (area.contains(*frame)) return {};
        return Describe(window) + " has its frame at " + std::to_string(frame->x()) + "," +
               std::to_string(frame->y()) + " " + std::to_string(frame->width()) + "x" +
               std::to_string(frame->height()) + ", outside the work area " + std::to_string(area.width()) +
               "x" + std::to_string(area.height()) + "+" + std::to_string(area.x()) + "+" +
               std::to_string(area.y());
    }

private:
    explicit WindowsDesktop(const std::string& size) : size_(size), xvfb_((size + "x24").c_str()) {
        if (xvfb_.name().empty()) return;
        name_ = xvfb_.name();
        box_ = std::make_unique<PlayerSandbox>(xvfb_.name());  // sets DISPLAY and the xcb platform
        d_ = xvfb_.Open();
        if (!d_) return;
        wm_ = std::make_unique<WindowManager>(xvfb_.name());
        if (!WindowManager::Managing(d_, std::chrono::seconds(10))) return;
        EnsureQtApplication();
        windows_ = std::make_unique<ProgramWindows>();
        ok_ = QGuiApplication::platformName() == "xcb";
    }

    std::string size_;
    Xvfb xvfb_;
    std::string name_;
    std::unique_ptr<PlayerSandbox> box_;
    Display* d_ = nullptr;
    std::unique_ptr<WindowManager> wm_;
    std::unique_ptr<ProgramWindows> windows_;
    bool ok_ = false;
};

// The tests that need the small desktop: skipped where there is none.
class OnASmallDesktop : public ::testing::Test {
protected:
    void SetUp() override {
        desktop = WindowsDesktop::Get("800x600");
        if (!desktop) GTEST_SKIP() << "no 800 x 600 desktop with a window manager";
    }

    WindowsDesktop* desktop = nullptr;
};

}  // namespace tessaro::testing
