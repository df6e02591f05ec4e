// The editor's hot-key fields with the real player routing the keys: the key pressed in a
// field stays the choice when a button or another field is clicked.
#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "editor/explorer/explorer_actions.h"
#include "editor/explorer/main_win.h"
#include "editor/explorer/tools/system_keys_dialog.h"
#include "editor/wizard/t_quick_wiz.h"
#include "foundation/settings.h"
#include "hook/master_block.h"
#include "hook/qtmhook.h"
#include "macro/macro_file.h"
#include "platform/message_box.h"
#include "platform/window_control.h"
#include "protocol/hotkey_codes.h"
#include "protocol/hotkey_names.h"
#include "tests/support/qt_app.h"
// Xlib's macros last.
#include "tests/e2e/editor_session.h"
#include "tests/e2e/player_process.h"
#include "tests/e2e/held_input.h"
#include "tests/e2e/hooked_player.h"
#include "tests/support/xvfb.h"
#include "tests/support/unpacked.h"

namespace tessaro::testing {
namespace {

using namespace std::chrono_literals;

// A click is reported by the player's hook, if at all, as a message of its own; nothing the
// player sends after it reaches the fields without changing them, so a report that should
// not come is given this long.
constexpr int kLateReportMs = 300;

TEST(HotKeyFieldsOnADesktop, ClicksOnButtonsAndOtherFieldsAreNotTakenForTheChosenKey) {
    // Stopped at exit: this program's Qt stays connected to it until then.
    static Xvfb xvfb("800x600x24");
    if (xvfb.name().empty()) GTEST_SKIP() << "no Xvfb";
    PlayerSandbox box(xvfb.name());
    Display* d = xvfb.Open();
    ASSERT_NE(d, nullptr);
    hook::DetachMaster();
    const std::string file = box.file("WIZARD.QTM");
    ASSERT_TRUE(CreateEmptyMacroFile(file).ok());
    TConfigRecord config;
    LoadAllSettings(config, box.platform().windowControl().Screen());
    config.FirstUse = false;
    config.RecentFiles[0] = file;
    SaveAllSettings(config);
    PlayerProcess player(box, {"/F" + file, "/EN"}, "player.log");
    const std::uint64_t playerWindow = WaitForHookedPlayer(player);
    ASSERT_NE(playerWindow, 0u) << player.Log();

    EnsureQtApplication();  // on the private server: the sandbox chose xcb
    std::vector<win::MessageBoxCall> boxes;
    win::ScopedMessageBoxHandler answer([&](const win::MessageBoxCall& call) {
        boxes.push_back(call);
        return win::FirstButton(call.buttons);
    });
    TGlobData glob{};
    auto editor = std::make_unique<TMainWin>(
        box.platform(), config, glob, std::vector<std::string>{"-PWV", "/RH" + std::to_string(playerWindow)});
    editor->show();

    const int chosen = hook::HotKeyCodeForKey('K', hook::kModCtrl | hook::kModAlt);
    ASSERT_GE(chosen, 0);
    bool driven = false;
    std::function<void()> whenUp = [&] {
        auto* wiz = qobject_cast<TQuickWiz*>(QApplication::activeModalWidget());
        if (wiz == nullptr) return QTimer::singleShot(10, whenUp);
        driven = true;
        const auto finish = qScopeGuard([&] { wiz->reject(); });
        wiz->findChild<QPlainTextEdit*>("P14MyMemo")->setPlainText("Kind regards");
        for (int i = 0; i < 5 && wiz->CurrentPage() != 3; ++i) wiz->NextButtonClick();
        ASSERT_EQ(wiz->CurrentPage(), 3);
        wiz->activateWindow();
        ASSERT_TRUE(QTest::qWaitFor([&] { return wiz->isActiveWindow(); }, 5000));
        auto* entry = wiz->findChild<QLineEdit*>("P3HotKeyEntry");
        auto* list = wiz->findChild<QListWidget*>("P3KeyList");
        ASSERT_TRUE(entry && list);
        entry->setFocus();
        const auto id = static_cast<std::uint32_t>(wiz->winId());
        ASSERT_TRUE(QTest::qWaitFor(
            [&] { return SharedGlob().SecWndOn == 1 && Unpacked(SharedGlob().SecWnd) == id; }, 5000));

        PressHeld(d, XK_k, {XK_Control_L, XK_Alt_L});
        ASSERT_TRUE(QTest::qWaitFor(
            [&] { return entry->text() == QString::fromStdString(HotKeyNames(chosen)); }, 5000))
            << entry->text().toStdString() << player.Log();

        ClickHeld(d, wiz->NextButton->mapToGlobal(wiz->NextButton->rect().center()));
        ASSERT_TRUE(QTest::qWaitFor([&] { return wiz->CurrentPage() != 3; }, 5000)) << player.Log();
        QTest::qWait(kLateReportMs);
        EXPECT_EQ(list->currentRow(), chosen) << HotKeyNames(list->currentRow());
        EXPECT_EQ(entry->text().toStdString(), HotKeyNames(chosen));
        EXPECT_EQ(SharedGlob().SecWndOn, 0) << "the keys went back to the player";
    };
    QTimer::singleShot(0, whenUp);
    editor->DoQuickWiz(1);
    EXPECT_TRUE(driven);

    // "System Hot Keys": a click from one field into another stores the click in neither.
    int capture = 0, activate = 0;
    for (int m = 1; m <= glob.MacroCount; ++m) {
        if (glob.Scope[m] != scSystem) continue;
        if (glob.ScopeText[m].view() == "2") capture = m;
        if (glob.ScopeText[m].view() == "1") activate = m;
    }
    ASSERT_TRUE(capture && activate);
    const int activateKey = glob.ActivationCode[activate];
    const int picked = hook::HotKeyCodeForKey('J', hook::kModCtrl | hook::kModAlt);
    editor->Logic().SelectRow(editor->Logic().ReverseSort(capture));
    bool keysDriven = false;
    std::function<void()> keysUp = [&] {
        auto* keys = qobject_cast<TSystemKeys*>(QApplication::activeModalWidget());
        if (keys == nullptr) return QTimer::singleShot(10, keysUp);
        keysDriven = true;
        const auto close = qScopeGuard([&] {
            if (keys->isVisible()) keys->reject();
        });
        keys->activateWindow();
        ASSERT_TRUE(QTest::qWaitFor([&] { return keys->isActiveWindow(); }, 5000));
        QLineEdit* startCapture = keys->Fields[2];
        QLineEdit* activateEditor = keys->Fields[1];
        const auto id = static_cast<std::uint32_t>(keys->winId());
        ASSERT_TRUE(QTest::qWaitFor(
            [&] { return SharedGlob().SecWndOn == 1 && Unpacked(SharedGlob().SecWnd) == id; }, 5000));
        PressHeld(d, XK_j, {XK_Control_L, XK_Alt_L});
        ASSERT_TRUE(QTest::qWaitFor(
            [&] { return startCapture->text() == QString::fromStdString(HotKeyNames(picked)); }, 5000))
            << startCapture->text().toStdString() << player.Log();

        ClickHeld(d, activateEditor->mapToGlobal(activateEditor->rect().center()));
        ASSERT_TRUE(QTest::qWaitFor([&] { return keys->FocusedSlot() == 1; }, 5000));
        QTest::qWait(kLateReportMs);
        EXPECT_EQ(activateEditor->text().toStdString(), HotKeyNames(activateKey));
        EXPECT_EQ(startCapture->text().toStdString(), HotKeyNames(picked));

        auto* ok = keys->findChild<QPushButton*>("OkButton");
        ClickHeld(d, ok->mapToGlobal(ok->rect().center()));
        EXPECT_TRUE(QTest::qWaitFor([&] { return !keys->isVisible(); }, 5000));
    };
    QTimer::singleShot(0, keysUp);
    editor->Run(ExplorerAction::ChangeActivation);
    EXPECT_TRUE(keysDriven);
    TMacroRecord stored{};
    ASSERT_TRUE(ReadMacroRecordAt(file, capture, stored).ok());
    EXPECT_EQ(Unpacked(stored.ActivationCode), picked) << HotKeyNames(stored.ActivationCode);
    ASSERT_TRUE(ReadMacroRecordAt(file, activate, stored).ok());
    EXPECT_EQ(Unpacked(stored.ActivationCode), activateKey) << HotKeyNames(stored.ActivationCode);
    EXPECT_TRUE(boxes.empty()) << boxes.front().text;
    editor.reset();
    EXPECT_EQ(player.Stop(SIGTERM), 0) << player.Log();
    hook::DetachMaster();
    XCloseDisplay(d);
}

}  // namespace
}  // namespace tessaro::testing
