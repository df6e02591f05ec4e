// Who shows a wallpaper follows the desktop that runs, not the schemas that are installed.
#include <gtest/gtest.h>

#include "platform/x11/x11_system_settings.h"

namespace win::x11 {
namespace {

TEST(WallpaperTarget, FollowsTheRunningDesktop) {
    using T = WallpaperTarget;
    struct Case {
        const char* desktop;
        bool bus, schema, desktopWindow;
        T expected;
    } const cases[] = {
        {"GNOME", true, true, false, T::DesktopSettings},
        {"ubuntu:GNOME", true, true, false, T::DesktopSettings},
        {"Budgie:GNOME", true, true, true, T::DesktopSettings},  // its desktop icons show its background
        {"Unity", true, true, false, T::DesktopSettings},
        {"gnome", true, true, false, T::DesktopSettings},
        // The desktop runs but cannot be told: the root window is hidden behind it.
        {"GNOME", true, false, false, T::NotShown},
        // The schema is installed, but no desktop that reads it runs.
        {"", true, true, false, T::RootWindow},
        {"openbox", true, true, false, T::RootWindow},
        {"GNOME", false, true, false, T::RootWindow},  // no session bus: no such desktop either
        {"XFCE", true, true, false, T::RootWindow},
        // Another desktop draws its own background over the root window.
        {"XFCE", true, true, true, T::NotShown},
        {"", false, false, true, T::NotShown},
        {"X-GNOME-like", true, true, false, T::RootWindow},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ChooseWallpaperTarget({c.desktop, c.bus, c.schema, c.desktopWindow}), c.expected)
            << c.desktop << " bus " << c.bus << " schema " << c.schema << " desktop window "
            << c.desktopWindow;
}

}  // namespace
}  // namespace win::x11
