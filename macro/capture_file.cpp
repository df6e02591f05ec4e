#include "macro/capture_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <optional>

#include "platform/cp1252.h"
#include "platform/file_io.h"
#include "platform/paths.h"

namespace tessaro {

namespace {

constexpr int kMaxTextFiles = 100000;

std::string Reason(int err) { return err ? std::strerror(err) : "not a regular file"; }

std::optional<std::string> ReadWhole(const std::string& path, int* err) {
    win::UniqueFd fd = win::OpenRegularFile(path, O_RDONLY | O_CLOEXEC);
    if (!fd.valid()) {
        *err = errno;
        return std::nullopt;
    }
    std::string bytes;
    char buf[65536];
    for (off_t off = 0;;) {
        const ssize_t n = win::ReadAt(fd.get(), buf, sizeof buf, off);
        if (n < 0) {
            *err = errno;
            return std::nullopt;
        }
        if (n == 0) return bytes;
        bytes.append(buf, static_cast<std::size_t>(n));
        off += n;
    }
}

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

std::string CaptureFilePath(const std::string& programDir) {
    return win::JoinPath(programDir, kCaptureFileName);
}

CapturedText TakeCapturedText(const std::string& captureFile, const std::string& programDir,
                              std::size_t inlineLimit) {
    CapturedText r;
    int err = 0;
    const std::optional<std::string> bytes = ReadWhole(captureFile, &err);
    if (!bytes) {
        r.error = "The capture file " + captureFile + " could not be read (" + Reason(err) + ").";
        return r;
    }
    if (bytes->size() <= inlineLimit) {
        ::unlink(captureFile.c_str());
        r.ok = true;
        r.macroText = *bytes;
        return r;
    }
    // The reference is macro text: Windows-1252, ended by the first ">".
    const std::string named = win::Utf8ToCp1252(programDir);
    if (programDir.find('>') != std::string::npos || win::Cp1252ToUtf8(named) != programDir) {
        r.error = "The capture is longer than " + std::to_string(inlineLimit) +
                  " characters, but a macro cannot name a text file in the folder " + programDir +
                  ". The recording is kept in " + captureFile + ".";
        return r;
    }
    CapturedText written = WriteNumbered(programDir, *bytes);
    if (!written.ok) {
        written.error += " The recording is kept in " + captureFile + ".";
        return written;
    }
    ::unlink(captureFile.c_str());
    written.macroText = "<TFILE:" + win::Utf8ToCp1252(written.textFile) + ">";
    return written;
}

}  // namespace tessaro
