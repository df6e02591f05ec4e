#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "editor/model/wizard/capture_pages.h"
#include "editor/model/wizard/wizard_finish.h"
#include "macro/capture_file.h"
#include "protocol/hotkey_names.h"
#include "wizard_rig.h"
#include "tests/support/unpacked.h"

namespace tessaro::wizard {
namespace {

using testing::Rig;

constexpr int kStopCode = 300;
constexpr int kOwnCode = 65;

const std::initializer_list<std::string_view> kSpeeds{"P61Fast", "P61Same", "P61Two",
                                                      "P61Four", "P61Ten",  "P61Half"};

Answers CaptureAnswers() {
    Answers a;
    a.Set("P2HotKey").checked = true;
    a.Set("P3KeyList").index = kOwnCode;
    a.Set("P59Yes").checked = true;
    a.Set("P59AltKey").checked = true;
    a.Set("P60Yes").checked = true;
    a.Set("P60Window").checked = true;
    a.Set("P60CapOnly").checked = true;
    a.Choose("P61Ten", kSpeeds);
    a.Set("P10Nick").text = " Drawing ";
    a.Set("P62ProgList").items = {"Editor", "Paint"};
    a.Set("P62ProgList").index = 1;
    a.Set("P62Specific").checked = true;
    return a;
}

TEST(WizardCapture, ArmsTheRecordingOfANewHotKeyMacro) {
    Rig rig;
    rig.AddMacro(scSystem, kStopCode, "Start / Stop Capture", "2");
    rig.AddMacro(scGlobal, 7, "older");
    SetMacroText(*rig.rec, "text of the macro built before");
    rig.rec->Abbreviation = "abc";
    const auto result = FinishUp(7, CaptureAnswers(), rig.ctx);
    ASSERT_TRUE(std::holds_alternative<WizardOutcome>(result));
    const WizardOutcome& out = std::get<WizardOutcome>(result);
    EXPECT_TRUE(out.Finished);
    EXPECT_TRUE(out.StartCapture);
    EXPECT_EQ(out.CaptureSpeed, 5);
    EXPECT_TRUE(out.CaptureProgramOnly);
    EXPECT_EQ(out.CaptureWindowTitle, "Paint");

    const TMacroRecord& r = *rig.rec;
    EXPECT_EQ(r.Nickname.str(), "Drawing");
    EXPECT_EQ(Unpacked(r.ActivationCode), kOwnCode);
    EXPECT_EQ(Unpacked(r.Scope), scGlobal);
    EXPECT_EQ(r.Enabled, 1);
    EXPECT_EQ(r.TopmostOnly, 1);
    EXPECT_EQ(r.IconName.str(), "MAIN");
    EXPECT_EQ(GetMacroText(r), "") << "nothing of the earlier macro stays";
    EXPECT_EQ(r.Abbreviation.str(), "");

    const TGlobData& g = *rig.glob;
    EXPECT_EQ(Unpacked(g.MacroCount), 2) << "the append counts the macro";
    EXPECT_EQ(Unpacked(g.CaptureMacro), 3);
    EXPECT_EQ(g.CapKeys, 1);
    EXPECT_EQ(g.CapMouse, 1);
    EXPECT_EQ(g.CapRelativeTo, 2);
    EXPECT_EQ(g.CapClicksOnly, 1);
    EXPECT_EQ(g.CapTime, 1);
    EXPECT_EQ(g.CapWindowSize, 0);
    EXPECT_EQ(g.CapWindowSize2, 0);
    EXPECT_EQ(g.CapDoubleAlt, 1);
    const DecipheredKey stop = DecipherKey(kStopCode), own = DecipherKey(kOwnCode);
    EXPECT_EQ(Unpacked(g.StopKeyVK), stop.vk);
    EXPECT_EQ(g.StopKeyCtrl, stop.ctrl);
    EXPECT_EQ(g.StopKeyShift, stop.shift);
    EXPECT_EQ(g.OwnKeyOn, 1);
    EXPECT_EQ(Unpacked(g.OwnKeyVK), own.vk);
    EXPECT_EQ(Unpacked(g.OwnKeyMouse), own.mouse);
    EXPECT_EQ(g.OwnKeyCtrl, own.ctrl);
    EXPECT_EQ(g.CapStarting, 1);
    EXPECT_EQ(tessaro::testing::ReadBytes(CaptureFilePath(rig.dir.path())),
              std::vector<char>({'<', 'S', 'P', 'E', 'E', 'D', ':', '0', '0', '.', '1', '0', '>'}));
}

TEST(WizardCapture, SpeedTokenOfEveryPlaybackChoice) {
    const char* tokens[] = {
        "", "<SPEED:00001>", "<SPEED:00002>", "<SPEED:00.50>", "<SPEED:00.25>", "<SPEED:00.10>"};
    const char* buttons[] = {"P61Fast", "P61Same", "P61Half", "P61Two", "P61Four", "P61Ten"};
    for (int i = 0; i < 6; ++i) {
        SCOPED_TRACE(buttons[i]);
        Rig rig;
        rig.AddMacro(scSystem, kStopCode, "Start / Stop Capture", "2");
        Answers a = CaptureAnswers();
        a.Choose(buttons[i], kSpeeds);
        EXPECT_EQ(CaptureSpeedOf(a), i);
        ASSERT_TRUE(std::holds_alternative<WizardOutcome>(FinishUp(7, a, rig.ctx)));
        const std::vector<char> bytes = tessaro::testing::ReadBytes(CaptureFilePath(rig.dir.path()));
        EXPECT_EQ(std::string(bytes.begin(), bytes.end()), tokens[i]);
        EXPECT_EQ(rig.glob->CapTime, i == 0 ? 0 : 1);
    }
}

TEST(WizardCapture, WithoutAStopKeyNothingIsArmed) {
    Rig rig;
    rig.AddMacro(scSystem, acNone, "Start / Stop Capture", "2");  // no hot key to end it
    const auto globBefore = std::make_unique<TGlobData>(*rig.glob);
    SetMacroText(*rig.rec, "kept");
    const auto result = FinishUp(7, CaptureAnswers(), rig.ctx);
    ASSERT_TRUE(std::holds_alternative<FormError>(result));
    EXPECT_FALSE(std::get<FormError>(result).message.empty());
    EXPECT_EQ(std::memcmp(globBefore.get(), rig.glob.get(), sizeof(TGlobData)), 0);
    EXPECT_EQ(GetMacroText(*rig.rec), "kept");
    EXPECT_FALSE(std::filesystem::exists(CaptureFilePath(rig.dir.path())));
}

TEST(WizardCapture, AFullMacroFileTakesNoCapture) {
    Rig rig;
    rig.AddMacro(scSystem, kStopCode, "Start / Stop Capture", "2");
    rig.glob->MacroCount = kMaxMacros;
    const auto result = FinishUp(7, CaptureAnswers(), rig.ctx);
    ASSERT_TRUE(std::holds_alternative<FormError>(result));
    EXPECT_EQ(std::get<FormError>(result).message, kMacroFileFull);
    EXPECT_EQ(Unpacked(rig.glob->CaptureMacro), 0);
    EXPECT_FALSE(std::filesystem::exists(CaptureFilePath(rig.dir.path())));
}

TEST(WizardCapture, WindowsOfferedAreVisibleNotMinimisedAndTitled) {
    Rig rig;
    rig.desktop.AddWindow("Terminal", 10, "term");
    rig.desktop.AddWindow("  ", 11, "blank");
    rig.desktop.AddWindow("Hidden away", 12, "mini", true);
    rig.desktop.AddWindow("Browser", 13, "web");
    EXPECT_EQ(CaptureWindowTitles(rig.desktop), (std::vector<std::string>{"Browser", "Terminal"}));
}

}  // namespace
}  // namespace tessaro::wizard
