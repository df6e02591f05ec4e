#include "macro/macro_file.h"

#include "platform/cp1252.h"
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

MacroFileStatus Fail(MacroFileStatus::Code code, int err = errno) { return {code, err, {}}; }

MacroFileStatus OpenFailure(std::string why) {
    MacroFileStatus st = Fail(errno == ENOENT ? MacroFileStatus::NotFound : MacroFileStatus::OpenFailed);
    if (st.error == 0 || st.error == EWOULDBLOCK) st.why = std::move(why);
    return st;
}

// Every process that writes a macro file holds its exclusive lock for the moment of the
// write, and readers a shared one, so nobody sees or moves another's half-written record.
// Only a regular file can be a macro file (error 0 for anything else).
struct LockedFile {
    std::string path;
    win::LockedRegularFile file;
    off_t size = 0;
    int count() const { return static_cast<int>(size / kRec); }
};

// Opens and locks (LOCK_SH or LOCK_EX); the size is read once the lock is held.
MacroFileStatus OpenLocked(const std::string& path, int flags, int how, LockedFile& file) {
    std::string why;
    if (!file.file.Open(path, flags, how, &why)) return OpenFailure(std::move(why));
    file.path = path;
    file.size = file.file.size();
    return {};
}

MacroFileStatus ReadAll(const LockedFile& file, std::string& bytes) {
    bytes.resize(static_cast<std::size_t>(file.size));
    if (!bytes.empty() && !win::ReadFullAt(file.file.fd(), bytes.data(), bytes.size(), 0))
        return Fail(MacroFileStatus::IoError);
    return {};
}

// Puts `bytes` in place of the whole file: they are written to a new file beside it that
// then takes its name, so a kill or a full disk at any moment leaves the old file or the
// new one, never a mix. Readers that have the old file open keep reading it whole.
MacroFileStatus Replace(LockedFile& file, const std::string& bytes) {
    std::string why;
    if (!win::ReplaceRegularFile(file.path, bytes, why))
        return Fail(MacroFileStatus::IoError, errno != 0 ? errno : EIO);
    file.size = static_cast<off_t>(bytes.size());
    return {};
}

// Inserts a record at record `index` (= count + 1) of the file's bytes. Bytes of a partial
// record after the last whole one cannot be another writer's (it would hold the lock), so
// they are damage: they are kept, behind the new record.
void AppendTo(std::string& bytes, const TMacroRecord& rec) {
    const std::size_t at = bytes.size() / kMacroRecordSize * kMacroRecordSize;
    bytes.insert(at, reinterpret_cast<const char*>(&rec), sizeof rec);
}

}  // namespace

std::string MacroFileStatus::Describe(const std::string& osPath) const {
    const std::string path = win::OsToCp1252(osPath);
    switch (code) {
        case Ok: return {};
        case NotFound: return "The macro file " + path + " does not exist.";
        case OpenFailed:
            return "The macro file " + path + " could not be opened: " +
                   (!why.empty() ? why + "."
                    : error == 0 ? std::string("it is not a regular file.")
                                 : win::ErrorText(error));
        case IoError: return "Input/output error on the macro file " + path + ": " + win::ErrorText(error);
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
        !win::ReadFullAt(file.file.fd(), records.data(), records.size() * kMacroRecordSize, 0))
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
    if (!win::ReadFullAt(file.file.fd(), &rec, sizeof rec, (index - 1) * kRec))
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
    std::string bytes;
    if (auto st = ReadAll(file, bytes); !st.ok()) return st;
    if (index == count + 1)
        AppendTo(bytes, copy);
    else
        std::memcpy(bytes.data() + (index - 1) * kMacroRecordSize, &copy, sizeof copy);
    return Replace(file, bytes);
}

MacroFileStatus AppendMissingRecords(const std::string& path, std::size_t maxRecords,
                                     const MissingRecords& missing, std::vector<TMacroRecord>& out,
                                     int& appended) {
    appended = 0;
    LockedFile file;
    if (auto st = OpenLocked(path, O_RDWR, LOCK_EX, file); !st.ok()) return st;
    std::vector<TMacroRecord> records;
    if (auto st = ReadLocked(file, maxRecords, records, nullptr); !st.ok()) return st;
    std::vector<TMacroRecord> added = missing(records);
    if (!added.empty()) {
        std::string bytes;
        if (auto st = ReadAll(file, bytes); !st.ok()) return st;
        for (TMacroRecord& rec : added) {
            std::memset(rec.Reserved5151, 0, sizeof rec.Reserved5151);
            AppendTo(bytes, rec);
        }
        // All of them or none: a failure leaves the file as it was.
        if (auto st = Replace(file, bytes); !st.ok()) {
            out = std::move(records);
            return st;
        }
    }
    appended = static_cast<int>(added.size());
    for (const TMacroRecord& rec : added)
        if (records.size() < maxRecords) records.push_back(rec);
    out = std::move(records);
    return {};
}

MacroFileStatus DeleteMacroRecordAt(const std::string& path, int index) {
    LockedFile file;
    if (auto st = OpenLocked(path, O_RDWR, LOCK_EX, file); !st.ok()) return st;
    if (index < 1 || index > file.count()) return Fail(MacroFileStatus::BadIndex, 0);
    std::string bytes;
    if (auto st = ReadAll(file, bytes); !st.ok()) return st;
    bytes.erase(static_cast<std::size_t>(index - 1) * kMacroRecordSize, kMacroRecordSize);
    return Replace(file, bytes);
}

MacroFileStatus SetMacroEnabledAt(const std::string& path, int index, bool enabled) {
    LockedFile file;
    if (auto st = OpenLocked(path, O_RDWR, LOCK_EX, file); !st.ok()) return st;
    if (index < 1 || index > file.count()) return Fail(MacroFileStatus::BadIndex, 0);
    std::string bytes;
    if (auto st = ReadAll(file, bytes); !st.ok()) return st;
    const std::size_t at =
        static_cast<std::size_t>(index - 1) * kMacroRecordSize + offsetof(TMacroRecord, Enabled);
    const char flag = enabled ? 1 : 0;
    if (bytes[at] == flag) return {};
    bytes[at] = flag;
    return Replace(file, bytes);
}

MacroFileStatus CreateEmptyMacroFile(const std::string& path) {
    // The user's own unless it is made in a folder others share.
    const std::size_t slash = path.rfind('/');
    const bool shared = win::OthersMayWrite(
        slash == std::string::npos ? "." : path.substr(0, std::max<std::size_t>(slash, 1)));
    std::string why;
    win::UniqueFd fd = win::OpenRegularFile(path, O_WRONLY | O_CREAT | O_EXCL, shared ? 0666 : 0600, &why);
    if (!fd.valid()) return OpenFailure(std::move(why));
    return {};
}

}  // namespace tessaro
