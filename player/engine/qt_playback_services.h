#pragma once
// The interpreter's clock, clipboard and desktop services on Qt and the running desktop.
#include "platform/desktop.h"
#include "player/engine/playback_services.h"

namespace tessaro {

class QtPlaybackClock : public PlaybackClock {
public:
    std::int64_t NowMs() override;
    void PumpMessages() override;
    void Sleep(std::int64_t ms) override;
};

// The desktop clipboard (the X CLIPBOARD selection under xcb). Needs a QGuiApplication.
class QtClipboard : public ClipboardAccess {
public:
    std::string Text() override;
    void SetText(const std::string& text) override;
    bool Image(QImage& out) override;
    void SetImage(const QImage& image) override;
};

// Opens addresses and documents with xdg-open, detached from the player.
bool OpenWithDesktop(const std::string& address);

// The desktop services of the running player: windows are brought to the front by the
// player's own activation routine, addresses open with xdg-open, cipher text is read with
// the key both programs share.
class QtPlayerDesktop : public PlayerDesktop {
public:
    explicit QtPlayerDesktop(win::Desktop& desktop) : desktop_(desktop) {}
    bool ActivateWindow(const std::string& title) override;
    bool OpenDocument(const std::string& address) override { return OpenWithDesktop(address); }
    std::optional<std::string> Decrypt(const std::string& cipher) override;

private:
    win::Desktop& desktop_;
};

}  // namespace tessaro
