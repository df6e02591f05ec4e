#include "macro/macro_record_reader.h"

#include <fcntl.h>
#include <linux/magic.h>
#include <sys/file.h>
#include <sys/vfs.h>
#include <unistd.h>

#include <cerrno>

namespace tessaro {

namespace {

constexpr off_t kRec = static_cast<off_t>(kMacroRecordSize);

// File systems whose status of a name is always the file the name names now.
bool LocalFileSystem(int fd) {
    struct statfs fs {};
    if (::fstatfs(fd, &fs) != 0) return false;
    switch (static_cast<unsigned long>(fs.f_type)) {
        case EXT4_SUPER_MAGIC:  // also ext2 and ext3
        case TMPFS_MAGIC:
        case XFS_SUPER_MAGIC:
        case BTRFS_SUPER_MAGIC:
        case OVERLAYFS_SUPER_MAGIC:
        case F2FS_SUPER_MAGIC: return true;
        default: return false;
    }
}

bool SameTime(const timespec& a, const timespec& b) { return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec; }

bool SameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino && a.st_size == b.st_size &&
           SameTime(a.st_mtim, b.st_mtim) && SameTime(a.st_ctim, b.st_ctim);
}

}  // namespace

MacroFileStatus MacroRecordReader::ReadKept(int index, TMacroRecord& out) const {
    if (index < 1 || index > static_cast<int>(status_.st_size / kRec))
        return {MacroFileStatus::BadIndex, 0, {}};
    TMacroRecord rec;
    if (!win::ReadFullAt(kept_.get(), &rec, sizeof rec, (index - 1) * kRec))
        return {MacroFileStatus::IoError, errno, {}};
    out = rec;
    return {};
}

MacroFileStatus MacroRecordReader::Read(const std::string& path, int index, TMacroRecord& out) {
    struct stat named {};
    if (kept_.valid() && path == path_ && ::stat(path.c_str(), &named) == 0 && SameFile(named, status_))
        return ReadKept(index, out);
    kept_ = win::UniqueFd();
    win::LockedRegularFile file;
    std::string why;
    // A name that cannot be opened is reported as the plain read reports it.
    if (!file.Open(path, O_RDONLY, LOCK_SH, &why)) return ReadMacroRecordAt(path, index, out);
    // The lock is held: the status and the record are of one and the same file.
    win::UniqueFd fd(::fcntl(file.fd(), F_DUPFD_CLOEXEC, 0));
    if (!fd.valid() || ::fstat(fd.get(), &status_) != 0) return ReadMacroRecordAt(path, index, out);
    kept_ = std::move(fd);
    path_ = path;
    const MacroFileStatus st = ReadKept(index, out);
    // The duplicate shares the lock, which goes with `file`; keep it only where a name's
    // status can be trusted.
    if (!LocalFileSystem(kept_.get())) kept_ = win::UniqueFd();
    return st;
}

}  // namespace tessaro
