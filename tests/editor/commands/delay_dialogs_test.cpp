#include "editor/commands/delay_dialogs.h"

#include <QLabel>
#include <QRadioButton>
#include <gtest/gtest.h>

#include "dialog_harness.h"
#include "widgets/kept_text.h"

namespace tessaro {
namespace {

using testing::Click;
using testing::Focused;
using testing::Named;
using testing::RecordedBoxes;
using testing::SaveScreen;
using testing::Type;

class DialogTest : public ::testing::Test {
protected:
    void SetUp() override { EnsureQtApplication(); }
};

class RecordedHelp final : public HelpViewer {
public:
    void ShowTopic(QWidget*, const std::string& file, std::string_view keyword) override {
        files.push_back(file);
        keywords.emplace_back(keyword);
    }
    std::vector<std::string> files, keywords;
};

TEST_F(DialogTest, Delay2NewCommandStartsOnSecondsAndLimitsTheField) {
    TDoDelay2 dlg(nullptr);
    dlg.NewCommand = 1;
    dlg.show();
    EXPECT_EQ(dlg.windowTitle(), "Set Delay");
    EXPECT_TRUE(Named<QRadioButton>(&dlg, "DelSecs")->isChecked());
    EXPECT_EQ(TypingLimit(*dlg.Seconds), 5);
    EXPECT_EQ(Focused(&dlg), "Seconds");
    // Checking from code updates what depends on the choice.
    Named<QRadioButton>(&dlg, "TimedDel")->setChecked(true);
    EXPECT_EQ(TypingLimit(*dlg.Seconds), 2);
    Named<QRadioButton>(&dlg, "DelMilli")->setChecked(true);
    EXPECT_EQ(TypingLimit(*dlg.Seconds), 4);
    SaveScreen(&dlg, "TDoDelay2");
}

TEST_F(DialogTest, Delay2RefusalKeepsTheDialogOpenThenOkBuilds) {
    RecordedBoxes boxes;
    TDoDelay2 dlg(nullptr);
    dlg.NewCommand = 1;
    dlg.show();
    Type(&dlg, "Seconds", "61");
    Click(&dlg, "OkButton");
    ASSERT_EQ(boxes.calls.size(), 1u);
    EXPECT_EQ(boxes.calls[0].caption, "Error");
    EXPECT_EQ(boxes.calls[0].text, "Value must be greater than zero and no larger than 60.");
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_TRUE(dlg.CommandText.empty());
    EXPECT_EQ(Focused(&dlg), "Seconds");

    Type(&dlg, "Seconds", "0.5");
    Click(&dlg, "OkButton");
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(dlg.CommandText, "<DELAY:00.50>");
    EXPECT_EQ(dlg.Result.fields.DelayKind, 1);
}

TEST_F(DialogTest, Delay2PresetEditAndShowingAgainClearsTheText) {
    TDoDelay2 dlg(nullptr);
    dlg.NewCommand = 0;
    dlg.Preset(Delay2Preset(TDelayRec{2, 250}));
    dlg.show();
    EXPECT_TRUE(Named<QRadioButton>(&dlg, "DelMilli")->isChecked());
    EXPECT_EQ(dlg.Seconds->text(), "250");
    Click(&dlg, "OkButton");
    EXPECT_EQ(dlg.CommandText, "<MSD:0250>");
    dlg.show();
    EXPECT_TRUE(dlg.CommandText.empty());
    Click(&dlg, "CancelButton");
    EXPECT_TRUE(dlg.CommandText.empty());
    EXPECT_EQ(dlg.result(), QDialog::Rejected);
}

TEST_F(DialogTest, CharactersOutsideWindows1252AreRefusedByName) {
    RecordedBoxes boxes;
    TDoDelay2 dlg(nullptr);
    dlg.show();
    Type(&dlg, "Seconds", QString::fromUtf8("\u20AC5"));  // the euro sign has a byte
    Click(&dlg, "OkButton");
    ASSERT_EQ(boxes.calls.size(), 1u);
    EXPECT_EQ(boxes.calls[0].text, "Value must be greater than zero and no larger than 60.");
    Type(&dlg, "Seconds", QString::fromUtf8("\u0416"));
    Click(&dlg, "OkButton");
    ASSERT_EQ(boxes.calls.size(), 2u);
    EXPECT_EQ(boxes.calls[1].text, "The character \"\u0416\" cannot be used in this entry.  Please correct.");
    EXPECT_TRUE(dlg.isVisible());
}

TEST_F(DialogTest, HelpPassesTheDialogsKeywordAndTheHelpFile) {
    RecordedHelp help;
    ScopedHelpViewer scope(help);
    TDoDelay2 dlg(nullptr);
    dlg.show();
    Click(&dlg, "HelpButton");
    ASSERT_EQ(help.keywords.size(), 1u);
    EXPECT_EQ(help.keywords[0], "Set Delays");
    EXPECT_TRUE(help.files[0].ends_with("/TESSARO.HLP"));
    EXPECT_TRUE(dlg.isVisible());
}

TEST(HelpKeywords, TableOfTheDialogs) {
    EXPECT_EQ(HelpKeyword("TDoDelay2"), "Set Delays");
    EXPECT_EQ(HelpKeyword("TDoSpeed"), "Keyboard and Mouse Speed");
    EXPECT_EQ(HelpKeyword("TDoWebStuff.Ftp"), "Web FTP");
    EXPECT_EQ(HelpKeyword("TDoWebStuff.Web"), "Web Site URL");
    EXPECT_EQ(HelpKeyword("TDateOrTime.Date"), "Date Format");
    EXPECT_EQ(HelpKeyword("TDoDelay"), "");
}

TEST_F(DialogTest, DelayPurposesShowTheirLook) {
    TDoDelay alt(nullptr, DelayPurpose::AltKeypad);
    alt.show();
    EXPECT_EQ(alt.windowTitle(), "Alt Keypad Sequence");
    EXPECT_EQ(alt.Label1->text(), "Keypad Numbers");
    EXPECT_EQ(TypingLimit(*alt.Seconds), 4);
    EXPECT_FALSE(alt.HelpButton->isVisible());
    Type(&alt, "Seconds", "65");
    Click(&alt, "OkButton");
    EXPECT_EQ(alt.CommandText, "<ALT:065>");
    SaveScreen(&alt, "TDoDelay_AltKeypad");
}

TEST_F(DialogTest, SchedulerFrequencyChangesOnlyTheSetting) {
    RecordedBoxes boxes;
    TConfigRecord settings;
    settings.TimerSeconds = 15;
    TDoDelay dlg(nullptr, settings);
    dlg.show();
    EXPECT_EQ(dlg.windowTitle(), "Scheduler Frequency");
    EXPECT_EQ(dlg.Label1->text(), "Check Every");
    EXPECT_TRUE(dlg.Label2->isVisible());
    EXPECT_EQ(dlg.Seconds->text(), "15");
    Type(&dlg, "Seconds", "61");
    Click(&dlg, "OkButton");
    ASSERT_EQ(boxes.calls.size(), 1u);
    EXPECT_EQ(boxes.calls[0].text, "Value must be between 1 and 60.");
    EXPECT_EQ(settings.TimerSeconds, 15);
    Type(&dlg, "Seconds", "20");
    Click(&dlg, "OkButton");
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_TRUE(dlg.CommandText.empty());
    EXPECT_EQ(settings.TimerSeconds, 20);
    SaveScreen(&dlg, "TDoDelay_Scheduler");
}

TEST_F(DialogTest, SpeedChecksKeyboardAndRelabelsForTheFactor) {
    TDoSpeed dlg(nullptr);
    dlg.NewCommand = 1;
    dlg.show();
    EXPECT_TRUE(Named<QRadioButton>(&dlg, "KeyboardSpeed")->isChecked());
    EXPECT_EQ(Focused(&dlg), "KeyboardSpeed");
    Named<QRadioButton>(&dlg, "MacroSpeed")->setChecked(true);
    EXPECT_EQ(dlg.Lab1->text(), "Playback Factor");
    Type(&dlg, "Count", "0.25");
    Click(&dlg, "OkButton");
    EXPECT_EQ(dlg.CommandText, "<SPEED:00.25>");
    TDoSpeed edit(nullptr);
    edit.NewCommand = 0;
    edit.Preset(SpeedPreset(TSpeedRec{2, 30, 1.0}));
    edit.show();
    EXPECT_TRUE(Named<QRadioButton>(&edit, "MouseSpeed")->isChecked());
    EXPECT_EQ(edit.Lab1->text(), "Delay in Milliseconds");
    SaveScreen(&edit, "TDoSpeed");
}

}  // namespace
}  // namespace tessaro
