#include "platform/paths.h"
#include "platform/cp1252.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <string_view>

namespace win {
namespace {

std::string Env(const char* name) {
    const char* v = std::getenv(name);
    return v ? std::string(v) : std::string();
}

std::string HomeDirectory() {
    std::string home = Env("HOME");
    return home.empty() ? std::string("/tmp") : home;
}

std::string XdgDir(const char* var, const char* fallbackUnderHome) {
    std::string dir = Env(var);
    if (dir.empty() || dir[0] != '/') dir = JoinPath(HomeDirectory(), fallbackUnderHome);
    return dir;
}

std::string Ensured(std::string dir) {
    EnsureDirectory(dir);
    return dir;
}

// A folder of this user's own data in the place it is kept by default: made for the user
// alone, and made so again when an older program left it open to others. A place the user
// chose is left as the user made it.
std::string OwnFolder(std::string dir) {
    if (!EnsureDirectory(dir, 0700)) return dir;
    struct stat st {};
    if (::lstat(dir.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::geteuid() &&
        (st.st_mode & 077) != 0)
        ::chmod(dir.c_str(), st.st_mode & 07700);
    return dir;
}

// ":0.0" -> "0"; "host:12" -> "12"; none -> "none".
std::string DisplayNumber() {
    std::string d = Env("DISPLAY");
    auto colon = d.rfind(':');
    if (colon == std::string::npos) return "none";
    std::string n;
    for (std::size_t i = colon + 1; i < d.size() && d[i] >= '0' && d[i] <= '9'; ++i) n += d[i];
    return n.empty() ? std::string("none") : n;
}

}  // namespace

std::string JoinPath(const std::string& dir, const std::string& name) {
    if (dir.empty()) return name;
    if (dir.back() == '/') return dir + name;
    return dir + "/" + name;
}

bool EnsureDirectory(const std::string& dir, mode_t mode) {
    if (dir.empty()) return false;
    struct stat st {};
    if (::stat(dir.c_str(), &st) == 0) return S_ISDIR(st.st_mode);
    for (std::size_t pos = 1; pos <= dir.size(); ++pos) {
        if (pos == dir.size() || dir[pos] == '/') {
            std::string part = dir.substr(0, pos);
            if (::mkdir(part.c_str(), mode) != 0 && errno != EEXIST) return false;
        }
    }
    return ::stat(dir.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string WindowsDirectory() {
    const std::string chosen = Env("TESSARO_WINDIR");
    if (!chosen.empty()) return Ensured(chosen);
    return OwnFolder(JoinPath(XdgDir("XDG_CONFIG_HOME", ".config"), "tessaro"));
}

std::string ProgramDirectory() {
    std::string dir = Env("TESSARO_HOME");
    const bool chosen = !dir.empty();
    if (!chosen) dir = JoinPath(XdgDir("XDG_DATA_HOME", ".local/share"), "tessaro");
    // Callers join names to it; a trailing "/" would double up in stored file names.
    while (dir.size() > 1 && dir.back() == '/') dir.pop_back();
    return chosen ? Ensured(dir) : OwnFolder(dir);
}

std::optional<std::string> RuntimeDirectory(std::string* problem) {
    std::string dir = Env("XDG_RUNTIME_DIR");
    const bool shared = dir.empty() || dir[0] != '/';
    if (shared) {
        std::string tmp = Env("TMPDIR");
        if (tmp.empty() || tmp[0] != '/') tmp = "/tmp";
        dir = JoinPath(tmp, "tessaro-" + std::to_string(::getuid()));
    }
    auto refuse = [&](const std::string& why) -> std::optional<std::string> {
        if (problem) *problem = "The folder " + dir + " for Tessaro's lock files " + why;
        return std::nullopt;
    };
    if (::mkdir(dir.c_str(), 0700) != 0 && errno != EEXIST) return std::nullopt;  // none to trust
    // In a folder everybody writes to, a link planted in our folder's place must not be
    // followed.
    struct stat st {};
    if ((shared ? ::lstat(dir.c_str(), &st) : ::stat(dir.c_str(), &st)) != 0) return std::nullopt;
    if (!S_ISDIR(st.st_mode)) return refuse("is not a folder.");
    if (st.st_uid != ::geteuid()) return refuse("belongs to another user.");
    if ((st.st_mode & (S_IWGRP | S_IWOTH)) != 0) return refuse("may be written by other users.");
    return dir;
}

std::string SessionNamespace() {
    std::string ns = Env("TESSARO_NS");
    if (ns.empty()) ns = "u" + std::to_string(::getuid()) + "-d" + DisplayNumber();
    // Keep it usable inside file and shm names.
    for (char& c : ns)
        if (c == '/' || c == '\0') c = '_';
    return ns;
}

std::string NamespacedName(const std::string& name) {
    std::string n = "tessaro-" + SessionNamespace() + "-" + name;
    for (char& c : n)
        if (c == '/') c = '_';
    return n;
}

std::string ExecutableDirectory() {
    char buf[PATH_MAX];
    ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0) return ".";
    std::string path(buf, static_cast<std::size_t>(n));
    auto slash = path.rfind('/');
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash == 0 ? 1 : slash);
}

bool DirectoryExists(std::string_view path) {
    if (path.empty()) return false;
    const std::string p = Cp1252ToUtf8(path);
    struct stat st {};
    return ::stat(p.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && ::access(p.c_str(), X_OK) == 0;
}

}  // namespace win
