#pragma once
// The screen size in pixels and the factors that turn a pixel position into the 0..65535
// coordinates of an absolute mouse movement, as the settings' window positions use them.
#include <cstdint>

namespace tessaro {

extern std::int32_t ScreenWidth;
extern std::int32_t ScreenHeight;
extern double MouseScaleX;
extern double MouseScaleY;

// Reads the screen size. Called once at start-up, before the settings are loaded.
void ScreenMetrics();

}  // namespace tessaro
