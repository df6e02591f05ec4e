#pragma once
// The interpreter's windows and prompts on the player's message windows, with their
// one-at-a-time rules: a message, text box or video window asked for while one of its kind
// is open is not shown.
#include <QPointer>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "player/engine/playback_services.h"
#include "player/engine/player_triggers.h"
#include "player/ui/do_a_menu_layout.h"

class QDialog;

namespace win {
class Desktop;
class WindowControl;
}  // namespace win

namespace tessaro {

class TPauseMacro;

class QtPlayerWindows : public PlayerWindows {
public:
    // The pause window and the chooser take the focus on `desktop`; absolute mouse positions
    // refer to the screen of `windowControl`.
    QtPlayerWindows(win::Desktop& desktop, win::WindowControl& windowControl)
        : desktop_(desktop), windowControl_(windowControl) {}

    void DoAMessage(const std::string& caption, const std::string& text) override;
    void MyMessage(const std::string& title, const std::string& body) override;
    std::uint16_t DoRepPrompt() override;
    bool PauseMacro(int top, int left, const std::string& text) override;
    int ScreenWidth() override;
    int ScreenHeight() override;
    std::optional<std::string> PromptSavePath(const std::string& title, const std::string& defaultExt,
                                              const std::string& filter, bool mustExist) override;

    // The popup chooser, modal and on top: the chosen macro number, or -1. `iconX`: it
    // was opened from a popup-menu tray icon there.
    int ChooseAMacro(const ChooserOptions& options, std::vector<ChooserItem> items, std::optional<int> iconX);

    // The video command: modes 1 start at once, 2 play to the end and close, 3 wait for
    // the user. Refused with a message while a clip plays. The window closes as soon as
    // `aborted` answers true (the macro that showed it was aborted).
    void PlayVideo(const std::string& file, int mode, const std::function<bool()>& aborted);

    // What the pause window names and gives the focus back to: the macro that runs.
    void SetRunningMacro(const RunningMacro& macro) { running_ = macro; }
    // The player ends: every open window closes as if the user cancelled it, and any window
    // asked for from now on (a macro's abort notice on its way out) closes at once.
    void CloseAll();

    bool Paused() const { return pause_ != nullptr; }
    // The paused macro's hot key or "Resume Pause": close the pause window with resume.
    void ResumePause();

    bool messageOpen() const { return messageOpen_; }
    bool textBoxOpen() const { return textBoxOpen_; }
    bool videoInUse() const { return videoInUse_; }

private:
    int RunOnTop(QDialog& dialog);

    win::Desktop& desktop_;
    win::WindowControl& windowControl_;
    RunningMacro running_;
    std::vector<QPointer<QDialog>> open_;
    bool ending_ = false;
    TPauseMacro* pause_ = nullptr;
    bool messageOpen_ = false;
    bool textBoxOpen_ = false;
    bool videoInUse_ = false;
};

}  // namespace tessaro
