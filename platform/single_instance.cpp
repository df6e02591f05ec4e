#include "platform/single_instance.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <utility>

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
    return JoinPath(RuntimeDirectory(), NamespacedName(name) + ".lock");
}

SingleInstance::SingleInstance(const std::string& name) {
    // CLOEXEC: programs we start must not inherit the guard and keep it alive after us.
    fd_ = ::open(SingleInstancePath(name).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd_ < 0) return;  // Failed
    if (!LockWholeFile(fd_)) {
        status_ = (errno == EAGAIN || errno == EACCES) ? Status::Running : Status::Failed;
        ::close(fd_);
        fd_ = -1;
        return;
    }
    // Whatever a dead holder recorded is stale now.
    if (::ftruncate(fd_, 0) != 0) {
        // Still ours; readers only trust a full record, and we write one on RecordWindow.
    }
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

bool InstanceRunning(const std::string& name) {
    int fd = ::open(SingleInstancePath(name).c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    const bool held = HeldByAnother(fd);
    ::close(fd);
    return held;
}

std::uint64_t RunningInstanceWindow(const std::string& name) {
    int fd = ::open(SingleInstancePath(name).c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return 0;
    std::uint64_t window = 0;
    if (HeldByAnother(fd)) {
        unsigned char buf[kRecordSize];
        if (::pread(fd, buf, kRecordSize, 0) == static_cast<ssize_t>(kRecordSize))
            for (std::size_t i = 0; i < kRecordSize; ++i) window |= std::uint64_t{buf[i]} << (8 * i);
    }
    ::close(fd);
    return window;
}

}  // namespace win
