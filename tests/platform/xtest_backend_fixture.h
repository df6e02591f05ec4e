#pragma once
// A private X server for the XTest backend's tests: a connection to type on, one that
// watches the keyboard map change, and the session's held-input record in a folder of
// the test's own.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "platform/held_input_record.h"
// Last: Xlib's macros would clash with names above.
#include <X11/XKBlib.h>
#include <X11/keysym.h>

#include "tests/support/keyboard_state.h"
#include "tests/support/xvfb.h"

namespace win::x11 {

// The first keycode with the keysym, read from the server's map.
inline KeyCode CodeOf(Display* d, KeySym sym) {
    const std::vector<KeySym> map = tessaro::testing::KeyboardMap(d);
    const std::size_t width = map.size() / tessaro::testing::KeycodeCount(d);
    for (std::size_t at = 0; at < map.size(); ++at)
        if (map[at] == sym) return static_cast<KeyCode>(tessaro::testing::FirstKeycode(d) + at / width);
    return 0;
}

inline std::optional<HeldInput> Recorded() {
    std::ifstream in(HeldInputRecordPath());
    if (!in) return std::nullopt;
    std::stringstream s;
    s << in.rdbuf();
    return ParseHeldInput(s.str());
}

inline bool NumLockOn(Display* d) {
    XkbStateRec state{};
    XkbGetState(d, XkbUseCoreKbd, &state);
    return state.locked_mods & Mod2Mask;
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
        original_ = tessaro::testing::KeyboardMap(watcher_);
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

}  // namespace win::x11
