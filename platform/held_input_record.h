#pragma once
// What playback holds down or remaps on the X server, kept in a per-user runtime file from
// before each change until it has been undone. A player killed mid-macro leaves the file
// behind, and the next start undoes what it lists.
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace win {

struct HeldInput {
    struct Remap {
        std::vector<unsigned long> before;  // the keycode's keysyms before the change
        unsigned long now = 0;              // the keysym playback put there
        bool operator==(const Remap&) const = default;
    };
    // Locks changed for one key: the group locked (-1 none) and the one it had, the
    // modifiers locked and those unlocked.
    struct Locks {
        int group = -1, group_before = 0;
        unsigned on = 0, off = 0;
        bool empty() const { return group < 0 && on == 0 && off == 0; }
        bool operator==(const Locks&) const = default;
    };
    std::string display;               // the X display the changes were made on
    std::set<unsigned> keys;           // keycodes held down
    std::set<unsigned> buttons;        // pointer buttons held down
    std::map<unsigned, Remap> remaps;  // by keycode
    Locks locks;

    bool empty() const { return keys.empty() && buttons.empty() && remaps.empty() && locks.empty(); }
    bool operator==(const HeldInput&) const = default;
};

// The file form, one line per item; nullopt for a damaged text.
std::string FormatHeldInput(const HeldInput& held);
std::optional<HeldInput> ParseHeldInput(std::string_view text);

// The session's record: $runtime/tessaro-<namespace>-held-input.
std::string HeldInputRecordPath();

// The record file, locked by its one owner for as long as the owner lives (the lock goes
// with the process, so a record nobody holds was left by a dead owner).
class HeldInputRecord {
public:
    // Opens and locks the record. nullptr when a living process holds it, or when the
    // path is not a plain file of this user with no access for others (a note on stderr).
    // What a dead owner left goes to `leftover` (empty when nothing or damaged).
    static std::unique_ptr<HeldInputRecord> Claim(HeldInput& leftover);
    // Removes the file when the last state written was empty: nothing is left to undo.
    ~HeldInputRecord();
    HeldInputRecord(const HeldInputRecord&) = delete;
    HeldInputRecord& operator=(const HeldInputRecord&) = delete;

    // Replaces the file's content; false when it could not be written.
    bool Write(const HeldInput& held);

private:
    HeldInputRecord(int fd, std::string path) : fd_(fd), path_(std::move(path)) {}
    int fd_;
    std::string path_;
    bool empty_ = true;
};

}  // namespace win
