#include "foundation/sync_record.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <bit>
#include <cerrno>
#include <cstring>
#include <string_view>

#include "platform/cp1252.h"
#include "platform/file_io.h"

namespace tessaro {
namespace {

static_assert(std::endian::native == std::endian::little, "the lock file is little-endian");

std::string Describe(const std::string& what, const std::string& fileName, const std::string& why) {
    return what + " \"" + win::OsToCp1252(fileName) + "\": " + why;
}

std::string_view Bytes(const TSyncRecord& record) {
    return {reinterpret_cast<const char*>(&record), sizeof record};
}

// The lock file opened and locked, never waiting on a FIFO or opening a device: anything but
// a regular file in its place is refused, saying what is there. False when it could just
// not be opened (errno set; ENOENT when there is none), with the reason in `why`.
bool OpenLockFile(const std::string& fileName, int how, win::LockedRegularFile& file,
                  std::string* why = nullptr) {
    std::string reason;
    if (file.Open(fileName, O_RDONLY, how, &reason)) return true;
    // Refused, or kept locked by another program for longer than any user's write takes.
    if (errno == 0 || errno == EWOULDBLOCK)
        throw SyncFileError(Describe("Cannot use lock file", fileName, reason));
    if (why) *why = reason;
    return false;
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
    if (got < 0) throw SyncFileError(Describe("Cannot read lock file", fileName, win::ErrorText(errno)));
    if (static_cast<std::size_t>(got) < sizeof buf) return static_cast<std::size_t>(got);
    std::memcpy(&record, buf, sizeof record);
    return sizeof buf;
}

std::string DamagedText(const std::string& fileName, std::size_t got, const std::string& why) {
    return "Lock file \"" + win::OsToCp1252(fileName) + "\" is damaged (" + std::to_string(got) + " of " +
           std::to_string(sizeof(TSyncRecord)) + " bytes) and could not be repaired: " + why +
           ". Delete it; it holds only the change count and the lock state, and is made anew.";
}

// The record takes the place of the whole file: a new file beside it is renamed over it, so
// a kill or a full disk leaves the old record or the new one, never a torn one.
bool Replace(const std::string& fileName, const TSyncRecord& record, std::string& why) {
    return win::ReplaceRegularFile(fileName, Bytes(record), why);
}

// A lock file shorter than its record (torn by an older program, or cut) holds nothing
// worth keeping: it is made anew as a missing one is. Runs under the file's exclusive lock,
// so the record another user writes at this moment is kept instead.
SyncReadResult ReadOrRenew(const win::LockedRegularFile& held, const std::string& fileName,
                           TSyncRecord& record) {
    const std::size_t got = ReadFrom(held.fd(), fileName, record);
    if (got == sizeof(TSyncRecord)) return SyncReadResult::Read;
    TSyncRecord renewed = record;
    ResetRecord(renewed);
    if (std::string why; !Replace(fileName, renewed, why))
        throw SyncFileError(DamagedText(fileName, got, why));
    record = renewed;
    return SyncReadResult::Created;
}

// A missing lock file is made holding (1, released) and `record`'s LockTime; one another
// user makes at the same moment is kept. False when the name is there already.
bool CreateFresh(const std::string& fileName, TSyncRecord& record) {
    TSyncRecord fresh = record;
    ResetRecord(fresh);
    std::string why;
    if (win::CreateRegularFile(fileName, Bytes(fresh), why)) {
        record = fresh;
        return true;
    }
    if (errno == EEXIST) return false;
    throw SyncFileError(Describe("Cannot create lock file", fileName, why));
}

}  // namespace

SyncReadResult ReadSyncRecord(const std::string& fileName, TSyncRecord& record) {
    struct stat st {};
    if (::lstat(fileName.c_str(), &st) != 0) {  // not there (or not reachable): start afresh
        ResetRecord(record);
        // Only where the name is still free: another user who made the file meanwhile may
        // hold the lock in it already.
        if (CreateFresh(fileName, record)) return SyncReadResult::Created;
    }
    std::size_t got = 0;
    {
        win::LockedRegularFile file;
        if (!OpenLockFile(fileName, LOCK_SH, file)) return SyncReadResult::Unreadable;
        got = ReadFrom(file.fd(), fileName, record);
    }
    if (got == sizeof(TSyncRecord)) return SyncReadResult::Read;
    // Repaired under the exclusive lock, which may find another user's whole record first.
    win::LockedRegularFile held;
    if (std::string why; !OpenLockFile(fileName, LOCK_EX, held, &why))
        throw SyncFileError(DamagedText(fileName, got, why));
    return ReadOrRenew(held, fileName, record);
}

void WriteSyncRecord(const std::string& fileName, const TSyncRecord& record) {
    win::LockedRegularFile file;
    // The lock of the file in place keeps a reader from reading while this one replaces it.
    if (std::string why; !OpenLockFile(fileName, LOCK_EX, file, &why) && errno != ENOENT && errno != ENOTDIR)
        throw SyncFileError(Describe("Cannot write lock file", fileName, why));
    if (std::string why; !Replace(fileName, record, why))
        throw SyncFileError(
            Describe(file.fd() >= 0 ? "Cannot write lock file" : "Cannot create lock file", fileName, why));
}

SyncReadResult UpdateSyncRecord(const std::string& fileName, TSyncRecord& record,
                                const std::function<bool(TSyncRecord&)>& decide) {
    win::LockedRegularFile file;
    bool created = false;
    // A name that cannot be opened yet is taken (a dangling link) is no file to create.
    for (int attempt = 0; !OpenLockFile(fileName, LOCK_EX, file); ++attempt) {
        if (errno != ENOENT || created || attempt > 1) {
            // Unreachable: the plain steps say what can be said.
            const SyncReadResult result = ReadSyncRecord(fileName, record);
            if (decide(record)) WriteSyncRecord(fileName, record);
            return result;
        }
        created = CreateFresh(fileName, record);  // false: another user's new file, read theirs
    }
    SyncReadResult result = ReadOrRenew(file, fileName, record);
    if (created && result == SyncReadResult::Read) result = SyncReadResult::Created;
    if (decide(record))
        if (std::string why; !Replace(fileName, record, why))
            throw SyncFileError(Describe("Cannot write lock file", fileName, why));
    return result;
}

}  // namespace tessaro
