#include "mail/recipient_list.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <utility>

#include "platform/cp1252.h"

namespace tessaro::mail {
namespace {

class Fd {
public:
    explicit Fd(int fd) : fd_(fd) {}
    ~Fd() {
        if (fd_ >= 0) ::close(fd_);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }
    int release() { return std::exchange(fd_, -1); }

private:
    int fd_;
};

bool WriteAll(int fd, std::string_view data) {
    while (!data.empty()) {
        const ssize_t n = ::write(fd, data.data(), data.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        data.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

// The file the path names, through symbolic links, so a linked list stays linked.
std::string TargetOf(const std::string& path) {
    std::error_code ec;
    const auto real = std::filesystem::canonical(path, ec);
    return ec ? path : real.string();
}

mode_t NewFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

}  // namespace

RecipientEntry SplitRecipientLine(std::string_view line) {
    const std::size_t bar = line.find('|');
    if (bar == std::string_view::npos) return {"", std::string(line)};
    return {std::string(line.substr(0, bar)), std::string(line.substr(bar + 1))};
}

std::string_view RecipientPart(std::string_view line, bool name) {
    const std::size_t bar = line.find('|');
    if (bar == std::string_view::npos) return name ? std::string_view() : line;
    return name ? line.substr(0, bar) : line.substr(bar + 1);
}

std::vector<std::string> ReadRecipientFile(const std::string& path) {
    std::vector<std::string> lines;
    // Non-blocking open: a FIFO at the path must not hang the dialog.
    Fd fd(::open(win::Cp1252ToUtf8(path).c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    struct stat st {};
    if (fd.get() < 0 || ::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode)) return lines;
    std::string line;
    bool inLine = false;  // characters seen since the last line end
    char buf[65536];
    for (;;) {
        const ssize_t n = ::read(fd.get(), buf, sizeof buf);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        for (ssize_t i = 0; i < n; ++i) {
            const char c = buf[i];
            if (c == '\n') {
                if (!line.empty() && line.back() == '\r') line.pop_back();
                lines.push_back(std::move(line));
                line.clear();
                inLine = false;
                continue;
            }
            inLine = true;
            // One more than the limit is kept so a CR that ends the line can be told apart.
            if (line.size() <= kMaxRecipientLine) line.push_back(c);
        }
    }
    if (inLine) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(std::move(line));
    }
    for (std::string& l : lines)
        if (l.size() > kMaxRecipientLine) l.resize(kMaxRecipientLine);
    return lines;
}

bool WriteRecipientFile(const std::string& path, const std::vector<std::string>& lines) {
    const std::string target = TargetOf(win::Cp1252ToUtf8(path));
    std::string temp = target + ".XXXXXX";
    Fd fd(::mkostemp(temp.data(), O_CLOEXEC));
    if (fd.get() < 0) return false;
    struct stat old {};
    const mode_t mode = ::stat(target.c_str(), &old) == 0 ? (old.st_mode & 07777) : NewFileMode();
    std::string data;
    for (const std::string& l : lines) data.append(l).append("\r\n");
    bool ok = ::fchmod(fd.get(), mode) == 0 && WriteAll(fd.get(), data) && ::fsync(fd.get()) == 0;
    ok = ::close(fd.release()) == 0 && ok;
    ok = ok && ::rename(temp.c_str(), target.c_str()) == 0;
    if (!ok) ::unlink(temp.c_str());
    return ok;
}

}  // namespace tessaro::mail
