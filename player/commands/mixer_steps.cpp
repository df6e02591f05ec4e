#include "player/commands/mixer_steps.h"

#include <algorithm>

namespace tessaro {

namespace {

// Sums in 64 bits: a step added to a value near the top of a 32-bit range must not wrap.
std::int32_t Up(std::int32_t v, std::int32_t step, std::int32_t cap) {
    return std::int32_t(std::min<std::int64_t>(std::int64_t(v) + step, cap));
}
std::int32_t Down(std::int32_t v, std::int32_t step, std::int32_t floor) {
    return std::int32_t(std::max<std::int64_t>(std::int64_t(v) - step, floor));
}

}  // namespace

std::int32_t MixerStep(MixerRange range) {
    const std::int64_t step = (std::int64_t(range.maximum) - range.minimum) / 20;
    return std::int32_t(std::max<std::int64_t>(step, 1));
}

std::optional<StereoLevel> AdjustLevel(LevelAction action, MixerRange range, StereoLevel now) {
    const std::int32_t step = MixerStep(range);
    const std::int32_t top = std::max(now.left, now.right);
    switch (action) {
        case LevelAction::Off: return StereoLevel{range.minimum, range.minimum};
        case LevelAction::On: return StereoLevel{range.maximum, range.maximum};
        case LevelAction::Up:
            if (now.left == range.maximum || now.right == range.maximum) return std::nullopt;
            return StereoLevel{Up(now.left, step, range.maximum), Up(now.right, step, range.maximum)};
        case LevelAction::Down:
            if (now.left == range.minimum || now.right == range.minimum) return std::nullopt;
            return StereoLevel{Down(now.left, step, range.minimum), Down(now.right, step, range.minimum)};
        case LevelAction::Left:
            if (now.left < now.right) return StereoLevel{Up(now.left, step, top), now.right};
            return StereoLevel{now.left, Down(now.right, step, range.minimum)};
        case LevelAction::Right:
            if (now.right < now.left) return StereoLevel{now.left, Up(now.right, step, now.left)};
            return StereoLevel{Down(now.left, step, range.minimum), now.right};
        case LevelAction::Center: return StereoLevel{top, top};
    }
    return std::nullopt;
}

std::optional<std::int32_t> AdjustTone(bool up, MixerRange range, std::int32_t left) {
    const std::int32_t step = MixerStep(range);
    if (up) return left == range.maximum ? std::nullopt : std::optional(Up(left, step, range.maximum));
    return left == range.minimum ? std::nullopt : std::optional(Down(left, step, range.minimum));
}

}  // namespace tessaro
