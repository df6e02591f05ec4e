#pragma once
// Which block device is the machine's first CD drive, from the kernel's list of block
// devices. The answer is kept once found; while there is none, every call looks again.
#include <string>

namespace tessaro {

class CdDriveLookup {
public:
    explicit CdDriveLookup(std::string sysClassBlock = "/sys/class/block")
        : root_(std::move(sysClassBlock)) {}

    // "/dev/srN" of the lowest-numbered CD drive; empty when there is none.
    const std::string& GetCDDrive();

private:
    std::string root_;
    std::string drive_;
};

}  // namespace tessaro
