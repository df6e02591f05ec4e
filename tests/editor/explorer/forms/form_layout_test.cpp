// What the macro forms share: "&Help" with each form's keyword, the default icons on the
// icon buttons, and a height that follows the chosen macro type without stretched labels.
#include <QAction>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>

#include "tests/support/held_press.h"
#include "editor/commands/command_dialog.h"
#include "editor/explorer/forms/hot_key_list_box.h"
#include "editor/explorer/forms/t_add_new_hot_key.h"
#include "editor/explorer/forms/t_capture_keys.h"
#include "editor/explorer/forms/t_copy_or_move.h"
#include "editor/explorer/forms/t_do_build_menu.h"
#include "editor/explorer/forms/t_do_spec_wind.h"
#include "editor/explorer/forms/t_mod_hot_keys.h"
#include "forms_fixture.h"
#include "widgets/program_icons.h"

namespace tessaro {
namespace {

class Unused : public testing::NoCaptureHost, public NewMacroScript {
public:
    bool ScriptNewMacro(QWidget*, bool) override { return false; }
};

class KeptTopics final : public HelpViewer {
public:
    void ShowTopic(QWidget*, const std::string& helpFile, std::string_view keyword) override {
        files.push_back(helpFile);
        keywords.emplace_back(keyword);
    }
    std::vector<std::string> files, keywords;
};

using testing::HeldClick;

QPushButton* HelpOf(QWidget& form) {
    for (QPushButton* b : form.findChildren<QPushButton*>())
        if (b->text() == "&Help" && b->isVisibleTo(&form)) return b;
    return nullptr;
}

QImage Face(const QIcon& icon) { return icon.pixmap(16).toImage().convertToFormat(QImage::Format_ARGB32); }

class FormLayout : public testing::FormsTest {
protected:
    // Shows the form, clicks its "&Help"; the keyword that reached the help viewer.
    std::string HelpKeywordOf(QWidget& form) {
        KeptTopics topics;
        ScopedHelpViewer scope(topics);
        form.show();
        QApplication::processEvents();
        QPushButton* help = HelpOf(form);
        if (!help) return "(no help button)";
        HeldClick(help);
        EXPECT_EQ(topics.files, std::vector<std::string>{HelpFilePath()});
        return topics.keywords.empty() ? std::string() : topics.keywords.back();
    }
    // The client height asked for, or the controls' need when that is more; no label is
    // stretched beyond the height of its own row.
    void ExpectFitted(QWidget& form, int clientHeight, const std::string& what) {
        QApplication::processEvents();
        EXPECT_EQ(form.height(), std::max(clientHeight, form.layout()->minimumSize().height())) << what;
        const int row = std::max(QLineEdit().sizeHint().height(), QPushButton("X").sizeHint().height());
        for (QLabel* l : form.findChildren<QLabel*>()) {
            if (!l->isVisibleTo(&form) || l->text().isEmpty()) continue;
            EXPECT_LE(l->height(), std::max(l->sizeHint().height(), row))
                << what << ": " << l->text().toStdString();
        }
    }
    Unused unused;
};

TEST_F(FormLayout, EveryMacroFormOpensItsOwnHelpTopic) {
    AddMacro(scGlobal, 12);
    TCaptureKeys capture(*context, unused);
    capture.CaptureMacroNumber = 1;
    EXPECT_EQ(HelpKeywordOf(capture), "Capture Macro");
    TModHotKeys modify(*context);
    modify.ActivationKind = 6;
    EXPECT_EQ(HelpKeywordOf(modify), "Modify Hot Key");
    TDoBuildMenu menu(*context);
    EXPECT_EQ(HelpKeywordOf(menu), "Build Macro Menu");
    TCopyOrMove copy(*context);
    EXPECT_EQ(HelpKeywordOf(copy), "Copy Macro");
    TCopyOrMove move(*context);
    move.MoveMode = true;
    EXPECT_EQ(HelpKeywordOf(move), "Move Macro");
    TDoSpecWind title(desktop, *programs, "", true, true);
    EXPECT_EQ(HelpKeywordOf(title), "Set Window Title");
    TDoSpecWind program(desktop, *programs, "", true, false);
    EXPECT_EQ(HelpKeywordOf(program), "Set Program Name");
}

TEST_F(FormLayout, BuildMacroMenuHasAFileMenuWhoseExitClosesWithoutStoring) {
    AddMacro(scGlobal, 12);
    TDoBuildMenu menu(*context);
    menu.show();
    QApplication::processEvents();
    auto* bar = menu.findChild<QMenuBar*>();
    ASSERT_NE(bar, nullptr);
    ASSERT_FALSE(bar->actions().isEmpty());
    QAction* file = bar->actions().first();
    EXPECT_EQ(file->text(), "&File");
    ASSERT_NE(file->menu(), nullptr);
    ASSERT_EQ(file->menu()->actions().size(), 1);
    QAction* exit = file->menu()->actions().first();
    EXPECT_EQ(exit->text(), "E&xit");
    menu.NickName->setText("Changed");
    exit->trigger();
    EXPECT_FALSE(menu.isVisible());
    EXPECT_EQ(menu.result(), QDialog::Rejected);
    EXPECT_FALSE(menu.Updated);
    EXPECT_EQ(core->CurrentMacro.Nickname.view(), "");
}

TEST_F(FormLayout, IconButtonsShowTheProgramsDefaultIcons) {
    AddMacro(scGlobal, 12);
    ASSERT_FALSE(MainIcon().isNull());
    ASSERT_NE(Face(MainIcon()), Face(MenuIcon()));
    TModHotKeys modify(*context);
    modify.ActivationKind = 6;
    modify.show();
    QApplication::processEvents();
    EXPECT_EQ(modify.IconFile, "MAIN");
    EXPECT_EQ(Face(modify.MySpeed->icon()), Face(MainIcon()));
    TDoBuildMenu menu(*context);
    menu.show();
    QApplication::processEvents();
    EXPECT_EQ(Face(menu.MySpeed->icon()), Face(MenuIcon()));
    Screenshot(menu, "TDoBuildMenu-icon");
}

TEST_F(FormLayout, AddMacroTakesTheHeightOfTheChosenType) {
    AddMacro(scGlobal, 12);
    TAddNewHotKey form(*context, unused, unused);
    form.show();
    QApplication::processEvents();
    const char* names[] = {"hotkey", "popup", "timed", "none", "snipra", "title"};
    for (int t : {0, 4, 2, 5, 3, 1}) {
        HeldClick(form.Types[std::size_t(t)]);
        ExpectFitted(form, LayoutOfType(MacroType(t)).clientHeight, names[t]);
        Screenshot(form, std::string("TAddNewHotKey-fitted-") + names[t]);
    }
    HeldClick(form.UseSnipra);
    const int snipra = form.height();
    HeldClick(form.UseHotKey);
    EXPECT_GT(form.height(), snipra) << "the key list gets its room back";
}

TEST_F(FormLayout, CopyOrMoveTakesTheHeightOfTheChosenActivation) {
    AddMacro(scGlobal, 12);
    core->CurrentMacro.Scope = scGlobal;
    TCopyOrMove form(*context);
    form.show();
    QApplication::processEvents();
    const std::pair<QRadioButton*, NewActivation> choices[] = {{form.Snipra, NewActivation::Snipra},
                                                               {form.TimedMacro, NewActivation::Timed},
                                                               {form.WinTitle, NewActivation::Title},
                                                               {form.UseNone, NewActivation::None},
                                                               {form.HotKey, NewActivation::HotKey}};
    for (const auto& [button, choice] : choices) {
        HeldClick(button);
        const std::string name = button->text().remove('&').toStdString();
        ExpectFitted(form, CopyOrMoveClientHeight(choice), name);
        Screenshot(form, "TCopyOrMove-fitted-" + std::to_string(int(choice)));
    }
}

}  // namespace
}  // namespace tessaro
