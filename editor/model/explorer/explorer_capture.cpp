// The end of a recapture: the recorded text into the macro, or into a numbered text file
// the macro plays when it is too long.
#include <fcntl.h>

#include "editor/model/explorer/explorer.h"
#include "macro/capture_file.h"
#include "platform/file_io.h"
#include "platform/message_box.h"
#include "protocol/window_messages.h"

namespace tessaro {

std::string Explorer::CaptureFilePath() const { return tessaro::CaptureFilePath(ctx_.programDirectory); }

void Explorer::StartCaptureFile() {
    captureFinished_ = false;
    std::string why;  // a file that cannot be made is reported when the recording is taken
    win::WriteToRegularFile(CaptureFilePath(), "", O_TRUNC | O_NOFOLLOW, why);
}

void Explorer::OnCaptureChar(std::uint32_t wParam, std::int32_t lParam) {
    captureMacro_ = static_cast<int>(wParam);
    const char c = static_cast<char>(lParam & 0xFF);
    if (captureFinished_ || c == 0) return;
    std::string why;
    win::WriteToRegularFile(CaptureFilePath(), std::string_view(&c, 1), O_APPEND | O_NOFOLLOW, why);
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
        ReleaseSyncFile(0);
        return;
    }
    file_.ReadMacroRecord(captureMacro_, CurrentMacro);
    CurrentMacro.LastModified = ctx_.window.Now();

    const CapturedText captured = TakeCapturedText(CaptureFilePath(), ctx_.programDirectory);
    if (captured.ok) {
        SetMacroText(CurrentMacro, captured.macroText);
    } else {
        // The recording stays in its file, so it is not lost.
        win::MessageBox("The capture could not be stored: " + captured.error + "\nIt is kept in " +
                            CaptureFilePath() + ".",
                        "Error", win::MbButtons::Ok, win::MbIcon::Error);
    }
    if (captureProgramScope) {
        CurrentMacro.Scope = scProgram;
        CurrentMacro.ScopeText = std::string_view(program).substr(0, 30);
        CurrentMacro.TopmostOnly = 1;
    }
    const bool written = captured.ok && file_.SaveMacroRecord(captureMacro_, CurrentMacro, true);
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
