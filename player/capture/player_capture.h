#pragma once
// The player's capture: a start arms the hook library and appends the new macro, each
// recorded character goes into the recording, and the end stores the text in the macro
// and asks the user how it is to be started.
#include <cstdint>
#include <functional>
#include <string>

#include "foundation/config_record.h"
#include "macro/macro_record.h"
#include "macro/capture_recording.h"
#include "player/capture/cap_complete_model.h"
#include "protocol/glob_data.h"

namespace tessaro {

class PeerLink;
class PlayerMacroFile;
class PlayerNetworkLock;

// What the capture needs of the player's windows; the main window implements it.
class CaptureHost {
public:
    virtual ~CaptureHost() = default;
    virtual bool BrowseMode() = 0;
    // The topmost message window.
    virtual void CaptureMessage(const std::string& caption, const std::string& text) = 0;
    // Module name of the foreground window's program, upper case.
    virtual std::string TopProgram() = 0;
    virtual void ShowCaptureIcon(bool shown) = 0;
    // "Capture Complete", modal, on the new macro; `topProgram` is where the capture ended.
    virtual void CompleteCapture(TMacroRecord& rec, const std::string& topProgram) = 0;
    // Rebuilds the hot keys in use.
    virtual void SetHotKeys() = 0;
    // Tells the library the click on the recording icon is not part of the recording.
    virtual void DropCaptureClick() = 0;
};

inline constexpr const char* kCaptureInBrowseMode = "Capture not allowed in Browse Mode.";
inline constexpr const char* kCaptureRunning = "A capture is currently in progress.  Capture not allowed.";
inline constexpr const char* kCaptureNoRoom =
    "Maximum number of macros has been reached.  Capture not allowed.";

class PlayerCapture : public SecWindRoute {
public:
    struct Context {
        TConfigRecord& config;
        TGlobData& glob;
        PeerLink& link;
        PlayerMacroFile& macros;
        PlayerNetworkLock& lock;
        CaptureHost& host;
        std::string programDirectory;
        std::function<double()> now;  // LastModified of the stored macro
    };
    explicit PlayerCapture(Context context);
    ~PlayerCapture() override;

    // System macro "2" while no capture runs.
    void StartACapture();
    // WM_CAPTURE_CHAR and WM_CAPTURE_DONE; false for any other message.
    bool HandleMessage(std::uint32_t msg, std::uint32_t wParam, std::int32_t lParam);
    void WMCaptureChar(std::uint32_t macro, std::int32_t character);
    void WMCaptureDone(std::uint32_t macro);
    // A right click on the recording icon.
    void EndFromTrayIcon();
    // The player ends during a capture: the recording is stored as it stands.
    void EndForShutDown();

    // SecWnd and SecWndOn, pushed and told to the editor.
    void SetSecWind(std::uint32_t window, bool on) override;

    bool capturing() const { return capturing_; }
    // The new macro, as the capture started it or the end stored it.
    const TMacroRecord& record() const { return record_; }

private:
    bool Mine(std::uint32_t macro) const;
    void Finish(bool ask);
    void Publish(int group);
    int StopKeyCode() const;

    Context ctx_;
    TMacroRecord record_;  // keeps the previous capture's other fields, as the original does
    bool capturing_ = false;
    bool ended_ = false;  // the capture-ended guard
    CaptureRecording recording_;
    std::string topAtStart_, topAtEnd_;
};

}  // namespace tessaro
