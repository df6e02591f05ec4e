#pragma once
// What the macro interpreter needs from the rest of the player. Each service is a narrow
// interface so the interpreter runs unchanged against the real desktop, the simulated one
// and test doubles.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

class QImage;

namespace tessaro {

// Pacing of one macro run; the caller resets it before each macro, tokens change it, and a
// nested text's change holds for the rest of the macro.
struct Pacing {
    double speed = 1.0;           // multiplies every scaled wait; 0 turns them off
    std::uint32_t keyDelayMs = 0; // before each key and typed character (0 = off)
    std::uint32_t mouseDelayMs = 0;
};

// Key and mouse output. Implementations apply the keystroke and mouse delays themselves
// (through the pacing they share with the interpreter) and release the modifiers they
// pressed for one character.
class PlaybackInput {
public:
    virtual ~PlaybackInput() = default;
    virtual void TypeChar(unsigned char c) = 0;        // keystroke delay, then the character
    virtual void KeyToken(std::uint8_t vk) = 0;         // keystroke delay, down, up
    virtual void KeyEvent(std::uint8_t vk, bool up) = 0; // one event, no delay
    virtual void TapKey(std::uint8_t vk) = 0;           // down and up, no delay
    virtual void AltCode(std::string_view digits) = 0;  // keystroke delay, Alt + keypad digits
    // Mouse buttons by their event flags (2/4 left, 8/16 right, 32/64 middle).
    virtual void MouseButtons(std::uint32_t downFlag, std::uint32_t upFlag, int clicks,
                              bool downOnly, bool upOnly) = 0;
    virtual void Wheel(int delta) = 0;
    enum class MoveKind { Screen, Relative, Window };
    virtual void MoveMouse(MoveKind kind, double x, double y) = 0;
    virtual bool MoveMouseToCaret() = 0;                // false when the caret is unknown
};

// Clock and message pump; the interpreter builds every wait from these.
class PlaybackClock {
public:
    virtual ~PlaybackClock() = default;
    virtual std::int64_t NowMs() = 0;         // monotonic
    virtual void PumpMessages() = 0;          // one turn of the player's message loop
    virtual void Sleep(std::int64_t ms) = 0;  // blocks without pumping
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
    virtual std::optional<std::string> PromptSavePath(const std::string& title,
                                                      const std::string& defaultExt,
                                                      const std::string& filter,
                                                      bool mustExist) = 0;
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
