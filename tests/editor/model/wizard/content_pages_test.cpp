#include "editor/model/wizard/content_pages.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "tests/support/temp_dir.h"

namespace tessaro::wizard {
namespace {

namespace fs = std::filesystem;

TEST(ContentMemo, InsertionIsRefusedPastFiveThousandStoredCharactersAndLeavesTheMemo) {
    const std::string memo(4990, 'a');
    EXPECT_FALSE(InsertIntoMemo(memo, 10, "<RIGHT ARROW>"));  // 4,990 + 13
    const auto tab = InsertIntoMemo(memo, 10, "<TAB>");
    ASSERT_TRUE(tab);
    EXPECT_EQ(tab->text.size(), 4995u);
    EXPECT_EQ(tab->text.substr(10, 5), "<TAB>");
    EXPECT_EQ(tab->caret, 15u);
    EXPECT_TRUE(InsertIntoMemo(std::string(4995, 'a'), 0, "<TAB>"));  // exactly 5,000
    EXPECT_FALSE(InsertIntoMemo(std::string(4996, 'a'), 0, "<TAB>"));

    // Line breaks are stored as CR LF: 4,900 characters with 50 breaks are already 5,000.
    std::string lines;
    for (int i = 0; i < 50; ++i) lines += std::string(97, 'x') + "\n";
    lines += std::string(4900 - lines.size(), 'y');
    ASSERT_EQ(StoredMemoLength(lines), 4950u);
    EXPECT_TRUE(InsertIntoMemo(lines, 0, std::string(50, 'z')));
    EXPECT_FALSE(InsertIntoMemo(lines, 0, std::string(51, 'z')));
    EXPECT_EQ(StoredMemoLength("a\r\nb\nc"), 7u);
}

TEST(ContentMemo, InsertsAtTheCaretAndPutsTheCaretBehindTheInsertion) {
    const auto first = InsertIntoMemo("Hello", 0, "<F1>");
    ASSERT_TRUE(first);
    EXPECT_EQ(first->text, "<F1>Hello");
    EXPECT_EQ(first->caret, 4u);
    const auto end = InsertIntoMemo("Hello", 99, "\xE9");  // a caret past the end: at the end
    ASSERT_TRUE(end);
    EXPECT_EQ(end->text, "Hello\xE9");
    EXPECT_EQ(end->caret, 6u);
}

TEST(ContentKeystrokes, TheListIndexIsTheTableIndexAndEveryTokenIsAKeyName) {
    ASSERT_EQ(kKeystrokes.size(), 26u);
    EXPECT_EQ(kKeystrokes[0].name, "F1");
    EXPECT_EQ(kKeystrokes[21].name, "Down Arrow");
    EXPECT_EQ(kKeystrokes[21].token, "<DOWN ARROW>");
    EXPECT_EQ(kKeystrokes[25].token, "<PRTSCR>");
    for (const Keystroke& k : kKeystrokes) {
        EXPECT_LE(k.name.size(), 20u);
        ASSERT_GE(k.token.size(), 3u);
        EXPECT_EQ(k.token.front(), '<');
        EXPECT_EQ(k.token.back(), '>');
    }
}

TEST(ContentSymbols, TheGridRunsDownTheColumnsFrom128) {
    EXPECT_EQ(SymbolOfIndex(SymbolIndexOf(0, 0)), 128);
    EXPECT_EQ(SymbolOfIndex(SymbolIndexOf(15, 7)), 255);
    EXPECT_EQ(SymbolOfIndex(SymbolIndexOf(2, 3)), 147);
    EXPECT_EQ(CellOfSymbolIndex(kDefaultSymbolIndex).column, 9);
    EXPECT_EQ(CellOfSymbolIndex(kDefaultSymbolIndex).row, 3);
    Answers grid;
    EXPECT_EQ(SymbolIndexOfAnswer(grid), kDefaultSymbolIndex);
    grid.Set("P4SymbolGrid").index = 3 * kSymbolColumns + 2;  // row 3, column 2
    EXPECT_EQ(SymbolOfIndex(SymbolIndexOfAnswer(grid)), 147);
    grid.Set("P4SymbolGrid").index = 7 * kSymbolColumns + 15;
    EXPECT_EQ(SymbolOfIndex(SymbolIndexOfAnswer(grid)), 255);
    for (int i = 0; i < kSymbolColumns * kSymbolRows; ++i) {
        const GridCell cell = CellOfSymbolIndex(i);
        EXPECT_EQ(SymbolIndexOf(cell.column, cell.row), i);
        EXPECT_EQ(SymbolOfIndex(i), 128 + i);
    }
}

TEST(ContentLists, DrivesFormatsFoldersAndInstalledItems) {
    const DriveList drives = LoadDriveList();
    ASSERT_EQ(drives.items.size(), 26u);
    EXPECT_EQ(drives.items.front(), "A:");
    EXPECT_EQ(drives.index, 1);

    const auto dates = FormatItems(false), times = FormatItems(true);
    EXPECT_EQ(dates.size(), 51u);
    EXPECT_EQ(times.size(), 26u);
    for (const auto* list : {&dates, &times})
        for (const FormatItem& f : *list) {
            EXPECT_FALSE(f.format.empty());
            EXPECT_LE(f.format.size(), 15u);
            EXPECT_FALSE(f.example.empty());
        }

    EXPECT_EQ(kSpecialFolders.front(), "Control Panel");
    EXPECT_EQ(kSpecialFolders.back(), "User Documents");

    const std::string item = InstalledItem("Text Editor", "gedit");
    EXPECT_EQ(item, "Text Editor.LNKgedit");
    EXPECT_EQ(SplitInstalledItem(item).name, "Text Editor");
    EXPECT_EQ(SplitInstalledItem(item).program, "gedit");
    EXPECT_EQ(SplitInstalledItem("Old.lnkprog").program, "prog");  // found in any letter case
    EXPECT_EQ(SplitInstalledItem("no link").name, "no link");
    EXPECT_EQ(SplitInstalledItem("no link").program, "");
}

Answers With(std::initializer_list<std::string_view> checked) {
    Answers a;
    for (std::string_view n : checked) a.Set(n).checked = true;
    return a;
}

TEST(ContentLayouts, PagesFollowTheChoicesMadeBefore) {
    const NetPagesLayout off = NetPagesLayoutOf(With({"P5Disconnect"}));
    EXPECT_FALSE(off.networkPath);
    EXPECT_EQ(off.driveLabel, "Disconnect Local Drive");
    EXPECT_FALSE(off.logonPanel);
    EXPECT_TRUE(off.forceBox);
    EXPECT_EQ(off.permCaption, "&Make Disconnection Permanent (Do not Map Drive on Bootup)");
    EXPECT_EQ(off.heading29, "Disconnect Options");
    for (std::string_view on : {"P5Connect", "P5Toggle"}) {
        const NetPagesLayout l = NetPagesLayoutOf(With({on}));
        EXPECT_TRUE(l.networkPath);
        EXPECT_EQ(l.driveLabel, "Connect Local Drive");
        EXPECT_TRUE(l.logonPanel);
        EXPECT_FALSE(l.forceBox);
        EXPECT_EQ(l.permCaption, "&Make Connection Permanent (Map Drive on Windows Bootup)");
        EXPECT_EQ(l.heading29, "Connect Options");
    }

    EXPECT_TRUE(PastePageLayoutOf(With({"P13Text"})).memo);
    EXPECT_EQ(PastePageLayoutOf(With({"P13File"})).heading,
              "Enter the path and name of the text file to be pasted into your program.");
    EXPECT_FALSE(PastePageLayoutOf(With({"P13Graphic"})).memo);

    EXPECT_FALSE(DaysLayoutOf(With({"P20Tom"})).shown);
    EXPECT_EQ(DaysLayoutOf(With({"P20Past"})).label, "Days in the past");
    EXPECT_EQ(DaysLayoutOf(With({"P20Future"})).label, "Days in the future");

    EXPECT_EQ(UrlPageLayoutOf(With({"P21FTP"})).prefix, "ftp://");
    EXPECT_EQ(UrlPageLayoutOf(With({"P21Web"})).heading,
              "Enter the URL of the web site (without the http://)");
    EXPECT_NE(UrlPageLayoutOf(With({"P21Web"})).example.find("\n\r  you would enter:"), std::string::npos);

    EXPECT_EQ(SizePageLayoutOf(With({"P35RepChoice"})).first, "Top");
    EXPECT_EQ(SizePageLayoutOf(With({"P35RepTop"})).second, "Left");
    EXPECT_EQ(SizePageLayoutOf(With({"P35SizeTop"})).heading, "Enter the new window size");

    EXPECT_EQ(ActionHeading39(With({"P38Close"})), "Would you like to close");
    EXPECT_EQ(TitleHeading40(With({"P38Restore"})).substr(0, 54),
              "Enter the title of the window that should be restoredd");

    const FilePageLayout copy = FilePageLayoutOf(With({"P48CopyFile"}));
    EXPECT_EQ(copy.pathLabel, "Path and name of file to copy");
    EXPECT_EQ(copy.newNameLabel, "Path and name of new file");
    EXPECT_TRUE(copy.newName);
    EXPECT_FALSE(copy.folder);
    EXPECT_EQ(FilePageLayoutOf(With({"P48RenameFile"})).newNameLabel, "New name of file");
    EXPECT_TRUE(FilePageLayoutOf(With({"P48CreateFolder"})).folder);
    EXPECT_FALSE(FilePageLayoutOf(With({"P48CreateFolder"})).newName);
    EXPECT_FALSE(FilePageLayoutOf(With({"P48DeleteFile"})).folder);
    EXPECT_TRUE(FilePageLayoutOf(With({"P48ChangeDir"})).folder);

    EXPECT_EQ(CheckedOf(With({"P43MIDI"}), NamesOf(kP43Choices)), "P43MIDI");
    EXPECT_EQ(CheckedOf(Answers{}, NamesOf(kP43Choices)), "");
}

TEST(ContentFiles, PasteBrowseFollowsPage13AndPathsOver255AreRefused) {
    EXPECT_FALSE(PasteBrowseFilter(With({"P13Text"})));
    EXPECT_EQ(PasteBrowseFilter(With({"P13File"}))->title, "Text Files");
    EXPECT_EQ(PasteBrowseFilter(With({"P13Graphic"}))->filter.substr(0, 14), "Graphic Files ");
    EXPECT_TRUE(PathFits(std::string(255, 'a')));
    EXPECT_FALSE(PathFits(std::string(256, 'a')));
}

TEST(ContentFiles, Page46PlaysOnlyTheFileTypedNeverOneCutFromIt) {
    testing::TempDir dir;
    const std::string wav = dir.file("ring.wav");
    std::ofstream(wav) << "RIFF";
    const WaveToPlay ok = WaveOfPage46("  " + wav + "  ");
    EXPECT_EQ(ok.error, "");
    EXPECT_EQ(ok.file, wav);
    EXPECT_EQ(WaveOfPage46(dir.file("none.wav")).error, kNoWaveToPlay);

    // A file whose path is exactly 255 characters, and a longer typed path beginning with it.
    std::string name = "w";
    name += std::string(255 - dir.path().size() - 2, 'x');
    const std::string exact = dir.file(name);
    ASSERT_EQ(exact.size(), 255u);
    std::ofstream(exact) << "RIFF";
    EXPECT_EQ(WaveOfPage46(exact).file, exact);
    EXPECT_EQ(WaveOfPage46(exact + ".wav").error, kPathTooLong);
}

}  // namespace
}  // namespace tessaro::wizard
