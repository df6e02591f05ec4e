#include "foundation/whole_files.h"

#include <fcntl.h>

#include <cerrno>
#include <cstring>

#include "platform/cp1252.h"
#include "platform/file_io.h"

namespace tessaro {

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

}  // namespace tessaro
