// "Capture Complete" with the real player routing the hot keys: the key pressed in the
// entry box is the macro's key, and the click on "&Ok" that ends the dialog is not.
#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

#include "editor/model/macro_forms/window_routing.h"
#include "hook/qtmhook.h"
#include "macro/macro_file.h"
#include "platform/messages.h"
#include "platform/messages.h"
#include "platform/platform.h"
#include "player/ui/capture_complete.h"
#include "protocol/hotkey_codes.h"
#include "protocol/hotkey_names.h"
#include "protocol/window_messages.h"
#include "tests/support/qt_app.h"
// Xlib's macros last.
#include "tests/e2e/editor_session.h"
#include "tests/e2e/player_process.h"
#include "tests/e2e/held_input.h"
#include "tests/e2e/hooked_player.h"
#include "tests/support/xvfb.h"
#include "tests/support/unpacked.h"

namespace tessaro::testing {
namespace {

using namespace std::chrono_literals;

// The dialog's routing as the player's capture does it: into the library's block.
class LibraryRoute : public SecWindRoute {
public:
    LibraryRoute(win::Messages& messages, TGlobData& glob, std::uint32_t player)
        : messages_(messages), glob_(glob), player_(player) {}
    void SetSecWind(std::uint32_t window, bool on) override {
        tessaro::SetSecWind(glob_, window, on, [this](std::uint32_t code, std::int32_t arg) {
            messages_.PostMessage(player_, WM_PEER_UPDATE, code, arg);
        });
    }

private:
    win::Messages& messages_;
    TGlobData& glob_;
    std::uint32_t player_;
};

TEST(CaptureCompleteOnADesktop, TheClickOnOkIsNotTakenForTheChosenHotKey) {
    // Stopped at exit: this program's Qt stays connected to it until then.
    static Xvfb xvfb("800x600x24");
    if (xvfb.name().empty()) GTEST_SKIP() << "no Xvfb";
    PlayerSandbox box(xvfb.name());
    Display* d = xvfb.Open();
    ASSERT_NE(d, nullptr);
    const std::string file = box.file("MACROS.QTM");
    ASSERT_TRUE(CreateEmptyMacroFile(file).ok());
    PlayerProcess player(box, {"/F" + file, "/EN"}, "player.log");
    const std::uint64_t playerWindow = WaitForHookedPlayer(player);
    ASSERT_NE(playerWindow, 0u) << player.Log();

    EnsureQtApplication();  // on the private server: the sandbox chose xcb
    auto glob = std::make_unique<TGlobData>(SharedGlob());
    LibraryRoute route(box.platform().messages(), *glob, static_cast<std::uint32_t>(playerWindow));
    TMacroRecord rec{};
    rec.Nickname = "Capture";
    rec.ActivationCode = 20000;
    {
        TCapComplete dialog(box.platform().messages(), rec, *glob, route, true, "notepad", box.dir());
        dialog.show();
        dialog.activateWindow();
        ASSERT_TRUE(QTest::qWaitFor([&] { return dialog.isActiveWindow(); }, 5000));
        dialog.HotKeyEdit->setFocus();
        const auto id = static_cast<std::uint32_t>(dialog.winId());
        ASSERT_TRUE(QTest::qWaitFor(
            [&] { return SharedGlob().SecWndOn == 1 && Unpacked(SharedGlob().SecWnd) == id; }, 5000));

        const int chosen = hook::HotKeyCodeForKey('K', hook::kModCtrl | hook::kModAlt);
        ASSERT_GE(chosen, 0);
        PressHeld(d, XK_k, {XK_Control_L, XK_Alt_L});
        ASSERT_TRUE(QTest::qWaitFor(
            [&] { return dialog.HotKeyEdit->text() == QString::fromStdString(HotKeyNames(chosen)); }, 5000))
            << dialog.HotKeyEdit->text().toStdString() << player.Log();

        ClickHeld(d, dialog.OkButton->mapToGlobal(dialog.OkButton->rect().center()));
        ASSERT_TRUE(QTest::qWaitFor([&] { return !dialog.isVisible(); }, 5000)) << player.Log();
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        EXPECT_EQ(Unpacked(rec.ActivationCode), chosen) << HotKeyNames(rec.ActivationCode);
        EXPECT_EQ(SharedGlob().SecWndOn, 0) << "the keys went back to the player";
        // Nothing came late and changed the choice. A click's report, if one came, is a
        // message of its own that nothing later shows the arrival of: it is given a moment.
        QTest::qWait(300);
        EXPECT_EQ(dialog.HotKeyList->currentRow(), chosen);
    }
    EXPECT_EQ(player.Stop(SIGTERM), 0) << player.Log();
    XCloseDisplay(d);
}

}  // namespace
}  // namespace tessaro::testing
