#include "editor/model/macro_forms/mod_hot_keys.h"
#include "tests/support/unpacked.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace tessaro {
namespace {

TConfigRecord Config(int caseMode, bool noRemove) {
    TConfigRecord c;
    c.SnipraCaseMode = caseMode;
    c.SnipraNoRemove = noRemove;
    return c;
}

ModHotKeysEntry Entry(int kind, const QString& text, const QString& snipra = {}) {
    ModHotKeysEntry e;
    e.activationKind = kind;
    e.text = text;
    e.snipraName = snipra;
    e.nickname = "Nick";
    e.iconFile = "MAIN";
    return e;
}

TEST(ModHotKeysShow, ExistingMacroRepairsAbbreviationOptionsAndMissingIcon) {
    TMacroRecord r;
    r.Nickname = "Greeting";
    SetMacroText(r, "Hi\r\nthere");
    r.Scope = 7;  // unknown scopes show as a program
    r.IconName = "GONE.ICO";
    r.AbbrevCase = 0;
    r.AbbrevErase = 5;
    const ModHotKeysView v = PrepareModHotKeys(r, true, false, 1, Config(2, true), "/nonexistent");
    EXPECT_EQ(v.nickname, "Greeting");
    EXPECT_EQ(v.text, "Hi\nthere");
    EXPECT_EQ(v.scope, ScopeChoice::Program);
    EXPECT_EQ(v.iconFile, "MAIN");
    EXPECT_EQ(Unpacked(r.AbbrevCase), 2);
    EXPECT_EQ(Unpacked(r.AbbrevErase), 2);
    r.AbbrevCase = 3;
    r.AbbrevErase = 1;
    PrepareModHotKeys(r, true, false, 1, Config(2, true), "/nonexistent");
    EXPECT_EQ(Unpacked(r.AbbrevCase), 3) << "valid options stay";
    EXPECT_EQ(Unpacked(r.AbbrevErase), 1);
}

TEST(ModHotKeysShow, NewMacroDefaultsAndTakenGlobalKey) {
    TMacroRecord r;
    r.ScopeText = "old";
    const ModHotKeysView v = PrepareModHotKeys(r, false, true, 1, Config(1, false), "/nonexistent");
    EXPECT_EQ(v.scope, ScopeChoice::Window) << "a taken global key moves the scope to Window";
    EXPECT_FALSE(v.globalEnabled);
    EXPECT_EQ(r.ScopeText.view(), "");
    EXPECT_EQ(r.TopmostOnly, 1);
    EXPECT_EQ(Unpacked(r.AbbrevCase), 1);
    EXPECT_EQ(Unpacked(r.AbbrevErase), 1);
    EXPECT_EQ(v.iconFile, "MAIN");

    TMacroRecord title;
    title.ScopeText = "Untitled - Editor Window";
    const ModHotKeysView t = PrepareModHotKeys(title, false, false, 7, Config(1, false), "/nonexistent");
    EXPECT_EQ(title.ScopeText.view(), "Untitled - Editor Window") << "a window-title macro keeps its title";
    EXPECT_EQ(t.snipraName, "Untitled - Editor Window");
    EXPECT_EQ(t.controls.snipraNameLimit, 20);
    EXPECT_FALSE(t.controls.windowScopesEnabled);
}

TEST(ModHotKeysShow, ControlsPerKind) {
    EXPECT_TRUE(ControlsOfKind(2).setScheduleShown);
    EXPECT_EQ(ControlsOfKind(2).timerLabel, "Timed Macros");
    EXPECT_TRUE(ControlsOfKind(3).shortPropShown);
    EXPECT_EQ(ControlsOfKind(3).snipraNameLimit, 10);
    for (int kind : {0, 1, 6, 99}) {
        const KindControls c = ControlsOfKind(kind);
        EXPECT_TRUE(c.hotKeyLabelShown);
        EXPECT_FALSE(c.snipraNameShown || c.setScheduleShown || c.shortPropShown || c.timerLabelShown);
    }
}

TEST(ModHotKeysCaption, NamesTheScope) {
    EXPECT_EQ(ModHotKeysCaption(ScopeChoice::Global, "x"), "Modify Hot Key  (GLOBAL)");
    EXPECT_EQ(ModHotKeysCaption(ScopeChoice::Window, "Notes"), "Modify Hot Key  (Window Title: Notes)");
    EXPECT_EQ(ModHotKeysCaption(ScopeChoice::Program, "gedit"), "Modify Hot Key  (Program: gedit)");
}

TEST(SnipraNames, TheEightyOneCharacters) {
    int allowed = 0;
    for (int c = 0; c < 256; ++c) allowed += IsSnipraCharacter(char(c));
    EXPECT_EQ(allowed, 81);
    EXPECT_EQ(SnipraNameProblem(""), kNoSnipraName);
    EXPECT_EQ(SnipraNameProblem("abc_123"), "");
    EXPECT_EQ(SnipraNameProblem("a<=>?@^"), "");
    for (const char* bad :
         {"a b", "it's", "a~", "a\"", "(x)", "a:b", "[x]", "a\\", "`x", "{x}", "a|b", "\xe9"})
        EXPECT_EQ(SnipraNameProblem(bad), kBadSnipraName) << bad;
}

TEST(ModHotKeysUpdate, SnipraAndTitleChecksFocusTheirBox) {
    const TMacroRecord r;
    ModHotKeysUpdate u = UpdateModHotKeys(r, Entry(3, "x", "   "), false, 1.0);
    EXPECT_EQ(u.status, ModHotKeysUpdate::Status::Refused);
    EXPECT_EQ(u.message, kNoSnipraName);
    EXPECT_EQ(u.focus, EntryFocus::SnipraName);
    u = UpdateModHotKeys(r, Entry(3, "x", "a b"), false, 1.0);
    EXPECT_EQ(u.message, kBadSnipraName);
    u = UpdateModHotKeys(r, Entry(7, "x", "  "), false, 1.0);
    EXPECT_EQ(u.message, kNoWindowTitle);
    u = UpdateModHotKeys(r, Entry(3, "x", " brb "), false, 1.0);
    ASSERT_EQ(u.status, ModHotKeysUpdate::Status::Stored);
    EXPECT_EQ(u.record.Abbreviation.view(), "brb");
    u = UpdateModHotKeys(r, Entry(7, "x", " Notes "), false, 1.0);
    EXPECT_EQ(u.record.ScopeText.view(), "Notes");
    EXPECT_EQ(u.record.Abbreviation.view(), "");
}

TEST(ModHotKeysUpdate, FiveThousandCharactersAfterTabs) {
    const TMacroRecord r;
    const QString exact = QString(996, 'a') + "\t" + QString(3999, 'b');  // 996 + 5 + 3999
    ModHotKeysUpdate u = UpdateModHotKeys(r, Entry(1, exact), false, 1.0);
    ASSERT_EQ(u.status, ModHotKeysUpdate::Status::Stored);
    EXPECT_EQ(GetMacroText(u.record).size(), 5000u);

    const QString over = exact + "c";
    u = UpdateModHotKeys(r, Entry(1, over), false, 1.0);
    EXPECT_EQ(u.status, ModHotKeysUpdate::Status::AskTruncation);
    EXPECT_EQ(u.message, kTruncateQuestion);
    u = UpdateModHotKeys(r, Entry(1, over), true, 1.0);
    ASSERT_EQ(u.status, ModHotKeysUpdate::Status::Stored);
    const std::string stored = GetMacroText(u.record);
    EXPECT_EQ(stored.size(), 5000u);
    EXPECT_EQ(stored.substr(996, 5), "<TAB>");
    EXPECT_EQ(stored.back(), 'b');
}

TEST(ModHotKeysUpdate, StoresTheFieldsAndNeverCountsTheMacro) {
    TMacroRecord r;
    r.ActivationCode = 5;
    r.Abbreviation = "old";
    ModHotKeysEntry e = Entry(1, "line1\nline2\tend");
    e.scope = ScopeChoice::Window;
    e.iconFile = "PEN.ICO";
    e.nickname = QString::fromUtf8("Caf\xc3\xa9");
    const ModHotKeysUpdate u = UpdateModHotKeys(r, e, false, 45000.5);
    ASSERT_EQ(u.status, ModHotKeysUpdate::Status::Stored);
    EXPECT_EQ(GetMacroText(u.record), "line1\r\nline2<TAB>end");
    EXPECT_EQ(Unpacked(u.record.Scope), scWindow);
    EXPECT_EQ(u.record.IconName.view(), "PEN.ICO");
    EXPECT_EQ(u.record.Nickname.view(), "Caf\xe9");
    EXPECT_EQ(u.record.Abbreviation.view(), "") << "only a Snipra keeps an abbreviation";
    EXPECT_EQ(u.record.Enabled, 1) << "a new macro is enabled";
    EXPECT_EQ(Unpacked(u.record.ActivationCode), 5);
    EXPECT_DOUBLE_EQ(Unpacked(u.record.LastModified), 45000.5);
}

TEST(ModHotKeysUpdate, CharactersOutsideTheCodePageAreRefusedNamingTheFirst) {
    const TMacroRecord r;
    ModHotKeysUpdate u =
        UpdateModHotKeys(r, Entry(1, QString::fromUtf8("ok \xe2\x86\x92 \xe4\xb8\xad")), false, 1.0);
    EXPECT_EQ(u.status, ModHotKeysUpdate::Status::Refused);
    EXPECT_EQ(u.focus, EntryFocus::NewFormat);
    EXPECT_NE(u.message.find("U+2192"), std::string::npos);
    ModHotKeysEntry e = Entry(1, "fine");
    e.nickname = QString::fromUtf8("\xe4\xb8\xad");
    u = UpdateModHotKeys(r, e, false, 1.0);
    EXPECT_EQ(u.focus, EntryFocus::NickName);
}

}  // namespace
}  // namespace tessaro
