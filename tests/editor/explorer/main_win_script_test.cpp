// "&Scripting Editor" on a real macro file: the editor opens on the selected macro, a saved
// script goes into the file and to the player, a cancel leaves the file as it was, and
// popup menus go to their own editor.
#include <gtest/gtest.h>

#include <QApplication>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <cstring>
#include <filesystem>
#include <functional>
#include <memory>

#include "editor/explorer/main_win.h"
#include "editor/script/ui/do_scripting.h"
#include "foundation/settings.h"
#include "hook/master_block.h"
#include "macro/macro_file.h"
#include "platform/message_box.h"
#include "platform/messages.h"
#include "protocol/window_messages.h"
#include "tests/support/qt_app.h"

namespace tessaro {
namespace {

namespace fs = std::filesystem;

class ScriptingEditorCommand : public ::testing::Test {
protected:
    void SetUp() override {
        EnsureQtApplication();
        std::string tmpl = (fs::temp_directory_path() / "tessaro-se-XXXXXX").string();
        ASSERT_NE(::mkdtemp(tmpl.data()), nullptr);
        dir_ = tmpl;
        ::setenv("TESSARO_HOME", dir_.c_str(), 1);
        ::setenv("TESSARO_WINDIR", dir_.c_str(), 1);
        ::setenv("TESSARO_NS", ("se" + fs::path(dir_).filename().string().substr(11)).c_str(), 1);
        hook::DetachMaster();
        LoadAllSettings(config_);
        config_.FirstUse = false;
        file_ = dir_ + "/work.qtm";
        ASSERT_TRUE(CreateEmptyMacroFile(file_).ok());
        config_.RecentFiles[0] = file_;
        player_ =
            std::make_unique<win::MessageWindow>([this](std::uint32_t msg, std::uint32_t w, std::int32_t l) {
                if (msg == WM_PEER_UPDATE) notices_.emplace_back(w, l);
                return 0;
            });
    }
    void TearDown() override {
        hook::DetachMaster();
        fs::remove_all(dir_);
    }
    int AddMacro(const char* nickname, int code, int scope, const char* text) {
        TMacroRecord r{};
        r.Nickname = nickname;
        r.ActivationCode = static_cast<std::uint16_t>(code);
        r.Scope = static_cast<std::uint16_t>(scope);
        r.Enabled = 1;
        std::strncpy(r.MacroText, text, kMacroTextCapacity);
        EXPECT_TRUE(WriteMacroRecordAt(file_, -1, r).ok());
        return CountMacroRecords(file_);
    }
    std::unique_ptr<TMainWin> Open(int select) {
        auto w = std::make_unique<TMainWin>(
            config_, glob_, std::vector<std::string>{"-PWV", "/RH" + std::to_string(player_->hwnd())});
        w->show();
        QApplication::processEvents();
        w->Logic().SelectRow(w->Logic().ReverseSort(select));
        return w;
    }
    // Runs `act` on the modal window once it shows.
    static void WhenModal(std::function<void(QWidget*)> act) {
        QTimer::singleShot(0, [act] {
            QWidget* modal = QApplication::activeModalWidget();
            if (modal == nullptr) return WhenModal(act);
            act(modal);
        });
    }
    std::string StoredText(int n) {
        TMacroRecord r{};
        EXPECT_TRUE(ReadMacroRecordAt(file_, n, r).ok());
        return r.MacroText;
    }

    std::string dir_, file_;
    TConfigRecord config_;
    TGlobData glob_{};
    std::unique_ptr<win::MessageWindow> player_;
    std::vector<std::pair<std::uint32_t, std::int32_t>> notices_;
    std::vector<win::MessageBoxCall> boxes_;
    win::ScopedMessageBoxHandler handler_{[this](const win::MessageBoxCall& c) {
        boxes_.push_back(c);
        return win::FirstButton(c.buttons);
    }};
};

TEST_F(ScriptingEditorCommand, SavedScriptIsWrittenAndCancelLeavesTheFile) {
    const int n = AddMacro("greet", 1, 1, "hello");
    auto w = Open(n);
    ASSERT_EQ(w->Logic().SelectedMacro(), n);

    // Cancel: the file keeps its bytes.
    const auto before = fs::file_size(file_);
    std::string shownLine;
    WhenModal([&](QWidget* modal) {
        auto* editor = qobject_cast<TDoScripting*>(modal);
        ASSERT_NE(editor, nullptr);
        EXPECT_EQ(editor->ScriptMode, 1);
        ASSERT_EQ(editor->Lines().Lines.size(), 1u);
        shownLine = editor->Lines().Lines[0].Text;
        editor->CancelButton->click();
    });
    w->Run(ExplorerAction::ScriptingEditor);
    EXPECT_FALSE(shownLine.empty());
    EXPECT_EQ(StoredText(n), "hello");
    EXPECT_EQ(fs::file_size(file_), before);

    // The line copied and saved: the macro types its text twice.
    WhenModal([&](QWidget* modal) {
        auto* editor = qobject_cast<TDoScripting*>(modal);
        ASSERT_NE(editor, nullptr);
        editor->Script->setCurrentRow(0);
        editor->DoCopyClick();
        editor->OkButtonClick();
    });
    w->Run(ExplorerAction::ScriptingEditor);
    EXPECT_EQ(StoredText(n), "hellohello");
    EXPECT_EQ(w->Logic().SelectedMacro(), n);
    for (const auto& b : boxes_) ADD_FAILURE() << b.text;
}

TEST_F(ScriptingEditorCommand, PopupMenusOpenTheirOwnEditor) {
    const int n = AddMacro("menu", 2, 4, "");
    auto w = Open(n);
    std::string opened;
    WhenModal([&](QWidget* modal) {
        opened = modal->metaObject()->className();
        modal->close();
    });
    w->Run(ExplorerAction::ScriptingEditor);
    EXPECT_NE(opened, "tessaro::TDoScripting");
    EXPECT_FALSE(opened.empty());
}

}  // namespace
}  // namespace tessaro
