#include "macro/macro_file.h"

#include "platform/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstddef>
#include <cstring>
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

// Opens read-write and returns the record count and the size of the file.
MacroFileStatus OpenForUpdate(const std::string& path, win::UniqueFd& fd, int& count, off_t& size) {
    fd = OpenMacroFile(path, O_RDWR);
    if (!fd.valid()) return OpenFailure();
    if (!FileSize(fd.get(), size)) return Fail(MacroFileStatus::OpenFailed);
    count = static_cast<int>(size / kRec);
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
    win::UniqueFd fd = OpenMacroFile(path, O_RDONLY);
    off_t size = 0;
    if (!fd.valid() || !FileSize(fd.get(), size)) return -1;
    return static_cast<int>(size / kRec);
}

MacroFileStatus ReadMacroRecords(const std::string& path, std::size_t maxRecords,
                                 std::vector<TMacroRecord>& out, std::size_t* totalRecords) {
    win::UniqueFd fd = OpenMacroFile(path, O_RDONLY);
    if (!fd.valid()) return OpenFailure();
    off_t size = 0;
    if (!FileSize(fd.get(), size)) return Fail(MacroFileStatus::OpenFailed);
    const auto total = static_cast<std::size_t>(size / kRec);
    if (totalRecords) *totalRecords = total;
    std::vector<TMacroRecord> records(std::min(total, maxRecords));
    if (!records.empty() && !win::ReadFullAt(fd.get(), records.data(), records.size() * kMacroRecordSize, 0))
        return Fail(MacroFileStatus::IoError);
    out = std::move(records);
    return {};
}

MacroFileStatus ReadMacroRecordAt(const std::string& path, int index, TMacroRecord& out) {
    win::UniqueFd fd = OpenMacroFile(path, O_RDONLY);
    if (!fd.valid()) return OpenFailure();
    off_t size = 0;
    if (!FileSize(fd.get(), size)) return Fail(MacroFileStatus::OpenFailed);
    if (index < 1 || index > size / kRec) return Fail(MacroFileStatus::BadIndex, 0);
    TMacroRecord rec;
    if (!win::ReadFullAt(fd.get(), &rec, sizeof rec, (index - 1) * kRec))
        return Fail(MacroFileStatus::IoError);
    out = rec;
    return {};
}

MacroFileStatus WriteMacroRecordAt(const std::string& path, int index, const TMacroRecord& rec) {
    win::UniqueFd fd(-1);
    int count = 0;
    off_t size = 0;
    if (auto st = OpenForUpdate(path, fd, count, size); !st.ok()) return st;
    if (index == -1) index = count + 1;
    if (index < 1 || index > count + 1) return Fail(MacroFileStatus::BadIndex, 0);

    TMacroRecord copy = rec;
    std::memset(copy.Reserved5151, 0, sizeof copy.Reserved5151);
    const off_t at = (index - 1) * kRec;
    if (index == count + 1 && size > at) {
        // A partial record trails the file: keep its bytes behind the new record.
        std::vector<char> tail(static_cast<std::size_t>(size - at));
        if (!win::ReadFullAt(fd.get(), tail.data(), tail.size(), at) ||
            !win::WriteFullAt(fd.get(), tail.data(), tail.size(), at + kRec))
            return Fail(MacroFileStatus::IoError);
    }
    if (!win::WriteFullAt(fd.get(), &copy, sizeof copy, at)) return Fail(MacroFileStatus::IoError);
    return {};
}

MacroFileStatus DeleteMacroRecordAt(const std::string& path, int index) {
    win::UniqueFd fd(-1);
    int count = 0;
    off_t size = 0;
    if (auto st = OpenForUpdate(path, fd, count, size); !st.ok()) return st;
    if (index < 1 || index > count) return Fail(MacroFileStatus::BadIndex, 0);
    if (!ShiftDown(fd.get(), index * kRec, (index - 1) * kRec, size)) return Fail(MacroFileStatus::IoError);
    return {};
}

MacroFileStatus SetMacroEnabledAt(const std::string& path, int index, bool enabled) {
    win::UniqueFd fd(-1);
    int count = 0;
    off_t size = 0;
    if (auto st = OpenForUpdate(path, fd, count, size); !st.ok()) return st;
    if (index < 1 || index > count) return Fail(MacroFileStatus::BadIndex, 0);
    const std::uint8_t flag = enabled ? 1 : 0;
    if (!win::WriteFullAt(fd.get(), &flag, 1, (index - 1) * kRec + offsetof(TMacroRecord, Enabled)))
        return Fail(MacroFileStatus::IoError);
    return {};
}

MacroFileStatus CreateEmptyMacroFile(const std::string& path) {
    win::UniqueFd fd(::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644));
    if (!fd.valid()) return Fail(MacroFileStatus::OpenFailed);
    return {};
}

}  // namespace tessaro
