#include "macro/macro_record.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace tessaro {
namespace {

// Bytes laid out field by field at their file offsets, independently of the struct.
class ByteImage {
public:
    ByteImage() : bytes_(kMacroRecordSize, 0) {}
    void Str(std::size_t off, std::string_view s) {
        bytes_[off] = static_cast<char>(s.size());
        std::memcpy(&bytes_[off + 1], s.data(), s.size());
    }
    void U8(std::size_t off, std::uint8_t v) { bytes_[off] = static_cast<char>(v); }
    void U16(std::size_t off, std::uint16_t v) { U8(off, v & 0xFF), U8(off + 1, v >> 8); }
    void I32(std::size_t off, std::int32_t v) {
        for (int i = 0; i < 4; ++i) U8(off + i, static_cast<std::uint32_t>(v) >> (8 * i));
    }
    void F64(std::size_t off, double v) {
        std::uint64_t bits;
        std::memcpy(&bits, &v, 8);
        for (int i = 0; i < 8; ++i) U8(off + i, static_cast<std::uint8_t>(bits >> (8 * i)));
    }
    const std::vector<char>& bytes() const { return bytes_; }

private:
    std::vector<char> bytes_;
};

TEST(MacroRecordTest, EveryFieldLandsAtItsFileOffset) {
    TMacroRecord rec;
    rec.Nickname = "Open the mail \xE9t\xE9";
    rec.ScopeText = "NOTEPAD.EXE";
    rec.Abbreviation = "sig1";
    rec.ActivationCode = 0x0102;
    rec.Scope = scProgram;
    rec.Enabled = 1;
    rec.Reserved98 = 0x0304;
    SetMacroText(rec, "Hello<TAB>world<DELAY:00010>");
    rec.IconName = "MAIL.ICO";
    rec.ScheduleType = 0x0506;
    for (int i = 0; i < 7; ++i) rec.ScheduleDays[i] = static_cast<std::uint8_t>(10 + i);
    rec.ScheduleHour = 11;
    rec.ScheduleMinute = 42;
    rec.ScheduleMonth = 9;
    rec.ScheduleDay = 28;
    rec.MinutePastHour = 17;
    rec.IntervalMinutes = 0x0708;
    rec.ScheduleWeekDay = 6;
    rec.ScheduleYear = 1999;
    rec.SchedulePM = 1;
    rec.TopmostOnly = 1;
    rec.LastModified = 36525.75;
    rec.CategoryId = -123456;
    rec.AbbrevCase = 0x090A;
    rec.AbbrevErase = 0x0B0C;
    for (int i = 0; i < 14; ++i) rec.Reserved5151[i] = static_cast<std::uint8_t>(0xA0 + i);

    ByteImage want;
    want.Str(0, "Open the mail \xE9t\xE9");
    want.Str(51, "NOTEPAD.EXE");
    want.Str(82, "sig1");
    want.U16(93, 0x0102);
    want.U16(95, 3);
    want.U8(97, 1);
    want.U16(98, 0x0304);
    const std::string text = "Hello<TAB>world<DELAY:00010>";
    for (std::size_t i = 0; i < text.size(); ++i) want.U8(100 + i, text[i]);
    want.Str(5101, "MAIL.ICO");
    want.U16(5114, 0x0506);
    for (int i = 0; i < 7; ++i) want.U8(5116 + i, 10 + i);
    want.U8(5123, 11);
    want.U8(5124, 42);
    want.U8(5125, 9);
    want.U8(5126, 28);
    want.U8(5127, 17);
    want.U16(5128, 0x0708);
    want.U8(5130, 6);
    want.U16(5131, 1999);
    want.U8(5133, 1);
    want.U8(5134, 1);
    want.F64(5135, 36525.75);
    want.I32(5143, -123456);
    want.U16(5147, 0x090A);
    want.U16(5149, 0x0B0C);
    for (int i = 0; i < 14; ++i) want.U8(5151 + i, 0xA0 + i);

    std::vector<char> got(kMacroRecordSize);
    std::memcpy(got.data(), &rec, kMacroRecordSize);
    for (std::size_t i = 0; i < kMacroRecordSize; ++i) ASSERT_EQ(got[i], want.bytes()[i]) << "byte " << i;
}

TEST(MacroRecordTest, MacroTextIsCutToCapacityAndNulTerminated) {
    TMacroRecord rec;
    SetMacroText(rec, std::string(6000, 'x'));
    EXPECT_EQ(GetMacroText(rec).size(), kMacroTextCapacity);
    EXPECT_EQ(rec.MacroText[kMacroTextCapacity], '\0');

    // A shorter text leaves no trace of the longer one in the field.
    SetMacroText(rec, "ab");
    EXPECT_EQ(GetMacroText(rec), "ab");
    for (std::size_t i = 2; i < sizeof rec.MacroText; ++i) ASSERT_EQ(rec.MacroText[i], 0);

    // A field without a NUL (foreign file) still reads at most 5,000 characters.
    std::memset(rec.MacroText, 'y', sizeof rec.MacroText);
    EXPECT_EQ(GetMacroText(rec).size(), kMacroTextCapacity);
}

TEST(MacroRecordTest, TwelveHourClockConvertsToTwentyFour) {
    struct Case {
        int hour, pm, want;
    } cases[] = {{12, 0, 0}, {1, 0, 1}, {11, 0, 11}, {12, 1, 12}, {1, 1, 13}, {11, 1, 23}};
    for (const auto& c : cases) {
        TMacroRecord rec;
        rec.ScheduleHour = static_cast<std::uint8_t>(c.hour);
        rec.SchedulePM = static_cast<std::uint8_t>(c.pm);
        EXPECT_EQ(ScheduleHour24(rec), c.want) << c.hour << (c.pm ? " PM" : " AM");
    }
}

TEST(PopupMenuCodecTest, RoundTripsOptionsAndItems) {
    TMacroRecord rec;
    PopupMenu menu;
    menu.inTray = true;
    menu.show = PopupShow::Icons;
    menu.iconSizeIndex = 3;
    menu.items = {7, 2, 9};
    WritePopupMenu(rec, menu);

    EXPECT_EQ(rec.Abbreviation.view(), "Y23");
    const auto* raw = reinterpret_cast<const unsigned char*>(&rec) + 100;
    EXPECT_EQ(raw[0] | raw[1] << 8, 3);
    EXPECT_EQ(raw[2] | raw[3] << 8, 7);
    EXPECT_EQ(raw[6] | raw[7] << 8, 9);

    const PopupMenu back = ReadPopupMenu(rec, 9);
    EXPECT_TRUE(back.inTray);
    EXPECT_EQ(back.show, PopupShow::Icons);
    EXPECT_EQ(back.iconSizeIndex, 3);
    EXPECT_EQ(back.IconPixels(), 48);
    EXPECT_EQ(back.items, menu.items);
}

TEST(PopupMenuCodecTest, LenientReaderSkipsDamage) {
    TMacroRecord rec;
    PopupMenu menu;
    menu.items = {1, 0, 5, 600, 3};
    WritePopupMenu(rec, menu);
    rec.Abbreviation = "x9z";
    const PopupMenu got = ReadPopupMenu(rec, 4);
    EXPECT_FALSE(got.inTray);
    EXPECT_EQ(got.show, PopupShow::NicknameAndScope);
    EXPECT_EQ(got.iconSizeIndex, 0);
    EXPECT_EQ(got.items, (std::vector<std::uint16_t>{1, 3}));  // 0, 5 and 600 are not macros

    // A count that no macro file can hold is damage: no items rather than garbage.
    rec.MacroText[0] = static_cast<char>(0xFF);
    rec.MacroText[1] = static_cast<char>(0xFF);
    EXPECT_TRUE(ReadPopupMenu(rec, 500).items.empty());

    // Options shorter than three characters read as defaults.
    rec.Abbreviation = "Y";
    const PopupMenu shortOpts = ReadPopupMenu(rec, 500);
    EXPECT_TRUE(shortOpts.inTray);
    EXPECT_EQ(shortOpts.show, PopupShow::NicknameAndScope);
}

}  // namespace
}  // namespace tessaro
