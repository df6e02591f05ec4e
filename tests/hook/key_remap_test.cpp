#include "hook/key_remap.h"

#include <gtest/gtest.h>
// After gtest: Xlib defines None.
#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/keysym.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/named_mutex.h"
#include "platform/x11/display.h"
#include "platform/shared_memory.h"
#include "tests/support/xvfb.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace tessaro::hook {
namespace {

// A US-like map of three keycodes with two levels each: a/A, 1/!, comma/less.
KeyboardMap SmallMap() { return {10, 2, {XK_a, XK_A, XK_1, XK_exclam, XK_comma, XK_less}}; }

class SessionNamespace : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = std::filesystem::temp_directory_path() / ("tessaro-remap-" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir_);
        ::setenv("XDG_RUNTIME_DIR", dir_.c_str(), 1);
        ::setenv("TESSARO_NS", ("remap" + std::to_string(::getpid())).c_str(), 1);
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }
    std::filesystem::path dir_;
};

TEST(RemapKeyboardTest, ReplacesEveryLevelThatTypesARemappedCharacter) {
    TSwapKeys keys = DefaultSwapKeys();
    keys.Lower[0] = 'q';           // a -> q
    keys.Upper[0] = '\xC4';        // A -> Ä (Latin-1 keysym)
    keys.Punctuation[1] = '\x80';  // ! -> € (a Unicode keysym)
    const KeyboardMap got = RemapKeyboard(SmallMap(), keys);
    EXPECT_EQ(got.syms,
              (std::vector<std::uint32_t>{XK_q, XK_Adiaeresis, XK_1, 0x010020AC, XK_comma, XK_less}));
    EXPECT_EQ(got.firstKeycode, 10);

    // The default table changes nothing.
    EXPECT_EQ(RemapKeyboard(SmallMap(), DefaultSwapKeys()), SmallMap());
}

TEST(RemapKeyboardTest, SwapsWorkBothWaysFromTheOriginal) {
    TSwapKeys keys = DefaultSwapKeys();
    keys.Lower[0] = '1';   // a -> 1
    keys.Digits[1] = 'a';  // 1 -> a
    const KeyboardMap got = RemapKeyboard(SmallMap(), keys);
    EXPECT_EQ(got.syms[0], static_cast<std::uint32_t>(XK_1));
    EXPECT_EQ(got.syms[2], static_cast<std::uint32_t>(XK_a));

    // A control character has no key to type: the key keeps its character.
    keys = DefaultSwapKeys();
    keys.Punctuation[12] = '\x01';  // ','
    EXPECT_EQ(RemapKeyboard(SmallMap(), keys).syms[4], static_cast<std::uint32_t>(XK_comma));
}

TEST(RemapKeyboardTest, TheUsersMapFollowsAChangeMadeUnderTheRemap) {
    TSwapKeys keys = DefaultSwapKeys();
    keys.Lower[0] = 'q';  // a -> q
    const KeyboardMap written = RemapKeyboard(SmallMap(), keys);
    // Another program gives the comma key other symbols: that key is the user's now, the
    // remapped key keeps its own symbols.
    KeyboardMap now = written;
    now.syms[4] = XK_period;
    now.syms[5] = XK_greater;
    EXPECT_EQ(FollowUserMap(SmallMap(), written, now).syms,
              (std::vector<std::uint32_t>{XK_a, XK_A, XK_1, XK_exclam, XK_period, XK_greater}));
    // A new layout with more columns per key: every key is as the layout made it.
    const KeyboardMap layout{10, 3, {XK_b, XK_B, 0, XK_2, XK_at, 0, XK_comma, XK_less, 0}};
    EXPECT_EQ(FollowUserMap(SmallMap(), written, layout), layout);
}

TEST(SavedKeyboardMapTest, RoundTripsAndRejectsDamage) {
    const KeyboardMap map = SmallMap();
    const std::string bytes = SerializeKeyboardMap(map);
    ASSERT_EQ(ParseKeyboardMap(bytes), map);

    EXPECT_FALSE(ParseKeyboardMap(bytes.substr(0, bytes.size() - 1)));  // truncated
    EXPECT_FALSE(ParseKeyboardMap("not a map at all, really"));
    std::string bad = bytes;
    bad[8 + 4] = 4;  // four syms per keycode no longer divides the six syms
    EXPECT_FALSE(ParseKeyboardMap(bad));
    bad = bytes;
    bad[8] = 3;  // first keycode below 8
    EXPECT_FALSE(ParseKeyboardMap(bad));
}

class KeyRemapXTest : public SessionNamespace {
protected:
    void SetUp() override {
        SessionNamespace::SetUp();
        display_ = server_.Open();
        if (!display_) GTEST_SKIP() << "no Xvfb";
    }
    void TearDown() override {
        if (display_) XCloseDisplay(display_);
        SessionNamespace::TearDown();
    }
    // The keysyms of the key that types 'a' unshifted.
    KeyCode KeyOfA() const { return XKeysymToKeycode(display_, XK_a); }

    // What each key types in the first group, unshifted and shifted: what the user sees.
    // A fresh connection, so no cached keymap of an earlier state answers.
    std::vector<KeySym> Typed() const {
        std::vector<KeySym> out;
        Display* d = server_.Open();
        int minCode = 0, maxCode = 0;
        XDisplayKeycodes(d, &minCode, &maxCode);
        for (int kc = minCode; kc <= maxCode; ++kc)
            for (int level = 0; level < 2; ++level)
                out.push_back(XkbKeycodeToKeysym(d, static_cast<KeyCode>(kc), 0, level));
        XCloseDisplay(d);
        return out;
    }

    // The core symbols of one key.
    std::vector<std::uint32_t> SymsOf(const KeyboardMap& map, int keycode) const {
        const auto at = map.syms.begin() + (keycode - map.firstKeycode) * map.symsPerKeycode;
        return {at, at + map.symsPerKeycode};
    }

    testing::Xvfb server_;
    Display* display_ = nullptr;
};

TEST_F(KeyRemapXTest, InstallRemapsAndRemoveRestoresTheMapping) {
    const KeyboardMap before = ReadKeyboardMap(display_);
    const std::vector<KeySym> typedBefore = Typed();
    const KeyCode keyA = KeyOfA();
    const KeyCode keyB = XKeysymToKeycode(display_, XK_b);
    ASSERT_NE(keyA, 0);

    TSwapKeys keys = DefaultSwapKeys();
    keys.Lower[0] = 'z';
    {
        KeyRemapper remapper(display_);
        ASSERT_TRUE(remapper.Install(keys));
        EXPECT_TRUE(std::filesystem::exists(SavedKeyboardMapPath()));
        EXPECT_EQ(XkbKeycodeToKeysym(display_, keyA, 0, 0), static_cast<KeySym>(XK_z));

        keys.Lower[0] = 'y';  // a reloaded table while the remap is on
        ASSERT_TRUE(remapper.Update(keys));
        EXPECT_EQ(XkbKeycodeToKeysym(display_, keyA, 0, 0), static_cast<KeySym>(XK_y));
        // Keys the table leaves alone are not touched at all.
        EXPECT_EQ(SymsOf(ReadKeyboardMap(display_), keyB), SymsOf(before, keyB));
    }  // the remapper ends: the mapping comes back
    EXPECT_EQ(Typed(), typedBefore);
    EXPECT_FALSE(std::filesystem::exists(SavedKeyboardMapPath()));
}

TEST_F(KeyRemapXTest, MappingLeftByADeadPlayerIsRestoredAtNextStart) {
    const std::vector<KeySym> before = Typed();
    TSwapKeys keys = DefaultSwapKeys();
    keys.Lower[0] = 'z';

    const pid_t child = ::fork();
    if (child == 0) {  // a player that installs the remap and dies without cleaning up
        Display* d = server_.Open();
        auto* remapper = new KeyRemapper(d);  // never destroyed: the process is killed
        remapper->Install(keys);
        XFlush(d);
        ::raise(SIGKILL);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status));
    ASSERT_NE(Typed(), before);

    EXPECT_TRUE(RestoreKeyboardAfterCrash(display_));
    EXPECT_EQ(Typed(), before);
    EXPECT_FALSE(RestoreKeyboardAfterCrash(display_));  // nothing left to do

    // A damaged leftover is dropped without touching the mapping.
    std::ofstream(SavedKeyboardMapPath()) << "garbage";
    EXPECT_FALSE(RestoreKeyboardAfterCrash(display_));
    EXPECT_EQ(Typed(), before);
    EXPECT_FALSE(std::filesystem::exists(SavedKeyboardMapPath()));
}

// The hook library's remap runs in a child process: the library keeps a display
// connection of its own for the process's life, which must not outlive the test's server.
// The process looked for its shared display before the child names the test's server (as
// any earlier test of this process may have): the remap goes to the server named now.
TEST_F(KeyRemapXTest, HookLibraryRemapFollowsTheSharedTable) {
    win::x11::DisplayReachable();
    const std::vector<KeySym> before = Typed();
    auto block = win::SharedMemory::Create(kSwapBlockName, sizeof(TSwapShared));
    auto mutex = win::NamedMutex::Create(kSwapMutexName);
    ASSERT_TRUE(block && mutex);
    auto* shared = static_cast<TSwapShared*>(block->data());
    shared->Keys = DefaultSwapKeys();
    shared->Keys.Lower[1] = 'x';  // b -> x
    const KeyCode keyB = XKeysymToKeycode(display_, XK_b);
    auto typedByB = [&] {
        Display* d = server_.Open();
        const KeySym sym = XkbKeycodeToKeysym(d, keyB, 0, 0);
        XCloseDisplay(d);
        return sym;
    };

    const pid_t child = ::fork();
    if (child == 0) {
        ::setenv("DISPLAY", server_.name().c_str(), 1);
        int step = 1;
        if (RefreshRemapFromSwapBlock()) ::_exit(step);  // no remap on yet
        ++step;
        if (!StartRemapFromSwapBlock() || typedByB() != XK_x) ::_exit(step);
        ++step;
        shared->Keys.Lower[1] = 'w';  // the editor's remapper changed the table
        if (!RefreshRemapFromSwapBlock() || typedByB() != XK_w) ::_exit(step);
        ++step;
        StopRemap();
        if (typedByB() != XK_b) ::_exit(step);
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "failed at step " << WEXITSTATUS(status);
    EXPECT_EQ(Typed(), before);
    EXPECT_FALSE(std::filesystem::exists(SavedKeyboardMapPath()));
}

}  // namespace
}  // namespace tessaro::hook
