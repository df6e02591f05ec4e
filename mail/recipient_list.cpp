#include "mail/recipient_list.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

#include "platform/cp1252.h"
#include "platform/file_io.h"

namespace tessaro::mail {

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
    // A FIFO at the path must not hang the dialog.
    const win::UniqueFd fd = win::OpenRegularFile(win::Cp1252ToUtf8(path), O_RDONLY);
    if (!fd.valid()) return lines;
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
            line.push_back(c);
        }
    }
    if (inLine) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(std::move(line));
    }
    return lines;
}

bool WriteRecipientFile(const std::string& path, const std::vector<std::string>& lines) {
    // Lines are read whole, so an unchanged line is the stored line itself.
    std::string why;
    return win::ReplaceTextFileLines(win::Cp1252ToUtf8(path), lines, "\r\n", {}, why);
}

}  // namespace tessaro::mail
