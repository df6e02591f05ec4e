#include "player/capture/cap_complete_model.h"

#include <gtest/gtest.h>

#include <memory>

#include "protocol/hotkey_names.h"

namespace tessaro {
namespace {

class CapComplete : public ::testing::Test {
protected:
    void Macro(int n, std::uint16_t code, std::uint16_t scope) {
        glob->MacroCount = std::max<int>(glob->MacroCount, n);
        glob->ActivationCode[n] = code;
        glob->Scope[n] = scope;
    }
    std::unique_ptr<TGlobData> glob = std::make_unique<TGlobData>();
};

TEST_F(CapComplete, HeightsFollowTheKindOfStart) {
    EXPECT_EQ(CapCompleteHeight(CapType::HotKeys), 443);
    EXPECT_EQ(CapCompleteHeight(CapType::Snipra), 204);
    EXPECT_EQ(CapCompleteHeight(CapType::None), 178);
}

TEST_F(CapComplete, EveryCodeHasALineCountingTheMacrosUsingIt) {
    Macro(1, 5, scGlobal);
    Macro(2, 7, scProgram);
    Macro(3, 7, scWindow);
    Macro(4, 7, scGlobal);
    Macro(5, acAbbreviation, scGlobal);
    const auto lines = HotKeyLines(*glob);
    ASSERT_EQ(lines.size(), 721u);
    EXPECT_EQ(lines[0].text, HotKeyNames(0) + "  (Not in Use)");
    EXPECT_EQ(lines[5].text, HotKeyNames(5) + "  (1 macro in use)");
    EXPECT_EQ(lines[7].usage, "3 macros in use");
    EXPECT_EQ(lines[7].name, HotKeyNames(7));
    EXPECT_EQ(lines[720].usage, "Not in Use");
}

TEST_F(CapComplete, OkChecksInOrder) {
    CapChoice c;
    c.type = CapType::HotKeys;
    CapCheck r = CheckCapChoice(c, *glob);
    EXPECT_EQ(r.kind, CapCheck::Error);
    EXPECT_EQ(r.text, "No hot key selected.  Please select one.");

    Macro(1, 9, scSystem);
    Macro(2, 10, scProgram);
    c.code = 9;
    r = CheckCapChoice(c, *glob);
    EXPECT_EQ(r.kind, CapCheck::Error);
    EXPECT_NE(r.text.find("A Global Hot Key is already in use"), std::string::npos);
    c.global = false;  // program macros may share a code
    EXPECT_EQ(CheckCapChoice(c, *glob).kind, CapCheck::Ok);
    c.global = true;
    c.code = 10;
    EXPECT_EQ(CheckCapChoice(c, *glob).kind, CapCheck::Ok);

    c.code = kReservedHotKeys[0];
    r = CheckCapChoice(c, *glob);
    EXPECT_EQ(r.kind, CapCheck::Confirm);
    EXPECT_EQ(r.caption, "Warning");
    const std::string& name = HotKeyNames(c.code);
    EXPECT_EQ(r.text,
              name +
                  " may be used internally by Windows 95, 98 or NT.  This may cause the hot key not to "
                  "function correctly. Would you still like to use " +
                  name + "?");

    c.type = CapType::Snipra;
    c.snipra = "   ";
    r = CheckCapChoice(c, *glob);
    EXPECT_EQ(r.text, "No Snipra name entered.");
    EXPECT_TRUE(r.focusSnipra);
    c.type = CapType::None;
    EXPECT_EQ(CheckCapChoice(c, *glob).kind, CapCheck::Ok);
}

TEST_F(CapComplete, TheChoiceIsWrittenIntoTheMacro) {
    TMacroRecord rec;
    rec.Scope = scGlobal;
    CapChoice c;
    c.type = CapType::Snipra;
    c.snipra = "  sigblock12345 ";
    c.nickname = "  My signature ";
    c.global = false;
    ApplyCapChoice(c, "THUNDERBIRD", rec);
    EXPECT_EQ(rec.Abbreviation.str(), "sigblock12");
    EXPECT_EQ(+rec.ActivationCode, acAbbreviation);
    EXPECT_EQ(rec.Nickname.str(), "My signature");
    EXPECT_EQ(+rec.Scope, scProgram);
    EXPECT_EQ(rec.ScopeText.str(), "THUNDERBIRD");
    EXPECT_EQ(+rec.TopmostOnly, 1);

    TMacroRecord hot;
    hot.Scope = scGlobal;
    c = {CapType::HotKeys, true, 44, "", "x"};
    ApplyCapChoice(c, "IGNORED", hot);
    EXPECT_EQ(+hot.ActivationCode, 44);
    EXPECT_EQ(+hot.Scope, scGlobal);
    EXPECT_EQ(hot.ScopeText.str(), "");
    c.type = CapType::None;
    ApplyCapChoice(c, "", hot);
    EXPECT_EQ(+hot.ActivationCode, acNone);
}

}  // namespace
}  // namespace tessaro
