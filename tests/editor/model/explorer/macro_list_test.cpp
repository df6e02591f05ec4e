#include "editor/model/explorer/macro_list.h"
#include "editor/model/explorer/list_input.h"

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <optional>

#include "macro/macro_record.h"
#include "protocol/hotkey_names.h"

namespace tessaro {
namespace {

// A table of macros in the editor's copies, as a loaded file leaves them.
struct ListRig {
    std::unique_ptr<TGlobData> glob = std::make_unique<TGlobData>();
    std::unique_ptr<TConfigRecord> config = std::make_unique<TConfigRecord>();

    ListRig(const char* primary = "123", const char* activation = "12345", const char* scope = "12345") {
        config->PrimarySort = primary;
        config->ActivationSort = activation;
        config->ScopeSort = scope;
    }
    int Add(const std::string& nick, std::uint16_t code, std::uint16_t scope = scGlobal,
            const std::string& text = "", const std::string& abbrev = "", int category = 0) {
        const int n = ++glob->MacroCount;
        glob->ActivationCode[n] = code;
        glob->Scope[n] = scope;
        glob->ScopeText[n] = text;
        glob->Enabled[n] = 1;
        config->MacroNicknames[n] = nick;
        config->MacroAbbreviations[n] = abbrev;
        config->MacroCategoryIds[n] = category;
        return n;
    }
    std::vector<std::string> Order(int category = 0) {
        std::vector<std::string> names;
        for (int n : FillListRows(*glob, *config, category)) names.push_back(config->MacroNicknames[n].str());
        return names;
    }
};

using Names = std::vector<std::string>;

TEST(MacroListSort, DefaultsPutHotKeysFirstByNameThenAbbreviationsTimedNoneWindow) {
    ListRig rig;
    rig.Add("window", acWindowTitle, scWindow, "Notes");
    rig.Add("none", acNone);
    rig.Add("timed", acScheduled);
    rig.Add("snip", acAbbreviation, scGlobal, "", "zz");
    rig.Add("snip2", acAbbreviation, scGlobal, "", "aa");
    const int ctrlA = 0;  // "Ctrl+A"
    rig.Add("ctrl", static_cast<std::uint16_t>(ctrlA));
    // An Alt code sorts before a Ctrl code: names compare as bytes.
    int alt = -1;
    for (int c = 0; c <= kMaxHotKeyCode && alt < 0; ++c)
        if (HotKeyNames(c).rfind("Alt+", 0) == 0) alt = c;
    ASSERT_GE(alt, 0);
    rig.Add("alt", static_cast<std::uint16_t>(alt));
    EXPECT_EQ(rig.Order(), (Names{"alt", "ctrl", "snip2", "snip", "timed", "none", "window"}));
}

TEST(MacroListSort, PrimaryAndSecondaryKeysFollowTheSetting) {
    for (const auto& [primary, expected] : std::vector<std::pair<const char*, Names>>{
             // nickname, then activation, then scope
             {"213", {"a-timed", "b-hot-global", "b-hot-prog", "c-none"}},
             // scope, then activation, then nickname
             {"312", {"b-hot-global", "a-timed", "c-none", "b-hot-prog"}},
             // activation, then scope, then nickname
             {"132", {"b-hot-global", "b-hot-prog", "a-timed", "c-none"}},
         }) {
        ListRig rig(primary);
        rig.Add("c-none", acNone);
        rig.Add("b-hot-prog", 5, scProgram, "edit");
        rig.Add("a-timed", acScheduled);
        rig.Add("b-hot-global", 5);
        EXPECT_EQ(rig.Order(), expected) << primary;
    }
}

TEST(MacroListSort, ActivationAndScopeRanksComeFromTheirSettings) {
    ListRig abbrevFirst("123", "21345");
    abbrevFirst.Add("hot", 3);
    abbrevFirst.Add("snip", acAbbreviation, scGlobal, "", "x");
    EXPECT_EQ(abbrevFirst.Order(), (Names{"snip", "hot"}));

    ListRig systemFirst("312", "12345", "51234");
    systemFirst.Add("global", 3);
    systemFirst.Add("system", 4, scSystem, "1");
    systemFirst.Add("popup", 5, scPopupMenu);
    EXPECT_EQ(systemFirst.Order(), (Names{"system", "global", "popup"}));

    // Only the first four characters count: a scope named in the fifth alone sorts last.
    ListRig fifth("312", "12345", "23451");
    fifth.Add("global", 3);
    fifth.Add("window", 3, scWindow, "a");
    fifth.Add("system", 3, scSystem, "1");
    EXPECT_EQ(fifth.Order(), (Names{"window", "system", "global"}));
}

TEST(MacroListSort, RankPrefixesAndKeysAreBuiltAsStored) {
    ListedMacro m;
    m.activationCode = acAbbreviation;
    m.abbreviation = "ab";
    m.scope = scProgram;
    m.scopeText = "Gedit";
    m.nickname = "Nick";
    EXPECT_EQ(ActivationPart(m, "12345"), "AAAAzAB");
    EXPECT_EQ(ActivationPart(m, "34512"), "AzAB");
    EXPECT_EQ(ActivationPart(m, "31245"), "AAAzAB");
    EXPECT_EQ(ScopePart(m, "12345"), "AAAAzGEDIT");
    EXPECT_EQ(ScopePart(m, "31245"), "AAAAAAGEDIT");
    EXPECT_EQ(ScopePart(m, "45123"), "AAzGEDIT");
    // The primary sort order puts the activation (1), nickname (2) and scope (3) parts in turn.
    const std::string part[] = {"", "AAAAzAB", "NICK", "AAAAzGEDIT"};
    for (const char* order : {"123", "132", "213", "321", "312", "231"})
        EXPECT_EQ(SortKey(m, {order, "12345", "12345"}),
                  part[order[0] - '0'] + part[order[1] - '0'] + part[order[2] - '0'])
            << order;
    m.activationCode = acWindowTitle;
    m.scope = scGlobal;
    EXPECT_EQ(ActivationPart(m, "12345"), "Az");
    EXPECT_EQ(ScopePart(m, "12345"), "AAAAAA");
}

TEST(MacroListFill, CategoryFiltersAndReverseSortFindsRows) {
    ListRig rig;
    rig.Add("b", 7, scGlobal, "", "", 3);
    rig.Add("x", 1, scGlobal, "", "", 4);
    rig.Add("a", 2, scGlobal, "", "", 3);
    ASSERT_LT(HotKeyNames(2), HotKeyNames(7));
    const std::vector<int> rows = FillListRows(*rig.glob, *rig.config, 3);
    EXPECT_EQ(rows, (std::vector<int>{3, 1}));
    EXPECT_EQ(ReverseSort(rows, 3), 1);
    EXPECT_EQ(ReverseSort(rows, 1), 2);
    EXPECT_EQ(ReverseSort(rows, 2), -1);
    EXPECT_TRUE(FillListRows(*rig.glob, *rig.config, 9).empty());
    EXPECT_EQ(FillListRows(*rig.glob, *rig.config, 0).size(), 3u);
}

TEST(MacroListFill, FiveHundredMacrosOfOneCategoryAreAllListedInKeyOrder) {
    ListRig rig("213");
    for (int i = 0; i < kMaxMacros; ++i) rig.Add("N" + std::to_string(1000 - i), 1, scGlobal, "", "", 2);
    const Names order = rig.Order(2);
    ASSERT_EQ(order.size(), 500u);
    EXPECT_TRUE(std::is_sorted(order.begin(), order.end()));
}

TEST(MacroListCells, TextsOfTheGridAndThePrintedList) {
    EXPECT_EQ(ActivationCellText(acScheduled, ""), "Timed Macro");
    EXPECT_EQ(ActivationCellText(acAbbreviation, "brb"), "brb");
    EXPECT_EQ(ActivationCellText(acNone, ""), "None");
    EXPECT_EQ(ActivationCellText(acWindowTitle, ""), "Window Title");
    EXPECT_EQ(ActivationCellText(0, ""), HotKeyNames(0));
    EXPECT_EQ(PrintActivationText(acAbbreviation, "brb"), "Snipra: brb");
    EXPECT_EQ(ScopeCellText(scGlobal, "x"), "GLOBAL");
    EXPECT_EQ(ScopeCellText(scPopupMenu, "x"), "Popup Menu");
    EXPECT_EQ(ScopeCellText(scSystem, "1"), "SYSTEM");
    EXPECT_EQ(ScopeCellText(scProgram, "gedit"), "Program: gedit");
    EXPECT_EQ(ScopeCellText(scWindow, "Notes"), "Window: Notes");
    EXPECT_EQ(PrintScopeText(scWindow, "Notes", true), "Window: Notes (Topmost Only)");
    EXPECT_EQ(PrintScopeText(scProgram, "gedit", false), "Program: gedit (If Running)");
    EXPECT_EQ(PrintScopeText(scGlobal, "", true), "GLOBAL");
}

TEST(MacroListCells, RowCellsAndTheLookOfDisabledMacros) {
    ListRig rig;
    const int n = rig.Add("nick", acAbbreviation, scProgram, "gedit", "brb");
    const ListedMacro m = ListedMacroOf(*rig.glob, *rig.config, n);
    EXPECT_EQ(CellText(0, 12, m), "12");
    EXPECT_EQ(CellText(1, 12, m), "");
    EXPECT_EQ(CellText(2, 12, m), "brb");
    EXPECT_EQ(CellText(3, 12, m), "nick");
    EXPECT_EQ(CellText(4, 12, m), "Program: gedit");
    EXPECT_FALSE(GreyItalic(0, false));
    EXPECT_TRUE(GreyItalic(3, false));
    EXPECT_FALSE(GreyItalic(3, true));
}

TEST(MacroListCells, LongTextsLoseTheirEndWithoutEllipsis) {
    const auto width = [](std::string_view s) { return static_cast<int>(s.size()) * 7; };
    EXPECT_EQ(CutToWidth(std::string(50, 'n'), 70, width), std::string(10, 'n'));
    EXPECT_EQ(CutToWidth("short", 100, width), "short");
    EXPECT_EQ(CutToWidth("abc", 3, width), "");
}

TEST(MacroListCells, SpacingAndMarginsArithmetic) {
    const GridSpacing s = AdjustGridSpacing(15, 28, 17);
    EXPECT_EQ(s.rowHeight, 17);  // 16.5 to the nearest
    EXPECT_EQ(s.titleHeight, 17);
    EXPECT_EQ(s.column0Width, 28);
    EXPECT_EQ(AdjustGridSpacing(20, 1, 1).rowHeight, 22);
    const PrintMargins m = PrintMarginsFor(4960, 7016);
    EXPECT_EQ(m.left, 291);
    EXPECT_EQ(m.top, 318);
    EXPECT_EQ(m.lastLine, 7016 - 636);
}

// The search compares with what the activation column shows, upper-cased, and only looks
// at the rows listed.
TEST(ListSearch, FirstListedRowWhoseActivationBeginsWithTheText) {
    ListRig rig;
    const int timed = rig.Add("t", acScheduled);
    const int abbrev = rig.Add("a", acAbbreviation, scGlobal, "", "sig");
    const int none = rig.Add("n", acNone);
    const int title = rig.Add("w", acWindowTitle, scWindow, "Inbox");
    const std::vector<int> rows = {none, abbrev, title, timed};
    struct Case {
        const char* text;
        int row;
    } cases[] = {{"TIMED", 4}, {"S", 2},        {"SIG", 2},  {"SIGN", -1},
                 {"N", 1},     {"WINDOW T", 3}, {"sig", -1}, {"", -1}};
    for (const Case& c : cases) EXPECT_EQ(SearchRow(rows, *rig.glob, *rig.config, c.text), c.row) << c.text;
    EXPECT_EQ(SearchRow({title, timed}, *rig.glob, *rig.config, "N"), -1);  // "NONE" is not listed
}

TEST(ListHeader, ARightClickedColumnLeadsTheSortUnlessItAlreadyDoes) {
    struct Case {
        const char* current;
        int column;
        std::optional<std::string> order;
    } cases[] = {{"123", 2, std::nullopt}, {"213", 2, "132"},        {"123", 3, "213"},
                 {"231", 3, std::nullopt}, {"123", 4, "321"},        {"312", 4, std::nullopt},
                 {"123", 1, std::nullopt}, {"123", 0, std::nullopt}, {"", 3, "213"}};
    for (const Case& c : cases)
        EXPECT_EQ(HeaderPrimarySort(c.current, c.column), c.order) << c.current << c.column;
}

TEST(StartShow, MinimisingAndMaximisingCommandsAreKnownAndTheRestShowNormally) {
    EXPECT_EQ(StartShowCmdOf(nullptr), StartShow::Normal);
    for (const char* v : {"2", "6", "7", "minimized", "Minimize"})
        EXPECT_EQ(StartShowCmdOf(v), StartShow::Minimize) << v;
    for (const char* v : {"3", "MAXIMIZED", "maximize"})
        EXPECT_EQ(StartShowCmdOf(v), StartShow::Maximize) << v;
    for (const char* v : {"", "1", "10", "normal", "min"})
        EXPECT_EQ(StartShowCmdOf(v), StartShow::Normal) << v;
}

TEST(WindowBounds, AWindowIsNeverLargerThanTheAreaAndEveryEdgeIsOnIt) {
    const Bounds area{0, 24, 800, 576};
    struct Case {
        Bounds in, out;
    } cases[] = {
        {{10, 30, 620, 460}, {10, 30, 620, 460}},
        {{-999999, 5, 1355, 1000}, {0, 24, 800, 576}},
        {{700, 500, 620, 460}, {180, 140, 620, 460}},
        {{2000000000, -2000000000, 999999999, 150}, {0, 24, 800, 150}},
    };
    for (const Case& c : cases) {
        const Bounds b = FitToArea(c.in, area);
        EXPECT_EQ((std::array{b.left, b.top, b.width, b.height}),
                  (std::array{c.out.left, c.out.top, c.out.width, c.out.height}))
            << c.in.left << "," << c.in.top;
    }
}

}  // namespace
}  // namespace tessaro
