#include "player/engine/cd_drive.h"

#include <charconv>
#include <filesystem>
#include <optional>

namespace tessaro {

namespace {

// The N of a CD-ROM device name "srN".
std::optional<int> DriveNumber(const std::string& name) {
    if (name.size() < 3 || name.compare(0, 2, "sr") != 0) return std::nullopt;
    int n = 0;
    const char* end = name.data() + name.size();
    const auto [at, error] = std::from_chars(name.data() + 2, end, n);
    if (error != std::errc() || at != end) return std::nullopt;
    return n;
}

}  // namespace

const std::string& CdDriveLookup::GetCDDrive() {
    if (!drive_.empty()) return drive_;
    std::error_code ec;
    std::optional<int> lowest;
    for (const auto& entry : std::filesystem::directory_iterator(root_, ec)) {
        const std::optional<int> n = DriveNumber(entry.path().filename().string());
        if (n && (!lowest || *n < *lowest)) lowest = n;
    }
    if (lowest) drive_ = "/dev/sr" + std::to_string(*lowest);
    return drive_;
}

}  // namespace tessaro
