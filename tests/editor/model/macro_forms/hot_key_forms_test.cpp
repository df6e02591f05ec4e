// The Add Macro and Copy or Move dialogs' lists and checks.
#include <gtest/gtest.h>

#include <memory>

#include "editor/model/macro_forms/add_new_hot_key.h"
#include "editor/model/macro_forms/copy_or_move.h"
#include "editor/model/macro_forms/hot_key_list.h"
#include "editor/model/macro_forms/mod_hot_keys.h"
#include "editor/model/macro_forms/short_options.h"
#include "protocol/hotkey_names.h"
#include "tests/support/unpacked.h"

namespace tessaro {
namespace {

constexpr int kWinD = 557;

struct Glob {
    std::unique_ptr<TGlobData> data = std::make_unique<TGlobData>();
    Glob() = default;
    void Add(std::uint16_t scope, std::uint16_t code) {
        const int n = ++data->MacroCount;
        data->Scope[n] = scope;
        data->ActivationCode[n] = code;
    }
};

TEST(KeyList, SevenHundredTwentyOneRowsCountingEveryScope) {
    Glob g;
    g.Add(scGlobal, 3);
    g.Add(scWindow, 3);
    g.Add(scProgram, 3);
    g.Add(scWindow, 10);
    g.Add(scGlobal, acAbbreviation);
    g.Add(scGlobal, acNone);
    const std::vector<std::string> rows = HotKeyListRows(*g.data);
    ASSERT_EQ(rows.size(), 721u);
    EXPECT_EQ(rows[3], HotKeyNames(3) + "  (3 macros in use)");
    EXPECT_EQ(rows[10], HotKeyNames(10) + "  (1 macro in use)");
    EXPECT_EQ(rows[0], HotKeyNames(0) + "  (Not in Use)");
    EXPECT_EQ(rows[720], HotKeyNames(720) + "  (Not in Use)");
    const auto [name, use] = HotKeyRowColumns(rows[3]);
    EXPECT_EQ(name, HotKeyNames(3));
    EXPECT_EQ(use, "3 macros in use");
}

TEST(GlobalUsed, AddCountsSystemMacrosCopyDoesNot) {
    Glob g;
    g.Add(scWindow, 1);
    g.Add(scGlobal, 2);
    g.Add(scPopupMenu, 3);
    g.Add(scSystem, 4);
    g.Add(scSystem, acNone);
    const HotKeyFlags add = GlobalHotKeysUsed(*g.data, true);
    const HotKeyFlags copy = GlobalHotKeysUsed(*g.data, false);
    EXPECT_FALSE(add[1]) << "a window-scoped key is no conflict";
    EXPECT_TRUE(add[2] && add[3] && add[4]);
    EXPECT_TRUE(copy[2] && copy[3]);
    EXPECT_FALSE(copy[4]);
}

TEST(AddMacro, PopupRefusalsInOrder) {
    Glob systemOnly;
    for (int i = 0; i < 5; ++i) systemOnly.Add(scSystem, std::uint16_t(700 + i));
    EXPECT_FALSE(HasUserMacros(*systemOnly.data));
    const HotKeyFlags none{};
    AddEntry e{MacroType::Popup, 5, ""};
    EXPECT_EQ(CheckPopupEntry(e, false, none).error, kNoUserMacros);
    e.selectedCode = -1;
    EXPECT_EQ(CheckPopupEntry(e, true, none).error, kNoHotKeySelected);
    HotKeyFlags used{};
    used[5] = true;
    e.selectedCode = 5;
    EXPECT_EQ(CheckPopupEntry(e, true, used).error, kPopupKeyTaken);
    e.selectedCode = kWinD;
    const AddCheck ok = CheckPopupEntry(e, true, none);
    EXPECT_TRUE(ok.ok);
    EXPECT_EQ(ok.reservedQuestion, ReservedKeyQuestion(kWinD));
}

TEST(AddMacro, SharedChecksWriteOnlyAfterTheyPass) {
    TMacroRecord r;
    AddCheck c = CheckAddEntry({MacroType::HotKey, -1, ""}, r);
    EXPECT_EQ(c.error, kNoHotKeySelected);
    c = CheckAddEntry({MacroType::HotKey, kWinD, ""}, r);
    EXPECT_TRUE(c.ok);
    EXPECT_NE(c.reservedQuestion.find(" may be used internally by Windows 95, 98 or NT. "),
              std::string::npos);
    EXPECT_NE(c.reservedQuestion.find("Would you still like to use " + HotKeyNames(kWinD) + "?"),
              std::string::npos);
    EXPECT_TRUE(CheckAddEntry({MacroType::HotKey, 0, ""}, r).reservedQuestion.empty());
    c = CheckAddEntry({MacroType::Snipra, -1, "   "}, r);
    EXPECT_EQ(c.error, kNoSnipraEntered);
    EXPECT_TRUE(c.focusSnipra);
    c = CheckAddEntry({MacroType::Snipra, -1, " brb "}, r);
    EXPECT_EQ(r.Abbreviation.view(), "brb");
    c = CheckAddEntry({MacroType::Title, -1, ""}, r);
    EXPECT_EQ(c.error, kNoTitleEntered);
    CheckAddEntry({MacroType::Title, -1, "A title longer than thirty characters!"}, r);
    EXPECT_EQ(r.ScopeText.view(), "A title longer than thirty cha");
}

TEST(AddMacro, EditorSetupAndLayoutPerType) {
    HotKeyFlags used{};
    used[7] = true;
    EXPECT_EQ(SetupOfType(MacroType::None, 0, used).activationCode, acNone);
    EXPECT_EQ(SetupOfType(MacroType::Title, 0, used).activationKind, 7);
    EXPECT_EQ(SetupOfType(MacroType::Timed, 0, used).activationCode, acScheduled);
    EXPECT_EQ(SetupOfType(MacroType::Snipra, 0, used).activationKind, 3);
    const EditorSetup hk = SetupOfType(MacroType::HotKey, 7, used);
    EXPECT_EQ(hk.activationCode, 7);
    EXPECT_TRUE(hk.globalKeyTaken);
    EXPECT_TRUE(hk.setsHotKeyLabel);
    EXPECT_FALSE(SetupOfType(MacroType::HotKey, 8, used).globalKeyTaken);

    EXPECT_EQ(LayoutOfType(MacroType::HotKey).clientHeight, 419);
    EXPECT_FALSE(LayoutOfType(MacroType::Popup).captureEnabled);
    EXPECT_FALSE(LayoutOfType(MacroType::Popup).scriptEnabled);
    EXPECT_EQ(LayoutOfType(MacroType::Title).snipraLimit, 20);
    EXPECT_FALSE(LayoutOfType(MacroType::Timed).captureEnabled);
    EXPECT_EQ(CaptionsFor(MacroType::Popup, true).enter, "&Build Menu");
    EXPECT_EQ(CaptionsFor(MacroType::HotKey, false).types[4], "Snipras");
    for (const std::string& c : CaptionsFor(MacroType::Snipra, false).types)
        EXPECT_EQ(c.find('&'), std::string::npos);
}

TEST(CopyOrMove, GlobalKeyRefusalNamesTheOperation) {
    HotKeyFlags used{};
    used[12] = true;
    TMacroRecord global;
    global.Scope = scGlobal;
    global.ActivationCode = 1;
    CopyOrMoveEntry e{NewActivation::HotKey, 12, "", false};
    CopyOrMoveCheck c = CheckCopyOrMove(global, e, used);
    EXPECT_FALSE(c.ok);
    EXPECT_EQ(
        c.error,
        "A \"GLOBAL\" or \"POPUP MENU\" hot key already exists for this selection. The \"COPY\" did not "
        "take place.");
    e.moveMode = true;
    EXPECT_NE(CheckCopyOrMove(global, e, used).error.find("\"MOVE\""), std::string::npos);
    TMacroRecord windowScoped = global;
    windowScoped.Scope = scWindow;
    c = CheckCopyOrMove(windowScoped, e, used);
    ASSERT_TRUE(c.ok);
    EXPECT_EQ(Unpacked(c.record.ActivationCode), 12);
    EXPECT_EQ(Unpacked(global.ActivationCode), 1) << "the source record is untouched";
}

TEST(CopyOrMove, EachChoiceWritesOnlyItsFieldsAfterItsCheck) {
    const HotKeyFlags none{};
    TMacroRecord src;
    src.Scope = scGlobal;
    src.ActivationCode = 3;
    src.Abbreviation = "keep";
    src.ScopeText = "keep too";
    CopyOrMoveCheck c = CheckCopyOrMove(src, {NewActivation::Snipra, -1, "a b", false}, none);
    EXPECT_EQ(c.error, kBadSnipraName);
    EXPECT_TRUE(c.focusEntry);
    c = CheckCopyOrMove(src, {NewActivation::Snipra, -1, " ok ", false}, none);
    EXPECT_EQ(Unpacked(c.record.ActivationCode), acAbbreviation);
    EXPECT_EQ(c.record.Abbreviation.view(), "ok");
    c = CheckCopyOrMove(src, {NewActivation::Title, -1, " ", false}, none);
    EXPECT_EQ(c.error, kNoTitleWasEntered);
    c = CheckCopyOrMove(src, {NewActivation::None, -1, "", true}, none);
    EXPECT_EQ(Unpacked(c.record.ActivationCode), acNone);
    EXPECT_EQ(c.record.ScopeText.view(), "keep too");
    c = CheckCopyOrMove(src, {NewActivation::Timed, -1, "", false}, none);
    EXPECT_TRUE(c.fillTimerDefaults && c.openSchedule);
    src.ActivationCode = acScheduled;
    EXPECT_FALSE(CheckCopyOrMove(src, {NewActivation::Timed, -1, "", false}, none).fillTimerDefaults);
    c = CheckCopyOrMove(src, {NewActivation::HotKey, kWinD, "", false}, none);
    EXPECT_FALSE(c.reservedQuestion.empty());
    TMacroRecord popup;
    popup.Scope = scPopupMenu;
    EXPECT_TRUE(OffersOnlyHotKey(popup));
    EXPECT_FALSE(OffersOnlyHotKey(src));
}

TEST(ShortOptions, UnknownValuesShowAsNoneAndRemoved) {
    TMacroRecord r;
    ShortOptionsView v = ShowShortOptions(r);
    EXPECT_EQ(v.caseMode, SnipraCase::None);
    EXPECT_FALSE(v.noRemove);
    StoreShortOptions(r, v);
    EXPECT_EQ(Unpacked(r.AbbrevCase), 3);
    EXPECT_EQ(Unpacked(r.AbbrevErase), 1);
    r.AbbrevCase = 2;
    r.AbbrevErase = 2;
    v = ShowShortOptions(r);
    EXPECT_EQ(v.caseMode, SnipraCase::Exact);
    EXPECT_TRUE(v.noRemove);
    v.caseMode = SnipraCase::Match;
    v.noRemove = false;
    StoreShortOptions(r, v);
    EXPECT_EQ(Unpacked(r.AbbrevCase), 1);
    EXPECT_EQ(Unpacked(r.AbbrevErase), 1);
}

}  // namespace
}  // namespace tessaro
