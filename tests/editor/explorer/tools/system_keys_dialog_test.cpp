#include "editor/explorer/tools/system_keys_dialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFocusEvent>
#include <QLineEdit>
#include <QRadioButton>
#include <utility>
#include <vector>

#include "editor/explorer/forms/form_support.h"
#include "editor/model/explorer/explorer.h"
#include "foundation/settings.h"
#include "macro/macro_file.h"
#include "platform/message_box.h"
#include "platform/messages.h"
#include "protocol/hotkey_names.h"
#include "protocol/window_messages.h"
#include "tests/support/qt_app.h"
#include "tests/support/sim_platform_test.h"
#include "tests/support/temp_dir.h"
#include "tests/support/unpacked.h"

namespace tessaro {
namespace {

using Notices = std::vector<std::pair<std::uint32_t, std::int32_t>>;

struct QuietPeer : MacroFilePeer {
    Notices notices;
    void PushGroup(const TGlobData&, int, int) override {}
    void Notify(std::uint32_t code, std::int32_t arg) override { notices.emplace_back(code, arg); }
};

// A macro file with the five system macros (keys 261..265 by slot), a global macro on 7
// and a window macro on 8.
struct SystemKeysDialogTest : testing::SimPlatformTest {
    testing::TempDir dir;
    TConfigRecord config{};
    TGlobData glob{};
    QuietPeer peer;
    LoadedMacroFile file{{config, glob, peer, dir.path(), {kEditorSystemMacros, false}, {}}};
    Notices sent;
    std::vector<std::string> boxes;
    win::ScopedMessageBoxHandler handler{[this](const win::MessageBoxCall& call) {
        boxes.push_back(call.caption + ": " + call.text);
        return win::MbResult::Ok;
    }};

    SystemKeysDialogTest() {
        EnsureQtApplication();
        config.RecentFiles[0] = dir.file("keys.qtm");
        config.SystemMenu = 2;
        EXPECT_TRUE(file.LoadMacroFile(dir.file("keys.qtm"), false));
        Add(7, scGlobal, "");
        Add(8, scWindow, "gedit");
        peer.notices.clear();
    }
    void Add(std::uint16_t code, std::uint16_t scope, const char* scopeText) {
        TMacroRecord rec{};
        rec.ActivationCode = code;
        rec.Scope = scope;
        rec.ScopeText = scopeText;
        rec.IconName = "MAIN";
        ++glob.MacroCount;
        ASSERT_NE(file.AppendMacroRecord(rec, false), 0);
    }
    PeerNotify Recorder() {
        return [this](std::uint32_t code, std::int32_t arg) { sent.emplace_back(code, arg); };
    }
    int MacroOfScopeText(char id) {
        for (int n = 1; n <= glob.MacroCount; ++n)
            if (glob.Scope[n] == scSystem && glob.ScopeText[n].view() == std::string(1, id)) return n;
        return 0;
    }
    void Press(TSystemKeys& dialog, int code) {
        ASSERT_TRUE(platform.messages().PostMessage(forms::NativeId(dialog), WM_HOTKEY_CHOSEN,
                                                    std::uint32_t(code), 0));
        QApplication::processEvents();
    }
    std::string Taken(int code) {
        return "Error: The hot key \"" + HotKeyNames(code) +
               "\" is already in use by a macro.  If you wish to use this hot key combination, you will "
               "first need to either remove or move the macro which is assigned to it.";
    }
};

TEST_F(SystemKeysDialogTest, ShowsTheKeysAndRoutesPressedKeysToTheFocusedField) {
    TSystemKeys dialog(nullptr, platform.messages(), glob, file, config, Recorder(), 3);
    dialog.show();
    QApplication::processEvents();
    EXPECT_EQ(dialog.Fields[0]->text().toStdString(), HotKeyNames(261));  // "5" Terminate
    EXPECT_EQ(dialog.Fields[1]->text().toStdString(), HotKeyNames(262));  // "1" Activate Editor
    EXPECT_EQ(dialog.Fields[4]->text().toStdString(), HotKeyNames(265));
    EXPECT_TRUE(dialog.MenuShows[1]->isChecked());
    EXPECT_EQ(dialog.FocusedSlot(), 3);
    EXPECT_EQ(glob.SecWndOn, 1);
    EXPECT_EQ(Unpacked(glob.SecWnd), forms::NativeId(dialog));
    ASSERT_FALSE(sent.empty());
    EXPECT_EQ(sent.front(), (std::pair<std::uint32_t, std::int32_t>{puPullGroup, ggWindow2}));

    Press(dialog, 50);
    EXPECT_EQ(dialog.Fields[3]->text().toStdString(), HotKeyNames(50));
    EXPECT_TRUE(boxes.empty());

    dialog.reject();
    EXPECT_EQ(glob.SecWndOn, 0) << "closing hands the pressed keys back";
}

TEST_F(SystemKeysDialogTest, AKeyReportedAfterTheFieldLostTheFocusChangesNothing) {
    TSystemKeys dialog(nullptr, platform.messages(), glob, file, config, Recorder(), 2);
    dialog.show();
    QApplication::processEvents();
    Press(dialog, 40);
    ASSERT_EQ(dialog.Fields[2]->text().toStdString(), HotKeyNames(40));
    // The click that moves the focus away is itself reported, but only afterwards.
    QFocusEvent out(QEvent::FocusOut, Qt::MouseFocusReason);
    QApplication::sendEvent(dialog.Fields[2], &out);
    EXPECT_EQ(glob.SecWndOn, 0);
    EXPECT_EQ(dialog.FocusedSlot(), -1);
    Press(dialog, 699);  // the left mouse button
    for (QLineEdit* field : dialog.Fields) EXPECT_NE(field->text().toStdString(), HotKeyNames(699));
    EXPECT_EQ(dialog.Fields[2]->text().toStdString(), HotKeyNames(40));
    dialog.OkButtonClick();
    TMacroRecord rec{};
    ASSERT_TRUE(file.ReadMacroRecord(MacroOfScopeText('2'), rec));
    EXPECT_EQ(+rec.ActivationCode, 40);
}

TEST_F(SystemKeysDialogTest, KeysOfGlobalAndSystemMacrosAreRefusedWindowKeysAccepted) {
    TSystemKeys dialog(nullptr, platform.messages(), glob, file, config, Recorder(), 5);
    dialog.show();
    QApplication::processEvents();
    Press(dialog, 7);    // a global macro's
    Press(dialog, 261);  // the focused command's own key
    Press(dialog, 263);  // another command's
    EXPECT_EQ(boxes, (std::vector<std::string>{Taken(7), Taken(261), Taken(263)}));
    EXPECT_EQ(dialog.Fields[0]->text().toStdString(), HotKeyNames(261));
    Press(dialog, 8);  // only a window macro uses it
    EXPECT_EQ(dialog.Fields[0]->text().toStdString(), HotKeyNames(8));
    Press(dialog, 721);  // no hot key
    EXPECT_EQ(dialog.Fields[0]->text().toStdString(), HotKeyNames(8));
}

TEST_F(SystemKeysDialogTest, OkRewritesChangedMacrosSavesTheMenuChoiceAndTellsThePlayer) {
    TSystemKeys dialog(nullptr, platform.messages(), glob, file, config, Recorder(), 1);
    dialog.show();
    QApplication::processEvents();
    Press(dialog, 40);
    dialog.MenuShows[2]->setChecked(true);
    sent.clear();
    dialog.OkButtonClick();
    EXPECT_TRUE(dialog.Changed);
    EXPECT_FALSE(dialog.isVisible());
    const int n = MacroOfScopeText('1');
    ASSERT_NE(n, 0);
    TMacroRecord rec{};
    ASSERT_TRUE(file.ReadMacroRecord(n, rec));
    EXPECT_EQ(+rec.ActivationCode, 40);
    EXPECT_EQ(+glob.ActivationCode[n], 40);
    EXPECT_EQ(peer.notices, (Notices{{puMacroChanged, n}}));
    EXPECT_EQ(sent.front(), (std::pair<std::uint32_t, std::int32_t>{puSettingsMisc, 0}));
    TConfigRecord reread{};
    LoadMiscSettings(reread);
    EXPECT_EQ(reread.SystemMenu, 3);
}

TEST_F(SystemKeysDialogTest, UnchangedKeysSaveNoMacroButStillSaveTheMenuChoice) {
    TSystemKeys dialog(nullptr, platform.messages(), glob, file, config, Recorder(), 2);
    dialog.show();
    QApplication::processEvents();
    sent.clear();
    dialog.OkButtonClick();
    EXPECT_FALSE(dialog.Changed);
    EXPECT_TRUE(peer.notices.empty());
    EXPECT_EQ(sent.front(), (std::pair<std::uint32_t, std::int32_t>{puSettingsMisc, 0}));
    TConfigRecord reread{};
    LoadMiscSettings(reread);
    EXPECT_EQ(reread.SystemMenu, 2);
}

TEST_F(SystemKeysDialogTest, TwoCommandsOnOneKeyAreRefusedAndNothingIsWritten) {
    // A file whose two system macros already share a key (edited elsewhere).
    const int a = MacroOfScopeText('2');
    const int b = MacroOfScopeText('3');
    TMacroRecord rec{};
    ASSERT_TRUE(file.ReadMacroRecord(b, rec));
    rec.ActivationCode = glob.ActivationCode[a];
    ASSERT_TRUE(file.SaveMacroRecord(b, rec, false));
    peer.notices.clear();
    TSystemKeys dialog(nullptr, platform.messages(), glob, file, config, Recorder(), 1);
    dialog.show();
    QApplication::processEvents();
    sent.clear();
    dialog.OkButtonClick();
    EXPECT_EQ(boxes, std::vector<std::string>{
                         "Error: The same hot key has been assigned to more than one system command."});
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_FALSE(dialog.Changed);
    EXPECT_TRUE(peer.notices.empty());
    EXPECT_TRUE(sent.empty());
    dialog.reject();
}

}  // namespace
}  // namespace tessaro
