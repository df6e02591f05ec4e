#include "editor/model/tools/macro_exchange.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstring>
#include <filesystem>
#include <sstream>

#include "macro/macro_file.h"

#include "protocol/glob_data.h"
#include "protocol/hotkey_names.h"
#include "tests/support/unpacked.h"

namespace tessaro {
namespace {

// Foreign records are built byte by byte at the offsets their formats fix, apart from
// the reader's own tables.
struct Bytes {
    std::string b;
    explicit Bytes(std::size_t size) : b(size, '\0') {}
    Bytes& u8(std::size_t at, int v) {
        b[at] = static_cast<char>(v);
        return *this;
    }
    Bytes& u16(std::size_t at, int v) { return u8(at, v & 0xff).u8(at + 1, v >> 8); }
    Bytes& str(std::size_t at, const std::string& s) {
        u8(at, static_cast<int>(s.size()));
        std::memcpy(b.data() + at + 1, s.data(), s.size());
        return *this;
    }
    Bytes& text(std::size_t at, const std::string& s) {
        std::memcpy(b.data() + at, s.data(), s.size());
        return *this;
    }
};

Bytes Lindrel(const std::string& name, int activation, int scope, const std::string& text,
              bool clip = false) {
    Bytes r(5141);
    r.str(0, name).str(51, "Notepad").u16(82, activation).u16(84, scope).u8(86, 1).u8(87, clip ? 1 : 0);
    r.u16(88, 0xBEEF).text(90, text).u16(5091, 4).u8(5093, 1).u8(5099, 1).u8(5100, 9).u8(5101, 30);
    r.u8(5102, 7).u8(5103, 14).u8(5104, 5).u16(5105, 45).u8(5107, 3).u16(5108, 2031).u8(5110, 1).u8(5111, 0);
    return r;
}

Bytes Snipra(const std::string& abbreviation, const std::string& text, bool clip) {
    Bytes r(3039);
    r.str(3, abbreviation).u8(14, 1).u16(15, 0x1234).text(17, text).u8(3018, clip ? 1 : 0);
    return r;
}

TMacroRecord Macro(const std::string& name, int activation, int scope) {
    TMacroRecord m{};
    m.Nickname.assign(name);
    m.ActivationCode = static_cast<std::uint16_t>(activation);
    m.Scope = static_cast<std::uint16_t>(scope);
    m.IconName.assign("MAIN");
    m.CategoryId = 7;
    return m;
}

TMacroRecord Popup(std::vector<std::uint16_t> items, char tray) {
    TMacroRecord m = Macro("menu", 5, scPopupMenu);
    const char opts[3] = {tray, '1', '0'};
    m.Abbreviation.assign(std::string_view(opts, 3));
    m.MacroText[0] = static_cast<char>(items.size());
    for (std::size_t i = 0; i < items.size(); ++i) m.MacroText[2 + 2 * i] = static_cast<char>(items[i]);
    return m;
}

std::vector<int> Items(const TMacroRecord& m) {
    std::vector<int> out;
    const auto* t = reinterpret_cast<const unsigned char*>(m.MacroText);
    for (int i = 0; i < (t[0] | t[1] << 8); ++i) out.push_back(t[2 + 2 * i] | t[3 + 2 * i] << 8);
    return out;
}

std::string Raw(const TMacroRecord& m) { return std::string(reinterpret_cast<const char*>(&m), sizeof m); }

ImportSource Read(ImportKind kind, const std::string& bytes) {
    std::istringstream in(bytes);
    return ReadImportSource(kind, in);
}

TEST(MacroExport, PopupItemsPointAtTheirPlacesAmongTheExportedMacros) {
    TMacroRecord menu = Popup({4, 9, 2}, 'N');
    menu.MacroText[40] = 'x';  // bytes after the list are left as they were
    RenumberForExport(menu, {2, 5, 4, 7});
    EXPECT_EQ(Items(menu), (std::vector<int>{3, 1}));
    EXPECT_EQ(menu.MacroText[6], 2);  // the third old item is still there, unused
    EXPECT_EQ(menu.MacroText[40], 'x');

    TMacroRecord none = Popup({4, 9}, 'N');
    RenumberForExport(none, {1});
    EXPECT_TRUE(Items(none).empty());

    TMacroRecord plain = Macro("p", 5, scGlobal);
    SetMacroText(plain, "abc");
    RenumberForExport(plain, {1});
    EXPECT_EQ(GetMacroText(plain), "abc");
}

TEST(MacroExport, ListColumnsNameTheActivationAndScope) {
    EXPECT_EQ(ActivationCaption(acNone, "x"), "None");
    EXPECT_EQ(ActivationCaption(acWindowTitle, ""), "Window Title");
    EXPECT_EQ(ActivationCaption(acScheduled, ""), "Timed Macro");
    EXPECT_EQ(ActivationCaption(acAbbreviation, "brb"), "brb");
    EXPECT_EQ(ActivationCaption(5, ""), HotKeyNames(5));
    EXPECT_EQ(ScopeCaption(scGlobal, "x"), "GLOBAL");
    EXPECT_EQ(ScopeCaption(scPopupMenu, "x"), "POPUP MENU");
    EXPECT_EQ(ScopeCaption(scWindow, "123456789012345678901234"), "12345678901234567890");
}

TEST(MacroExport, TheOpenMacroFileAndItsCompanionsAreNeverWrittenOver) {
    const std::string dir = ::testing::TempDir();
    const std::string file = dir + "/work.QTM";
    EXPECT_FALSE(RefuseOpenMacroFile(file, file).empty());
    EXPECT_FALSE(RefuseOpenMacroFile(dir + "/./work.QTM", file).empty());
    EXPECT_FALSE(RefuseOpenMacroFile(dir + "/work.QTC", file).empty());
    EXPECT_FALSE(RefuseOpenMacroFile(dir + "/work.MAS", file).empty());
    EXPECT_FALSE(RefuseOpenMacroFile(dir + "/work.QTS", file).empty());
    EXPECT_TRUE(RefuseOpenMacroFile(dir + "/export.QTM", file).empty());
}

TEST(MacroImport, KindFollowsTheExtensionInAnyCase) {
    EXPECT_EQ(ImportKindOf("/a/b.qtm"), ImportKind::Macro);
    EXPECT_EQ(ImportKindOf("x.Ld2"), ImportKind::Lindrel);
    EXPECT_EQ(ImportKindOf("x.SNP"), ImportKind::Snipra);
    EXPECT_EQ(ImportKindOf("x.txt"), ImportKind::Unknown);
    EXPECT_EQ(ImportKindOf("snp"), ImportKind::Unknown);
    EXPECT_FALSE(Read(ImportKind::Unknown, "").Error.empty());
}

TEST(MacroImport, ListsEveryRecordButSystemMacrosKeepingSourceNumbers) {
    const std::string file = Raw(Macro("a", 3, scGlobal)) + Raw(Macro("sys", 0, scSystem)) +
                             Raw(Macro("b", acScheduled, scWindow));
    const ImportSource src = Read(ImportKind::Macro, file);
    ASSERT_TRUE(src.Error.empty()) << src.Error;
    ASSERT_EQ(src.Entries.size(), 2u);
    EXPECT_EQ(src.Entries[1].Name, "b");
    EXPECT_EQ(src.Entries[1].SourceRecord, 2);

    const ImportSource lin =
        Read(ImportKind::Lindrel, Lindrel("x", 4, scSystem, "t").b + Lindrel("y", 4, scWindow, "t").b);
    ASSERT_EQ(lin.Entries.size(), 1u);
    EXPECT_EQ(lin.Entries[0].Name, "y");
    EXPECT_EQ(lin.Entries[0].SourceRecord, 1);
    EXPECT_EQ(lin.Entries[0].ScopeText, "Notepad");

    const ImportSource snp = Read(ImportKind::Snipra, Snipra("brb", "be right back", false).b);
    ASSERT_EQ(snp.Entries.size(), 1u);
    EXPECT_EQ(snp.Entries[0].Abbreviation, "brb");
    EXPECT_EQ(Unpacked(snp.Entries[0].ActivationCode), acAbbreviation);
    EXPECT_EQ(Unpacked(snp.Entries[0].Scope), scGlobal);
}

TEST(MacroImport, PastFiveHundredListedRecordsTheRestIsIgnored) {
    std::string file;
    for (int i = 0; i < 510; ++i) file += Snipra("a" + std::to_string(i % 100), "t", false).b;
    const ImportSource src = Read(ImportKind::Snipra, file);
    EXPECT_TRUE(src.Error.empty());
    EXPECT_EQ(src.Entries.size(), 500u);
}

TEST(MacroImport, ADamagedFileIsRefusedWholeNamingTheRecord) {
    const std::string good = Raw(Macro("a", 3, scGlobal));
    TMacroRecord badScope = Macro("b", 3, 9);
    TMacroRecord badCode = Macro("c", 9999, scGlobal);
    std::string longName = Raw(Macro("d", 3, scGlobal));
    longName[0] = static_cast<char>(51);
    TMacroRecord bigMenu = Popup({}, 'N');
    bigMenu.MacroText[0] = static_cast<char>(0xff);
    bigMenu.MacroText[1] = static_cast<char>(0xff);
    for (const std::string& second : {Raw(badScope), Raw(badCode), longName, Raw(bigMenu)}) {
        const ImportSource src = Read(ImportKind::Macro, good + second);
        EXPECT_TRUE(src.Entries.empty());
        EXPECT_NE(src.Error.find("record 2"), std::string::npos) << src.Error;
    }
    const ImportSource cut = Read(ImportKind::Macro, good + good.substr(0, 100));
    EXPECT_TRUE(cut.Entries.empty());
    EXPECT_NE(cut.Error.find("whole records"), std::string::npos);

    Bytes badLen = Lindrel("x", 4, scGlobal, "t");
    badLen.u8(51, 31);
    EXPECT_FALSE(Read(ImportKind::Lindrel, badLen.b).Error.empty());
    Bytes badAbbr = Snipra("x", "t", false);
    badAbbr.u8(3, 11);
    EXPECT_FALSE(Read(ImportKind::Snipra, badAbbr.b).Error.empty());
}

TEST(MacroImport, GlobalHotKeysInUseAreWarnedOncePerMacroAndDeselected) {
    const ImportSource src =
        Read(ImportKind::Macro, Raw(Macro("a", 3, scGlobal)) + Raw(Macro("b", 3, scWindow)) +
                                    Raw(Popup({}, 'N')) + Raw(Macro("t", acScheduled, scGlobal)));
    std::vector<bool> selected(4, true);
    const auto warnings = ImportHotKeyConflicts(src.Entries, selected, {3, 3, 5, acScheduled});
    ASSERT_EQ(warnings.size(), 3u);  // two for "a", one for the popup menu on code 5
    EXPECT_EQ(warnings[0], "A Global Hot Key for " + HotKeyNames(3) +
                               " already exists.  This macro will not be imported.");
    EXPECT_EQ(selected, (std::vector<bool>{false, true, false, true}));
}

TEST(MacroImport, CapacityNamesTheExcess) {
    EXPECT_EQ(ImportCapacityWarning(490, 10), "");
    EXPECT_EQ(
        ImportCapacityWarning(495, 10),
        "The maximum capacity of macros per file will be exceeded. The last 5 macros selected will not be "
        "imported.");
}

TEST(MacroImport, OwnFormatKeepsTheRecordButRenumbersMenusAndDropsTheCategory) {
    // Source records: 0 "a", 1 menu of items 1 and 3 and 4, 2 "b", 3 "c".
    TMacroRecord menu = Popup({1, 3, 4}, 'Y');
    const std::string file = Raw(Macro("a", 3, scGlobal)) + Raw(menu) + Raw(Macro("b", 4, scGlobal)) +
                             Raw(Macro("c", 6, scGlobal));
    const ImportSource src = Read(ImportKind::Macro, file);
    // Rows 0, 1 and 2 selected (source records 0, 1, 2); "c" is not imported.
    const std::vector<int> selectedSources = {0, 1, 2};
    const ImportedMacro out = ConvertForImport(ImportKind::Macro, src.Entries[1], selectedSources, 497, 1.0);
    EXPECT_TRUE(out.ShowsInTray);
    // Item 1 is the first selected row: 498; item 3 the third: 500 (kept); item 4: dropped.
    EXPECT_EQ(Items(out.Record), (std::vector<int>{498, 500}));
    EXPECT_EQ(Unpacked(out.Record.CategoryId), 0);
    const ImportedMacro plain = ConvertForImport(ImportKind::Macro, src.Entries[0], selectedSources, 0, 1.0);
    EXPECT_EQ(plain.Record.Nickname.view(), "a");
    EXPECT_EQ(Unpacked(plain.Record.CategoryId), 0);

    const ImportedMacro late = ConvertForImport(ImportKind::Macro, src.Entries[1], {1, 2, 0}, 498, 1.0);
    EXPECT_EQ(Items(late.Record), (std::vector<int>{500}));  // item 1 (source 0) would be 501
}

TEST(MacroImport, LindrelRecordsConvertFieldByField) {
    const ImportSource src = Read(ImportKind::Lindrel, Lindrel("Mail", 12, scProgram, "hello").b);
    const TMacroRecord r = ConvertForImport(ImportKind::Lindrel, src.Entries[0], {0}, 0, 45000.5).Record;
    EXPECT_EQ(r.Nickname.view(), "Mail");
    EXPECT_EQ(r.ScopeText.view(), "Notepad");
    EXPECT_EQ(Unpacked(r.ActivationCode), 12);
    EXPECT_EQ(Unpacked(r.Scope), scProgram);
    EXPECT_EQ(r.Enabled, 1);
    EXPECT_EQ(Unpacked(r.Reserved98), 0xBEEF);
    EXPECT_EQ(GetMacroText(r), "hello");
    EXPECT_EQ(r.IconName.view(), "MAIN");
    EXPECT_EQ(Unpacked(r.ScheduleType), 4);
    EXPECT_EQ(r.ScheduleDays[0], 1);
    EXPECT_EQ(r.ScheduleDays[6], 1);
    EXPECT_EQ(r.ScheduleHour, 9);
    EXPECT_EQ(r.ScheduleMinute, 30);
    EXPECT_EQ(r.ScheduleMonth, 7);
    EXPECT_EQ(r.ScheduleDay, 14);
    EXPECT_EQ(r.MinutePastHour, 5);
    EXPECT_EQ(Unpacked(r.IntervalMinutes), 45);
    EXPECT_EQ(r.ScheduleWeekDay, 3);
    EXPECT_EQ(Unpacked(r.ScheduleYear), 2031);
    EXPECT_EQ(r.SchedulePM, 1);
    EXPECT_EQ(r.TopmostOnly, 0);
    EXPECT_EQ(Unpacked(r.LastModified), 45000.5);
    EXPECT_EQ(Unpacked(r.CategoryId), 0);
    EXPECT_EQ(Unpacked(r.AbbrevCase), 3);
    EXPECT_EQ(Unpacked(r.AbbrevErase), 1);
}

TEST(MacroImport, LindrelLaunchShorthandBecomesLaunchCommands) {
    EXPECT_EQ(ConvertLindrelText("<LAUNCH>1/usr/bin/gedit", false), "<LAUNCH:/usr/bin/gedit>");
    EXPECT_EQ(ConvertLindrelText("<LAUNCH>1/usr/bin/gedit<PARAM>/home/me", true),
              "<CHDIR:/home/me><LAUNCH:/usr/bin/gedit>");
    EXPECT_EQ(ConvertLindrelText("plain", true), "<BEGCLIP>plain<ENDCLIP><CLIPP>");
    EXPECT_EQ(ConvertLindrelText("plain", false), "plain");
}

TEST(MacroImport, SnipraRecordsBecomeGlobalAbbreviationMacros) {
    const ImportSource src = Read(ImportKind::Snipra, Snipra("brb", "be right back", true).b);
    const TMacroRecord r = ConvertForImport(ImportKind::Snipra, src.Entries[0], {0}, 0, 1.0).Record;
    EXPECT_EQ(r.Abbreviation.view(), "brb");
    EXPECT_EQ(Unpacked(r.ActivationCode), acAbbreviation);
    EXPECT_EQ(Unpacked(r.Scope), scGlobal);
    EXPECT_EQ(Unpacked(r.Reserved98), 0x1234);
    EXPECT_EQ(GetMacroText(r), "<BEGCLIP>be right back<ENDCLIP><CLIPP>");
    EXPECT_EQ(Unpacked(r.ScheduleType), 1);
    EXPECT_EQ(r.ScheduleMonth, 1);
    EXPECT_EQ(Unpacked(r.ScheduleYear), 1998);
    EXPECT_EQ(r.MinutePastHour, 15);
    EXPECT_EQ(r.TopmostOnly, 1);

    // Without an abbreviation it would fire on every delimiter.
    const ImportSource empty = Read(ImportKind::Snipra, Snipra("", "x", false).b);
    EXPECT_EQ(
        Unpacked(ConvertForImport(ImportKind::Snipra, empty.Entries[0], {0}, 0, 1.0).Record.ActivationCode),
        acNone);
}

TEST(MacroImport, ATooLongWrappedTextKeepsItsWrappingAndWarns) {
    const std::string text(4990, 'x');
    const ImportSource src = Read(ImportKind::Lindrel, Lindrel("long", 4, scGlobal, text, true).b);
    const ImportedMacro out = ConvertForImport(ImportKind::Lindrel, src.Entries[0], {0}, 0, 1.0);
    const std::string stored = GetMacroText(out.Record);
    EXPECT_EQ(stored.size(), 5000u);
    EXPECT_TRUE(stored.starts_with("<BEGCLIP>xxx"));
    EXPECT_TRUE(stored.ends_with("x<ENDCLIP><CLIPP>"));
    EXPECT_FALSE(out.Warning.empty());
    const ImportSource shortOne = Read(ImportKind::Lindrel, Lindrel("s", 4, scGlobal, "abc", true).b);
    EXPECT_TRUE(ConvertForImport(ImportKind::Lindrel, shortOne.Entries[0], {0}, 0, 1.0).Warning.empty());
}

}  // namespace
}  // namespace tessaro

namespace tessaro {
namespace {

TEST(MacroExport, WritesTheChosenRecordsInOrderAndNeverTheOpenFile) {
    const std::string dir = ::testing::TempDir() + "/export_test";
    std::filesystem::create_directories(dir);
    const std::string file = dir + "/work.QTM";
    std::filesystem::remove(file);
    ASSERT_TRUE(CreateEmptyMacroFile(file).ok());
    const std::vector<TMacroRecord> macros = {Macro("a", 3, scGlobal), Popup({1, 3}, 'N'),
                                              Macro("c", 4, scGlobal)};
    for (const TMacroRecord& m : macros) ASSERT_TRUE(WriteMacroRecordAt(file, -1, m).ok());

    const std::string target = dir + "/out.QTM";
    EXPECT_EQ(ExportMacros(file, {3, 2}, target), "");
    std::vector<TMacroRecord> back;
    ASSERT_TRUE(ReadMacroRecords(target, 10, back).ok());
    ASSERT_EQ(back.size(), 2u);
    EXPECT_EQ(back[0].Nickname.view(), "c");
    EXPECT_EQ(Items(back[1]), (std::vector<int>{1}));  // "a" was not exported

    const auto before = std::filesystem::file_size(file);
    EXPECT_FALSE(ExportMacros(file, {1}, file).empty());
    EXPECT_EQ(std::filesystem::file_size(file), before);
    EXPECT_NE(ExportMacros(file, {1}, dir + "/missing/out.QTM").find("Unable to create export file."),
              std::string::npos);
    // A FIFO chosen as the export file is refused and left a FIFO.
    const std::string fifo = dir + "/pipe.QTM";
    std::filesystem::remove(fifo);
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(ExportMacros(file, {1}, fifo),
              "Unable to create export file.  The file " + fifo +
                  " could not be written: it is a named pipe, not a regular file.");
    EXPECT_TRUE(std::filesystem::is_fifo(fifo));
    std::filesystem::remove(fifo);
}

}  // namespace
}  // namespace tessaro
