#include "editor/model/macro_forms/build_menu.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "protocol/hotkey_names.h"
#include "tests/support/unpacked.h"

namespace tessaro {
namespace {

std::unique_ptr<TGlobData> Glob(int count, std::initializer_list<int> systemMacros = {}) {
    auto g = std::make_unique<TGlobData>();
    g->MacroCount = count;
    for (int n = 1; n <= count; ++n) g->Scope[n] = scGlobal;
    for (int n : systemMacros) g->Scope[n] = scSystem;
    return g;
}

using Numbers = std::vector<std::uint16_t>;

TEST(MenuLists, StoredListBeyondTheFileAndSystemMacrosAreLeftOut) {
    const auto g = Glob(30, {1, 2});
    MenuLists lists(*g, {40, 5, 3});
    EXPECT_EQ(lists.members(), (Numbers{5, 3}));
    EXPECT_EQ(lists.available().front(), 4) << "system macros 1 and 2 are never offered";
    EXPECT_EQ(lists.available().size(), 26u);
}

TEST(MenuLists, InsertModes) {
    const auto g = Glob(6);
    MenuLists l(*g, {});
    l.availableRow = 0;
    ASSERT_TRUE(l.Add(InsertMode::After));  // empty menu: at the top
    l.memberRow = -1;
    l.availableRow = 0;
    ASSERT_TRUE(l.Add(InsertMode::After));  // rows but none selected: second row
    EXPECT_EQ(l.members(), (Numbers{1, 2}));
    l.memberRow = -1;
    l.availableRow = 0;
    ASSERT_TRUE(l.Add(InsertMode::Before));  // none selected: top
    EXPECT_EQ(l.members(), (Numbers{3, 1, 2}));
    EXPECT_EQ(l.memberRow, 0);
    l.memberRow = 2;
    l.availableRow = 0;
    l.Add(InsertMode::Before);
    EXPECT_EQ(l.members(), (Numbers{3, 1, 4, 2}));
    l.availableRow = 1;  // macro 6, the last row
    l.Add(InsertMode::Append);
    EXPECT_EQ(l.members(), (Numbers{3, 1, 4, 2, 6}));
    EXPECT_EQ(l.availableRow, 0) << "the last row was taken: the new last row is selected";
    l.availableRow = -1;
    EXPECT_FALSE(l.Add(InsertMode::Append));
}

TEST(MenuLists, RemovalReturnsToTheNumericPlace) {
    const auto g = Glob(6);
    MenuLists l(*g, {4, 2});
    EXPECT_EQ(l.available(), (Numbers{1, 3, 5, 6}));
    l.memberRow = 0;
    ASSERT_TRUE(l.Remove());
    EXPECT_EQ(l.available(), (Numbers{1, 3, 4, 5, 6}));
    EXPECT_EQ(l.availableRow, 2);
    EXPECT_EQ(l.memberRow, 0);
    l.memberRow = -1;
    EXPECT_FALSE(l.Remove());
}

TEST(MenuLists, ThirtySixItemsAtMost) {
    const auto g = Glob(40);
    MenuLists l(*g, {});
    for (int i = 0; i < 36; ++i) {
        l.availableRow = 0;
        EXPECT_TRUE(l.Buttons().add);
        ASSERT_TRUE(l.Add(InsertMode::Append));
    }
    l.availableRow = 0;
    EXPECT_FALSE(l.Buttons().add);
    EXPECT_FALSE(l.Add(InsertMode::Append));
    EXPECT_EQ(l.members().size(), 36u);
}

TEST(MenuLists, UpDownAndButtons) {
    const auto g = Glob(4);
    MenuLists l(*g, {1, 2, 3});
    EXPECT_FALSE(l.Buttons().remove);
    l.memberRow = 0;
    EXPECT_FALSE(l.Buttons().up);
    EXPECT_TRUE(l.Buttons().down);
    l.Down();
    EXPECT_EQ(l.members(), (Numbers{2, 1, 3}));
    EXPECT_EQ(l.memberRow, 1);
    l.memberRow = 2;
    EXPECT_FALSE(l.Buttons().down);
    l.Up();
    EXPECT_EQ(l.members(), (Numbers{2, 3, 1}));
}

TEST(BuildMenuStore, OptionsItemsAndTrayFlag) {
    TMacroRecord r;
    BuildMenuOptions initial = ShowBuildMenu(r, false, 10);
    EXPECT_EQ(initial.iconFile, "MENU");
    BuildMenuOptions chosen = initial;
    chosen.inTray = true;
    chosen.show = PopupShow::Icons;
    chosen.iconSizeIndex = 3;
    chosen.nickname = "Tools";
    BuildMenuResult out = StoreBuildMenu(r, false, initial, chosen, {7, 2}, false);
    EXPECT_TRUE(out.trayChanged);
    EXPECT_EQ(out.record.Enabled, 1);
    EXPECT_EQ(Unpacked(out.record.Scope), scPopupMenu);
    EXPECT_EQ(out.record.Abbreviation.view(), "Y23");
    const unsigned char* t = reinterpret_cast<const unsigned char*>(out.record.MacroText);
    EXPECT_EQ(t[0] | t[1] << 8, 2);
    EXPECT_EQ(t[2] | t[3] << 8, 7);
    EXPECT_EQ(t[4] | t[5] << 8, 2);

    // Reopened and confirmed unchanged: no tray rebuild.
    const BuildMenuOptions again = ShowBuildMenu(out.record, true, 10);
    EXPECT_EQ(again.nickname, "Tools");
    EXPECT_TRUE(again.inTray);
    EXPECT_EQ(again.show, PopupShow::Icons);
    EXPECT_EQ(again.iconSizeIndex, 3);
    EXPECT_FALSE(StoreBuildMenu(out.record, true, again, again, {7, 2}, false).trayChanged);
    EXPECT_TRUE(StoreBuildMenu(out.record, true, again, again, {7, 2}, true).trayChanged) << "icon changed";
    chosen = again;
    chosen.nickname = "Tools 2";
    EXPECT_TRUE(StoreBuildMenu(out.record, true, again, chosen, {}, false).trayChanged);
}

TEST(BuildMenuColumns, ActivationScopeAndQuickInfo) {
    EXPECT_EQ(ActivationColumn(acNone, ""), "None");
    EXPECT_EQ(ActivationColumn(acAbbreviation, "brb"), "brb");
    EXPECT_EQ(ActivationColumn(4, ""), HotKeyNames(4));
    EXPECT_EQ(ScopeColumn(scGlobal, "x"), "GLOBAL");
    EXPECT_EQ(ScopeColumn(scPopupMenu, "x"), "Popup Menu");
    EXPECT_EQ(ScopeColumn(scWindow, "Notes"), "Notes");

    TMacroRecord r;
    r.ActivationCode = acScheduled;
    r.Nickname = "Backup";
    r.Scope = scWindow;
    r.ScopeText = "Terminal";
    r.TopmostOnly = 1;
    r.Enabled = 0;
    SetMacroText(r, std::string(150, 'm'));
    const std::string info = QuickInfoText(r, "Every day");
    EXPECT_EQ(info,
              "Timed Macro\r\n\r\nName: Backup\r\n\r\nScope: Terminal \"Window\" (Topmost Only)\r\n\r\n"
              "Active: No\r\n\r\nSchdedule: Every day\r\n\r\nMacro: " +
                  std::string(100, 'm'));
}

}  // namespace
}  // namespace tessaro
