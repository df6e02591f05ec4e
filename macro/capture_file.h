#pragma once
// A finished recording turned into macro text: short ones inline, long ones moved to a
// numbered text file in the program directory that the macro plays by "<TFILE:".
#include <cstddef>
#include <string>
#include <string_view>

namespace tessaro {

inline constexpr std::size_t kCaptureInlineLimit = 5000;
inline constexpr const char* kCaptureFileName = "TempCap.Txt";

// The token a capture with timing starts with, for a speed of 1 (as recorded), 2 (half),
// 3 (double) or 4 (quadruple); empty for any other.
std::string CaptureSpeedToken(int speed);

// The recording file of a program directory.
std::string CaptureFilePath(const std::string& programDir);

// Makes the capture file hold `start` (a speed token, or nothing) as a whole: written beside
// and renamed over it, so a kill or a full disk leaves it as it was or holding `start`.
// Anything but a regular file or nothing in its place, a link too, is refused and left as it
// is. False with the reason in `why`.
bool MakeCaptureFile(const std::string& path, std::string_view start, std::string& why);

struct CapturedText {
    bool ok = false;
    std::string macroText;  // the recording itself, or "<TFILE:" + path + ">"
    std::string textFile;   // the numbered file written (native path), empty when inline
    std::string error;      // why nothing was stored
};

// The macro text of a recording. Up to `inlineLimit` bytes it is the recording itself.
// Longer ones go to the first free "QT" i ".TXT" of programDir (created exclusively, never
// overwriting, whole or not at all). A folder that macro text cannot name (a ">" or a name
// outside Windows-1252) or a failure to write is told in `error`.
CapturedText PlaceCapturedText(const std::string& recording, const std::string& programDir,
                               std::size_t inlineLimit = kCaptureInlineLimit);

// Reads the recording file and places its bytes as above; the file is deleted once they
// are stored, and left as it was when they cannot be (the error says so).
CapturedText TakeCapturedText(const std::string& captureFile, const std::string& programDir,
                              std::size_t inlineLimit = kCaptureInlineLimit);

}  // namespace tessaro
