// A hot key is a key and its modifiers, whatever the layout makes of the key, on a real X
// server with the real player and a window manager: it plays with a non-Latin group
// active, and on a key the remapper has given another character; an edit of the remap
// table is in force at once, and the key keeps its hot key through it.
#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <fstream>
#include <map>
#include <string>

#include "platform/named_mutex.h"
#include "platform/shared_memory.h"
#include "protocol/object_names.h"
#include "protocol/swap_keys.h"
#include "tests/support/macro_fixtures.h"
#include "keys_desktop.h"
// Xlib's macros last.
#include <X11/XKBlib.h>

#include "hot_key_press.h"
#include "tests/support/xkb_layout.h"

namespace tessaro::testing {
namespace {

using namespace std::chrono_literals;

constexpr int kCtrlB = 1;

class LayoutHotKeys : public KeysDesktop {
protected:
    // The first keysym the server maps to `keycode` now.
    KeySym ServerSym(KeyCode keycode) {
        int per = 0;
        KeySym* syms = XGetKeyboardMapping(keyboard_, keycode, 1, &per);
        const KeySym sym = syms && per > 0 ? syms[0] : NoSymbol;
        if (syms) XFree(syms);
        return sym;
    }
    // What every key types now in the first group, on its four levels (AltGr too), read
    // on a fresh connection so that no map cached earlier answers.
    std::vector<KeySym> ServerMap() {
        Display* d = xvfb_.Open();
        int minCode = 0, maxCode = 0;
        XDisplayKeycodes(d, &minCode, &maxCode);
        std::vector<KeySym> map;
        for (int kc = minCode; kc <= maxCode; ++kc)
            for (int level = 0; level < 4; ++level)
                map.push_back(XkbKeycodeToKeysym(d, static_cast<KeyCode>(kc), 0, level));
        XCloseDisplay(d);
        return map;
    }
    // `map` with every `from` replaced by `to`, as a remap makes it.
    static std::vector<KeySym> Remapped(std::vector<KeySym> map, KeySym from, KeySym to) {
        for (KeySym& sym : map)
            if (sym == from) sym = to;
        return map;
    }
    // Ctrl held, then the key by its keycode.
    void CtrlAnd(KeyCode key) {
        HeldKeys ctrl(keyboard_, {XK_Control_L});
        std::this_thread::sleep_for(kLetGoGap);
        PressKeycode(keyboard_, key);
    }
};

TEST_F(LayoutHotKeys, AHotKeyPlaysWhileANonLatinGroupIsActive) {
    ASSERT_TRUE(SetKeyboardLayout(xvfb_.name(), "ru,us"));
    XkbLockGroup(keyboard_, XkbUseCoreKbd, 0);
    XSync(keyboard_, False);
    Start({TypingMacro("Hello", kCtrlAltJ, "hello"), TypingMacro("Other", kCtrlAltK, "other")});
    XkbStateRec state{};
    ASSERT_EQ(XkbGetState(keyboard_, XkbUseCoreKbd, &state), Success);
    ASSERT_EQ(state.group, 0) << "the Russian group is not the active one";
    target_->Drain();
    target_->keys.clear();
    for (int round = 0; round < 2; ++round) {
        PressHotKey(keyboard_, kCtrlAltJ);
        EXPECT_EQ(Next(5), "hello") << player_->Log();
    }
    // The Latin group active: the same key, the same hot key.
    XkbLockGroup(keyboard_, XkbUseCoreKbd, 1);
    XSync(keyboard_, False);
    PressHotKey(keyboard_, kCtrlAltK);
    EXPECT_EQ(Next(5), "other") << player_->Log();
}

TEST_F(LayoutHotKeys, ARemappedKeyKeepsItsHotKeyAndAnEditIsInForceAtOnce) {
    const KeyCode bKey = XKeysymToKeycode(keyboard_, XK_b);
    ASSERT_NE(bKey, 0);
    // The macro file's table: b types ";".
    TSwapKeys table = DefaultSwapKeys();
    table.Lower['b' - 'a'] = ';';
    {
        std::ofstream qts(box_->file("TYPING.QTS"), std::ios::binary);
        qts.write(reinterpret_cast<const char*>(&table), sizeof table);
    }
    Start({TypingMacro("Ctrl B", kCtrlB, "hot"), TypingMacro("Other", kCtrlAltK, "other")});
    ASSERT_TRUE(WaitFor([&] { return ServerSym(bKey) == XK_semicolon; }, 10s)) << player_->Log();
    PressKeycode(keyboard_, bKey);
    EXPECT_EQ(Next(1), ";") << player_->Log();
    CtrlAnd(bKey);
    EXPECT_EQ(Next(3), "hot") << player_->Log();

    // The remapper writes the block (under its mutex) and tells the player only when it
    // closes: the edit is in force before that.
    {
        auto block = win::SharedMemory::Open(kSwapBlockName, sizeof(TSwapShared));
        auto mutex = win::NamedMutex::Open(kSwapMutexName);
        ASSERT_TRUE(block && mutex);
        win::MutexLock lock(*mutex, 500);
        ASSERT_TRUE(lock.owns());
        auto* shared = static_cast<TSwapShared*>(block->data());
        shared->Keys.Lower['b' - 'a'] = 'b';
    }
    ASSERT_TRUE(WaitFor([&] { return ServerSym(bKey) == XK_b; }, 5s)) << player_->Log();
    PressKeycode(keyboard_, bKey);
    EXPECT_EQ(Next(1), "b") << player_->Log();
    CtrlAnd(bKey);
    EXPECT_EQ(Next(3), "hot") << player_->Log();
}

TEST_F(LayoutHotKeys, ARemapFollowsEveryLayoutChangeAndItsEndLeavesTheLayoutOfNow) {
    // Each layout's own map.
    std::map<std::string, std::vector<KeySym>> own;
    for (const char* layout : {"de", "fr", "us"}) {
        ASSERT_TRUE(SetKeyboardLayout(xvfb_.name(), layout));
        own[layout] = ServerMap();
    }
    TSwapKeys table = DefaultSwapKeys();
    table.Lower['b' - 'a'] = ';';
    {
        std::ofstream qts(box_->file("TYPING.QTS"), std::ios::binary);
        qts.write(reinterpret_cast<const char*>(&table), sizeof table);
    }
    Start({TypingMacro("Other", kCtrlAltK, "other")});
    for (const char* layout : {"us", "de", "fr"}) {
        if (std::string(layout) != "us") {
            ASSERT_TRUE(SetKeyboardLayout(xvfb_.name(), layout));
        }
        EXPECT_TRUE(WaitFor([&] { return ServerMap() == Remapped(own[layout], XK_b, XK_semicolon); }, 10s))
            << layout << player_->Log();
    }
    // A change of the table applies over the layout of now.
    {
        auto block = win::SharedMemory::Open(kSwapBlockName, sizeof(TSwapShared));
        auto mutex = win::NamedMutex::Open(kSwapMutexName);
        ASSERT_TRUE(block && mutex);
        win::MutexLock lock(*mutex, 500);
        ASSERT_TRUE(lock.owns());
        static_cast<TSwapShared*>(block->data())->Keys.Lower['b' - 'a'] = 'x';
    }
    EXPECT_TRUE(WaitFor([&] { return ServerMap() == Remapped(own["fr"], XK_b, XK_x); }, 10s))
        << player_->Log();
    // The player's end puts back the layout of now.
    EXPECT_EQ(player_->Stop(SIGTERM), 0) << player_->Log();
    player_.reset();
    EXPECT_TRUE(ServerMap() == own["fr"]);
}

}  // namespace
}  // namespace tessaro::testing
