#pragma once
// The real player on a private X server, playing one macro by its nickname at start, with
// the desktop pieces the program, window and system commands talk to: a window manager,
// windows of a helper program, private system services.
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <fstream>
#include <optional>

#include "hook/qtmhook.h"
#include "macro/macro_file.h"
#include "macro/macro_record.h"
#include "tests/e2e/player_process.h"

// Xlib last: its macros (None, Status) clash with names in the headers above.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include "tests/support/window_manager.h"
#include "tests/support/xvfb.h"
#include "xorg_dummy.h"

namespace tessaro::testing {

using namespace std::chrono_literals;

inline std::string TestBin() { return TESSARO_TEST_BIN_DIR; }

inline std::string ReadAll(const std::string& path) {
    std::ifstream in(path);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A helper process with its output in a file, ended with the test.
class Helper {
public:
    Helper(const std::vector<std::string>& args, const std::string& log) {
        std::vector<std::string> words = args;
        std::vector<char*> argv;
        for (auto& w : words) argv.push_back(w.data());
        argv.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        posix_spawn_file_actions_adddup2(&actions, 1, 2);
        if (posix_spawnp(&pid_, argv[0], &actions, nullptr, argv.data(), environ) != 0) pid_ = -1;
        posix_spawn_file_actions_destroy(&actions);
    }
    ~Helper() {
        if (pid_ > 0 && !exited_) {
            ::kill(pid_, SIGTERM);
            ::waitpid(pid_, nullptr, 0);
        }
    }
    Helper(const Helper&) = delete;
    Helper& operator=(const Helper&) = delete;
    pid_t pid() const { return pid_; }
    // The exit status once it ended within `limit`; -1 while it runs.
    int WaitExit(std::chrono::milliseconds limit) {
        if (exited_) return status_;
        int raw = 0;
        if (!WaitFor([&] { return ::waitpid(pid_, &raw, WNOHANG) == pid_; }, limit)) return -1;
        exited_ = true;
        status_ = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
        return status_;
    }

private:
    pid_t pid_ = -1;
    bool exited_ = false;
    int status_ = -1;
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
    Window Find(const std::string& title) { return Find(DefaultRootWindow(d_), title, 0); }
    std::optional<XRectangle> Frame(Window w);  // outer frame in root coordinates
    std::vector<std::string> States(Window w);  // _NET_WM_STATE atom names

private:
    Window Find(Window parent, const std::string& title, int depth);
    Display* d_;
};

inline Window Looker::Find(Window parent, const std::string& title, int depth) {
    Window root = 0, up = 0;
    Window* children = nullptr;
    unsigned n = 0;
    if (depth > 3 || !XQueryTree(d_, parent, &root, &up, &children, &n)) return 0;
    Window found = 0;
    for (unsigned i = 0; i < n && !found; ++i) {
        char* name = nullptr;
        if (XFetchName(d_, children[i], &name) && name) {
            if (std::string(name).find(title) != std::string::npos) found = children[i];
            XFree(name);
        }
        if (!found) found = Find(children[i], title, depth + 1);
    }
    if (children) XFree(children);
    return found;
}

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

inline std::vector<std::string> Looker::States(Window w) {
    std::vector<std::string> out;
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(d_, w, XInternAtom(d_, "_NET_WM_STATE", False), 0, 32, False, XA_ATOM, &type,
                           &format, &count, &after, &data) == Success &&
        data) {
        for (unsigned long i = 0; i < count; ++i) {
            char* name = XGetAtomName(d_, reinterpret_cast<Atom*>(data)[i]);
            out.emplace_back(name);
            XFree(name);
        }
        XFree(data);
    }
    return out;
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
            if (!WaitFor([&] { return WindowManager::Running(looker_->display()); }, 10s))
                GTEST_SKIP() << "no window manager";
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
};

}  // namespace tessaro::testing
