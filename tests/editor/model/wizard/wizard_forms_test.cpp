// The launch and move builders in the wizard's form: the older, shorter tokens, read by the
// player whole and by the parser as the record the builder made; the dialog's form stays.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/model/commands/active_forms.h"
#include "editor/model/commands/window_forms.h"
#include "editor/script/parse_text.h"
#include "macro/macro_language.h"
#include "tests/editor/model/commands/record_equal.h"
#include "tests/support/temp_dir.h"

namespace tessaro {
namespace {

using testing::SameRecord;

template <class Form>
Form Wizard(Form form) {
    form.As = TextForm::Wizard;
    return form;
}

template <class Fields>
void ExpectWizardText(const FormResult<Fields>& built, const std::string& text, TokenKind token) {
    ASSERT_TRUE(built.ok()) << built.error->message;
    EXPECT_EQ(built.CommandText, text);
    const Token t = Recognise(built.CommandText, 0);
    EXPECT_EQ(t.kind, token) << text;
    EXPECT_EQ(t.length, built.CommandText.size()) << text;
    EXPECT_FALSE(t.unterminated) << text;
    const std::vector<ScriptLine> lines = ParseMacroText(built.CommandText);
    ASSERT_EQ(lines.size(), 1u) << text;
    EXPECT_EQ(LineCommand(lines[0]), built.code) << text;
    EXPECT_TRUE(SameRecord(lines[0].Record, built.record)) << text;
}

ActiveForm Launch(std::int32_t kind, std::string program, std::string title = "") {
    ActiveForm f;
    f.Kind = kind;
    f.ProgPath = std::move(program);
    f.WinTitle = std::move(title);
    // What the dialog's own fields would add; the wizard's form has none of them.
    f.Params = "-n";
    f.DelaySecs = "5";
    f.MaxSecs = "30";
    f.RunStyle = 2;
    return f;
}

TEST(WizardLaunchForms, AreTheShortTokensWithoutParametersDelaysOrWaits) {
    testing::TempDir dir;
    const std::string missing = dir.file("not-there");  // the wizard's pages test no program
    ExpectWizardText(BuildActive(Wizard(Launch(2, missing))), "<LAUNCH:" + missing + ">", TokenKind::Launch);
    ExpectWizardText(BuildActive(Wizard(Launch(3, missing, "Notepad"))),
                     "<LAUNCHNO:01Notepad<LAUNCH:" + missing + ">", TokenKind::LaunchNo);
    ExpectWizardText(BuildActive(Wizard(Launch(4, "notepad", "Untitled"))),
                     "<LAUNCHYES:01Untitled<LAUNCH:notepad>", TokenKind::LaunchYes);
    ExpectWizardText(BuildActive(Wizard(Launch(1, "", "Inbox"))), "<ACTIVATE:Inbox>", TokenKind::Activate);
}

TEST(WizardLaunchForms, RefuseWhatWouldEndTheirTokensEarly) {
    const auto title = BuildActive(Wizard(Launch(3, "notepad", "a<b")));
    ASSERT_FALSE(title.ok());
    EXPECT_EQ(title.error->focus, "WinTitle");
    const auto path = BuildActive(Wizard(Launch(2, "note>pad")));
    ASSERT_FALSE(path.ok());
    EXPECT_EQ(path.error->focus, "ProgPath");
}

TEST(WizardLaunchForms, LeaveTheDialogsFormAsItWas) {
    testing::TempDir dir;
    const std::string program = dir.file("tool");
    const auto missing = BuildActive(Launch(2, program));
    ASSERT_FALSE(missing.ok());
    EXPECT_EQ(missing.error->message, "Specified Path and Program does not exist.  Please correct.");
    ActiveForm f = Launch(3, program, "Tool");
    f.Bypass = true;
    const auto built = BuildActive(f);
    ASSERT_TRUE(built.ok());
    EXPECT_EQ(built.CommandText, "<LAUNCHNO2:0530Tool<LAUNCH:" + program + "<PARAM>-n2\x01>");
}

SizeItForm Size(std::int32_t kind, std::string first, std::string second, std::string title = "") {
    SizeItForm f;
    f.Kind = kind;
    f.Target = {title.empty(), std::move(title)};
    f.TheWidth = std::move(first);
    f.TheHeight = std::move(second);
    return f;
}

TEST(WizardMoveForm, IsTheFourDigitPositionAndAnySizeItsPageTook) {
    ExpectWizardText(BuildSizeIt(Wizard(Size(2, "10", "20"))), "<WPOS:0010,0020\"CURRENT\">",
                     TokenKind::WPos);
    ExpectWizardText(BuildSizeIt(Wizard(Size(2, "0", "9999", "Notepad"))), "<WPOS:0000,9999Notepad>",
                     TokenKind::WPos);
    ExpectWizardText(BuildSizeIt(Wizard(Size(1, "640", "480", "Notepad"))), "<WSIZE:0640,0480Notepad>",
                     TokenKind::WSize);
    ExpectWizardText(BuildSizeIt(Wizard(Size(1, "5", "0", "Notepad"))), "<WSIZE:0005,0000Notepad>",
                     TokenKind::WSize);
}

TEST(WizardMoveForm, RefusesOnlyWhatFourDigitsCannotHold) {
    const auto wide = BuildSizeIt(Wizard(Size(1, "10000", "5", "Notepad")));
    ASSERT_FALSE(wide.ok());
    EXPECT_EQ(wide.error->message, "Invalid width specified. Please correct.");
    EXPECT_EQ(wide.error->focus, "TheWidth");
    const auto above = BuildSizeIt(Wizard(Size(2, "10", "-1")));
    ASSERT_FALSE(above.ok());
    EXPECT_EQ(above.error->message, "Invalid top position specified. Please correct.");
    EXPECT_EQ(above.error->focus, "TheHeight");
    // The dialog keeps its own limits and its five-digit form.
    EXPECT_FALSE(BuildSizeIt(Size(1, "5", "5", "Notepad")).ok());
    EXPECT_EQ(BuildSizeIt(Size(2, "10", "20")).CommandText, "<WPOS2:00010,00020\"CURRENT\">");
}

}  // namespace
}  // namespace tessaro
