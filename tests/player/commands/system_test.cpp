#include "player/commands/system.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/sim/sim_desktop.h"
#include "platform/sim/sim_system_settings.h"
#include "platform/sim/sim_window_control.h"
#include "protocol/glob_data.h"
#include "tests/player/engine/interpreter_doubles.h"
#include "tests/player/engine/recording_link.h"
#include "tests/support/unpacked.h"

namespace tessaro::testing {
namespace {

std::uint32_t nextHook = 100;
std::vector<std::string> hookCalls;

struct SystemRig : Rig {
    SystemRig() {
        settings = win::sim::SimSystemSettings{};
        printers = win::sim::SimPrinters{};
        power = win::sim::SimPower{};
        hookCalls.clear();
        glob = std::make_unique<TGlobData>();
        HookCalls hooks{[] {
                            hookCalls.push_back("kbd");
                            return nextHook++;
                        },
                        [] {
                            hookCalls.push_back("mouse");
                            return nextHook++;
                        },
                        [](std::uint32_t h) { hookCalls.push_back("unhook " + std::to_string(h)); }};
        families.Register(CommandFamilyId::ProgramsWindowsSystem,
                          std::make_unique<ProgramsWindowsSystemFamily>(
                              SystemServices{win::sim::TheSimDesktop(), win::sim::TheSimWindowControl(),
                                             settings, printers, power, *glob, link, hooks}));
    }
    win::sim::SimSystemSettings& settings = win::sim::TheSimSystemSettings();
    win::sim::SimPrinters& printers = win::sim::TheSimPrinters();
    win::sim::SimPower& power = win::sim::TheSimPower();
    std::unique_ptr<TGlobData> glob;
    RecordingLink link;
};

TEST(RepeatSettings, DelayAndSpeedSpanTheirRanges) {
    EXPECT_EQ(RepeatDelayMs(0), 250);
    EXPECT_EQ(RepeatDelayMs(1), 500);
    EXPECT_EQ(RepeatDelayMs(3), 1000);
    EXPECT_EQ(RepeatDelayMs(9), 1000);
    EXPECT_EQ(RepeatDelayMs(-1), 250);
    EXPECT_DOUBLE_EQ(RepeatRate(0), 2.5);
    EXPECT_DOUBLE_EQ(RepeatRate(31), 30.0);
    EXPECT_NEAR(RepeatRate(15), 15.81, 0.01);
    EXPECT_DOUBLE_EQ(RepeatRate(99), 30.0);
}

TEST(SystemCommands, KeyboardAndScreenSaverSettingsKeepWhatTheyDoNotName) {
    SystemRig rig;
    rig.Play("<KEYDEL:2><KEYSPD:31>");
    EXPECT_EQ(rig.settings.repeatDelayMs, 750);
    EXPECT_DOUBLE_EQ(rig.settings.repeatRate, 30.0);
    rig.Play("<SSTIME:15>");
    EXPECT_EQ(rig.settings.saver, (win::ScreenSaver{900, 600, 1, 1}));
    rig.Play("<SSON>");
    EXPECT_EQ(rig.settings.saverActivations, 1);
    rig.Play("<SSOFF><SSON><WBSIZE:05>");
    EXPECT_EQ(rig.settings.saver, (win::ScreenSaver{0, 600, 1, 1}));
    EXPECT_EQ(rig.settings.saverActivations, 1);  // off: nothing to start
    EXPECT_TRUE(rig.windows.messages.empty());
}

TEST(SystemCommands, DisplayModeByIndexWithItsThreeOutcomes) {
    SystemRig rig;
    rig.settings.modes = {{1024, 768, 1 << 24, 60}, {800, 600, 1 << 24, 60}, {640, 480, 1 << 24, 75}};
    rig.settings.refusedModes = {rig.settings.modes[2]};
    rig.Play("<SCREEN:001>");
    ASSERT_EQ(rig.settings.modeChanges.size(), 1u);
    EXPECT_EQ(rig.settings.modeChanges[0].width, 800);
    EXPECT_TRUE(rig.windows.messages.empty());
    rig.Play("<SCREEN:999>");
    rig.Play("<SCREEN:002>");
    ASSERT_EQ(rig.windows.messages.size(), 2u);
    EXPECT_EQ(rig.windows.messages[0].caption, "Macro Execution Error");
    EXPECT_EQ(rig.windows.messages[0].text,
              "The specified Screen Display Settings does not exist on this computer.");
    EXPECT_EQ(rig.windows.messages[1].text,
              "The attempt to switch to the specified Screen Display Settings failed.");
    EXPECT_EQ(rig.Play("<SCREEN:999>z"), "z");  // the macro goes on
}

TEST(SystemCommands, DefaultPrinterMatchesTheNameExactly) {
    SystemRig rig;
    rig.printers.names = {"Office", "Lab"};
    rig.Play("<DEFPRT:office>");
    ASSERT_EQ(rig.windows.messages.size(), 1u);
    EXPECT_EQ(rig.windows.messages[0].text, "The specified Default Printer does not exist on this computer.");
    EXPECT_TRUE(rig.printers.defaultPrinter.empty());
    rig.Play("<DEFPRT:Lab>");
    EXPECT_EQ(rig.printers.defaultPrinter, "Lab");
    EXPECT_EQ(rig.windows.messages.size(), 1u);
}

TEST(SystemCommands, PowerAsksFirstAndCallsOnlyWhenAllowed) {
    SystemRig rig;
    rig.power.answer = "challenge";
    rig.Play("<REBOOT><SHUTDOWN><POWEROFF><LOGOFF>");
    EXPECT_EQ(rig.power.calls, (std::vector<std::string>{"can reboot", "reboot", "can halt", "halt",
                                                         "can poweroff", "poweroff", "endsession"}));
    rig.power.calls.clear();
    rig.power.answer = "no";
    rig.Play("<POWEROFF>");
    rig.power.answer = "";  // no manager to ask
    rig.Play("<REBOOT>");
    EXPECT_EQ(rig.power.calls, (std::vector<std::string>{"can poweroff", "can reboot"}));
    EXPECT_TRUE(rig.windows.messages.empty());  // power fails silently
}

TEST(SystemCommands, FunctionsWithoutCounterpartSayNotAvailableAndTheMacroGoesOn) {
    SystemRig rig;
    rig.power.answer = "na";
    EXPECT_EQ(rig.Play("<UNDOCK><RUNFF><EXPCP><SUSPEND><EMPTYBIN>ok"), "ok");
    ASSERT_EQ(rig.windows.messages.size(), 4u);
    EXPECT_EQ(rig.windows.messages[0].caption, "Eject PC Error");
    EXPECT_EQ(rig.windows.messages[0].text, "This function is not available on this desktop.");
    EXPECT_EQ(rig.windows.messages[1].caption, "Run Find Files Error");
    EXPECT_EQ(rig.windows.messages[2].caption, "Open Explorer Error");
    EXPECT_EQ(rig.windows.messages[3].caption, "Suspend Error");
}

TEST(SystemCommands, SpecialFoldersOpenTheDesktopsCounterparts) {
    ::setenv("XDG_DATA_HOME", "/tmp/data-home", 1);
    ::setenv("XDG_CONFIG_HOME", "/tmp/config-home", 1);
    SystemRig rig;
    rig.Play("<EXPPF><EXPSU><EXPFT><EXPMC><EXPRB><EXPNW><EXPRD><EXPLORE:/srv/share>");
    EXPECT_EQ(rig.desktop.opened,
              (std::vector<std::string>{"/tmp/data-home/applications", "/tmp/config-home/autostart",
                                        "/tmp/data-home/fonts", "/", "trash:///", "network:///", "recent:///",
                                        "/srv/share"}));
    EXPECT_FALSE(SpecialFolder(TokenKind::ExpDt).empty());
    EXPECT_FALSE(SpecialFolder(TokenKind::ExpUd).empty());
    EXPECT_TRUE(SpecialFolder(TokenKind::ExpCp).empty());
    EXPECT_TRUE(SpecialFolder(TokenKind::ExpPr).empty());
    EXPECT_TRUE(SpecialFolder(TokenKind::ExpFv).empty());
    EXPECT_TRUE(rig.windows.messages.empty());
}

TEST(SystemCommands, WallpaperFormsAndTheRehook) {
    SystemRig rig;
    rig.glob->KeyboardHook = 7;
    rig.glob->MouseHook = 8;
    rig.Play("<WALLT:/p/a.png><WALLP:0012,0034/p/b.png><DOHOOK>");
    EXPECT_EQ(rig.settings.wallpapers, (std::vector<std::string>{"/p/a.png 0 0 0", "/p/b.png 3 12 34"}));
    EXPECT_EQ(hookCalls, (std::vector<std::string>{"unhook 7", "kbd", "unhook 8", "mouse"}));
    EXPECT_EQ(Unpacked(rig.glob->KeyboardHook), nextHook - 2);
    EXPECT_EQ(Unpacked(rig.glob->MouseHook), nextHook - 1);
    EXPECT_EQ(rig.link.Count('U', ggKeyHook), 1);
    EXPECT_EQ(rig.link.Count('U', ggMouseHook), 1);
    EXPECT_TRUE(rig.windows.messages.empty());
}

TEST(SystemCommands, AWallpaperNoDesktopShowsIsReportedAndTheMacroGoesOn) {
    SystemRig rig;
    rig.settings.wallpaperAnswer = win::WallpaperChange::NotTaken;
    EXPECT_EQ(rig.Play("<WALLC:/p/a.png>a"), "a");
    rig.settings.wallpaperAnswer = win::WallpaperChange::NotAPicture;
    EXPECT_EQ(rig.Play("<WALLS:/p/b.txt>b"), "ab");
    ASSERT_EQ(rig.windows.messages.size(), 2u);
    EXPECT_EQ(rig.windows.messages[0].caption, "Macro Execution Error");
    EXPECT_EQ(
        rig.windows.messages[0].text,
        "The wallpaper could not be set to \"/p/a.png\": the desktop that is running does not take it.");
    EXPECT_EQ(rig.windows.messages[1].text,
              "The wallpaper file \"/p/b.txt\" could not be read as a picture.");
}

}  // namespace
}  // namespace tessaro::testing
