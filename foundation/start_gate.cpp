#include "foundation/start_gate.h"

#include <cstdio>
#include <cstdlib>

#include "platform/message_box.h"

namespace tessaro {

StartGateResult CheckEditorStart(const std::vector<std::string>& args) {
    StartGateResult result;
    if (args.empty() || args.front() != kLaunchMarker) {
        win::MessageBox(kNotLaunchedByPlayerText, "", win::MbButtons::Ok);
        result.verdict = StartGateVerdict::NotLaunchedByPlayer;
        return result;
    }
    // Testing and taking the guard are one step, so two editors started together cannot
    // both get through.
    win::SingleInstance guard(kEditorInstanceName);
    switch (guard.status()) {
        case win::SingleInstance::Status::Running: result.verdict = StartGateVerdict::AlreadyRunning; break;
        case win::SingleInstance::Status::Acquired: result.guard.emplace(std::move(guard)); break;
        case win::SingleInstance::Status::Failed: break;  // no guard to be had: run on without one
        case win::SingleInstance::Status::Refused:
            win::MessageBox(guard.problem() + "  Tessaro Editor will terminate.", "System Error",
                            win::MbButtons::Ok, win::MbIcon::Error);
            result.verdict = StartGateVerdict::Refused;
            break;
    }
    return result;
}

std::optional<win::SingleInstance> EditorStartGate(int argc, char** argv) {
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) args.emplace_back(argv[i]);
    StartGateResult result = CheckEditorStart(args);
    if (result.verdict != StartGateVerdict::Run) {
        // End at once: nothing of the program has been set up that would need tearing down.
        std::fflush(nullptr);
        std::_Exit(result.verdict == StartGateVerdict::Refused ? 1 : 0);
    }
    return std::move(result.guard);
}

}  // namespace tessaro
