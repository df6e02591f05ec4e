#include "editor/model/commands/system_forms.h"

#include <gtest/gtest.h>

#include <fstream>

#include "form_round_trip.h"
#include "tests/support/temp_dir.h"

namespace tessaro {
namespace {

using testing::ExpectRefused;
using testing::ParsedBack;

class SysFormTest : public ::testing::Test {
protected:
    void SetUp() override { std::ofstream(bitmap_) << "BM"; }
    SysForm Form(std::int32_t kind, std::string number = "2") {
        SysForm f = SysDefaults();
        f.Kind = kind;
        f.Number = std::move(number);
        f.Track = bitmap_;
        return f;
    }
    testing::TempDir dir_;
    std::string bitmap_ = dir_.file("sky.bmp");
};

TEST_F(SysFormTest, EveryChoiceAndStyleParsesBackAndEditsUnchanged) {
    std::vector<SysForm> forms;
    for (const RadioChoice& choice : kSysChoices) forms.push_back(Form(choice.kind));
    for (const RadioChoice& style : kWallStyles) {
        SysForm f = Form(6);
        f.Tile = style.kind == 0;
        f.Placement = style.kind == 0 ? 2 : style.kind;  // Tile wins over any placement
        f.XPos = "-5";
        f.YPos = " 20 ";
        forms.push_back(f);
    }
    for (const SysForm& form : forms) {
        const auto built = BuildSys(form);
        ASSERT_TRUE(built.ok()) << form.Kind << ": " << built.error->message;
        const LineRecord rec = ParsedBack(built, TokenKind::None);
        ASSERT_TRUE(std::holds_alternative<TSysRec>(rec));
        const SysForm edited = SysPreset(std::get<TSysRec>(rec));
        const auto again = BuildSys(edited);
        EXPECT_EQ(again.CommandText, built.CommandText);
        EXPECT_EQ(again.fields.SysWallStyle, built.fields.SysWallStyle);
    }
}

TEST_F(SysFormTest, CommandTexts) {
    EXPECT_EQ(BuildSys(Form(1)).CommandText, "<SSON>");
    EXPECT_EQ(BuildSys(Form(2)).CommandText, "<SSOFF>");
    EXPECT_EQ(BuildSys(Form(3, "5")).CommandText, "<SSTIME:05>");
    EXPECT_EQ(BuildSys(Form(4, "3")).CommandText, "<KEYDEL:3>");
    EXPECT_EQ(BuildSys(Form(5, "0")).CommandText, "<KEYSPD:00>");
    EXPECT_EQ(BuildSys(Form(7, "10")).CommandText, "<WBSIZE:10>");
    SysForm wall = Form(6);
    wall.Tile = false;
    wall.Placement = 1;
    EXPECT_EQ(BuildSys(wall).CommandText, "<WALLC:" + bitmap_ + ">");
    wall.Placement = 2;
    EXPECT_EQ(BuildSys(wall).CommandText, "<WALLS:" + bitmap_ + ">");
    wall.Placement = 3;
    wall.XPos = "10";
    wall.YPos = "20";
    EXPECT_EQ(BuildSys(wall).CommandText, "<WALLP:0010,0020" + bitmap_ + ">");
    // Negative positions are written sign first, as the player reads them.
    wall.XPos = "-5";
    const auto r = BuildSys(wall);
    EXPECT_EQ(r.CommandText, "<WALLP:-005,0020" + bitmap_ + ">");
    EXPECT_EQ(r.fields.SysWallX, -5);
    wall.Tile = true;
    const auto tiled = BuildSys(wall);
    EXPECT_EQ(tiled.CommandText, "<WALLT:" + bitmap_ + ">");
    EXPECT_EQ(tiled.fields.SysWallStyle, 0);
}

TEST_F(SysFormTest, NumberLimits) {
    const char* minutes = "Invalid minutes specified.  Valid values or 1 to 60.  Please correct.";
    const char* delay =
        "Invalid factor specified.  Valid values or 0 to 3.  0 = shortest delay.  Please correct.";
    const char* speed =
        "Invalid factor specified.  Valid values or 0 to 31.  0 = slowest speed.  Please correct.";
    const char* border = "Invalid value specified.  Valid values or 1 to 10.  Please correct.";
    struct Case {
        std::int32_t kind;
        const char* number;
        const char* message;  // nullptr: accepted
    } cases[] = {
        {3, "0", minutes}, {3, "1", nullptr}, {3, "60", nullptr}, {3, "61", minutes}, {3, "5x", minutes},
        {4, "-1", delay},  {4, "0", nullptr}, {4, "3", nullptr},  {4, "4", delay},    {5, "31", nullptr},
        {5, "32", speed},  {7, "0", border},  {7, "10", nullptr}, {7, "", border},    {1, "junk", nullptr},
    };
    for (const Case& c : cases) {
        const auto r = BuildSys(Form(c.kind, c.number));
        if (c.message)
            ExpectRefused(r, c.message, "Number");
        else
            EXPECT_TRUE(r.ok()) << c.kind << " " << c.number;
    }
}

TEST_F(SysFormTest, WallpaperChecks) {
    SysForm wall = Form(6);
    wall.Tile = false;
    wall.Placement = 3;
    wall.XPos = "x";
    ExpectRefused(BuildSys(wall), "Invalid X Coordinate specified. Please correct.", "XPos");
    wall.XPos = "1";
    wall.YPos = "";
    ExpectRefused(BuildSys(wall), "Invalid Y Coordinate specified. Please correct.", "YPos");
    wall.Tile = true;  // tiled: the coordinates are not read
    wall.Track = dir_.file("gone.bmp");
    ExpectRefused(BuildSys(wall), "Specified bitmap file does not exist.  Please correct.", "Track");
    const std::string odd = dir_.file("a>b.bmp");
    std::ofstream(odd) << "BM";
    wall.Track = odd;
    ExpectRefused(BuildSys(wall), testing::BadChar('>'), "Track");
}

TEST(SysFormLook, TileDisablesThePlacements) {
    SysForm f = SysDefaults();
    EXPECT_EQ(f.Kind, 1);
    EXPECT_EQ(f.Number, "1");
    EXPECT_FALSE(CheckWallStuff(f).placements);
    EXPECT_FALSE(CheckWallStuff(f).position);
    f.Tile = false;
    EXPECT_TRUE(CheckWallStuff(f).placements);
    EXPECT_FALSE(CheckWallStuff(f).position);
    f.Placement = 3;
    EXPECT_TRUE(CheckWallStuff(f).position);
    EXPECT_STREQ(SysNumberLabel(3), "Minutes");
    EXPECT_STREQ(SysNumberLabel(7), "Factor");
    EXPECT_EQ(SysNumberLabel(6), nullptr);
    EXPECT_EQ(SysNumberLabel(1), nullptr);
    // Style 0 presets Tile and Center.
    const SysForm tiled = SysPreset(TSysRec{6, "p", 0, 0, 0, 0});
    EXPECT_TRUE(tiled.Tile);
    EXPECT_EQ(tiled.Placement, 1);
}

}  // namespace
}  // namespace tessaro
