#pragma once
// The editor runs only when the player started it, and only once per session.
#include <optional>
#include <string>
#include <vector>

#include "platform/single_instance.h"

namespace tessaro {

// First argument the player passes to the editor; compared exactly.
inline constexpr char kLaunchMarker[] = "-PWV";
// The editor's single-instance guard; the running editor records its main window there,
// where the player finds it with win::RunningInstanceWindow(kEditorInstanceName).
inline constexpr char kEditorInstanceName[] = "QTMED321Z";

inline constexpr char kNotLaunchedByPlayerText[] = "Tessaro Editor can only be invoked via Tessaro";

enum class StartGateVerdict {
    Run,                  // go on; `guard` holds the instance (absent when it could not be made)
    NotLaunchedByPlayer,  // the box was shown; end now
    AlreadyRunning,       // another editor runs; end now, silently
    Refused,              // the guard's folder or file is not safely ours; the box was shown
};

struct StartGateResult {
    StartGateVerdict verdict = StartGateVerdict::Run;
    std::optional<win::SingleInstance> guard;
};

// `args` are the arguments after the program name. Shows the refusal box itself.
StartGateResult CheckEditorStart(const std::vector<std::string>& args);

// What the editor's main calls first (after the QApplication exists, so the box can show):
// returns the guard to keep for the whole run, or ends the process when refused.
std::optional<win::SingleInstance> EditorStartGate(int argc, char** argv);

}  // namespace tessaro
