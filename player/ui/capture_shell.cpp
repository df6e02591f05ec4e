#include "player/ui/capture_shell.h"

#include "foundation/strings.h"
#include "hook/qtmhook.h"
#include "platform/datetime.h"
#include "platform/desktop.h"
#include "platform/platform.h"
#include "player/engine/window_activation.h"
#include "player/ui/capture_complete.h"
#include "player/ui/main_win.h"
#include "player/ui/player_tray.h"

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
    win::Desktop& desktop = main_.platform_.desktop();
    return UpperCase1252(ModuleNameOfWindow(desktop, desktop.ForegroundWindow()));
}

void CaptureShell::ShowCaptureIcon(bool shown) {
    if (shown)
        main_.tray().DoTaskIconRec();
    else
        main_.tray().ClearTaskIcon();
}

void CaptureShell::CompleteCapture(TMacroRecord& rec, const std::string& topProgram) {
    TCapComplete dialog(main_.platform_.messages(), rec, main_.glob_, *capture_, main_.config_.CapGlobal,
                        topProgram, main_.macros_->programDirectory());
    dialog.exec();
}

void CaptureShell::SetHotKeys() { main_.SetHotKeys(); }

void CaptureShell::DropCaptureClick() { QtmDropCaptureClick(); }

}  // namespace tessaro
