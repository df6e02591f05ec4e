#pragma once
// The desktop's bell: the default beep.
namespace win {

void DesktopBell();

}  // namespace win
