#include "editor/model/macro_forms/capture_setup.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>

#include "platform/sim/sim_desktop.h"
#include "protocol/hotkey_names.h"
#include "tests/support/finishes_in_time.h"
#include "tests/support/unpacked.h"

namespace tessaro {
namespace {

constexpr int kStopCode = 300;
constexpr int kOwnCode = 12;

struct Table {
    std::unique_ptr<TGlobData> g = std::make_unique<TGlobData>();
    Table() {
        Add(scSystem, 700, "1");
        Add(scSystem, kStopCode, "2");
        Add(scGlobal, kOwnCode, "");
    }
    int Add(std::uint16_t scope, std::uint16_t code, const char* text) {
        const int n = ++g->MacroCount;
        g->Scope[n] = scope;
        g->ActivationCode[n] = code;
        g->ScopeText[n] = text;
        return n;
    }
};

TEST(CaptureDialog, PresetsAndEnabling) {
    TConfigRecord config;
    config.CapKeys = true;
    config.CapMouse = false;
    config.CapRelativeToScreen = 2;
    config.CapTime = false;
    config.CapSpeed = 3;
    config.CapGlobal = true;
    CaptureChoices c = CaptureChoicesFrom(config, false);
    EXPECT_TRUE(c.global);
    EXPECT_EQ(c.relativeTo, 2);
    CaptureEnabling e = EnablingOf(c);
    EXPECT_FALSE(e.relativeTo);
    EXPECT_FALSE(e.doSize) << "no mouse: no window size";
    EXPECT_TRUE(e.doDouble);
    EXPECT_FALSE(e.speeds) << "timing off disables the speeds";
    EXPECT_EQ(SpeedToken(c), "") << "timing off writes no speed token";
    c.doMouse = true;
    EXPECT_TRUE(EnablingOf(c).doSize);
    c.relativeTo = 3;
    EXPECT_FALSE(EnablingOf(c).doSize);
    EXPECT_FALSE(CaptureChoicesFrom(config, true).global) << "a taken global key forces program scope";
    c.doTime = true;
    const char* tokens[] = {"<SPEED:00001>", "<SPEED:00002>", "<SPEED:00.50>", "<SPEED:00.25>"};
    for (int s = 1; s <= 4; ++s) {
        c.speed = s;
        EXPECT_EQ(SpeedToken(c), tokens[s - 1]);
    }
}

TEST(CaptureDialog, LabelsOnlyNameRealHotKeys) {
    Table t;
    const int snipra = t.Add(scGlobal, acAbbreviation, "");
    const int titled = t.Add(scGlobal, acWindowTitle, "");
    CaptureLabels l = CaptureLabelsFor(*t.g, 3);
    EXPECT_EQ(l.stop, "Press " + HotKeyNames(kStopCode) + " to end capture");
    EXPECT_EQ(l.own, "Or Press " + HotKeyNames(kOwnCode) + " to end capture");
    for (int n : {snipra, titled, 0, 600}) EXPECT_EQ(CaptureLabelsFor(*t.g, n).own, "") << n;
}

TEST(CaptureDialog, WindowListOffersVisibleNotMinimisedTitles) {
    win::sim::SimDesktop desktop;
    desktop.AddWindow("Editor", 10, "editor");
    desktop.AddWindow("   ", 11, "blank");
    desktop.AddWindow("Minimised", 12, "mini", true);
    desktop.AddWindow("Terminal", 13, "term");
    const std::vector<std::string> expected = {kLastActiveWindow, "Editor", "Terminal"};
    EXPECT_EQ(CaptureWindowList(desktop), expected);
}

TEST(CaptureStart, ArmsTheTableForANewHotKeyMacro) {
    Table t;
    const int n = t.Add(scGlobal, kOwnCode, "");
    t.g->MacroCount = n - 1;  // the new macro's slot is armed before it is counted
    TMacroRecord rec;
    rec.ActivationCode = kOwnCode;
    rec.ScopeText = "old";
    rec.TopmostOnly = 1;
    CaptureChoices c;
    c.doKey = c.doMouse = c.doSize = true;
    c.relativeTo = 2;
    c.doDouble = true;
    c.global = false;
    c.doTime = true;
    c.speed = 4;
    const CaptureArming a = ArmCapture(*t.g, rec, c, n, false, "Recorded");
    ASSERT_TRUE(a.ok) << a.error;
    EXPECT_TRUE(a.macroCounted);
    EXPECT_EQ(Unpacked(t.g->MacroCount), n);
    EXPECT_EQ(a.captureSpeed, 4);
    EXPECT_TRUE(a.programScope);
    EXPECT_EQ(rec.Nickname.view(), "Recorded");
    EXPECT_EQ(Unpacked(rec.Scope), scGlobal);
    EXPECT_EQ(rec.ScopeText.view(), "");
    EXPECT_EQ(rec.TopmostOnly, 0);
    EXPECT_EQ(rec.Enabled, 1);
    EXPECT_EQ(Unpacked(t.g->CaptureMacro), n);
    EXPECT_EQ(t.g->CapWindowSize, 1);
    EXPECT_EQ(t.g->CapWindowSize2, 1);
    EXPECT_EQ(t.g->CapRelativeTo, 2);
    EXPECT_EQ(t.g->CapDoubleAlt, 1);
    EXPECT_EQ(t.g->CapStarting, 1);
    const DecipheredKey stop = DecipherKey(kStopCode);
    EXPECT_EQ(Unpacked(t.g->StopKeyVK), stop.vk);
    EXPECT_EQ(t.g->StopKeyCtrl, stop.ctrl);
    EXPECT_EQ(t.g->OwnKeyOn, 1);
    EXPECT_EQ(Unpacked(t.g->OwnKeyVK), DecipherKey(kOwnCode).vk);
}

TEST(CaptureStart, SpecialActivationsArmOnlyTheStopKey) {
    for (std::uint16_t code : {acAbbreviation, acWindowTitle, acScheduled, acNone}) {
        Table t;
        const int n = t.Add(scGlobal, code, "");
        TMacroRecord rec;
        rec.ActivationCode = code;
        rec.ScopeText = "Notes";
        t.g->OwnKeyOn = 1;
        const CaptureArming a = ArmCapture(*t.g, rec, CaptureChoices{}, n, true, "x");
        ASSERT_TRUE(a.ok);
        EXPECT_EQ(t.g->OwnKeyOn, 0) << code;
        EXPECT_FALSE(a.macroCounted) << "a recapture counts nothing";
        EXPECT_EQ(rec.ScopeText.view(), code == acWindowTitle ? "Notes" : "") << code;
    }
}

TEST(CaptureStart, NoStopKeyRefusesWithNothingChanged) {
    Table t;
    t.g->ActivationCode[2] = acNone;
    const int count = t.g->MacroCount;
    TMacroRecord rec;
    rec.Nickname = "before";
    const CaptureArming a = ArmCapture(*t.g, rec, CaptureChoices{}, 3, false, "after");
    EXPECT_FALSE(a.ok);
    EXPECT_EQ(a.error, kNoStopKey);
    EXPECT_EQ(Unpacked(t.g->MacroCount), count);
    EXPECT_EQ(t.g->CapStarting, 0);
    EXPECT_EQ(rec.Nickname.view(), "before");
}

TEST(CaptureFile, CreatedWithTheSpeedTokenOrReported) {
    const auto dir = std::filesystem::temp_directory_path() / ("mf_cap_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const std::string path = (dir / "TempCap.Txt").string();
    std::ofstream(path) << "old capture";
    EXPECT_EQ(CreateCaptureFile(path, "<SPEED:00002>"), "");
    std::ifstream in(path);
    std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(content, "<SPEED:00002>");
    EXPECT_NE(CreateCaptureFile((dir / "missing" / "TempCap.Txt").string(), ""), "");
    // A FIFO or a link in its place: refused at once and left as it is.
    const std::string fifo = (dir / "pipe").string(), link = (dir / "link").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    ASSERT_EQ(::symlink(path.c_str(), link.c_str()), 0);
    EXPECT_EQ(testing::ExitCodeWithin(
                  [&] {
                      return CreateCaptureFile(fifo, "x").find("it is a named pipe, not a regular file") !=
                                         std::string::npos &&
                                     CreateCaptureFile(link, "x").find("symbolic link") != std::string::npos
                                 ? 0
                                 : 1;
                  },
                  std::chrono::seconds(5)),
              0);
    EXPECT_TRUE(std::filesystem::is_fifo(fifo));
    std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace tessaro
