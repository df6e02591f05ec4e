#pragma once
// The arithmetic of the volume, balance and tone commands: one twentieth of the control's
// range per step, channels capped at the bounds.
#include <cstdint>
#include <optional>

namespace tessaro {

struct MixerRange {
    std::int32_t minimum = 0;
    std::int32_t maximum = 0;
};

struct StereoLevel {
    std::int32_t left = 0;
    std::int32_t right = 0;
    bool operator==(const StereoLevel&) const = default;
};

enum class LevelAction { Off, On, Up, Down, Left, Right, Center };

// (maximum - minimum) / 20, at least 1.
std::int32_t MixerStep(MixerRange range);

// The new levels; nothing when there is nothing to change (a step up with a channel
// already at the maximum, or down with one at the minimum).
std::optional<StereoLevel> AdjustLevel(LevelAction action, MixerRange range, StereoLevel now);

// Treble and bass: the new value for both channels, from the left one; nothing at the bound.
std::optional<std::int32_t> AdjustTone(bool up, MixerRange range, std::int32_t left);

}  // namespace tessaro
