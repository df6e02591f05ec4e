#include "hook/key_remap.h"

#include <algorithm>

#include <cstring>

#include "platform/cp1252.h"
#include "platform/paths.h"
#include "platform/virtual_keys.h"

namespace tessaro::hook {

namespace {

constexpr std::string_view kMagic = "TESKMAP1";

// Index of the table entry for a keysym, or -1 when it types no remappable character.
int TableIndexOfKeysym(std::uint32_t sym) {
    const char32_t cp = win::KeysymToChar(sym);
    unsigned char c = 0;
    if (cp == 0 || !win::UnicodeToCp1252(cp, c)) return -1;
    const std::size_t at = kSwapDefaultChars.find(static_cast<char>(c));
    return at == std::string_view::npos ? -1 : static_cast<int>(at);
}

void PutU32(std::string& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

std::uint32_t GetU32(std::string_view in, std::size_t at) {
    std::uint32_t v = 0;
    for (int i = 0; i < 4; ++i)
        v |= static_cast<std::uint32_t>(static_cast<unsigned char>(in[at + i])) << (8 * i);
    return v;
}

}  // namespace

KeyboardMap RemapKeyboard(const KeyboardMap& original, const TSwapKeys& keys) {
    KeyboardMap out = original;
    for (std::uint32_t& sym : out.syms) {
        const int i = TableIndexOfKeysym(sym);
        if (i < 0) continue;
        const auto replacement = static_cast<unsigned char>(keys.at(static_cast<std::size_t>(i)));
        if (replacement == static_cast<unsigned char>(kSwapDefaultChars[static_cast<std::size_t>(i)]))
            continue;
        const win::Keysym to = win::KeysymForChar(win::Cp1252ToUnicode(replacement));
        if (to != 0 && replacement >= 0x20) sym = static_cast<std::uint32_t>(to);
    }
    return out;
}

KeyboardMap FollowUserMap(const KeyboardMap& original, const KeyboardMap& written, const KeyboardMap& now) {
    auto symAt = [](const KeyboardMap& m, int keycode, int col) -> std::uint32_t {
        const int row = keycode - m.firstKeycode;
        return row >= 0 && row < m.keycodeCount() && col < m.symsPerKeycode
                   ? m.syms[static_cast<std::size_t>(row * m.symsPerKeycode + col)]
                   : 0;
    };
    const int columns = std::max({original.symsPerKeycode, written.symsPerKeycode, now.symsPerKeycode});
    KeyboardMap out = now;
    for (int row = 0; row < now.keycodeCount(); ++row) {
        const int keycode = now.firstKeycode + row;
        const int writtenRow = keycode - written.firstKeycode;
        const int originalRow = keycode - original.firstKeycode;
        if (writtenRow < 0 || writtenRow >= written.keycodeCount() || originalRow < 0 ||
            originalRow >= original.keycodeCount())
            continue;
        bool untouched = true;
        for (int col = 0; col < columns && untouched; ++col)
            untouched = symAt(now, keycode, col) == symAt(written, keycode, col);
        if (!untouched) continue;
        for (int col = 0; col < now.symsPerKeycode; ++col)
            out.syms[static_cast<std::size_t>(row * now.symsPerKeycode + col)] =
                symAt(original, keycode, col);
    }
    return out;
}

std::string SerializeKeyboardMap(const KeyboardMap& map) {
    std::string out(kMagic);
    PutU32(out, static_cast<std::uint32_t>(map.firstKeycode));
    PutU32(out, static_cast<std::uint32_t>(map.symsPerKeycode));
    PutU32(out, static_cast<std::uint32_t>(map.syms.size()));
    for (std::uint32_t s : map.syms) PutU32(out, s);
    return out;
}

std::optional<KeyboardMap> ParseKeyboardMap(std::string_view bytes) {
    const std::size_t head = kMagic.size() + 12;
    if (bytes.size() < head || bytes.substr(0, kMagic.size()) != kMagic) return std::nullopt;
    KeyboardMap map;
    map.firstKeycode = static_cast<int>(GetU32(bytes, kMagic.size()));
    map.symsPerKeycode = static_cast<int>(GetU32(bytes, kMagic.size() + 4));
    const std::uint32_t count = GetU32(bytes, kMagic.size() + 8);
    if (map.firstKeycode < 8 || map.firstKeycode > 255 || map.symsPerKeycode < 1 ||
        map.symsPerKeycode > 255 || count % static_cast<std::uint32_t>(map.symsPerKeycode) != 0 ||
        bytes.size() != head + 4ull * count ||
        map.firstKeycode + count / static_cast<std::uint32_t>(map.symsPerKeycode) > 256)
        return std::nullopt;
    map.syms.reserve(count);
    for (std::uint32_t i = 0; i < count; ++i) map.syms.push_back(GetU32(bytes, head + 4 * i));
    return map;
}

std::string SavedKeyboardMapPath() {
    const std::optional<std::string> dir = win::RuntimeDirectory();
    return dir ? win::JoinPath(*dir, win::NamespacedName("keymap-before-remap")) : std::string();
}

}  // namespace tessaro::hook
