#pragma once
// A capture's recording as the hook library reports it, one character at a time. It is kept
// whole in memory, and the capture file follows it while it can: a kill leaves the file
// holding the recording from its start with nothing left out, and a full disk stops the
// file but loses nothing of the recording. The file goes only once the macro holds the
// recording. The player, the editor and the wizard record so.
#include <cstddef>
#include <string>

#include "macro/capture_file.h"
#include "platform/file_io.h"

namespace tessaro {

class CaptureRecording {
public:
    explicit CaptureRecording(std::string captureFile) : file_(std::move(captureFile)) {}

    const std::string& file() const { return file_; }
    // The recording so far.
    const std::string& text() const { return text_; }

    // A new recording that starts with `start` (a speed token, or nothing), which the
    // capture file is made to hold (MakeCaptureFile). False with the reason in `why` when
    // the file cannot be made: the recording then goes on without it, or the caller drops it.
    bool Start(std::string start, std::string& why);
    // Adds a recorded character. The first time the file cannot take one it stops following,
    // keeping the recording up to there, and a line saying so is returned; empty otherwise.
    std::string Add(char c);
    // The macro text of the recording (PlaceCapturedText). The capture file is made to hold
    // the whole recording and stays until the macro with that text is saved (Drop), so that
    // a kill before loses nothing. When it cannot be stored, the recording ends kept in the
    // file and the error says so.
    CapturedText Store(const std::string& programDir, std::size_t inlineLimit = kCaptureInlineLimit);
    // Ends the recording with the capture file holding the whole of it, for a reader of the
    // file or when the macro could not be saved. False when it cannot be made to; `told`
    // says for the user where the recording is.
    bool Keep(std::string& told);
    // Ends the recording; the capture file it made goes.
    void Drop();

private:
    bool MakeWhole(std::string& why);
    void End();

    std::string file_;
    std::string text_;
    win::UniqueFd fd_;    // the capture file while it follows the recording
    bool whole_ = false;  // the capture file holds the recording so far
    bool made_ = false;   // the capture file is this recording's to remove
};

}  // namespace tessaro
