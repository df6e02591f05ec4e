#include "editor/model/commands/delay_forms.h"

#include <gtest/gtest.h>

#include "parse_back.h"

namespace tessaro {
namespace {

using testing::ExpectParsesBack;
using testing::ExpectRefused;

constexpr const char* kUpTo60 = "Value must be greater than zero and no larger than 60.";

struct Delay2Case {
    std::int32_t kind;
    const char* typed;
    const char* text;
    double value;
};

TEST(Delay2, BuildsEveryUnitAndParsesBack) {
    const Delay2Case cases[] = {
        {1, "0.5", "<DELAY:00.50>", 0.5},
        {1, " 60 ", "<DELAY:60.00>", 60},
        {1, "12.345", "<DELAY:12.35>", 12.345},
        {1, ".01", "<DELAY:00.01>", 0.01},
        {2, "7", "<MSD:0007>", 7},
        {2, "9999", "<MSD:9999>", 9999},
        {3, "5", "<TDELAY:05>", 5},
        {3, "60", "<TDELAY:60>", 60},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        const auto r = BuildDelay2({c.kind, c.typed});
        ASSERT_TRUE(r.ok());
        EXPECT_EQ(r.CommandText, c.text);
        EXPECT_EQ(r.fields.DelayKind, c.kind);
        EXPECT_DOUBLE_EQ(r.fields.DelayValue, c.value);
        EXPECT_EQ(r.code, c.kind == 3 ? cmd::WaitTimeDelay : cmd::Delay);
        ExpectParsesBack(r, ChoiceOfKind(kDelay2Choices, c.kind)->token);
    }
}

TEST(Delay2, RefusesOutOfRangeAndNonNumbersWithTheRangeMessage) {
    for (const char* bad : {"60.01", "0", "-1", "", "1x", "0x10", "1e3", "0,5", "0.001"})
        ExpectRefused(BuildDelay2({1, bad}), kUpTo60, "Seconds");
    for (const char* bad : {"61", "0", "", "1x", "2147483648"})
        ExpectRefused(BuildDelay2({3, bad}), kUpTo60, "Seconds");
    ExpectRefused(BuildDelay2({2, "10000"}), "Value must be less than 9999.", "Seconds");
    for (const char* bad : {"0", "-3", "", "1x", "0x10", "1e3", "0,5", "2147483648"})
        ExpectRefused(BuildDelay2({2, bad}), "Value must be greater than zero.", "Seconds");
}

TEST(Delay2, FieldLengthFollowsTheChoice) {
    EXPECT_EQ(Delay2MaxLength(3), 2);
    EXPECT_EQ(Delay2MaxLength(1), 5);
    EXPECT_EQ(Delay2MaxLength(2), 4);
}

TEST(Delay2, PresetThenBuildGivesTheSameRecord) {
    for (const TDelayRec& rec : {TDelayRec{1, 0.5}, TDelayRec{1, 60}, TDelayRec{2, 250}, TDelayRec{3, 12}}) {
        const Delay2Form form = Delay2Preset(rec);
        const auto r = BuildDelay2(form);
        ASSERT_TRUE(r.ok()) << form.Seconds;
        EXPECT_TRUE(testing::SameRecord(r.record, rec)) << form.Seconds;
    }
    EXPECT_EQ(Delay2Preset(TDelayRec{1, 0.5}).Seconds, "0.50");
    EXPECT_EQ(Delay2Defaults().Kind, 1);
}

TEST(DelayPurposes, SecondsAltCodesAndSchedulerFrequency) {
    auto seconds = BuildDelay(DelayPurpose::Seconds, "2.5");
    EXPECT_EQ(seconds.CommandText, "<DELAY:02.50>");
    ExpectParsesBack(seconds, TokenKind::Delay);
    ExpectRefused(BuildDelay(DelayPurpose::Seconds, "61"), kUpTo60, "Seconds");

    auto alt3 = BuildDelay(DelayPurpose::AltKeypad, "65");
    EXPECT_EQ(alt3.CommandText, "<ALT:065>");
    ExpectParsesBack(alt3, TokenKind::AltCode);
    auto alt1 = BuildDelay(DelayPurpose::AltKeypad, "7");
    EXPECT_EQ(alt1.CommandText, "<ALT:007>");
    auto alt4 = BuildDelay(DelayPurpose::AltKeypad, "0225");
    EXPECT_EQ(alt4.CommandText, "<ALT4:0225>");
    ExpectParsesBack(alt4, TokenKind::Alt4Code);
    for (const char* bad : {"6x", "", "-5", "+12", "12345"})
        ExpectRefused(BuildDelay(DelayPurpose::AltKeypad, bad), "Value must be numeric.", "Seconds");

    auto freq = BuildDelay(DelayPurpose::SchedulerFrequency, "30");
    ASSERT_TRUE(freq.ok());
    EXPECT_TRUE(freq.CommandText.empty());
    EXPECT_EQ(freq.fields.TimerSeconds, 30);
    for (const char* bad : {"0", "61", "x"})
        ExpectRefused(BuildDelay(DelayPurpose::SchedulerFrequency, bad), "Value must be between 1 and 60.",
                      "Seconds");
    EXPECT_STREQ(DelayLookOf(DelayPurpose::SchedulerFrequency).caption, "Scheduler Frequency");
    EXPECT_STREQ(DelayLookOf(DelayPurpose::AltKeypad).label, "Keypad Numbers");
}

TEST(Speed, EveryChoiceParsesBack) {
    auto key = BuildSpeed({1, "0"});
    EXPECT_EQ(key.CommandText, "<SPKEY:0000>");
    EXPECT_DOUBLE_EQ(key.fields.SpeedFactor, 1.0);
    ExpectParsesBack(key, TokenKind::SpKey);
    auto mouse = BuildSpeed({2, "25"});
    EXPECT_EQ(mouse.CommandText, "<SPMSE:0025>");
    ExpectParsesBack(mouse, TokenKind::SpMse);
    auto macro = BuildSpeed({3, "0.25"});
    EXPECT_EQ(macro.CommandText, "<SPEED:00.25>");
    EXPECT_EQ(macro.fields.SpeedCount, 0);
    ExpectParsesBack(macro, TokenKind::Speed);
    EXPECT_EQ(BuildSpeed({3, "99.99"}).CommandText, "<SPEED:99.99>");
}

TEST(Speed, RefusesNegativesNonNumbersAndFactorsOfAHundred) {
    for (const char* bad : {"-1", "", "1x", "1e3"}) {
        ExpectRefused(BuildSpeed({1, bad}), "Value must be zero or greater.", "Count");
        ExpectRefused(BuildSpeed({3, bad}), "Value must be zero or greater.", "Count");
    }
    // Five characters cannot hold 100.00: the token would be cut and misread.
    for (const char* big : {"100", "99.999", "250"})
        ExpectRefused(BuildSpeed({3, big}), "Value must be zero or greater and less than 100.", "Count");
}

TEST(Speed, PresetThenBuildGivesTheSameRecord) {
    for (const TSpeedRec& rec : {TSpeedRec{1, 40, 1.0}, TSpeedRec{2, 0, 1.0}, TSpeedRec{3, 0, 2.5}}) {
        const auto r = BuildSpeed(SpeedPreset(rec));
        ASSERT_TRUE(r.ok());
        EXPECT_TRUE(testing::SameRecord(r.record, rec));
    }
    EXPECT_STREQ(SpeedLabel(3), "Playback Factor");
    EXPECT_STREQ(SpeedLabel(1), "Delay in Milliseconds");
}

}  // namespace
}  // namespace tessaro
