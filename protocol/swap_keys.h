#pragma once
// The key remapping table: for each of 93 typed characters, the character to produce
// instead. Stored as the only record of the ".QTS" file beside the macro file, and kept
// while the player runs in the shared block "QTTT1KGR", where the hook library reads it.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "protocol/object_names.h"

namespace tessaro {

inline constexpr std::size_t kSwapKeyCount = 93;

// The characters the table maps, in table order: A..Z, a..z, 0..9, then punctuation.
inline constexpr std::string_view kSwapDefaultChars =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZ"
    "abcdefghijklmnopqrstuvwxyz"
    "0123456789"
    " !\"#$%&'()*+,-./:;<=>?@[\\]^_`}~";
static_assert(kSwapDefaultChars.size() == kSwapKeyCount);

#pragma pack(push, 1)
struct TSwapKeys {
    char Upper[26];
    char Lower[26];
    char Digits[10];
    char Punctuation[31];

    char& at(std::size_t i) { return reinterpret_cast<char*>(this)[i]; }
    char at(std::size_t i) const { return reinterpret_cast<const char*>(this)[i]; }
};

// The shared block "QTTT1KGR".
struct TSwapShared {
    std::uint32_t PlayerWnd;
    std::uint32_t SwapHook;
    TSwapKeys Keys;
    std::uint8_t Unused101[2];
    std::uint8_t Flag103;  // set 0 at start
};
#pragma pack(pop)

static_assert(sizeof(TSwapKeys) == kSwapKeyCount);
static_assert(offsetof(TSwapKeys, Lower) == 26);
static_assert(offsetof(TSwapKeys, Digits) == 52);
static_assert(offsetof(TSwapKeys, Punctuation) == 62);
static_assert(sizeof(TSwapShared) == 104);
static_assert(offsetof(TSwapShared, SwapHook) == 4);
static_assert(offsetof(TSwapShared, Keys) == 8);
static_assert(offsetof(TSwapShared, Keys) + offsetof(TSwapKeys, Lower) == 34);
static_assert(offsetof(TSwapShared, Keys) + offsetof(TSwapKeys, Digits) == 60);
static_assert(offsetof(TSwapShared, Keys) + offsetof(TSwapKeys, Punctuation) == 70);
static_assert(offsetof(TSwapShared, Flag103) == 103);

// Every character mapped to itself. (Inline, as the layout: the hook library uses both.)
inline TSwapKeys DefaultSwapKeys() {
    TSwapKeys keys;
    std::memcpy(&keys, kSwapDefaultChars.data(), kSwapKeyCount);
    return keys;
}

// True when any entry differs from its default.
inline bool SwapsInUse(const TSwapKeys& keys) {
    return std::memcmp(&keys, kSwapDefaultChars.data(), kSwapKeyCount) != 0;
}

}  // namespace tessaro
