#pragma once
// The sweepstakes recording of pages 71-73: the page opened in the browser, then the
// characters the user types into its form are recorded into TempCap.Txt while a helper
// program runs beside the browser; the helper (or the hook library) ends the recording.
#include <cstdint>
#include <optional>
#include <string>

#include "editor/model/wizard/wizard_context.h"
#include "macro/capture_recording.h"
#include "platform/launch.h"
#include "platform/started_process.h"
#include "protocol/glob_data.h"

namespace tessaro::wizard {

inline constexpr const char* kNoWebPage = "No web page has been entered.  Please correct.";
// The helper program comes from elsewhere and is looked for in the program directory; it is
// given "QJX <window id>" and ends the recording by sending that window the end message.
inline constexpr const char* kSweepHelperName = "veldra";

// The address typed on page 71, trimmed and cut to 255 characters.
std::string SweepAddress(const std::string& typed);
// What the browser is given: the address as typed, or with the "http://" that the page
// shows in front of its field when it names no scheme of its own.
std::string BrowserAddress(const std::string& address);

std::string SweepHelperPath(const std::string& programDir);
std::string SweepHelperParameters(std::uint32_t window);

// A recording of typed characters only, for the wizard, without stop key or own key.
void SetSweepCaptureFields(TGlobData& glob);

class SweepRecording {
public:
    explicit SweepRecording(WizardContext& ctx) : ctx_(ctx), recording_(CaptureFilePath(ctx.programDir)) {}
    ~SweepRecording() { Release(); }
    SweepRecording(const SweepRecording&) = delete;
    SweepRecording& operator=(const SweepRecording&) = delete;

    // Starts the helper and the recording, whose messages go to `window`. Returns why it
    // could not start (nothing is changed then); empty on success.
    std::string Start(std::uint32_t window);
    // A typed character in the low byte; ignored outside a recording and when 0.
    void OnChar(std::int32_t lParam);
    // The end message: capture off and the file holding the whole recording. False when no
    // recording ran.
    bool OnEnded();
    // The wizard closes while recording: the capture is released.
    void Release();
    bool Recording() const { return on_; }
    // Whether the helper started with the recording still runs: once it has ended, nothing
    // is left to end the recording, which then ends with it.
    bool HelperRunning() const { return helper_ && helper_->Running(); }

private:
    void CaptureOff();

    WizardContext& ctx_;
    win::Launcher launcher_;
    CaptureRecording recording_;
    std::optional<win::StartedProcess> helper_;
    std::uint32_t window_ = 0;
    bool on_ = false;
};

}  // namespace tessaro::wizard
