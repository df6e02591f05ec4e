#include "macro/capture_file.h"

#include <unistd.h>

#include <cerrno>
#include <optional>

#include "foundation/whole_files.h"
#include "platform/cp1252.h"
#include "platform/file_io.h"
#include "platform/paths.h"

namespace tessaro {

namespace {

constexpr int kMaxTextFiles = 100000;

// Creates the first free numbered file holding the bytes; on failure nothing is left.
CapturedText WriteNumbered(const std::string& programDir, const std::string& bytes) {
    CapturedText r;
    for (int i = 0; i < kMaxTextFiles; ++i) {
        const std::string path = win::JoinPath(programDir, "QT" + std::to_string(i) + ".TXT");
        // Written beside and given the name only while it is free: a kill or a full disk
        // never leaves a part of the recording under a name a macro could play.
        std::string why;
        if (!win::CreateRegularFile(path, bytes, why)) {
            if (errno == EEXIST) continue;  // the name is taken, by whatever it is
            r.error = "The capture could not be saved to " + path + " (" + why + ").";
            return r;
        }
        r.ok = true;
        r.textFile = path;
        return r;
    }
    r.error = "The capture could not be saved: no free capture file name is left in " + programDir + ".";
    return r;
}

// Where the recording that could not be stored is left: the capture file, which already
// holds it whole or is replaced by the whole of it.
std::string KeptIn(const std::string& recording, const std::string& captureFile, bool inFile) {
    std::string why;
    if (inFile || win::ReplaceRegularFile(captureFile, recording, why))
        return " The recording is kept in " + captureFile + ".";
    return " The recording could not be kept in " + captureFile + " either (" + why + ").";
}

CapturedText Store(const std::string& recording, const std::string& captureFile,
                   const std::string& programDir, std::size_t inlineLimit, bool inFile) {
    CapturedText r;
    if (recording.size() <= inlineLimit) {
        ::unlink(captureFile.c_str());
        r.ok = true;
        r.macroText = recording;
        return r;
    }
    // The reference is macro text: Windows-1252, ended by the first ">".
    const std::string named = win::Utf8ToCp1252(programDir);
    if (programDir.find('>') != std::string::npos || win::Cp1252ToUtf8(named) != programDir) {
        r.error = "The capture is longer than " + std::to_string(inlineLimit) +
                  " characters, but a macro cannot name a text file in the folder " + programDir + "." +
                  KeptIn(recording, captureFile, inFile);
        return r;
    }
    CapturedText written = WriteNumbered(programDir, recording);
    if (!written.ok) {
        written.error += KeptIn(recording, captureFile, inFile);
        return written;
    }
    ::unlink(captureFile.c_str());
    written.macroText = "<TFILE:" + win::Utf8ToCp1252(written.textFile) + ">";
    return written;
}

}  // namespace

std::string CaptureFilePath(const std::string& programDir) {
    return win::JoinPath(programDir, kCaptureFileName);
}

CapturedText TakeCapturedText(const std::string& captureFile, const std::string& programDir,
                              std::size_t inlineLimit) {
    std::string why;
    const std::optional<std::string> bytes = ReadRegularFile(captureFile, why);
    if (!bytes) {
        CapturedText r;
        r.error = "The capture file " + captureFile + " could not be read (" + why + ").";
        return r;
    }
    return Store(*bytes, captureFile, programDir, inlineLimit, true);
}

CapturedText StoreCapturedText(const std::string& recording, const std::string& captureFile,
                               const std::string& programDir, std::size_t inlineLimit) {
    return Store(recording, captureFile, programDir, inlineLimit, false);
}

}  // namespace tessaro
