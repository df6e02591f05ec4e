#pragma once
// The real player on a private X server, playing one macro by its nickname at start, with
// the desktop pieces the program, window and system commands talk to: a window manager,
// windows of a helper program, private system services.
#include <gtest/gtest.h>
#include <signal.h>

#include <fstream>
#include <optional>

#include "hook/qtmhook.h"
#include "macro/macro_file.h"
#include "macro/macro_record.h"
#include "tests/e2e/player_process.h"
#include "tests/support/child_process.h"

// Xlib last: its macros (None, Status) clash with names in the headers above.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include "tests/e2e/editor_desk.h"
#include "tests/e2e/typed_marker.h"
#include "tests/support/window_manager.h"
#include "tests/support/x_windows.h"
#include "tests/support/xvfb.h"
#include "tests/support/xorg_dummy.h"

namespace tessaro::testing {

using namespace std::chrono_literals;

inline std::string TestBin() { return TESSARO_TEST_BIN_DIR; }

inline std::string ReadAll(const std::string& path) {
    std::ifstream in(path);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A helper process with its output in a file, ended with the test.
class Helper : public ChildProcess {
public:
    Helper(const std::vector<std::string>& args, const std::string& log)
        : ChildProcess(args, ChildOptions().Out(log).ErrToOut()) {}
};

// What a test asks of the X server about other programs' windows.
class Looker {
public:
    // Other programs' windows come and go while the test looks at them: a request about one
    // that has gone is no failure of the test (the default handler would end the process).
    explicit Looker(Display* d) : d_(d) {
        static XErrorHandler standard = nullptr;
        const XErrorHandler previous = XSetErrorHandler([](Display* display, XErrorEvent* e) {
            return e->error_code == BadWindow || !standard ? 0 : standard(display, e);
        });
        if (!standard) standard = previous;
    }
    ~Looker() {
        if (d_) XCloseDisplay(d_);
    }
    Display* display() const { return d_; }

    // The first window below the root (any depth) whose name contains `title`.
    Window Find(const std::string& title) {
        return FindWindowNamed(
            d_, [&](const std::string& name) { return name.find(title) != std::string::npos; });
    }
    std::optional<XRectangle> Frame(Window w);  // outer frame in root coordinates
    std::vector<std::string> States(Window w) { return WindowStates(d_, w); }

private:
    Display* d_;
};

inline std::optional<XRectangle> Looker::Frame(Window w) {
    Window root = 0, child = 0;
    int x = 0, y = 0;
    unsigned width = 0, height = 0, border = 0, depth = 0;
    if (!XGetGeometry(d_, w, &root, &x, &y, &width, &height, &border, &depth)) return std::nullopt;
    XTranslateCoordinates(d_, w, root, 0, 0, &x, &y, &child);
    long extents[4] = {0, 0, 0, 0};
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(d_, w, XInternAtom(d_, "_NET_FRAME_EXTENTS", False), 0, 4, False, XA_CARDINAL,
                           &type, &format, &count, &after, &data) == Success &&
        data) {
        for (unsigned long i = 0; i < count && i < 4; ++i) extents[i] = reinterpret_cast<long*>(data)[i];
        XFree(data);
    }
    return XRectangle{static_cast<short>(x - extents[0]), static_cast<short>(y - extents[2]),
                      static_cast<unsigned short>(width + extents[0] + extents[1]),
                      static_cast<unsigned short>(height + extents[2] + extents[3])};
}

// The player on its own X server with a macro file of one macro, "M", played at start.
class DesktopCommands : public ::testing::Test {
protected:
    void StartServer(bool windowManager, const char* geometry = "640x480x24") {
        xvfb_ = std::make_unique<Xvfb>(geometry);
        if (xvfb_->name().empty()) GTEST_SKIP() << "no Xvfb";
        Attach(xvfb_->name(), windowManager);
    }
    // The dummy-driver server of the display mode tests.
    void StartDummyServer() {
        xorgDir_.path = std::filesystem::temp_directory_path() / ("tess-xorg-" + std::to_string(::getpid()));
        std::filesystem::create_directories(xorgDir_.path);
        xorg_ = std::make_unique<XorgDummy>(xorgDir_.path.string());
        if (xorg_->name().empty()) GTEST_SKIP() << "no Xorg with the dummy driver";
        Attach(xorg_->name(), false);
    }
    Display* OpenDisplay() const { return XOpenDisplay(display_.c_str()); }
    void Attach(const std::string& display, bool windowManager) {
        display_ = display;
        box_ = std::make_unique<PlayerSandbox>(display);
        looker_ = std::make_unique<Looker>(OpenDisplay());
        if (windowManager) {
            wm_ = std::make_unique<WindowManager>(display);
            if (!WindowManager::Managing(looker_->display(), 10s)) GTEST_SKIP() << "no window manager";
        }
    }
    void Play(const std::string& text) {
        const std::string file = box_->file("DESKTOP.QTM");
        ASSERT_TRUE(CreateEmptyMacroFile(file).ok());
        TMacroRecord rec{};
        rec.Nickname = "M";
        rec.Scope = scGlobal;
        rec.ActivationCode = 30000;
        rec.Enabled = 1;
        SetMacroText(rec, text);
        ASSERT_TRUE(WriteMacroRecordAt(file, 1, rec).ok());
        player_ = std::make_unique<PlayerProcess>(*box_, std::vector<std::string>{"/F" + file, "/EN", "/aM"},
                                                  "player.log");
        ASSERT_TRUE(player_->started());
        ASSERT_NE(WaitForPlayerWindow(), 0u) << player_->Log();
    }
    // The player's message window with this caption, once it shows.
    bool MessageShown(const std::string& caption, std::chrono::milliseconds limit = 10s) {
        return WaitFor([&] { return looker_->Find(caption) != 0; }, limit);
    }
    // A window of the test's own with the keyboard focus, `target_`, that keeps the keys the
    // macro types.
    void FocusTarget() {
        target_ = std::make_unique<KeyTarget>(OpenDisplay(), "Typing Target");
        ASSERT_TRUE(target_->ok());
        ASSERT_TRUE(target_->Focus());
    }
    // What `target_` has read once the player's message `caption` was closed with Return (it
    // has the focus), the playback ended and a marker key of the test's came after it.
    std::string TypedOnceTheMessageIsClosed(const std::string& caption) {
        Display* user = looker_->display();
        const Window message = looker_->Find(caption);
        EXPECT_TRUE(WaitFor([&] { return FocusWithin(user, message); }, 10s)) << "the message has no focus";
        PressWithModifiers(user, XK_Return, {});
        EXPECT_TRUE(WaitFor([&] { return looker_->Find(caption) == 0; }, 10s)) << "the message stayed";
        EXPECT_TRUE(target_->Focus());
        return TypedWhenCaughtUp(user, *target_);
    }
    // Whether the player plays a macro, as the hook library's master copy says.
    bool Playing() {
        TGlobData copy{};
        TGlobData* buffer = &copy;
        QtmGetGlob(&buffer);
        return buffer && copy.InUse != 0;
    }
    // The wait flags in the hook library's master copy.
    std::string WaitFlags() {
        TGlobData copy{};
        TGlobData* buffer = &copy;
        QtmGetGlob(&buffer);
        if (!buffer) return "unreachable";
        return std::to_string(copy.WaitMouse) + std::to_string(copy.WaitKey) + std::to_string(copy.WaitText) +
               std::to_string(copy.WaitPlayback);
    }
    void TearDown() override {
        if (player_) {
            EXPECT_EQ(player_->Stop(SIGTERM), 0) << player_->Log();
        }
    }

    std::unique_ptr<Xvfb> xvfb_;
    struct RemovedAfterwards {
        std::filesystem::path path;
        ~RemovedAfterwards() {
            std::error_code ec;
            if (!path.empty()) std::filesystem::remove_all(path, ec);
        }
    } xorgDir_;  // outlives the server that writes its log there
    std::unique_ptr<XorgDummy> xorg_;
    std::string display_;
    std::unique_ptr<PlayerSandbox> box_;
    std::unique_ptr<Looker> looker_;
    std::unique_ptr<WindowManager> wm_;
    std::unique_ptr<PlayerProcess> player_;
    std::unique_ptr<KeyTarget> target_;
};

}  // namespace tessaro::testing
