#pragma once
// Positions on an audio CD in track, minutes, seconds and frames (75 a second), and the
// steps of the CD commands across track boundaries.
#include <vector>

namespace tessaro {

struct CdTmsf {
    int track = 1;
    int minute = 0, second = 0, frame = 0;  // from the start of the track
    bool operator==(const CdTmsf&) const = default;
};

// The disc's tracks: `firstTrack` and the first frame of each track, then of the lead-out.
struct CdLayout {
    int firstTrack = 1;
    std::vector<long> starts;
    int lastTrack() const { return firstTrack + int(starts.size()) - 2; }
};

CdTmsf TmsfOf(const CdLayout& disc, long absoluteFrame);
long AbsoluteFrameOf(const CdLayout& disc, const CdTmsf& position);

// `seconds` later (or earlier, when negative), carried over the track lengths. Past the
// disc's end: the last second of the last track; before its start: the first track at 0:00.
CdTmsf StepCdPosition(const CdLayout& disc, const CdTmsf& from, int seconds);

}  // namespace tessaro
