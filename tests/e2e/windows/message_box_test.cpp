// The editor's message boxes on an 800 x 600 screen under a real window manager: the longest
// question (the browser repair's, of thirteen lines) and a box with a long caption show their
// whole caption and every line whole, centred, with a dialog's frame.
#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "editor/commands/delay_dialogs.h"
#include "platform/cp1252.h"
#include "platform/message_box.h"
#include "tests/e2e/windows/editor_on_desktop.h"
#include "tests/e2e/windows/window_walk.h"

namespace tessaro::testing {
namespace {

using EditorMessageBoxes = OnASmallDesktop;

TEST_F(EditorMessageBoxes, TheLongestCaptionAndTextAreWhole) {
    EditorOnDesktop shown(*desktop, "BOXES.QTM");
    shown.config.IE5Server = "";  // the fix not applied yet: it is offered
    ASSERT_TRUE(shown.Show());
    TMainWin& editor = shown.editor();

    WindowWalk walk(*desktop);
    std::vector<std::string> faults;
    int boxes = 0;
    const WindowWalk::Inside check = [&](QWidget& box, const std::string& path) {
        ++boxes;
        for (const std::string& f : BoxFaults(*desktop, box)) faults.push_back(path + ": " + f);
    };
    QAction* fix = editor.MenuItem(ExplorerAction::IE5Fix);
    ASSERT_NE(fix, nullptr);
    ASSERT_TRUE(fix->isEnabled());
    walk.Open(
        "Tools > Internet Explorer 5.0 Fix > Apply Fix", [fix] { fix->trigger(); }, check);
    // The caption the issue saw cut, on the editor's box of its own.
    walk.Open(
        "a long caption",
        [] {
            win::MessageBox("No recipients specified or no return address specified.",
                            "Macro Execution Error", win::MbButtons::Ok, win::MbIcon::Error);
        },
        check);
    EXPECT_EQ(boxes, 2);
    for (const std::string& f : faults) ADD_FAILURE() << f;
    for (const std::string& f : walk.Faults()) ADD_FAILURE() << f;
}

// Names outside Latin-1 read in a shown box as they are spelled: a macro file's that cannot be
// opened, and a character an entry refuses.
TEST_F(EditorMessageBoxes, NamesReadAsTheyAreSpelled) {
    const std::string name = "\u0152uvres \u2013 \u20AC.QTM";
    EditorOnDesktop shown(*desktop, name);
    std::filesystem::remove(shown.file);
    std::filesystem::create_directory(shown.file);  // not a file the editor can open
    shown.config.RecentFiles[0] = win::Utf8ToCp1252(shown.file);
    std::vector<QString> texts;
    const WindowWalk::Inside read = [&](QWidget& box, const std::string&) {
        if (const QLabel* text = BoxText(box)) texts.push_back(text->text());
    };
    WindowWalk walk(*desktop);
    walk.Open(
        "the editor on a folder", [&] { shown.Show(); }, read);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_TRUE(texts[0].contains(QString::fromStdString(shown.file + " could not be opened")))
        << texts[0].toStdString();

    walk.Open(
        "Set Delay", [&] { TDoDelay2(&shown.editor()).exec(); },
        [&](QWidget& dialog, const std::string& path) {
            dialog.findChild<QLineEdit*>("Seconds")->setText(QString::fromUtf8("\u0432"));
            walk.Click(path + " > Ok", *dialog.findChild<QPushButton*>("OkButton"), read);
        });
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[1],
              QString::fromUtf8("The character \"\u0432\" cannot be used in this entry.  Please correct."));
}

}  // namespace
}  // namespace tessaro::testing
