#pragma once
// The interpreter's clock, clipboard and desktop services on Qt and the running desktop.
#include "player/playback_services.h"

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

}  // namespace tessaro
