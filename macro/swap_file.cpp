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

SwapFileStatus SaveSwapKeysFile(const std::string& path, const TSwapKeys& keys) {
    // Replaced whole, so a failed write leaves the old table; a link is followed to the file
    // it names, and anything but a regular file is left alone.
    std::string why;
    return win::ReplaceRegularFile(path, std::string_view(reinterpret_cast<const char*>(&keys), sizeof keys),
                                   why)
               ? SwapFileStatus::Ok
               : SwapFileStatus::WriteFailed;
}

}  // namespace tessaro
