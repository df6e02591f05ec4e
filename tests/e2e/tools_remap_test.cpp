// The keyboard remapper edits the running player's table: once the dialog closes, the key
// that typed "a" types "b" in every window, without restarting the player.
#include <gtest/gtest.h>

#include <QTableWidget>
#include <cstdlib>
#include <memory>

#include "editor/explorer/explorer_core.h"
#include "editor/explorer/tools/swap_dialogs.h"
#include "macro/macro_file.h"
#include "tests/support/qt_app.h"
// Xlib's macros last: they clash with names above.
// clang-format off
#include "player_process.h"
#include "tests/support/key_target.h"
#include "typed_marker.h"
#include "tests/support/window_manager.h"
#include "tests/support/xvfb.h"
#include <X11/keysym.h>
// clang-format on

namespace tessaro::testing {
namespace {

using namespace std::chrono_literals;

// The remapper as the main window opens it, with the picker answered as a user would
// answer it: the character chosen for the double-clicked entry.
class PickingRemapper : public TDoSwapKeys {
public:
    using TDoSwapKeys::TDoSwapKeys;
    std::uint8_t answer = 0;

protected:
    bool Pick(QTableWidget*, int, std::uint8_t& character) override {
        character = answer;
        return true;
    }
};

// The first keysym the server maps to `keycode` now.
KeySym ServerSym(Display* d, KeyCode keycode) {
    int per = 0;
    KeySym* syms = XGetKeyboardMapping(d, keycode, 1, &per);
    const KeySym sym = syms && per > 0 ? syms[0] : NoSymbol;
    if (syms) XFree(syms);
    return sym;
}

struct DisplayCloser {
    void operator()(Display* d) const {
        if (d) XCloseDisplay(d);
    }
};

TEST(KeyboardRemapper, AnEditIsInForceAsSoonAsTheDialogCloses) {
    // Outlives the test: the process's shared X connection closes at exit, on a live server.
    static Xvfb xvfb("640x480x24");
    if (xvfb.name().empty()) GTEST_SKIP() << "no Xvfb";
    WindowManager wm(xvfb.name());
    PlayerSandbox box(xvfb.name());
    // The dialog itself needs no screen; the player does.
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    EnsureQtApplication();
    ::setenv("QT_QPA_PLATFORM", "xcb", 1);

    // A macro file given by /F, whose table remaps nothing yet.
    const std::string file = box.file("REMAP.QTM");
    ASSERT_TRUE(CreateEmptyMacroFile(file).ok());
    std::unique_ptr<Display, DisplayCloser> keys(xvfb.Open());
    ASSERT_TRUE(keys);
    const KeyCode aKey = XKeysymToKeycode(keys.get(), XK_a);
    ASSERT_NE(aKey, 0);

    // Without its editor: a window that opens whenever the editor is up would take the keys.
    PlayerProcess player(box, {"/F" + file, "/EN"}, "player.log");
    ASSERT_TRUE(player.started());
    const std::uint64_t playerWnd = WaitForPlayerWindow();
    ASSERT_NE(playerWnd, 0u) << player.Log();
    ASSERT_TRUE(WaitFor([&] { return std::filesystem::exists(box.file("REMAP.QTS")); }, 5s)) << player.Log();

    {
        KeyTarget before(xvfb.Open(), "Before Remap");
        ASSERT_TRUE(before.ok());
        ASSERT_TRUE(before.Focus());
        PressKeycode(keys.get(), aKey);
        ASSERT_TRUE(before.WaitUntil([&] { return !before.Typed().empty(); }, 5s));
        EXPECT_EQ(before.Typed(), "a");
    }

    {
        PickingRemapper remapper(nullptr, box.file("REMAP.QTS"),
                                 NoticesTo(box.platform().messages(), static_cast<win::HWND>(playerWnd)));
        ASSERT_EQ(remapper.LowerGrid->item(0, 1)->text(), "a") << "the player's table is not reachable";
        remapper.answer = 'b';
        remapper.GridDblClick(remapper.LowerGrid, 0, 1);
        ASSERT_EQ(remapper.LowerGrid->item(0, 1)->text(), "b");
        remapper.accept();
    }

    // The player puts the edit in force on the notice: the server's map changes.
    ASSERT_TRUE(WaitFor([&] { return ServerSym(keys.get(), aKey) == XK_b; }, 10s))
        << "the key still types " << XKeysymToString(ServerSym(keys.get(), aKey)) << "\n"
        << player.Log();

    // A window opened now reads the new map.
    KeyTarget after(xvfb.Open(), "After Remap");
    ASSERT_TRUE(after.ok());
    ASSERT_TRUE(after.Focus());
    PressKeycode(keys.get(), aKey);
    ASSERT_TRUE(after.WaitUntil([&] { return !after.Typed().empty(); }, 5s));
    // A second character would come before a key pressed after the first.
    ReadUpToNow(keys.get(), after);
    EXPECT_EQ(after.Typed(), "b");

    // Shut-down puts the user's own map back.
    EXPECT_EQ(player.Stop(SIGTERM), 0) << player.Log();
    EXPECT_EQ(ServerSym(keys.get(), aKey), static_cast<KeySym>(XK_a));
}

}  // namespace
}  // namespace tessaro::testing
