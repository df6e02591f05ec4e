// The main window's side of a capture started from the editor: the capture dialog arms the
// hook library through these, and the capture messages come back to the explorer.
#include <fcntl.h>

#include <QLabel>
#include <iterator>

#include "editor/explorer/forms/form_support.h"
#include "editor/explorer/forms/t_capture_keys.h"
#include "editor/explorer/main_win.h"
#include "editor/model/explorer/player_link.h"
#include "macro/capture_file.h"
#include "platform/file_io.h"
#include "platform/paths.h"
#include "platform/regular_file_stream.h"

namespace tessaro {

bool TMainWin::Recapture(const std::string& label, int number, bool conflict) {
    TCaptureKeys dialog(FormsContext(), *this, this);
    dialog.HotKeyLabel->setText(forms::Q(label));
    dialog.GlobalTaken = conflict;
    dialog.CaptureMacroNumber = number;
    dialog.Recapture = true;
    dialog.exec();
    return dialog.CaptureStarted;
}

void TMainWin::SetCapWind(bool on) { tessaro::SetCapWind(core_.GlobData, Link(), WindowId(), on); }

std::string TMainWin::CaptureFilePath() { return tessaro::CaptureFilePath(win::ProgramDirectory()); }

void TMainWin::BeginCapture(int captureSpeed, bool programScope) {
    captureSpeed_ = captureSpeed;
    explorer_.captureProgramScope = programScope;
    if (!explorer_.captureFinished()) return;  // the recapture command awaits it already
    // Started from the add dialog: the end is awaited from now on; the speed token the
    // dialog wrote stays at the start of the file.
    std::string written;
    if (win::RegularFileStream in(CaptureFilePath()); in)
        written.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    explorer_.StartCaptureFile();
    std::string why;  // the dialog has just made the file: nothing new to report
    win::WriteToRegularFile(CaptureFilePath(), written, O_TRUNC | O_NOFOLLOW, why);
}

void TMainWin::UpNumKeys() { tessaro::UpNumKeys(core_.GlobData, Link()); }
void TMainWin::UpCapture() { tessaro::UpCapture(core_.GlobData, Link()); }
void TMainWin::UpCaptureOn() { tessaro::UpCaptureOn(core_.GlobData, Link()); }
void TMainWin::ShowRecordingIcon() { ShowRecordIcon(true); }
void TMainWin::MinimiseEditor() { showMinimized(); }
void TMainWin::ReleaseLockUnchanged() { explorer_.ReleaseSyncFile(0); }

}  // namespace tessaro
