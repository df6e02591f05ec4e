#include "macro/swap_file.h"

#include <filesystem>
#include <cstring>
#include <fstream>

#include "macro/macro_file.h"

namespace tessaro {

std::string SwapFileName(const std::string& macroFile) { return CompanionFileName(macroFile, "QTS"); }

SwapFileStatus LoadSwapKeysFile(const std::string& path, TSwapKeys& keys) {
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) return SwapFileStatus::Missing;
    std::ifstream in(path, std::ios::binary);
    if (!in) return SwapFileStatus::Unreadable;
    TSwapKeys read;
    if (!in.read(reinterpret_cast<char*>(&read), sizeof read)) return SwapFileStatus::Damaged;
    keys = read;
    return SwapFileStatus::Ok;
}

SwapFileStatus SaveSwapKeysFile(const std::string& path, const TSwapKeys& keys) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out.write(reinterpret_cast<const char*>(&keys), sizeof keys) || !out.flush())
        return SwapFileStatus::WriteFailed;
    return SwapFileStatus::Ok;
}

}  // namespace tessaro
