#pragma once
// Input into the real X desktop through the XTEST extension. Keys are looked up in the
// layout of the XTEST keyboard device (the one fake events go through), in every group
// and level: a character is typed with the modifiers its level needs (AltGr too), a
// modifier locked for the one key (NumLock for the keypad) or another group locked for
// it. Only a character no key has, or whose key the hand holds down (a press of a key
// already down types nothing), is put on a spare keycode, which keeps it for as long as a
// late reader may still translate its keys (spare_keys.h). Every key and button held down,
// lock changed and keycode remapped is in the session's held-input record until it has
// been undone.
#include <chrono>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string_view>
#include <vector>

#include "platform/held_input_record.h"
#include "platform/input.h"
#include "platform/x11/fetch_proof.h"
#include "platform/x11/key_levels.h"
#include "platform/x11/read_proof.h"
#include "platform/x11/spare_keys.h"
#include "platform/x11/xkb_levels.h"

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
    void LetGoOfUserModifiers() override;
    // Waits for the server to report the key or button up; raw release events wake the
    // wait at once, so the macro follows the release within a round trip.
    void AwaitRelease(unsigned char vk, const std::function<void()>& pump) override;
    // Modifiers let go of for playback that the hand still holds are pressed back. Spare
    // keycodes keep their keysyms: a program may read their keys long after. Those left
    // unused for a long while are given back from the event loop; all of them when this
    // object ends.
    void EndPlayback() override;

    // A spare keycode to be lent again goes to the keysym typed latest in this text.
    void TextAhead(std::string_view text) override { ahead_ = text; }

    // Types one Unicode character by its keysym.
    void TypeCharacter(char32_t cp);

    // Reads and drops the events queued on the connection (every keyboard-map change
    // sends one to each client); returns how many.
    int DropEvents();

protected:
    void SendKey(unsigned char vk, bool up) override;
    void SendMouse(unsigned flags, int dx, int dy, int data) override;

private:
    using Clock = std::chrono::steady_clock;
    // A key playback holds down, and what its press changed around it.
    struct Pressed {
        unsigned char code = 0;
        Stroke stroke;
    };

    void LoadKeyboardMap();
    // The layout's key for a keysym (not a spare keycode).
    std::optional<KeyLevels::Place> Find(unsigned long keysym) const;
    // How to type `keysym` now, spares included; nullopt when no key has it.
    std::optional<Stroke> Plan(unsigned long keysym);
    LevelState State();
    // Lends a spare keycode to `keysym` (waiting, when all are lent, until the oldest is
    // read); 0 when there is none.
    unsigned char SpareFor(unsigned long keysym);
    void NoteSpareUse(unsigned char code);
    // Waits until the reader of the spare's keys shows it read them, `most` at the longest.
    void AwaitRead(SpareKeys::Spare& spare, Clock::duration most);
    SpareKeys::Reading ReadingOf(SpareKeys::Reader reader) const;
    void ReturnIdleSpares();
    void ReturnAllSpares();
    // Puts a keysym on a keycode (recorded before), or gives the keycode back what it had
    // (recorded after).
    void Remap(unsigned char code, unsigned long keysym);
    void Unmap(unsigned char code);
    void SetMapping(unsigned char code, const std::vector<unsigned long>& keysyms);
    // One press and release of the stroke's key, with its changes around it.
    void Strike(const Stroke& stroke);
    // The stroke's changes before its key goes down (recorded first), and undone after.
    void Prepare(const Stroke& stroke);
    void Undo(const Stroke& stroke);
    void FakeKey(unsigned char code, bool press, unsigned vk);
    void FakeButton(unsigned button, bool press);
    void AwaitButtonDelivered(unsigned button);
    // Sends the queued requests, then records the releases among them.
    void Flush();
    void Record();
    // The key or button `vk` is down on the server now.
    bool Held(unsigned char vk);
    // The keycode is down on the server, and not by playback: the hand holds it.
    bool HeldByHand(unsigned char code);
    // False when the hand still holds the keycode and `keysym` is to go on another one.
    bool HandLetGo(unsigned char code, unsigned long keysym);
    // Raw key events of every device reach this connection while a release is awaited or
    // a modifier of the hand is let go of; false when the server has no XInput 2.2.
    bool WatchRaw();
    void OnRawKey(bool press, unsigned char code);
    void PressBackUserModifiers();

    Display* display_;
    bool ok_ = false;
    int min_code_ = 8, max_code_ = 255;
    XkbLayout layout_;
    SpareKeys spares_;
    std::string_view ahead_;                    // the text to be typed after the next character
    std::optional<LevelState> state_;           // nullopt: to be read again
    std::map<unsigned char, Pressed> pressed_;  // by virtual key
    std::optional<unsigned> device_;            // the XTEST keyboard
    bool playing_ = false;
    bool map_stale_ = false;  // the server's keyboard map may have changed since it was read
    int xkb_event_ = -1;
    HeldInput held_;
    bool held_dirty_ = false;  // releases sent but not yet recorded
    std::unique_ptr<HeldInputRecord> record_;
    std::unique_ptr<ReadProof> proof_;
    std::unique_ptr<FetchProof> fetches_;  // nullptr: the server has no RECORD
    Clock::time_point asked_{};            // when the reader was last asked whether it read
    std::set<unsigned long> answering_;    // readers that answered a question
    std::set<unsigned long> silent_;       // readers that left one unanswered in this macro
    std::unique_ptr<QTimer> free_spares_;
    std::unique_ptr<QSocketNotifier> events_;
    int xi_opcode_ = -1;  // XInput 2.2, asked for on the first wait; 0 when the server lacks it
    bool raw_selected_ = false;
    bool awaiting_release_ = false;
    int releases_seen_ = 0;
    // A modifier the hand holds that playback let go of: how many of our own releases of it
    // are still to be seen, and whether it was pressed back (its press not yet seen). A
    // release beyond our own is the hand's.
    struct Lent {
        int own = 0;
        bool back = false;
        bool hand_let_go = false;
    };
    std::map<unsigned char, Lent> lent_;  // by keycode
};

// Undoes what a dead player's record lists on the X server it names: releases the keys
// and buttons still down and gives the remapped keycodes that still carry the player's
// keysym back what they had. False when that server cannot be reached.
bool UndoHeldInput(const HeldInput& held);

}  // namespace win::x11
