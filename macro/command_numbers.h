#pragma once
// How the numbers a command carries are read: one rule for the player and for the editor's
// parser, so that what the editor writes back plays as the text did.
#include <cstddef>
#include <string_view>

#include "macro/macro_language.h"

namespace tessaro {

// Whether a command's number field allows decimals: the seconds of "<DELAY:" and
// "<TDELAY:" and the factor of "<SPEED:". Every other number a command carries is whole
// (milliseconds, counts, coordinates, minutes).
bool FieldAllowsDecimals(TokenKind kind, std::size_t field);

// A command's number field (0-based, in layout order) as the player takes it: ArgReal where
// decimals are allowed (no number gives 0), ArgInt's whole number everywhere else ("12.5"
// milliseconds are 12).
double CommandNumber(TokenKind kind, std::size_t field, std::string_view text);

}  // namespace tessaro
