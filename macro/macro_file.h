#pragma once
// Raw access to a macro file: a plain sequence of 5,165-byte records, no header. Record n
// (1-based) starts at (n - 1) * 5,165. Each call opens the file and closes it again, so
// the editor and other users of a shared file see every change at once. Writers hold an
// exclusive flock of the file for the moment of the write and readers a shared one; a write
// puts a whole new file in the old one's place, so a kill or a full disk at any moment
// leaves the file as it was before the write or as it is after it, never torn.
//
// Bytes after the last whole record (a damaged or foreign file) are never a macro and are
// kept as they are: appending and deleting leave them at the end of the file.
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "foundation/strings.h"  // CompanionFileName
#include "macro/macro_record.h"

namespace tessaro {

struct MacroFileStatus {
    enum Code { Ok, NotFound, OpenFailed, IoError, BadIndex };
    Code code = Ok;
    int error = 0;    // errno of the failing call; 0 with OpenFailed: not a regular file
    std::string why;  // what was refused and why, when the file could not be used as it is

    bool ok() const { return code == Ok; }
    // A text for the user naming the file and the cause.
    std::string Describe(const std::string& osPath) const;  // the path as the system spells it
};

// Number of whole records, or -1 when the file cannot be opened.
int CountMacroRecords(const std::string& path);

// How much a file holds: whole records, and the bytes of a partial one after them.
struct MacroFileExtent {
    std::size_t records = 0;
    std::size_t trailingBytes = 0;
};

// Reads up to maxRecords whole records from the start of the file; *extent (when given)
// receives what the file holds in all.
MacroFileStatus ReadMacroRecords(const std::string& path, std::size_t maxRecords,
                                 std::vector<TMacroRecord>& out, MacroFileExtent* extent = nullptr);

// Reads record index (1-based). On failure `out` is left as it was.
MacroFileStatus ReadMacroRecordAt(const std::string& path, int index, TMacroRecord& out);

// Writes the record at index (1..count) in place, or appends it when index is -1 or
// count + 1. The 14 reserved bytes are written zero. Any other index is refused.
MacroFileStatus WriteMacroRecordAt(const std::string& path, int index, const TMacroRecord& rec);

// The records to add to a file, given its first records as they are now.
using MissingRecords = std::function<std::vector<TMacroRecord>(const std::vector<TMacroRecord>&)>;

// Looks at the file and appends what `missing` asks for in one step, under the file's
// exclusive lock: two programs adding the same records at the same moment add them once.
// `out` receives the file's first maxRecords records afterwards (after a failed append:
// as they were, for nothing was added), `appended` how many records this call added.
MacroFileStatus AppendMissingRecords(const std::string& path, std::size_t maxRecords,
                                     const MissingRecords& missing, std::vector<TMacroRecord>& out,
                                     int& appended);

// Removes record index; later records (and any trailing bytes) move down one record.
MacroFileStatus DeleteMacroRecordAt(const std::string& path, int index);

// Rewrites the Enabled byte of record index.
MacroFileStatus SetMacroEnabledAt(const std::string& path, int index, bool enabled);

// Creates an empty file; an existing file is never truncated (NotFound is never returned;
// an existing file gives OpenFailed with EEXIST).
MacroFileStatus CreateEmptyMacroFile(const std::string& path);

}  // namespace tessaro
