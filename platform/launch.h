#pragma once
// Starting programs and opening documents, folders and addresses the way the desktop's
// "open" does. Programs start directly (never through a shell), documents through the
// desktop's opener. Results follow the shell's numbering: above 32 success, else the code
// of the failure (2 file not found, 3 path not found, 5 access denied, 8 out of memory,
// 11 invalid program, 26 sharing violation, 31 no associated program).
#include <sys/types.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace win {

inline constexpr int kLaunchSucceeded = 42;

// Parameter text split at blanks into words; double quotes group blanks into a word and
// are dropped; an unbalanced quote runs to the end.
std::vector<std::string> SplitParameters(std::string_view text);

// The result code of a failed start.
int LaunchCodeOfErrno(int error);
// The result code of the opener's exit status.
int LaunchCodeOfOpenerStatus(int status);

struct LaunchResult {
    int code = 0;
    pid_t pid = 0;        // the started program, or the opener
    bool opener = false;  // the opener's verdict is still to come (see OpenerVerdict)
};

// Starts programs and reaps them when they end, so none is left a zombie.
class Launcher {
public:
    Launcher() = default;
    Launcher(const Launcher&) = delete;
    Launcher& operator=(const Launcher&) = delete;

    // `file` and `parameters` are Windows-1252. An executable file (found on the search
    // path when it has no folder) starts with the parameters as its arguments; anything
    // else (document, folder, address) goes to the opener.
    LaunchResult Open(const std::string& file, const std::string& parameters);
    // `file` (Windows-1252) handed to the opener whatever it is: a document to edit is
    // never run, even when it may be executed.
    LaunchResult OpenWithOpener(const std::string& file);
    // The opener's result code once it has ended; nothing while it runs (a handler it
    // started in its place may keep it running: that counts as success).
    std::optional<int> OpenerVerdict(pid_t opener);

    // Collects the exit of every started process that ended.
    void Reap();

private:
    std::vector<pid_t> children_;
};

// Whether `pid` is `ancestor` or one of its descendants (by the parent chain in /proc).
bool DescendsFrom(int pid, int ancestor);

}  // namespace win
