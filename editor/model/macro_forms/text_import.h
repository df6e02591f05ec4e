#pragma once
// "&Import From Text File" and "&Export To Text File" of the macro-text editors.
#include <cstdint>
#include <string>

namespace tessaro {

inline constexpr const char* kImportTooLong =
    "This text file contains more than 5000 characters.  Only the first 5000 characters will be "
    "imported.  Continue?";

struct ImportedFile {
    enum class Status { Ok, CannotOpen, NotAFile, Binary };
    Status status = Status::CannotOpen;
    std::uint64_t size = 0;  // of the whole file
    std::string bytes;       // its first 5,000 bytes, a trailing end-of-file mark (26) dropped
    std::string message;     // for a box "Error" when the file is refused (empty: stay silent)
};

// Reads the start of a text file for import. FIFOs, devices and folders are refused without
// waiting on them, and so is a file holding NUL bytes; a file that cannot be opened is
// silent. The caller asks `kImportTooLong` when size exceeds 5,000.
ImportedFile ReadImportFile(const std::string& path);

// Writes the bytes to the file, replacing it whole (written beside it and renamed over it);
// false with the reason in *why when it cannot be written, the old file then as it was.
bool ExportTextFile(const std::string& path, const std::string& bytes, std::string* why = nullptr);

}  // namespace tessaro
