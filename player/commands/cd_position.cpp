#include "player/commands/cd_position.h"

#include <algorithm>

namespace tessaro {

namespace {

constexpr long kFramesPerSecond = 75;

long TrackLength(const CdLayout& disc, int index) { return disc.starts[index + 1] - disc.starts[index]; }

CdTmsf Split(int track, long frames) {
    return {track, int(frames / (60 * kFramesPerSecond)), int(frames / kFramesPerSecond % 60),
            int(frames % kFramesPerSecond)};
}

long FramesOf(const CdTmsf& p) { return (long(p.minute) * 60 + p.second) * kFramesPerSecond + p.frame; }

}  // namespace

CdTmsf TmsfOf(const CdLayout& disc, long absoluteFrame) {
    if (disc.starts.size() < 2) return {};
    int index = 0;
    while (index + 2 < int(disc.starts.size()) && absoluteFrame >= disc.starts[index + 1]) ++index;
    return Split(disc.firstTrack + index, std::max(0L, absoluteFrame - disc.starts[index]));
}

long AbsoluteFrameOf(const CdLayout& disc, const CdTmsf& position) {
    if (disc.starts.size() < 2) return 0;
    const int index = std::clamp(position.track - disc.firstTrack, 0, int(disc.starts.size()) - 2);
    return disc.starts[index] + FramesOf(position);
}

CdTmsf StepCdPosition(const CdLayout& disc, const CdTmsf& from, int seconds) {
    if (disc.starts.size() < 2) return from;
    const int last = int(disc.starts.size()) - 2;
    int index = std::clamp(from.track - disc.firstTrack, 0, last);
    long frames = FramesOf(from) + seconds * kFramesPerSecond;
    while (frames >= TrackLength(disc, index)) {
        if (index == last)
            return Split(disc.firstTrack + last, std::max(0L, TrackLength(disc, last) - kFramesPerSecond));
        frames -= TrackLength(disc, index++);
    }
    while (frames < 0) {
        if (index == 0) return Split(disc.firstTrack, 0);
        frames += TrackLength(disc, --index);
    }
    return Split(disc.firstTrack + index, frames);
}

}  // namespace tessaro
