#include "editor/model/commands/wait_forms.h"

#include <gtest/gtest.h>

#include "form_round_trip.h"

namespace tessaro {
namespace {

using testing::ExpectRefused;
using testing::ParsedBack;

WaitForm Filled(std::int32_t kind) {
    WaitForm f = WaitDefaults(kind);
    f.WinTitle = "  Untitled - Notes ";
    f.ProgName = "notes";
    f.TheText = "Done now";
    return f;
}

TEST(WaitForm, EveryKindParsesBackAndEditsUnchanged) {
    for (const RadioChoice& choice : kWaitChoices) {
        for (bool limited : {true, false}) {
            WaitForm form = Filled(choice.kind);
            form.WaitMax = limited;
            form.CaseSense = limited;
            const auto built = BuildWait(form);
            ASSERT_TRUE(built.ok()) << choice.control;
            const LineRecord rec = ParsedBack(built, choice.token);
            ASSERT_TRUE(std::holds_alternative<TWaitRec>(rec)) << choice.control;
            const WaitForm edited = WaitPreset(std::get<TWaitRec>(rec));
            EXPECT_EQ(edited.Kind, choice.kind);
            const auto again = BuildWait(edited);
            EXPECT_EQ(again.CommandText, built.CommandText) << choice.control;
            EXPECT_EQ(again.fields.WaitKind, choice.kind);
        }
    }
}

TEST(WaitForm, CommandTextsOfTheKinds) {
    WaitForm title = Filled(1);
    title.WaitMin = "5";
    EXPECT_EQ(BuildWait(title).CommandText, "<WAITWIN:005:Untitled - Notes>");
    WaitForm key = WaitDefaults(4);
    key.WaitMax = false;
    auto r = BuildWait(key);
    EXPECT_EQ(r.CommandText, "<WAITKEY:000:50>");
    EXPECT_EQ(r.fields.WaitArgument, "50");
    key.TheKey = 0;
    EXPECT_EQ(BuildWait(key).CommandText, "<WAITKEY:000:00>");
    WaitForm time = WaitDefaults(10);
    time.Minutes = "2";
    time.Seconds = "30";
    r = BuildWait(time);
    EXPECT_EQ(r.CommandText, "<WAITTIME:00000150>");
    EXPECT_EQ(r.fields.WaitValue, 150);
    time.Minutes = "0";
    time.Seconds = "0";
    EXPECT_EQ(BuildWait(time).CommandText, "<WAITTIME:00000000>");
    WaitForm text = Filled(5);
    text.WaitMax = false;
    text.CaseSense = true;
    r = BuildWait(text);
    EXPECT_EQ(r.CommandText, "<WAITTXTY:000:Done now>");
    EXPECT_EQ(r.fields.CaseSensitive, 1);
    text.CaseSense = false;
    EXPECT_EQ(BuildWait(text).CommandText, "<WAITTXTN:000:Done now>");
    EXPECT_EQ(BuildWait(Filled(9)).CommandText, "<WAITPB>");
    EXPECT_EQ(BuildWait(Filled(7)).CommandText, "<WAITRM:010>");
}

TEST(WaitForm, KeyListOrderIsTheStoredIndex) {
    EXPECT_EQ(WaitKeyName(0), "A");
    EXPECT_EQ(WaitKeyName(25), "Z");
    EXPECT_EQ(WaitKeyName(26), "0");
    EXPECT_EQ(WaitKeyName(35), "9");
    EXPECT_EQ(WaitKeyName(36), "F1");
    EXPECT_EQ(WaitKeyName(47), "F12");
    EXPECT_EQ(WaitKeyName(48), "ESC");
    EXPECT_EQ(WaitKeyName(49), "TAB");
    EXPECT_EQ(WaitKeyName(kWaitKeyEnter), "ENTER");
    EXPECT_EQ(WaitKeyName(51), "CTRL");
    EXPECT_EQ(WaitKeyName(52), "ALT");
    EXPECT_EQ(WaitKeyName(53), "SHIFT");
    EXPECT_EQ(WaitKeyName(54), "");
    EXPECT_EQ(WaitKeyName(-1), "");
}

TEST(WaitForm, ChecksInTheirOrder) {
    WaitForm f = Filled(1);
    f.WinTitle = "   ";
    f.WaitMin = "0";  // the entry is tested first
    ExpectRefused(BuildWait(f), "No entry made for Window Title.  Please correct.", "WinTitle");
    f = Filled(3);
    f.ProgName = "";
    ExpectRefused(BuildWait(f), "No entry made for program name.  Please correct.", "ProgName");
    f = Filled(5);
    f.TheText = " ";
    ExpectRefused(BuildWait(f), "No text entered.  Please correct.", "TheText");
    f = Filled(4);
    f.TheKey = -1;
    ExpectRefused(BuildWait(f), "No key selected.  Please correct.", "TheKey");
    // WaitMax counts even where the time controls are hidden.
    f = Filled(9);
    f.WaitMin = "";
    ExpectRefused(BuildWait(f), "Value must be greater than zero.", "WaitMin");
    f.WaitMax = false;
    EXPECT_EQ(BuildWait(f).CommandText, "<WAITPB>");
    f = Filled(10);
    f.Minutes = "x";
    ExpectRefused(BuildWait(f), "Invalid Minutes specified.", "Minutes");
    f.Minutes = "-1";
    ExpectRefused(BuildWait(f), "Invalid Minutes specified.", "Minutes");
    f.Minutes = "1666667";  // more seconds than eight digits hold
    ExpectRefused(BuildWait(f), "Invalid Minutes specified.", "Minutes");
    f.Minutes = "1";
    f.Seconds = "60";
    ExpectRefused(BuildWait(f), "Invalid Seconds specified.", "Seconds");
}

TEST(WaitForm, TimeOutCountsTheLeadingDigits) {
    WaitForm f = Filled(6);
    f.WaitMin = "12x";
    EXPECT_EQ(BuildWait(f).CommandText, "<WAITLM:012>");
    f.WaitMin = "x12";
    ExpectRefused(BuildWait(f), "Value must be greater than zero.", "WaitMin");
    f.WaitMin = "-3";
    ExpectRefused(BuildWait(f), "Value must be greater than zero.", "WaitMin");
}

TEST(WaitForm, NoKindClosesWithoutCommand) {
    WaitForm f = WaitDefaults(0);
    const auto r = BuildWait(f);
    EXPECT_TRUE(r.ok());
    EXPECT_TRUE(r.CommandText.empty());
    f.WaitMin = "0";
    EXPECT_FALSE(BuildWait(f).ok());  // the time checks still run
}

TEST(WaitForm, TextsThatWouldEndTheCommandAreRefused) {
    WaitForm f = Filled(1);
    f.WinTitle = "a>b";
    ExpectRefused(BuildWait(f), testing::BadChar('>'), "WinTitle");
    f = Filled(3);
    f.ProgName = "x>";
    ExpectRefused(BuildWait(f), testing::BadChar('>'), "ProgName");
    f = Filled(5);
    f.TheText = ">";
    ExpectRefused(BuildWait(f), testing::BadChar('>'), "TheText");
}

TEST(WaitForm, PresetOfTheTimeControls) {
    WaitForm f = WaitPreset(TWaitRec{10, "", 150, false});
    EXPECT_TRUE(f.WaitMax);
    EXPECT_EQ(f.WaitMin, "10");
    EXPECT_EQ(f.Minutes, "2");
    EXPECT_EQ(f.Seconds, "30");
    f = WaitPreset(TWaitRec{1, "T", 0, false});
    EXPECT_FALSE(f.WaitMax);
    EXPECT_EQ(f.Minutes, "10");
    EXPECT_EQ(f.Seconds, "0");
    f = WaitPreset(TWaitRec{4, "99", 7, false});
    EXPECT_EQ(f.TheKey, -1);
    EXPECT_EQ(f.WaitMin, "7");
}

TEST(WaitForm, PanelsOfTheKinds) {
    EXPECT_EQ(WaitPanelOf(1), WaitPanel::Title);
    EXPECT_EQ(WaitPanelOf(2), WaitPanel::Title);
    EXPECT_EQ(WaitPanelOf(3), WaitPanel::Program);
    EXPECT_EQ(WaitPanelOf(4), WaitPanel::Key);
    EXPECT_EQ(WaitPanelOf(5), WaitPanel::Text);
    EXPECT_EQ(WaitPanelOf(10), WaitPanel::Elapse);
    for (int k : {0, 6, 7, 8, 9}) EXPECT_EQ(WaitPanelOf(k), WaitPanel::None) << k;
    EXPECT_FALSE(WaitTimePanelShown(9));
    EXPECT_FALSE(WaitTimePanelShown(10));
    EXPECT_TRUE(WaitTimePanelShown(0));
    EXPECT_TRUE(WaitTimePanelShown(6));
}

}  // namespace
}  // namespace tessaro
