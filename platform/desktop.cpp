#include "platform/desktop.h"

#include <dirent.h>
#include <unistd.h>

#include <cstdlib>
#include <memory>

namespace win {

std::vector<int> ListProcessIds() {
    std::vector<int> ids;
    std::unique_ptr<DIR, int (*)(DIR*)> dir(opendir("/proc"), closedir);
    if (!dir) return ids;
    while (const dirent* e = readdir(dir.get())) {
        char* end = nullptr;
        const long pid = std::strtol(e->d_name, &end, 10);
        if (end != e->d_name && *end == '\0' && pid > 0) ids.push_back(static_cast<int>(pid));
    }
    return ids;
}

std::string ExecutableBaseName(int pid) {
    if (pid <= 0) return {};
    const std::string link = "/proc/" + std::to_string(pid) + "/exe";
    char buf[4096];
    const ssize_t n = readlink(link.c_str(), buf, sizeof buf - 1);
    if (n <= 0) return {};
    std::string path(buf, static_cast<std::size_t>(n));
    // A replaced executable reads "<path> (deleted)".
    const std::string deleted = " (deleted)";
    if (path.size() > deleted.size() &&
        path.compare(path.size() - deleted.size(), deleted.size(), deleted) == 0)
        path.resize(path.size() - deleted.size());
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace win
