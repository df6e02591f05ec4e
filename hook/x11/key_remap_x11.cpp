#include <X11/Xlib.h>

#include <filesystem>

#include "hook/key_remap.h"
#include "platform/file_io.h"
#include "platform/x11/xlib_memory.h"

namespace tessaro::hook {

namespace {

bool SaveOriginal(const KeyboardMap& map) {
    return win::WritePrivateFile(SavedKeyboardMapPath(), SerializeKeyboardMap(map));
}

std::optional<KeyboardMap> LoadSaved() {
    const std::optional<std::string> bytes = win::ReadPrivateFile(SavedKeyboardMapPath());
    return bytes ? ParseKeyboardMap(*bytes) : std::nullopt;
}

void ForgetSaved() {
    std::error_code ec;
    std::filesystem::remove(SavedKeyboardMapPath(), ec);
}

}  // namespace

KeyboardMap ReadKeyboardMap(Display* display) {
    KeyboardMap map;
    int minCode = 0, maxCode = 0;
    XDisplayKeycodes(display, &minCode, &maxCode);
    int perCode = 0;
    const int count = maxCode - minCode + 1;
    const win::x11::XMemory<KeySym> owned =
        win::x11::XOwned(XGetKeyboardMapping(display, static_cast<KeyCode>(minCode), count, &perCode));
    const KeySym* syms = owned.get();
    if (!syms) return map;
    map.firstKeycode = minCode;
    map.symsPerKeycode = perCode;
    map.syms.assign(syms, syms + static_cast<std::size_t>(count) * static_cast<std::size_t>(perCode));
    return map;
}

bool WriteKeyboardMap(Display* display, const KeyboardMap& map) {
    if (map.symsPerKeycode <= 0 || map.syms.empty()) return false;
    // A map for other keycodes (the server changed meanwhile) would be refused with an error.
    const KeyboardMap now = ReadKeyboardMap(display);
    const int nowLast = now.firstKeycode + now.keycodeCount() - 1;
    if (now.syms.empty() || map.firstKeycode < now.firstKeycode ||
        map.firstKeycode + map.keycodeCount() - 1 > nowLast)
        return false;

    // Only keys whose symbols differ are sent: every change makes the server rebuild the
    // key's XKB types, so untouched keys stay exactly as the user's layout made them.
    auto symAt = [](const KeyboardMap& m, int keycode, int col) -> std::uint32_t {
        return col < m.symsPerKeycode
                   ? m.syms[static_cast<std::size_t>((keycode - m.firstKeycode) * m.symsPerKeycode + col)]
                   : 0;
    };
    // Columns the server added for its own groups are not a difference we made.
    auto differs = [&](int keycode) {
        for (int col = 0; col < map.symsPerKeycode; ++col)
            if (symAt(map, keycode, col) != symAt(now, keycode, col)) return true;
        return false;
    };
    // One request per run of changed keys: each request is one notice to every client.
    const int end = map.firstKeycode + map.keycodeCount();
    for (int keycode = map.firstKeycode; keycode < end;) {
        if (!differs(keycode)) {
            ++keycode;
            continue;
        }
        const int first = keycode;
        while (keycode < end && differs(keycode)) ++keycode;
        std::vector<KeySym> syms;
        for (int k = first; k < keycode; ++k)
            for (int col = 0; col < map.symsPerKeycode; ++col) syms.push_back(symAt(map, k, col));
        XChangeKeyboardMapping(display, first, map.symsPerKeycode, syms.data(), keycode - first);
    }
    // Clients read the new mapping only once it has reached the server.
    XSync(display, False);
    return true;
}

bool KeyRemapper::Install(const TSwapKeys& keys) {
    if (!display_) return false;
    if (installed()) return Update(keys);
    KeyboardMap original = ReadKeyboardMap(display_);
    if (original.syms.empty() || !SaveOriginal(original)) return false;
    original_ = std::move(original);
    if (Apply(keys)) return true;
    Remove();
    return false;
}

bool KeyRemapper::Apply(const TSwapKeys& keys) {
    keys_ = keys;
    const bool written = WriteKeyboardMap(display_, RemapKeyboard(*original_, keys));
    written_ = ReadKeyboardMap(display_);
    return written;
}

bool KeyRemapper::Update(const TSwapKeys& keys) {
    if (!installed()) return false;
    Follow();
    return Apply(keys);
}

bool KeyRemapper::Follow() {
    if (!installed() || !written_) return false;
    const KeyboardMap now = ReadKeyboardMap(display_);
    if (now.syms.empty() || now == *written_) return false;
    original_ = FollowUserMap(*original_, *written_, now);
    SaveOriginal(*original_);
    Apply(keys_);
    return true;
}

void KeyRemapper::Remove() {
    if (!installed()) return;
    Follow();
    WriteKeyboardMap(display_, *original_);
    original_.reset();
    written_.reset();
    ForgetSaved();
}

bool RestoreKeyboardAfterCrash(Display* display) {
    const std::optional<KeyboardMap> saved = LoadSaved();
    bool restored = false;
    if (saved && display) restored = WriteKeyboardMap(display, *saved);
    if (restored || !saved) ForgetSaved();  // a damaged file cannot be used anyway
    return restored;
}

}  // namespace tessaro::hook
