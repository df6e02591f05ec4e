#include "player/ui/capture_shell.h"

#include "foundation/strings.h"
#include "hook/qtmhook.h"
#include "platform/datetime.h"
#include "platform/desktop.h"
#include "player/engine/window_activation.h"
#include "player/ui/capture_complete.h"
#include "player/ui/main_win.h"
#include "player/ui/tray_pictures.h"
#include "widgets/task_icon.h"

namespace tessaro {

CaptureShell::CaptureShell(TMainWin& main) : main_(main) {
    capture_ = std::make_unique<PlayerCapture>(
        PlayerCapture::Context{main.config_, main.glob_, main.link_, *main.macros_, *main.networkLock_, *this,
                               main.macros_->programDirectory(), [] { return win::Now(); }});
}

CaptureShell::~CaptureShell() = default;

bool CaptureShell::BrowseMode() { return main_.browseMode(); }

void CaptureShell::CaptureMessage(const std::string& caption, const std::string& text) {
    main_.windows().DoAMessage(caption, text);
}

std::string CaptureShell::TopProgram() {
    win::Desktop& desktop = win::ActiveDesktop();
    return UpperCase1252(ModuleNameOfWindow(desktop, desktop.ForegroundWindow()));
}

void CaptureShell::ShowCaptureIcon(bool shown) {
    // Hidden, never destroyed: a right click on it is what may hide it.
    if (!icon_) {
        icon_ = std::make_unique<TTaskIcon>(&main_);
        icon_->SetIcon(RunningIcon());
        icon_->SetToolTip(kRecordingTip);
        icon_->SetTaskIconID(2);
        // The click that ends the capture is no part of it.
        icon_->OnRightClick = [this](TTaskIcon*, Qt::MouseButton, Qt::KeyboardModifiers, int, int) {
            capture_->EndFromTrayIcon();
        };
    }
    icon_->SetActive(shown);
}

void CaptureShell::CompleteCapture(TMacroRecord& rec, const std::string& topProgram) {
    TCapComplete dialog(rec, main_.glob_, *capture_, main_.config_.CapGlobal, topProgram,
                        main_.macros_->programDirectory());
    dialog.exec();
}

void CaptureShell::SetHotKeys() { main_.SetHotKeys(); }

void CaptureShell::DropCaptureClick() { QtmDropCaptureClick(); }

}  // namespace tessaro
