// The abbreviation stream: what completes an abbreviation, what is erased, what stays in
// the buffer, and which macro runs.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "foundation/config_record.h"
#include "macro/macro_record.h"
#include "player/abbrev/abbreviation_machine.h"
#include "player/engine/trigger_dispatch.h"
#include "protocol/glob_data.h"

namespace tessaro {
namespace {

class FakeForeground : public ForegroundInfo {
public:
    std::string title = "Untitled - Notes", program = "NOTES";
    int asked = 0;
    std::string Title() override { return ++asked, title; }
    std::string Program() override { return ++asked, program; }
};

class AbbreviationStream : public ::testing::Test {
protected:
    void SetUp() override {
        config_->SnipraUseSuffix = true;
        config_->SnipraRetypeSuffix = true;
    }
    // Adds macro n with an abbreviation.
    void Add(int n, const std::string& abbreviation, std::uint16_t caseRule = 3,
             std::uint16_t scope = scGlobal, const std::string& scopeText = "") {
        glob_->MacroCount = std::max<int>(glob_->MacroCount, n);
        glob_->HasAbbreviations = 1;
        glob_->Enabled[n] = 1;
        glob_->ActivationCode[n] = acAbbreviation;
        glob_->Scope[n] = scope;
        glob_->ScopeText[n] = scopeText;
        config_->MacroAbbreviations[n] = abbreviation;
        config_->MacroAbbrevCases[n] = caseRule;
        config_->MacroAbbrevErases[n] = 1;
    }
    // Types the characters; the decision of the last one that decided something.
    AbbrevDecision Type(const std::string& text, std::uint32_t wParam = 0) {
        AbbrevDecision last;
        for (char c : text) {
            AbbrevDecision d = machine_.Receive(wParam, static_cast<unsigned char>(c), *config_, *glob_,
                                                activity_, foreground_);
            if (d.macro || !d.warning.empty()) last = d;
        }
        return last;
    }

    std::unique_ptr<TConfigRecord> config_ = std::make_unique<TConfigRecord>();
    std::unique_ptr<TGlobData> glob_ = std::make_unique<TGlobData>();
    AbbrevActivity activity_;
    FakeForeground foreground_;
    AbbreviationMachine machine_;
};

TEST_F(AbbreviationStream, SuffixModeErasesTheWordAndItsDelimiterAndTypesTheDelimiterAgain) {
    Add(1, "sig");
    EXPECT_EQ(Type("hello").macro, 0);
    EXPECT_EQ(Type(" ").macro, 0);
    const AbbrevDecision d = Type("sig ");
    EXPECT_EQ(d.macro, 1);
    EXPECT_EQ(d.backspaces, 4);
    EXPECT_TRUE(d.retype);
    EXPECT_EQ(d.delimiter, ' ');
    EXPECT_FALSE(d.capitalise);
    EXPECT_EQ(machine_.buffer(), "");

    config_->SnipraRetypeSuffix = false;
    const AbbrevDecision enter = Type("sig\r");
    EXPECT_EQ(enter.macro, 1);
    EXPECT_FALSE(enter.retype);
    EXPECT_EQ(enter.delimiter, '\r');
    // Without the delimiter nothing runs, and a word ending in it is no match.
    EXPECT_EQ(Type("sig").macro, 0);
    EXPECT_EQ(Type("x").macro, 0);
    EXPECT_EQ(Type(" ").macro, 0);
}

TEST_F(AbbreviationStream, PrefixModeRunsAtTheLastCharacterAndErasesThePrefixToo) {
    config_->SnipraUseSuffix = false;
    config_->SnipraPrefixKeys = ";";
    Add(1, "ad");
    EXPECT_EQ(Type(";a").macro, 0);
    const AbbrevDecision d = Type("d");
    EXPECT_EQ(d.macro, 1);
    EXPECT_EQ(d.backspaces, 3);
    EXPECT_FALSE(d.retype);
    // Without the prefix key nothing runs.
    EXPECT_EQ(Type("ad").macro, 0);
}

TEST_F(AbbreviationStream, CaseRulesDecideMatchAndCapitalisation) {
    Add(1, "sig", 1);
    EXPECT_TRUE(Type("Sig ").capitalise);
    EXPECT_FALSE(Type("sig ").capitalise);
    EXPECT_EQ(Type("SIG ").macro, 1);

    Add(1, "sig", 2);
    EXPECT_EQ(Type("Sig ").macro, 0);
    EXPECT_EQ(Type("sig ").macro, 1);

    Add(1, "sig", 3);
    const AbbrevDecision ignored = Type("SiG ");
    EXPECT_EQ(ignored.macro, 1);
    EXPECT_FALSE(ignored.capitalise);
}

TEST_F(AbbreviationStream, CaseRuleOneReadsTheTypedAbbreviationNotThePrefixKey) {
    config_->SnipraUseSuffix = false;
    config_->SnipraPrefixKeys = ";";
    Add(1, "ad", 1);
    EXPECT_TRUE(Type(";Ad").capitalise);
    EXPECT_FALSE(Type(";ad").capitalise);
    config_->SnipraPrefixKeys = "Q";
    EXPECT_FALSE(Type("Qad").capitalise);
}

TEST_F(AbbreviationStream, WithoutSolitaryUsageTheAbbreviationMayEndALongerWord) {
    config_->SnipraUseSuffix = false;
    Add(1, "sig");
    const AbbrevDecision d = Type("xsig");
    EXPECT_EQ(d.macro, 1);
    EXPECT_EQ(d.backspaces, 3);
    config_->SnipraSolitaryUsage = true;
    EXPECT_EQ(Type("xsig").macro, 0);
    machine_.Receive(kAbbrevReset, 0, *config_, *glob_, activity_, foreground_);
    EXPECT_EQ(Type("sig").macro, 1);
}

TEST_F(AbbreviationStream, ARefusedMatchDoesNotRunAtTheNextCharacter) {
    config_->SnipraUseSuffix = false;
    Add(1, "sig");
    activity_.popupShowing = true;
    EXPECT_EQ(Type("sig").warning, kPopupShowingWarning);
    activity_.popupShowing = false;
    // "sigx" no longer ends with the abbreviation: running now would erase "igx".
    EXPECT_EQ(Type("x").macro, 0);
    EXPECT_EQ(Type("sig").macro, 1);
}

TEST_F(AbbreviationStream, PunctuationDelimitsInSuffixMode) {
    config_->SnipraUsePunctuation = true;
    Add(1, "sig");
    const AbbrevDecision colon = Type("sig:");
    EXPECT_EQ(colon.macro, 1);
    EXPECT_EQ(colon.delimiter, ':');
    Type("abc:");
    EXPECT_EQ(machine_.buffer(), "");
    const AbbrevDecision bang = Type("sig!");
    EXPECT_EQ(bang.macro, 1);
    EXPECT_EQ(bang.delimiter, '!');
    EXPECT_EQ(machine_.buffer(), "");
    // An exclamation mark that completes nothing stays in the buffer.
    Type("abc!");
    EXPECT_EQ(machine_.buffer(), "abc!");
    // Without punctuation a colon is just another character.
    config_->SnipraUsePunctuation = false;
    EXPECT_EQ(Type("sig:").macro, 0);
    EXPECT_EQ(Type("sig!").macro, 0);
}

TEST_F(AbbreviationStream, TheBufferKeepsTheLastCharactersAndEmptiesOnOtherKeys) {
    Add(1, "sig");
    Type("abcdefghijkl");
    EXPECT_EQ(machine_.buffer(), "cdefghijkl");
    config_->SnipraUseSuffix = false;
    config_->SnipraPrefixKeys = ";;";
    Type("abcdefghijklmn");
    EXPECT_EQ(machine_.buffer(), "cdefghijklmn");
    Type("\t");
    EXPECT_EQ(machine_.buffer(), "");
    Type("sigg");
    machine_.Receive(0, 8, *config_, *glob_, activity_, foreground_);
    EXPECT_EQ(machine_.buffer(), "sig");
    machine_.Receive(kAbbrevReset, 's', *config_, *glob_, activity_, foreground_);
    EXPECT_EQ(machine_.buffer(), "");
}

TEST_F(AbbreviationStream, HostileMessagesNeverGrowTheBuffer) {
    config_->SnipraUseSuffix = false;
    config_->SnipraPrefixKeys = "xy";
    Add(1, "sig");
    for (int i = 0; i < 5000; ++i) {
        machine_.Receive(static_cast<std::uint32_t>(i * 7919), 0x7FFFFF00 | 'a', *config_, *glob_, activity_,
                         foreground_);
        ASSERT_LE(machine_.buffer().size(), 20u);
    }
    EXPECT_EQ(machine_.buffer(), std::string(12, 'a'));
}

TEST_F(AbbreviationStream, EmptyAndDisabledAbbreviationsNeverMatch) {
    Add(1, "");
    Add(2, "sig");
    glob_->Enabled[2] = 0;
    EXPECT_EQ(Type(" ").macro, 0);
    EXPECT_EQ(Type("sig ").macro, 0);
    glob_->Enabled[2] = 1;
    glob_->ActivationCode[2] = acScheduled;
    EXPECT_EQ(Type("sig ").macro, 0);
}

TEST_F(AbbreviationStream, NothingIsDecidedWithoutAbbreviationsOrWhileAMacroPlays) {
    Add(1, "sig");
    glob_->HasAbbreviations = 0;
    EXPECT_EQ(Type("sig ").macro, 0);
    glob_->HasAbbreviations = 1;
    glob_->MacroCount = 0;
    EXPECT_EQ(Type("sig ").macro, 0);
    glob_->MacroCount = 1;

    activity_.playing = true;
    const AbbrevDecision d = Type("sig ");
    EXPECT_EQ(d.macro, 0);
    EXPECT_EQ(d.warning, "");
    EXPECT_EQ(machine_.buffer(), "");
}

TEST_F(AbbreviationStream, RefusalsWarnInOrder) {
    Add(1, "sig");
    activity_ = {false, true, true, true};
    EXPECT_EQ(Type("sig ").warning, kPopupShowingWarning);
    activity_ = {false, false, true, true};
    EXPECT_EQ(Type("sig ").warning, kCaptureRunningWarning);
    activity_ = {true, false, false, true};
    const AbbrevDecision paused = Type("sig ");
    EXPECT_EQ(paused.warning, kPausedWarning);
    EXPECT_EQ(paused.macro, 0);
    // No candidate: no warning.
    EXPECT_EQ(Type("xyz ").warning, "");
}

TEST_F(AbbreviationStream, WindowScopeBeforeProgramBeforeGlobalAndNeverAPopupMenu) {
    Add(1, "sig", 3, scPopupMenu);
    Add(2, "sig", 3, scGlobal);
    Add(3, "sig", 3, scProgram, "notes");
    Add(4, "sig", 3, scWindow, "untitled");
    EXPECT_EQ(Type("sig ").macro, 4);
    foreground_.title = "Other";
    EXPECT_EQ(Type("sig ").macro, 3);
    foreground_.program = "EDITOR";
    EXPECT_EQ(Type("sig ").macro, 2);
    glob_->Enabled[2] = 0;
    EXPECT_EQ(Type("sig ").macro, 0);
    // The foreground window is not asked when nothing matches.
    foreground_.asked = 0;
    Type("xyz ");
    EXPECT_EQ(foreground_.asked, 0);
}

TEST_F(AbbreviationStream, AtMostFiftyCandidatesAreWeighed) {
    for (int n = 1; n <= kMaxAbbrevCandidates; ++n) Add(n, "sig", 3, scWindow, "absent window");
    Add(kMaxAbbrevCandidates + 1, "sig");
    EXPECT_EQ(Type("sig ").macro, 0);
    glob_->Enabled[7] = 0;
    EXPECT_EQ(Type("sig ").macro, kMaxAbbrevCandidates + 1);
}

TEST_F(AbbreviationStream, LeftTextAndCapsLockTravelWithTheDecision) {
    Add(1, "sig");
    config_->MacroAbbrevErases[1] = 2;
    const AbbrevDecision kept = Type("sig ", kAbbrevCapsLock);
    EXPECT_EQ(kept.macro, 1);
    EXPECT_EQ(kept.backspaces, 0);
    EXPECT_TRUE(kept.capsLockWasOn);
    EXPECT_FALSE(Type("sig ").capsLockWasOn);
}

}  // namespace
}  // namespace tessaro
