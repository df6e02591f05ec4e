#pragma once
// The size of the screen that absolute mouse positions and window placement refer to; the
// platform's window control gives it (platform/window_control.h).

namespace win {

struct ScreenSize {
    int width = 0;
    int height = 0;
};

// Used when no X display is reachable (tests, a session without a desktop).
inline constexpr ScreenSize kDefaultScreenSize{1024, 768};

}  // namespace win
