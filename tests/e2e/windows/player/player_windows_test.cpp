// The player's windows on small and wide screens under a real window manager: messages, the
// text box, the repeat prompt, the pause window where a macro puts it, the popup chooser
// beside its tray icon, "Capture Complete", the e-mail prompts and status, the save prompt
// and the About box. Each opens with its whole frame inside the work area and with every
// control inside it.
#include <QApplication>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "mail/ui/send_email_dialog.h"
#include "player/ui/capture_complete.h"
#include "player/ui/player_windows.h"
#include "protocol/glob_data.h"
#include "widgets/about_box.h"
#include "platform/message_box.h"
#include "player/commands/email.h"
#include "platform/x11/x11_platform.h"
#include "tests/e2e/windows/window_walk.h"

namespace tessaro::testing {
namespace {

class NoRoute final : public SecWindRoute {
public:
    void SetSecWind(std::uint32_t, bool) override {}
};

class NoFile final : public mail::AttachmentFileChooser {
public:
    std::optional<std::string> Choose(QWidget*, const QString&, const QString&) override { return {}; }
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

void PlayerWindowsOpenWhole(const std::string& size) {
    WindowsDesktop* desktop = WindowsDesktop::Get(size);
    if (!desktop) GTEST_SKIP() << "no desktop of " << size;
    const QRect screen = desktop->Screen();
    WindowWalk walk(*desktop);
    const std::unique_ptr<win::Platform> platform = win::x11::OpenPlatform();
    ASSERT_TRUE(platform);
    QtPlayerWindows windows(platform->desktop());
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
        TCapComplete capture(rec, *glob, route, global, "notepad", desktop->box().dir());
        walk.Open("capture complete", [&] { capture.exec(); });
    }
    NoFile chooser;
    for (auto mode : {mail::EMailPromptMode::Recipients, mail::EMailPromptMode::SubjectAndText,
                      mail::EMailPromptMode::Attachments}) {
        mail::TDoTheEmail prompt(mode, desktop->box().file("TESMAIL.TXT"), chooser);
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
// Off until mended: under load the message window is seen at 0,0 before it is centred.
TEST(PlayerWindows, DISABLED_TheLongestCaptionAndTextAreWhole) {
    WindowsDesktop* desktop = WindowsDesktop::Get("800x600");
    if (!desktop) GTEST_SKIP() << "no 800 x 600 desktop";
    WindowWalk walk(*desktop);
    const std::unique_ptr<win::Platform> platform = win::x11::OpenPlatform();
    ASSERT_TRUE(platform);
    QtPlayerWindows windows(platform->desktop());
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
TEST(PlayerWindows, OpenWholeOnAWideScreen) { PlayerWindowsOpenWhole("1280x800"); }

}  // namespace
}  // namespace tessaro::testing
