// The editor's main window as a user reads it: no two items of a menu take the same letter
// (a letter that two share only moves the highlight), and with "Show Date & Time" on the
// time in its caption keeps moving.
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>

#include "editor/explorer/main_win.h"
#include "foundation/settings.h"
#include "macro/macro_file.h"
#include "tests/e2e/windows/windows_desktop.h"

namespace tessaro::testing {
namespace {

std::unique_ptr<TMainWin> ShowEditor(WindowsDesktop& desktop, TConfigRecord& config, TGlobData& glob,
                                     const char* name) {
    LoadAllSettings(config);
    config.FirstUse = false;
    const std::string file = desktop.box().file(name);
    EXPECT_TRUE(CreateEmptyMacroFile(file).ok());
    config.RecentFiles[0] = file;
    auto editor = std::make_unique<TMainWin>(config, glob, std::vector<std::string>{});
    editor->show();
    EXPECT_TRUE(desktop.SettledFrame(*editor));
    return editor;
}

// The letter after a single "&" ("&&" is an ampersand).
QChar Mnemonic(const QString& text) {
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != '&') continue;
        if (text[i + 1] == '&') {
            ++i;
            continue;
        }
        return text[i + 1].toUpper();
    }
    return {};
}

void NoSharedLetters(QMenu* menu, const std::string& path) {
    std::map<QChar, QString> taken;
    for (QAction* a : menu->actions()) {
        if (a->isSeparator() || !a->isVisible()) continue;
        const QChar letter = Mnemonic(a->text());
        if (!letter.isNull()) {
            const auto [at, fresh] = taken.emplace(letter, a->text());
            EXPECT_TRUE(fresh) << path << ": \"" << a->text().toStdString() << "\" and \""
                               << at->second.toStdString() << "\" both take "
                               << QString(letter).toStdString();
        }
        if (a->menu()) NoSharedLetters(a->menu(), path + " > " + a->text().toStdString());
    }
}

TEST(EditorMainWindowMenus, NoTwoItemsOfTheHelpMenuTakeOneLetter) {
    WindowsDesktop* desktop = WindowsDesktop::Get("800x600");
    if (!desktop) GTEST_SKIP() << "no 800 x 600 desktop with a window manager";
    TConfigRecord config;
    TGlobData glob{};
    auto editor = ShowEditor(*desktop, config, glob, "MENUS.QTM");
    for (QAction* top : editor->menuBar()->actions())
        if (top->menu() && top->text() == "&Help") NoSharedLetters(top->menu(), "&Help");
}

TEST(EditorMainWindowMenus, TheCaptionsTimeMoves) {
    WindowsDesktop* desktop = WindowsDesktop::Get("800x600");
    if (!desktop) GTEST_SKIP() << "no 800 x 600 desktop with a window manager";
    TConfigRecord config;
    TGlobData glob{};
    auto editor = ShowEditor(*desktop, config, glob, "CLOCK.QTM");
    if (!config.ShowDate) editor->Run(ExplorerAction::ShowDate);  // as the user ticks it
    ASSERT_TRUE(config.ShowDate);
    const QString first = editor->windowTitle();
    EXPECT_TRUE(QTest::qWaitFor([&] { return editor->windowTitle() != first; }, 3000))
        << "the caption still reads " << first.toStdString();
}

}  // namespace
}  // namespace tessaro::testing
