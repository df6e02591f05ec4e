#include "platform/file_io.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

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

UniqueFd OpenRegularFile(const std::string& path, int flags, mode_t mode) {
    // Looking first keeps devices from being opened at all (opening some has effects).
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode)) {
        errno = 0;
        return UniqueFd();
    }
    UniqueFd fd(::open(path.c_str(), flags | O_CLOEXEC | O_NONBLOCK, mode));
    if (!fd.valid()) return fd;
    if (::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode)) {
        errno = 0;
        return UniqueFd();
    }
    ::fcntl(fd.get(), F_SETFL, ::fcntl(fd.get(), F_GETFL) & ~O_NONBLOCK);
    return fd;
}

FileLock::FileLock(int fd, int how) : fd_(fd) {
    while (::flock(fd_, how) != 0) {
        if (errno == EINTR) continue;
        fd_ = -1;  // EOPNOTSUPP, ENOLCK: go on without
        return;
    }
}

FileLock::~FileLock() {
    if (fd_ >= 0) ::flock(fd_, LOCK_UN);
}

std::string PrivateFileProblem(int fd, mode_t forbidden) {
    struct stat st {};
    if (::fstat(fd, &st) != 0) return std::string("its status cannot be read: ") + std::strerror(errno);
    if (!S_ISREG(st.st_mode)) return "it is not a regular file";
    if (st.st_uid != ::geteuid()) return "it belongs to another user";
    if (st.st_nlink != 1) return "it has other names";
    if ((st.st_mode & forbidden) != 0) return "other users have access to it";
    return {};
}

UniqueFd OpenPrivateFile(const std::string& path, int flags, std::string* problem) {
    UniqueFd fd(::open(path.c_str(), flags | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK, 0600));
    if (!fd.valid()) {
        if (errno == ELOOP && problem) *problem = path + " is a symbolic link";
        return fd;
    }
    if (const std::string why = PrivateFileProblem(fd.get(), S_IWGRP | S_IWOTH); !why.empty()) {
        if (problem) *problem = path + ": " + why;
        return UniqueFd();
    }
    // Later reads and writes may wait like on any file.
    ::fcntl(fd.get(), F_SETFL, ::fcntl(fd.get(), F_GETFL) & ~O_NONBLOCK);
    return fd;
}

bool WritePrivateFile(const std::string& path, std::string_view bytes) {
    if (path.empty()) {
        errno = ENOENT;
        return false;
    }
    std::string tmp = path + ".XXXXXX";
    UniqueFd fd(::mkostemp(tmp.data(), O_CLOEXEC));
    if (!fd.valid()) return false;
    const bool ok = WriteFullAt(fd.get(), bytes.data(), bytes.size(), 0) && fd.Close() == 0 &&
                    ::rename(tmp.c_str(), path.c_str()) == 0;
    if (!ok) {
        const int err = errno;
        ::unlink(tmp.c_str());
        errno = err;
    }
    return ok;
}

std::optional<std::string> ReadPrivateFile(const std::string& path) {
    const UniqueFd fd = OpenPrivateFile(path, O_RDONLY);
    if (!fd.valid()) return std::nullopt;
    std::string bytes;
    char buf[4096];
    for (off_t at = 0;;) {
        const ssize_t got = ReadAt(fd.get(), buf, sizeof buf, at);
        if (got < 0) return std::nullopt;
        if (got == 0) return bytes;
        bytes.append(buf, static_cast<std::size_t>(got));
        at += got;
    }
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
