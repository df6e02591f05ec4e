#pragma once
// Raw access to a macro file: a plain sequence of 5,165-byte records, no header. Record n
// (1-based) starts at (n - 1) * 5,165. Each call opens the file and closes it again, so
// the editor and other users of a shared file see every change at once.
//
// Bytes after the last whole record (a damaged or foreign file) are never a macro and are
// kept as they are: appending and deleting leave them at the end of the file.
#include <cstddef>
#include <string>
#include <vector>

#include "foundation/strings.h"  // CompanionFileName
#include "macro/macro_record.h"

namespace tessaro {

struct MacroFileStatus {
    enum Code { Ok, NotFound, OpenFailed, IoError, BadIndex };
    Code code = Ok;
    int error = 0;  // errno of the failing call; 0 with OpenFailed: not a regular file

    bool ok() const { return code == Ok; }
    // A text for the user naming the file and the cause.
    std::string Describe(const std::string& path) const;
};

// Number of whole records, or -1 when the file cannot be opened.
int CountMacroRecords(const std::string& path);

// Reads up to maxRecords whole records from the start of the file; *totalRecords (when
// given) receives how many whole records the file holds.
MacroFileStatus ReadMacroRecords(const std::string& path, std::size_t maxRecords,
                                 std::vector<TMacroRecord>& out, std::size_t* totalRecords = nullptr);

// Reads record index (1-based). On failure `out` is left as it was.
MacroFileStatus ReadMacroRecordAt(const std::string& path, int index, TMacroRecord& out);

// Writes the record at index (1..count) in place, or appends it when index is -1 or
// count + 1. The 14 reserved bytes are written zero. Any other index is refused.
MacroFileStatus WriteMacroRecordAt(const std::string& path, int index, const TMacroRecord& rec);

// Removes record index; later records (and any trailing bytes) move down one record.
MacroFileStatus DeleteMacroRecordAt(const std::string& path, int index);

// Rewrites the Enabled byte of record index.
MacroFileStatus SetMacroEnabledAt(const std::string& path, int index, bool enabled);

// Creates an empty file; an existing file is never truncated (NotFound is never returned;
// an existing file gives OpenFailed with EEXIST).
MacroFileStatus CreateEmptyMacroFile(const std::string& path);

}  // namespace tessaro
