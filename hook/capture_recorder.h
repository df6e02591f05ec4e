#pragma once
// Recording: while a capture runs, the user's own input (never the player's playback)
// becomes macro text, sent one character at a time to the window that records it. Pure:
// events and the master table in, messages out.
#include <array>
#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "hook/input_event.h"
#include "protocol/glob_data.h"

namespace tessaro::hook {

class CaptureRecorder {
public:
    // A second press of a button this soon after a click, near it, makes a double click.
    static constexpr std::uint32_t kDoubleClickMs = 500;
    static constexpr int kNearPixels = 4;
    // Moves closer together than this are thinned out.
    static constexpr std::uint32_t kMoveEveryMs = 40;
    // Pauses shorter than this are not worth a token.
    static constexpr std::uint32_t kShortestPauseMs = 20;

    // Every event, also outside a capture (held keys are remembered). Appends the
    // messages to send; true when the event was a stop key the rest of the library must
    // not act on.
    bool OnEvent(const InputEvent& e, const TGlobData& g, std::vector<Post>& out);

    // A program armed a new capture (CapStarting): options, stop keys and the server time
    // it began at are taken from g; input the server stamped earlier is not recorded, and
    // modifiers held at the start are ignored until released.
    void Start(const TGlobData& g);
    // The capture was ended by a program: nothing more is recorded.
    void Stop();
    // The capture ends by a click on the player's own recording icon: the click in
    // progress is not recorded, nor anything after it.
    void DropClickAndEnd();

    bool recording() const { return recording_; }
    // A click waits to see whether it becomes a double click, or wheel notches to see
    // whether more follow.
    bool waiting() const { return recording_ && (click_ || wheel_); }
    // The double-click time passed: what waits is recorded.
    void FlushWaiting(const TGlobData& g, std::vector<Post>& out);

private:
    enum Mod { kCtrl, kAlt, kShift, kWin, kModCount };
    struct Options {
        bool keys = false, mouse = false, clicksOnly = false, time = false, doubleAlt = false,
             windowSize = false;
        int relativeTo = 1;
        std::uint16_t macro = 0;
    };
    struct StopKey {
        std::uint16_t mouse = 0, vk = 0;
        std::uint8_t mods = 0;
    };
    struct Press {
        std::uint8_t button = 0;
        InputEvent at;       // where and when it went down
        InputEvent release;  // a click: where it came up
        bool dragging = false;
        bool second = false;  // the second press of a double click
    };
    struct Wheel {
        InputEvent at;
        bool forward = true;
        int notches = 0;
    };

    // Input the server stamped before the capture began (read late).
    bool BeforeStart(const InputEvent& e) const;
    bool IsStopKey(const InputEvent& e) const;
    void OnKeyDown(const InputEvent& e);
    void OnKeyUp(const InputEvent& e);
    void OnButtonDown(const InputEvent& e);
    void OnButtonUp(const InputEvent& e);
    void OnMotion(const InputEvent& e);
    void OnWheel(const InputEvent& e);

    void EmitClick(const Press& p, const char* suffix);
    void StartDrag(Press& p);
    void FlushWheel();
    void FlushPending();
    void OpenModifiers(bool withShift);
    void CloseAll();
    void Pause(std::uint32_t time);
    void Position(const InputEvent& e);
    void Send(const TGlobData& g, std::vector<Post>& out);

    std::set<std::uint16_t> down_;           // keys held, capture or not
    std::set<std::uint16_t> heldAtStart_;    // modifiers ignored until released
    std::array<bool, kModCount> modDown_{};  // pressed during the capture
    std::array<bool, kModCount> opened_{};   // its "D" token was written
    std::array<bool, kModCount> lone_{};     // no key came since it went down
    bool recording_ = false;
    std::uint32_t startTime_ = 0;  // server time; 0 unknown
    Options opt_;
    std::vector<StopKey> stops_;
    std::optional<Press> press_;  // a button is down
    std::optional<Press> click_;  // a click waits for a second one
    std::optional<Wheel> wheel_;  // notches of one direction at one place
    bool sizeWritten_ = false;
    bool havePosition_ = false;
    std::int32_t lastX_ = 0, lastY_ = 0;
    std::optional<std::uint32_t> lastAction_;  // time of the last recorded action
    std::optional<std::uint32_t> lastMove_;
    std::string text_;  // recorded, not sent yet
};

}  // namespace tessaro::hook
