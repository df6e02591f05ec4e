#include "foundation/sync_record.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <bit>
#include <cstring>

namespace tessaro {
namespace {

static_assert(std::endian::native == std::endian::little, "the lock file is little-endian");

class Fd {
public:
    explicit Fd(int fd) : fd_(fd) {}
    ~Fd() {
        if (fd_ >= 0) ::close(fd_);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }
    // Closes now so that a failing close (late write error on a network share) is seen.
    int release() {
        int rc = ::close(fd_);
        fd_ = -1;
        return rc;
    }

private:
    int fd_;
};

std::string Describe(const std::string& what, const std::string& fileName, int err) {
    return what + " \"" + fileName + "\": " + std::strerror(err);
}

}  // namespace

SyncReadResult ReadSyncRecord(const std::string& fileName, TSyncRecord& record) {
    struct stat st {};
    if (::stat(fileName.c_str(), &st) != 0) {  // not there (or not reachable): start afresh
        record.ChangeCount = 1;
        record.State = kSyncReleased;
        WriteSyncRecord(fileName, record);
        return SyncReadResult::Created;
    }
    Fd fd(::open(fileName.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0) return SyncReadResult::Unreadable;

    // Read into a scratch record first: a short or failing read must not leave a half
    // record behind (a torn ChangeCount would make every user reload or overwrite).
    unsigned char buf[sizeof(TSyncRecord)];
    std::size_t got = 0;
    while (got < sizeof buf) {
        ssize_t n = ::read(fd.get(), buf + got, sizeof buf - got);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) throw SyncFileError(Describe("Cannot read lock file", fileName, errno));
        if (n == 0) break;
        got += static_cast<std::size_t>(n);
    }
    if (got < sizeof buf)
        throw SyncFileError("Lock file \"" + fileName + "\" is damaged: " + std::to_string(got) +
                            " of " + std::to_string(sizeof buf) + " bytes");
    std::memcpy(&record, buf, sizeof record);
    return SyncReadResult::Read;
}

void WriteSyncRecord(const std::string& fileName, const TSyncRecord& record) {
    Fd fd(::open(fileName.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666));
    if (fd.get() < 0) throw SyncFileError(Describe("Cannot create lock file", fileName, errno));
    const auto* bytes = reinterpret_cast<const unsigned char*>(&record);
    std::size_t done = 0;
    while (done < sizeof record) {
        ssize_t n = ::write(fd.get(), bytes + done, sizeof record - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) throw SyncFileError(Describe("Cannot write lock file", fileName, n < 0 ? errno : EIO));
        done += static_cast<std::size_t>(n);
    }
    if (fd.release() != 0) throw SyncFileError(Describe("Cannot write lock file", fileName, errno));
}

}  // namespace tessaro
