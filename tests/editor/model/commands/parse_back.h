#pragma once
// The judges of every dialog's output: the script parser reads the command text back as
// exactly the line the dialog made, the player's recogniser takes it as the expected token
// from end to end, and the serialiser writes the same text again.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/model/commands/command_form.h"
#include "editor/script/display_text.h"
#include "editor/script/parse_text.h"
#include "editor/script/script_writer.h"
#include "macro/macro_language.h"
#include "record_equal.h"

namespace tessaro::testing {

// `token` None: typed text (key tokens, Alt codes, symbols) that must stay one Text line.
template <class Fields>
void ExpectParsesBack(const FormResult<Fields>& built, TokenKind token) {
    ASSERT_TRUE(built.ok()) << built.error->message;
    const std::string& text = built.CommandText;
    ASSERT_FALSE(text.empty());
    const std::vector<ScriptLine> lines = ParseMacroText(text);
    ASSERT_EQ(lines.size(), 1u) << text;
    EXPECT_EQ(LineCommand(lines[0]), built.code) << text;
    EXPECT_EQ(lines[0].Text, DisplayText(built.code, built.record)) << text;
    EXPECT_TRUE(SameRecord(lines[0].Record, built.record)) << text;
    if (token != TokenKind::None) {
        const Token t = Recognise(text, 0);
        EXPECT_EQ(t.kind, token) << text;
        EXPECT_EQ(t.length, text.size()) << text;
        EXPECT_FALSE(t.unterminated) << text;
    }
    const ScriptTextResult again = CommandText(LineCommand(lines[0]), lines[0].Record);
    ASSERT_TRUE(again.ok) << again.error;
    EXPECT_EQ(again.text, text);
}

template <class Fields>
void ExpectRefused(const FormResult<Fields>& built, const std::string& message, const std::string& focus) {
    ASSERT_FALSE(built.ok()) << "built " << built.CommandText;
    EXPECT_EQ(built.error->message, message);
    EXPECT_EQ(built.error->focus, focus);
    EXPECT_TRUE(built.CommandText.empty());
}

}  // namespace tessaro::testing
