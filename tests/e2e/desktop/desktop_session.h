#pragma once
// The desktop session the player's wallpaper commands find: the desktop's settings store in a
// private key file for the player and its tools, and either a desktop that reads the store
// (named as such a desktop names itself, with a session bus of its own) or none that does.
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "desktop_fixture.h"

namespace tessaro::testing {

class DesktopSession {
public:
    enum Kind { ReadsTheStore, WithoutTheStore };

    explicit DesktopSession(Kind kind)
        : dir_(std::filesystem::temp_directory_path() / ("tess-session-" + std::to_string(::getpid()))) {
        std::filesystem::create_directories(dir_);
        ::setenv("XDG_CONFIG_HOME", dir_.c_str(), 1);
        ::setenv("GSETTINGS_BACKEND", "keyfile", 1);
        ::unsetenv("XDG_CURRENT_DESKTOP");
        ::unsetenv("DBUS_SESSION_BUS_ADDRESS");
        if (kind == WithoutTheStore) return;
        const std::string socket = dir_ + "/bus";
        bus_ =
            std::make_unique<Helper>(std::vector<std::string>{"dbus-daemon", "--session", "--nofork",
                                                              "--nopidfile", "--address=unix:path=" + socket},
                                     dir_ + "/bus.log");
        if (!WaitFor([&] { return std::filesystem::exists(socket); }, 10s)) return;
        ::setenv("DBUS_SESSION_BUS_ADDRESS", ("unix:path=" + socket).c_str(), 1);
        ::setenv("XDG_CURRENT_DESKTOP", "GNOME", 1);
    }
    ~DesktopSession() {
        ::unsetenv("XDG_CURRENT_DESKTOP");
        ::unsetenv("DBUS_SESSION_BUS_ADDRESS");
        ::unsetenv("GSETTINGS_BACKEND");
        bus_.reset();
        std::error_code ec;
        std::filesystem::remove_all(dir_, ec);
    }
    DesktopSession(const DesktopSession&) = delete;
    DesktopSession& operator=(const DesktopSession&) = delete;

    // False when the desktop's session bus did not come up.
    bool ok() const { return !bus_ || std::getenv("DBUS_SESSION_BUS_ADDRESS"); }
    std::string keyfile() const { return dir_ + "/glib-2.0/settings/keyfile"; }
    std::string busLog() const { return ReadAll(dir_ + "/bus.log"); }

private:
    std::string dir_;
    std::unique_ptr<Helper> bus_;
};

}  // namespace tessaro::testing
