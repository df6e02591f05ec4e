#pragma once
// The simulated input backend: every event goes into an ordered log that tests read;
// the layout is US, the screen, cursor, foreground window and caret are plain fields.
#include <optional>
#include <set>
#include <vector>

#include "platform/input.h"

namespace win::sim {

struct InputEvent {
    enum Type { Key, Mouse } type = Key;
    unsigned char vk = 0;  // Key
    bool up = false;       // Key
    unsigned flags = 0;    // Mouse
    int dx = 0, dy = 0, data = 0;
    bool operator==(const InputEvent&) const = default;
};

class SimInput : public InputBackend {
public:
    short KeyScan(unsigned char ch) override;
    Point CursorPos() override { return cursor; }
    Point ScreenSize() override { return screen; }
    std::optional<Rect> ForegroundWindowRect() override { return foreground; }
    std::optional<Point> CaretPos() override { return caret; }
    // Pumps until the simulated user has let go of `vk` (the pump may release it).
    void AwaitRelease(unsigned char vk, const std::function<void()>& pump) override;
    // The modifiers in `held` go up in the log; those the simulated user still holds when
    // playback ends go down again then.
    void LetGoOfUserModifiers() override;
    void EndPlayback() override;

    std::vector<InputEvent> log;
    Point screen{1024, 768};
    Point cursor;
    std::optional<Rect> foreground;
    std::optional<Point> caret;
    std::set<unsigned char> held;        // keys and buttons the simulated user holds
    std::vector<unsigned char> awaited;  // every AwaitRelease, in order
    std::set<unsigned char> let_go;      // the user's modifiers let go of for playback

protected:
    void SendKey(unsigned char vk, bool up) override;
    // Absolute moves also move `cursor`, as the real pointer would.
    void SendMouse(unsigned flags, int dx, int dy, int data) override;
};

}  // namespace win::sim
