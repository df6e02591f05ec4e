#include "editor/model/macro_forms/capture_setup.h"

#include "editor/model/macro_forms/hot_key_list.h"
#include "foundation/strings.h"
#include "macro/capture_file.h"
#include "macro/nickname.h"
#include "protocol/hotkey_names.h"

namespace tessaro {

namespace {
bool ValidMacro(int n) { return n >= 1 && n <= kMaxMacros; }
}  // namespace

CaptureChoices CaptureChoicesFrom(const TConfigRecord& config, bool globalTaken) {
    CaptureChoices c;
    c.doDouble = config.CapDoubleAlt;
    c.doKey = config.CapKeys;
    c.doMouse = config.CapMouse;
    c.relativeTo =
        config.CapRelativeToScreen >= 1 && config.CapRelativeToScreen <= 3 ? config.CapRelativeToScreen : 1;
    c.clicksOnly = config.CapClicksOnly;
    c.doTime = config.CapTime;
    c.doSize = config.CapWindowSize;
    c.speed = config.CapSpeed >= 1 && config.CapSpeed <= 4 ? config.CapSpeed : 1;
    c.global = !globalTaken && config.CapGlobal;
    return c;
}

CaptureEnabling EnablingOf(const CaptureChoices& c) {
    return {c.doMouse, c.doMouse && c.relativeTo == 2, c.doKey, c.doTime};
}

int StopMacroNumber(const TGlobData& glob) {
    const int n = std::clamp(glob.MacroCount, 0, kMaxMacros);
    for (int m = 1; m <= n; ++m)
        if (glob.Scope[m] == scSystem && glob.ScopeText[m].view().starts_with("2")) return m;
    return 0;
}

CaptureLabels CaptureLabelsFor(const TGlobData& glob, int captureMacroNumber) {
    CaptureLabels l;
    const int stop = StopMacroNumber(glob);
    if (stop > 0 && IsHotKeyCode(glob.ActivationCode[stop]))
        l.stop = "Press " + HotKeyNames(glob.ActivationCode[stop]) + " to end capture";
    if (ValidMacro(captureMacroNumber) && IsHotKeyCode(glob.ActivationCode[captureMacroNumber]))
        l.own = "Or Press " + HotKeyNames(glob.ActivationCode[captureMacroNumber]) + " to end capture";
    return l;
}

std::vector<std::string> CaptureWindowList(win::Desktop& desktop) {
    std::vector<std::string> items{kLastActiveWindow};
    for (win::HWND w : desktop.TopLevelWindows()) {
        std::string title = desktop.WindowText(w);
        if (!TrimBlanks(title).empty() && !desktop.IsIconic(w)) items.push_back(std::move(title));
    }
    return items;
}

std::string SpeedToken(const CaptureChoices& c) {
    if (!c.doTime) return {};
    return CaptureSpeedToken(c.speed >= 1 && c.speed <= 4 ? c.speed : 1);
}

CaptureArming ArmCapture(TGlobData& glob, TMacroRecord& rec, const CaptureChoices& c, int captureMacroNumber,
                         bool recapture, const std::string& nickname) {
    CaptureArming a;
    const int stop = StopMacroNumber(glob);
    if (stop == 0 || !IsHotKeyCode(glob.ActivationCode[stop])) {
        a.error = kNoStopKey;
        return a;
    }
    a.captureSpeed = c.doTime ? c.speed : 1;
    a.programScope = !c.global;
    if (!recapture) {
        glob.MacroCount += 1;
        rec.Enabled = 1;
        a.macroCounted = true;
    }
    rec.Nickname = OneLineNickname(nickname);
    rec.Scope = scGlobal;
    // A window-title macro keeps its title: it is what activates it.
    if (rec.ActivationCode != acWindowTitle) rec.ScopeText = "";
    rec.TopmostOnly = 0;

    glob.CapKeys = c.doKey;
    glob.CapMouse = c.doMouse;
    glob.CapClicksOnly = c.clicksOnly;
    glob.CapTime = c.doTime;
    glob.CapRelativeTo = std::uint8_t(c.relativeTo);
    glob.CapWindowSize = glob.CapWindowSize2 = c.doMouse && c.relativeTo == 2 && c.doSize;

    glob.LibByte771 = glob.LibByte781 = glob.LibByte741 = 0;
    const DecipheredKey stopKey = DecipherKey(glob.ActivationCode[stop]);
    glob.StopKeyMouse = stopKey.mouse;
    glob.StopKeyVK = stopKey.vk;
    glob.StopKeyCtrl = stopKey.ctrl;
    glob.StopKeyAlt = stopKey.alt;
    glob.StopKeyShift = stopKey.shift;
    glob.StopKeyWin = stopKey.win;
    glob.CaptureMacro = std::uint16_t(captureMacroNumber);
    glob.CapDoubleAlt = c.doDouble;
    glob.OwnKeyOn = 0;
    // Only a hot-key code names a key: the special activations (schedule, abbreviation,
    // title, none) would index past the table.
    if (ValidMacro(captureMacroNumber) && IsHotKeyCode(glob.ActivationCode[captureMacroNumber])) {
        const DecipheredKey own = DecipherKey(glob.ActivationCode[captureMacroNumber]);
        glob.OwnKeyMouse = own.mouse;
        glob.OwnKeyVK = own.vk;
        glob.OwnKeyCtrl = own.ctrl;
        glob.OwnKeyAlt = own.alt;
        glob.OwnKeyShift = own.shift;
        glob.OwnKeyWin = own.win;
        glob.OwnKeyOn = 1;
    }
    glob.CapStarting = 1;
    a.ok = true;
    return a;
}

std::string CreateCaptureFile(const std::string& path, const std::string& speedToken) {
    std::string why;
    if (!MakeCaptureFile(path, speedToken, why))
        return "The capture file \"" + path + "\" could not be created: " + why +
               ".  The capture did not start.";
    return {};
}

}  // namespace tessaro
