#pragma once
// What the macro interpreter needs from the rest of the player besides key and mouse
// output. Each service is a narrow interface so the interpreter runs unchanged against the
// real desktop, the simulated one and test doubles.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

class QImage;

namespace tessaro {

// Clock and message pump that every wait of a macro turns on.
class PlaybackClock {
public:
    virtual ~PlaybackClock() = default;
    virtual std::int64_t NowMs() = 0;         // monotonic
    virtual void PumpMessages() = 0;          // one turn of the player's message loop
    virtual void Sleep(std::int64_t ms) = 0;  // between turns of a wait, without pumping
};

// The player's small windows and prompts.
class PlayerWindows {
public:
    virtual ~PlayerWindows() = default;
    virtual void DoAMessage(const std::string& caption, const std::string& text) = 0;
    virtual void MyMessage(const std::string& title, const std::string& body) = 0;
    virtual std::uint16_t DoRepPrompt() = 0;  // 0 when closed without a number
    // Shows the pause window; true = resume, false = abort.
    virtual bool PauseMacro(int top, int left, const std::string& text) = 0;
    virtual int ScreenWidth() = 0;
    virtual int ScreenHeight() = 0;
    // A save dialog; nothing when cancelled. `filter` is "Name|*.EXT|Name|*.EXT".
    virtual std::optional<std::string> PromptSavePath(const std::string& title, const std::string& defaultExt,
                                                      const std::string& filter, bool mustExist) = 0;
};

// Text and pictures on the desktop clipboard. Text is Windows-1252.
class ClipboardAccess {
public:
    virtual ~ClipboardAccess() = default;
    virtual std::string Text() = 0;
    virtual void SetText(const std::string& text) = 0;
    virtual bool Image(QImage& out) = 0;  // false when no picture is there
    virtual void SetImage(const QImage& image) = 0;
};

// Desktop and player services the core commands call.
class PlayerDesktop {
public:
    virtual ~PlayerDesktop() = default;
    // Brings the window whose title contains `title` to the front; false when none.
    virtual bool ActivateWindow(const std::string& title) = 0;
    // Opens an address or document with the desktop's default handler.
    virtual bool OpenDocument(const std::string& address) = 0;
    // Deciphers the text of an encrypted-text command; nothing when it is not cipher text.
    virtual std::optional<std::string> Decrypt(const std::string& cipher) = 0;
};

}  // namespace tessaro
