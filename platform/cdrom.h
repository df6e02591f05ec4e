#pragma once
// The audio CD in the machine's first CD drive, by the kernel's CD-ROM requests. Positions
// are absolute frames (75 a second) from the start of the disc.
#include <memory>
#include <vector>

namespace win {

class CdAudio {
public:
    struct Toc {
        int firstTrack = 1;
        std::vector<long> starts;  // first frame of each track, then of the lead-out
    };
    struct Position {
        int track = 0;  // 0 when the drive does not say
        long frame = 0;
        bool paused = false;
    };
    virtual ~CdAudio() = default;
    // Each answers false when the drive refuses.
    virtual bool ReadToc(Toc& toc) = 0;
    virtual bool ReadPosition(Position& position) = 0;
    virtual bool Play(long from, long to) = 0;
    virtual bool Pause() = 0;
    virtual bool Resume() = 0;
    virtual bool Stop() = 0;
    virtual bool Eject() = 0;
    virtual bool CloseTray() = 0;
};

class CdDrives {
public:
    virtual ~CdDrives() = default;
    // The first CD drive that opens; nothing without one.
    virtual std::unique_ptr<CdAudio> Open() = 0;
};

// The machine's drives: "/dev/sr0", "/dev/sr1", ...
std::unique_ptr<CdDrives> SystemCdDrives();

}  // namespace win
