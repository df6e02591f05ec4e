#pragma once
// The main window offscreen with its surroundings: a private program and settings folder,
// settings loaded from it, an empty macro file as the first recent file, and message boxes
// answered with their first button while their texts are kept.
#include <QApplication>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

#include "editor/explorer/main_win.h"
#include "foundation/settings.h"
#include "macro/macro_file.h"
#include "platform/message_box.h"
#include "platform/messages.h"
#include "protocol/window_messages.h"
#include "tests/support/modal_window.h"
#include "tests/support/qt_app.h"
#include "tests/support/sim_platform_test.h"
#include "tests/support/temp_dir.h"

namespace tessaro::testing {

// The folder of a main window's test, made (with its environment) by a TempDir: settings
// loaded from it into `config` and an empty macro file, `file`, as the first recent file.
inline bool PrepareMainWinFolder(const std::string& dir, TConfigRecord& config, std::string& file) {
    if (dir.empty()) return false;
    LoadAllSettings(config, win::kDefaultScreenSize);
    config.FirstUse = false;
    file = dir + "/work.qtm";
    if (!CreateEmptyMacroFile(file).ok()) return false;
    config.RecentFiles[0] = file;
    return true;
}

// PrepareMainWinFolder in a new TempDir named by `tag`; null when either failed. With
// `ownDataDirs` the desktop's data folders are private to it too.
inline std::unique_ptr<TempDir> MainWinFolder(const std::string& tag, TConfigRecord& config,
                                              std::string& file, bool ownDataDirs = false) {
    EnsureQtApplication();
    auto dir = std::make_unique<TempDir>(tag);
    if (ownDataDirs && !dir->path().empty()) {
        ::setenv("XDG_DATA_HOME", (dir->path() + "/xdg").c_str(), 1);
        ::setenv("XDG_DATA_DIRS", (dir->path() + "/xdg-sys").c_str(), 1);
    }
    if (!PrepareMainWinFolder(dir->path(), config, file)) return nullptr;
    return dir;
}

// The player's window as the editor sees it: keeps every notice (WM_PEER_UPDATE) sent to it.
using PlayerNotices = std::vector<std::pair<std::uint32_t, std::int32_t>>;
inline std::unique_ptr<win::MessageWindow> PlayerNoticeWindow(win::Messages& messages,
                                                              PlayerNotices& notices) {
    return std::make_unique<win::MessageWindow>(
        messages, [&notices](std::uint32_t msg, std::uint32_t w, std::int32_t l) {
            if (msg == WM_PEER_UPDATE) notices.emplace_back(w, l);
            return 0;
        });
}

// Appends an enabled global macro on hot key `code`; its number.
inline int AppendHotKeyMacro(const std::string& file, const char* nickname, int code) {
    TMacroRecord r{};
    r.Nickname = nickname;
    r.ActivationCode = static_cast<std::uint16_t>(code);
    r.Scope = scGlobal;
    r.Enabled = 1;
    EXPECT_TRUE(WriteMacroRecordAt(file, -1, r).ok());
    return CountMacroRecords(file);
}

// The main window's own tests: its folder (MainWinFolder) and the player's window that
// keeps the notices the editor sends it.
class MainWinWithPlayer : public SimPlatformTest {
protected:
    void SetUpFolder(const std::string& tag) {
        sandbox_ = MainWinFolder(tag, config_, file_);
        ASSERT_NE(sandbox_, nullptr);
        dir_ = sandbox_->path();
        player_ = PlayerNoticeWindow(platform.messages(), notices_);
    }

    std::unique_ptr<TempDir> sandbox_;
    std::string dir_;
    std::string file_;
    TConfigRecord config_;
    TGlobData glob_{};
    std::unique_ptr<win::MessageWindow> player_;
    PlayerNotices notices_;
};

class MainWinFixture : public SimPlatformTest {
protected:
    // `tag` names the folder and the shared-memory namespace, so tests run side by side.
    void SetUpSandbox(const std::string& tag) {
        sandbox_ = MainWinFolder(tag, config, file, true);
        ASSERT_NE(sandbox_, nullptr);
        dir = sandbox_->path();
        boxes = std::make_unique<win::ScopedMessageBoxHandler>([this](const win::MessageBoxCall& c) {
            texts.push_back(c.text);
            return win::FirstButton(c.buttons);
        });
    }
    void TearDown() override {
        window.reset();
        boxes.reset();
        sandbox_.reset();
    }

    std::unique_ptr<TempDir> sandbox_;
    std::string dir, file;
    TConfigRecord config;
    TGlobData glob{};
    std::unique_ptr<win::ScopedMessageBoxHandler> boxes;
    std::unique_ptr<TMainWin> window;
    std::vector<std::string> texts;
};

}  // namespace tessaro::testing
