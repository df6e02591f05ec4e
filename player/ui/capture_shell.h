#pragma once
// The main window's side of the capture: its messages, the recording icon (the tray's)
// and the capture-complete dialog.
#include <memory>
#include <string>

#include "player/capture/player_capture.h"

namespace tessaro {

class TMainWin;

class CaptureShell : public CaptureHost {
public:
    explicit CaptureShell(TMainWin& main);
    ~CaptureShell() override;

    PlayerCapture& capture() { return *capture_; }

    bool BrowseMode() override;
    void CaptureMessage(const std::string& caption, const std::string& text) override;
    std::string TopProgram() override;
    void ShowCaptureIcon(bool shown) override;
    void CompleteCapture(TMacroRecord& rec, const std::string& topProgram) override;
    void SetHotKeys() override;
    void DropCaptureClick() override;

private:
    TMainWin& main_;
    std::unique_ptr<PlayerCapture> capture_;
};

}  // namespace tessaro
