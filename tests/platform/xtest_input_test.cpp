// The XTest backend on a private X server: the keyboard map left alone, the
// held-input record, undoing what a killed owner left, and the connection's event queue.
#include "platform/x11/xtest_input.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include "platform/virtual_keys.h"

// Last: Xlib's macros would clash with names above.
#include <X11/XKBlib.h>
#include <X11/keysym.h>

#include "tests/support/keyboard_state.h"
#include "tests/support/xvfb.h"

namespace win::x11 {
namespace {

using tessaro::testing::FirstKeycode;
using tessaro::testing::KeyboardMap;
using tessaro::testing::KeycodeCount;
using tessaro::testing::KeyIsDown;

// The first keycode with the keysym, read from the server's map.
KeyCode CodeOf(Display* d, KeySym sym) {
    const std::vector<KeySym> map = KeyboardMap(d);
    const std::size_t width = map.size() / KeycodeCount(d);
    for (std::size_t at = 0; at < map.size(); ++at)
        if (map[at] == sym) return static_cast<KeyCode>(FirstKeycode(d) + at / width);
    return 0;
}

std::optional<HeldInput> Recorded() {
    std::ifstream in(HeldInputRecordPath());
    if (!in) return std::nullopt;
    std::stringstream s;
    s << in.rdbuf();
    return ParseHeldInput(s.str());
}

class XTestBackend : public ::testing::Test {
protected:
    void SetUp() override {
        if (server_.name().empty()) GTEST_SKIP() << "Xvfb could not start";
        std::string tmpl = (std::filesystem::temp_directory_path() / "tessaro-xtest-XXXXXX").string();
        dir_ = ::mkdtemp(tmpl.data());
        ::setenv("XDG_RUNTIME_DIR", dir_.c_str(), 1);
        ::setenv("TESSARO_NS", ("xtest" + std::to_string(::getpid())).c_str(), 1);
        display_ = server_.Open();
        watcher_ = server_.Open();
        ASSERT_TRUE(display_ && watcher_);
        original_ = KeyboardMap(watcher_);
        int opcode = 0, errors = 0, major = XkbMajorVersion, minor = XkbMinorVersion;
        ASSERT_TRUE(XkbQueryExtension(watcher_, &opcode, &xkbEvents_, &errors, &major, &minor));
        XkbSelectEvents(watcher_, XkbUseCoreKbd, XkbMapNotifyMask, XkbMapNotifyMask);
        shift_ = CodeOf(watcher_, XK_Shift_L);
    }
    void TearDown() override {
        if (display_) XCloseDisplay(display_);
        if (watcher_) XCloseDisplay(watcher_);
        std::error_code ec;
        if (!dir_.empty()) std::filesystem::remove_all(dir_, ec);
    }
    // Keyboard-map notices the watcher has been sent since the last call.
    int MappingNotices() {
        XSync(watcher_, False);
        int n = 0;
        while (XPending(watcher_)) {
            XEvent e;
            XNextEvent(watcher_, &e);
            if (e.type == xkbEvents_ && reinterpret_cast<XkbAnyEvent&>(e).xkb_type == XkbMapNotify) ++n;
        }
        return n;
    }

    tessaro::testing::Xvfb server_{"320x240x24"};
    std::string dir_;
    Display* display_ = nullptr;
    Display* watcher_ = nullptr;
    std::vector<KeySym> original_;
    KeyCode shift_ = 0;
    int xkbEvents_ = 0;
};

TEST_F(XTestBackend, PlaybacksOfKeysTheLayoutHasLeaveTheKeyboardMapAlone) {
    {
        XTestInput input(display_);
        ASSERT_TRUE(input.ok());
        for (int play = 0; play < 20; ++play) {
            input.BeginPlayback();
            input.KeyEvent('X', false);
            input.KeyEvent('X', true);
            input.EndPlayback();
        }
        XSync(display_, False);
        EXPECT_EQ(MappingNotices(), 0);
        const auto recorded = Recorded();
        ASSERT_TRUE(recorded);
        EXPECT_TRUE(recorded->keys.empty());
        EXPECT_TRUE(recorded->remaps.empty());
        EXPECT_EQ(KeyboardMap(watcher_), original_);
    }
    EXPECT_EQ(KeyboardMap(watcher_), original_);
    EXPECT_FALSE(std::filesystem::exists(HeldInputRecordPath()));
}

TEST_F(XTestBackend, RecordHoldsEveryKeyDownAndRemapUntilItIsUndone) {
    XTestInput input(display_);
    ASSERT_TRUE(input.ok());
    input.BeginPlayback();
    input.KeyEvent(VK_SHIFT, false);
    auto recorded = Recorded();
    ASSERT_TRUE(recorded);
    EXPECT_EQ(recorded->keys, std::set<unsigned>{shift_});
    EXPECT_EQ(recorded->display, server_.name());

    input.TypeCharacter(U'\u00e9');
    recorded = Recorded();
    ASSERT_TRUE(recorded);
    EXPECT_EQ(recorded->remaps.size(), 1u);  // the accented letter's
    bool accent = false;
    for (const auto& [code, remap] : recorded->remaps) {
        const std::size_t at = (code - FirstKeycode(watcher_)) * (original_.size() / KeycodeCount(watcher_));
        EXPECT_EQ(remap.before.front(), original_[at]);
        accent = accent || remap.now == XK_eacute;
    }
    EXPECT_TRUE(accent);

    input.KeyEvent(VK_SHIFT, true);
    input.EndPlayback();  // no event loop: frees the spare after its settling time
    recorded = Recorded();
    ASSERT_TRUE(recorded);
    EXPECT_TRUE(recorded->keys.empty());
    EXPECT_TRUE(recorded->remaps.empty());
}

TEST_F(XTestBackend, NoticesOfKeyboardChangesDoNotPileUpOnTheConnection) {
    XTestInput input(display_);
    ASSERT_TRUE(input.ok());
    const std::u32string accents = U"\u00e9\u00e8\u00ea\u00eb\u00e0\u00e2\u00f4\u00fb\u00e7\u00ef";
    for (int play = 0; play < 3; ++play) {
        input.BeginPlayback();
        for (char32_t c : accents) input.TypeCharacter(c);
        input.EndPlayback();
    }
    // Someone else changes the map too (here: to what it was): that notice is dropped at
    // the next playback.
    const KeyCode a = CodeOf(watcher_, XK_a);
    int per = 0;
    KeySym* row = XGetKeyboardMapping(watcher_, a, 1, &per);
    XChangeKeyboardMapping(watcher_, a, per, row, 1);
    XFree(row);
    XSync(watcher_, False);
    XSync(display_, False);
    input.BeginPlayback();
    input.EndPlayback();
    EXPECT_EQ(XQLength(display_), 0);
}

TEST_F(XTestBackend, ALayoutChangedByAnotherClientIsReadBeforeTheNextPlayback) {
    XTestInput input(display_);
    ASSERT_TRUE(input.ok());
    input.BeginPlayback();
    input.EndPlayback();

    // Another client gives an empty keycode a letter: playback types it there.
    const std::size_t width = original_.size() / KeycodeCount(watcher_);
    std::vector<KeyCode> empty;
    for (std::size_t at = 0; at < original_.size(); at += width)
        if (std::all_of(original_.begin() + at, original_.begin() + at + width,
                        [](KeySym k) { return k == 0; }))
            empty.push_back(static_cast<KeyCode>(FirstKeycode(watcher_) + at / width));
    ASSERT_GE(empty.size(), 3u);
    const KeyCode theirs = empty[empty.size() / 2];
    KeySym oslash[2] = {XK_oslash, XK_Ooblique};
    XChangeKeyboardMapping(watcher_, theirs, 2, oslash, 1);
    XSync(watcher_, False);

    input.BeginPlayback();
    input.TypeCharacter(U'\u00f8');
    const auto recorded = Recorded();
    ASSERT_TRUE(recorded);
    for (const auto& [code, remap] : recorded->remaps)
        EXPECT_NE(remap.now, static_cast<unsigned long>(XK_oslash));
    input.EndPlayback();

    KeySym none[2] = {NoSymbol, NoSymbol};
    XChangeKeyboardMapping(watcher_, theirs, 2, none, 1);
    XSync(watcher_, False);
}

TEST_F(XTestBackend, KeysAndKeycodesAKilledOwnerLeftAreUndoneByTheNextOne) {
    const pid_t child = ::fork();
    if (child == 0) {
        Display* d = XOpenDisplay(server_.name().c_str());
        if (!d) ::_exit(2);
        auto* input = new XTestInput(d);  // never freed: the process dies holding it
        input->BeginPlayback();
        input->KeyEvent(VK_SHIFT, false);
        input->KeyEvent(VK_CONTROL, false);
        input->TypeCharacter(U'\u00e9');
        input->MouseEvent(MOUSEEVENTF_LEFTDOWN, 0, 0, 0);
        XSync(d, False);
        ::kill(::getpid(), SIGKILL);
        ::_exit(3);
    }
    ASSERT_GT(child, 0);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status));
    EXPECT_TRUE(KeyIsDown(watcher_, shift_));
    EXPECT_NE(KeyboardMap(watcher_), original_);

    {
        XTestInput next(display_);
        ASSERT_TRUE(next.ok());
        XSync(display_, False);
        EXPECT_FALSE(KeyIsDown(watcher_, shift_));
        EXPECT_FALSE(KeyIsDown(watcher_, CodeOf(watcher_, XK_Control_L)));
        Window root, child_window;
        int x, y, wx, wy;
        unsigned mask = 0;
        XQueryPointer(watcher_, DefaultRootWindow(watcher_), &root, &child_window, &x, &y, &wx, &wy, &mask);
        EXPECT_FALSE(mask & Button1Mask);
        // The map is the one before the first start.
        EXPECT_EQ(KeyboardMap(watcher_), original_);
    }
    EXPECT_EQ(KeyboardMap(watcher_), original_);
}

}  // namespace
}  // namespace win::x11
