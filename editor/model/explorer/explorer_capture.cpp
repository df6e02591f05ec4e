// A capture recorded into the editor: the recording kept whole while it comes in, and at
// its end the text into the macro, or into a numbered text file the macro plays when it is
// too long.
#include <cstdio>
#include <optional>

#include "editor/model/explorer/explorer.h"
#include "foundation/whole_files.h"
#include "platform/message_box.h"
#include "protocol/window_messages.h"

namespace tessaro {

namespace {
// Told on the console only: a box would take the focus from what is being recorded.
void TellStopped(const std::string& line) { std::fprintf(stderr, "tesdesk: %s\n", line.c_str()); }
}  // namespace

void Explorer::StartRecording() {
    captureFinished_ = false;
    std::string why;
    const std::optional<std::string> start = ReadRegularFileOrEmpty(recording_.file(), why);
    if (!recording_.Start(start.value_or(""), why))
        TellStopped("the capture file " + recording_.file() + " cannot follow the recording (" + why +
                    "); the recording goes on without it");
}

void Explorer::OnCaptureChar(std::uint32_t wParam, std::int32_t lParam) {
    captureMacro_ = static_cast<int>(wParam);
    const char c = static_cast<char>(lParam & 0xFF);
    if (captureFinished_ || c == 0) return;
    if (const std::string stopped = recording_.Add(c); !stopped.empty()) TellStopped(stopped);
}

void Explorer::OnCaptureDone(std::uint32_t wParam) {
    if (captureFinished_) return;
    captureFinished_ = true;
    ctx_.window.ShowRecordIcon(false);
    ctx_.glob.CaptureOn = 0;
    UpCaptureOn(ctx_.glob, ctx_.link);
    SetCapWind(ctx_.glob, ctx_.link, ctx_.window.WindowId(), false);
    const std::string program = ctx_.window.ForegroundProgram();

    captureMacro_ = static_cast<int>(wParam);
    if (!ValidMacro(captureMacro_)) {
        // Nowhere to store it: the recording stays in its file.
        std::string told;
        recording_.Keep(told);
        ReleaseSyncFile(0);
        return;
    }
    file_.ReadMacroRecord(captureMacro_, CurrentMacro);
    CurrentMacro.LastModified = ctx_.window.Now();

    const CapturedText captured = recording_.Store(ctx_.programDirectory);
    if (captured.ok)
        SetMacroText(CurrentMacro, captured.macroText);
    else
        win::MessageBox("The capture could not be stored: " + captured.error, "Error", win::MbButtons::Ok,
                        win::MbIcon::Error);
    if (captureProgramScope) {
        CurrentMacro.Scope = scProgram;
        CurrentMacro.ScopeText = std::string_view(program).substr(0, 30);
        CurrentMacro.TopmostOnly = 1;
    }
    const bool written = captured.ok && file_.SaveMacroRecord(captureMacro_, CurrentMacro, true);
    // The capture file keeps the recording until the macro holds it.
    if (written) {
        recording_.Drop();
    } else if (captured.ok) {  // the failed save was told; so is where the recording is
        std::string told;
        recording_.Keep(told);
        win::MessageBox(told, "Error", win::MbButtons::Ok, win::MbIcon::Error);
    }
    SetHotKeys();
    ctx_.window.BringToFront();
    ReleaseSyncFile(written ? 1 : 0);
    const std::string done =
        CaptureCompleteText(CurrentMacro.ActivationCode, CurrentMacro.Abbreviation.view());
    if (written && !done.empty())
        win::MessageBox(done, "Capture", win::MbButtons::Ok, win::MbIcon::Information);
    Refresh(captureMacro_);
}

}  // namespace tessaro
