#pragma once
// Where the library's input comes from: the X server, or a simulated desktop in tests.
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "hook/hot_key_takers.h"
#include "hook/input_event.h"

namespace tessaro::hook {

class InputSource {
public:
    // True when the event was taken (a hot key): a key grabbed for it stays from the
    // focused window; any other grabbed key goes on to it.
    using Sink = std::function<bool(const InputEvent&)>;
    virtual ~InputSource() = default;

    // Starts observing; events reach sink on the thread that called Start.
    virtual bool Start(Sink sink, std::string* error) = 0;
    virtual void Stop() = 0;
    // Keeps these hot-key codes from the focused window. Returns one line per code that
    // could not be taken (another program holds it).
    virtual std::vector<std::string> SetGrabs(const std::vector<int>& codes) = 0;
    // The codes of the last SetGrabs that another program holds.
    virtual std::vector<int> HeldElsewhere() const { return {}; }
    // A pressed hot key keeps the keyboard (or a clicked one the pointer) grabbed until it
    // is let go; ends that grab now, for a window of the player that needs the keyboard
    // while the user still holds the key.
    virtual void EndHotKeyGrab() = 0;
    // Reads and handles every input event the server sent before now, so that what the
    // hand did up to this moment has been reported.
    virtual void CatchUp() {}
    // The desktop's window titles, as a window-scoped hot key is decided; none when this
    // source cannot tell.
    virtual std::optional<DesktopTitles> Titles() { return std::nullopt; }
    // Sends a window message (the library's reports).
    virtual bool Send(const Post& post) = 0;
    // The window the player posts its marks to (WM_PLAYBACK_MARK); each arrives as a
    // PlaybackMark event behind the input sent before it. 0 when there is none.
    virtual std::uint32_t MarkWindow() const = 0;
};

}  // namespace tessaro::hook
