#include "platform/input.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "platform/sim/sim_platform.h"
#include "platform/sim/sim_input.h"
#include "platform/virtual_keys.h"

namespace win {
namespace {

TEST(AltCodes, LeadingZeroPicksWindows1252ElseTheOemTable) {
    EXPECT_EQ(AltCodeToChar("0233"), U'\u00E9');  // é
    EXPECT_EQ(AltCodeToChar("0128"), U'\u20AC');  // €
    EXPECT_EQ(AltCodeToChar("0065"), U'A');
    EXPECT_EQ(AltCodeToChar("065"), U'A');
    EXPECT_EQ(AltCodeToChar("130"), U'\u00E9');  // é in the OEM table
    EXPECT_EQ(AltCodeToChar("1"), U'\u263A');
    EXPECT_EQ(AltCodeToChar("001"), 1u);  // a leading zero is the Windows-1252 control
    EXPECT_EQ(AltCodeToChar("255"), U'\u00A0');
    // Values count modulo 256, as the keypad does.
    EXPECT_EQ(AltCodeToChar("321"), U'A');
    EXPECT_EQ(AltCodeToChar("0489"), U'\u00E9');
    EXPECT_EQ(AltCodeToChar(""), 0u);
    EXPECT_EQ(AltCodeToChar("x"), 0u);
}

TEST(AltCodes, OemTableIsABijectionOnItsUpperHalf) {
    std::set<char32_t> seen;
    for (int code = 128; code < 256; ++code) {
        char32_t cp = AltCodeToChar(std::to_string(code));
        EXPECT_GE(cp, 0xA0u) << code;
        EXPECT_TRUE(seen.insert(cp).second) << code;
    }
}

TEST(InputBackend, ReleaseAllLetsGoOfWhatIsStillHeld) {
    sim::SimInput input;
    input.KeyEvent(VK_SHIFT, false);
    input.KeyEvent('A', false);
    input.KeyEvent('A', true);
    input.KeyEvent(VK_CONTROL, false);
    input.MouseEvent(MOUSEEVENTF_LEFTDOWN, 0, 0, 0);
    input.MouseEvent(MOUSEEVENTF_RIGHTDOWN, 0, 0, 0);
    input.MouseEvent(MOUSEEVENTF_RIGHTUP, 0, 0, 0);
    input.log.clear();
    input.ReleaseAll();
    using E = sim::InputEvent;
    EXPECT_EQ(input.log, (std::vector<E>{{E::Key, VK_CONTROL, true},
                                         {E::Key, VK_SHIFT, true},
                                         {E::Mouse, 0, false, MOUSEEVENTF_LEFTUP}}));
    input.log.clear();
    input.ReleaseAll();
    EXPECT_TRUE(input.log.empty());
}

// Modifiers the user holds are let go of once for playback, and only the ones still held
// when it ends go down again; keys that are no modifiers are left alone.
TEST(InputBackend, SimBackendLetsGoOfTheUsersModifiersAndPressesBackThoseStillHeld) {
    sim::SimInput input;
    input.held = {VK_SHIFT, VK_CONTROL, 'Q'};
    input.BeginPlayback();
    input.LetGoOfUserModifiers();
    input.LetGoOfUserModifiers();  // a wait that ends on the user's keys lets go again
    using E = sim::InputEvent;
    EXPECT_EQ(input.log, (std::vector<E>{{E::Key, VK_SHIFT, true}, {E::Key, VK_CONTROL, true}}));
    input.log.clear();
    input.held.erase(VK_CONTROL);  // the hand lets go of Ctrl during playback
    input.EndPlayback();
    EXPECT_EQ(input.log, (std::vector<E>{{E::Key, VK_SHIFT, false}}));
    input.log.clear();
    input.EndPlayback();
    EXPECT_TRUE(input.log.empty());
}

TEST(InputBackend, SimBackendIsTheInputInTests) {
    sim::SimPlatform platform;
    const std::unique_ptr<InputBackend> input = platform.MakeInput();
    auto* simulated = dynamic_cast<sim::SimInput*>(input.get());
    ASSERT_NE(simulated, nullptr);
    sim::SimInput& sim = *simulated;
    input->TypeAltCode("065");
    ASSERT_EQ(sim.log.size(), 8u);
    EXPECT_EQ(sim.log.front().vk, VK_MENU);
    EXPECT_EQ(sim.log[1].vk, VK_NUMPAD0);
    EXPECT_EQ(sim.log[3].vk, VK_NUMPAD0 + 6);
    EXPECT_TRUE(sim.log.back().up);
}

}  // namespace
}  // namespace win
