#include "platform/single_instance.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <optional>
#include <utility>

#include "platform/file_io.h"
#include "platform/paths.h"

namespace win {
namespace {

// The file holds the recorded window as 8 little-endian bytes; shorter means none yet.
constexpr std::size_t kRecordSize = 8;

// Open-file-description locks: exclusive like flock, dropped when the last descriptor
// closes (so at death), and, unlike flock, they can be tested without being taken, so a
// peer looking for the holder never makes a starting instance believe it is the second.
bool LockWholeFile(int fd) {
    struct flock fl {};
    fl.l_type = F_WRLCK;
    fl.l_whence = SEEK_SET;
    return ::fcntl(fd, F_OFD_SETLK, &fl) == 0;
}

bool HeldByAnother(int fd) {
    struct flock fl {};
    fl.l_type = F_WRLCK;
    fl.l_whence = SEEK_SET;
    return ::fcntl(fd, F_OFD_GETLK, &fl) == 0 && fl.l_type != F_UNLCK;
}

}  // namespace

std::string SingleInstancePath(const std::string& name) {
    const std::optional<std::string> dir = RuntimeDirectory();
    return dir ? JoinPath(*dir, NamespacedName(name) + ".lock") : std::string();
}

SingleInstance::SingleInstance(const std::string& name) {
    const std::optional<std::string> dir = RuntimeDirectory(&problem_);
    if (!dir) {
        status_ = problem_.empty() ? Status::Failed : Status::Refused;
        return;
    }
    // Never inherited: programs we start must not keep the guard alive after us.
    UniqueFd fd =
        OpenPrivateFile(JoinPath(*dir, NamespacedName(name) + ".lock"), O_RDWR | O_CREAT, &problem_);
    if (!fd.valid()) {
        status_ = problem_.empty() ? Status::Failed : Status::Refused;
        return;
    }
    if (!LockWholeFile(fd.get())) {
        status_ = (errno == EAGAIN || errno == EACCES) ? Status::Running : Status::Failed;
        return;
    }
    // Whatever a dead holder recorded is stale now.
    if (::ftruncate(fd.get(), 0) != 0) {
        // Still ours; readers only trust a full record, and we write one on RecordWindow.
    }
    fd_ = fd.release();
    status_ = Status::Acquired;
}

SingleInstance::~SingleInstance() { Release(); }

SingleInstance::SingleInstance(SingleInstance&& other) noexcept
    : status_(other.status_), fd_(std::exchange(other.fd_, -1)) {
    other.status_ = Status::Failed;
}

SingleInstance& SingleInstance::operator=(SingleInstance&& other) noexcept {
    if (this != &other) {
        Release();
        status_ = std::exchange(other.status_, Status::Failed);
        fd_ = std::exchange(other.fd_, -1);
    }
    return *this;
}

void SingleInstance::Release() {
    if (fd_ >= 0) {
        // Clear the window before unlocking so that no reader sees a stale one.
        if (::ftruncate(fd_, 0) != 0) {
        }
        ::close(fd_);  // drops the lock
        fd_ = -1;
    }
    if (status_ == Status::Acquired) status_ = Status::Failed;
}

bool SingleInstance::RecordWindow(std::uint64_t window) {
    if (!acquired()) return false;
    unsigned char buf[kRecordSize];
    for (std::size_t i = 0; i < kRecordSize; ++i) buf[i] = static_cast<unsigned char>(window >> (8 * i));
    return ::pwrite(fd_, buf, kRecordSize, 0) == static_cast<ssize_t>(kRecordSize);
}

namespace {

// The holder's lock file opened for looking, or invalid when there is none to trust.
UniqueFd OpenForLooking(const std::string& name) {
    const std::string path = SingleInstancePath(name);
    return path.empty() ? UniqueFd() : OpenPrivateFile(path, O_RDONLY);
}

}  // namespace

bool InstanceRunning(const std::string& name) {
    const UniqueFd fd = OpenForLooking(name);
    return fd.valid() && HeldByAnother(fd.get());
}

std::uint64_t RunningInstanceWindow(const std::string& name) {
    const UniqueFd fd = OpenForLooking(name);
    std::uint64_t window = 0;
    if (fd.valid() && HeldByAnother(fd.get())) {
        unsigned char buf[kRecordSize];
        if (::pread(fd.get(), buf, kRecordSize, 0) == static_cast<ssize_t>(kRecordSize))
            for (std::size_t i = 0; i < kRecordSize; ++i) window |= std::uint64_t{buf[i]} << (8 * i);
    }
    return window;
}

}  // namespace win
