#pragma once
// A finished recording turned into macro text: short ones inline, long ones moved to a
// numbered text file in the program directory that the macro plays by "<TFILE:".
#include <cstddef>
#include <string>

namespace tessaro {

inline constexpr std::size_t kCaptureInlineLimit = 5000;
inline constexpr const char* kCaptureFileName = "TempCap.Txt";

// The recording file of a program directory.
std::string CaptureFilePath(const std::string& programDir);

struct CapturedText {
    bool ok = false;
    std::string macroText;  // the recording itself, or "<TFILE:" + path + ">"
    std::string textFile;   // the numbered file written (native path), empty when inline
    std::string error;      // why nothing was stored; the recording file is then kept
};

// Reads the recording file. Up to `inlineLimit` bytes become the text and the file is
// deleted. Longer ones go to the first free "QT" i ".TXT" of programDir (created
// exclusively, never overwriting) and the file is deleted once the copy is complete.
// A folder that macro text cannot name (a ">" or a name outside Windows-1252) or any
// failure to read or write leaves the recording file as it was.
CapturedText TakeCapturedText(const std::string& captureFile, const std::string& programDir,
                              std::size_t inlineLimit = kCaptureInlineLimit);

// The same for a recording held in memory (`captureFile` may hold a part of it, or nothing
// of it): it is removed once the recording is stored, and when the recording cannot be
// stored it is made to hold the whole of it, written as a whole.
CapturedText StoreCapturedText(const std::string& recording, const std::string& captureFile,
                               const std::string& programDir, std::size_t inlineLimit = kCaptureInlineLimit);

}  // namespace tessaro
