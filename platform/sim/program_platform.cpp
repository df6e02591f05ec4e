#include "platform/sim/program_platform.h"

#include "platform/screen_saver.h"
#include "platform/sim/sim_platform.h"

namespace win {

namespace {

Platform*& Chosen() {
    static Platform* chosen = nullptr;
    return chosen;
}

}  // namespace

Platform& ProgramPlatform() {
    static sim::SimPlatform simulated;
    return Chosen() ? *Chosen() : simulated;
}

void SetProgramPlatform(Platform* platform) { Chosen() = platform; }

Desktop& ActiveDesktop() { return ProgramPlatform().desktop(); }

std::unique_ptr<ScreenSaverInhibitor> DesktopScreenSaver(const std::string& application) {
    return ProgramPlatform().ScreenSaver(application);
}

MessageReceiver::MessageReceiver(HWND hwnd, MessageHandler handler)
    : MessageReceiver(ProgramPlatform().messages(), hwnd, std::move(handler)) {}

}  // namespace win
