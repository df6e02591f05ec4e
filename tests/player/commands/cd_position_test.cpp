// CD positions carried over track lengths, forwards and back, on a simulated disc.
#include <gtest/gtest.h>

#include "player/commands/cd_position.h"

namespace tessaro {
namespace {

// Three tracks of 3:00, 0:45 and 4:10.
const CdLayout kDisc{1, {0, 13500, 16875, 35625}};

TEST(CdPosition, AbsoluteFramesAndTrackTimesAgree) {
    EXPECT_EQ(TmsfOf(kDisc, 0), (CdTmsf{1, 0, 0, 0}));
    EXPECT_EQ(TmsfOf(kDisc, 13499), (CdTmsf{1, 2, 59, 74}));
    EXPECT_EQ(TmsfOf(kDisc, 13500 + 75 * 31 + 3), (CdTmsf{2, 0, 31, 3}));
    EXPECT_EQ(TmsfOf(kDisc, 40000), (CdTmsf{3, 5, 8, 25}));  // past the end: still the last track
    for (long f : {0L, 13499L, 13500L, 20000L, 35624L})
        EXPECT_EQ(AbsoluteFrameOf(kDisc, TmsfOf(kDisc, f)), f);
}

TEST(CdPosition, StepsCarryIntoMinutesAndNextTracks) {
    EXPECT_EQ(StepCdPosition(kDisc, {1, 0, 59, 74}, 1), (CdTmsf{1, 1, 0, 74}));
    EXPECT_EQ(StepCdPosition(kDisc, {1, 0, 30, 0}, 149), (CdTmsf{1, 2, 59, 0}));
    EXPECT_EQ(StepCdPosition(kDisc, {1, 0, 30, 0}, 150), (CdTmsf{2, 0, 0, 0}));  // the track's end
    EXPECT_EQ(StepCdPosition(kDisc, {1, 2, 50, 10}, 30), (CdTmsf{2, 0, 20, 10}));
    EXPECT_EQ(StepCdPosition(kDisc, {1, 2, 50, 0}, 100), (CdTmsf{3, 0, 45, 0}));  // over all of track 2
    EXPECT_EQ(StepCdPosition(kDisc, {3, 4, 0, 0}, 30), (CdTmsf{3, 4, 9, 0}));     // the disc's last second
}

TEST(CdPosition, StepsBackBorrowFromEarlierTracksAndStopAtTheStart) {
    EXPECT_EQ(StepCdPosition(kDisc, {1, 1, 0, 5}, -1), (CdTmsf{1, 0, 59, 5}));
    EXPECT_EQ(StepCdPosition(kDisc, {2, 0, 10, 5}, -30), (CdTmsf{1, 2, 40, 5}));
    EXPECT_EQ(StepCdPosition(kDisc, {3, 0, 20, 0}, -100), (CdTmsf{1, 2, 25, 0}));
    EXPECT_EQ(StepCdPosition(kDisc, {1, 0, 10, 0}, -30), (CdTmsf{1, 0, 0, 0}));
}

TEST(CdPosition, AnEmptyDiscLeavesThePositionAlone) {
    const CdLayout none{1, {}};
    EXPECT_EQ(StepCdPosition(none, {2, 1, 2, 3}, 10), (CdTmsf{2, 1, 2, 3}));
    EXPECT_EQ(TmsfOf(none, 500), CdTmsf{});
}

}  // namespace
}  // namespace tessaro
