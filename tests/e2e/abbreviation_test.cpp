// Typed abbreviations and start-up, timed and idle-free macros on a real X server: the
// player's hook sees the keys typed into a text field of another process, erases the
// abbreviation and types the macro there.
#include <QByteArray>
#include <QProcess>
#include <QProcessEnvironment>
#include <gtest/gtest.h>

#include <chrono>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <thread>

#include "hook/qtmhook.h"
#include "macro/macro_file.h"
#include "macro/macro_record.h"
#include "player_process.h"
#include "text_field.h"
#include "protocol/glob_data.h"
// Last: Xlib's macros clash with the names above.
#include <X11/XKBlib.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/scrnsaver.h>
#include <X11/keysym.h>

#include "hot_key_grab.h"
#include "typed_marker.h"
#include "tests/support/key_target.h"
#include "tests/support/xvfb.h"
#include "tests/support/unpacked.h"

namespace tessaro::testing {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

constexpr int kCtrlAltK = 154;

// Types plain ASCII through XTest, as a user would.
void TypeText(Display* d, const std::string& text) { TypeAscii(d, text, 15ms); }

// The hook library's master copy, as the player pushed it.
TGlobData Master() {
    auto copy = std::make_unique<TGlobData>();
    TGlobData* p = copy.get();
    QtmGetGlob(&p);
    return *copy;
}

TMacroRecord Macro(const std::string& nickname, std::uint16_t activation, const std::string& text) {
    TMacroRecord rec{};
    rec.Nickname = nickname;
    rec.Scope = scGlobal;
    rec.ActivationCode = activation;
    rec.Enabled = 1;
    rec.AbbrevCase = 3;
    rec.AbbrevErase = 1;
    SetMacroText(rec, text);
    return rec;
}

class PlayerOnADesktop : public ::testing::Test {
protected:
    void SetUp() override {
        if (xvfb_.name().empty()) GTEST_SKIP() << "no Xvfb";
        box_ = std::make_unique<PlayerSandbox>(xvfb_.name());
        keyboard_ = xvfb_.Open();
        ASSERT_NE(keyboard_, nullptr);
        file_ = box_->file("MACROS.QTM");
        ASSERT_TRUE(CreateEmptyMacroFile(file_).ok());
    }
    void TearDown() override {
        if (keyboard_) XCloseDisplay(keyboard_);
    }
    void Settings(const std::string& ini) { std::ofstream(box_->file("TESRO.INI")) << ini; }
    void Add(int n, const TMacroRecord& rec) { ASSERT_TRUE(WriteMacroRecordAt(file_, n, rec).ok()); }
    // Starts the player and waits until its keyboard hook is in, with the file's hot keys
    // grabbed and its abbreviations known to the hook.
    std::unique_ptr<PlayerProcess> Start(std::vector<std::string> extra = {}) {
        std::vector<TMacroRecord> macros;
        EXPECT_TRUE(ReadMacroRecords(file_, kMaxMacros, macros).ok());
        std::vector<std::string> args{"/F" + file_, "/EN"};
        args.insert(args.end(), extra.begin(), extra.end());
        auto player = std::make_unique<PlayerProcess>(*box_, args, "player.log");
        EXPECT_TRUE(player->started());
        EXPECT_NE(WaitForPlayerWindow(), 0u) << player->Log();
        EXPECT_TRUE(WaitFor([] { return Unpacked(Master().KeyboardHook) != 0; }, 10s)) << player->Log();
        for (const TMacroRecord& rec : macros) {
            if (!rec.Enabled) continue;
            const int code = Unpacked(rec.ActivationCode);
            if (code == acAbbreviation) {
                EXPECT_TRUE(WaitFor([] { return Master().HasAbbreviations != 0; }, 10s)) << player->Log();
            } else if (code < kHotKeyCodeCount) {
                EXPECT_TRUE(WaitFor([&] { return HotKeyCodeGrabbed(keyboard_, code); }, 10s))
                    << player->Log();
            }
        }
        return player;
    }

    Xvfb xvfb_{"640x480x24"};
    std::unique_ptr<PlayerSandbox> box_;
    Display* keyboard_ = nullptr;
    std::string file_;
};

TEST_F(PlayerOnADesktop, ASuffixAbbreviationIsReplacedByItsMacroEvenWhileTyping) {
    Settings("[Snipra]\nUse Suffix=Yes\nRetype Suffix=Yes\nUse Punctuation=No\n");
    TMacroRecord sig = Macro("Sig", acAbbreviation, "best regards");
    sig.Abbreviation = "sig";
    sig.AbbrevCase = 1;
    Add(1, sig);
    TMacroRecord slow = Macro("Slow", kCtrlAltK, "x<DELAY:00002>y");
    Add(2, slow);
    TextField field(xvfb_.name());
    ASSERT_TRUE(field.ready());
    auto player = Start();

    TypeText(keyboard_, "hello sig ");
    EXPECT_TRUE(field.WaitFor("hello best regards ", 10s)) << field.Text() << player->Log();
    // Case rule 1: the first letter as typed.
    TypeText(keyboard_, "Sig ");
    EXPECT_TRUE(field.WaitFor("hello best regards Best regards ", 10s)) << field.Text() << player->Log();
    // Inside a word it is no abbreviation.
    TypeText(keyboard_, "xsig ");
    EXPECT_TRUE(field.WaitFor("hello best regards Best regards xsig ", 10s)) << field.Text();

    // While another macro plays, the abbreviation stays as typed.
    PressWithModifiers(keyboard_, XK_k, {XK_Control_L, XK_Alt_L});
    EXPECT_TRUE(field.WaitFor("hello best regards Best regards xsig x", 10s))
        << field.Text() << player->Log();
    TypeText(keyboard_, "sig ");
    EXPECT_TRUE(field.WaitFor("hello best regards Best regards xsig xsig y", 10s)) << field.Text();
    // Once the player is back from the macro, what it took during it is handled; a key of
    // the test's own after that shows nothing came late.
    EXPECT_TRUE(WaitFor(PlaybackCaughtUp, 10s)) << player->Log();
    TypeText(keyboard_, ".");
    EXPECT_TRUE(field.WaitFor("hello best regards Best regards xsig xsig y.", 10s)) << field.Text();
    EXPECT_EQ(player->Stop(SIGTERM), 0) << player->Log();
}

TEST_F(PlayerOnADesktop, APrefixAbbreviationRunsAtItsLastCharacter) {
    Settings("[Snipra]\nUse Suffix=No\nPrefix Keys=;\n");
    TMacroRecord ad = Macro("Address", acAbbreviation, "1 Main Street");
    ad.Abbreviation = "ad";
    Add(1, ad);
    TextField field(xvfb_.name());
    ASSERT_TRUE(field.ready());
    auto player = Start();
    TypeText(keyboard_, "to ;ad");
    EXPECT_TRUE(field.WaitFor("to 1 Main Street", 10s)) << field.Text() << player->Log();
    TypeText(keyboard_, " ad");
    EXPECT_TRUE(field.WaitFor("to 1 Main Street ad", 10s)) << field.Text();
    EXPECT_EQ(player->Stop(SIGTERM), 0) << player->Log();
}

TEST_F(PlayerOnADesktop, StartMacroAndStartUpMacrosTypeFiveSecondsAfterStart) {
    TMacroRecord first = Macro("First", acScheduled, "started");
    first.ScheduleType = 0;
    Add(1, first);
    Add(2, Macro("Named", acNone, "named "));
    TextField field(xvfb_.name());
    ASSERT_TRUE(field.ready());
    const auto start = Clock::now();
    auto player = Start({"/ANamed"});
    EXPECT_TRUE(field.WaitFor("named started", 15s)) << field.Text() << player->Log();
    EXPECT_GE(Clock::now() - start, 4500ms);
    EXPECT_EQ(player->Stop(SIGTERM), 0) << player->Log();
}

TEST_F(PlayerOnADesktop, AMacroScheduledForTheNextMinuteRunsThen) {
    Settings("[Scheduler]\nTimer Seconds=1\n");
    // The next whole minute, with room for the player to start first.
    std::time_t when = std::time(nullptr) + 70;
    std::tm local{};
    ::localtime_r(&when, &local);
    TMacroRecord once = Macro("Once", acScheduled, "on time");
    once.ScheduleType = 1;
    once.ScheduleYear = static_cast<std::uint16_t>(local.tm_year + 1900);
    once.ScheduleMonth = static_cast<std::uint8_t>(local.tm_mon + 1);
    once.ScheduleDay = static_cast<std::uint8_t>(local.tm_mday);
    once.ScheduleHour = static_cast<std::uint8_t>(local.tm_hour % 12 == 0 ? 12 : local.tm_hour % 12);
    once.SchedulePM = local.tm_hour >= 12;
    once.ScheduleMinute = static_cast<std::uint8_t>(local.tm_min);
    Add(1, once);
    TextField field(xvfb_.name());
    ASSERT_TRUE(field.ready());
    auto player = Start();
    EXPECT_EQ(field.Text(), "");
    EXPECT_TRUE(field.WaitFor("on time", 100s)) << field.Text() << player->Log();
    const std::time_t ran = std::time(nullptr);
    std::tm at{};
    ::localtime_r(&ran, &at);
    EXPECT_EQ(at.tm_min, local.tm_min);
    EXPECT_EQ(player->Stop(SIGTERM), 0) << player->Log();
}

// The server's screen saver with a one-second time-out: on within `wait`, or not (which
// takes the whole of it).
bool SaverStartsWithin(Display* d, std::chrono::milliseconds wait) {
    XForceScreenSaver(d, ScreenSaverReset);
    XSync(d, False);
    return WaitFor(
        [&] {
            XScreenSaverInfo* info = XScreenSaverAllocInfo();
            XScreenSaverQueryInfo(d, DefaultRootWindow(d), info);
            const bool on = info->state == ScreenSaverOn;
            XFree(info);
            return on;
        },
        wait);
}

TEST_F(PlayerOnADesktop, TheScreenSaverWaitsWhileATimedMacroExists) {
    Settings("[Misc]\nDisable Screen Saver=Yes\n");
    TMacroRecord every = Macro("Every", acScheduled, "later");
    every.ScheduleType = 6;
    every.IntervalMinutes = 720;
    Add(1, every);
    XSetScreenSaver(keyboard_, 1, 0, DontPreferBlanking, AllowExposures);
    ASSERT_TRUE(SaverStartsWithin(keyboard_, 2500ms)) << "the server's screen saver does not start at all";
    {
        auto player = Start();
        EXPECT_FALSE(SaverStartsWithin(keyboard_, 2500ms)) << player->Log();
        EXPECT_EQ(player->Stop(SIGTERM), 0) << player->Log();
    }
    EXPECT_TRUE(SaverStartsWithin(keyboard_, 2500ms));
}

}  // namespace
}  // namespace tessaro::testing
