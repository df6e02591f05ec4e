#include "player/engine/trigger_dispatch.h"

#include "platform/virtual_keys.h"
#include "protocol/glob_data.h"
#include "protocol/hotkey_names.h"
#include "player/engine/top_window_menu.h"
#include "player/engine/window_activation.h"
#include "protocol/window_messages.h"

namespace tessaro {

namespace {

bool IsLower1252(unsigned char c) { return (c >= 'a' && c <= 'z') || (c >= 224 && c <= 254); }

}  // namespace

void TriggerDispatch::HotKeyFired(std::uint32_t wParam, std::int32_t lParam) {
    // Pressed while an earlier hot key is still down or in the instant it comes up (a hand
    // that rolls from one key to the next): it runs after that one's macro, in order. The
    // held key's own repeats are not presses of their own.
    if (awaitingRelease_) {
        const int code = static_cast<int>(wParam & ~kHotKeyCapsLockBit);
        const bool repeat = heldCode_ && *heldCode_ == code;
        if (!repeat && !(wParam & kHotKeyPopupIconBit) && pending_.size() < kMaxPendingHotKeys)
            pending_.push_back({wParam, lParam});
        return;
    }
    FireHotKey(wParam, lParam);
    RunPendingHotKeys();
}

void TriggerDispatch::RunPendingHotKeys() {
    while (!pending_.empty() && !playing_ && !awaitingRelease_ && !popupShowing_) {
        const PendingHotKey next = pending_.front();
        pending_.pop_front();
        FireHotKey(next.wParam, next.lParam);
    }
}

void TriggerDispatch::FireHotKey(std::uint32_t wParam, std::int32_t lParam) {
    if (popupShowing_) {
        host_.Warning(kPopupShowingWarning);
        return;
    }
    if (glob_.CaptureOn) {
        host_.Warning(kCaptureRunningWarning);
        return;
    }
    if (wParam & kHotKeyPopupIconBit) {
        RunHotKeyMacro(static_cast<int>(wParam & ~kHotKeyPopupIconBit));
        return;
    }
    const bool capsLock = wParam & kHotKeyCapsLockBit;
    const int code = static_cast<int>(wParam & ~kHotKeyCapsLockBit);
    struct Held {
        std::optional<int>& code;
        std::optional<int> before;
        Held(std::optional<int>& held, int hotKey) : code(held), before(held) { code = hotKey; }
        ~Held() { code = before; }
    } held(heldCode_, code);
    if (host_.Paused()) {
        if (ResumesPause(code)) {
            LetGoOfHotKey();
            // The rest of the macro types as its start did: without the hot key's modifiers.
            host_.ReleaseUserModifiers();
            if (capsLock) {
                host_.KeyEvent(win::VK_CAPITAL, false);
                host_.KeyEvent(win::VK_CAPITAL, true);
            }
            host_.ResumePause();
        } else {
            host_.Warning(kPausedWarning);
        }
        return;
    }
    // While a macro plays, no other starts: a press that is no system macro's is refused
    // before it can bring another window to the front under the running macro's keys or
    // take its target, its record or its end-of-playback mark.
    if (playing_ && !SystemMacroFor(code)) {
        // The running macro types on once the hand let go of the key.
        LetGoOfHotKey();
        return;
    }
    if (!glob_.InUse) capsLockWasOn_ = capsLock;
    target_ = static_cast<win::HWND>(lParam);
    // Another user's change is loaded first; this same press is then answered from it.
    host_.ReloadChangedNetworkFile();
    if (RunSystemMacro(code)) return;
    RunHotKeyMacro(GetMacro(code));
}

int TriggerDispatch::SystemMacroFor(int code) const {
    const int count = glob_.MacroCount;
    for (int n = 1; n <= count && n <= kMaxMacros; ++n)
        if (glob_.Scope[n] == scSystem && glob_.ActivationCode[n] == code && glob_.Enabled[n]) return n;
    return 0;
}

bool TriggerDispatch::ResumesPause(int code) {
    const int system = SystemMacroFor(code);
    if (system && glob_.ScopeText[system] == "3") return true;
    return runningMacro_ != 0 && GetMacro(code) == runningMacro_;
}

bool TriggerDispatch::RunSystemMacro(int code) {
    const int n = SystemMacroFor(code);
    if (!n) return false;
    const std::string id = glob_.ScopeText[n].str();
    if (id.size() != 1 || id[0] == '3') return true;
    // The chooser of '4' takes the keyboard itself, while the key is still held.
    if (id[0] != '4') LetGoOfHotKey();
    host_.SystemFunction(id[0]);
    return true;
}

void TriggerDispatch::LetGoOfHotKey() {
    if (!heldCode_) return;
    const DecipheredKey key = DecipherKey(*heldCode_);
    constexpr std::uint8_t kButtonKeys[] = {0, win::VK_LBUTTON, win::VK_RBUTTON, win::VK_MBUTTON};
    const std::uint8_t vk =
        key.mouse >= 1 && key.mouse <= 3 ? kButtonKeys[key.mouse] : static_cast<std::uint8_t>(key.vk);
    // Kept while the wait runs: a macro that fires from the messages handled meanwhile
    // waits for the same release.
    if (vk) {
        ++awaitingRelease_;
        host_.AwaitRelease(vk);
        --awaitingRelease_;
    }
    heldCode_.reset();
}

int TriggerDispatch::GetMacro(int code) {
    const int count = glob_.MacroCount;
    auto candidate = [&](int n) { return glob_.Enabled[n] && glob_.ActivationCode[n] == code; };

    // A scoped macro whose window or program is already in front wins.
    const win::HWND foreground = desktop_.ForegroundWindow();
    const std::string title = foreground ? desktop_.WindowText(foreground) : std::string();
    if (UpperCase1252(title).find("PAUSE (") == std::string::npos) {
        const std::string program = glob_.ActiveProgram.str();
        for (int n = 1; n <= count && n <= kMaxMacros; ++n) {
            if (!candidate(n)) continue;
            const std::string scopeText = glob_.ScopeText[n].str();
            if ((glob_.Scope[n] == scWindow && ScopeTextMatches(scopeText, title)) ||
                (glob_.Scope[n] == scProgram && ScopeTextMatches(scopeText, program))) {
                target_ = foreground;
                return n;
            }
        }
    }

    // Then the first scoped macro whose window or program can be brought to the front;
    // then the last global, popup or system macro.
    int remembered = 0;
    for (int n = 1; n <= count && n <= kMaxMacros; ++n) {
        if (!candidate(n)) continue;
        const std::uint16_t scope = glob_.Scope[n];
        const std::string scopeText = glob_.ScopeText[n].str();
        if (scope == scGlobal || scope == scPopupMenu || scope == scSystem) {
            remembered = n;
        } else if (scope == scWindow && !glob_.TopmostOnly[n]) {
            if (const win::HWND w = ActivateIt(desktop_, scopeText)) {
                target_ = w;
                return n;
            }
        } else if (scope == scProgram && !glob_.TopmostOnly[n]) {
            if (ProgramListed(glob_, scopeText)) {
                if (const win::HWND w = ActivateProg(desktop_, scopeText)) target_ = w;
                return n;
            }
        }
    }
    return remembered;
}

void TriggerDispatch::RunHotKeyMacro(int n) {
    if (n <= 0 || n > kMaxMacros) return;
    TMacroRecord rec{};
    if (!host_.ReadMacro(n, rec)) return;
    if (rec.Scope == scPopupMenu) {
        play_ = rec;
        ShowPopup(n);
        return;
    }
    LetGoOfHotKey();
    // Taken only now: a macro that played while the key was held had the record meanwhile.
    play_ = rec;
    glob_.InUse = 1;
    host_.PushInUse();
    abbreviation_ = {};
    runningMacro_ = n;
    IntoProgram();
    host_.MarkPlaybackEnd();
    host_.StartClearTimer();
}

void TriggerDispatch::ShowPopup(int n) {
    popupShowing_ = true;
    const std::optional<int> chosen = host_.ChoosePopupItem(n, play_);
    popupShowing_ = false;
    if (chosen) RunHotKeyMacro(*chosen);
}

void TriggerDispatch::MenuTopWindow(int systemMenu) {
    const win::HWND foreground = desktop_.ForegroundWindow();
    const std::string title = foreground ? UpperCase1252(desktop_.WindowText(foreground)) : std::string();
    const std::string program = UpperCase1252(ModuleNameOfWindow(desktop_, foreground));
    TMacroRecord menu = TopWindowMenu(glob_, title, program, systemMenu);
    if (ReadPopupMenu(menu, glob_.MacroCount).items.empty()) {
        host_.Warning(kNoTopWindowMacros);
        return;
    }
    target_ = foreground;
    play_ = menu;
    ShowPopup(0);
}

void TriggerDispatch::RunTyped(int n, const TMacroRecord& rec, const TypedAbbreviation& typed,
                               bool capsLockWasOn) {
    if (playing_) return;
    LetGoOfHotKey();
    play_ = rec;
    runningMacro_ = n;
    capsLockWasOn_ = capsLockWasOn;
    abbreviation_ = typed;
    IntoProgram();
    abbreviation_ = {};
    host_.MarkPlaybackEnd();
    host_.StartClearTimer();
    RunPendingHotKeys();
}

void TriggerDispatch::PlayOnce(int n, const TMacroRecord& rec, bool capsLockWasOn) {
    if (playing_) return;
    LetGoOfHotKey();
    if (playing_) return;  // another macro started while the hot key was held
    play_ = rec;
    runningMacro_ = n;
    if (capsLockWasOn) {
        host_.KeyEvent(win::VK_CAPITAL, false);
        host_.KeyEvent(win::VK_CAPITAL, true);
    }
    Play(GetMacroText(play_), capsLockWasOn);
    RunPendingHotKeys();
}

void TriggerDispatch::IntoProgram() {
    if (playing_) return;
    std::string text = GetMacroText(play_);
    if (abbreviation_.capitalise && !text.empty() && IsLower1252(static_cast<unsigned char>(text[0])))
        text[0] = static_cast<char>(static_cast<unsigned char>(text[0]) - 32);
    if (abbreviation_.retype) text += abbreviation_.delimiter;
    if (capsLockWasOn_) {
        // Off for the playback; the interpreter turns it back on at the end.
        host_.KeyEvent(win::VK_CAPITAL, false);
        host_.KeyEvent(win::VK_CAPITAL, true);
    }
    Play(text, capsLockWasOn_);
}

void TriggerDispatch::Play(const std::string& text, bool capsLockWasOn) {
    struct Running {
        TriggerDispatch& d;
        explicit Running(TriggerDispatch& dispatch) : d(dispatch) {
            d.playing_ = true;
            d.host_.ShowRunning(true);
        }
        ~Running() {
            d.playing_ = false;
            d.host_.ShowRunning(false);
        }
    } running(*this);
    host_.PlayMacro(text, capsLockWasOn);
}

void TriggerDispatch::RunByNickname(const std::string& nickname) {
    // An empty request names no macro, even one whose nickname is empty.
    const std::string wanted = UpperCase1252(nickname);
    if (wanted.empty()) return;
    const int count = glob_.MacroCount;
    for (int n = 1; n <= count && n <= kMaxMacros; ++n) {
        if (UpperCase1252(host_.Nickname(n)) != wanted) continue;
        if (popupShowing_) {
            host_.Warning(kPopupShowingWarning);
        } else if (glob_.CaptureOn) {
            host_.Warning(kCaptureRunningWarning);
        } else if (!playing_) {
            if (glob_.Scope[n] != scSystem)
                RunHotKeyMacro(n);
            else if (glob_.ScopeText[n] == "4")
                host_.SystemFunction('4');
        }
        return;
    }
}

void TriggerDispatch::WindowActivated(win::HWND window) {
    if (host_.Closing()) return;
    const std::string title = NoteActive(window);
    SetRunningProgs();
    // The programs' own windows (an editor's caption names the macro's window) start none.
    if (!title.empty() && !IsOwnModule(glob_.ActiveProgram.str())) CheckForWindowMacros(title);
    RunPendingHotKeys();
}

void TriggerDispatch::NoteStartWindow() {
    if (const win::HWND window = desktop_.ForegroundWindow()) NoteActive(window);
}

std::string TriggerDispatch::NoteActive(win::HWND window) {
    const std::string module = UpperCase1252(ModuleNameOfWindow(desktop_, window));
    glob_.ActiveProgram = module;
    host_.PushActiveProgram();
    const std::string title = window ? desktop_.WindowText(window) : std::string();
    if (!title.empty()) {
        lastActive_ = window;
        if (module != kPlayerModuleName) lastForeign_ = window;
    }
    return title;
}

void TriggerDispatch::SetRunningProgs() {
    StoreRunningPrograms(glob_, RunningPrograms(desktop_));
    host_.PushRunningPrograms();
}

void TriggerDispatch::CheckForWindowMacros(const std::string& title) {
    const int count = glob_.MacroCount;
    for (int n = 1; n <= count && n <= kMaxMacros; ++n) {
        // A request to end that came during one of them stops the rest.
        if (playing_ || host_.Closing()) return;
        if (!glob_.Enabled[n] || glob_.ActivationCode[n] != acWindowTitle) continue;
        if (!ScopeTextMatches(glob_.ScopeText[n].str(), title)) continue;
        TMacroRecord rec{};
        if (!host_.ReadMacro(n, rec)) continue;
        LetGoOfHotKey();
        if (playing_ || host_.Closing()) return;
        play_ = rec;
        Play(GetMacroText(play_), false);
    }
}

}  // namespace tessaro
