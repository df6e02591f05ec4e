#include "platform/profile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <mutex>
#include <optional>
#include <unordered_map>

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
    std::string name;    // section or key name, trimmed
    std::string value;   // key lines: the value, trimmed
    std::string ending;  // "\r\n", "\n", or "" for a last line without one
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

// Calls fn(line, isFirst, ending) for each line of the text: the line without its CR LF or
// LF, and that ending ("" for a last line without one).
template <typename Fn>
void ForEachLine(const std::string& content, Fn fn) {
    std::size_t start = 0;
    while (start < content.size()) {
        auto end = content.find('\n', start);
        std::string_view ending = end == std::string::npos ? "" : "\n";
        if (end == std::string::npos) end = content.size();
        std::string raw = content.substr(start, end - start);
        if (!ending.empty() && !raw.empty() && raw.back() == '\r') {
            raw.pop_back();
            ending = "\r\n";
        }
        fn(std::move(raw), start == 0, ending);
        start = end + 1;
    }
}

// The look-up key of [section] key: both names trimmed and lower-cased, joined by a
// character no name read from a line can hold.
std::string Slot(std::string_view section, std::string_view key) {
    std::string slot;
    for (char c : Trim(section)) slot += AsciiLower(c);
    slot += '\n';
    for (char c : Trim(key)) slot += AsciiLower(c);
    return slot;
}

// Every value of the text by Slot: keys under a damaged header or before the first section
// belong to none, and the first occurrence of a key in its section wins, whichever part of
// the file headed by that section holds it.
std::unordered_map<std::string, std::string> ValuesOf(const std::string& content) {
    std::unordered_map<std::string, std::string> values;
    std::optional<std::string> section;
    ForEachLine(content, [&](std::string raw, bool first, std::string_view) {
        Line l = ParseLine(std::move(raw), first);
        if (l.kind == Line::Section)
            section = l.damagedHeader ? std::nullopt : std::optional(std::move(l.name));
        else if (section && l.kind == Line::Key)
            values.try_emplace(Slot(*section, l.name), std::move(l.value));
    });
    return values;
}

class Document {
public:
    // A file edited by hand keeps its bytes: every line its own ending, and the lines added
    // take the file's (the first line's; CR LF in a new file).
    explicit Document(const std::string& content) {
        ForEachLine(content, [this](std::string raw, bool first, std::string_view ending) {
            lines_.push_back(ParseLine(std::move(raw), first));
            lines_.back().ending = std::string(ending);
            if (first && !ending.empty()) lineEnd_ = std::string(ending);
        });
    }

    // With `ifAbsent`, a key the section holds already stays as it is.
    void Set(std::string_view section, std::string_view key, std::string_view value, bool ifAbsent = false) {
        if (auto i = FindKey(section, key)) {
            Line& l = lines_[*i];
            // An unchanged value keeps its line byte for byte, blanks and spelling included.
            if (ifAbsent || l.value == Trim(value)) return;
            l.value = std::string(Trim(value));
            l.raw = l.name + "=" + std::string(value);
            return;
        }
        Line added = NewLine(std::string(Trim(key)) + "=" + std::string(value));
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
        if (!lines_.empty() && !Trim(lines_.back().raw).empty()) lines_.push_back(NewLine(""));
        lines_.push_back(NewLine("[" + std::string(Trim(section)) + "]"));
        lines_.push_back(std::move(added));
    }

    std::string Text() const {
        std::string out;
        for (std::size_t i = 0; i < lines_.size(); ++i) {
            out += lines_[i].raw;
            // A last line without an ending gets one once something follows it.
            out += lines_[i].ending.empty() && i + 1 < lines_.size() ? lineEnd_ : lines_[i].ending;
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

    Line NewLine(std::string raw) const {
        Line l = ParseLine(std::move(raw), false);
        l.ending = lineEnd_;
        return l;
    }

    std::vector<Line> lines_;
    std::string lineEnd_ = "\r\n";
};

enum class ReadResult { Ok, Missing, Failed };

// Reads a whole regular file (never waiting on a FIFO or a device in its place).
// The open descriptor and its status are handed out when asked for; why it failed, too.
ReadResult ReadFile(const std::string& path, std::string& out, UniqueFd* keep = nullptr,
                    struct stat* status = nullptr, std::string* why = nullptr) {
    out.clear();
    UniqueFd fd = OpenRegularFile(path, O_RDONLY, 0644, why);
    if (!fd.valid()) return errno == ENOENT ? ReadResult::Missing : ReadResult::Failed;
    const auto failed = [why] {
        if (why) *why = ErrorText(errno);
        return ReadResult::Failed;
    };
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0) return failed();
    char buf[65536];
    for (;;) {
        const ssize_t n = ::read(fd.get(), buf, sizeof buf);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return failed();
        if (n == 0) break;
        out.append(buf, static_cast<std::size_t>(n));
    }
    if (status) *status = st;
    if (keep) *keep = std::move(fd);
    return ReadResult::Ok;
}

bool SameTime(const timespec& a, const timespec& b) { return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec; }
bool Before(const timespec& a, const timespec& b) {
    return a.tv_sec < b.tv_sec || (a.tv_sec == b.tv_sec && a.tv_nsec < b.tv_nsec);
}

// Same file, same size, not written since: what a re-read would find is what was parsed.
bool Unchanged(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino && a.st_size == b.st_size &&
           SameTime(a.st_mtim, b.st_mtim) && SameTime(a.st_ctim, b.st_ctim);
}

// A program reads dozens of keys of one file in a row (every section at start-up): the
// last file read stays parsed until it changes. It is held open, so that its inode cannot
// pass to a new file that would then look unchanged.
class ParsedFileCache {
public:
    // The value of [section] key: nullopt when the file or the key is missing or the file
    // cannot be read.
    std::optional<std::string> Value(const std::string& path, std::string_view section,
                                     std::string_view key) {
        const std::lock_guard<std::mutex> hold(mutex_);
        struct stat now {};
        if (!parsed_ || !parsed_->trusted || parsed_->path != path || ::stat(path.c_str(), &now) != 0 ||
            !Unchanged(now, parsed_->status)) {
            parsed_.reset();
            Parsed fresh;
            // File times have the clock's coarse steps: a file changed within the step in
            // which it is read could change again with the same times, so it is read afresh
            // until it was last changed before a read began.
            timespec readStart{};
            ::clock_gettime(CLOCK_REALTIME_COARSE, &readStart);
            std::string content;
            if (ReadFile(path, content, &fresh.pin, &fresh.status) != ReadResult::Ok) return std::nullopt;
            fresh.trusted = Before(fresh.status.st_ctim, readStart);
            fresh.path = path;
            fresh.values = ValuesOf(content);
            parsed_ = std::move(fresh);
        }
        const auto found = parsed_->values.find(Slot(section, key));
        if (found == parsed_->values.end()) return std::nullopt;
        return found->second;
    }

    void Forget() {
        const std::lock_guard<std::mutex> hold(mutex_);
        parsed_.reset();
    }

private:
    struct Parsed {
        std::string path;
        UniqueFd pin;
        struct stat status {};
        bool trusted = false;
        std::unordered_map<std::string, std::string> values;
    };
    std::mutex mutex_;
    std::optional<Parsed> parsed_;
};

ParsedFileCache& ParsedFiles() {
    static ParsedFileCache cache;
    return cache;
}

std::string Directory(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? std::string("/") : path.substr(0, slash);
}

// A crash or a full disk mid-write must never leave half a settings file.
bool ReplaceFile(const std::string& path, const std::string& content, std::string& why) {
    if (!EnsureDirectory(Directory(path))) {
        why = std::string("its folder cannot be made: ") + ErrorText(errno);
        return false;
    }
    // The user's own settings, unless they are kept in a folder other users share.
    return ReplaceRegularFile(path, content, why, OthersMayWrite(Directory(path)) ? 0666 : 0600);
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

// A file marked read-only stays so even for the superuser, as a read-only file on the
// other system does; otherwise the kernel's own rule for opening it to write decides.
bool MayWrite(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return false;
    return (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0 &&
           ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) == 0;
}

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
    std::optional<std::string> result = ParsedFiles().Value(ProfilePath(file), section, key);
    if (!result) {
        result = std::string(def);
        while (!result->empty() && result->back() == ' ') result->pop_back();
    }
    if (result->size() > static_cast<std::size_t>(size - 1))
        result->resize(static_cast<std::size_t>(size - 1));
    return *result;
}

int GetPrivateProfileInt(std::string_view section, std::string_view key, int def, std::string_view file) {
    const std::optional<std::string> value = ParsedFiles().Value(ProfilePath(file), section, key);
    return value ? LeadingInteger(*value) : def;
}

std::vector<bool> WritePrivateProfileSections(const std::vector<ProfileSection>& sections,
                                              std::string_view file, std::string* why) {
    std::string reason;
    std::vector<bool> written(sections.size(), false);
    std::vector<bool> storable(sections.size(), true);
    for (std::size_t i = 0; i < sections.size(); ++i)
        for (const ProfileEntry& e : sections[i].entries)
            storable[i] = storable[i] && Storable(sections[i].name, e.key, e.value);
    const auto refused = [&](std::string text) {
        if (why) *why = std::move(text);
        return written;
    };
    if (std::find(storable.begin(), storable.end(), true) == storable.end())
        return refused("a name or value cannot be stored as one line");
    const std::string path = LinkTarget(ProfilePath(file));
    EnsureDirectory(Directory(path));
    const FolderLock lock(Directory(path));
    std::string content;
    const ReadResult read = ReadFile(path, content, nullptr, nullptr, &reason);
    if (read == ReadResult::Failed) return refused(reason);  // never overwrite what we could not read
    // Renaming over a file needs only the folder's permission; the file's own says whether
    // the user lets it change.
    if (read == ReadResult::Ok && !MayWrite(path)) return refused("it is read-only");
    Document doc(content);
    for (std::size_t i = 0; i < sections.size(); ++i)
        if (storable[i])
            for (const ProfileEntry& e : sections[i].entries)
                doc.Set(sections[i].name, e.key, e.value, e.ifAbsent);
    const std::string text = doc.Text();
    if (read != ReadResult::Ok || text != content) {
        ParsedFiles().Forget();
        if (!ReplaceFile(path, text, reason)) return refused(reason);
    }
    if (why && std::find(storable.begin(), storable.end(), false) != storable.end())
        *why = "a name or value cannot be stored as one line";
    return storable;
}

bool WritePrivateProfileStrings(std::string_view section, const std::vector<ProfileEntry>& entries,
                                std::string_view file, std::string* why) {
    return WritePrivateProfileSections({{std::string(section), entries}}, file, why).front();
}

bool WritePrivateProfileString(std::string_view section, std::string_view key, std::string_view value,
                               std::string_view file) {
    return WritePrivateProfileStrings(section, {{std::string(key), std::string(value)}}, file);
}

}  // namespace win
