#include "platform/held_input_record.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sstream>

#include "platform/file_io.h"
#include "platform/paths.h"

namespace win {
namespace {

constexpr std::string_view kHeader = "tessaro held input 1";
// Far beyond any real record; a larger file is damaged.
constexpr off_t kMaxRecordBytes = 64 * 1024;

std::string ReadAll(int fd) {
    std::string text;
    char buffer[4096];
    for (off_t at = 0; at < kMaxRecordBytes;) {
        const ssize_t n = ::pread(fd, buffer, sizeof buffer, at);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        text.append(buffer, static_cast<std::size_t>(n));
        at += n;
    }
    return text;
}

// The record this process holds, as far as its end needs it. A lost display ends the program
// through exit() (Xlib's and Qt's handlers both call it), past the record's destructor: a
// record that lists nothing to undo is removed then as well, and one that does stays for
// the next start.
struct RecordAtExit {
    std::string path;
    pid_t owner = 0;  // 0: none held
    bool empty = true;
};

RecordAtExit& HeldRecord() {
    static RecordAtExit record;
    return record;
}

void RemoveEmptyRecordAtExit() {
    const RecordAtExit& record = HeldRecord();
    // A forked child that exits holds no record of its own.
    if (record.owner == ::getpid() && record.empty) ::unlink(record.path.c_str());
}

}  // namespace

std::string FormatHeldInput(const HeldInput& held) {
    std::ostringstream out;
    out << kHeader << "\ndisplay " << held.display << "\n";
    for (unsigned code : held.keys) out << "key " << code << "\n";
    for (unsigned button : held.buttons) out << "button " << button << "\n";
    for (const auto& [code, remap] : held.remaps) {
        out << "remap " << code << " " << remap.now;
        for (unsigned long sym : remap.before) out << " " << sym;
        out << "\n";
    }
    if (!held.locks.empty())
        out << "locks " << held.locks.group << " " << held.locks.group_before << " " << held.locks.on << " "
            << held.locks.off << "\n";
    // Bytes after the end line are ignored: a shorter record is written over a longer one
    // before the file is cut.
    out << "end\n";
    return out.str();
}

std::optional<HeldInput> ParseHeldInput(std::string_view text) {
    std::istringstream in{std::string(text)};
    std::string line;
    if (!std::getline(in, line) || line != kHeader) return std::nullopt;
    HeldInput held;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        std::string kind;
        fields >> kind;
        if (kind == "end") return held;
        if (kind == "display") {
            fields >> std::ws;
            std::getline(fields, held.display);
            continue;
        }
        if (kind == "locks") {
            HeldInput::Locks& l = held.locks;
            if (!(fields >> l.group >> l.group_before >> l.on >> l.off) || l.group < -1 || l.group > 3 ||
                l.group_before < 0 || l.group_before > 3 || l.on > 255 || l.off > 255)
                return std::nullopt;
            if (!fields.eof()) return std::nullopt;
            continue;
        }
        unsigned code = 0;
        if (!(fields >> code) || code > 255) return std::nullopt;
        if (kind == "key") {
            held.keys.insert(code);
        } else if (kind == "button") {
            held.buttons.insert(code);
        } else if (kind == "remap") {
            HeldInput::Remap remap;
            if (!(fields >> remap.now)) return std::nullopt;
            for (unsigned long sym = 0; fields >> sym;) remap.before.push_back(sym);
            if (remap.before.empty()) return std::nullopt;
            held.remaps[code] = remap;
        } else {
            return std::nullopt;
        }
        if (!fields.eof()) return std::nullopt;
    }
    return std::nullopt;  // cut short
}

std::string HeldInputRecordPath() {
    const auto dir = RuntimeDirectory();
    return dir ? JoinPath(*dir, NamespacedName("held-input")) : std::string();
}

std::unique_ptr<HeldInputRecord> HeldInputRecord::Claim(HeldInput& leftover) {
    leftover = {};
    const std::string path = HeldInputRecordPath();
    if (path.empty()) return nullptr;
    std::string problem;
    UniqueFd file = OpenPrivateFile(path, O_RDWR | O_CREAT, &problem);
    // What the player holds down is nobody else's business: not even readable by others.
    if (file.valid()) problem = PrivateFileProblem(file.get());
    if (!problem.empty()) file = UniqueFd();
    if (!file.valid()) {
        std::fprintf(stderr, "tessaro: keys held by the player are not recorded: %s\n",
                     problem.empty() ? std::strerror(errno) : problem.c_str());
        return nullptr;
    }
    struct stat st {};
    if (::fstat(file.get(), &st) != 0 || st.st_size > kMaxRecordBytes) {
        std::fprintf(stderr, "tessaro: %s is too large for a record of held keys; keys are not recorded\n",
                     path.c_str());
        return nullptr;
    }
    const int fd = file.release();
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return nullptr;
    }
    std::unique_ptr<HeldInputRecord> record(new HeldInputRecord(fd, path));
    // A damaged record is dropped: nothing in it could be trusted.
    if (auto held = ParseHeldInput(ReadAll(fd))) leftover = *held;
    record->empty_ = leftover.empty();
    // Made before the handler is registered, so that it outlives the handler's run.
    RecordAtExit& atExit = HeldRecord();
    static const bool removedAtExit = std::atexit(RemoveEmptyRecordAtExit) == 0;
    if (removedAtExit) atExit = {path, ::getpid(), record->empty_};
    return record;
}

HeldInputRecord::~HeldInputRecord() {
    HeldRecord().owner = 0;
    if (empty_) ::unlink(path_.c_str());
    ::close(fd_);
}

bool HeldInputRecord::Write(const HeldInput& held) {
    const std::string text = FormatHeldInput(held);
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = ::pwrite(fd_, text.data() + done, text.size() - done, static_cast<off_t>(done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<std::size_t>(n);
    }
    if (::ftruncate(fd_, static_cast<off_t>(text.size())) != 0) return false;
    empty_ = held.empty();
    HeldRecord().empty = empty_;
    return true;
}

}  // namespace win
