#pragma once
// The network lock record: the whole content of the ".MAS" file beside a shared macro file.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>

namespace tessaro {

#pragma pack(push, 1)
struct TSyncRecord {
    std::int32_t ChangeCount = 1;  // bumped by every user who released the file after a change
    std::uint16_t State = 2;       // kSyncInUse or kSyncReleased
    double LockTime = 0.0;         // holder's last heartbeat, days since 1899-12-30
};
#pragma pack(pop)
static_assert(sizeof(TSyncRecord) == 14);
static_assert(offsetof(TSyncRecord, ChangeCount) == 0);
static_assert(offsetof(TSyncRecord, State) == 4);
static_assert(offsetof(TSyncRecord, LockTime) == 6);

inline constexpr std::uint16_t kSyncInUse = 1;
inline constexpr std::uint16_t kSyncReleased = 2;

// An input/output failure on the lock file (short file, disk full, no permission to create).
class SyncFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

enum class SyncReadResult {
    Read,        // the record now holds the file's first 14 bytes
    Created,     // there was no file, or a damaged one: the record was reset to (1, released) and written
    Unreadable,  // the file exists but could not be opened: the record is unchanged
};

// Reads the first record of `fileName` into `record`. A file shorter than one record is
// damaged: it is made anew as a missing one is; where that is impossible SyncFileError says
// what the user can do, and `record` is left as it was.
SyncReadResult ReadSyncRecord(const std::string& fileName, TSyncRecord& record);

// Creates or truncates `fileName` and writes `record` as its only content; throws
// SyncFileError when that fails. Readers never see the file half written.
void WriteSyncRecord(const std::string& fileName, const TSyncRecord& record);

// Reads the record, lets `decide` look at it (and change it) and, when it returns true,
// writes it back, all under an exclusive flock of the file: two users who find a free lock
// at the same moment cannot both take it. Where the file system refuses flock the steps
// run unguarded. A missing or damaged file starts as (1, released) with `record`'s LockTime; one that
// cannot be opened is read and written as ReadSyncRecord and WriteSyncRecord do. Throws
// SyncFileError as they do; `record` then holds what was read, if anything.
SyncReadResult UpdateSyncRecord(const std::string& fileName, TSyncRecord& record,
                                const std::function<bool(TSyncRecord&)>& decide);

}  // namespace tessaro
