#include "foundation/screen_metrics.h"

#include "platform/screen.h"

namespace tessaro {

std::int32_t ScreenWidth = 0;
std::int32_t ScreenHeight = 0;
double MouseScaleX = 0;
double MouseScaleY = 0;

void ScreenMetrics() {
    const win::ScreenSize size = win::GetScreenSize();
    ScreenWidth = size.width;
    ScreenHeight = size.height;
    MouseScaleX = 65535.0 / ScreenWidth;
    MouseScaleY = 65535.0 / ScreenHeight;
}

}  // namespace tessaro
