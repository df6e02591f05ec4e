#pragma once
// What the typing benchmarks share: their text, the measure of what arrived wrong, and
// xdotool typing the same text for comparison.
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace tessaro::bench {

// Mixed case, digits, punctuation, the characters behind AltGr on a German keyboard and
// accented letters, a space now and then.
inline std::string MixedText(std::size_t length) {
    const std::string pieces[] = {"abcdefghijklmnopqrstuvwxyz", "ABCDEFGHIJKLMNOPQRSTUVWXYZ", "0123456789",
                                  ".,;:!?'\"()-/@#&*+={}[]\\|~",
                                  "\xE9\xE8\xEA\xE0\xE7\xF9\xF4\xF6\xFC\xE4\xC9\xC0\xDF\xF1"};
    const int weights[] = {60, 12, 10, 8, 10};
    std::mt19937 rng(2024);
    std::discrete_distribution<int> pick(std::begin(weights), std::end(weights));
    std::string text;
    while (text.size() < length) {
        if (rng() % 7 == 0) {
            text += ' ';
            continue;
        }
        const std::string& from = pieces[pick(rng)];
        text += from[rng() % from.size()];
    }
    return text;
}

// Characters lost, changed or added between what was sent and what arrived.
inline std::size_t EditDistance(const std::string& a, const std::string& b) {
    std::vector<std::size_t> row(b.size() + 1), next(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j) row[j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        next[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j)
            next[j] = std::min({row[j] + 1, next[j - 1] + 1, row[j - 1] + (a[i - 1] != b[j - 1])});
        std::swap(row, next);
    }
    return row[b.size()];
}

inline bool Xdotool(const std::string& display, const std::string& utf8) {
    std::vector<std::string> args{"xdotool", "type", "--delay", "0", "--", utf8};
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    // It reads its text argument in the locale's encoding.
    std::vector<std::string> env{"DISPLAY=" + display, "PATH=/usr/local/bin:/usr/bin:/bin", "LC_ALL=C.UTF-8"};
    std::vector<char*> envp;
    for (std::string& e : env) envp.push_back(e.data());
    envp.push_back(nullptr);
    pid_t pid = 0;
    if (posix_spawnp(&pid, "xdotool", nullptr, nullptr, argv.data(), envp.data()) != 0) return false;
    int status = 0;
    return waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

inline bool XdotoolInstalled() {
    for (const char* dir : {"/usr/local/bin", "/usr/bin", "/bin"})
        if (::access((std::string(dir) + "/xdotool").c_str(), X_OK) == 0) return true;
    return false;
}

}  // namespace tessaro::bench
