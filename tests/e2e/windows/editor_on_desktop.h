#pragma once
// The editor's main window as the window tests open it: on the 800 x 600 desktop with its
// window manager, on a macro file of the test's own made afresh (so a test can run again in
// one process), with the settings file's values but no first-use wizard. A test sets what it
// wants of the settings and the file's macros, then shows the window.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "editor/explorer/main_win.h"
#include "foundation/settings.h"
#include "macro/macro_file.h"
// Xlib's macros come with the desktop: last.
#include "tests/e2e/windows/windows_desktop.h"

namespace tessaro::testing {

class EditorOnDesktop {
public:
    EditorOnDesktop(const WindowsDesktop& desktop, const std::string& fileName)
        : file(desktop.box().file(fileName)), desktop_(desktop) {
        LoadAllSettings(config, desktop.SettingsScreen());
        config.FirstUse = false;
        std::filesystem::remove(file);
        EXPECT_TRUE(CreateEmptyMacroFile(file).ok());
        config.RecentFiles[0] = file;
    }

    // An enabled macro appended to the file; its number.
    int Append(const char* nickname, std::uint16_t code, std::uint16_t scope, const char* scopeText = "") {
        TMacroRecord r{};
        r.Nickname = nickname;
        r.ActivationCode = code;
        r.Scope = scope;
        r.ScopeText = scopeText;
        r.Enabled = 1;
        return Append(r);
    }
    int Append(const TMacroRecord& record) {
        EXPECT_TRUE(WriteMacroRecordAt(file, -1, record).ok());
        return CountMacroRecords(file);
    }

    // The window made on the settings as they now stand, shown, and placed by the program
    // with the frame its manager gave it (false when it was not).
    bool Show() {
        window_ = std::make_unique<TMainWin>(desktop_.platform(), config, *glob_, std::vector<std::string>{});
        window_->show();
        return desktop_.SettledFrame(*window_).has_value();
    }
    TMainWin& editor() { return *window_; }

    // The list's row of macro `n` selected, as a click on it selects it; false when the list
    // does not show it.
    bool SelectMacro(int n) {
        const std::vector<int>& rows = window_->Logic().rowMacro();
        for (std::size_t i = 0; i < rows.size(); ++i)
            if (rows[i] == n) window_->Logic().SelectRow(int(i) + 1);
        return window_->Logic().SelectedMacro() == n;
    }

    TConfigRecord config;
    const std::string file;

private:
    const WindowsDesktop& desktop_;
    std::unique_ptr<TGlobData> glob_ = std::make_unique<TGlobData>();
    std::unique_ptr<TMainWin> window_;  // gone before the block it reads
};

}  // namespace tessaro::testing
