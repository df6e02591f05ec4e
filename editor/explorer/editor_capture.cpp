#include "editor/explorer/editor_capture.h"

#include <QStyle>
#include <QWidget>

#include "editor/explorer/explorer_core.h"
#include "editor/model/explorer/explorer.h"
#include "editor/model/explorer/player_link.h"
#include "macro/capture_file.h"
#include "platform/paths.h"
#include "widgets/task_icon.h"

namespace tessaro {

EditorCapture::EditorCapture(QWidget& window, TMainWinCore& core, PlayerLink& link, Explorer& explorer)
    : window_(window), core_(core), link_(link), explorer_(explorer) {}

EditorCapture::~EditorCapture() = default;

void EditorCapture::SetCapWind(bool on) {
    tessaro::SetCapWind(core_.GlobData, link_, static_cast<std::uint32_t>(window_.winId()), on);
}

std::string EditorCapture::CaptureFilePath() { return tessaro::CaptureFilePath(win::ProgramDirectory()); }

void EditorCapture::BeginCapture(int captureSpeed, bool programScope) {
    captureSpeed_ = captureSpeed;
    explorer_.captureProgramScope = programScope;
    // The dialog has made the capture file with its speed token.
    explorer_.StartRecording();
}

void EditorCapture::UpNumKeys() { tessaro::UpNumKeys(core_.GlobData, link_); }
void EditorCapture::UpCapture() { tessaro::UpCapture(core_.GlobData, link_); }
void EditorCapture::UpCaptureOn() { tessaro::UpCaptureOn(core_.GlobData, link_); }
void EditorCapture::ShowRecordingIcon() { ShowRecordIcon(true); }
void EditorCapture::MinimiseEditor() { window_.showMinimized(); }
void EditorCapture::ReleaseLockUnchanged() { explorer_.ReleaseSyncFile(0); }

void EditorCapture::ShowRecordIcon(bool shown) {
    if (!recordIcon_) {
        recordIcon_ = std::make_unique<TTaskIcon>(&window_);
        recordIcon_->SetIcon(window_.style()->standardIcon(QStyle::SP_MediaStop));
        recordIcon_->SetToolTip("Macro Is Recording");
        recordIcon_->SetTaskIconID(0);
        // Its click ends the capture as the library's end message would.
        recordIcon_->OnRightClick = [this](TTaskIcon*, Qt::MouseButton, Qt::KeyboardModifiers, int, int) {
            explorer_.OnCaptureDone(static_cast<std::uint32_t>(core_.GlobData.CaptureMacro));
        };
    }
    recordIcon_->SetActive(shown);
}

}  // namespace tessaro
