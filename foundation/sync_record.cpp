#include "foundation/sync_record.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <bit>
#include <cerrno>
#include <cstring>

#include "platform/file_io.h"

namespace tessaro {
namespace {

static_assert(std::endian::native == std::endian::little, "the lock file is little-endian");

std::string Describe(const std::string& what, const std::string& fileName, int err) {
    return what + " \"" + fileName + "\": " + std::strerror(err);
}

// Holds a flock for its lifetime; a file system without flock leaves it unheld.
class FileLock {
public:
    FileLock(int fd, int how) : fd_(fd) {
        while (::flock(fd_, how) != 0) {
            if (errno == EINTR) continue;
            fd_ = -1;  // EOPNOTSUPP, ENOLCK: go on without
            return;
        }
    }
    ~FileLock() {
        if (fd_ >= 0) ::flock(fd_, LOCK_UN);
    }
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

private:
    int fd_;
};

void ResetRecord(TSyncRecord& record) {
    record.ChangeCount = 1;
    record.State = kSyncReleased;
}

// Reads the first record through an open descriptor; a short file throws and leaves
// `record` as it was (a torn ChangeCount would make every user reload or overwrite).
void ReadFrom(int fd, const std::string& fileName, TSyncRecord& record) {
    unsigned char buf[sizeof(TSyncRecord)];
    const ssize_t got = win::ReadAt(fd, buf, sizeof buf, 0);
    if (got < 0) throw SyncFileError(Describe("Cannot read lock file", fileName, errno));
    if (static_cast<std::size_t>(got) < sizeof buf)
        throw SyncFileError("Lock file \"" + fileName + "\" is damaged: " + std::to_string(got) + " of " +
                            std::to_string(sizeof buf) + " bytes");
    std::memcpy(&record, buf, sizeof record);
}

// Writes the record over the start and cuts the file after it: no moment in which a
// reader finds the file empty.
void WriteTo(int fd, const std::string& fileName, const TSyncRecord& record) {
    if (!win::WriteFullAt(fd, &record, sizeof record, 0) || ::ftruncate(fd, sizeof record) != 0)
        throw SyncFileError(Describe("Cannot write lock file", fileName, errno));
}

}  // namespace

SyncReadResult ReadSyncRecord(const std::string& fileName, TSyncRecord& record) {
    struct stat st {};
    if (::stat(fileName.c_str(), &st) != 0) {  // not there (or not reachable): start afresh
        ResetRecord(record);
        WriteSyncRecord(fileName, record);
        return SyncReadResult::Created;
    }
    win::UniqueFd fd(::open(fileName.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (!fd.valid()) return SyncReadResult::Unreadable;
    const FileLock lock(fd.get(), LOCK_SH);
    ReadFrom(fd.get(), fileName, record);
    return SyncReadResult::Read;
}

void WriteSyncRecord(const std::string& fileName, const TSyncRecord& record) {
    win::UniqueFd fd(::open(fileName.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC | O_NONBLOCK, 0666));
    if (!fd.valid()) throw SyncFileError(Describe("Cannot create lock file", fileName, errno));
    {
        const FileLock lock(fd.get(), LOCK_EX);
        WriteTo(fd.get(), fileName, record);
    }
    if (fd.Close() != 0) throw SyncFileError(Describe("Cannot write lock file", fileName, errno));
}

SyncReadResult UpdateSyncRecord(const std::string& fileName, TSyncRecord& record,
                                const std::function<bool(TSyncRecord&)>& decide) {
    bool created = false;
    win::UniqueFd fd(::open(fileName.c_str(), O_RDWR | O_CLOEXEC | O_NONBLOCK));
    if (!fd.valid() && errno == ENOENT) {
        fd =
            win::UniqueFd(::open(fileName.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC | O_NONBLOCK, 0666));
        created = fd.valid();
        if (!fd.valid() && errno == EEXIST)  // another user created it just now
            fd = win::UniqueFd(::open(fileName.c_str(), O_RDWR | O_CLOEXEC | O_NONBLOCK));
    }
    if (!fd.valid()) {
        // Read-only or unreachable: the plain steps say what can be said.
        const SyncReadResult result = ReadSyncRecord(fileName, record);
        if (decide(record)) WriteSyncRecord(fileName, record);
        return result;
    }
    SyncReadResult result = SyncReadResult::Read;
    {
        const FileLock lock(fd.get(), LOCK_EX);
        struct stat st {};
        if (created && ::fstat(fd.get(), &st) == 0 && st.st_size == 0) {
            ResetRecord(record);
            WriteTo(fd.get(), fileName, record);
            result = SyncReadResult::Created;
        } else {
            ReadFrom(fd.get(), fileName, record);
        }
        if (decide(record)) WriteTo(fd.get(), fileName, record);
    }
    if (fd.Close() != 0) throw SyncFileError(Describe("Cannot write lock file", fileName, errno));
    return result;
}

}  // namespace tessaro
