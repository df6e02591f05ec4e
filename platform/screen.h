#pragma once
// The size of the screen that absolute mouse positions and window placement refer to.

namespace win {

struct ScreenSize {
    int width = 0;
    int height = 0;
};

// Used when no X display is reachable (tests, a session without a desktop).
inline constexpr ScreenSize kDefaultScreenSize{1024, 768};

// The default screen of the shared X display, else kDefaultScreenSize.
ScreenSize GetScreenSize();

}  // namespace win
