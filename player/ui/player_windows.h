#pragma once
// The interpreter's windows and prompts on the player's message windows, with their
// one-at-a-time rules: a message, text box or video window asked for while one of its kind
// is open is not shown.
#include <cstdint>
#include <functional>
#include <string>

#include "player/engine/playback_services.h"

namespace tessaro {

class TPauseMacro;

class QtPlayerWindows : public PlayerWindows {
public:
    void DoAMessage(const std::string& caption, const std::string& text) override;
    void MyMessage(const std::string& title, const std::string& body) override;
    std::uint16_t DoRepPrompt() override;
    bool PauseMacro(int top, int left, const std::string& text) override;
    int ScreenWidth() override;
    int ScreenHeight() override;
    std::optional<std::string> PromptSavePath(const std::string& title, const std::string& defaultExt,
                                              const std::string& filter, bool mustExist) override;

    // The video command: modes 1 start at once, 2 play to the end and close, 3 wait for
    // the user. Refused with a message while a clip plays.
    void PlayVideo(const std::string& file, int mode);

    // What the pause window names: the macro that runs, set by the trigger paths.
    struct RunningMacro {
        std::string nickname;
        std::string hotKeyName;             // empty unless run by a hot key
        std::function<void()> returnFocus;  // back to the macro's target window
    };
    void SetRunningMacro(RunningMacro macro) { running_ = std::move(macro); }

    bool Paused() const { return pause_ != nullptr; }
    // The paused macro's hot key or "Resume Pause": close the pause window with resume.
    void ResumePause();

    bool messageOpen() const { return messageOpen_; }
    bool textBoxOpen() const { return textBoxOpen_; }
    bool videoInUse() const { return videoInUse_; }

private:
    RunningMacro running_;
    TPauseMacro* pause_ = nullptr;
    bool messageOpen_ = false;
    bool textBoxOpen_ = false;
    bool videoInUse_ = false;
};

}  // namespace tessaro
