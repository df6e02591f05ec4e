#include "platform/file_io.h"

#include <unistd.h>

#include <cerrno>

namespace win {

UniqueFd::~UniqueFd() {
    if (fd_ >= 0) ::close(fd_);
}

UniqueFd& UniqueFd::operator=(UniqueFd&& other) noexcept {
    if (this != &other) {
        if (fd_ >= 0) ::close(fd_);
        fd_ = other.fd_;
        other.fd_ = -1;
    }
    return *this;
}

int UniqueFd::Close() {
    if (fd_ < 0) return 0;
    const int rc = ::close(fd_);
    fd_ = -1;
    return rc;
}

ssize_t ReadAt(int fd, void* buf, std::size_t n, off_t off) {
    auto* p = static_cast<char*>(buf);
    std::size_t done = 0;
    while (done < n) {
        const ssize_t got = ::pread(fd, p + done, n - done, off + static_cast<off_t>(done));
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return -1;
        if (got == 0) break;
        done += static_cast<std::size_t>(got);
    }
    return static_cast<ssize_t>(done);
}

bool ReadFullAt(int fd, void* buf, std::size_t n, off_t off) {
    const ssize_t got = ReadAt(fd, buf, n, off);
    if (got < 0) return false;
    if (static_cast<std::size_t>(got) < n) {
        errno = EIO;
        return false;
    }
    return true;
}

bool WriteFullAt(int fd, const void* buf, std::size_t n, off_t off) {
    const auto* p = static_cast<const char*>(buf);
    std::size_t done = 0;
    while (done < n) {
        const ssize_t put = ::pwrite(fd, p + done, n - done, off + static_cast<off_t>(done));
        if (put < 0 && errno == EINTR) continue;
        if (put <= 0) {
            if (put == 0) errno = EIO;
            return false;
        }
        done += static_cast<std::size_t>(put);
    }
    return true;
}

}  // namespace win
