#include "platform/x11/x11_platform.h"

#include <cstdio>
#include <cstdlib>

#include "platform/cups_printers.h"
#include "platform/held_input_record.h"
#include "platform/logind_power.h"
#include "platform/sim/sim_input.h"
#include "platform/x11/display.h"
#include "platform/x11/x11_desktop.h"
#include "platform/x11/x11_messages.h"
#include "platform/x11/x11_screen_saver.h"
#include "platform/x11/x11_system_settings.h"
#include "platform/x11/x11_window_control.h"
#include "platform/x11/xtest_input.h"

namespace win::x11 {

namespace {

class X11Platform : public Platform {
public:
    explicit X11Platform(Display* display)
        : display_(display), desktop_(display), windowControl_(display, desktop_), settings_(display) {}

    Desktop& desktop() override { return desktop_; }
    WindowControl& windowControl() override { return windowControl_; }
    // A server without the XTEST extension could type nothing: the events go into a log.
    std::unique_ptr<InputBackend> MakeInput() override {
        auto xtest = std::make_unique<XTestInput>(display_);
        if (xtest->ok()) return xtest;
        std::fputs("tessaro: the X server lacks the XTEST extension; macros cannot type\n", stderr);
        return std::make_unique<sim::SimInput>();
    }
    SystemSettings& systemSettings() override { return settings_; }
    Power& power() override { return power_; }
    Printers& printers() override { return printers_; }
    Messages& messages() override { return messages_; }

    void Bell() override {
        XBell(display_, 0);
        XFlush(display_);
    }

    std::unique_ptr<ScreenSaverInhibitor> ScreenSaver(const std::string& application) override {
        return std::make_unique<DesktopScreenSaver>(application);
    }

    bool UndoInputLeftByDeadPlayer() override {
        HeldInput leftover;
        // Held by a living process: that one is no dead player.
        const auto record = HeldInputRecord::Claim(leftover);
        return record && !leftover.empty() && UndoHeldInput(leftover) && record->Write({});
    }

private:
    Display* display_;
    X11Desktop desktop_;
    X11WindowControl windowControl_;
    X11SystemSettings settings_;
    CupsPrinters printers_;
    LogindPower power_;
    X11Messages messages_;
};

}  // namespace

std::optional<std::string> DisplayProblem() {
    const char* name = std::getenv("DISPLAY");
    if (!name || !*name) return "DISPLAY is not set";
    if (!SharedDisplay()) return "display " + std::string(name) + " cannot be opened";
    return std::nullopt;
}

std::unique_ptr<Platform> OpenPlatform() {
    if (DisplayProblem()) return nullptr;
    return std::make_unique<X11Platform>(SharedDisplay());
}

}  // namespace win::x11
