// The player's windows on small and wide screens under a real window manager: messages, the
// text box, the repeat prompt, the pause window where a macro puts it, the popup chooser
// beside its tray icon, "Capture Complete", the e-mail prompts and status, the save prompt
// and the About box. Each opens with its whole frame inside the work area and with every
// control inside it.
#include <QApplication>
#include <QHeaderView>
#include <QTableWidget>
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "mail/ui/send_email_dialog.h"
#include "player/ui/capture_complete.h"
#include "player/ui/do_a_menu.h"
#include "player/ui/player_tray.h"
#include "player/ui/player_windows.h"
#include "protocol/glob_data.h"
#include "widgets/about_box.h"
#include "platform/message_box.h"
#include "player/commands/email.h"
#include "platform/x11/x11_platform.h"
#include "tests/e2e/windows/menu_letters.h"
#include "tests/e2e/windows/window_walk.h"

namespace tessaro::testing {
namespace {

class NoRoute final : public SecWindRoute {
public:
    void SetSecWind(std::uint32_t, bool) override {}
};

class QuietShell final : public TrayShell {
public:
    bool MacroPlaying() override { return false; }
    void AbortMacro() override {}
    bool CanDoMenu() override { return true; }
    void ActivateMe() override {}
    void RestoreHooks() override {}
    void Terminate() override {}
    void EndCaptureFromTray() override {}
    void MenuTaskIconRightClick(int, int) override {}
};

class NoArea final : public TrayHost {
public:
    bool Add(const TrayIconData&) override { return true; }
    bool Modify(const TrayIconData&) override { return true; }
    bool Delete(const TrayIconData&) override { return true; }
};

std::vector<ChooserItem> Macros(int count) {
    std::vector<ChooserItem> items;
    for (int i = 0; i < count; ++i) {
        ChooserItem item;
        item.macro = i + 1;
        item.nickname = "Macro number " + std::to_string(i + 1) + " with a long nickname";
        item.activationCode = 30000;
        item.scope = 1;
        items.push_back(item);
    }
    return items;
}

// The player's windows on the X server of the desktop of `size`, and a walk that takes each
// one that opens; no windows where there is no such desktop.
struct PlayerDesktop {
    explicit PlayerDesktop(const std::string& size) : desktop(WindowsDesktop::Get(size)) {}
    bool up() const { return windows != nullptr; }

    WindowsDesktop* desktop;
    std::unique_ptr<win::Platform> platform = desktop ? win::x11::OpenPlatform() : nullptr;
    std::unique_ptr<QtPlayerWindows> windows =
        platform ? std::make_unique<QtPlayerWindows>(platform->desktop(), platform->windowControl())
                 : nullptr;
    std::unique_ptr<WindowWalk> walk = desktop ? std::make_unique<WindowWalk>(*desktop) : nullptr;
};

void PlayerWindowsOpenWhole(const std::string& size) {
    PlayerDesktop shown(size);
    if (!shown.up()) GTEST_SKIP() << "no desktop of " << size;
    WindowsDesktop* desktop = shown.desktop;
    const QRect screen = desktop->Screen();
    WindowWalk& walk = *shown.walk;
    QtPlayerWindows& windows = *shown.windows;
    const std::string longText(600, 'x');
    std::string manyLines;
    for (int i = 0; i < 120; ++i) manyLines += "Line " + std::to_string(i) + " of the text box\r\n";

    walk.Open("message", [&] { windows.DoAMessage("Error", "Window not found: " + longText); });
    walk.Open("text box", [&] { windows.MyMessage("Notes", manyLines); });
    walk.Open("repeat prompt", [&] { windows.DoRepPrompt(); });
    windows.SetRunningMacro({"Paused macro", "Ctrl+Alt+P", 0});
    walk.Open("pause at the corner", [&] { windows.PauseMacro(0, 0, longText); });
    walk.Open("pause beyond the screen",
              [&] { windows.PauseMacro(screen.height() - 10, screen.width() - 10, "Go on?"); });
    for (ChooserStyle style : {ChooserStyle::Names, ChooserStyle::Text, ChooserStyle::Icons}) {
        walk.Open("chooser by the tray icon, style " + std::to_string(int(style)), [&] {
            windows.ChooseAMacro({style, 64}, Macros(36), screen.width() - 5);
        });
    }
    walk.Open("save prompt",
              [&] { windows.PromptSavePath("Save Picture", "JPG", "JPEG (*.JPG)|*.JPG", false); });

    TMacroRecord rec{};
    auto glob = std::make_unique<TGlobData>();
    NoRoute route;
    for (bool global : {true, false}) {
        TCapComplete capture(desktop->platform().messages(), rec, *glob, route, global, "notepad",
                             desktop->box().dir());
        walk.Open("capture complete", [&] { capture.exec(); });
    }
    for (auto mode : {mail::EMailPromptMode::Recipients, mail::EMailPromptMode::SubjectAndText,
                      mail::EMailPromptMode::Attachments}) {
        mail::TDoTheEmail prompt(mode, desktop->box().file("TESMAIL.TXT"));
        walk.Open("send e-mail, mode " + std::to_string(int(mode)), [&] { prompt.exec(); });
    }
    mail::TEMailStatus status;
    status.SetText("100% Transferred");
    walk.Open("sending status", [&] { status.show(); });
    walk.Open("About box", [] { ShowAboutBox(); });

    EXPECT_EQ(walk.noWindow(), std::vector<std::string>{});
    for (const std::string& f : walk.Faults()) ADD_FAILURE() << f;
}

TEST(PlayerWindows, OpenWholeOnASmallScreen) { PlayerWindowsOpenWhole("800x600"); }

// The player's longest caption ("Activate Command Failed"), in its own message window and in
// a box, and its longest box text (the e-mail service missing, with the plugin's path): whole,
// centred, with a dialog's frame.
TEST(PlayerWindows, TheLongestCaptionAndTextAreWhole) {
    PlayerDesktop shown("800x600");
    if (!shown.up()) GTEST_SKIP() << "no 800 x 600 desktop";
    WindowsDesktop* desktop = shown.desktop;
    WindowWalk& walk = *shown.walk;
    QtPlayerWindows& windows = *shown.windows;
    std::vector<std::string> faults;
    int boxes = 0;
    const WindowWalk::Inside check = [&](QWidget& box, const std::string& path) {
        ++boxes;
        for (const std::string& f : BoxFaults(*desktop, box)) faults.push_back(path + ": " + f);
    };
    walk.Open(
        "message window",
        [&] { windows.DoAMessage("Activate Command Failed", "Unable to find window: Untitled - Notepad"); },
        check);
    const std::string plugin = desktop->box().dir() + "/lib/tessaro/plugins/libtesmail.so";
    walk.Open(
        "Winsock Missing",
        [&] {
            win::MessageBox(EMailUnavailableText(
                                "The e-mail plugin " + plugin + " cannot be loaded (Cannot load library " +
                                plugin + ": cannot open shared object file: No such file or directory)."),
                            "Winsock Missing", win::MbButtons::Ok, win::MbIcon::Error);
        },
        check);
    walk.Open(
        "a box with the long caption",
        [] { win::MessageBox("Program not found.", "Activate Command Failed", win::MbButtons::Ok); }, check);
    EXPECT_EQ(boxes, 3);
    for (const std::string& f : faults) ADD_FAILURE() << f;
    for (const std::string& f : walk.Faults()) ADD_FAILURE() << f;
}
// The tray icon's menu (the player's only menu): each item and each item of its "Tools" on a
// letter of its own, so that the letter chooses it.
TEST(PlayerWindows, NoTwoItemsOfTheTrayMenuTakeOneLetter) {
    (void)WindowsDesktop::Get("800x600");  // the program's one application, on its desktop
    EnsureQtApplication();
    QuietShell shell;
    NoArea area;
    PlayerTray tray(shell, &area);
    const std::unique_ptr<QMenu> menu = tray.MyPopUp();
    std::vector<std::string> clashes;
    MenuClashes(*menu, "tray menu", clashes);
    EXPECT_EQ(clashes, std::vector<std::string>{});
    EXPECT_GE(menu->actions().size(), 6);
}

// The chooser as high as its style's formula: icon style rows x (size + 4) + 22 for the Cancel
// row; list styles the lines x 17 + 8, their column titles and 42 for Cancel and the hint.
TEST(PlayerWindows, TheChooserIsAsHighAsItsFormula) {
    PlayerDesktop shown("800x600");
    if (!shown.up()) GTEST_SKIP() << "no 800 x 600 desktop";
    WindowWalk& walk = *shown.walk;
    QtPlayerWindows& windows = *shown.windows;
    int checked = 0;
    for (const auto& [style, size, items] :
         {std::tuple(ChooserStyle::Icons, 32, 10), std::tuple(ChooserStyle::Icons, 16, 3),
          std::tuple(ChooserStyle::Names, 16, 5), std::tuple(ChooserStyle::Text, 16, 18)}) {
        walk.Open(
            "chooser, style " + std::to_string(int(style)),
            [&] {
                windows.ChooseAMacro({style, size}, Macros(items), std::nullopt);
            },
            [&](QWidget& w, const std::string& path) {
                auto* chooser = qobject_cast<TDoAMenu*>(&w);
                ASSERT_NE(chooser, nullptr) << path;
                ++checked;
                if (style == ChooserStyle::Icons) {
                    EXPECT_EQ(chooser->height(), (items + 8) / 9 * (size + 4) + 22) << path;
                } else {
                    const int titles = chooser->Script->horizontalHeader()->height();
                    EXPECT_EQ(chooser->height(), items * 17 + 8 + titles + 42) << path;
                }
            });
    }
    EXPECT_EQ(checked, 4);
    for (const std::string& f : walk.Faults()) ADD_FAILURE() << f;
}

TEST(PlayerWindows, OpenWholeOnAWideScreen) { PlayerWindowsOpenWhole("1280x800"); }

}  // namespace
}  // namespace tessaro::testing
