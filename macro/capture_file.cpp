#include "macro/capture_file.h"

#include <fcntl.h>
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

}  // namespace

std::string CaptureSpeedToken(int speed) {
    switch (speed) {
        case 1: return "<SPEED:00001>";
        case 2: return "<SPEED:00002>";
        case 3: return "<SPEED:00.50>";
        case 4: return "<SPEED:00.25>";
        default: return {};
    }
}

std::string CaptureFilePath(const std::string& programDir) {
    return win::JoinPath(programDir, kCaptureFileName);
}

bool MakeCaptureFile(const std::string& path, std::string_view start, std::string& why) {
    const bool refused =
        !win::OpenRegularFile(path, O_RDONLY | O_NOFOLLOW, 0644, &why).valid() && errno != ENOENT;
    return !refused && win::ReplaceRegularFile(path, start, why);
}

CapturedText PlaceCapturedText(const std::string& recording, const std::string& programDir,
                               std::size_t inlineLimit) {
    CapturedText r;
    if (recording.size() <= inlineLimit) {
        r.ok = true;
        r.macroText = recording;
        return r;
    }
    // The reference is macro text: Windows-1252, ended by the first ">".
    const std::string named = win::Utf8ToCp1252(programDir);
    if (programDir.find('>') != std::string::npos || win::Cp1252ToUtf8(named) != programDir) {
        r.error = "The capture is longer than " + std::to_string(inlineLimit) +
                  " characters, but a macro cannot name a text file in the folder " + programDir + ".";
        return r;
    }
    r = WriteNumbered(programDir, recording);
    if (r.ok) r.macroText = "<TFILE:" + win::Utf8ToCp1252(r.textFile) + ">";
    return r;
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
    CapturedText r = PlaceCapturedText(*bytes, programDir, inlineLimit);
    if (r.ok)
        ::unlink(captureFile.c_str());
    else
        r.error += " The recording is kept in " + captureFile + ".";
    return r;
}

}  // namespace tessaro
