#pragma once
// Reads records of one macro file again and again without opening and locking it for each
// record. Every writer puts a whole new file in the old one's place (macro_file.h), so the
// bytes of a file this reader keeps open never change while that file has the name: as
// long as the name still names the kept file (its device and inode, which the open
// descriptor keeps from being given to another file) with the same size and times, a
// record read from it is the record the file holds. Anything else opens the name afresh
// under the shared lock, as ReadMacroRecordAt does. Only files on a local file system are
// kept: elsewhere the name's status may be an old copy, so each read opens and locks.
#include <sys/stat.h>

#include <string>

#include "macro/macro_file.h"
#include "platform/file_io.h"

namespace tessaro {

class MacroRecordReader {
public:
    // As ReadMacroRecordAt: record index (1-based); on failure `out` is left as it was.
    MacroFileStatus Read(const std::string& path, int index, TMacroRecord& out);

private:
    MacroFileStatus ReadKept(int index, TMacroRecord& out) const;

    std::string path_;
    win::UniqueFd kept_;  // the file the name named at the last open, unlocked
    struct stat status_ {};
};

}  // namespace tessaro
