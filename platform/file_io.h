#pragma once
// An owned file descriptor and positioned reads and writes that carry on after signals and
// short transfers, so callers see either the whole buffer or an errno.
#include <sys/stat.h>
#include <sys/types.h>

#include <chrono>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

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
    // Hands the descriptor over; this object no longer closes it.
    int release() noexcept {
        const int fd = fd_;
        fd_ = -1;
        return fd;
    }
    // Closes now so that a failing close (a late write error on a network share) is seen:
    // 0, or -1 with errno.
    int Close();

private:
    int fd_;
};

// Whether users other than this one (and root) may put or replace names in `folder`.
bool OthersMayWrite(const std::string& folder);

// Opens a file that must be a regular one, to read or to write, never waiting: a FIFO in its
// place would hang the program until someone reads or writes the other end, and a device
// would read as an endless file or swallow what is written. Anything but a regular file
// fails with errno 0 before anything is read or written; O_TRUNC empties only a regular
// file, and O_NOFOLLOW refuses a symbolic link as well. In a folder other users can write a
// link is always refused, and a write into the file itself (O_TRUNC, O_APPEND) only goes to
// a file of this user with no other name. With O_CREAT a new file gets `mode`.
// On failure `why`, when given, says why for the user: "it is a named pipe, not a regular
// file", or the text of errno.
UniqueFd OpenRegularFile(const std::string& path, int flags, mode_t mode = 0644, std::string* why = nullptr);

// The name `path` leads to once the symbolic links in folders only this user can write are
// followed; a link in a folder others can write is where it stops (and is never followed).
std::string LinkTarget(const std::string& path);

// Writes `bytes` to a regular file opened as above with O_WRONLY | O_CREAT and `flags`:
// O_TRUNC to put them in place of its contents, O_APPEND to add them at its end, O_NOFOLLOW
// to refuse a link. False with the reason in `why` when it is not a regular file or a byte
// could not be written.
bool WriteToRegularFile(const std::string& path, std::string_view bytes, int flags, std::string& why);

// Replaces the whole of a regular file (or creates it, with `newMode` less the umask): the
// bytes go to a fresh file made exclusively beside it that is then renamed over the name, so a
// failure never leaves half a file; what killed writes of the same file left beside it is
// cleared first. A file linked from the user's own folder stays linked (the file it points
// to is replaced) and keeps its mode and group; a link in a folder other users can write is
// refused by name. A path naming anything but a regular file is refused and left as it is.
// False with the reason in `why` and errno set.
bool ReplaceRegularFile(const std::string& path, std::string_view bytes, std::string& why,
                        mode_t newMode = 0666);

// Writes `lines` as the text file at `path`, replacing it as ReplaceRegularFile does, so that
// a file the user edited keeps what did not change: a line that reads as the next unused line
// of the file as it is (`readAs` tells what a reader makes of a stored line; the line itself
// when empty) keeps that line's bytes and its own line end, and the other lines take the
// file's line end (that of its first line; `newEnd` in a file without one). A file that
// would come out the same is not written. False with the reason in `why`.
bool ReplaceTextFileLines(const std::string& path, const std::vector<std::string>& lines,
                          std::string_view newEnd, const std::function<std::string(std::string_view)>& readAs,
                          std::string& why);

// Creates `path` holding `bytes` unless something is there already: the bytes go to a fresh
// file beside it that then takes the name only if it is free, so nobody ever finds the file
// empty or half written. False with errno EEXIST when the name is taken, or with the reason.
bool CreateRegularFile(const std::string& path, std::string_view bytes, std::string& why);

// Removes the new files that replacements of `path` killed midway left beside it. A writer
// holds a lock on its new file until the file has its name, so a replacement or creation at
// work in another process at this moment keeps its file.
void RemoveReplacementLeftovers(const std::string& path);

// How long a lock that another program holds on a shared file is waited for: the time after
// which the network lock takes a silent holder for gone.
inline constexpr std::chrono::milliseconds kLockWait{60'000};

// Holds a flock(2) on an open file for its lifetime (LOCK_SH or LOCK_EX). One that another
// program holds is waited for in short steps that let the program's events run, for at most
// `limit`, and not at all once the program is asked to end: then it is not held and `busy()`.
// A file system that refuses flock leaves it unheld and the caller goes on unguarded.
class FileLock {
public:
    FileLock(int fd, int how, std::chrono::milliseconds limit = kLockWait);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;
    bool held() const { return fd_ >= 0; }
    bool busy() const { return busy_; }

private:
    int fd_;
    bool busy_ = false;
};

// A regular file opened as OpenRegularFile opens it and locked with flock (LOCK_SH or
// LOCK_EX) for the object's lifetime. Writers replace such a file by renaming a new one over
// it, so a lock won on a file that was replaced meanwhile guards nothing: the name is opened
// again until the lock is on the file the name names. On a file system that refuses flock
// the file is open but unlocked (`locked()` false) and the caller goes on unguarded.
class LockedRegularFile {
public:
    // False with errno (0 and the reason in `why` when it is not a regular file; EWOULDBLOCK
    // when another program kept it locked as FileLock waits).
    bool Open(const std::string& path, int flags, int how, std::string* why = nullptr);
    int fd() const { return fd_.get(); }
    bool locked() const { return lock_.has_value() && lock_->held(); }
    // The file's size when the lock was won.
    off_t size() const { return size_; }

private:
    UniqueFd fd_;
    std::optional<FileLock> lock_;  // given up before the descriptor closes
    off_t size_ = 0;
};

// Why an open file is not this user's own (empty when it is): it must be a regular file
// with one name, owned by the effective user, without any of the `forbidden` mode bits.
std::string PrivateFileProblem(int fd, mode_t forbidden = S_IRWXG | S_IRWXO);

// Opens a lock or state file of the runtime folder (flags as for open(2); with O_CREAT a new
// file gets mode 0600): never through a symbolic link, never inherited by started programs,
// never blocking, and only when it is this user's own that nobody else may write.
// Invalid on failure, with the reason in *problem when the file is not to be trusted (left
// empty when it could just not be opened, errno then set).
UniqueFd OpenPrivateFile(const std::string& path, int flags, std::string* problem = nullptr);

// Replaces a state file of the runtime folder as a whole (mode 0600): written under a fresh
// name beside it, then renamed over it, so a reader sees the old or the new bytes and a link
// planted in its place is replaced, never followed; what a killed write left beside it is
// cleared first. False (errno set) on failure.
bool WritePrivateFile(const std::string& path, std::string_view bytes);

// The bytes of a state file opened as OpenPrivateFile opens it; nullopt when there is none
// to trust or it cannot be read.
std::optional<std::string> ReadPrivateFile(const std::string& path);

// Reads up to n bytes at off; fewer only at the end of the file. -1 with errno on failure.
ssize_t ReadAt(int fd, void* buf, std::size_t n, off_t off);
// Reads exactly n bytes at off; a file that ends first fails with EIO.
bool ReadFullAt(int fd, void* buf, std::size_t n, off_t off);
// Writes all the bytes at the descriptor's position (its end with O_APPEND); false with
// errno (EIO when the device takes nothing).
bool WriteAll(int fd, std::string_view bytes);
// Writes all n bytes at off; false with errno (EIO when the device takes nothing).
bool WriteFullAt(int fd, const void* buf, std::size_t n, off_t off);

}  // namespace win
