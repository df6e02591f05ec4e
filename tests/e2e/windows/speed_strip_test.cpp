// The speed-button strip on a screen 800 pixels wide: at the window's default width every
// button shows, a picture with its hint; in a narrower window the buttons that do not fit
// are behind its overflow button, and a hand that clicks it and then one of them runs that
// command.
#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QMenu>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QWindow>
#include <gtest/gtest.h>

#include <memory>
#include <optional>

#include "tests/e2e/windows/editor_on_desktop.h"

namespace tessaro::testing {
namespace {

class SpeedStripOnADesktop : public OnASmallDesktop {
protected:
    // The editor with the speed strip, at `width`, on a file of one hot-key macro.
    TMainWin& ShowStrip(const char* name, int width) {
        shown = std::make_unique<EditorOnDesktop>(*desktop, name);
        shown->config.UseSpeed = true;
        shown->config.ShowCategory = false;
        shown->config.MainWidth = width;
        EXPECT_EQ(shown->Append("Greeting", 5, scGlobal), 1);
        EXPECT_TRUE(shown->Show());
        return shown->editor();
    }

    std::unique_ptr<EditorOnDesktop> shown;
};

// How much a picture covers: its opacity summed over its pixels.
double Ink(const QImage& picture) {
    double ink = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) ink += qAlpha(picture.pixel(x, y));
    return ink;
}

// A command that cannot run shows a faint picture, also where the picture is grey and white.
TEST_F(SpeedStripOnADesktop, ADisabledCommandsPictureIsDrawnFaint) {
    TMainWin& editor = ShowStrip("FAINT.QTM", 620);
    for (ExplorerAction action :
         {ExplorerAction::RemoveMacro, ExplorerAction::CopyMacro, ExplorerAction::NewFile}) {
        QAbstractButton* b = editor.SpeedButton(action);
        ASSERT_NE(b, nullptr);
        const QIcon picture = b->icon();
        const double on = Ink(picture.pixmap(b->iconSize(), QIcon::Normal).toImage());
        const double off = Ink(picture.pixmap(b->iconSize(), QIcon::Disabled).toImage());
        EXPECT_GT(on, 0);
        EXPECT_LT(off, on / 2) << b->toolTip().toStdString() << " looks the same disabled";
    }
}

TEST_F(SpeedStripOnADesktop, AtTheDefaultWidthEveryCommandShowsAsAPicture) {
    TMainWin& editor = ShowStrip("DEFAULT.QTM", 620);  // the width a new settings file gives
    EXPECT_EQ(editor.width(), 620);
    using A = ExplorerAction;
    const std::pair<A, const char*> commands[] = {
        {A::AddMacro, "Add Macro"},           {A::ModifyDirectly, "Modify Macro Directly"},
        {A::Recapture, "Recapture Macro"},    {A::RemoveMacro, "Delete Macro"},
        {A::CopyMacro, "Copy Macro"},         {A::ChangeActivation, "Change Macro Activation"},
        {A::ActivateMacro, "Activate Macro"}, {A::ScriptingEditor, "Modify Macro Using Scripting Editor"},
    };
    const QRect strip = editor.SpeedStrip()->rect();
    for (const auto& [action, hint] : commands) {
        SCOPED_TRACE(hint);
        QAbstractButton* b = editor.SpeedButton(action);
        ASSERT_NE(b, nullptr);
        EXPECT_TRUE(b->isVisible()) << "behind the overflow button";
        EXPECT_TRUE(strip.contains(b->geometry())) << "outside the strip";
        EXPECT_FALSE(b->icon().isNull()) << "no picture";
        // The activate button names what it will do for the selected macro.
        const std::string tip = b->toolTip().toStdString();
        if (action == A::ActivateMacro)
            EXPECT_TRUE(tip == hint || tip == "Deactivate Macro") << tip;
        else
            EXPECT_EQ(tip, hint);
        EXPECT_LT(b->width(), 2 * b->iconSize().width()) << "the hint is shown as text";
    }
    auto* more = editor.SpeedStrip()->findChild<QToolButton*>("qt_toolbar_ext_button");
    EXPECT_TRUE(!more || !more->isVisible());
}

TEST_F(SpeedStripOnADesktop, AHiddenButtonWorksFromTheOverflowMenu) {
    TMainWin& editor = ShowStrip("STRIP.QTM", 560);
    const std::string& file = shown->file;
    // The macro's row (the system macros the file gets at its first load are listed too).
    ASSERT_TRUE(shown->SelectMacro(1));
    // Pictures large enough that the strip is wider than the window (which is no narrower
    // than its menus).
    editor.SpeedStrip()->setIconSize(QSize(64, 64));
    QAbstractButton* activate = editor.SpeedButton(ExplorerAction::ActivateMacro);
    ASSERT_NE(activate, nullptr);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !activate->isVisible(); }, 5000));
    ASSERT_NE(activate, nullptr);
    EXPECT_FALSE(activate->isVisible())
        << "the window, " << editor.width() << " wide, is too narrow for every button";
    auto* more = editor.SpeedStrip()->findChild<QToolButton*>("qt_toolbar_ext_button");
    ASSERT_NE(more, nullptr);
    ASSERT_TRUE(more->isVisible());

    // The hidden button's item, once the menu is up, is clicked by the same hand.
    std::jthread second;
    QStringList listed;
    QElapsedTimer clock;
    clock.start();
    std::optional<qint64> shownAt;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu) return;
        if (clock.elapsed() > 8000) {
            menu->close();  // never left open: the menu's loop holds the test
            return;
        }
        if (second.joinable()) return;
        // The hand reaches for the item once the menu is on the screen.
        if (!menu->windowHandle() || !menu->windowHandle()->isExposed()) return;
        if (!shownAt) shownAt = clock.elapsed();
        if (clock.elapsed() - *shownAt < 200) return;
        listed.clear();
        for (QAction* a : menu->actions()) {
            listed << a->text();
            if (a->text() == "Activate Macro")
                second = desktop->ClickAt(menu->mapToGlobal(menu->actionGeometry(a).center()));
        }
    });
    watch.start(20);
    std::jthread first = desktop->ClickAt(more->mapToGlobal(more->rect().center()));
    const auto enabled = [&] {
        TMacroRecord now{};
        return ReadMacroRecordAt(file, 1, now).ok() ? int(now.Enabled) : -1;
    };
    EXPECT_TRUE(QTest::qWaitFor([&] { return enabled() == 0; }, 10000)) << "the macro was not deactivated";
    EXPECT_TRUE(second.joinable()) << "the overflow menu did not open or did not list the button: "
                                   << listed.join(", ").toStdString();
    EXPECT_EQ(activate->toolTip().toStdString(), "Activate Macro");
}

}  // namespace
}  // namespace tessaro::testing
