// Volume, balance and tone arithmetic: a twentieth of the range per step, caps and floors,
// and nothing at all when a step has nowhere to go.
#include <gtest/gtest.h>

#include <limits>

#include "player/commands/mixer_steps.h"

namespace tessaro {
namespace {

using A = LevelAction;

TEST(MixerSteps, StepIsATwentiethOfTheRangeAndAtLeastOne) {
    EXPECT_EQ(MixerStep({0, 65535}), 3276);
    EXPECT_EQ(MixerStep({0, 65536}), 3276);
    EXPECT_EQ(MixerStep({-100, 100}), 10);
    EXPECT_EQ(MixerStep({0, 10}), 1);
    EXPECT_EQ(MixerStep({5, 5}), 1);
    const auto lo = std::numeric_limits<std::int32_t>::min();
    const auto hi = std::numeric_limits<std::int32_t>::max();
    EXPECT_EQ(MixerStep({lo, hi}), 214748364);
}

TEST(MixerSteps, VolumeOffOnUpDown) {
    const MixerRange r{0, 65535};
    EXPECT_EQ(AdjustLevel(A::Up, r, {0, 0}), (StereoLevel{3276, 3276}));
    EXPECT_EQ(AdjustLevel(A::Up, {0, 65536}, {32768, 32768}), (StereoLevel{36044, 36044}));
    EXPECT_EQ(AdjustLevel(A::Up, r, {64000, 100}), (StereoLevel{65535, 3376}));
    EXPECT_EQ(AdjustLevel(A::Up, r, {65535, 100}), std::nullopt);  // one channel at the top
    EXPECT_EQ(AdjustLevel(A::Down, r, {1000, 5000}), (StereoLevel{0, 1724}));
    EXPECT_EQ(AdjustLevel(A::Down, r, {0, 5000}), std::nullopt);
    EXPECT_EQ(AdjustLevel(A::Off, r, {1, 2}), (StereoLevel{0, 0}));
    EXPECT_EQ(AdjustLevel(A::On, r, {1, 2}), (StereoLevel{65535, 65535}));
    EXPECT_EQ(AdjustLevel(A::Down, {-100, 100}, {-95, 0}), (StereoLevel{-100, -10}));
}

TEST(MixerSteps, BalanceMovesTowardsTheSideAndCentreTakesTheLouder) {
    const MixerRange r{0, 2000};  // step 100
    EXPECT_EQ(AdjustLevel(A::Center, r, {100, 300}), (StereoLevel{300, 300}));
    EXPECT_EQ(AdjustLevel(A::Left, r, {100, 300}), (StereoLevel{200, 300}));
    EXPECT_EQ(AdjustLevel(A::Left, r, {250, 300}), (StereoLevel{300, 300}));  // capped at the louder
    EXPECT_EQ(AdjustLevel(A::Left, r, {300, 300}), (StereoLevel{300, 200}));
    EXPECT_EQ(AdjustLevel(A::Left, r, {300, 50}), (StereoLevel{300, 0}));
    EXPECT_EQ(AdjustLevel(A::Right, r, {300, 100}), (StereoLevel{300, 200}));
    EXPECT_EQ(AdjustLevel(A::Right, r, {300, 250}), (StereoLevel{300, 300}));
    EXPECT_EQ(AdjustLevel(A::Right, r, {300, 300}), (StereoLevel{200, 300}));
    EXPECT_EQ(AdjustLevel(A::Right, r, {40, 300}), (StereoLevel{0, 300}));
}

TEST(MixerSteps, ToneFollowsTheLeftChannelAndStopsAtTheBounds) {
    const MixerRange r{-20, 20};  // step 2
    EXPECT_EQ(AdjustTone(true, r, 0), 2);
    EXPECT_EQ(AdjustTone(true, r, 19), 20);
    EXPECT_EQ(AdjustTone(true, r, 20), std::nullopt);
    EXPECT_EQ(AdjustTone(false, r, -19), -20);
    EXPECT_EQ(AdjustTone(false, r, -20), std::nullopt);
}

TEST(MixerSteps, TheWidestRangeNeverWraps) {
    const auto lo = std::numeric_limits<std::int32_t>::min();
    const auto hi = std::numeric_limits<std::int32_t>::max();
    EXPECT_EQ(AdjustLevel(A::Up, {lo, hi}, {hi - 5, hi - 5}), (StereoLevel{hi, hi}));
    EXPECT_EQ(AdjustLevel(A::Down, {lo, hi}, {lo + 5, lo + 5}), (StereoLevel{lo, lo}));
    EXPECT_EQ(AdjustTone(true, {lo, hi}, hi - 1), hi);
}

}  // namespace
}  // namespace tessaro
