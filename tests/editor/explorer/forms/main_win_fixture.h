#pragma once
// The main window offscreen with its surroundings: a private program and settings folder,
// settings loaded from it, an empty macro file as the first recent file, and message boxes
// answered with their first button while their texts are kept.
#include <QApplication>
#include <QTimer>
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
#include "tests/support/qt_app.h"

namespace tessaro::testing {

// Runs `act` on the modal dialog of class T once it is up.
template <class T>
void WhenModal(std::function<void(T&)> act) {
    QTimer::singleShot(10, [act] {
        if (auto* d = qobject_cast<T*>(QApplication::activeModalWidget())) {
            act(*d);
            return;
        }
        WhenModal<T>(act);
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

class MainWinFixture : public ::testing::Test {
protected:
    // `tag` names the folder and the shared-memory namespace, so tests run side by side.
    void SetUpSandbox(const std::string& tag) {
        namespace fs = std::filesystem;
        EnsureQtApplication();
        const std::string prefix = "tessaro-" + tag + "-";
        std::string tmpl = (fs::temp_directory_path() / (prefix + "XXXXXX")).string();
        ASSERT_NE(::mkdtemp(tmpl.data()), nullptr);
        dir = tmpl;
        ::setenv("TESSARO_HOME", dir.c_str(), 1);
        ::setenv("TESSARO_WINDIR", dir.c_str(), 1);
        ::setenv("TESSARO_NS", (tag + fs::path(dir).filename().string().substr(prefix.size())).c_str(), 1);
        ::setenv("XDG_DATA_HOME", (dir + "/xdg").c_str(), 1);
        ::setenv("XDG_DATA_DIRS", (dir + "/xdg-sys").c_str(), 1);
        LoadAllSettings(config);
        config.FirstUse = false;
        file = dir + "/work.qtm";
        ASSERT_TRUE(CreateEmptyMacroFile(file).ok());
        config.RecentFiles[0] = file;
        boxes = std::make_unique<win::ScopedMessageBoxHandler>([this](const win::MessageBoxCall& c) {
            texts.push_back(c.text);
            return win::FirstButton(c.buttons);
        });
    }
    void TearDown() override {
        window.reset();
        boxes.reset();
        std::filesystem::remove_all(dir);
    }

    std::string dir, file;
    TConfigRecord config;
    TGlobData glob{};
    std::unique_ptr<win::ScopedMessageBoxHandler> boxes;
    std::unique_ptr<TMainWin> window;
    std::vector<std::string> texts;
};

}  // namespace tessaro::testing
