#include "player/commands/file_operations.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/cp1252.h"
#include "platform/file_io.h"

namespace tessaro {

namespace {

bool IsFolder(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string FolderOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string BaseOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

int CopyData(int in, int out, off_t size) {
    off_t done = 0;
    while (done < size) {
        const ssize_t n = ::copy_file_range(in, nullptr, out, nullptr, std::size_t(size - done), 0);
        if (n > 0) {
            done += n;
            continue;
        }
        if (n == 0) return EIO;  // the source shrank under us
        if (errno == EINTR) continue;
        if (errno != EXDEV && errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP) return errno;
        // No kernel copy between these file systems: plain reads and writes.
        std::vector<char> buffer(1 << 20);
        while (done < size) {
            const ssize_t got = win::ReadAt(in, buffer.data(), buffer.size(), done);
            if (got < 0) return errno;
            if (got == 0) return EIO;
            if (!win::WriteFullAt(out, buffer.data(), std::size_t(got), done)) return errno;
            done += got;
        }
    }
    return 0;
}

// What failed while the new file was written: the user is told.
FileResult NotWritten(int error) { return {error, win::ErrorText(error)}; }

// A whole copy of `from` in a new temporary file beside `to`; its name in `temp`. The data
// stream through the kernel (a copy may be larger than memory), into a file that is
// flushed before it takes the target's name.
FileResult CopyToTemporary(const std::string& from, const std::string& to, std::string& temp) {
    // Only a regular file is copied: reading a FIFO would hang the player.
    win::UniqueFd in = win::OpenRegularFile(from, O_RDONLY);
    if (!in.valid()) return {errno != 0 ? errno : EISDIR, {}};
    struct stat st {};
    if (::fstat(in.get(), &st) != 0) return {errno, {}};

    std::string name = FolderOf(to) + "/." + BaseOf(to) + ".XXXXXX";
    win::UniqueFd out(::mkostemp(name.data(), O_CLOEXEC));
    if (!out.valid()) return NotWritten(errno);
    int error = CopyData(in.get(), out.get(), st.st_size);
    if (!error && ::fchmod(out.get(), st.st_mode & 07777) != 0) error = errno;
    const timespec times[2] = {st.st_atim, st.st_mtim};
    if (!error && ::futimens(out.get(), times) != 0) error = errno;
    if (!error && ::fsync(out.get()) != 0) error = errno;
    if (!error && out.Close() != 0) error = errno;
    if (error) {
        ::unlink(name.c_str());
        return NotWritten(error);
    }
    temp = std::move(name);
    return {};
}

bool SameFile(const std::string& a, const std::string& b) {
    struct stat sa {
    }, sb{};
    return ::stat(a.c_str(), &sa) == 0 && ::stat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev &&
           sa.st_ino == sb.st_ino;
}

// Gives `temp` the name `to` unless `to` exists; the temporary file is gone either way.
int LinkNoReplace(const std::string& temp, const std::string& to) {
    int error = 0;
    if (::renameat2(AT_FDCWD, temp.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) != 0) {
        error = errno;
        if (error == EINVAL || error == ENOSYS) {  // no such rename here: a hard link is as safe
            error = ::link(temp.c_str(), to.c_str()) == 0 ? 0 : errno;
        }
        ::unlink(temp.c_str());
    }
    return error;
}

}  // namespace

std::optional<std::string> MakeFolders(const std::string& path) {
    std::string whole = path;
    while (whole.size() > 1 && whole.back() == '/') whole.pop_back();
    if (whole.empty() || IsFolder(whole)) return std::nullopt;
    std::size_t from = whole.front() == '/' ? 1 : 0;
    while (from <= whole.size()) {
        std::size_t slash = whole.find('/', from);
        if (slash == std::string::npos) slash = whole.size();
        const std::string part = whole.substr(0, slash);
        if (slash > from && !IsFolder(part) && ::mkdir(part.c_str(), 0777) != 0) return part;
        from = slash + 1;
    }
    return std::nullopt;
}

int DeleteOneFile(const std::string& path) { return ::unlink(path.c_str()) == 0 ? 0 : errno; }

FileResult CopyFileReplacing(const std::string& from, const std::string& to) {
    if (from.empty() || to.empty()) return {ENOENT, {}};
    if (SameFile(from, to)) return {};
    // What replaces the target must replace a file, never a FIFO, device or socket.
    if (struct stat st{}; ::stat(to.c_str(), &st) == 0 && !S_ISREG(st.st_mode))
        return {EISDIR, "it is not a regular file"};
    std::string temp;
    if (FileResult copied = CopyToTemporary(from, to, temp); copied.error) return copied;
    if (::rename(temp.c_str(), to.c_str()) != 0) {
        const int error = errno;
        ::unlink(temp.c_str());
        return NotWritten(error);
    }
    return {};
}

FileResult MoveFileNoReplace(const std::string& from, const std::string& to) {
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return {};
    int error = errno;
    if (error == EINVAL || error == ENOSYS) {
        // The file system offers no such rename: link and unlink never replace either.
        struct stat st {};
        if (::lstat(from.c_str(), &st) != 0) return {errno, {}};
        if (S_ISDIR(st.st_mode)) return {error, {}};
        if (::link(from.c_str(), to.c_str()) != 0) return {errno, {}};
        return {::unlink(from.c_str()) == 0 ? 0 : errno, {}};
    }
    if (error != EXDEV) return {error, {}};
    if (::access(to.c_str(), F_OK) == 0) return {EEXIST, {}};
    std::string temp;
    if (FileResult copied = CopyToTemporary(from, to, temp); copied.error) return copied;
    if ((error = LinkNoReplace(temp, to)))
        return error == EEXIST ? FileResult{EEXIST, {}} : NotWritten(error);
    return {::unlink(from.c_str()) == 0 ? 0 : errno, {}};
}

}  // namespace tessaro
