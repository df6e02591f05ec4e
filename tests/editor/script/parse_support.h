#pragma once
// Helpers shared by the parser's tests.
#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "editor/script/parse_text.h"
#include "editor/script/script_writer.h"

namespace tessaro::testing {

// The macro text the serialiser writes for the lines parsed from `text`.
inline std::string Reparse(std::string_view text) {
    const ScriptTextResult written = BuildMacroText(ParseMacroText(text));
    EXPECT_TRUE(written.ok) << written.error << " in " << text;
    return written.text;
}

// The one line that `text` parses to, with its record of type T.
template <class T>
T OnlyRecord(std::string_view text, int code, std::string* display = nullptr) {
    const std::vector<ScriptLine> lines = ParseMacroText(text);
    EXPECT_EQ(lines.size(), 1u) << text;
    if (lines.size() != 1) return T{};
    EXPECT_EQ(LineCommand(lines[0]), code) << lines[0].Text;
    if (display) *display = lines[0].Text;
    const T* rec = std::get_if<T>(&lines[0].Record);
    EXPECT_NE(rec, nullptr) << text;
    return rec ? *rec : T{};
}

}  // namespace tessaro::testing
