#include "editor/model/wizard/sweep_pages.h"

#include <unistd.h>

#include <cstdio>
#include <filesystem>

#include "editor/model/macro_forms/capture_setup.h"
#include "editor/model/macro_forms/window_routing.h"
#include "foundation/strings.h"
#include "platform/message_box.h"
#include "protocol/window_messages.h"

namespace tessaro::wizard {

namespace {

void PushAndTell(const WizardContext& ctx, int group) {
    PushGlobDataItem(ctx.GlobData, group);
    ctx.notify(puPullGroup, group);
}

bool IsProgram(const std::string& path) {
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec) && ::access(path.c_str(), X_OK) == 0;
}

}  // namespace

std::string SweepAddress(const std::string& typed) { return TrimBlanks(typed).substr(0, 255); }

std::string BrowserAddress(const std::string& address) {
    if (address.find("://") != std::string::npos || address.starts_with("mailto:")) return address;
    return "http://" + address;
}

std::string SweepHelperPath(const std::string& programDir) { return programDir + "/" + kSweepHelperName; }

std::string SweepHelperParameters(std::uint32_t window) { return "QJX " + std::to_string(window); }

void SetSweepCaptureFields(TGlobData& glob) {
    glob.CapKeys = 1;
    glob.CapMouse = 0;
    glob.CapRelativeTo = 1;
    glob.CapClicksOnly = 1;
    glob.CapTime = 0;
    glob.CapWindowSize = glob.CapWindowSize2 = 0;
    glob.CapDoubleAlt = 0;
    glob.LibByte741 = glob.LibByte771 = glob.LibByte781 = 0;
    glob.CaptureMacro = 1000;  // marks the wizard's recording
    glob.StopKeyMouse = glob.StopKeyVK = 0;
    glob.StopKeyCtrl = glob.StopKeyAlt = glob.StopKeyShift = glob.StopKeyWin = 0;
    glob.OwnKeyOn = 0;
    glob.OwnKeyMouse = 0;
    glob.OwnKeyVK = 1000;  // none
    glob.OwnKeyCtrl = glob.OwnKeyAlt = glob.OwnKeyShift = glob.OwnKeyWin = 0;
    glob.CapStarting = 1;
}

std::string SweepRecording::Start(std::uint32_t window) {
    if (on_) return {};
    // Nothing but the helper ends this recording: without it the user would be left
    // recording with the wizard hidden.
    const std::string helper = SweepHelperPath(ctx_.programDir);
    if (!IsProgram(helper))
        return "The sweepstakes helper program \"" + helper +
               "\" could not be found.  The recording was not started, as only the helper can end it.";
    if (std::string why; !recording_.Start("", why)) {
        recording_.Drop();
        return "The capture file \"" + recording_.file() + "\" could not be created: " + why +
               ".  The recording was not started.";
    }

    window_ = window;
    SetCapWind(ctx_.GlobData, window_, true, ctx_.notify);
    on_ = true;
    const win::LaunchResult started = launcher_.Open(helper, SweepHelperParameters(window_));
    if (started.code <= 32) {
        SetCapWind(ctx_.GlobData, window_, false, ctx_.notify);
        on_ = false;
        recording_.Drop();
        return "The sweepstakes helper program \"" + helper + "\" could not be started (error " +
               std::to_string(started.code) + ").  The recording was not started.";
    }
    helper_.emplace(started.pid);
    SetSweepCaptureFields(ctx_.GlobData);
    PushAndTell(ctx_, ggCapture);
    ctx_.GlobData.CaptureOn = 1;
    PushAndTell(ctx_, ggCaptureOn);
    return {};
}

void SweepRecording::OnChar(std::int32_t lParam) {
    const char c = static_cast<char>(lParam & 0xFF);
    if (!on_ || c == 0) return;
    // Told on the console only: a box would take the focus from the form being filled in.
    if (const std::string stopped = recording_.Add(c); !stopped.empty())
        std::fprintf(stderr, "tesdesk: %s\n", stopped.c_str());
}

void SweepRecording::CaptureOff() {
    ctx_.GlobData.CaptureOn = 0;
    PushAndTell(ctx_, ggCaptureOn);
    SetCapWind(ctx_.GlobData, window_, false, ctx_.notify);
    on_ = false;
    helper_.reset();
    // The macro is built from the file: it gets the whole recording, also what came while
    // the file could not follow.
    if (std::string told; !recording_.Keep(told))
        win::MessageBox(told + "  The macro gets only what the file holds.", "Error", win::MbButtons::Ok,
                        win::MbIcon::Error);
}

bool SweepRecording::OnEnded() {
    if (!on_) return false;
    CaptureOff();
    return true;
}

void SweepRecording::Release() {
    if (on_) CaptureOff();
}

}  // namespace tessaro::wizard
