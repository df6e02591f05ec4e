// The eight macro commands with scripted dialog results, on a real file.
#include <gtest/gtest.h>

#include "explorer_rig.h"
#include "protocol/hotkey_names.h"
#include "protocol/window_messages.h"
#include "tests/support/unpacked.h"

namespace tessaro {
namespace {

using testing::ExplorerRig;
using testing::Notice;
using testing::TestMacro;
using AddResult = MacroDialogs::AddResult;

bool Has(const std::vector<Notice>& calls, Notice n) {
    return std::find(calls.begin(), calls.end(), n) != calls.end();
}

// Five system macros, then macros 6.. as given.
struct CommandRig : ExplorerRig {
    explicit CommandRig(std::vector<TMacroRecord> more = {TestMacro("alpha", 30), TestMacro("beta", 31)}) {
        auto recs = SystemMacros();
        recs.insert(recs.end(), more.begin(), more.end());
        StartWith(recs);
    }
};

TMacroRecord Popup(const std::string& name, std::vector<std::uint16_t> items) {
    TMacroRecord rec = TestMacro(name, 40, scPopupMenu);
    PopupMenu menu;
    menu.items = std::move(items);
    WritePopupMenu(rec, menu);
    return rec;
}

TEST(ExplorerCommands, ChecksRefuseAnEmptyListAndAMissingSelection) {
    CommandRig rig;
    rig.ex().SetCategory(9);  // shows nothing
    rig.ex().DoCopy();
    rig.ex().DoClear();
    ASSERT_EQ(rig.boxes.size(), 2u);
    EXPECT_EQ(rig.boxes[0].text, "No hot keys have been added yet.  Please add one first.");
    EXPECT_EQ(rig.boxes[0].caption, "Error");
    EXPECT_TRUE(rig.dialogs.opened.empty());
    EXPECT_FALSE(rig.window.buttons);
}

TEST(ExplorerCommands, AddAppendsCountsOnlyWhenWrittenAndTellsThePlayer) {
    CommandRig rig;
    rig.dialogs.add = [](TMacroRecord& r) {
        r = TestMacro("timed", acScheduled);
        return AddResult{true, true};
    };
    rig.ex().DoAdd();
    EXPECT_EQ(rig.dialogs.opened, (std::vector<std::string>{"add 8"}));
    EXPECT_EQ(Unpacked(rig.glob->MacroCount), 8);
    EXPECT_EQ(rig.FileRecords().size(), 8u);
    EXPECT_EQ(rig.ex().SelectedMacro(), 8);
    const auto n = rig.link.Notices();
    EXPECT_EQ(n.front(), (Notice{'E', puPullGroup, ggNumKeys}));
    EXPECT_TRUE(Has(n, {'E', puMacroChanged, 8}));
    EXPECT_TRUE(Has(n, {'E', puPullGroup, ggKeys}));
    EXPECT_EQ(n[n.size() - 2], (Notice{'E', puSchedule, 0}));
    EXPECT_EQ(n.back(), (Notice{'E', puTrayMenu, 0}));

    // Cancel writes nothing.
    rig.link.calls.clear();
    rig.dialogs.add = [](TMacroRecord&) { return AddResult{}; };
    rig.ex().DoAdd();
    EXPECT_EQ(Unpacked(rig.glob->MacroCount), 8);
    EXPECT_TRUE(rig.link.calls.empty());
}

TEST(ExplorerCommands, FiveHundredMacrosRefuseAddAndCopy) {
    std::vector<TMacroRecord> many;
    for (int i = 0; i < 494; ++i) many.push_back(TestMacro("m" + std::to_string(i), 7));
    CommandRig rig(many);
    rig.dialogs.add = [](TMacroRecord& r) {
        r = TestMacro("last", 9);
        return AddResult{true, false};
    };
    rig.ex().DoAdd();  // the 500th is allowed
    EXPECT_EQ(Unpacked(rig.glob->MacroCount), 500);
    rig.ex().DoAdd();
    rig.Select(6);
    rig.ex().DoCopy();
    ASSERT_EQ(rig.boxes.size(), 2u);
    EXPECT_EQ(rig.boxes[0].text, "Maximum number of hot keys has been reached.  Add not allowed.");
    EXPECT_EQ(rig.boxes[1].text, rig.boxes[0].text);
    EXPECT_EQ(rig.FileRecords().size(), 500u);
}

TEST(ExplorerCommands, ModifyOpensTheRightDialogAndSavesOnOk) {
    CommandRig rig({TestMacro("alpha", 30), Popup("menu", {6})});
    rig.Select(6);
    rig.dialogs.properties = [](TMacroRecord& r) {
        r.Nickname = "changed";
        r.ActivationCode = acScheduled;
        return true;
    };
    rig.ex().DoModify(false);
    EXPECT_EQ(rig.dialogs.opened.back(), "props 1 " + HotKeyNames(30));
    EXPECT_EQ(rig.FileRecords()[5].Nickname.str(), "changed");
    EXPECT_TRUE(Has(rig.link.Notices(), {'E', puMacroChanged, 6}));
    EXPECT_EQ(rig.link.Notices().back(), (Notice{'E', puSchedule, 0}));

    // A popup menu goes to the menu builder; a tray change is told even when not saved.
    rig.link.calls.clear();
    rig.Select(7);
    rig.dialogs.menu = [](TMacroRecord&) { return MacroDialogs::MenuResult{false, true}; };
    rig.ex().DoModify(false);
    EXPECT_EQ(rig.dialogs.opened.back(), "menu " + HotKeyNames(40));
    EXPECT_EQ(rig.link.Notices(), (std::vector<Notice>{{'E', puTrayMenu, 0}}));
}

TEST(ExplorerCommands, CopyAppendsTheChangedCopyUnderItsTitle) {
    CommandRig rig;
    rig.Select(6);
    rig.dialogs.copyOrMove = [](TMacroRecord& r) {
        r.ActivationCode = 33;
        return true;
    };
    rig.ex().DoCopy();
    EXPECT_EQ(rig.dialogs.opened.back(), "COPY " + HotKeyNames(30) + " TO");
    const auto recs = rig.FileRecords();
    ASSERT_EQ(recs.size(), 8u);
    EXPECT_EQ(recs[7].Nickname.str(), "alpha");
    EXPECT_EQ(Unpacked(recs[7].ActivationCode), 33);
    EXPECT_EQ(rig.ex().SelectedMacro(), 8);
    EXPECT_EQ(+rig.glob->HotKeyUsed[33], 1);
}

TEST(ExplorerCommands, MoveSavesInPlaceAndTellsSchedulesWhenItWasTimed) {
    CommandRig rig({TestMacro("timer", acScheduled)});
    rig.Select(6);
    rig.dialogs.copyOrMove = [](TMacroRecord& r) {
        r.ActivationCode = 12;
        return true;
    };
    rig.ex().DoMove(false);
    EXPECT_EQ(rig.dialogs.opened.back(), "MOVE Timed Macro TO");
    EXPECT_EQ(Unpacked(rig.FileRecords()[5].ActivationCode), 12);
    EXPECT_TRUE(Has(rig.link.Notices(), {'E', puSchedule, 0}));

    // A system macro opens the system-key dialog for its function.
    rig.Select(2);
    rig.ex().DoMove(false);
    EXPECT_EQ(rig.dialogs.opened.back(), "system 1");
}

TEST(ExplorerCommands, DeactivateWritesTheFileFirstAndOnFailureChangesNothing) {
    CommandRig rig;
    rig.Select(6);
    rig.ex().DoActivate();
    EXPECT_EQ(rig.FileRecords()[5].Enabled, 0);
    EXPECT_EQ(+rig.glob->Enabled[6], 0);
    EXPECT_FALSE(rig.window.activateEnabled);
    EXPECT_EQ(+rig.glob->HotKeyUsed[30], 0);
    const auto n = rig.link.Notices();
    EXPECT_EQ(n.front(), (Notice{'E', puPullMacro, 6}));
    EXPECT_TRUE(Has(rig.link.calls, {'U', ggItem, 6}));
    EXPECT_TRUE(Has(n, {'E', puPullGroup, ggKeys}));

    // The file is gone: the flag, the library and the player stay as they were.
    rig.link.calls.clear();
    rig.boxes.clear();
    std::filesystem::remove(rig.path);
    std::filesystem::create_directory(rig.path);
    rig.ex().DoActivate();
    EXPECT_EQ(+rig.glob->Enabled[6], 0);
    EXPECT_TRUE(rig.link.calls.empty());
    ASSERT_EQ(rig.boxes.size(), 1u);
    EXPECT_EQ(rig.boxes[0].text.rfind("Saving of keystrokes failed.", 0), 0u);
}

TEST(ExplorerCommands, RemovingMacroThreeOfMenusRenumbersThemAfterTheDelete) {
    // Macros 6, 7, 8 plain; 9 lists [6, 7, 8]; 10 lists [8].
    CommandRig rig({TestMacro("a", 30), TestMacro("b", 31), TestMacro("c", 32), Popup("m1", {6, 7, 8}),
                    Popup("m2", {8})});
    rig.Select(7);
    rig.ex().DoClear();
    ASSERT_EQ(rig.boxes.size(), 2u);
    EXPECT_EQ(rig.boxes[0].caption, "Delete");
    EXPECT_EQ(rig.boxes[0].text, "Are you sure you want to remove \"" + HotKeyNames(31) + "\"?");
    EXPECT_NE(rig.boxes[1].text.find("contained in a \"Popup Menu\""), std::string::npos);
    const auto recs = rig.FileRecords();
    ASSERT_EQ(recs.size(), 9u);
    EXPECT_EQ(ReadPopupMenu(recs[7], 9).items, (std::vector<std::uint16_t>{6, 7}));
    EXPECT_EQ(ReadPopupMenu(recs[8], 9).items, (std::vector<std::uint16_t>{7}));
    EXPECT_EQ(Unpacked(rig.glob->MacroCount), 9);
    EXPECT_EQ(rig.link.Notices().back(), (Notice{'E', puReloadAll, 1}));
}

TEST(ExplorerCommands, RemovalAnsweredNoChangesNothingAndPlainRemovalPostsZero) {
    CommandRig rig({TestMacro("alpha", 30), TestMacro("late", acNone)});  // "None" sorts last
    rig.Select(6);
    rig.answers = {win::MbResult::No};
    rig.ex().DoClear();
    EXPECT_EQ(rig.FileRecords().size(), 7u);
    EXPECT_TRUE(rig.link.calls.empty());

    // The last row goes: the row before it is selected.
    const int last = rig.ex().rowMacro().back();
    ASSERT_NE(rig.glob->Scope[last], scSystem);
    rig.ex().SelectRow(7);
    rig.ex().DoClear();
    EXPECT_EQ(rig.FileRecords().size(), 6u);
    EXPECT_EQ(rig.link.Notices().back(), (Notice{'E', puReloadAll, 0}));
    EXPECT_EQ(rig.ex().selectedRow(), 6);

    // A popup menu after the removed macro: its tray icon carries a stale number.
    CommandRig after({TestMacro("a", 30), Popup("menu", {})});
    after.Select(6);
    after.ex().DoClear();
    EXPECT_EQ(after.link.Notices().back(), (Notice{'E', puReloadAll, 1}));
}

TEST(ExplorerCommands, RemovingTheOnlyListedMacroDisablesTheCommands) {
    CommandRig rig({[] {
        TMacroRecord r = TestMacro("only", 30);
        r.CategoryId = 4;
        return r;
    }()});
    rig.ex().SetCategory(4);
    rig.ex().SelectRow(1);
    rig.ex().DoClear();
    EXPECT_TRUE(rig.ex().listEmpty());
    EXPECT_FALSE(rig.window.buttons);
}

TEST(ExplorerCommands, SystemMacrosCannotBeRemovedOrRecaptured) {
    CommandRig rig;
    rig.Select(1);
    EXPECT_FALSE(rig.window.states.copyModifyRemoveActivate);
    EXPECT_FALSE(rig.window.states.recapture);
    rig.Select(6);
    EXPECT_TRUE(rig.window.states.recapture);
}

TEST(ExplorerCommands, InfoReadsTheRowsMacroWithoutLocking) {
    CommandRig rig;
    rig.ex().DoInfo(rig.ex().ReverseSort(7));
    EXPECT_EQ(rig.dialogs.opened, (std::vector<std::string>{"info beta"}));
    EXPECT_TRUE(rig.link.calls.empty());
}

}  // namespace
}  // namespace tessaro
