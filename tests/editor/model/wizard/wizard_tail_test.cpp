#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "editor/model/wizard/wizard_builder.h"
#include "editor/model/wizard/wizard_finish.h"
#include "editor/model/wizard/wizard_text.h"
#include "macro/capture_file.h"
#include "platform/datetime.h"
#include "platform/message_box.h"
#include "protocol/hotkey_names.h"
#include "wizard_rig.h"
#include "tests/support/unpacked.h"

namespace tessaro::wizard {
namespace {

using testing::Rig;

const std::initializer_list<std::string_view> kActivations{"P2HotKey", "P2Snipra", "P2Timed", "P2None",
                                                           "P2Title"};

Answers TypedText(const char* activation) {
    Answers a;
    a.Choose(activation, kActivations);
    a.Set("P3KeyList").index = 5;
    a.Choose("P7Global", {"P7Global", "P7SpecWin", "P7SpecProg"});
    a.Set("P10Nick").text = "Greeting";
    a.Set("P14MyMemo").text = "Hello";
    return a;
}

// Answers every box with `answer` and keeps what it asked.
struct Boxes {
    std::vector<win::MessageBoxCall> asked;
    win::ScopedMessageBoxHandler handler;
    explicit Boxes(win::MbResult answer)
        : handler([this, answer](const win::MessageBoxCall& call) {
              asked.push_back(call);
              return answer;
          }) {}
};

bool SameBytes(const TMacroRecord& x, const TMacroRecord& y) { return std::memcmp(&x, &y, sizeof x) == 0; }

TEST(WizardTail, ReservedHotKeyAsksAndNoLeavesTheRecordAsItWas) {
    constexpr int kWinD = 557;
    for (const bool yes : {false, true}) {
        Rig rig;
        rig.rec->CategoryId = 7;
        SetMacroText(*rig.rec, "earlier");
        const TMacroRecord before = *rig.rec;
        Answers a = TypedText("P2HotKey");
        a.Set("P3KeyList").index = kWinD;
        Boxes boxes(yes ? win::MbResult::Yes : win::MbResult::No);
        const auto result = FinishUp(1, a, rig.ctx);
        ASSERT_EQ(boxes.asked.size(), 1u);
        EXPECT_EQ(boxes.asked[0].text,
                  "Win+D may be used internally by Windows 95, 98 or NT.  This may cause the hot key not to "
                  "function correctly. Would you still like to use Win+D?");
        EXPECT_EQ(boxes.asked[0].caption, "Warning");
        EXPECT_EQ(boxes.asked[0].buttons, win::MbButtons::YesNo);
        if (yes) {
            ASSERT_TRUE(std::holds_alternative<WizardOutcome>(result));
            EXPECT_EQ(Unpacked(rig.rec->ActivationCode), kWinD);
            EXPECT_EQ(GetMacroText(*rig.rec), "Hello");
            EXPECT_EQ(Unpacked(rig.rec->CategoryId), 7)
                << "fields the wizard does not set keep the creator's";
        } else {
            ASSERT_TRUE(std::holds_alternative<FormError>(result));
            EXPECT_EQ(std::get<FormError>(result), FormError{}) << "a No shows nothing more";
            EXPECT_TRUE(SameBytes(*rig.rec, before));
        }
    }
    // Every reserved key asks; an ordinary one does not.
    Boxes boxes(win::MbResult::Yes);
    for (int code : kReservedHotKeys) EXPECT_FALSE(WarnReservedHotKey(code));
    EXPECT_EQ(boxes.asked.size(), kReservedHotKeys.size());
    EXPECT_FALSE(WarnReservedHotKey(90));
    EXPECT_EQ(boxes.asked.size(), kReservedHotKeys.size());
}

TEST(WizardTail, ActivationsOtherThanHotKeys) {
    struct Row {
        const char* button;
        std::uint16_t code;
    };
    for (const Row& row : {Row{"P2Snipra", acAbbreviation}, Row{"P2None", acNone},
                           Row{"P2Timed", acScheduled}, Row{"P2Title", acWindowTitle}}) {
        SCOPED_TRACE(row.button);
        Rig rig;
        rig.config->SnipraCaseMode = 2;
        rig.config->SnipraNoRemove = true;
        Answers a = TypedText(row.button);
        a.Set("P3SnipraName").text = "  sig-long-abbreviation ";
        a.Set("P37Title").text = "Untitled - Editor";
        Boxes boxes(win::MbResult::No);
        ASSERT_TRUE(std::holds_alternative<WizardOutcome>(FinishUp(1, a, rig.ctx)));
        EXPECT_TRUE(boxes.asked.empty());
        EXPECT_EQ(Unpacked(rig.rec->ActivationCode), row.code);
        EXPECT_EQ(Unpacked(rig.rec->AbbrevCase), 2);
        EXPECT_EQ(Unpacked(rig.rec->AbbrevErase), 2);
        if (row.code == acAbbreviation) {
            EXPECT_EQ(rig.rec->Abbreviation.str(), "sig-long-a");
        }
        if (row.code == acWindowTitle) {
            EXPECT_EQ(rig.rec->ScopeText.str(), "Untitled - Editor");
        }
    }
}

TEST(WizardTail, ScopeOfOneWindowOrProgram) {
    Rig rig;
    Answers a = TypedText("P2HotKey");
    a.Choose("P7SpecWin", {"P7Global", "P7SpecWin", "P7SpecProg"});
    a.Set("P8Title").text = " A window title that is longer than thirty characters ";
    ASSERT_TRUE(std::holds_alternative<WizardOutcome>(FinishUp(1, a, rig.ctx)));
    EXPECT_EQ(Unpacked(rig.rec->Scope), scWindow);
    EXPECT_EQ(rig.rec->ScopeText.str(), "A window title that is longer ");

    a.Choose("P7SpecProg", {"P7Global", "P7SpecWin", "P7SpecProg"});
    a.Set("P8InstallBox").index = 0;  // the one installed program of the rig
    ASSERT_TRUE(std::holds_alternative<WizardOutcome>(FinishUp(1, a, rig.ctx)));
    EXPECT_EQ(Unpacked(rig.rec->Scope), scProgram);
    EXPECT_EQ(rig.rec->ScopeText.str(), "notepad");

    a.Set("P8ProgPath").checked = true;
    a.Set("P8Path").text = "/opt/tools/a-program-with-a-rather-long-name-indeed";
    ASSERT_TRUE(std::holds_alternative<WizardOutcome>(FinishUp(1, a, rig.ctx)));
    EXPECT_EQ(rig.rec->ScopeText.str(), "a-program-with-a-rather-long-n") << "base name, cut to 30";

    // A window-title activation keeps its title over the program of page 8.
    a.Choose("P2Title", kActivations);
    a.Set("P37Title").text = "Inbox";
    ASSERT_TRUE(std::holds_alternative<WizardOutcome>(FinishUp(1, a, rig.ctx)));
    EXPECT_EQ(Unpacked(rig.rec->Scope), scProgram);
    EXPECT_EQ(rig.rec->ScopeText.str(), "Inbox");
}

TEST(WizardTail, HourlyScheduleTakesDefaultsForWhatItDoesNotAsk) {
    Rig rig;
    Answers a = TypedText("P2Timed");
    a.Set("Hourly").checked = true;
    a.Set("HourlyMinutes").text = "25";
    for (const char* day : {"Monday", "Wednesday", "Sunday"}) a.Set(day).checked = true;
    ASSERT_TRUE(std::holds_alternative<WizardOutcome>(FinishUp(1, a, rig.ctx)));
    const TMacroRecord& r = *rig.rec;
    EXPECT_EQ(Unpacked(r.ScheduleType), 2);
    EXPECT_EQ(r.MinutePastHour, 25);
    const std::uint8_t days[7] = {1, 0, 1, 0, 0, 0, 1};
    EXPECT_EQ(std::memcmp(r.ScheduleDays, days, 7), 0);
    EXPECT_EQ(r.ScheduleHour, 12);
    EXPECT_EQ(r.SchedulePM, 1);
    EXPECT_EQ(static_cast<int>(Unpacked(r.ScheduleYear)), win::DecodeDateTime(Unpacked(r.LastModified)).year)
        << "today";
}

TEST(WizardTail, ScheduleKindsFillTheirOwnFields) {
    TMacroRecord r;
    DefaultTimer(r, 45000.0);
    Answers a;
    a.Set("Once").checked = true;
    a.Set("OnceTimeHour").text = "9";
    a.Set("OnceTimeMin").text = "30";
    a.Set("OnceTimePM").index = 0;
    a.Set("OnceYear").text = "2031";
    a.Set("OnceMonth").index = 1;
    a.Set("OnceDay").text = "29";
    SetScheduleFields(a, r);
    EXPECT_EQ(Unpacked(r.ScheduleType), 1);
    EXPECT_EQ(r.ScheduleHour, 9);
    EXPECT_EQ(r.ScheduleMinute, 30);
    EXPECT_EQ(r.SchedulePM, 0);
    EXPECT_EQ(Unpacked(r.ScheduleYear), 2031) << "four digits are kept whole";
    EXPECT_EQ(r.ScheduleMonth, 2);
    EXPECT_EQ(r.ScheduleDay, 29);

    Answers weekly;
    weekly.Set("Weekly").checked = true;
    weekly.Set("WeeklyHour").text = "x";  // no number: 0
    weekly.Set("WeeklyMin").text = "5";
    weekly.Set("WeeklyPM").index = 1;
    weekly.Set("WeeklyDayOfWeek").index = 6;
    SetScheduleFields(weekly, r);
    EXPECT_EQ(Unpacked(r.ScheduleType), 4);
    EXPECT_EQ(r.ScheduleHour, 0);
    EXPECT_EQ(r.SchedulePM, 1);
    EXPECT_EQ(r.ScheduleWeekDay, 7);
    EXPECT_EQ(Unpacked(r.ScheduleYear), 2031) << "the once-date stays";

    Answers idle;
    idle.Set("Idle").checked = true;
    idle.Set("IdleMinutes").text = "45";
    SetScheduleFields(idle, r);
    EXPECT_EQ(Unpacked(r.ScheduleType), 7);
    EXPECT_EQ(Unpacked(r.IntervalMinutes), 45);
}

TEST(WizardTail, PopupMenuMacroListsTheChosenMacros) {
    Rig rig;
    rig.AddMacro(scGlobal, 1, "one");
    rig.AddMacro(scSystem, 300, "capture", "2");
    rig.AddMacro(scGlobal, 2, "two");
    rig.AddMacro(scProgram, 3, "three");
    rig.AddMacro(scGlobal, 4, "four");
    rig.AddMacro(scGlobal, 6, "five");
    SetMacroText(*rig.rec, "text of the macro built before");
    Answers a;
    a.Choose("P2HotKey", kActivations);
    a.Set("P3KeyList").index = 40;
    a.Set("P50Macros").selected = {0, 2, 4};  // rows skip the system macro
    a.Choose("P51Icons", {"P51Text", "P51Icons", "P51Nick"});
    a.Set("P51IconSize").index = 3;
    a.Set("P52Yes").checked = true;
    a.Set("P10Nick").text = "Tools";
    const auto result = FinishUp(25, a, rig.ctx);
    ASSERT_TRUE(std::holds_alternative<WizardOutcome>(result));
    EXPECT_TRUE(std::get<WizardOutcome>(result).TrayMenuChanged);
    EXPECT_EQ(Unpacked(rig.rec->Scope), scPopupMenu);
    EXPECT_EQ(rig.rec->Abbreviation.str(), "Y23");
    EXPECT_EQ(Unpacked(rig.rec->ActivationCode), 40);
    const PopupMenu menu = ReadPopupMenu(*rig.rec, rig.glob->MacroCount);
    EXPECT_EQ(menu.items, (std::vector<std::uint16_t>{1, 4, 6}));
    const std::uint8_t head[] = {3, 0, 1, 0, 4, 0, 6, 0};
    EXPECT_EQ(std::memcmp(rig.rec->MacroText, head, sizeof head), 0) << "16-bit count, then the numbers";

    a.Set("P52Yes").checked = false;
    a.Choose("P51Nick", {"P51Text", "P51Icons", "P51Nick"});
    ASSERT_TRUE(std::holds_alternative<WizardOutcome>(FinishUp(25, a, rig.ctx)));
    EXPECT_EQ(rig.rec->Abbreviation.str(), "N33");
}

TEST(WizardTail, AddingToAnExistingPopupMenu) {
    Rig rig;
    Answers a = TypedText("P2None");
    auto result = FinishUp(1, a, rig.ctx);
    EXPECT_FALSE(std::get<WizardOutcome>(result).AddToPopupMenu);
    a.Choose("P9AddYes", {"P9AddYes", "P9AddNo"});
    result = FinishUp(1, a, rig.ctx);
    EXPECT_FALSE(std::get<WizardOutcome>(result).AddToPopupMenu) << "no menu chosen";
    a.Set("P9PopupList").items = {"Tools", "Letters"};
    a.Set("P9PopupList").index = 1;
    result = FinishUp(1, a, rig.ctx);
    EXPECT_TRUE(std::get<WizardOutcome>(result).AddToPopupMenu);
    EXPECT_EQ(std::get<WizardOutcome>(result).PopupMenuNickname, "Letters");
}

TEST(WizardTail, SelfDeletingReminderNeedsANicknameOfItsOwn) {
    Rig rig;
    rig.AddMacro(scGlobal, 1, "Lunch");
    Answers a;
    a.Choose("P2Timed", kActivations);
    a.Set("P26NoSound").checked = true;
    a.Set("P26MyMemo").text = "Lunch time";
    a.Set("P26Delete").checked = true;
    SetMacroText(*rig.rec, "before");
    const TMacroRecord before = *rig.rec;
    for (const char* nick : {"", "   ", "lunch", " Lunch "}) {
        SCOPED_TRACE(nick);
        a.Set("P10Nick").text = nick;
        const auto check = CheckSelfDeletingNick(a, *rig.glob, *rig.config);
        ASSERT_TRUE(check.has_value());
        EXPECT_EQ(check->focus, "P10Nick");
        const auto result = FinishUp(10, a, rig.ctx);
        ASSERT_TRUE(std::holds_alternative<FormError>(result));
        EXPECT_EQ(std::get<FormError>(result), *check);
        EXPECT_TRUE(SameBytes(*rig.rec, before));
    }
    EXPECT_EQ(CheckSelfDeletingNick(a, *rig.glob, *rig.config)->message, kReminderNickInUse);
    a.Set("P10Nick").text = "";
    EXPECT_EQ(CheckSelfDeletingNick(a, *rig.glob, *rig.config)->message, kNoReminderNick);

    a.Set("P10Nick").text = "Lunch reminder";
    EXPECT_FALSE(CheckSelfDeletingNick(a, *rig.glob, *rig.config));
    ASSERT_TRUE(std::holds_alternative<WizardOutcome>(FinishUp(10, a, rig.ctx)));
    EXPECT_EQ(GetMacroText(*rig.rec), "<TBOX:<HEAD:Reminder>Lunch time><MACDEL:Lunch reminder>");
    EXPECT_EQ(Unpacked(rig.rec->ActivationCode), acScheduled);

    a.Set("P26Delete").checked = false;
    a.Set("P10Nick").text = "Lunch";  // kept: it deletes nothing
    EXPECT_FALSE(CheckSelfDeletingNick(a, *rig.glob, *rig.config));
}

TEST(WizardTail, TextBeyondTheMacroIsRefusedNotCut) {
    Rig rig;
    SetMacroText(*rig.rec, "before");
    const TMacroRecord before = *rig.rec;
    Answers a = TypedText("P2None");
    a.Set("P14MyMemo").text = std::string(4999, 'a') + "\t";  // the tab becomes five characters
    auto result = FinishUp(1, a, rig.ctx);
    ASSERT_TRUE(std::holds_alternative<FormError>(result));
    EXPECT_EQ(std::get<FormError>(result).message, kWizardTextTooLong);
    EXPECT_TRUE(SameBytes(*rig.rec, before));

    a.Set("P14MyMemo").text = std::string(5000, 'a');
    ASSERT_TRUE(std::holds_alternative<WizardOutcome>(FinishUp(1, a, rig.ctx)));
    EXPECT_EQ(GetMacroText(*rig.rec).size(), 5000u);
}

TEST(WizardTail, RefusalsOfTheBuildersPointAtTheWizardsControls) {
    Rig rig;
    Answers a = TypedText("P2None");
    a.Choose("P13Text", {"P13Text", "P13File", "P13Graphic"});
    a.Set("P12MyMemo").text = "one<ENDCLIP>two";
    auto result = FinishUp(2, a, rig.ctx);
    ASSERT_TRUE(std::holds_alternative<FormError>(result));
    EXPECT_EQ(std::get<FormError>(result).focus, "P12MyMemo");

    a.Set("P24Path").text = rig.dir.file("missing.avi");
    result = FinishUp(16, a, rig.ctx);
    ASSERT_TRUE(std::holds_alternative<FormError>(result));
    EXPECT_EQ(std::get<FormError>(result).focus, "P24Path");

    a.Set("P22URL").text = "www.example.com/a>b";
    result = FinishUp(5, a, rig.ctx);
    ASSERT_TRUE(std::holds_alternative<FormError>(result));
    EXPECT_EQ(std::get<FormError>(result).focus, "P22URL");

    a.Choose("P27Dial", {"P27Dial", "P27Hang"});
    a.Set("P28PhoneList").items = {"ISP"};
    a.Set("P28PhoneList").index = 0;
    a.Set("P28Password").text = "Wonder";  // "W" would end the token once substituted
    result = FinishUp(12, a, rig.ctx);
    ASSERT_TRUE(std::holds_alternative<FormError>(result));
    EXPECT_EQ(std::get<FormError>(result).focus, "P28Password");

    Answers mail = TypedText("P2None");
    mail.Choose("P75Now", {"P75Now", "P75Prompt"});
    mail.Set("P75cc").checked = true;
    mail.Set("P81Address").text = "x;y@example.com";
    result = FinishUp(29, mail, rig.ctx);
    ASSERT_TRUE(std::holds_alternative<FormError>(result));
    EXPECT_EQ(std::get<FormError>(result).focus, "P81Address");
}

TEST(WizardTail, LongSweepstakesRecordingGoesToTheFirstFreeTextFile) {
    for (const std::size_t size : {std::size_t{4980}, std::size_t{4981}}) {
        SCOPED_TRACE(size);
        Rig rig;
        rig.File("QT0.TXT", "taken");
        const std::string recording(size, 'r');
        rig.File(kCaptureFileName, recording);
        Answers a = TypedText("P2None");
        ASSERT_TRUE(std::holds_alternative<WizardOutcome>(FinishUp(18, a, rig.ctx)));
        const std::string text = GetMacroText(*rig.rec);
        if (size == 4980) {
            EXPECT_EQ(text, "<SPKEY:0050>" + recording + "<SPACE>");
        } else {
            EXPECT_EQ(text, "<SPKEY:0050><TFILE:" + rig.dir.file("QT1.TXT") + "><SPACE>");
            EXPECT_EQ(tessaro::testing::ReadBytes(rig.dir.file("QT1.TXT")).size(), size);
            EXPECT_EQ(tessaro::testing::ReadBytes(rig.dir.file("QT0.TXT")).size(), 5u) << "never overwritten";
        }
        EXPECT_FALSE(std::filesystem::exists(rig.dir.file(kCaptureFileName)));
    }
    Rig rig;  // no recording: refused, not an empty macro
    Answers a = TypedText("P2None");
    EXPECT_TRUE(std::holds_alternative<FormError>(FinishUp(18, a, rig.ctx)));
}

}  // namespace
}  // namespace tessaro::wizard
