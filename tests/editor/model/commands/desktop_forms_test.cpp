#include "editor/model/commands/desktop_forms.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "editor/model/commands/reboot_forms.h"
#include "form_round_trip.h"
#include "tests/support/temp_dir.h"

namespace tessaro {
namespace {

using testing::ExpectRefused;
using testing::ParsedBack;

// The parser names some folders and dialogs in its own words ("Find Computer", "DeskTop"),
// so for those only the record and the text are compared.
LineRecord ParsedDesk(const FormResult<DeskFields>& built, const RadioChoice& choice) {
    if (choice.code != cmd::RunDialogWindow && choice.code != cmd::OpenExplorerTo)
        return ParsedBack(built, choice.token);
    const auto lines = ParseMacroText(built.CommandText);
    if (lines.size() != 1u) {
        ADD_FAILURE() << built.CommandText;
        return {};
    }
    EXPECT_EQ(LineCommand(lines[0]), choice.code);
    EXPECT_TRUE(testing::SameRecord(lines[0].Record, built.record)) << choice.control;
    EXPECT_EQ(CommandText(choice.code, lines[0].Record).text, built.CommandText);
    return lines[0].Record;
}

TEST(DeskForm, EveryChoiceParsesBackToItsKind) {
    for (const RadioChoice& choice : kDeskChoices) {
        const auto built = BuildDesk(choice.kind);
        const LineRecord rec = ParsedDesk(built, choice);
        EXPECT_EQ(std::get<TDeskRec>(rec).Kind, choice.kind) << choice.control;
        EXPECT_EQ(BuildDesk(std::get<TDeskRec>(rec).Kind).CommandText, built.CommandText);
    }
    EXPECT_EQ(BuildDesk(3).CommandText, "<TILHDESK>");
    EXPECT_TRUE(BuildDesk(0).CommandText.empty());
}

TEST(DeskForm, WithoutTheNewerShellOnlyTheFirstThree) {
    for (const RadioChoice& choice : kDeskChoices) {
        EXPECT_TRUE(DeskChoiceEnabled(choice.kind, true));
        EXPECT_EQ(DeskChoiceEnabled(choice.kind, false), choice.kind <= 3) << choice.control;
    }
}

TEST(ExploreForm, ExistingFolderStoredAsTyped) {
    testing::TempDir dir;
    const std::string typed = dir.path() + "/";
    const auto r = BuildExplore("  " + typed);
    EXPECT_EQ(r.CommandText, "<EXPLORE:" + typed + ">");
    EXPECT_EQ(r.fields.FolderPath, typed);
    const LineRecord rec = ParsedBack(r, TokenKind::Explore);
    EXPECT_EQ(BuildExplore(std::get<TNameRec>(rec).Name).CommandText, r.CommandText);
    const char* missing = "Specified folder does not exist.  Please correct.";
    ExpectRefused(BuildExplore(dir.file("none")), missing, "ProgPath");
    ExpectRefused(BuildExplore(""), missing, "ProgPath");
    std::filesystem::create_directory(dir.file("a>b"));
    ExpectRefused(BuildExplore(dir.file("a>b")), testing::BadChar('>'), "ProgPath");
}

TEST(RebootForm, FourChoices) {
    for (const RadioChoice& choice : kRebootChoices) {
        const auto built = BuildReboot(choice.kind);
        EXPECT_EQ(std::get<TDeskRec>(ParsedBack(built, choice.token)).Kind, choice.kind);
    }
    EXPECT_EQ(BuildReboot(1).CommandText, "<LOGOFF>");
    EXPECT_EQ(BuildReboot(4).CommandText, "<POWEROFF>");
    EXPECT_TRUE(BuildReboot(0).CommandText.empty());
}

TEST(TBoxForm, SharedCommandOfEveryCreator) {
    const auto r = BuildTBox("  Notice ", "line one\nline two\r\nthree\rfour");
    EXPECT_EQ(r.fields.BoxHeader, "Notice");
    EXPECT_EQ(r.fields.Contents, "line one\r\nline two\r\nthree\r\nfour");
    EXPECT_EQ(r.CommandText, "<TBOX:<HEAD:Notice>line one\r\nline two\r\nthree\r\nfour>");
    const LineRecord rec = ParsedBack(r, TokenKind::TBox);
    const auto& box = std::get<TWTextRec>(rec);
    EXPECT_EQ(BuildTBox(box.Title, box.Text).CommandText, r.CommandText);
    EXPECT_TRUE(BuildTBox("", "").ok());  // nothing is required here
    ExpectRefused(BuildTBox("a>b", "x"), testing::BadChar('>'), "Header");
    ExpectRefused(BuildTBox("a", "1 > 0"), testing::BadChar('>'), "Contents");
}

}  // namespace
}  // namespace tessaro
