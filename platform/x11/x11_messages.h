#pragma once
// Messages between programs as X ClientMessages; the names of registered messages are
// atoms, the same number in every program of the display.
#include "platform/messages.h"

namespace win::x11 {

class X11Messages : public Messages {
public:
    std::uint32_t RegisterWindowMessage(const std::string& name) override;
    bool PostToOtherProgram(HWND hwnd, std::uint32_t msg, std::uint32_t wParam, std::int32_t lParam) override;
    void ListenToOtherPrograms() override;
    // Needs the GUI application; without one the window is known to this program only.
    std::unique_ptr<QWindow> MessageOnlyWindow() override;
};

}  // namespace win::x11
