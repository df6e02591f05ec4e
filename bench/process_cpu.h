#pragma once
// The CPU time a process has used, all its threads together, in milliseconds: from the
// scheduler's nanosecond counts where the kernel keeps them, else from the clock ticks of
// /proc/PID/stat.
#include <sys/types.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

inline double ProcessCpuMs(pid_t pid) {
    const std::string dir = "/proc/" + std::to_string(pid);
    double ns = 0;
    bool counted = false;
    std::error_code ec;
    for (const auto& task : std::filesystem::directory_iterator(dir + "/task", ec)) {
        std::ifstream in(task.path() / "schedstat");
        double run = 0;
        if (in >> run) {
            ns += run;
            counted = true;
        }
    }
    if (counted) return ns / 1e6;
    std::ifstream in(dir + "/stat");
    std::string line;
    std::getline(in, line);
    // The fields after the command's closing parenthesis; utime and stime are the 12th and 13th.
    std::istringstream fields(line.substr(line.rfind(')') + 2));
    std::string field;
    double ticks = 0;
    for (int i = 1; i <= 13 && fields >> field; ++i)
        if (i >= 12) ticks += std::stod(field);
    return ticks * 1000.0 / static_cast<double>(sysconf(_SC_CLK_TCK));
}
