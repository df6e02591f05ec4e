#pragma once
// Texts of many characters a layout lacks, and the text a window's key presses typed, read
// by keysym: what the typing tests and benchmarks compare.
#include <X11/Xlib.h>

#include <functional>
#include <random>
#include <string>

#include "platform/cp1252.h"
#include "platform/virtual_keys.h"
#include "platform/x11/legacy_keysyms.h"
#include "tests/support/key_target.h"

namespace tessaro::testing {

// `length` characters, every third one of the Windows-1252 upper half (far more distinct
// ones than a keyboard has spare keycodes), the others plain, on Shift or (on the German
// layout) behind AltGr.
inline std::string MixedAbsentText(std::size_t length, unsigned seed = 47) {
    std::string upper;
    for (int c = 0x80; c <= 0xFF; ++c)
        if (c != 0xA0 && c != 0xAD && win::Cp1252ToUnicode(static_cast<unsigned char>(c)) >= 0xA0)
            upper += static_cast<char>(c);
    const std::string others =
        "abcdefghijklmnopqrstuvwxyz0123456789 ABCDEFGHIJKLMNOPQRSTUVWXYZ!\"$%&/()=?@{}[]\\~|";
    std::mt19937 rng(seed);
    std::string text;
    while (text.size() < length) {
        const std::string& from = text.size() % 3 == 2 ? upper : others;
        text += from[rng() % from.size()];
    }
    return text;
}

// The Windows-1252 character a keysym types (by its Unicode value or its old name, as
// "EuroSign"); 0 for none (Shift, AltGr).
inline unsigned char CharOfKeysym(KeySym sym) {
    unsigned char byte = 0;
    if (const char32_t cp = win::KeysymToChar(sym); cp && win::UnicodeToCp1252(cp, byte)) return byte;
    for (int c = 0x80; c <= 0xFF; ++c)
        if (win::x11::LegacyKeysymForChar(win::Cp1252ToUnicode(static_cast<unsigned char>(c))) == sym)
            return static_cast<unsigned char>(c);
    return 0;
}

// The text of the key presses that typed a character.
inline std::string TypedCharacters(const KeyTarget& target) {
    std::string text;
    for (const KeyTarget::Key& k : target.keys)
        if (k.press)
            if (const unsigned char c = CharOfKeysym(XStringToKeysym(k.keysym.c_str())))
                text += static_cast<char>(c);
    return text;
}

// Reads until `done` holds, or no key has come for `quiet` (some were lost), at most `limit`.
inline void ReadUntilDoneOrQuiet(KeyTarget& target, const std::function<bool()>& done,
                                 KeyTarget::Clock::duration quiet, KeyTarget::Clock::duration limit) {
    std::size_t seen = 0;
    auto last = KeyTarget::Clock::now();
    target.WaitUntil(
        [&] {
            if (target.keys.size() != seen) {
                seen = target.keys.size();
                last = KeyTarget::Clock::now();
            }
            return done() || KeyTarget::Clock::now() - last > quiet;
        },
        limit);
}

}  // namespace tessaro::testing
