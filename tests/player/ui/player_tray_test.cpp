// The player's tray icons and menu over a notification area that records what it is told.
#include "player/ui/player_tray.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QTimer>
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>
#include <thread>

#include "foundation/helper_programs.h"
#include "macro/macro_record.h"
#include "platform/message_box.h"
#include "protocol/glob_data.h"
#include "tests/support/qt_app.h"
#include "tests/support/temp_dir.h"
#include "widgets/about_box.h"

namespace tessaro {
namespace {

class RecordingArea : public TrayHost {
public:
    bool Add(const TrayIconData& d) override { return Note('A', d); }
    bool Modify(const TrayIconData& d) override { return Note('M', d); }
    bool Delete(const TrayIconData& d) override { return Note('D', d); }
    struct Call {
        char op;
        int id;
        std::string tip;
    };
    std::vector<Call> calls;

private:
    bool Note(char op, const TrayIconData& d) {
        calls.push_back({op, d.id, d.tip});
        return true;
    }
};

class RecordingShell : public TrayShell {
public:
    bool MacroPlaying() override { return playing; }
    void AbortMacro() override { log.push_back("abort"); }
    bool CanDoMenu() override { return canDoMenu; }
    void ActivateMe() override { log.push_back("editor"); }
    void RestoreHooks() override { log.push_back("hooks"); }
    void Terminate() override { log.push_back("terminate"); }
    void EndCaptureFromTray() override { log.push_back("end capture"); }
    void MenuTaskIconRightClick(int macro, int x) override {
        log.push_back("popup " + std::to_string(macro) + " at " + std::to_string(x));
    }
    bool playing = false, canDoMenu = true;
    std::vector<std::string> log;
};

class Tray : public ::testing::Test {
protected:
    void SetUp() override { EnsureQtApplication(); }
    void Settle() {
        for (int i = 0; i < 5; ++i) QApplication::processEvents();
    }
    // Right-clicks the main icon; true when a menu opened (it is closed again at once).
    bool RightClickOpensMenu() {
        bool opened = false;
        QTimer::singleShot(50, [&] {
            if (QWidget* popup = QApplication::activePopupWidget()) {
                opened = true;
                popup->close();
            }
        });
        tray.mainIcon().TrayCallback(0, kTrayRightButtonUp);
        Settle();
        QTimer wait;
        wait.start(100);
        QEventLoop loop;
        QObject::connect(&wait, &QTimer::timeout, &loop, &QEventLoop::quit);
        loop.exec();
        return opened;
    }

    struct App {
        App() { EnsureQtApplication(); }
    } app_;  // before the tray, which draws its pictures
    RecordingArea area;
    RecordingShell shell;
    PlayerTray tray{shell, &area};
};

TEST(MenuTrayMacrosTest, SixteenPopupMacrosForTheTrayGiveFifteenAndOthersNone) {
    auto glob = std::make_unique<TGlobData>();
    auto config = std::make_unique<TConfigRecord>();
    for (int n = 1; n <= 20; ++n) {
        glob->Scope[n] = scPopupMenu;
        config->MacroAbbreviations[n] = "Y22";
    }
    glob->Scope[2] = scGlobal;              // a "Y" abbreviation of another macro
    config->MacroAbbreviations[3] = "N22";  // a menu that stays out of the tray
    config->MacroAbbreviations[4] = "";
    glob->MacroCount = 20;
    const std::vector<int> macros = MenuTrayMacros(*glob, *config);
    ASSERT_EQ(macros.size(), 15u);
    EXPECT_EQ(macros.front(), 1);
    EXPECT_EQ(macros[1], 5);
    EXPECT_EQ(macros.back(), 18);
}

TEST_F(Tray, MainIconIsIdZeroAndTheCaptureIconComesAndGoes) {
    tray.ShowMainIcon(true);
    ASSERT_EQ(area.calls.size(), 1u);
    EXPECT_EQ(area.calls[0].id, 0);
    EXPECT_EQ(area.calls[0].tip, "Tessaro 99");
    tray.DoTaskIconRec();
    EXPECT_TRUE(tray.captureIcon().Active());
    EXPECT_EQ(area.calls.back().tip, "Macro Is Recording");
    EXPECT_EQ(area.calls.back().id, 0);
    tray.captureIcon().TrayCallback(0, kTrayRightButtonUp);
    Settle();
    EXPECT_EQ(shell.log, std::vector<std::string>{"end capture"});
    tray.ClearTaskIcon();
    EXPECT_FALSE(tray.captureIcon().Active());
    EXPECT_TRUE(tray.mainIcon().Active());
}

TEST_F(Tray, PopupIconsCarryTheMacroNumberAndNicknameAndAreRebuiltWhole) {
    auto config = std::make_unique<TConfigRecord>();
    config->MacroNicknames[4] = "Letters";
    config->MacroNicknames[9] = "Greetings";
    config->MacroIcons[9] = {"NOSUCH.ICO", "/nonexistent/NOSUCH.ICO"};
    tray.DoMenuTaskIcon({4, 9}, *config);
    ASSERT_EQ(tray.menuIcons().size(), 2u);
    EXPECT_EQ(tray.menuIcons()[0]->TaskIconID(), 4);
    EXPECT_EQ(tray.menuIcons()[1]->ToolTip(), "Greetings");
    // A missing icon file shows the popup-menu picture.
    EXPECT_FALSE(tray.menuIcons()[1]->Icon().isNull());

    tray.menuIcons()[1]->TrayCallback(9, kTrayRightButtonUp);
    tray.menuIcons()[1]->TrayCallback(9, kTrayLeftButtonUp);  // a left click does nothing
    Settle();
    ASSERT_EQ(shell.log.size(), 1u);
    EXPECT_EQ(shell.log[0].rfind("popup 9 at ", 0), 0u) << shell.log[0];

    area.calls.clear();
    tray.DoMenuTaskIcon({4}, *config);
    ASSERT_EQ(tray.menuIcons().size(), 1u);
    int deleted = 0, added = 0;
    for (const auto& c : area.calls) (c.op == 'D' ? deleted : added) += 1;
    EXPECT_EQ(deleted, 2);
    EXPECT_EQ(added, 1);
    tray.ClearMenuTaskIcon();
    EXPECT_TRUE(tray.menuIcons().empty());
}

TEST_F(Tray, RightClickAbortsAPlayingMacroOpensNoMenuWhenBusyAndTheMenuOtherwise) {
    tray.ShowMainIcon(true);
    shell.playing = true;
    EXPECT_FALSE(RightClickOpensMenu());
    EXPECT_EQ(shell.log, std::vector<std::string>{"abort"});

    shell.playing = false;
    shell.canDoMenu = false;  // a capture runs, a macro is paused or a chooser shows
    EXPECT_FALSE(RightClickOpensMenu());
    EXPECT_EQ(tray.menusShown(), 0);

    shell.canDoMenu = true;
    EXPECT_TRUE(RightClickOpensMenu());
    EXPECT_EQ(tray.menusShown(), 1);
    EXPECT_EQ(shell.log, std::vector<std::string>{"abort"});
}

TEST_F(Tray, LeftClickOpensTheEditorOnlyWhenNothingPlaysAndNothingIsBusy) {
    tray.ShowMainIcon(true);
    shell.playing = true;
    tray.mainIcon().TrayCallback(0, kTrayLeftButtonUp);
    Settle();
    shell.playing = false;
    shell.canDoMenu = false;
    tray.mainIcon().TrayCallback(0, kTrayLeftButtonUp);
    Settle();
    EXPECT_TRUE(shell.log.empty());
    shell.canDoMenu = true;
    tray.mainIcon().TrayCallback(0, kTrayLeftButtonUp);
    Settle();
    EXPECT_EQ(shell.log, std::vector<std::string>{"editor"});
}

TEST_F(Tray, TheMenuInItsOrderAndItsCommandsReachThePlayer) {
    std::unique_ptr<QMenu> menu = tray.MyPopUp();
    std::vector<std::string> texts;
    for (QAction* a : menu->actions()) texts.push_back(a->isSeparator() ? "-" : a->text().toStdString());
    EXPECT_EQ(texts, (std::vector<std::string>{"&Open Editor", "&Tools", "&Help", "&About", "-",
                                               "Tessaro Home &Page", "-", "Te&rminate Tessaro"}));
    QMenu* tools = menu->actions()[1]->menu();
    ASSERT_NE(tools, nullptr);
    ASSERT_EQ(tools->actions().size(), 2);
    EXPECT_EQ(tools->actions()[0]->text(), "&Restore Keyboard and Mouse Hooks");
    EXPECT_EQ(tools->actions()[1]->text(), "&Launch Mouse Locator");

    menu->actions()[0]->trigger();
    tools->actions()[0]->trigger();
    menu->actions()[7]->trigger();
    EXPECT_EQ(shell.log, (std::vector<std::string>{"editor", "hooks", "terminate"}));
}

TEST_F(Tray, WhileAMacroRunsTheMainIconShowsEvenWithTheTrayOff) {
    tray.ShowRunning(true, false);
    EXPECT_TRUE(tray.mainIcon().Active());
    EXPECT_EQ(tray.mainIcon().ToolTip(), "Macro Is Running - Right Click to Abort");
    tray.ShowRunning(false, false);
    EXPECT_FALSE(tray.mainIcon().Active());
    EXPECT_EQ(tray.mainIcon().ToolTip(), "Tessaro 99");
    tray.ShowMainIcon(true);
    const qint64 mainPicture = tray.mainIcon().Icon().cacheKey();
    tray.ShowRunning(true, true);
    const qint64 runningPicture = tray.mainIcon().Icon().cacheKey();
    tray.ShowRunning(false, true);
    EXPECT_TRUE(tray.mainIcon().Active());
    // The pictures are built once, not again for every macro.
    EXPECT_EQ(tray.mainIcon().Icon().cacheKey(), mainPicture);
    tray.ShowRunning(true, true);
    EXPECT_EQ(tray.mainIcon().Icon().cacheKey(), runningPicture);
}

// The menu's commands that start something: the real xdg-open, sent by a private
// mimeapps.list to a handler that writes down what it was given.
class TrayCommands : public ::testing::Test {
protected:
    void SetUp() override {
        EnsureQtApplication();
        const std::string d = dir.path();
        std::filesystem::create_directories(d + "/config");
        std::filesystem::create_directories(d + "/data/applications");
        opened = d + "/opened.txt";
        Script(d + "/record.sh", "echo \"$@\" >> " + opened);
        std::ofstream(d + "/data/applications/tessaro-recorder.desktop")
            << "[Desktop Entry]\nType=Application\nName=Recorder\nExec=" << d << "/record.sh %u\n"
            << "MimeType=x-scheme-handler/https;application/winhlp;text/markdown;\n";
        std::ofstream(d + "/config/mimeapps.list")
            << "[Default Applications]\nx-scheme-handler/https=tessaro-recorder.desktop\n"
            << "application/winhlp=tessaro-recorder.desktop\n"
            << "text/markdown=tessaro-recorder.desktop\n";
        ::setenv("XDG_CONFIG_HOME", (d + "/config").c_str(), 1);
        ::setenv("XDG_DATA_HOME", (d + "/data").c_str(), 1);
        // The opener picks graphical handlers only on a display; it never connects to it.
        ::setenv("DISPLAY", ":99", 0);
        for (const char* name : {"XDG_CURRENT_DESKTOP", "DESKTOP_SESSION", "GNOME_DESKTOP_SESSION_ID",
                                 "KDE_FULL_SESSION", "BROWSER"})
            ::unsetenv(name);
    }
    static void Script(const std::string& path, const std::string& body) {
        std::ofstream(path) << "#!/bin/sh\n" << body << "\n";
        std::filesystem::permissions(path, std::filesystem::perms::owner_all);
    }
    bool Recorded(const std::string& file, const std::string& what) {
        for (int i = 0; i < 200; ++i) {
            std::ifstream in(file);
            const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
            if (text.find(what) != std::string::npos) return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        return false;
    }

    testing::TempDir dir;
    std::string opened;
    std::vector<std::string> boxes;
    win::ScopedMessageBoxHandler handler{[this](const win::MessageBoxCall& call) {
        boxes.push_back(call.caption + ": " + call.text);
        return win::MbResult::Ok;
    }};
};

TEST_F(TrayCommands, HelpAndTheHomePageOpenThroughTheDesktopsOpener) {
    std::ofstream(dir.file("TESSARO.HLP")) << "help\n";
    PlayerTray::PopHelpClick(dir.path());
    EXPECT_TRUE(Recorded(opened, dir.file("TESSARO.HLP")));
    // The home page is the README beside the programs.
    std::ofstream(dir.file("README.md")) << "# Tessaro\n";
    PlayerTray::MenuHomePageClick(dir.path());
    EXPECT_TRUE(Recorded(opened, HomePagePath(dir.path())));  // the opener hands on the file
    EXPECT_TRUE(boxes.empty());
}

TEST_F(TrayCommands, AMissingHelpFileOrMouseLocatorIsReportedAndNothingStarts) {
    PlayerTray::PopHelpClick(dir.file("nothing"));
    PlayerTray::MenuLaunchClick(dir.file("nothing"));
    PlayerTray::MenuHomePageClick(dir.file("nothing"));
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(boxes[0], "Error: The help file " + dir.file("nothing") + "/TESSARO.HLP could not be found.");
    EXPECT_EQ(boxes[1], "Error: The mouse locator " + dir.file("nothing") + "/ptrfind could not be found.");
    EXPECT_EQ(boxes[2], "Error: The home page " + dir.file("nothing") + "/README.md could not be found.");
    // The help opened next is the only start the opener ever recorded.
    std::ofstream(dir.file("TESSARO.HLP")) << "help\n";
    PlayerTray::PopHelpClick(dir.path());
    ASSERT_TRUE(Recorded(opened, "\n"));
    std::ifstream in(opened);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()),
              dir.file("TESSARO.HLP") + "\n");
}

TEST_F(TrayCommands, TheMouseLocatorStartsFromBesideThePlayerWithItsParameters) {
    Script(dir.file("ptrfind"), "echo \"$@\" > " + dir.file("locator.txt"));
    PlayerTray::MenuLaunchClick(dir.path());
    EXPECT_TRUE(Recorded(dir.file("locator.txt"), "QJX"));
    EXPECT_TRUE(boxes.empty());
}

TEST_F(TrayCommands, TheAboutBoxOpensOnce) {
    PlayerTray::MenuAboutClick();
    PlayerTray::MenuAboutClick();
    int open = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* box = qobject_cast<TAboutBox*>(w); box && box->isVisible()) {
            ++open;
            EXPECT_EQ(box->windowTitle(), "About");
        }
    EXPECT_EQ(open, 1);
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* box = qobject_cast<TAboutBox*>(w)) box->close();
}

}  // namespace
}  // namespace tessaro
