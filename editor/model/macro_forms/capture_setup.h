#pragma once
// The editor's capture dialog ("Capture Macro"): its presets, enabling rules, the windows
// it offers and the arming of a capture in the trigger table.
#include <string>
#include <vector>

#include "foundation/config_record.h"
#include "macro/macro_record.h"
#include "platform/desktop.h"
#include "protocol/glob_data.h"

namespace tessaro {

inline constexpr const char* kLastActiveWindow = "***Last Active Window***";

struct CaptureChoices {
    bool doKey = false, doDouble = false, doMouse = false;
    int relativeTo = 1;  // 1 screen, 2 window, 3 position
    bool doSize = false, clicksOnly = false, doTime = false;
    int speed = 1;  // 1 actual, 2 half, 3 double, 4 quadruple
    bool global = true;
};
CaptureChoices CaptureChoicesFrom(const TConfigRecord& config, bool globalTaken);

struct CaptureEnabling {
    bool relativeTo = false;  // the three relative-to choices and "Only Capture Mouse Clicks"
    bool doSize = false, doDouble = false, speeds = false;
};
CaptureEnabling EnablingOf(const CaptureChoices& c);

// The system macro "Start / Stop Capture" (scope 5, scope text starting "2"); 0 when none.
int StopMacroNumber(const TGlobData& glob);

struct CaptureLabels {
    std::string stop;  // "Press ... to end capture"; empty when there is no stop key
    std::string own;   // "Or Press ... to end capture"; empty unless the macro has a hot key
};
CaptureLabels CaptureLabelsFor(const TGlobData& glob, int captureMacroNumber);

// "***Last Active Window***" and the titles of the visible, not minimised windows.
std::vector<std::string> CaptureWindowList(win::Desktop& desktop);

// "<SPEED:...>" written at the start of the capture file when timing is on; else empty.
std::string SpeedToken(const CaptureChoices& c);

inline constexpr const char* kNoStopKey =
    "No key is set to end a capture.  Give the system macro \"Start / Stop Capture\" a hot key first.";

struct CaptureArming {
    bool ok = false;
    std::string error;     // for a box "Error" when not ok: nothing was changed
    int captureSpeed = 1;  // the main window's capture speed
    bool programScope = false;
    bool macroCounted = false;
};

// Steps of Start on the editor's copies: count a new macro (not on recapture), the record's
// name and global scope, the capture options, the stop key and the macro's own hot key.
// Refused, with nothing changed, when the stop macro has no hot key.
CaptureArming ArmCapture(TGlobData& glob, TMacroRecord& rec, const CaptureChoices& c, int captureMacroNumber,
                         bool recapture, const std::string& nickname);

// Makes the capture file hold the speed token, as a whole (MakeCaptureFile); an error text
// when it cannot be made, and the file is then as it was.
std::string CreateCaptureFile(const std::string& path, const std::string& speedToken);

// What the explorer's main window does for a capture started from its dialogs.
class CaptureHost {
public:
    virtual ~CaptureHost() = default;
    // Capture messages go to the editor's main window (on) or nowhere (off).
    virtual void SetCapWind(bool on) = 0;
    virtual std::string CaptureFilePath() = 0;
    // The speed of the coming capture and the scope flag the capture-done handler reads;
    // clears the state of the previous capture.
    virtual void BeginCapture(int captureSpeed, bool programScope) = 0;
    virtual void UpNumKeys() = 0;
    // Pushes the capture group (and then the capture-on group) and tells the player.
    virtual void UpCapture() = 0;
    virtual void UpCaptureOn() = 0;
    virtual void ShowRecordingIcon() = 0;
    virtual void MinimiseEditor() = 0;
    // The network lock taken for the command; released with no change counted.
    virtual void ReleaseLockUnchanged() = 0;
};

}  // namespace tessaro
