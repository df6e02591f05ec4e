#include "platform/launch.h"

#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fstream>

#include "platform/cp1252.h"

extern char** environ;

namespace win {
namespace {

constexpr const char* kOpener = "xdg-open";

bool IsAddress(std::string_view file) {
    const auto scheme = file.find("://");
    return (scheme != std::string_view::npos && scheme > 0) || file.starts_with("mailto:");
}

// Started programs get default signal handling, no blocked signals and a session of their
// own, so they outlive the player and its terminal.
class SpawnAttributes {
public:
    SpawnAttributes() {
        posix_spawnattr_init(&attr_);
        sigset_t none, all;
        sigemptyset(&none);
        sigfillset(&all);
        sigdelset(&all, SIGKILL);
        sigdelset(&all, SIGSTOP);
        posix_spawnattr_setsigmask(&attr_, &none);
        posix_spawnattr_setsigdefault(&attr_, &all);
        posix_spawnattr_setflags(&attr_, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSID);
    }
    ~SpawnAttributes() { posix_spawnattr_destroy(&attr_); }
    SpawnAttributes(const SpawnAttributes&) = delete;
    SpawnAttributes& operator=(const SpawnAttributes&) = delete;
    const posix_spawnattr_t* get() const { return &attr_; }

private:
    posix_spawnattr_t attr_;
};

int Spawn(const std::string& program, const std::vector<std::string>& args, pid_t& pid) {
    std::vector<std::string> words{program};
    words.insert(words.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& w : words) argv.push_back(w.data());
    argv.push_back(nullptr);
    SpawnAttributes attr;
    return posix_spawnp(&pid, program.c_str(), nullptr, attr.get(), argv.data(), environ);
}

}  // namespace

std::vector<std::string> SplitParameters(std::string_view text) {
    std::vector<std::string> words;
    std::string word;
    bool inWord = false, quoted = false;
    for (char c : text) {
        if (c == '"') {
            quoted = !quoted;
            inWord = true;  // "" is an empty word
        } else if ((c == ' ' || c == '\t') && !quoted) {
            if (inWord) words.push_back(word);
            word.clear();
            inWord = false;
        } else {
            word.push_back(c);
            inWord = true;
        }
    }
    if (inWord) words.push_back(word);
    return words;
}

int LaunchCodeOfErrno(int error) {
    switch (error) {
        case ENOENT: return 2;
        case ENOTDIR:
        case ELOOP:
        case ENAMETOOLONG: return 3;
        case EACCES:
        case EPERM: return 5;
        case ENOMEM:
        case EAGAIN: return 8;
        case ENOEXEC:
        case EISDIR: return 11;
        case ETXTBSY: return 26;
        default: return 1000 + error;  // shown as an unknown error with its number
    }
}

int LaunchCodeOfOpenerStatus(int status) {
    if (status == 0) return kLaunchSucceeded;
    // The opener exits 2 for a file that does not exist, 3 when no tool or handler can
    // open it, 4 when the handler failed.
    return status == 2 ? 2 : 31;
}

LaunchResult Launcher::Open(const std::string& file, const std::string& parameters) {
    Reap();
    std::string path = Cp1252ToUtf8(file);
    if (path.empty()) return {2, 0, false};
    std::vector<std::string> args;
    for (const std::string& w : SplitParameters(parameters)) args.push_back(Cp1252ToUtf8(w));

    bool program = false;
    if (!IsAddress(path)) {
        const bool hasFolder = path.find('/') != std::string::npos;
        struct stat st {};
        if (::stat(path.c_str(), &st) == 0) {
            program = S_ISREG(st.st_mode) && ::access(path.c_str(), X_OK) == 0;
            // A program in the current folder runs from there, not from the search path.
            if (program && !hasFolder) path = "./" + path;
        } else if (hasFolder) {
            return {LaunchCodeOfErrno(errno), 0, false};
        } else {
            program = true;  // found on the search path, or not at all
        }
    }
    pid_t pid = 0;
    if (program) {
        const int error = Spawn(path, args, pid);
        if (error != 0) return {LaunchCodeOfErrno(error), 0, false};
        children_.push_back(pid);
        return {kLaunchSucceeded, pid, false};
    }
    return OpenWithOpener(file);
}

LaunchResult Launcher::OpenWithOpener(const std::string& file) {
    Reap();
    std::string path = Cp1252ToUtf8(file);
    if (path.empty()) return {2, 0, false};
    // A name that begins with '-' must not be read as an option of the opener.
    if (path.starts_with('-')) path = "./" + path;
    pid_t pid = 0;
    if (Spawn(kOpener, {path}, pid) != 0) return {31, 0, false};
    return {kLaunchSucceeded, pid, true};
}

std::optional<int> Launcher::OpenerVerdict(pid_t opener) {
    int status = 0;
    const pid_t done = ::waitpid(opener, &status, WNOHANG);
    if (done == 0) {
        // Reaped later, should the caller stop asking.
        if (std::find(children_.begin(), children_.end(), opener) == children_.end())
            children_.push_back(opener);
        return std::nullopt;
    }
    if (done != opener) return kLaunchSucceeded;
    return WIFEXITED(status) ? LaunchCodeOfOpenerStatus(WEXITSTATUS(status)) : 31;
}

void Launcher::Reap() {
    std::erase_if(children_, [](pid_t pid) { return ::waitpid(pid, nullptr, WNOHANG) != 0; });
}

bool DescendsFrom(int pid, int ancestor) {
    for (int depth = 0; depth < 64 && pid > 1; ++depth) {
        if (pid == ancestor) return true;
        std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
        std::string line;
        if (!std::getline(stat, line)) return false;
        // pid (comm) state ppid ...: the name may hold blanks and parentheses.
        const auto close = line.rfind(')');
        if (close == std::string::npos) return false;
        char state = 0;
        int parent = 0;
        if (std::sscanf(line.c_str() + close + 1, " %c %d", &state, &parent) != 2) return false;
        pid = parent;
    }
    return false;
}

}  // namespace win
