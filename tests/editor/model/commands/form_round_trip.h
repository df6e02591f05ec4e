#pragma once
// The frame's parse-back judge, handing back the record the parser made so a test can
// preset the dialog from it again.
#include <gtest/gtest.h>

#include <string>

#include "parse_back.h"

namespace tessaro::testing {

template <class Fields>
LineRecord ParsedBack(const FormResult<Fields>& built, TokenKind token) {
    ExpectParsesBack(built, token);
    const auto lines = ParseMacroText(built.CommandText);
    return lines.size() == 1u ? lines[0].Record : LineRecord{};
}

inline std::string BadChar(char c) { return BadCharacterMessage(c); }

}  // namespace tessaro::testing
