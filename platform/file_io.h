#pragma once
// An owned file descriptor and positioned reads and writes that carry on after signals and
// short transfers, so callers see either the whole buffer or an errno.
#include <sys/types.h>

#include <cstddef>

namespace win {

class UniqueFd {
public:
    explicit UniqueFd(int fd = -1) noexcept : fd_(fd) {}
    ~UniqueFd();
    UniqueFd(UniqueFd&& other) noexcept : fd_(other.fd_) { other.fd_ = -1; }
    UniqueFd& operator=(UniqueFd&& other) noexcept;
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;

    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    // Closes now so that a failing close (a late write error on a network share) is seen:
    // 0, or -1 with errno.
    int Close();

private:
    int fd_;
};

// Reads up to n bytes at off; fewer only at the end of the file. -1 with errno on failure.
ssize_t ReadAt(int fd, void* buf, std::size_t n, off_t off);
// Reads exactly n bytes at off; a file that ends first fails with EIO.
bool ReadFullAt(int fd, void* buf, std::size_t n, off_t off);
// Writes all n bytes at off; false with errno (EIO when the device takes nothing).
bool WriteFullAt(int fd, const void* buf, std::size_t n, off_t off);

}  // namespace win
