#include "player/synthesis_playback_input.h"

#include <gtest/gtest.h>

#include "interpreter_doubles.h"
#include "platform/sim/sim_input.h"
#include "sim_events.h"
#include "platform/virtual_keys.h"
#include "player/macro_player.h"

namespace tessaro {
namespace {

using Clock = SynthesisHooks::Clock;
using testing::Down;
using testing::InputEvent;
using testing::Up;

// The interpreter over the simulated desktop; its clock drives the synthesis' waits.
struct SynthRig {
  win::sim::SimInput sim;
  testing::FakeClock clock;
  testing::FakeWindows windows;
  testing::FakeClipboard clipboard;
  testing::FakeDesktop desktop;
  testing::FakeMacros macros;
  CommandFamilies families;
  bool aborted = false;
  InputSynthesis synthesis{
      sim, SynthesisHooks{
               [this] { clock.PumpMessages(); }, [this] { return aborted; }, nullptr,
               [this] { return Clock::time_point{} + std::chrono::milliseconds(clock.now); },
               [this](Clock::duration d) {
                 clock.Sleep(std::chrono::ceil<std::chrono::milliseconds>(d).count());
               }}};
  SynthesisPlaybackInput input{synthesis};
  MacroPlayer player{PlayerServices{input, clock, windows, clipboard, desktop, macros, families}};

  SynthRig() { input.Follow(player.pacing()); }

  void Play(std::string_view text) {
    player.BeginMacro(false);
    player.DoMacro(text, 1, 1, 1, true);
  }
};

TEST(SynthesisPlaybackInput, MacroTextBecomesPacedEvents) {
  SynthRig rig;
  const auto start = rig.clock.now;
  rig.Play("<SPKEY:0050><SPEED:002.0>B<TAB>\xE9");
  // Three delayed keys at 50 ms x 2.
  EXPECT_EQ(rig.clock.now - start, 300);
  std::vector<InputEvent> expected{Down(win::VK_SHIFT), Down('B'), Up('B'), Up(win::VK_SHIFT),
                                   Down(win::VK_TAB), Up(win::VK_TAB), Down(win::VK_MENU)};
  for (unsigned char d : {0, 2, 3, 3}) {
    expected.push_back(Down(win::VK_NUMPAD0 + d));
    expected.push_back(Up(win::VK_NUMPAD0 + d));
  }
  expected.push_back(Up(win::VK_MENU));
  EXPECT_EQ(rig.sim.log, expected);
}

TEST(SynthesisPlaybackInput, MouseThroughTheInterpreter) {
  SynthRig rig;
  rig.sim.screen = {800, 600};
  rig.sim.cursor = {100, 100};
  rig.Play("<MMP:-0010,00005><RCLK><MMC>");
  EXPECT_EQ(rig.sim.cursor, (win::Point{90, 105}));
  ASSERT_EQ(rig.sim.log.size(), 3u);
  EXPECT_EQ(rig.sim.log[1].flags, win::MOUSEEVENTF_RIGHTDOWN);
  EXPECT_EQ(rig.sim.log[2].flags, win::MOUSEEVENTF_RIGHTUP);
  // No caret: the interpreter reports it and the cursor stays.
  ASSERT_EQ(rig.windows.messages.size(), 1u);
  EXPECT_EQ(rig.windows.messages[0].text, "Could not move the mouse to the location of the caret.");
  rig.sim.caret = win::Point{300, 200};
  rig.Play("<MMC>");
  EXPECT_EQ(rig.sim.cursor, (win::Point{300, 200}));
  EXPECT_EQ(rig.windows.messages.size(), 1u);
}

}  // namespace
}  // namespace tessaro
