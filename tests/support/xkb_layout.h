#pragma once
// Sets the keyboard layout of a test's X server, as a user does with setxkbmap.
#include <spawn.h>
#include <sys/wait.h>

#include <string>
#include <vector>

extern char** environ;

namespace tessaro::testing {

// `layouts` as setxkbmap takes them ("de", "us,de"); true when the server took it.
inline bool SetKeyboardLayout(const std::string& display, const std::string& layouts,
                              const std::string& options = "") {
    std::vector<std::string> args{"setxkbmap", "-display", display, "-layout", layouts};
    if (!options.empty()) args.insert(args.end(), {"-option", "", "-option", options});
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    if (posix_spawnp(&pid, "setxkbmap", nullptr, nullptr, argv.data(), environ) != 0) return false;
    int status = 0;
    return waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace tessaro::testing
