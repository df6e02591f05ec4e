#include "foundation/sync_record.h"

#include "platform/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>
#include <bit>
#include <cstring>

namespace tessaro {
namespace {

static_assert(std::endian::native == std::endian::little, "the lock file is little-endian");

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
    win::UniqueFd fd(::open(fileName.c_str(), O_RDONLY | O_CLOEXEC));
    if (!fd.valid()) return SyncReadResult::Unreadable;

    // Read into a scratch record first: a short or failing read must not leave a half
    // record behind (a torn ChangeCount would make every user reload or overwrite).
    unsigned char buf[sizeof(TSyncRecord)];
    const ssize_t got = win::ReadAt(fd.get(), buf, sizeof buf, 0);
    if (got < 0) throw SyncFileError(Describe("Cannot read lock file", fileName, errno));
    if (static_cast<std::size_t>(got) < sizeof buf)
        throw SyncFileError("Lock file \"" + fileName + "\" is damaged: " + std::to_string(got) + " of " +
                            std::to_string(sizeof buf) + " bytes");
    std::memcpy(&record, buf, sizeof record);
    return SyncReadResult::Read;
}

void WriteSyncRecord(const std::string& fileName, const TSyncRecord& record) {
    win::UniqueFd fd(::open(fileName.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666));
    if (!fd.valid()) throw SyncFileError(Describe("Cannot create lock file", fileName, errno));
    if (!win::WriteFullAt(fd.get(), &record, sizeof record, 0))
        throw SyncFileError(Describe("Cannot write lock file", fileName, errno));
    if (fd.Close() != 0) throw SyncFileError(Describe("Cannot write lock file", fileName, errno));
}

}  // namespace tessaro
