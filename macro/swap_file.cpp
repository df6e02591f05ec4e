#include "macro/swap_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

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
    win::UniqueFd fd = win::OpenRegularFile(path, O_WRONLY | O_CREAT);
    if (!fd.valid() || !win::WriteFullAt(fd.get(), &keys, sizeof keys, 0) ||
        ::ftruncate(fd.get(), sizeof keys) != 0 || fd.Close() != 0)
        return SwapFileStatus::WriteFailed;
    return SwapFileStatus::Ok;
}

}  // namespace tessaro
