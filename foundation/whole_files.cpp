#include "foundation/whole_files.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "platform/cp1252.h"
#include "platform/file_io.h"

namespace tessaro {
namespace {

bool Failed(std::string& why) {
    const int err = errno != 0 ? errno : EIO;
    why = std::strerror(err);
    errno = err;
    return false;
}

}  // namespace

std::optional<std::string> ReadRegularFile(const std::string& path, std::string& why) {
    const win::UniqueFd fd = win::OpenRegularFile(path, O_RDONLY, 0644, &why);
    if (!fd.valid()) return std::nullopt;
    std::string bytes;
    char buf[65536];
    for (off_t at = 0;;) {
        const ssize_t got = win::ReadAt(fd.get(), buf, sizeof buf, at);
        if (got < 0) {
            const int err = errno;
            why = win::ErrorText(err);
            errno = err;
            return std::nullopt;
        }
        if (got == 0) return bytes;
        bytes.append(buf, static_cast<std::size_t>(got));
        at += got;
    }
}

std::optional<std::string> ReadRegularFileOrEmpty(const std::string& path, std::string& why) {
    std::optional<std::string> bytes = ReadRegularFile(path, why);
    if (!bytes && errno == ENOENT) bytes.emplace();
    return bytes;
}

bool AppendWhole(const std::string& path, std::string_view bytes, std::string& why) {
    std::optional<std::string> whole = ReadRegularFileOrEmpty(path, why);
    if (!whole) return false;
    whole->append(bytes);
    return win::ReplaceRegularFile(path, *whole, why);
}

bool AppendInPlace(const std::string& path, std::string_view bytes, std::string& why, std::size_t unit,
                   off_t* at) {
    const win::UniqueFd fd = win::OpenRegularFile(path, O_WRONLY | O_CREAT | O_APPEND, 0666, &why);
    if (!fd.valid()) return false;
    // One writer at a time, so that taking back a failed addition never cuts another's.
    const win::FileLock lock(fd.get(), LOCK_EX);
    if (lock.busy()) {
        why = "another program keeps it locked";
        errno = EWOULDBLOCK;
        return false;
    }
    // Where an addition began stays noted beside the file until all of it is on the disk: an
    // addition killed midway is taken back by the next one.
    const std::string marker = path + ".~appending";
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0) return Failed(why);
    if (std::string ignored; const auto began = ReadRegularFile(marker, ignored)) {
        // Only a whole number is a place to cut at (a note whose writing failed is none).
        if (!began->empty() && began->find_first_not_of("0123456789") == std::string::npos) {
            const off_t from = std::strtoll(began->c_str(), nullptr, 10);
            if (from < st.st_size && ::ftruncate(fd.get(), from) != 0) return Failed(why);
            st.st_size = std::min(st.st_size, from);
        }
    }
    const off_t kept = unit > 1 ? st.st_size - st.st_size % static_cast<off_t>(unit) : st.st_size;
    if (kept != st.st_size && ::ftruncate(fd.get(), kept) != 0) return Failed(why);
    if (!win::WriteToRegularFile(marker, std::to_string(kept), O_TRUNC, why)) {
        const int err = errno;
        ::unlink(marker.c_str());
        errno = err;
        return false;
    }
    if (!win::WriteAll(fd.get(), bytes) || ::fdatasync(fd.get()) != 0) {
        const int err = errno;
        if (::ftruncate(fd.get(), kept) == 0) ::unlink(marker.c_str());
        errno = err;
        return Failed(why);
    }
    ::unlink(marker.c_str());
    if (at) *at = kept;
    return true;
}

}  // namespace tessaro
