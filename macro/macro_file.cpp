#include "macro/macro_file.h"

#include "platform/file_io.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstddef>
#include <cstring>
#include <optional>
#include <utility>

namespace tessaro {

namespace {

constexpr off_t kRec = static_cast<off_t>(kMacroRecordSize);

MacroFileStatus Fail(MacroFileStatus::Code code, int err = errno) { return {code, err}; }

MacroFileStatus OpenFailure() {
    return Fail(errno == ENOENT ? MacroFileStatus::NotFound : MacroFileStatus::OpenFailed);
}

// Only a regular file can be a macro file (error 0 for anything else).
win::UniqueFd OpenMacroFile(const std::string& path, int flags) { return win::OpenRegularFile(path, flags); }

bool FileSize(int fd, off_t& size) {
    struct stat st {};
    if (::fstat(fd, &st) != 0) return false;
    size = st.st_size;
    return true;
}

// Every process that writes a macro file holds its exclusive lock for the moment of the
// write, and readers a shared one, so nobody sees or moves another's half-written record.
struct LockedFile {
    win::UniqueFd fd;
    std::optional<win::FileLock> lock;
    off_t size = 0;
    int count() const { return static_cast<int>(size / kRec); }
};

// Opens and locks (LOCK_SH or LOCK_EX); the size is read once the lock is held.
MacroFileStatus OpenLocked(const std::string& path, int flags, int how, LockedFile& file) {
    file.fd = OpenMacroFile(path, flags);
    if (!file.fd.valid()) return OpenFailure();
    file.lock.emplace(file.fd.get(), how);
    if (!FileSize(file.fd.get(), file.size)) return Fail(MacroFileStatus::OpenFailed);
    return {};
}

// Appends at record `index` (= count + 1) of a file locked exclusively. Bytes of a partial
// record after the last whole one cannot be another writer's (it would hold the lock), so
// they are damage: they are kept, behind the new record.
MacroFileStatus AppendLocked(LockedFile& file, const TMacroRecord& rec) {
    const off_t at = file.count() * kRec;
    if (file.size > at) {
        std::vector<char> tail(static_cast<std::size_t>(file.size - at));
        if (!win::ReadFullAt(file.fd.get(), tail.data(), tail.size(), at) ||
            !win::WriteFullAt(file.fd.get(), tail.data(), tail.size(), at + kRec))
            return Fail(MacroFileStatus::IoError);
    }
    if (!win::WriteFullAt(file.fd.get(), &rec, sizeof rec, at)) return Fail(MacroFileStatus::IoError);
    file.size += kRec;
    return {};
}

// Moves the bytes [from, size) to start at `to` (to < from) and cuts the file there.
bool ShiftDown(int fd, off_t from, off_t to, off_t size) {
    std::vector<char> rest(static_cast<std::size_t>(size - from));
    if (!rest.empty() && !win::ReadFullAt(fd, rest.data(), rest.size(), from)) return false;
    if (!rest.empty() && !win::WriteFullAt(fd, rest.data(), rest.size(), to)) return false;
    return ::ftruncate(fd, to + static_cast<off_t>(rest.size())) == 0;
}

}  // namespace

std::string MacroFileStatus::Describe(const std::string& path) const {
    switch (code) {
        case Ok: return {};
        case NotFound: return "The macro file " + path + " does not exist.";
        case OpenFailed:
            return "The macro file " + path + " could not be opened: " +
                   (error == 0 ? std::string("it is not a regular file.") : std::strerror(error));
        case IoError: return "Input/output error on the macro file " + path + ": " + std::strerror(error);
        case BadIndex: return "The macro file " + path + " has no such macro.";
    }
    return {};
}

int CountMacroRecords(const std::string& path) {
    LockedFile file;
    if (!OpenLocked(path, O_RDONLY, LOCK_SH, file).ok()) return -1;
    return file.count();
}

namespace {

MacroFileStatus ReadLocked(const LockedFile& file, std::size_t maxRecords, std::vector<TMacroRecord>& out,
                           MacroFileExtent* extent) {
    const auto total = static_cast<std::size_t>(file.count());
    if (extent) *extent = {total, static_cast<std::size_t>(file.size % kRec)};
    std::vector<TMacroRecord> records(std::min(total, maxRecords));
    if (!records.empty() &&
        !win::ReadFullAt(file.fd.get(), records.data(), records.size() * kMacroRecordSize, 0))
        return Fail(MacroFileStatus::IoError);
    out = std::move(records);
    return {};
}

}  // namespace

MacroFileStatus ReadMacroRecords(const std::string& path, std::size_t maxRecords,
                                 std::vector<TMacroRecord>& out, MacroFileExtent* extent) {
    LockedFile file;
    if (auto st = OpenLocked(path, O_RDONLY, LOCK_SH, file); !st.ok()) return st;
    return ReadLocked(file, maxRecords, out, extent);
}

MacroFileStatus ReadMacroRecordAt(const std::string& path, int index, TMacroRecord& out) {
    LockedFile file;
    if (auto st = OpenLocked(path, O_RDONLY, LOCK_SH, file); !st.ok()) return st;
    if (index < 1 || index > file.count()) return Fail(MacroFileStatus::BadIndex, 0);
    TMacroRecord rec;
    if (!win::ReadFullAt(file.fd.get(), &rec, sizeof rec, (index - 1) * kRec))
        return Fail(MacroFileStatus::IoError);
    out = rec;
    return {};
}

MacroFileStatus WriteMacroRecordAt(const std::string& path, int index, const TMacroRecord& rec) {
    LockedFile file;
    if (auto st = OpenLocked(path, O_RDWR, LOCK_EX, file); !st.ok()) return st;
    const int count = file.count();
    if (index == -1) index = count + 1;
    if (index < 1 || index > count + 1) return Fail(MacroFileStatus::BadIndex, 0);

    TMacroRecord copy = rec;
    std::memset(copy.Reserved5151, 0, sizeof copy.Reserved5151);
    if (index == count + 1) return AppendLocked(file, copy);
    if (!win::WriteFullAt(file.fd.get(), &copy, sizeof copy, (index - 1) * kRec))
        return Fail(MacroFileStatus::IoError);
    return {};
}

MacroFileStatus AppendMissingRecords(const std::string& path, std::size_t maxRecords,
                                     const MissingRecords& missing, std::vector<TMacroRecord>& out,
                                     int& appended) {
    appended = 0;
    LockedFile file;
    if (auto st = OpenLocked(path, O_RDWR, LOCK_EX, file); !st.ok()) return st;
    std::vector<TMacroRecord> records;
    if (auto st = ReadLocked(file, maxRecords, records, nullptr); !st.ok()) return st;
    MacroFileStatus st;
    for (TMacroRecord rec : missing(records)) {
        std::memset(rec.Reserved5151, 0, sizeof rec.Reserved5151);
        if (st = AppendLocked(file, rec); !st.ok()) break;
        ++appended;
        if (records.size() < maxRecords) records.push_back(rec);
    }
    out = std::move(records);
    return st;
}

MacroFileStatus DeleteMacroRecordAt(const std::string& path, int index) {
    LockedFile file;
    if (auto st = OpenLocked(path, O_RDWR, LOCK_EX, file); !st.ok()) return st;
    if (index < 1 || index > file.count()) return Fail(MacroFileStatus::BadIndex, 0);
    if (!ShiftDown(file.fd.get(), index * kRec, (index - 1) * kRec, file.size))
        return Fail(MacroFileStatus::IoError);
    return {};
}

MacroFileStatus SetMacroEnabledAt(const std::string& path, int index, bool enabled) {
    LockedFile file;
    if (auto st = OpenLocked(path, O_RDWR, LOCK_EX, file); !st.ok()) return st;
    if (index < 1 || index > file.count()) return Fail(MacroFileStatus::BadIndex, 0);
    const std::uint8_t flag = enabled ? 1 : 0;
    if (!win::WriteFullAt(file.fd.get(), &flag, 1, (index - 1) * kRec + offsetof(TMacroRecord, Enabled)))
        return Fail(MacroFileStatus::IoError);
    return {};
}

MacroFileStatus CreateEmptyMacroFile(const std::string& path) {
    win::UniqueFd fd = win::OpenRegularFile(path, O_WRONLY | O_CREAT | O_EXCL, 0644);
    if (!fd.valid()) return Fail(MacroFileStatus::OpenFailed);
    return {};
}

}  // namespace tessaro
