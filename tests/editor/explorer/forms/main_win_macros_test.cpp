// The main window's macro commands through the real forms: add, modify, copy and change
// activation land in the macro file and tell the player.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <functional>
#include <gtest/gtest.h>

#include "editor/explorer/forms/hot_key_list_box.h"
#include "tests/editor/explorer/forms/main_win_fixture.h"
#include "editor/explorer/forms/t_add_new_hot_key.h"
#include "editor/explorer/forms/t_capture_keys.h"
#include "editor/explorer/forms/t_copy_or_move.h"
#include "editor/explorer/forms/t_mod_hot_keys.h"
#include "editor/explorer/main_win.h"
#include "editor/explorer/tools/small_dialogs.h"
#include "editor/commands/text_dialogs.h"
#include "editor/script/ui/do_scripting.h"
#include "foundation/settings.h"
#include "foundation/sync_record.h"
#include "macro/capture_file.h"
#include "macro/macro_file.h"
#include "platform/message_box.h"
#include "platform/messages.h"
#include "platform/paths.h"
#include "protocol/hotkey_names.h"
#include "protocol/window_messages.h"
#include "tests/support/file_size_limit.h"
#include "tests/support/unpacked.h"

namespace tessaro {
namespace {

namespace fs = std::filesystem;

using testing::WhenModal;

class MainWinMacros : public testing::MainWinFixture {
protected:
    void SetUp() override {
        SetUpSandbox("mwm");
        player = std::make_unique<win::MessageWindow>(
            platform.messages(), [this](std::uint32_t msg, std::uint32_t w, std::int32_t l) {
                if (msg == WM_PEER_UPDATE) notices.emplace_back(w, l);
                return 0;
            });
        window = std::make_unique<TMainWin>(
            platform, config, glob, std::vector<std::string>{"-PWV", "/RH" + std::to_string(player->hwnd())});
    }
    std::vector<TMacroRecord> Records() {
        std::vector<TMacroRecord> out;
        ReadMacroRecords(file, kMaxMacros, out);
        return out;
    }
    bool Notified(std::uint32_t code, std::int32_t arg) {
        QApplication::processEvents();
        return std::find(notices.begin(), notices.end(), std::pair{code, arg}) != notices.end();
    }

    // In network mode the add dialog starts a capture of a new hot-key macro: the lock
    // record from before it, and the macro count before the new macro.
    int StartNetworkCaptureFromAdd(const std::string& lockFile, TSyncRecord& before) {
        config.NetworkMode = true;
        config.AutoSync = false;
        window = std::make_unique<TMainWin>(platform, config, glob,
                                            std::vector<std::string>{"/RH" + std::to_string(player->hwnd())});
        ReadSyncRecord(lockFile, before);
        const int count = glob.MacroCount;
        WhenModal<TAddNewHotKey>([](TAddNewHotKey& add) {
            add.WMHotKeyChosen(12);
            WhenModal<TCaptureKeys>([](TCaptureKeys& d) { d.StartButton->click(); });
            add.CaptureKeyButton->click();
        });
        window->Run(ExplorerAction::AddMacro);
        return count;
    }

    std::unique_ptr<win::MessageWindow> player;
    std::vector<std::pair<std::uint32_t, std::int32_t>> notices;
};

// The file starts with the five system macros the explorer puts into a new file.
TEST_F(MainWinMacros, AddModifyCopyAndMoveLandInTheFile) {
    const std::size_t base = Records().size();
    const int count = glob.MacroCount;
    WhenModal<TAddNewHotKey>([](TAddNewHotKey& add) {
        add.WMHotKeyChosen(5);
        WhenModal<TModHotKeys>([](TModHotKeys& edit) {
            edit.NickName->setText("Hello");
            edit.NewFormat->setPlainText("Hi\tthere");
            edit.UpdateButton->click();
        });
        add.EnterKeyButton->click();
    });
    window->Run(ExplorerAction::AddMacro);
    ASSERT_EQ(Records().size(), base + 1);
    EXPECT_EQ(GetMacroText(Records()[base]), "Hi<TAB>there");
    EXPECT_EQ(Unpacked(Records()[base].ActivationCode), 5);
    EXPECT_EQ(Records()[base].Enabled, 1);
    EXPECT_EQ(Unpacked(glob.MacroCount), count + 1) << "counted once, by the append";
    EXPECT_TRUE(Notified(puMacroChanged, count + 1));

    WhenModal<TModHotKeys>([](TModHotKeys& edit) {
        EXPECT_EQ(edit.NewFormat->toPlainText(), "Hi<TAB>there");
        edit.NewFormat->setPlainText("Changed");
        edit.UpdateButton->click();
    });
    window->Run(ExplorerAction::ModifyDirectly);
    ASSERT_EQ(Records().size(), base + 1);
    EXPECT_EQ(GetMacroText(Records()[base]), "Changed");

    WhenModal<TCopyOrMove>([](TCopyOrMove& copy) {
        EXPECT_EQ(copy.windowTitle(), "Copy Hot Key");
        copy.UseNone->click();
        copy.OkButton->click();
    });
    window->Run(ExplorerAction::CopyMacro);
    ASSERT_EQ(Records().size(), base + 2);
    EXPECT_EQ(Unpacked(Records()[base + 1].ActivationCode), acNone);
    EXPECT_EQ(GetMacroText(Records()[base + 1]), "Changed");
    EXPECT_EQ(Unpacked(glob.MacroCount), count + 2);

    WhenModal<TCopyOrMove>([](TCopyOrMove& move) {
        EXPECT_EQ(move.windowTitle(), "Change Macro Activation");
        move.WMHotKeyChosen(9);
        move.OkButton->click();
    });
    window->Run(ExplorerAction::ChangeActivation);
    const auto records = Records();
    ASSERT_EQ(records.size(), base + 2);
    EXPECT_EQ(Unpacked(glob.MacroCount), count + 2) << "a move counts nothing";
    EXPECT_TRUE(Unpacked(records[base].ActivationCode) == 9 ||
                Unpacked(records[base + 1].ActivationCode) == 9);
}

// "Scripting Editor" in Add Macro opens the script editor on the new macro, which lands in
// the file with the chosen hot key once saved; a cancelled script adds nothing.
TEST_F(MainWinMacros, AddThroughTheScriptingEditor) {
    const std::size_t base = Records().size();
    const int count = glob.MacroCount;
    WhenModal<TAddNewHotKey>([](TAddNewHotKey& add) {
        add.WMHotKeyChosen(7);
        WhenModal<TDoScripting>([](TDoScripting& script) {
            EXPECT_FALSE(script.IsExisting);
            EXPECT_EQ(script.ScriptMode, 1);
            EXPECT_EQ(script.HotKeyLabel->text().toStdString(), HotKeyNames(7));
            EXPECT_TRUE(script.Global->isChecked());
            script.NickName->setText("Scripted");
            script.OptionBox->setCurrentRow(0);  // the typed-text command
            WhenModal<TModText>([](TModText& text) {
                text.NewFormat->setPlainText("typed");
                text.UpdateButton->click();
            });
            script.AddButton->click();
            EXPECT_EQ(script.Lines().Lines.size(), 1u);
            script.OkButton->click();
        });
        add.ScriptButton->click();
    });
    window->Run(ExplorerAction::AddMacro);
    ASSERT_EQ(Records().size(), base + 1);
    const TMacroRecord added = Records()[base];
    EXPECT_EQ(Unpacked(added.ActivationCode), 7);
    EXPECT_EQ(added.Nickname.str(), "Scripted");
    EXPECT_EQ(Unpacked(added.Scope), scGlobal);
    EXPECT_NE(GetMacroText(added).find("typed"), std::string::npos) << GetMacroText(added);
    EXPECT_EQ(Unpacked(glob.MacroCount), count + 1);
    EXPECT_TRUE(Notified(puMacroChanged, count + 1));

    WhenModal<TAddNewHotKey>([](TAddNewHotKey& add) {
        add.WMHotKeyChosen(8);
        WhenModal<TDoScripting>([](TDoScripting& script) { script.CancelButton->click(); });
        add.ScriptButton->click();
    });
    window->Run(ExplorerAction::AddMacro);
    EXPECT_EQ(Records().size(), base + 1);
    EXPECT_EQ(Unpacked(glob.MacroCount), count + 1);
}

// Each type opens the script editor in its own mode, with the abbreviation or the title
// typed in Add Macro; the saved macro carries the type's activation.
TEST_F(MainWinMacros, ScriptingEditorModePerMacroType) {
    struct Case {
        MacroType type;
        const char* name;
        int mode;
        std::uint16_t code;
    };
    const Case cases[] = {{MacroType::None, "", 6, acNone},
                          {MacroType::Timed, "", 2, acScheduled},
                          {MacroType::Snipra, "abbr", 3, acAbbreviation},
                          {MacroType::Title, "Some Title", 7, acWindowTitle}};
    for (const Case& c : cases) {
        const std::size_t base = Records().size();
        int mode = 0;
        QString shown;
        WhenModal<TAddNewHotKey>([&](TAddNewHotKey& add) {
            add.Types[std::size_t(c.type)]->click();
            add.SnipraName->setText(c.name);
            WhenModal<TDoScripting>([&](TDoScripting& script) {
                mode = script.ScriptMode;
                shown = script.SnipraName->text();
                script.OptionBox->setCurrentRow(0);
                WhenModal<TModText>([](TModText& text) {
                    text.NewFormat->setPlainText("x");
                    text.UpdateButton->click();
                });
                script.AddButton->click();
                script.OkButton->click();
            });
            add.ScriptButton->click();
        });
        window->Run(ExplorerAction::AddMacro);
        EXPECT_EQ(mode, c.mode) << int(c.type);
        EXPECT_EQ(shown.toStdString(), c.name) << int(c.type);
        ASSERT_EQ(Records().size(), base + 1)
            << int(c.type) << " " << (texts.empty() ? std::string() : texts.back());
        EXPECT_EQ(Unpacked(Records()[base].ActivationCode), c.code);
    }
}

TEST_F(MainWinMacros, CancelledAddWritesNothing) {
    const std::size_t base = Records().size();
    const int count = glob.MacroCount;
    WhenModal<TAddNewHotKey>([](TAddNewHotKey& add) { add.AbortButton->click(); });
    window->Run(ExplorerAction::AddMacro);
    EXPECT_EQ(Records().size(), base);
    EXPECT_EQ(Unpacked(glob.MacroCount), count);
}

}  // namespace
}  // namespace tessaro

namespace tessaro {
namespace {

// Categories: made, named, given to a macro and removed through the window's commands.
// Opened by "Modify Directly" and updated without an edit, a window-title macro keeps its
// whole title in the file.
TEST_F(MainWinMacros, AnUnchangedModifyKeepsAWindowTitleLongerThanWhatMayBeTyped) {
    const std::string title = "Document Editor Window Nr 12";
    TMacroRecord rec{};
    rec.ActivationCode = acWindowTitle;
    rec.Scope = scGlobal;
    rec.ScopeText = title;
    rec.Enabled = 1;
    rec.Nickname = "AAA title";
    const int n = window->Logic().file().AppendMacroRecord(rec, false);
    window->Logic().FillList();
    window->Logic().SelectRow(window->Logic().ReverseSort(n));
    ASSERT_EQ(window->Logic().SelectedMacro(), n);
    WhenModal<TModHotKeys>([](TModHotKeys& edit) { edit.UpdateButton->click(); });
    window->Run(ExplorerAction::ModifyDirectly);
    EXPECT_EQ(Records()[std::size_t(n - 1)].ScopeText.str(), title);
}

TEST_F(MainWinMacros, CategoriesAreKeptBesideTheFileAndGivenToMacros) {
    const std::string qtc = dir + "/work.QTC";
    WhenModal<TDoCategory>([](TDoCategory& d) {
        d.CatName->setText("Work");
        d.OkButtonClick();
    });
    window->Run(ExplorerAction::NewCategory);
    const auto read = [&] {
        std::ifstream in(qtc, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    };
    EXPECT_EQ(read(), "Work\r\n2\r\n");

    window->Logic().SelectRow(1);
    WhenModal<TChooseCategory>([](TChooseCategory& d) { d.OkButtonClick(); });
    window->Run(ExplorerAction::AddToCategory);
    const int n = window->Logic().SelectedMacro();
    ASSERT_GT(n, 0);
    EXPECT_EQ(Unpacked(Records()[std::size_t(n - 1)].CategoryId), 2);

    texts.clear();
    window->Run(ExplorerAction::RemoveCategory);  // " *All Categories* " is selected
    EXPECT_EQ(texts, std::vector<std::string>{"Cannot remove the \"All Categories\" category."});
}

}  // namespace
}  // namespace tessaro

// Captures started from the main window: the recapture command and the add dialog's
// "Capture Macro" arm the hook library, and the capture messages reaching the window's
// receiver become the macro's text.
namespace tessaro {
namespace {

// What the hook library sends while recording, through the window's own receiver, as
// `platform` carries it.
void TypeInCapture(win::Platform& platform, TMainWin& window, int macro, const std::string& keys) {
    const auto self = static_cast<win::HWND>(window.winId());
    for (unsigned char c : keys)
        platform.messages().SendMessage(self, WM_CAPTURE_CHAR, std::uint32_t(macro), c);
    platform.messages().SendMessage(self, WM_CAPTURE_DONE, std::uint32_t(macro), 0);
}

int AddHotKeyMacro(TMainWin& window, int code, const std::string& nickname, const std::string& text) {
    TMacroRecord rec{};
    rec.ActivationCode = std::uint16_t(code);
    rec.Scope = scGlobal;
    rec.Enabled = 1;
    rec.Nickname = nickname;
    SetMacroText(rec, text);
    const int n = window.Logic().file().AppendMacroRecord(rec, false);
    window.Logic().FillList();
    return n;
}

TEST_F(MainWinMacros, RecaptureStoresTheRecordingInTheMacro) {
    const int n = AddHotKeyMacro(*window, 7, "Old name", "old text");
    ASSERT_GT(n, 0);
    const int count = glob.MacroCount;
    window->Logic().SelectRow(window->Logic().ReverseSort(n));
    ASSERT_EQ(window->Logic().SelectedMacro(), n);

    WhenModal<TCaptureKeys>([&](TCaptureKeys& d) {
        EXPECT_TRUE(d.Recapture);
        EXPECT_EQ(d.CaptureMacroNumber, n);
        EXPECT_EQ(d.HotKeyLabel->text().toStdString(), HotKeyNames(7));
        EXPECT_EQ(d.NickName->text(), "Old name");
        d.DoTime->setChecked(false);  // no speed token: the text is exactly what was typed
        d.NickName->setText("Typed");
        d.ProgList->setCurrentIndex(0);
        d.StartButton->click();
    });
    window->Run(ExplorerAction::Recapture);

    // Armed: the library sends to this window and records for macro n; nothing counted.
    EXPECT_EQ(glob.CaptureOn, 1);
    EXPECT_EQ(glob.CapWndOn, 1);
    EXPECT_EQ(Unpacked(glob.CaptureMacro), n);
    EXPECT_EQ(glob.OwnKeyOn, 1);
    EXPECT_EQ(Unpacked(glob.MacroCount), count);
    EXPECT_TRUE(window->windowState() & Qt::WindowMinimized);
    EXPECT_EQ(Records()[std::size_t(n - 1)].Nickname.str(), "Typed");

    TypeInCapture(platform, *window, n, "hi there");
    const TMacroRecord rec = Records()[std::size_t(n - 1)];
    EXPECT_EQ(GetMacroText(rec), "hi there");
    EXPECT_EQ(rec.Nickname.str(), "Typed");
    EXPECT_EQ(Unpacked(rec.ActivationCode), 7);
    EXPECT_EQ(glob.CaptureOn, 0);
    EXPECT_EQ(glob.CapWndOn, 0);
    EXPECT_FALSE(fs::exists(CaptureFilePath(win::ProgramDirectory())));
    ASSERT_FALSE(texts.empty());
    EXPECT_EQ(texts.back(), "Tessaro 99 capture is complete for " + HotKeyNames(7) + ".");

    // A late character or a second end changes nothing.
    TypeInCapture(platform, *window, n, "more");
    EXPECT_EQ(GetMacroText(Records()[std::size_t(n - 1)]), "hi there");
}

TEST_F(MainWinMacros, CancelledRecaptureArmsNothing) {
    const int n = AddHotKeyMacro(*window, 8, "Keep", "kept text");
    window->Logic().SelectRow(window->Logic().ReverseSort(n));
    const int count = glob.MacroCount;
    WhenModal<TCaptureKeys>([](TCaptureKeys& d) { d.CancelButton->click(); });
    window->Run(ExplorerAction::Recapture);
    EXPECT_EQ(glob.CaptureOn, 0);
    EXPECT_EQ(glob.CapWndOn, 0);
    EXPECT_EQ(Unpacked(glob.MacroCount), count);
    EXPECT_EQ(GetMacroText(Records()[std::size_t(n - 1)]), "kept text");
    TypeInCapture(platform, *window, n, "stray");
    EXPECT_EQ(GetMacroText(Records()[std::size_t(n - 1)]), "kept text");
}

// The capture dialog counts the new macro when it starts; the add command's append counts
// it again unless that early count is taken back.
TEST_F(MainWinMacros, CaptureFromTheAddDialogCountsTheNewMacroOnce) {
    const std::size_t base = Records().size();
    const int count = glob.MacroCount;
    WhenModal<TAddNewHotKey>([](TAddNewHotKey& add) {
        add.WMHotKeyChosen(11);
        WhenModal<TCaptureKeys>([](TCaptureKeys& d) {
            EXPECT_FALSE(d.Recapture);
            d.NickName->setText("Fresh");
            d.DoTime->setChecked(true);
            d.ActualSpeed->setChecked(true);
            d.StartButton->click();
        });
        add.CaptureKeyButton->click();
    });
    window->Run(ExplorerAction::AddMacro);
    ASSERT_EQ(Records().size(), base + 1);
    EXPECT_EQ(Unpacked(glob.MacroCount), count + 1);
    EXPECT_EQ(Unpacked(glob.CaptureMacro), count + 1);
    EXPECT_EQ(glob.CaptureOn, 1);

    TypeInCapture(platform, *window, count + 1, "new keys");
    const TMacroRecord rec = Records()[base];
    EXPECT_EQ(GetMacroText(rec), "<SPEED:00001>new keys") << "the speed token survives the start";
    EXPECT_EQ(rec.Nickname.str(), "Fresh");
    EXPECT_EQ(Unpacked(rec.ActivationCode), 11);
    EXPECT_EQ(Unpacked(glob.MacroCount), count + 1);
}

// A capture started from the add dialog records into the file: the network lock stays
// held until the capture ends, which gives it back once and counts the change once.
TEST_F(MainWinMacros, CaptureFromTheAddDialogGivesTheLockBackOnceAtItsEnd) {
    const std::string lockFile = file.substr(0, file.size() - 3) + "MAS";
    TSyncRecord before{};
    const int count = StartNetworkCaptureFromAdd(lockFile, before);
    ASSERT_EQ(glob.CaptureOn, 1);
    TSyncRecord recording{};
    ReadSyncRecord(lockFile, recording);
    EXPECT_EQ(Unpacked(recording.State), kSyncInUse) << "held while the macro is recorded";
    EXPECT_EQ(Unpacked(recording.ChangeCount), Unpacked(before.ChangeCount));

    TypeInCapture(platform, *window, count + 1, "keys");
    TSyncRecord after{};
    ReadSyncRecord(lockFile, after);
    EXPECT_EQ(Unpacked(after.State), kSyncReleased);
    EXPECT_EQ(Unpacked(after.ChangeCount), Unpacked(before.ChangeCount) + 1) << "one change, counted once";
}

// A recording that cannot be stored (the disk is full) still leaves the macro that the add
// dialog appended in the file: the lock goes back counting that change, so others reload.
TEST_F(MainWinMacros, ACaptureThatCannotBeStoredStillCountsTheMacroItAdded) {
    const std::string lockFile = file.substr(0, file.size() - 3) + "MAS";
    TSyncRecord before{};
    const int count = StartNetworkCaptureFromAdd(lockFile, before);
    ASSERT_EQ(glob.CaptureOn, 1);
    ASSERT_EQ(Records().size(), std::size_t(count + 1));
    const auto self = static_cast<win::HWND>(window->winId());
    for (int i = 0; i < 5001; ++i)
        platform.messages().SendMessage(self, WM_CAPTURE_CHAR, std::uint32_t(count + 1), 'q');
    texts.clear();
    {
        testing::FileSizeLimit full(100);  // the long recording's own file cannot be written
        ASSERT_TRUE(full.set());
        platform.messages().SendMessage(self, WM_CAPTURE_DONE, std::uint32_t(count + 1), 0);
    }
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_NE(texts[0].find("The capture could not be stored"), std::string::npos) << texts[0];
    TSyncRecord after{};
    ReadSyncRecord(lockFile, after);
    EXPECT_EQ(Unpacked(after.State), kSyncReleased);
    EXPECT_EQ(Unpacked(after.ChangeCount), Unpacked(before.ChangeCount) + 1) << "the added macro is a change";
}

// Switching the new activation between a window title (20 characters) and a Snipra name
// (10) keeps the text typed: back on the title, all of it is there and is stored.
TEST_F(MainWinMacros, SwitchingTheCopysActivationKeepsTheTypedTitle) {
    const int source = AddHotKeyMacro(*window, 40, "Source", "text");
    const std::size_t base = Records().size();
    const std::string title = "Untitled - Notepad++";
    ASSERT_EQ(title.size(), 20u);
    WhenModal<TCopyOrMove>([&](TCopyOrMove& copy) {
        copy.WinTitle->click();
        QTest::keyClicks(copy.SnipraEntry, QString::fromStdString(title));
        copy.Snipra->click();
        EXPECT_EQ(copy.SnipraEntry->text().toStdString(), title.substr(0, 10));
        copy.WinTitle->click();
        EXPECT_EQ(copy.SnipraEntry->text().toStdString(), title);
        copy.OkButton->click();
    });
    window->Logic().SelectRow(window->Logic().ReverseSort(source));
    window->Run(ExplorerAction::CopyMacro);
    ASSERT_EQ(Records().size(), base + 1);
    EXPECT_EQ(Unpacked(Records()[base].ActivationCode), acWindowTitle);
    EXPECT_EQ(Records()[base].ScopeText.str(), title);
}

}  // namespace
}  // namespace tessaro
