#include "macro/capture_recording.h"

#include "platform/cp1252.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace tessaro {

bool CaptureRecording::Start(std::string start, std::string& why) {
    End();
    text_ = std::move(start);
    made_ = MakeCaptureFile(file_, text_, why);
    if (made_) fd_ = win::OpenRegularFile(file_, O_WRONLY | O_APPEND | O_NOFOLLOW, 0644, &why);
    whole_ = fd_.valid();
    return whole_;
}

std::string CaptureRecording::Add(char c) {
    text_ += c;
    whole_ = fd_.valid() && ::write(fd_.get(), &c, 1) == 1;
    if (whole_ || !fd_.valid()) return {};
    const int err = errno;
    fd_ = win::UniqueFd();
    return "the capture file " + win::OsToCp1252(file_) + " could not be written (" + win::ErrorText(err) +
           "); the recording goes on without it";
}

CapturedText CaptureRecording::Store(const std::string& programDir, std::size_t inlineLimit) {
    CapturedText r = PlaceCapturedText(text_, programDir, inlineLimit);
    if (r.ok) {
        std::string why;  // a file that cannot be made whole now only matters if the save fails
        MakeWhole(why);
        return r;
    }
    std::string told;
    Keep(told);
    r.error += " " + told;
    return r;
}

bool CaptureRecording::Keep(std::string& told) {
    std::string why;
    const bool whole = MakeWhole(why);
    told = whole ? "The recording is kept in " + file_ + "."
                 : "The recording could not be kept whole in " + file_ + " (" + why + ").";
    End();
    return whole;
}

void CaptureRecording::Drop() {
    if (made_) ::unlink(file_.c_str());
    End();
}

bool CaptureRecording::MakeWhole(std::string& why) {
    fd_ = win::UniqueFd();
    // A file that followed to the end holds it all already.
    if (!whole_ && MakeCaptureFile(file_, text_, why)) made_ = whole_ = true;
    return whole_;
}

void CaptureRecording::End() {
    fd_ = win::UniqueFd();
    made_ = whole_ = false;
    text_.clear();
}

}  // namespace tessaro
