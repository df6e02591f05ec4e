#include "platform/file_io.h"

#include "platform/cp1252.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <algorithm>
#include <cstring>
#include <memory>
#include <random>

#include "platform/wait_step.h"

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

namespace {

std::string FolderOf(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? std::string("/") : path.substr(0, slash);
}

constexpr char kSharedLink[] = "it is a symbolic link in a folder other users can write";
constexpr char kKeptLocked[] = "another program keeps it locked";

std::string NotRegular(mode_t mode) {
    const char* what = S_ISFIFO(mode)                   ? "a named pipe"
                       : S_ISCHR(mode) || S_ISBLK(mode) ? "a device"
                       : S_ISDIR(mode)                  ? "a folder"
                       : S_ISSOCK(mode)                 ? "a socket"
                       : S_ISLNK(mode)                  ? "a symbolic link"
                                                        : "something special";
    return std::string("it is ") + what + ", not a regular file";
}

UniqueFd Refused(std::string* why, mode_t mode) {
    if (why) *why = NotRegular(mode);
    errno = 0;
    return UniqueFd();
}

UniqueFd Failed(std::string* why) {
    const int err = errno;
    if (why) *why = ErrorText(err);
    errno = err;
    return UniqueFd();
}

std::string ErrnoText(int err) { return ErrorText(err != 0 ? err : EIO); }

constexpr char kSiblingTag[] = ".~%08x";
constexpr std::size_t kSiblingTagLength = 10;

// A new file beside `target` under a name nobody uses, created as the user's umask says.
// Its writer holds a flock on it until it has taken its name (or is removed again), through
// `held`, a second descriptor that outlives the closing of `fd`: whoever clears leftovers
// beside the file takes only new files nobody holds, so no writer at work loses its file.
struct NewSibling {
    std::string name;
    UniqueFd fd;
    UniqueFd held;
};

bool SameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

NewSibling FreshSibling(const std::string& target, mode_t mode, std::string& why) {
    std::random_device random;
    NewSibling fresh;
    for (int attempt = 0; attempt < 100; ++attempt) {
        char tag[16];
        std::snprintf(tag, sizeof tag, kSiblingTag, static_cast<unsigned>(random()));
        fresh.name = target + tag;
        fresh.fd = OpenRegularFile(fresh.name, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW, mode, &why);
        if (!fresh.fd.valid()) {
            if (errno != EEXIST && errno != 0) return fresh;
            continue;
        }
        fresh.held = UniqueFd(::fcntl(fresh.fd.get(), F_DUPFD_CLOEXEC, 0));
        if (!fresh.held.valid()) {
            why = ErrnoText(errno);
            ::unlink(fresh.name.c_str());
            fresh.fd = UniqueFd();
            return fresh;
        }
        int locked;
        while ((locked = ::flock(fresh.held.get(), LOCK_EX)) != 0 && errno == EINTR) {
        }
        if (locked != 0) return fresh;  // a file system without flock: nobody clears leftovers there
        // A clearer that took it in the moment before the lock has removed it: another name.
        struct stat held {
        }, named{};
        if (::fstat(fresh.held.get(), &held) == 0 && ::lstat(fresh.name.c_str(), &named) == 0 &&
            SameFile(held, named))
            return fresh;
        fresh.fd = UniqueFd();
        fresh.held = UniqueFd();
    }
    why = ErrnoText(EEXIST);
    fresh.fd = UniqueFd();
    return fresh;
}

// Makes what was written to a new file last a crash, and closes it: 0, or the errno of the
// first step that failed (`written` false: that of the write).
int SyncAndClose(UniqueFd& fd, bool written) {
    int err = written && ::fsync(fd.get()) == 0 ? 0 : (errno != 0 ? errno : EIO);
    if (fd.Close() != 0 && err == 0) err = errno;
    return err;
}

}  // namespace

bool OthersMayWrite(const std::string& folder) {
    struct stat st {};
    if (::stat(folder.c_str(), &st) != 0) return false;  // nothing will be opened there
    return (st.st_mode & (S_IWGRP | S_IWOTH)) != 0 || (st.st_uid != ::geteuid() && st.st_uid != 0);
}

std::string LinkTarget(const std::string& path) {
    std::string name = path;
    for (int hop = 0; hop < 40; ++hop) {
        struct stat st {};
        if (::lstat(name.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return name;
        const std::string folder = FolderOf(name);
        if (OthersMayWrite(folder)) return name;
        char to[PATH_MAX];
        const ssize_t n = ::readlink(name.c_str(), to, sizeof to - 1);
        if (n <= 0) return name;
        name =
            to[0] == '/' ? std::string(to, std::size_t(n)) : folder + "/" + std::string(to, std::size_t(n));
    }
    return name;
}

UniqueFd OpenRegularFile(const std::string& path, int flags, mode_t mode, std::string* why) {
    // Where other users can put names, a link may have been planted to turn this user's
    // writes against their own files: none is followed there, and nothing is written into a
    // file that is not this user's alone.
    const bool shared = OthersMayWrite(FolderOf(path));
    if (shared) flags |= O_NOFOLLOW;
    const bool noFollow = (flags & O_NOFOLLOW) != 0;
    const auto refusedLink = [&] {
        if (!shared) return Refused(why, S_IFLNK);
        if (why) *why = kSharedLink;
        errno = 0;
        return UniqueFd();
    };
    struct stat st {};
    // Looking first keeps devices from being opened at all (opening some has effects).
    const int looked = noFollow ? ::lstat(path.c_str(), &st) : ::stat(path.c_str(), &st);
    if (looked == 0 && S_ISLNK(st.st_mode)) return refusedLink();
    if (looked == 0 && !S_ISREG(st.st_mode)) return Refused(why, st.st_mode);
    // Emptied only once it is known to be a regular file.
    UniqueFd fd(::open(path.c_str(), (flags & ~O_TRUNC) | O_CLOEXEC | O_NONBLOCK, mode));
    if (!fd.valid()) return noFollow && errno == ELOOP ? refusedLink() : Failed(why);
    if (::fstat(fd.get(), &st) != 0) return Failed(why);
    if (!S_ISREG(st.st_mode)) return Refused(why, st.st_mode);
    if (shared && (flags & (O_TRUNC | O_APPEND)) != 0 && (flags & O_ACCMODE) != O_RDONLY &&
        (st.st_uid != ::geteuid() || st.st_nlink != 1)) {
        if (why) *why = st.st_uid != ::geteuid() ? "it belongs to another user" : "it has other names";
        errno = 0;
        return UniqueFd();
    }
    if ((flags & O_TRUNC) != 0 && (flags & O_ACCMODE) != O_RDONLY && ::ftruncate(fd.get(), 0) != 0)
        return Failed(why);
    ::fcntl(fd.get(), F_SETFL, ::fcntl(fd.get(), F_GETFL) & ~O_NONBLOCK);
    return fd;
}

bool WriteToRegularFile(const std::string& path, std::string_view bytes, int flags, std::string& why) {
    UniqueFd fd = OpenRegularFile(path, O_WRONLY | O_CREAT | flags, 0666, &why);
    if (!fd.valid()) return false;
    if (!WriteAll(fd.get(), bytes) || fd.Close() != 0) {
        why = ErrnoText(errno);
        return false;
    }
    return true;
}

bool ReplaceRegularFile(const std::string& path, std::string_view bytes, std::string& why, mode_t newMode) {
    if (path.empty()) {
        why = ErrnoText(ENOENT);
        return false;
    }
    const std::string target = LinkTarget(path);
    struct stat st {};
    const bool existed = ::lstat(target.c_str(), &st) == 0;
    if (existed && S_ISLNK(st.st_mode)) {  // one in a folder other users can write
        why = target == path ? std::string(kSharedLink) : target + ": " + kSharedLink;
        errno = ELOOP;
        return false;
    }
    if (existed && !S_ISREG(st.st_mode)) {
        why = NotRegular(st.st_mode);
        return false;
    }
    RemoveReplacementLeftovers(target);
    NewSibling fresh = FreshSibling(target, newMode, why);
    UniqueFd& fd = fresh.fd;
    const std::string& temp = fresh.name;
    if (!fd.valid()) return false;
    // A shared file keeps its group (and, where allowed, its owner) for the other users.
    if (existed && ::fchown(fd.get(), st.st_uid, st.st_gid) != 0 && ::fchown(fd.get(), -1, st.st_gid) != 0) {
    }
    int err = SyncAndClose(
        fd, WriteAll(fd.get(), bytes) && (!existed || ::fchmod(fd.get(), st.st_mode & 07777) == 0));
    bool ok = err == 0;
    if (ok && ::rename(temp.c_str(), target.c_str()) != 0) {
        ok = false;
        err = errno;
    }
    if (!ok) {
        why = ErrnoText(err);
        ::unlink(temp.c_str());
        errno = err != 0 ? err : EIO;
        return false;
    }
    // The new name lasts a crash only once its folder is on the disk too.
    if (UniqueFd dir(::open(FolderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)); dir.valid())
        ::fsync(dir.get());
    return true;
}

namespace {

struct StoredLine {
    std::string_view text;
    std::string_view end;  // "\r\n", "\n", or "" for a last line without one
};

std::vector<StoredLine> StoredLines(std::string_view content) {
    std::vector<StoredLine> out;
    while (!content.empty()) {
        const std::size_t lf = content.find('\n');
        std::string_view line = content.substr(0, lf);
        std::string_view end = lf == std::string_view::npos ? "" : "\n";
        if (!end.empty() && !line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
            end = "\r\n";
        }
        out.push_back({line, content.substr(line.size(), end.size())});
        content.remove_prefix(lf == std::string_view::npos ? content.size() : lf + 1);
    }
    return out;
}

}  // namespace

bool ReplaceTextFileLines(const std::string& path, const std::vector<std::string>& lines,
                          std::string_view newEnd, const std::function<std::string(std::string_view)>& readAs,
                          std::string& why) {
    std::string old;
    {
        UniqueFd fd = OpenRegularFile(path, O_RDONLY, 0644, &why);
        if (!fd.valid() && errno != ENOENT) return false;
        char buf[65536];
        for (off_t at = 0; fd.valid();) {
            const ssize_t got = ReadAt(fd.get(), buf, sizeof buf, at);
            if (got < 0) {
                why = ErrnoText(errno);
                return false;
            }
            if (got == 0) break;
            old.append(buf, std::size_t(got));
            at += got;
        }
    }
    const std::vector<StoredLine> stored = StoredLines(old);
    const std::string fileEnd =
        !stored.empty() && !stored[0].end.empty() ? std::string(stored[0].end) : std::string(newEnd);
    std::string text;
    std::size_t next = 0;  // the first stored line not yet used
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::size_t k = next;
        while (k < stored.size() &&
               (readAs ? readAs(stored[k].text) : std::string(stored[k].text)) != lines[i])
            ++k;
        if (k < stored.size()) {
            text.append(stored[k].text);
            // A last line without an end gets one once another follows it.
            text.append(stored[k].end.empty() && i + 1 < lines.size() ? std::string_view(fileEnd)
                                                                      : stored[k].end);
            next = k + 1;
        } else {
            text.append(lines[i]).append(fileEnd);
        }
    }
    if (text == old && (!old.empty() || ::access(path.c_str(), F_OK) == 0)) return true;
    return ReplaceRegularFile(path, text, why);
}

bool CreateRegularFile(const std::string& path, std::string_view bytes, std::string& why) {
    RemoveReplacementLeftovers(path);
    NewSibling fresh = FreshSibling(path, 0666, why);
    UniqueFd& fd = fresh.fd;
    const std::string& temp = fresh.name;
    if (!fd.valid()) return false;
    int err = SyncAndClose(fd, WriteAll(fd.get(), bytes));
    bool ok = err == 0;
    // link() gives the new file the name only where the name is free; a file system
    // without hard links may still rename without replacing.
    if (ok && ::link(temp.c_str(), path.c_str()) != 0) {
        err = errno;
        ok = (err == EPERM || err == EOPNOTSUPP || err == EMLINK) &&
             ::renameat2(AT_FDCWD, temp.c_str(), AT_FDCWD, path.c_str(), RENAME_NOREPLACE) == 0;
        if (!ok && err != EEXIST && errno == EEXIST) err = EEXIST;
    }
    ::unlink(temp.c_str());
    if (!ok) {
        why = ErrnoText(err);
        errno = err != 0 ? err : EIO;
        return false;
    }
    if (UniqueFd dir(::open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)); dir.valid())
        ::fsync(dir.get());
    return true;
}

void RemoveReplacementLeftovers(const std::string& path) {
    const std::string target = LinkTarget(path);
    const auto slash = target.rfind('/');
    const std::string base = slash == std::string::npos ? target : target.substr(slash + 1);
    const std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(FolderOf(target).c_str()), ::closedir);
    if (!dir) return;
    const int folder = ::dirfd(dir.get());
    while (const dirent* e = ::readdir(dir.get())) {
        const std::string_view name = e->d_name;
        if (name.size() != base.size() + kSiblingTagLength || name.substr(0, base.size()) != base) continue;
        const std::string_view tag = name.substr(base.size());
        if (tag.substr(0, 2) != ".~" ||
            tag.find_first_not_of("0123456789abcdef", 2) != std::string_view::npos)
            continue;
        // Left over only when no writer holds it; the lock is then ours until it is gone.
        const UniqueFd file(::openat(folder, e->d_name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
        if (!file.valid() || ::flock(file.get(), LOCK_EX | LOCK_NB) != 0) continue;
        struct stat held {
        }, named{};
        if (::fstat(file.get(), &held) == 0 && S_ISREG(held.st_mode) &&
            ::fstatat(folder, e->d_name, &named, AT_SYMLINK_NOFOLLOW) == 0 && SameFile(held, named))
            ::unlinkat(folder, e->d_name, 0);
    }
}

FileLock::FileLock(int fd, int how, std::chrono::milliseconds limit) : fd_(fd) {
    using Clock = std::chrono::steady_clock;
    const auto giveUp = Clock::now() + limit;
    while (::flock(fd_, how | LOCK_NB) != 0) {
        if (errno == EINTR) continue;
        if (errno != EWOULDBLOCK) {
            fd_ = -1;  // EOPNOTSUPP, ENOLCK: go on without
            return;
        }
        if (EndRequested() || Clock::now() >= giveUp) {
            fd_ = -1;
            busy_ = true;
            return;
        }
        WaitStep(std::chrono::milliseconds(20));
    }
}

FileLock::~FileLock() {
    if (fd_ >= 0) ::flock(fd_, LOCK_UN);
}

bool LockedRegularFile::Open(const std::string& path, int flags, int how, std::string* why) {
    using Clock = std::chrono::steady_clock;
    const auto giveUp = Clock::now() + kLockWait;
    for (int attempt = 0;; ++attempt) {
        lock_.reset();
        fd_ = OpenRegularFile(path, flags, 0600, why);
        if (!fd_.valid()) return false;
        lock_.emplace(fd_.get(), how,
                      std::chrono::duration_cast<std::chrono::milliseconds>(
                          std::max(Clock::duration::zero(), giveUp - Clock::now())));
        if (lock_->busy()) {
            if (why) *why = kKeptLocked;
            lock_.reset();
            fd_ = UniqueFd();
            errno = EWOULDBLOCK;
            return false;
        }
        struct stat held {
        }, named{};
        if (::fstat(fd_.get(), &held) != 0) {
            const int err = errno;
            if (why) *why = ErrnoText(err);
            fd_ = UniqueFd();
            errno = err;
            return false;
        }
        size_ = held.st_size;
        if (!lock_->held() || attempt >= 1000) return true;
        if (::stat(path.c_str(), &named) == 0 && named.st_dev == held.st_dev && named.st_ino == held.st_ino)
            return true;
    }
}

std::string PrivateFileProblem(int fd, mode_t forbidden) {
    struct stat st {};
    if (::fstat(fd, &st) != 0) return std::string("its status cannot be read: ") + ErrorText(errno);
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
    RemoveReplacementLeftovers(path);
    std::string why;
    NewSibling fresh = FreshSibling(path, 0600, why);
    if (!fresh.fd.valid()) {
        if (errno == 0) errno = EEXIST;
        return false;
    }
    const bool ok = WriteAll(fresh.fd.get(), bytes) && fresh.fd.Close() == 0 &&
                    ::rename(fresh.name.c_str(), path.c_str()) == 0;
    if (!ok) {
        const int err = errno;
        ::unlink(fresh.name.c_str());
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

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t put = ::write(fd, bytes.data(), bytes.size());
        if (put < 0 && errno == EINTR) continue;
        if (put <= 0) {
            if (put == 0) errno = EIO;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(put));
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
