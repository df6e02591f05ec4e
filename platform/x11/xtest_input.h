#pragma once
// Input into the real X desktop through the XTEST extension. Keys are looked up in the
// keyboard map of the XTEST keyboard device (the one fake events go through); a character
// no key types is put on a spare keycode for the time it is typed. Every key and button
// held down and every keycode remapped is in the session's held-input record until it has
// been undone.
#include <chrono>
#include <map>
#include <memory>
#include <optional>
#include <unordered_map>
#include <vector>

#include "platform/held_input_record.h"
#include "platform/input.h"

// No X header here: its macros (None, ...) clash with names of the callers.
typedef struct _XDisplay Display;
class QSocketNotifier;
class QTimer;

namespace win::x11 {

class XTestInput : public InputBackend {
public:
    // `display` is not owned and must outlive this object. Check ok() before use. What a
    // dead player left in the session's held-input record is undone first.
    explicit XTestInput(Display* display);
    ~XTestInput() override;
    XTestInput(const XTestInput&) = delete;
    XTestInput& operator=(const XTestInput&) = delete;

    bool ok() const { return ok_; }

    short KeyScan(unsigned char ch) override;
    void TypeAltCode(std::string_view digits) override;
    Point CursorPos() override;
    Point ScreenSize() override;
    std::optional<Rect> ForegroundWindowRect() override;
    std::optional<Point> CaretPos() override;  // X has no caret to ask: always nullopt

    // Re-reads the keyboard map when it may have changed and lets go of modifiers the user
    // still holds, so they cannot change the characters typed.
    void BeginPlayback() override;
    // Waits for the server to report the key or button up; raw release events wake the
    // wait at once, so the macro follows the release within a round trip.
    void AwaitRelease(unsigned char vk, const std::function<void()>& pump) override;
    // Gives the spare keycodes back their empty mapping once clients have read the keys
    // typed with them: at once when that time is past, else later from the event loop
    // (without one, after a sleep here).
    void EndPlayback() override;

    // Types one Unicode character by its keysym (Shift as the key needs it).
    void TypeCharacter(char32_t cp);

    // Reads and drops the events queued on the connection (every keyboard-map change
    // sends one to each client); returns how many.
    int DropEvents();

protected:
    void SendKey(unsigned char vk, bool up) override;
    void SendMouse(unsigned flags, int dx, int dy, int data) override;

private:
    struct KeyPlace {
        unsigned char code;
        int level;  // 0 plain, 1 shifted
    };
    struct Spare {
        unsigned char code;
        unsigned long keysym = 0;  // 0: free
        std::chrono::steady_clock::time_point last_use{};
    };

    void LoadKeyboardMap();
    std::optional<KeyPlace> Find(unsigned long keysym) const;
    unsigned char SpareFor(unsigned long keysym);
    // Puts a keysym on a keycode (recorded before), or gives the keycode back what it had
    // (recorded after).
    void Remap(unsigned char code, unsigned long keysym);
    void Unmap(unsigned char code);
    void SetMapping(unsigned char code, const std::vector<unsigned long>& keysyms);
    void FreeSettledSpares();
    void Tap(unsigned char code, bool shifted);
    void FakeKey(unsigned char code, bool press, unsigned vk);
    void FakeButton(unsigned button, bool press);
    void AwaitButtonDelivered(unsigned button);
    // Sends the queued requests, then records the releases among them.
    void Flush();
    void Record();
    // The key or button `vk` is down on the server now.
    bool Held(unsigned char vk);
    // Raw release events of every device reach this connection while `on`.
    bool WatchReleases(bool on);

    Display* display_;
    bool ok_ = false;
    int min_code_ = 8, max_code_ = 255;
    static constexpr int per_code_ = 2;  // plain and shifted keysym of the first group
    std::vector<unsigned long> map_;     // (code - min_code_) * per_code_ + level
    std::unordered_map<unsigned long, KeyPlace> places_;
    std::vector<Spare> spares_;
    std::map<unsigned char, unsigned char> pressed_;  // keycode each held virtual key went down on
    unsigned char shift_code_ = 0;
    std::optional<unsigned> device_;  // the XTEST keyboard
    bool playing_ = false;
    bool map_stale_ = false;  // the server's keyboard map may have changed since it was read
    HeldInput held_;
    bool held_dirty_ = false;  // releases sent but not yet recorded
    std::unique_ptr<HeldInputRecord> record_;
    std::unique_ptr<QTimer> free_spares_;
    std::unique_ptr<QSocketNotifier> events_;
    int xi_opcode_ = -1;  // XInput 2.2, asked for on the first wait; 0 when the server lacks it
    int releases_seen_ = 0;
};

// Undoes what a dead player's record lists on the X server it names: releases the keys
// and buttons still down and gives the remapped keycodes that still carry the player's
// keysym back what they had. False when that server cannot be reached.
bool UndoHeldInput(const HeldInput& held);

}  // namespace win::x11
