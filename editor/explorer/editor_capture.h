#pragma once
// The main window's side of a capture started from the editor: the capture dialogs arm the
// hook library through it, and the recording icon shows while a capture runs.
#include <memory>
#include <string>

#include "editor/model/macro_forms/capture_setup.h"

class QWidget;

namespace tessaro {

class Explorer;
class PlayerLink;
class TMainWinCore;
class TTaskIcon;

class EditorCapture final : public CaptureHost {
public:
    EditorCapture(QWidget& window, TMainWinCore& core, PlayerLink& link, Explorer& explorer);
    ~EditorCapture() override;

    void SetCapWind(bool on) override;
    std::string CaptureFilePath() override;
    void BeginCapture(int captureSpeed, bool programScope) override;
    void UpNumKeys() override;
    void UpCapture() override;
    void UpCaptureOn() override;
    void ShowRecordingIcon() override;
    void MinimiseEditor() override;
    void ReleaseLockUnchanged() override;

    // The tray icon of a running capture; its click ends the capture.
    void ShowRecordIcon(bool shown);

private:
    QWidget& window_;
    TMainWinCore& core_;
    PlayerLink& link_;
    Explorer& explorer_;
    std::unique_ptr<TTaskIcon> recordIcon_;
    int captureSpeed_ = 1;  // of the capture started last: 1 actual .. 4 quadruple
};

}  // namespace tessaro
