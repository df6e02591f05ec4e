#include "platform/profile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <optional>

#include "platform/cp1252.h"
#include "platform/file_io.h"
#include "platform/paths.h"

namespace win {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    return s;
}

char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
    return true;
}

bool HasLineBreak(std::string_view s) { return s.find_first_of("\r\n") != std::string_view::npos; }

// One line of the file as read; writes re-emit untouched lines byte for byte.
struct Line {
    enum Kind { Other, Section, Key } kind = Other;  // Other: blank, comment or damaged
    bool damagedHeader = false;                      // "[" without "]": the keys below belong to no section
    std::string raw;
    std::string name;   // section or key name, trimmed
    std::string value;  // key lines: the value, trimmed
};

Line ParseLine(std::string raw, bool first) {
    Line line;
    std::string_view text(raw);
    if (first && text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);  // hand-edited file
    text = Trim(text);
    if (!text.empty() && text.front() == '[') {
        const auto close = text.find(']');
        if (close != std::string_view::npos) {
            line.kind = Line::Section;
            line.name = std::string(Trim(text.substr(1, close - 1)));
        } else {
            line.kind = Line::Section;
            line.damagedHeader = true;
        }
    } else if (!text.empty() && text.front() != ';') {
        const auto eq = text.find('=');
        const std::string_view key =
            eq == std::string_view::npos ? std::string_view() : Trim(text.substr(0, eq));
        if (!key.empty()) {
            line.kind = Line::Key;
            line.name = std::string(key);
            line.value = std::string(Trim(text.substr(eq + 1)));
        }
    }
    line.raw = std::move(raw);
    return line;
}

class Document {
public:
    explicit Document(const std::string& content) {
        std::size_t start = 0;
        while (start < content.size()) {
            auto end = content.find('\n', start);
            if (end == std::string::npos) end = content.size();
            std::string raw = content.substr(start, end - start);
            if (!raw.empty() && raw.back() == '\r') raw.pop_back();
            lines_.push_back(ParseLine(std::move(raw), lines_.empty()));
            start = end + 1;
        }
    }

    const Line* Find(std::string_view section, std::string_view key) const {
        const auto i = FindKey(section, key);
        return i ? &lines_[*i] : nullptr;
    }

    void Set(std::string_view section, std::string_view key, std::string_view value) {
        if (auto i = FindKey(section, key)) {
            Line& l = lines_[*i];
            l.value = std::string(Trim(value));
            l.raw = l.name + "=" + std::string(value);
            return;
        }
        Line added = ParseLine(std::string(Trim(key)) + "=" + std::string(value), false);
        for (std::size_t i = 0; i < lines_.size(); ++i) {
            if (!IsHeaderOf(lines_[i], section)) continue;
            // After the last non-blank line of the section, before the blanks that part it
            // from the next one.
            std::size_t insertAt = i + 1;
            for (std::size_t j = i + 1; j < lines_.size() && lines_[j].kind != Line::Section; ++j)
                if (!Trim(lines_[j].raw).empty()) insertAt = j + 1;
            lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insertAt), std::move(added));
            return;
        }
        if (!lines_.empty() && !Trim(lines_.back().raw).empty()) lines_.push_back(ParseLine("", false));
        lines_.push_back(ParseLine("[" + std::string(Trim(section)) + "]", false));
        lines_.push_back(std::move(added));
    }

    std::string Text() const {
        std::string out;
        for (const Line& l : lines_) {
            out += l.raw;
            out += "\r\n";
        }
        return out;
    }

private:
    static bool IsHeaderOf(const Line& l, std::string_view section) {
        return l.kind == Line::Section && !l.damagedHeader && SameName(l.name, Trim(section));
    }

    // Every part of the file headed by the section counts; the first matching key wins.
    std::optional<std::size_t> FindKey(std::string_view section, std::string_view key) const {
        bool inSection = false;
        const std::string_view k = Trim(key);
        for (std::size_t i = 0; i < lines_.size(); ++i) {
            const Line& l = lines_[i];
            if (l.kind == Line::Section)
                inSection = IsHeaderOf(l, section);
            else if (inSection && l.kind == Line::Key && SameName(l.name, k))
                return i;
        }
        return std::nullopt;
    }

    std::vector<Line> lines_;
};

enum class ReadResult { Ok, Missing, Failed };

ReadResult ReadFile(const std::string& path, std::string& out) {
    out.clear();
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return errno == ENOENT ? ReadResult::Missing : ReadResult::Failed;
    char buf[8192];
    for (;;) {
        const ssize_t n = ::read(fd, buf, sizeof buf);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            ::close(fd);
            return ReadResult::Failed;
        }
        if (n == 0) break;
        out.append(buf, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return ReadResult::Ok;
}

std::string Directory(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? std::string("/") : path.substr(0, slash);
}

// A crash or a full disk mid-write must never leave half a settings file: write a
// temporary file beside it, flush it, then rename it over the old one.
bool ReplaceFile(const std::string& path, const std::string& content) {
    const std::string dir = Directory(path);
    if (!EnsureDirectory(dir)) return false;
    mode_t mode = 0644;
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0) mode = st.st_mode & 07777;
    std::string tmp = path + ".XXXXXX";
    const int fd = ::mkstemp(tmp.data());
    if (fd < 0) return false;
    bool ok =
        WriteFullAt(fd, content.data(), content.size(), 0) && ::fchmod(fd, mode) == 0 && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    if (ok) ok = ::rename(tmp.c_str(), path.c_str()) == 0;
    if (!ok) {
        ::unlink(tmp.c_str());
        return false;
    }
    if (const int dfd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); dfd >= 0) {
        ::fsync(dfd);
        ::close(dfd);
    }
    return true;
}

// The file a write replaces: a symlinked file stays a symlink.
std::string ResolvedPath(const std::string& path) {
    char* real = ::realpath(path.c_str(), nullptr);
    if (!real) return path;
    std::string resolved = real;
    std::free(real);
    return resolved;
}

// Both programs write the same file; the lock on its folder keeps one program's
// read-modify-write from dropping the keys the other just wrote.
class FolderLock {
public:
    explicit FolderLock(const std::string& dir)
        : fd_(::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {
        if (fd_ >= 0)
            while (::flock(fd_, LOCK_EX) != 0 && errno == EINTR) {
            }
    }
    ~FolderLock() {
        if (fd_ >= 0) ::close(fd_);  // closing releases the lock
    }
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

private:
    int fd_;
};

bool Storable(std::string_view section, std::string_view key, std::string_view value) {
    const std::string_view k = Trim(key);
    return !HasLineBreak(section) && section.find(']') == std::string_view::npos && !k.empty() &&
           !HasLineBreak(key) && key.find('=') == std::string_view::npos && k.front() != '[' &&
           k.front() != ';' && !HasLineBreak(value);
}

}  // namespace

int LeadingInteger(std::string_view s, bool dollarHex) {
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    bool negative = false;
    if (!s.empty() && (s.front() == '-' || s.front() == '+')) {
        negative = s.front() == '-';
        s.remove_prefix(1);
    }
    int base = 10;
    if (dollarHex && !s.empty() && s.front() == '$') {
        base = 16;
        s.remove_prefix(1);
    } else if (s.size() >= 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
        base = 16;
        s.remove_prefix(2);
    }
    const std::int64_t limit = negative ? std::int64_t{INT_MAX} + 1 : INT_MAX;
    std::int64_t v = 0;
    for (char c : s) {
        int d;
        if (c >= '0' && c <= '9')
            d = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f')
            d = c - 'a' + 10;
        else if (base == 16 && c >= 'A' && c <= 'F')
            d = c - 'A' + 10;
        else
            break;
        if (v * base + d > limit) break;  // a digit that would overflow counts as bad
        v = v * base + d;
    }
    return static_cast<int>(negative ? -v : v);
}

std::string ProfilePath(std::string_view file) {
    std::string name = Cp1252ToUtf8(file);
    if (name.find('/') != std::string::npos) return name;
    return JoinPath(WindowsDirectory(), name);
}

std::string GetPrivateProfileString(std::string_view section, std::string_view key, std::string_view def,
                                    int size, std::string_view file) {
    if (size <= 0) return {};
    std::string result;
    std::string content;
    const Line* found = nullptr;
    std::optional<Document> doc;
    if (ReadFile(ProfilePath(file), content) == ReadResult::Ok) {
        doc.emplace(content);
        found = doc->Find(section, key);
    }
    if (found) {
        result = found->value;
    } else {
        result = std::string(def);
        while (!result.empty() && result.back() == ' ') result.pop_back();
    }
    if (result.size() > static_cast<std::size_t>(size - 1)) result.resize(static_cast<std::size_t>(size - 1));
    return result;
}

int GetPrivateProfileInt(std::string_view section, std::string_view key, int def, std::string_view file) {
    std::string content;
    if (ReadFile(ProfilePath(file), content) != ReadResult::Ok) return def;
    Document doc(content);
    const Line* l = doc.Find(section, key);
    if (!l) return def;
    return LeadingInteger(l->value);
}

bool WritePrivateProfileStrings(std::string_view section,
                                const std::vector<std::pair<std::string, std::string>>& entries,
                                std::string_view file) {
    for (const auto& [key, value] : entries)
        if (!Storable(section, key, value)) return false;
    const std::string path = ResolvedPath(ProfilePath(file));
    EnsureDirectory(Directory(path));
    const FolderLock lock(Directory(path));
    std::string content;
    const ReadResult read = ReadFile(path, content);
    if (read == ReadResult::Failed) return false;  // never overwrite what we could not read
    Document doc(content);
    for (const auto& [key, value] : entries) doc.Set(section, key, value);
    const std::string text = doc.Text();
    if (read == ReadResult::Ok && text == content) return true;
    return ReplaceFile(path, text);
}

bool WritePrivateProfileString(std::string_view section, std::string_view key, std::string_view value,
                               std::string_view file) {
    return WritePrivateProfileStrings(section, {{std::string(key), std::string(value)}}, file);
}

}  // namespace win
