#pragma once
// An editor session whose home folder is a private one: what the editor writes to the
// desktop ($HOME/Desktop) and to $XDG_CONFIG_HOME stays inside the test.
#include <cstdlib>
#include <filesystem>
#include <string>

// Xlib's macros last: they clash with Qt's names.
#include "editor_session.h"

namespace tessaro::testing {

class PrivateHomeSession : public EditorSession {
protected:
    void SetUp() override {
        std::string tmpl = (std::filesystem::temp_directory_path() / "tessaro-home-XXXXXX").string();
        ASSERT_NE(::mkdtemp(tmpl.data()), nullptr);
        home_ = tmpl;
        std::filesystem::create_directories(home_ + "/Desktop");
        const char* h = std::getenv("HOME");
        oldHome_ = h ? h : "";
        ::setenv("HOME", home_.c_str(), 1);
        ::setenv("XDG_CONFIG_HOME", (home_ + "/.config").c_str(), 1);
        EditorSession::SetUp();
    }
    void TearDown() override {
        EditorSession::TearDown();
        ::setenv("HOME", oldHome_.c_str(), 1);
        std::error_code ec;
        std::filesystem::remove_all(home_, ec);
    }
    std::string home_, oldHome_;
};

}  // namespace tessaro::testing
