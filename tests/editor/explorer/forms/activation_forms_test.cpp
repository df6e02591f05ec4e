// The Add Macro, Copy or Move and Build Macro Menu dialogs, on screen.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QTreeWidget>

#include "editor/explorer/forms/form_support.h"
#include "editor/explorer/forms/hot_key_list_box.h"
#include "editor/explorer/forms/t_add_new_hot_key.h"
#include "editor/explorer/forms/t_copy_or_move.h"
#include "editor/explorer/forms/t_do_build_menu.h"
#include "forms_fixture.h"
#include "macro/macro_file.h"
#include "platform/messages.h"
#include "protocol/hotkey_names.h"
#include "protocol/window_messages.h"
#include "tests/support/unpacked.h"

namespace tessaro {
namespace {

constexpr int kWinD = 557;

// These forms never reach the scripting editor: the main window's tests open it.
class NoScript : public NewMacroScript {
public:
    bool ScriptNewMacro(QWidget*, bool) override {
        ADD_FAILURE() << "the scripting editor was opened";
        return false;
    }
};

class ActivationForms : public testing::FormsTest {
protected:
    testing::NoCaptureHost host;
    NoScript script;
};

TEST_F(ActivationForms, AddMacroLayoutsPerType) {
    for (int i = 0; i < 5; ++i) AddMacro(scSystem, std::uint16_t(700 + i), std::to_string(i + 1).c_str());
    TAddNewHotKey form(*context, host, script);
    form.show();
    QApplication::processEvents();
    EXPECT_EQ(form.KeyList->count(), 721);
    const char* names[] = {"hotkey", "popup", "timed", "none", "snipra", "title"};
    for (int t = 0; t < 6; ++t) {
        form.Types[std::size_t(t)]->click();
        const AddLayout l = LayoutOfType(MacroType(t));
        EXPECT_EQ(form.KeyList->isVisibleTo(&form), l.keysShown) << names[t];
        EXPECT_EQ(form.CaptureKeyButton->isEnabled(), l.captureEnabled) << names[t];
        Screenshot(form, std::string("TAddNewHotKey-") + names[t]);
    }
    EXPECT_EQ(form.EnterKeyButton->text().remove('&'), "Enter Directly");
}

TEST_F(ActivationForms, PressedHotKeySelectsItsRowAndCaptionsLoseAccelerators) {
    TAddNewHotKey form(*context, host, script);
    form.show();
    form.HotKeyEntryEnter();
    EXPECT_EQ(glob->SecWndOn, 1);
    EXPECT_EQ(Unpacked(glob->SecWnd), forms::NativeId(form));
    EXPECT_EQ(form.UseHotKey->text(), "Hot Keys");
    ASSERT_TRUE(platform.messages().PostMessage(forms::NativeId(form), WM_HOTKEY_CHOSEN, 650, 0));
    QApplication::processEvents();
    EXPECT_EQ(form.KeyList->SelectedCode(), 650);
    EXPECT_EQ(form.HotKeyEntry->text().toStdString(), HotKeyNames(650));
    form.WMHotKeyChosen(721);  // beyond the list: nothing changes
    EXPECT_EQ(form.KeyList->SelectedCode(), 650);
    form.HotKeyEntryExit();
    EXPECT_EQ(glob->SecWndOn, 0);
    EXPECT_EQ(form.UseHotKey->text(), "&Hot Keys");
}

TEST_F(ActivationForms, ReservedKeyQuestionAndPopupRefusals) {
    for (int i = 0; i < 5; ++i) AddMacro(scSystem, std::uint16_t(700 + i), std::to_string(i + 1).c_str());
    TAddNewHotKey form(*context, host, script);
    form.show();
    form.KeyList->SelectCode(kWinD);
    answers = {win::MbResult::No};
    form.DoModify();
    EXPECT_NE(LastText().find("may be used internally"), std::string::npos);
    EXPECT_TRUE(form.isVisible()) << "No keeps the dialog open";
    form.UsePopup->click();
    form.DoModify();
    EXPECT_EQ(LastText(), kNoUserMacros);
    AddMacro(scGlobal, 40);
    TAddNewHotKey second(*context, host, script);
    second.show();
    second.UsePopup->click();
    second.KeyList->SelectCode(700);  // a system macro's key
    second.DoModify();
    EXPECT_EQ(LastText(), kPopupKeyTaken);
    second.UseHotKey->click();
    second.KeyList->clearSelection();
    second.DoModify();
    EXPECT_EQ(LastText(), kNoHotKeySelected);
}

TEST_F(ActivationForms, EnterDirectlyOpensThePropertiesEditorForTheKey) {
    AddMacro(scGlobal, 20);
    TAddNewHotKey form(*context, host, script);
    form.show();
    form.KeyList->SelectCode(20);
    QTimer::singleShot(0, [] {
        auto* editor = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(editor, nullptr);
        ASSERT_TRUE(editor->inherits("tessaro::TModHotKeys"));
        auto* specific = editor->findChildren<QRadioButton*>().at(1);
        EXPECT_TRUE(specific->isChecked()) << "the key is taken globally: the scope moves to Window";
        editor->findChild<QPlainTextEdit*>()->setPlainText("typed");
        for (auto* b : editor->findChildren<QPushButton*>())
            if (b->text() == "&Update") b->click();
    });
    form.DoModify();
    EXPECT_TRUE(form.ResultUpdated);
    EXPECT_EQ(Unpacked(core->CurrentMacro.ActivationCode), 20);
    EXPECT_EQ(GetMacroText(core->CurrentMacro), "typed");
}

TEST_F(ActivationForms, CopyOrMoveOffersOnlyAHotKeyToAPopupMenu) {
    AddMacro(scPopupMenu, 30);
    core->CurrentMacro.Scope = scPopupMenu;
    TCopyOrMove form(*context);
    form.MoveMode = true;
    form.show();
    EXPECT_EQ(form.windowTitle(), "Change Macro Activation");
    EXPECT_FALSE(form.Snipra->isVisibleTo(&form));
    EXPECT_FALSE(form.UseNone->isEnabled());
    Screenshot(form, "TCopyOrMove-popup");
}

TEST_F(ActivationForms, CopyRefusalNamesCopyAndNoneIsNotCounted) {
    AddMacro(scPopupMenu, 30);
    core->CurrentMacro.Scope = scGlobal;
    core->CurrentMacro.ActivationCode = 5;
    TCopyOrMove form(*context);
    form.HotKeyLabel->setText("COPY Macro TO");
    form.show();
    Screenshot(form, "TCopyOrMove-hotkey");
    form.KeyList->SelectCode(30);
    form.OkButtonClick();
    EXPECT_NE(LastText().find("\"COPY\" did not take place"), std::string::npos);
    EXPECT_FALSE(form.Done);
    EXPECT_EQ(Unpacked(core->CurrentMacro.ActivationCode), 5);
    form.UseNone->click();
    Screenshot(form, "TCopyOrMove-none");
    form.OkButtonClick();
    EXPECT_TRUE(form.Done);
    EXPECT_EQ(Unpacked(core->CurrentMacro.ActivationCode), acNone);
    EXPECT_EQ(Unpacked(glob->MacroCount), 1);
}

TEST_F(ActivationForms, BuildMenuMovesMacrosAndStoresTheList) {
    for (int i = 0; i < 2; ++i) AddMacro(scSystem, std::uint16_t(700 + i), "1");
    for (int i = 0; i < 4; ++i) AddMacro(scGlobal, std::uint16_t(10 + i));
    config->MacroNicknames[3] = "Third";
    TDoBuildMenu form(*context);
    form.HotKeyLabel->setText("Ctrl+Q");
    form.show();
    QApplication::processEvents();
    ASSERT_EQ(form.OptionBox->topLevelItemCount(), 4) << "system macros are not offered";
    EXPECT_EQ(form.OptionBox->topLevelItem(0)->text(1), "Third");
    EXPECT_FALSE(form.AddButton->isEnabled());
    form.AddALine(InsertMode::Append);
    EXPECT_EQ(LastText(), kNoMacroSelected);
    form.OptionBox->setCurrentItem(form.OptionBox->topLevelItem(1));
    EXPECT_TRUE(form.AddButton->isEnabled());
    form.AddButton->click();
    form.OptionBox->setCurrentItem(form.OptionBox->topLevelItem(0));
    form.InsertBefore->click();
    ASSERT_EQ(form.Script->topLevelItemCount(), 2);
    Screenshot(form, "TDoBuildMenu");
    form.NickName->setText("Menu");
    form.SysTray->setChecked(true);
    form.OkButton->click();
    EXPECT_TRUE(form.Updated);
    EXPECT_TRUE(form.TrayChanged);
    const PopupMenu menu = ReadPopupMenu(core->CurrentMacro, glob->MacroCount);
    EXPECT_EQ(menu.items, (std::vector<std::uint16_t>{3, 4}));
    EXPECT_TRUE(menu.inTray);
    EXPECT_EQ(Unpacked(core->CurrentMacro.Scope), scPopupMenu);
    EXPECT_EQ(Unpacked(glob->MacroCount), 6) << "the caller's append counts the new macro";
}

TEST_F(ActivationForms, BuildMenuQuickInfoDescribesATimedMacrosSchedule) {
    TMacroRecord timed{};
    timed.Nickname = "Backup";
    timed.ActivationCode = acScheduled;
    timed.Scope = scGlobal;
    timed.ScheduleType = 7;
    timed.IntervalMinutes = 20;
    ASSERT_TRUE(CreateEmptyMacroFile(context->macroFile).ok());
    ASSERT_TRUE(WriteMacroRecordAt(context->macroFile, -1, timed).ok());
    AddMacro(scGlobal, acScheduled);
    TDoBuildMenu form(*context);
    const std::string info = form.QuickInfo(1);
    EXPECT_NE(info.find("Schdedule: after 20 minutes of idle time\r\n"), std::string::npos) << info;
}

}  // namespace
}  // namespace tessaro
