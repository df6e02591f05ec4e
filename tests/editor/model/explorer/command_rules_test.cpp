#include "editor/model/explorer/command_rules.h"

#include <gtest/gtest.h>

#include "protocol/glob_data.h"
#include "protocol/hotkey_names.h"

namespace tessaro {
namespace {

TEST(CommandRules, ChecksRefuseAnEmptyListThenAMissingSelection) {
    EXPECT_EQ(SelectionCheck(1, 1), kNoMacrosText);
    EXPECT_EQ(SelectionCheck(1, 0), kNoMacrosText);
    EXPECT_EQ(SelectionCheck(4, 0), kNoSelectionText);
    EXPECT_EQ(SelectionCheck(4, -1), kNoSelectionText);
    EXPECT_EQ(SelectionCheck(4, 3), std::nullopt);
}

TEST(CommandRules, CheckTimeItemEnablesByScopeAndActivation) {
    struct Row {
        std::uint16_t scope, code;
        bool main, recapture, scripting;
        const char* caption;
    };
    const Row rows[] = {
        {scSystem, 5, false, false, false, "Modify &Directly"},
        {scPopupMenu, 5, true, false, false, "Mo&dify Popup Menu"},
        {scGlobal, acScheduled, true, false, true, "Modify &Directly"},
        {scGlobal, acNone, true, false, true, "Modify &Directly"},
        {scWindow, acWindowTitle, true, false, true, "Modify &Directly"},
        {scGlobal, 12, true, true, true, "Modify &Directly"},
        {scProgram, acAbbreviation, true, true, true, "Modify &Directly"},
    };
    for (const Row& r : rows) {
        const CommandStates s = CheckTimeItem(r.scope, r.code);
        EXPECT_EQ(s.copyModifyRemoveActivate, r.main) << r.scope << "/" << r.code;
        EXPECT_EQ(s.recapture, r.recapture) << r.scope << "/" << r.code;
        EXPECT_EQ(s.scripting, r.scripting) << r.scope << "/" << r.code;
        EXPECT_EQ(s.modifyCaption, r.caption);
    }
    EXPECT_EQ(CheckTimeItem(scPopupMenu, 1).modifyHint, "Modify Macro Popup Menu");
    EXPECT_EQ(CheckTimeItem(scGlobal, 1).modifyHint, "Modify Macro Directly");
    EXPECT_EQ(ActivateCaption(true), "Deacti&vate Macro");
    EXPECT_EQ(ActivateCaption(false), "Acti&vate Macro");
    EXPECT_EQ(ActivateHint(true), "Deactivate Macro");
}

TEST(CommandRules, TitlesAndQuestionsNameTheActivation) {
    EXPECT_EQ(CopyMoveTitle(true, acScheduled, ""), "COPY Timed Macro TO");
    EXPECT_EQ(CopyMoveTitle(true, acNone, ""), "COPY Macro TO");
    EXPECT_EQ(CopyMoveTitle(false, acWindowTitle, ""), "MOVE Macro TO");
    EXPECT_EQ(CopyMoveTitle(false, acAbbreviation, "brb"), "MOVE brb TO");
    EXPECT_EQ(CopyMoveTitle(true, 0, ""), "COPY " + HotKeyNames(0) + " TO");

    EXPECT_EQ(DeleteQuestion(acNone, ""), "Are you sure you want to remove this macro?");
    EXPECT_EQ(DeleteQuestion(acScheduled, ""), "Are you sure you want to remove \"Timed Macro\"?");
    EXPECT_EQ(DeleteQuestion(acAbbreviation, "brb"), "Are you sure you want to remove the Snipra \"brb\"?");
    EXPECT_EQ(DeleteQuestion(0, ""), "Are you sure you want to remove \"" + HotKeyNames(0) + "\"?");
    EXPECT_EQ(
        PopupDeleteQuestion(acWindowTitle, ""),
        "This macro is contained in a \"Popup Menu\".  It will be removed from the \"Popup Menu\".  Are you "
        "sure you want to remove \"this macro\"?");
    EXPECT_NE(PopupDeleteQuestion(acAbbreviation, "brb").find("remove \"brb\"?"), std::string::npos);
    EXPECT_NE(PopupDeleteQuestion(acScheduled, "").find("remove \"Timed Macro\"?"), std::string::npos);

    EXPECT_EQ(CaptureLabel(acAbbreviation, "brb"), "Snipra: brb");
    EXPECT_EQ(CaptureLabel(3, ""), HotKeyNames(3));
    EXPECT_EQ(CaptureCompleteText(acAbbreviation, "brb"), "Tessaro 99 capture is complete for Snipra: brb.");
    EXPECT_EQ(CaptureCompleteText(3, ""), "Tessaro 99 capture is complete for " + HotKeyNames(3) + ".");
}

TMacroRecord Menu(std::vector<std::uint16_t> items) {
    TMacroRecord rec;
    rec.Scope = scPopupMenu;
    PopupMenu menu;
    menu.items = std::move(items);
    WritePopupMenu(rec, menu);
    return rec;
}

TEST(CommandRules, RemovingMacroThreeRenumbersEveryPopupMenu) {
    TMacroRecord first = Menu({2, 3, 4});
    TMacroRecord second = Menu({4});
    EXPECT_TRUE(PopupListsMacro(first, 3, 5));
    EXPECT_FALSE(PopupListsMacro(second, 3, 5));
    EXPECT_TRUE(RemoveFromPopupMenu(first, 3, 5));
    EXPECT_TRUE(RemoveFromPopupMenu(second, 3, 5));
    EXPECT_EQ(ReadPopupMenu(first, 5).items, (std::vector<std::uint16_t>{2, 3}));
    EXPECT_EQ(ReadPopupMenu(second, 5).items, (std::vector<std::uint16_t>{3}));

    // A menu that lists the macro twice loses both: a kept one would name the next macro.
    TMacroRecord twice = Menu({3, 1, 3, 5});
    EXPECT_TRUE(RemoveFromPopupMenu(twice, 3, 5));
    EXPECT_EQ(ReadPopupMenu(twice, 5).items, (std::vector<std::uint16_t>{1, 4}));
    // A menu before n and without it stays as it was.
    TMacroRecord untouched = Menu({1, 2});
    EXPECT_FALSE(RemoveFromPopupMenu(untouched, 3, 5));
}

}  // namespace
}  // namespace tessaro
