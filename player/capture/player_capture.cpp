#include "player/capture/player_capture.h"

#include <cstdio>
#include <cstring>

#include "platform/datetime.h"
#include "player/engine/network_lock.h"
#include "player/engine/peer_link.h"
#include "player/engine/player_macro_file.h"
#include "protocol/hotkey_names.h"
#include "protocol/window_messages.h"

namespace tessaro {

namespace {

constexpr char kSystemCapture = '2';

}  // namespace

PlayerCapture::PlayerCapture(Context context)
    : ctx_(std::move(context)), recording_(CaptureFilePath(ctx_.programDirectory)) {}

PlayerCapture::~PlayerCapture() = default;

void PlayerCapture::Publish(int group) {
    ctx_.link.Push(ctx_.glob, group);
    ctx_.link.NotifyEditor(puPullGroup, group);
}

void PlayerCapture::SetSecWind(std::uint32_t window, bool on) {
    ctx_.glob.SecWnd = window;
    ctx_.glob.SecWndOn = on ? 1 : 0;
    Publish(ggWindow2);
}

int PlayerCapture::StopKeyCode() const {
    const TGlobData& g = ctx_.glob;
    const int count = std::min<int>(g.MacroCount, kMaxMacros);
    for (int n = 1; n <= count; ++n)
        if (g.Scope[n] == scSystem && !g.ScopeText[n].view().empty() &&
            g.ScopeText[n].view()[0] == kSystemCapture)
            return g.ActivationCode[n];
    return -1;
}

void PlayerCapture::StartACapture() {
    TGlobData& g = ctx_.glob;
    CaptureHost& host = ctx_.host;
    if (host.BrowseMode()) return host.CaptureMessage("Error", kCaptureInBrowseMode);
    if (capturing_) return host.CaptureMessage("Error", kCaptureRunning);
    if (g.MacroCount >= kMaxMacros) return host.CaptureMessage("Error", kCaptureNoRoom);

    // Another user changing the shared file: no capture. A lock the first look took is
    // given back untouched; only a lock this player holds may be released.
    if (ctx_.lock.networkMode()) {
        if (!ctx_.lock.FileInUse()) ctx_.lock.ReleaseSyncFile(0);
        if (ctx_.lock.FileInUse()) return;
    }

    // The file first: when it cannot be made, nothing has changed yet.
    std::string why;
    if (!recording_.Start(ctx_.config.CapTime ? CaptureSpeedToken(ctx_.config.CapSpeed) : "", why)) {
        recording_.Drop();
        ctx_.lock.ReleaseSyncFile(0);
        return host.CaptureMessage("Error", "The capture file " + recording_.file() +
                                                " could not be created (" + why + ").  Capture not started.");
    }

    ended_ = false;
    g.MacroCount += 1;
    Publish(ggNumKeys);

    record_.Enabled = 1;
    record_.Nickname = "Capture";
    record_.Scope = scGlobal;
    record_.ScopeText = "";
    record_.TopmostOnly = 1;
    record_.Abbreviation = "capture";
    record_.ActivationCode = acAbbreviation;
    record_.MacroText[0] = '\0';
    if (!ctx_.macros.SaveMacroRecord(-1, record_)) {
        // The macro could not be added (and was reported): nothing is left counted or open.
        g.MacroCount -= 1;
        Publish(ggNumKeys);
        recording_.Drop();
        ctx_.lock.ReleaseSyncFile(0);
        return;
    }
    g.CaptureMacro = static_cast<std::uint16_t>(g.MacroCount);

    topAtStart_ = host.TopProgram();
    const TConfigRecord& c = ctx_.config;
    g.CapKeys = c.CapKeys;
    g.CapMouse = c.CapMouse;
    g.CapTime = c.CapTime;
    g.CapRelativeTo = static_cast<std::uint8_t>(c.CapRelativeToScreen);
    g.CapClicksOnly = c.CapClicksOnly;
    g.CapDoubleAlt = c.CapDoubleAlt;
    g.CapWindowSize = c.CapMouse && c.CapRelativeToScreen == 2 && c.CapWindowSize;
    g.CapWindowSize2 = g.CapWindowSize;
    g.LibByte771 = g.LibByte781 = g.LibByte741 = 0;
    g.OwnKeyOn = 0;
    g.CapStarting = 1;

    const int stopCode = StopKeyCode();
    const DecipheredKey stop = DecipherKey(stopCode);
    g.StopKeyMouse = stop.mouse;
    g.StopKeyVK = stop.vk;
    g.StopKeyCtrl = stop.ctrl;
    g.StopKeyAlt = stop.alt;
    g.StopKeyShift = stop.shift;
    g.StopKeyWin = stop.win;
    Publish(ggCapture);

    capturing_ = true;
    if (c.CapPrompt)
        host.CaptureMessage("Start Capture", "Tessaro 99 macro capture will now start.\r\n\r\nUse " +
                                                 HotKeyNames(stopCode) + " to stop the capture.");
    host.ShowCaptureIcon(true);
    g.CaptureOn = 1;
    Publish(ggCaptureOn);
}

bool PlayerCapture::HandleMessage(std::uint32_t msg, std::uint32_t wParam, std::int32_t lParam) {
    if (msg == WM_CAPTURE_CHAR) {
        WMCaptureChar(wParam, lParam);
        return true;
    }
    if (msg == WM_CAPTURE_DONE) {
        WMCaptureDone(wParam);
        return true;
    }
    return false;
}

// Any program of the desktop can send these messages: only the capture this player runs,
// under its own macro number, is answered.
bool PlayerCapture::Mine(std::uint32_t macro) const {
    return capturing_ && !ended_ && macro == ctx_.glob.CaptureMacro;
}

void PlayerCapture::WMCaptureChar(std::uint32_t macro, std::int32_t character) {
    if (!Mine(macro)) return;
    const char c = static_cast<char>(character & 0xFF);
    if (c == 0) return;
    // Told on the console only: a box would take the focus from what is being recorded.
    if (const std::string stopped = recording_.Add(c); !stopped.empty())
        std::fprintf(stderr, "tesrun: %s\n", stopped.c_str());
}

void PlayerCapture::WMCaptureDone(std::uint32_t macro) {
    if (!Mine(macro)) return;
    Finish(true);
}

void PlayerCapture::EndFromTrayIcon() {
    if (!capturing_ || ended_) return;
    ctx_.host.DropCaptureClick();
    Finish(true);
}

void PlayerCapture::EndForShutDown() {
    if (!capturing_ || ended_) return;
    Finish(false);
}

void PlayerCapture::Finish(bool ask) {
    ended_ = true;
    TGlobData& g = ctx_.glob;
    CaptureHost& host = ctx_.host;
    topAtEnd_ = host.TopProgram();
    host.ShowCaptureIcon(false);
    g.CaptureOn = 0;
    Publish(ggCaptureOn);

    const int index = g.CaptureMacro;
    ctx_.macros.ReadMacroRecord(index, record_);
    record_.LastModified = ctx_.now ? ctx_.now() : win::Now();

    const CapturedText text = recording_.Store(ctx_.programDirectory);
    if (!text.ok) {
        // The macro stays as the start made it; the recording stays in its file.
        host.CaptureMessage("Error", text.error);
        ctx_.lock.ReleaseSyncFile(1);
        capturing_ = false;
        return;
    }
    std::memset(record_.MacroText, 0, sizeof record_.MacroText);
    std::memcpy(record_.MacroText, text.macroText.data(),
                std::min(text.macroText.size(), kMacroTextCapacity));

    // The capture file keeps the recording until the macro holds it, also while the user
    // answers "Capture Complete".
    if (ask) host.CompleteCapture(record_, topAtEnd_);
    if (ctx_.macros.SaveMacroRecord(index, record_)) {
        recording_.Drop();
    } else {
        // The failed save was told; so is where the recording is, unless the player is ending.
        std::string told;
        recording_.Keep(told);
        if (ask) host.CaptureMessage("Error", told);
    }
    host.SetHotKeys();
    ctx_.lock.ReleaseSyncFile(1);
    capturing_ = false;
}

}  // namespace tessaro
