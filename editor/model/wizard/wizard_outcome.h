#pragma once
// What a finished wizard run hands back to the explorer that opened it.
#include <array>
#include <string>

namespace tessaro::wizard {

struct WizardOutcome {
    // A new macro was built and waits in CurrentMacro for the caller to append.
    bool Finished = false;
    // The caller posts (5, 0) so the player rebuilds its tray icons.
    bool TrayMenuChanged = false;
    // The new macro is to be listed by the popup-menu macro of this nickname.
    bool AddToPopupMenu = false;
    std::string PopupMenuNickname;
    // Function 7: once the record is in the file the caller arms the capture.
    bool StartCapture = false;
    // Function 28: the follow-up wizards the user ticked, in the order of their page.
    std::array<bool, 11> FirstTimeChoices{};
    // Function 7, for arming the capture: the playback speed of the recording (1 same,
    // 2 half, 3 twice, 4 four times, 5 ten times as fast; the speed token already stands in
    // the capture file), whether the macro is to play in the captured program only, and the
    // exact title of the window to bring to the front first (empty: none).
    int CaptureSpeed = 1;
    bool CaptureProgramOnly = false;
    std::string CaptureWindowTitle;
};

}  // namespace tessaro::wizard
