#include "platform/cdrom.h"

#include <fcntl.h>
#include <linux/cdrom.h>
#include <sys/ioctl.h>

#include <string>

#include "platform/file_io.h"

namespace win {

namespace {

constexpr int kFramesPerSecond = 75;
constexpr int kLeadInFrames = 150;  // MSF addresses count the two-second lead-in

long FrameOf(const cdrom_msf0& msf) {
    return (long(msf.minute) * 60 + msf.second) * kFramesPerSecond + msf.frame - kLeadInFrames;
}

void ToMsf(long frame, unsigned char& m, unsigned char& s, unsigned char& f) {
    frame += kLeadInFrames;
    m = static_cast<unsigned char>(frame / (60 * kFramesPerSecond));
    s = static_cast<unsigned char>(frame / kFramesPerSecond % 60);
    f = static_cast<unsigned char>(frame % kFramesPerSecond);
}

class LinuxCd : public CdAudio {
public:
    explicit LinuxCd(UniqueFd fd) : fd_(std::move(fd)) {}

    bool ReadToc(Toc& toc) override {
        cdrom_tochdr header{};
        if (::ioctl(fd_.get(), CDROMREADTOCHDR, &header) != 0) return false;
        toc.firstTrack = header.cdth_trk0;
        toc.starts.clear();
        for (int track = header.cdth_trk0; track <= header.cdth_trk1 + 1; ++track) {
            cdrom_tocentry entry{};
            entry.cdte_track = static_cast<unsigned char>(track > header.cdth_trk1 ? CDROM_LEADOUT : track);
            entry.cdte_format = CDROM_MSF;
            if (::ioctl(fd_.get(), CDROMREADTOCENTRY, &entry) != 0) return false;
            toc.starts.push_back(FrameOf(entry.cdte_addr.msf));
        }
        return toc.starts.size() >= 2;
    }
    bool ReadPosition(Position& position) override {
        cdrom_subchnl sub{};
        sub.cdsc_format = CDROM_MSF;
        if (::ioctl(fd_.get(), CDROMSUBCHNL, &sub) != 0) return false;
        position.track = sub.cdsc_trk;
        position.frame = FrameOf(sub.cdsc_absaddr.msf);
        position.paused = sub.cdsc_audiostatus == CDROM_AUDIO_PAUSED;
        return true;
    }
    bool Play(long from, long to) override {
        cdrom_msf msf{};
        ToMsf(from, msf.cdmsf_min0, msf.cdmsf_sec0, msf.cdmsf_frame0);
        ToMsf(to - 1, msf.cdmsf_min1, msf.cdmsf_sec1, msf.cdmsf_frame1);
        return ::ioctl(fd_.get(), CDROMPLAYMSF, &msf) == 0;
    }
    bool Pause() override { return ::ioctl(fd_.get(), CDROMPAUSE) == 0; }
    bool Resume() override { return ::ioctl(fd_.get(), CDROMRESUME) == 0; }
    bool Stop() override { return ::ioctl(fd_.get(), CDROMSTOP) == 0; }
    bool Eject() override { return ::ioctl(fd_.get(), CDROMEJECT) == 0; }
    bool CloseTray() override { return ::ioctl(fd_.get(), CDROMCLOSETRAY) == 0; }

private:
    UniqueFd fd_;
};

class LinuxDrives : public CdDrives {
public:
    std::unique_ptr<CdAudio> Open() override {
        for (int n = 0; n < 16; ++n) {
            const std::string path = "/dev/sr" + std::to_string(n);
            UniqueFd fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
            if (fd.valid() && ::ioctl(fd.get(), CDROM_GET_CAPABILITY, 0) >= 0)
                return std::make_unique<LinuxCd>(std::move(fd));
        }
        return nullptr;
    }
};

}  // namespace

std::unique_ptr<CdDrives> SystemCdDrives() { return std::make_unique<LinuxDrives>(); }

}  // namespace win
