#pragma once
// Key remapping: while the remap hook is installed, every application types the table's
// replacement for each remapped character. On X11 this is done by rewriting the keysyms of
// the server's keyboard mapping; the original mapping is kept in a file until it has been
// put back, so that a player that died with the remap on can restore it at its next start.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "protocol/swap_keys.h"

typedef struct _XDisplay Display;  // no X header here: its macros clash with other code

namespace tessaro::hook {

// The keysyms of a range of keycodes, as XGetKeyboardMapping returns them.
struct KeyboardMap {
    int firstKeycode = 0;
    int symsPerKeycode = 0;
    std::vector<std::uint32_t> syms;  // keycode by keycode

    int keycodeCount() const { return symsPerKeycode ? static_cast<int>(syms.size()) / symsPerKeycode : 0; }
    bool operator==(const KeyboardMap&) const = default;
};

// Every keysym that types a remapped character is replaced by the keysym of its
// replacement; replacements are taken from the original map, so swaps work both ways.
KeyboardMap RemapKeyboard(const KeyboardMap& original, const TSwapKeys& keys);

// The user's map after the server's map changed under a remap (a layout switch, another
// program's change): each key the change left as the remap wrote it (`written`) keeps its
// `original` symbols; every other key is as the change made it (`now`).
KeyboardMap FollowUserMap(const KeyboardMap& original, const KeyboardMap& written, const KeyboardMap& now);

// The file form of a saved map, and its reader (nullopt for anything damaged).
std::string SerializeKeyboardMap(const KeyboardMap& map);
std::optional<KeyboardMap> ParseKeyboardMap(std::string_view bytes);

// Where this session keeps the original map while a remap is on.
std::string SavedKeyboardMapPath();

// The remap of one X connection.
class KeyRemapper {
public:
    explicit KeyRemapper(Display* display) : display_(display) {}
    ~KeyRemapper() { Remove(); }
    KeyRemapper(const KeyRemapper&) = delete;
    KeyRemapper& operator=(const KeyRemapper&) = delete;

    // Saves the current mapping, then applies the table. A table that remaps nothing
    // still counts as installed (a later Update may change it). False when the original
    // could not be saved or the server refused the change.
    bool Install(const TSwapKeys& keys);
    // A changed table while installed: applied over the user's map.
    bool Update(const TSwapKeys& keys);
    // Puts the user's map of now back and forgets the saved file.
    void Remove();
    // The server's map changed under the remap: what the change made is the user's map
    // now, and the table is applied over it again. False when nothing changed.
    bool Follow();
    bool installed() const { return original_.has_value(); }
    const std::optional<KeyboardMap>& original() const { return original_; }

private:
    // Writes the table over the user's map and notes what the server holds then.
    bool Apply(const TSwapKeys& keys);

    Display* display_;
    std::optional<KeyboardMap> original_;  // the user's map, without the remap
    std::optional<KeyboardMap> written_;   // the server's map once the remap was written
    TSwapKeys keys_{};
};

// At start of the one player instance (never from a second start or the editor): when a
// saved original is left over from a player that died, put it back. True when restored.
bool RestoreKeyboardAfterCrash(Display* display);

// The hook library's remap, driven by the table in the shared block "QTTT1KGR" (read
// under the mutex "QTQJaveR") and kept on an X connection of its own, so that it can
// still restore the mapping when the process ends. On the simulated desktop there is no
// keyboard mapping: the calls succeed and change nothing.
bool StartRemapFromSwapBlock();    // the remap hook is installed
bool RefreshRemapFromSwapBlock();  // the table changed; false when no remap is on
void StopRemap();                  // the remap hook is removed
// The map as it was before the remap, while one is on: each key's own keysyms.
std::optional<KeyboardMap> RemappedOriginal();
bool RestoreRemapLeftByCrash();  // the one player instance starts

// The keyboard mapping of the display, and setting one (waits for the server).
KeyboardMap ReadKeyboardMap(Display* display);
bool WriteKeyboardMap(Display* display, const KeyboardMap& map);

}  // namespace tessaro::hook
