#include "macro/swap_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include "macro/macro_file.h"
#include "platform/file_io.h"

namespace tessaro {

std::string SwapFileName(const std::string& macroFile) { return CompanionFileName(macroFile, "QTS"); }

SwapFileStatus LoadSwapKeysFile(const std::string& path, TSwapKeys& keys) {
    const win::UniqueFd fd = win::OpenRegularFile(path, O_RDONLY);
    if (!fd.valid()) return errno == ENOENT ? SwapFileStatus::Missing : SwapFileStatus::Unreadable;
    TSwapKeys read;
    if (!win::ReadFullAt(fd.get(), &read, sizeof read, 0))
        return errno == EIO ? SwapFileStatus::Damaged : SwapFileStatus::Unreadable;
    keys = read;
    return SwapFileStatus::Ok;
}

SwapFileStatus SaveSwapKeysFile(const std::string& given, const TSwapKeys& keys) {
    // A link is followed to the file it names; anything but a regular file is left alone.
    std::string path = given;
    if (char* real = ::realpath(given.c_str(), nullptr)) {
        path = real;
        std::free(real);
    }
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode)) return SwapFileStatus::WriteFailed;
    // Written beside the file and renamed over it, so a failed write leaves the old table.
    const std::string temp = path + ".tmp~";
    win::UniqueFd fd = win::OpenRegularFile(temp, O_WRONLY | O_CREAT | O_TRUNC);
    const bool written =
        fd.valid() && win::WriteFullAt(fd.get(), &keys, sizeof keys, 0) && ::fsync(fd.get()) == 0;
    if (!written || fd.Close() != 0 || ::rename(temp.c_str(), path.c_str()) != 0) {
        ::unlink(temp.c_str());
        return SwapFileStatus::WriteFailed;
    }
    return SwapFileStatus::Ok;
}

}  // namespace tessaro
