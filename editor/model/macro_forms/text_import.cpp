#include "editor/model/macro_forms/text_import.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "platform/file_io.h"

namespace tessaro {

ImportedFile ReadImportFile(const std::string& path) {
    ImportedFile out;
    // Only a regular file is opened: a FIFO would wait for a writer, a device never end.
    const win::UniqueFd file = win::OpenRegularFile(path, O_RDONLY);
    if (!file.valid()) {
        if (errno == 0) {
            out.status = ImportedFile::Status::NotAFile;
            out.message = "The selected file is not a text file and cannot be imported.";
        }
        return out;
    }
    const int fd = file.get();
    struct stat st {};
    if (::fstat(fd, &st) != 0) return out;
    out.size = std::uint64_t(st.st_size);
    const std::size_t want = std::min<std::uint64_t>(out.size, 5000);
    out.bytes.resize(want);
    std::size_t got = 0;
    while (got < want) {
        const ssize_t n = ::read(fd, out.bytes.data() + got, want - got);
        if (n <= 0) break;
        got += std::size_t(n);
    }
    out.bytes.resize(got);
    if (out.bytes.find('\0') != std::string::npos) {
        out.status = ImportedFile::Status::Binary;
        out.bytes.clear();
        out.message = "The selected file holds binary data and cannot be imported.";
        return out;
    }
    if (!out.bytes.empty() && out.bytes.back() == 26) out.bytes.pop_back();
    out.status = ImportedFile::Status::Ok;
    return out;
}

bool ExportTextFile(const std::string& path, const std::string& bytes, std::string* why) {
    std::string reason;
    if (win::ReplaceRegularFile(path, bytes, reason)) return true;
    if (why) *why = reason;
    return false;
}

}  // namespace tessaro
