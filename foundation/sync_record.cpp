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

// The lock file opened to write, never waiting: anything but a regular file in its place
// is refused with the reason, as a FIFO would otherwise block every user's editor.
win::UniqueFd OpenLockFile(const std::string& fileName, int flags) {
    std::string why;
    win::UniqueFd fd = win::OpenRegularFile(fileName, flags, 0666, &why);
    if (!fd.valid() && errno == 0) throw SyncFileError("Cannot use lock file \"" + fileName + "\": " + why);
    return fd;
}

void ResetRecord(TSyncRecord& record) {
    record.ChangeCount = 1;
    record.State = kSyncReleased;
}

// Reads the first record through an open descriptor into `record`; a shorter file leaves
// `record` as it was (a torn ChangeCount would make every user reload or overwrite) and
// returns how many bytes it had.
std::size_t ReadFrom(int fd, const std::string& fileName, TSyncRecord& record) {
    unsigned char buf[sizeof(TSyncRecord)];
    const ssize_t got = win::ReadAt(fd, buf, sizeof buf, 0);
    if (got < 0) throw SyncFileError(Describe("Cannot read lock file", fileName, errno));
    if (static_cast<std::size_t>(got) < sizeof buf) return static_cast<std::size_t>(got);
    std::memcpy(&record, buf, sizeof record);
    return sizeof buf;
}

std::string DamagedText(const std::string& fileName, std::size_t got, const std::string& why) {
    return "Lock file \"" + fileName + "\" is damaged (" + std::to_string(got) + " of " +
           std::to_string(sizeof(TSyncRecord)) + " bytes) and could not be repaired: " + why +
           ". Delete it; it holds only the change count and the lock state, and is made anew.";
}

// Writes the record over the start and cuts the file after it: no moment in which a
// reader finds the file empty.
void WriteTo(int fd, const std::string& fileName, const TSyncRecord& record) {
    if (!win::WriteFullAt(fd, &record, sizeof record, 0) || ::ftruncate(fd, sizeof record) != 0)
        throw SyncFileError(Describe("Cannot write lock file", fileName, errno));
}

// A lock file shorter than its record (torn, or cut by a full disk) holds nothing worth
// keeping: it is made anew as a missing one is. Runs under the file's exclusive lock, so
// the record another user writes at this moment is kept instead.
SyncReadResult ReadOrRenew(int fd, const std::string& fileName, TSyncRecord& record) {
    const std::size_t got = ReadFrom(fd, fileName, record);
    if (got == sizeof(TSyncRecord)) return SyncReadResult::Read;
    TSyncRecord renewed = record;
    ResetRecord(renewed);
    if (!win::WriteFullAt(fd, &renewed, sizeof renewed, 0) || ::ftruncate(fd, sizeof renewed) != 0)
        throw SyncFileError(DamagedText(fileName, got, std::strerror(errno)));
    record = renewed;
    return SyncReadResult::Created;
}

SyncReadResult RepairSyncRecord(const std::string& fileName, std::size_t got, TSyncRecord& record) {
    win::UniqueFd fd = OpenLockFile(fileName, O_RDWR);
    if (!fd.valid()) throw SyncFileError(DamagedText(fileName, got, std::strerror(errno)));
    SyncReadResult result;
    {
        const win::FileLock lock(fd.get(), LOCK_EX);
        result = ReadOrRenew(fd.get(), fileName, record);
    }
    if (fd.Close() != 0) throw SyncFileError(Describe("Cannot write lock file", fileName, errno));
    return result;
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
    std::size_t got = 0;
    {
        const win::FileLock lock(fd.get(), LOCK_SH);
        got = ReadFrom(fd.get(), fileName, record);
    }
    if (got == sizeof(TSyncRecord)) return SyncReadResult::Read;
    return RepairSyncRecord(fileName, got, record);
}

void WriteSyncRecord(const std::string& fileName, const TSyncRecord& record) {
    win::UniqueFd fd = OpenLockFile(fileName, O_WRONLY | O_CREAT);
    if (!fd.valid()) throw SyncFileError(Describe("Cannot create lock file", fileName, errno));
    {
        const win::FileLock lock(fd.get(), LOCK_EX);
        WriteTo(fd.get(), fileName, record);
    }
    if (fd.Close() != 0) throw SyncFileError(Describe("Cannot write lock file", fileName, errno));
}

SyncReadResult UpdateSyncRecord(const std::string& fileName, TSyncRecord& record,
                                const std::function<bool(TSyncRecord&)>& decide) {
    bool created = false;
    win::UniqueFd fd = OpenLockFile(fileName, O_RDWR);
    if (!fd.valid() && errno == ENOENT) {
        fd = OpenLockFile(fileName, O_RDWR | O_CREAT | O_EXCL);
        created = fd.valid();
        if (!fd.valid() && errno == EEXIST)  // another user created it just now
            fd = OpenLockFile(fileName, O_RDWR);
    }
    if (!fd.valid()) {
        // Read-only or unreachable: the plain steps say what can be said.
        const SyncReadResult result = ReadSyncRecord(fileName, record);
        if (decide(record)) WriteSyncRecord(fileName, record);
        return result;
    }
    SyncReadResult result = SyncReadResult::Read;
    {
        const win::FileLock lock(fd.get(), LOCK_EX);
        struct stat st {};
        if (created && ::fstat(fd.get(), &st) == 0 && st.st_size == 0) {
            ResetRecord(record);
            WriteTo(fd.get(), fileName, record);
            result = SyncReadResult::Created;
        } else {
            result = ReadOrRenew(fd.get(), fileName, record);
        }
        if (decide(record)) WriteTo(fd.get(), fileName, record);
    }
    if (fd.Close() != 0) throw SyncFileError(Describe("Cannot write lock file", fileName, errno));
    return result;
}

}  // namespace tessaro
