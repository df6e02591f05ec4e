// The end of a recapture: the recorded text into the macro, or into a numbered text file
// the macro plays when it is too long.
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "editor/model/explorer/explorer.h"
#include "platform/cp1252.h"
#include "platform/message_box.h"
#include "protocol/window_messages.h"

namespace tessaro {
namespace {

namespace fs = std::filesystem;

// Copies `from` to the first free "QT" + k + ".TXT" of `dir` (never overwriting one); the
// name taken, or empty with *error set.
std::string CopyToNumberedFile(const fs::path& from, const fs::path& dir, std::string* error) {
    for (int k = 0; k < 100000; ++k) {
        const std::string name = "QT" + std::to_string(k) + ".TXT";
        std::error_code ec;
        if (fs::exists(dir / name, ec)) continue;
        if (fs::copy_file(from, dir / name, fs::copy_options::none, ec)) return name;
        if (ec == std::errc::file_exists) continue;  // taken meanwhile
        *error = ec.message();
        return {};
    }
    *error = "no free file name";
    return {};
}

}  // namespace

std::string Explorer::CaptureFilePath() const { return ctx_.programDirectory + "/TempCap.Txt"; }

void Explorer::StartCaptureFile() {
    captureFinished_ = false;
    std::ofstream(CaptureFilePath(), std::ios::binary | std::ios::trunc);
}

void Explorer::OnCaptureChar(std::uint32_t wParam, std::int32_t lParam) {
    captureMacro_ = static_cast<int>(wParam);
    const char c = static_cast<char>(lParam & 0xFF);
    if (captureFinished_ || c == 0) return;
    std::ofstream(CaptureFilePath(), std::ios::binary | std::ios::app).put(c);
}

void Explorer::OnCaptureDone(std::uint32_t wParam) {
    if (captureFinished_) return;
    captureFinished_ = true;
    ctx_.window.ShowRecordIcon(false);
    ctx_.glob.CaptureOn = 0;
    UpCaptureOn(ctx_.glob, ctx_.link);
    SetCapWind(ctx_.glob, ctx_.link, ctx_.window.WindowId(), false);
    const std::string program = ctx_.window.ForegroundProgram();

    captureMacro_ = static_cast<int>(wParam);
    if (!ValidMacro(captureMacro_)) {
        ReleaseSyncFile(0);
        return;
    }
    file_.ReadMacroRecord(captureMacro_, CurrentMacro);
    CurrentMacro.LastModified = ctx_.window.Now();

    const fs::path capture = CaptureFilePath();
    std::ifstream in(capture, std::ios::binary);
    std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    in.close();
    bool stored = true;
    if (text.size() <= kMacroTextCapacity) {
        std::memset(CurrentMacro.MacroText, 0, sizeof CurrentMacro.MacroText);
        std::memcpy(CurrentMacro.MacroText, text.data(), text.size());
        std::error_code ec;
        fs::remove(capture, ec);
    } else {
        std::string error;
        const std::string name = CopyToNumberedFile(capture, ctx_.programDirectory, &error);
        if (name.empty()) {
            // Kept where it is, so the recording is not lost.
            stored = false;
            win::MessageBox("The capture could not be copied to a text file (" + error + "). It is kept in " +
                                capture.string() + ".",
                            "Error", win::MbButtons::Ok, win::MbIcon::Error);
        } else {
            std::error_code ec;
            fs::remove(capture, ec);
            const std::string reference =
                "<TFILE:" + win::Utf8ToCp1252(ctx_.programDirectory) + "/" + name + ">";
            std::memset(CurrentMacro.MacroText, 0, sizeof CurrentMacro.MacroText);
            std::memcpy(CurrentMacro.MacroText, reference.data(),
                        std::min(reference.size(), kMacroTextCapacity));
        }
    }
    if (captureProgramScope) {
        CurrentMacro.Scope = scProgram;
        CurrentMacro.ScopeText = std::string_view(program).substr(0, 30);
        CurrentMacro.TopmostOnly = 1;
    }
    const bool written = stored && file_.SaveMacroRecord(captureMacro_, CurrentMacro, true);
    SetHotKeys();
    ctx_.window.BringToFront();
    ReleaseSyncFile(written ? 1 : 0);
    const std::string done =
        CaptureCompleteText(CurrentMacro.ActivationCode, CurrentMacro.Abbreviation.view());
    if (written && !done.empty())
        win::MessageBox(done, "Capture", win::MbButtons::Ok, win::MbIcon::Information);
    Refresh(captureMacro_);
}

}  // namespace tessaro
