#include "editor/model/commands/nick_forms.h"

#include <gtest/gtest.h>

#include <memory>

#include "foundation/config_record.h"
#include "form_round_trip.h"
#include "protocol/glob_data.h"

namespace tessaro {
namespace {

using testing::ExpectRefused;
using testing::ParsedBack;

TEST(NickForm, EveryChoiceParsesBackAndEditsUnchanged) {
    for (const RadioChoice& choice : kNickChoices) {
        const auto built = BuildNick(NickForm{choice.kind, "  My  Macro ", ""}, false);
        ASSERT_TRUE(built.ok());
        EXPECT_EQ(built.fields.TargetNickname, "My  Macro");
        const LineRecord rec = ParsedBack(built, choice.token);
        ASSERT_TRUE(std::holds_alternative<TMacroRefRec>(rec));
        // The script editor checks the radio by the line's code.
        NickForm edited = NickPreset(std::get<TMacroRefRec>(rec));
        edited.Kind = choice.kind;
        EXPECT_EQ(BuildNick(edited, false).CommandText, built.CommandText);
    }
}

TEST(NickForm, TypedNameWinsAndAnEmptyOneAsks) {
    auto r = BuildNick(NickForm{1, "Typed", "Listed"}, false);
    EXPECT_EQ(r.CommandText, "<MACRUN:Typed>");
    NickForm empty{2, " ", "Listed"};
    EXPECT_TRUE(NickNeedsQuestion(empty));
    r = BuildNick(empty, true);
    EXPECT_EQ(r.CommandText, "<MACDEL:Listed>");
    EXPECT_EQ(r.fields.NickKind, 2);
    EXPECT_FALSE(BuildNick(empty, false).ok());
    EXPECT_EQ(
        NickUseHighlightedQuestion("Listed"),
        "No nickname has been entered.  \"Listed\" is currently highlighted.  Would you like to use it?");
    NickForm none{1, "", ""};
    EXPECT_FALSE(NickNeedsQuestion(none));
    ExpectRefused(BuildNick(none, true), kNoNickname, "ProgPath");
    ExpectRefused(BuildNick(NickForm{1, "a>b", ""}, false), testing::BadChar('>'), "ProgPath");
}

TEST(NickForm, ListLeavesOutSystemAndBlankMacrosAndSorts) {
    auto glob = std::make_unique<TGlobData>();
    auto config = std::make_unique<TConfigRecord>();
    const char* names[] = {"zeta", "  ", "Alpha", "System", "beta", "Beyond"};
    glob->MacroCount = 6;
    for (int n = 1; n <= 6; ++n) {
        config->MacroNicknames[static_cast<std::size_t>(n)] = names[n - 1];
        glob->Scope[n] = n == 4 ? 5 : 1;
    }
    config->MacroNicknames[7] = "Past the count";
    EXPECT_EQ(NickListOf(*glob, *config), (std::vector<std::string>{"Alpha", "beta", "Beyond", "zeta"}));
    glob->MacroCount = 100000;  // a damaged count reads no further than the arrays
    EXPECT_EQ(NickListOf(*glob, *config).size(), 5u);
    glob->MacroCount = -1;
    EXPECT_TRUE(NickListOf(*glob, *config).empty());
}

}  // namespace
}  // namespace tessaro
