#pragma once
// One private X server for the wizard's end-to-end tests: the real player on it, the
// explorer and its quick wizard in this process (offscreen), and target windows that
// record what the player's macros type into them.
#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "editor/explorer/main_win.h"
#include "editor/wizard/t_quick_wiz.h"
#include "foundation/settings.h"
#include "hook/master_block.h"
#include "macro/macro_file.h"
#include "platform/message_box.h"
#include "platform/window_control.h"
#include "tests/e2e/player_process.h"
#include "tests/support/modal_window.h"
#include "tests/support/qt_app.h"

// Xlib's macros (Bool, Status) would break Qt headers included after them.
#include "tests/support/key_target.h"
#include "tests/support/window_manager.h"
#include "tests/support/x_windows.h"
#include "tests/support/xvfb.h"

namespace tessaro::testing {

using namespace std::chrono_literals;

class WizardDesk : public ::testing::Test {
protected:
    // One server and window manager for the suite: starting them is most of a test's time.
    // They stop at exit, after the display connection this process keeps is closed: a server
    // gone first would make that close end the program with an I/O error.
    static void SetUpTestSuite() {
        if (xvfb_) return;
        xvfb_ = new Xvfb("800x600x24");
        std::atexit([] {
            delete wm_;
            delete xvfb_;
        });
        if (xvfb_->name().empty()) return;
        wm_ = new WindowManager(xvfb_->name());
        Display* d = xvfb_->Open();
        WindowManager::Managing(d, 10s);
        XCloseDisplay(d);
    }

    void SetUp() override {
        if (xvfb_->name().empty()) GTEST_SKIP() << "no Xvfb";
        box_ = std::make_unique<PlayerSandbox>(xvfb_->name());
        ::setenv("QT_QPA_PLATFORM", QtPlatform(), 1);
        EnsureQtApplication();
        keyboard_ = xvfb_->Open();
        ASSERT_NE(keyboard_, nullptr);
        hook::DetachMaster();
        file_ = box_->file("WIZARD.QTM");
        ASSERT_TRUE(CreateEmptyMacroFile(file_).ok());
        LoadAllSettings(config_, box_->platform().windowControl().Screen());
        config_.FirstUse = false;
        config_.RecentFiles[0] = file_;
        SaveAllSettings(config_);
    }

    // Where the editor's windows go: kept in this process, or on the server beside the
    // player's, where the window manager frames them and other programs can post to them.
    virtual const char* QtPlatform() const { return "offscreen"; }

    // The player on the file and the explorer beside it; a test seeds the file first.
    void Start() {
        ::setenv("QT_QPA_PLATFORM", "xcb", 1);  // the player itself runs on the server
        player_ = std::make_unique<PlayerProcess>(*box_, std::vector<std::string>{"/F" + file_, "/EN"},
                                                  "player.log");
        ASSERT_TRUE(player_->started());
        playerWindow_ = WaitForPlayerWindow();
        ASSERT_NE(playerWindow_, 0u) << player_->Log();
        editor_ = std::make_unique<TMainWin>(
            box_->platform(), config_, glob_,
            std::vector<std::string>{"-PWV", "/RH" + std::to_string(playerWindow_)});
        editor_->show();
        QApplication::processEvents();
        before_ = CountMacroRecords(file_);  // a new file gets the editor's starter macros
    }

    // The message boxes shown so far, for a failure's message.
    std::string Boxes() const {
        std::string text;
        for (const win::MessageBoxCall& call : boxes_) text += "\n[" + call.caption + "] " + call.text;
        return text;
    }

    // The macro the wizard appended, if it did.
    std::optional<TMacroRecord> Appended() {
        TMacroRecord rec{};
        if (CountMacroRecords(file_) != before_ + 1 || !ReadMacroRecordAt(file_, before_ + 1, rec).ok())
            return std::nullopt;
        return rec;
    }

    void AddMacro(const std::string& nickname, const std::string& text) {
        TMacroRecord rec{};
        rec.Nickname = nickname;
        rec.Scope = scGlobal;
        rec.ActivationCode = acNone;
        rec.Enabled = 1;
        SetMacroText(rec, text);
        ASSERT_TRUE(WriteMacroRecordAt(file_, -1, rec).ok());
    }

    void TearDown() override {
        editor_.reset();
        if (player_) {
            EXPECT_EQ(player_->Stop(SIGTERM), 0) << player_->Log();
        }
        hook::DetachMaster();
        if (keyboard_) XCloseDisplay(keyboard_);
    }

    // Opens the wizard on `function` through the explorer, lets `drive` answer its pages
    // once it is up, and returns once the explorer has stored the macro.
    void RunWizard(int function, std::function<void(TQuickWiz&)> drive) {
        bool driven = false;
        WhenModal<TQuickWiz>([&](TQuickWiz& wiz) {
            driven = true;
            drive(wiz);
            // A wizard left open by a failed step must not hold the test.
            if (wiz.isVisible()) {
                ADD_FAILURE() << "the wizard stayed open on page " << wiz.CurrentPage() << Boxes();
                wiz.reject();
            }
        });
        editor_->DoQuickWiz(function);
        EXPECT_TRUE(driven);
    }

    // With `target` in front, Ctrl+Alt+K once the player holds it (it has read the macro).
    bool PressHotKeyIn(KeyTarget& target) {
        if (!target.ok() || !target.Focus()) return false;
        if (!WaitFor([&] { return HotKeyGrabbed(keyboard_, XK_k, ControlMask | Mod1Mask); }, 10s))
            return false;
        PressWithModifiers(keyboard_, XK_k, {XK_Control_L, XK_Alt_L});
        return true;
    }

    static Xvfb* xvfb_;
    static WindowManager* wm_;
    std::unique_ptr<PlayerSandbox> box_;
    Display* keyboard_ = nullptr;
    std::string file_;
    TConfigRecord config_;
    TGlobData glob_{};
    std::unique_ptr<PlayerProcess> player_;
    std::uint64_t playerWindow_ = 0;
    std::unique_ptr<TMainWin> editor_;
    int before_ = 0;
    std::vector<win::MessageBoxCall> boxes_;
    win::ScopedMessageBoxHandler boxHandler_{[this](const win::MessageBoxCall& call) {
        boxes_.push_back(call);
        return win::FirstButton(call.buttons);
    }};
};

inline Xvfb* WizardDesk::xvfb_ = nullptr;
inline WindowManager* WizardDesk::wm_ = nullptr;

// The first window whose name is `title`.
inline Window FindTitled(Display* d, const std::string& title) {
    return FindWindowNamed(d, [&](const std::string& name) { return name == title; });
}

// The text the clipboard's owner gives, or empty.
inline std::string ClipboardText(Display* d) {
    const Window w = XCreateSimpleWindow(d, DefaultRootWindow(d), 0, 0, 1, 1, 0, 0, 0);
    const Atom property = XInternAtom(d, "TESS_CLIP", False);
    XConvertSelection(d, XInternAtom(d, "CLIPBOARD", False), XInternAtom(d, "UTF8_STRING", False), property,
                      w, CurrentTime);
    XFlush(d);
    std::string text;
    WaitFor(
        [&] {
            XEvent e;
            if (!XCheckTypedWindowEvent(d, w, SelectionNotify, &e)) return false;
            Atom type = 0;
            int format = 0;
            unsigned long count = 0, after = 0;
            unsigned char* data = nullptr;
            if (e.xselection.property != None &&
                XGetWindowProperty(d, w, property, 0, 65536, False, AnyPropertyType, &type, &format, &count,
                                   &after, &data) == Success &&
                data) {
                text.assign(reinterpret_cast<char*>(data), count);
                XFree(data);
            }
            return true;
        },
        5s);
    XDestroyWindow(d, w);
    return text;
}

// Answering the wizard's pages by the controls' names.
template <class W>
W* Named(TQuickWiz& wiz, const char* name) {
    W* w = wiz.findChild<W*>(QString::fromLatin1(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
}

inline void Check(TQuickWiz& wiz, const char* name) {
    if (auto* b = Named<QAbstractButton>(wiz, name)) b->setChecked(true);
}

inline void Type(TQuickWiz& wiz, const char* name, const QString& text) {
    if (auto* e = wiz.findChild<QLineEdit*>(QString::fromLatin1(name))) return e->setText(text);
    if (auto* m = Named<QPlainTextEdit>(wiz, name)) m->setPlainText(text);
}

inline void Row(TQuickWiz& wiz, const char* name, int row) {
    if (auto* list = Named<QListWidget>(wiz, name)) list->setCurrentRow(row);
}

inline void RowNamed(TQuickWiz& wiz, const char* name, const QString& text) {
    auto* list = Named<QListWidget>(wiz, name);
    if (!list) return;
    const auto found = list->findItems(text, Qt::MatchExactly);
    ASSERT_FALSE(found.isEmpty()) << text.toStdString();
    list->setCurrentItem(found.front());
}

// Next until the wizard is on `page`; false when a page refused or the sequence ended.
inline bool NextTo(TQuickWiz& wiz, int page) {
    for (int i = 0; i < 20 && wiz.CurrentPage() != page; ++i) {
        const int before = wiz.CurrentIndex();
        wiz.NextButtonClick();
        if (wiz.CurrentIndex() == before) return false;
    }
    EXPECT_EQ(wiz.CurrentPage(), page);
    return wiz.CurrentPage() == page;
}

}  // namespace tessaro::testing
