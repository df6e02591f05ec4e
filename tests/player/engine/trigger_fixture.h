#pragma once
// A trigger table with macros, a simulated desktop and a host that records what dispatch
// asked of the player.
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/sim/sim_desktop.h"
#include "protocol/glob_data.h"
#include "macro/macro_record.h"
#include "player/engine/trigger_dispatch.h"

namespace tessaro::testing {

// Fields left out of a brace list take these defaults.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
struct MacroDraft {
    std::uint16_t scope = scGlobal;
    int code = 0;
    std::string text;
    std::string scopeText;
    bool enabled = true;
    bool topmostOnly = false;
    std::string nickname;
};

class RecordingHost : public TriggerHost {
public:
    std::map<int, TMacroRecord> records;
    std::vector<std::string> played;  // texts in order
    std::vector<bool> playedCapsLock;
    std::vector<std::string> warnings;
    std::vector<std::string> keys;  // "D20", "U20", "S50"; "R" modifiers let go, "M" playback mark
    std::vector<char> systemFunctions;
    int inUsePushes = 0, clearTimers = 0, programPushes = 0, programsPushes = 0, resumes = 0;
    int runningShown = 0, runningHidden = 0;
    bool paused = false, closing = false, networkChanged = false;
    std::function<std::optional<int>(int)> choose;  // popup chooser
    std::function<void()> duringPlay;               // runs inside each playback
    std::function<void()> reload;                   // another user's change, loaded
    std::vector<std::uint8_t> awaited;              // keys and buttons waited for, in order
    std::function<void()> whileHeld;                // runs inside each wait for a release
    TMacroRecord lastMenu{};                        // what the last chooser was shown

    bool ReadMacro(int n, TMacroRecord& rec) override {
        auto it = records.find(n);
        if (it == records.end()) return false;
        rec = it->second;
        return true;
    }
    std::string Nickname(int n) override {
        auto it = records.find(n);
        return it == records.end() ? std::string() : it->second.Nickname.str();
    }
    void PlayMacro(const std::string& text, bool capsLockWasOn) override {
        played.push_back(text);
        playedCapsLock.push_back(capsLockWasOn);
        if (duringPlay) duringPlay();
    }
    void ShowRunning(bool running) override { ++(running ? runningShown : runningHidden); }
    void Warning(const std::string& text) override { warnings.push_back(text); }
    void KeyEvent(std::uint8_t vk, bool up) override {
        keys.push_back((up ? "U" : "D") + std::to_string(vk));
    }
    void Sleep(int ms) override { keys.push_back("S" + std::to_string(ms)); }
    void AwaitRelease(std::uint8_t vk) override {
        awaited.push_back(vk);
        if (whileHeld) whileHeld();
    }
    void ReleaseUserModifiers() override { keys.push_back("R"); }
    void MarkPlaybackEnd() override { keys.push_back("M"); }
    bool Paused() override { return paused; }
    void ResumePause() override {
        ++resumes;
        paused = false;
    }
    void PushInUse() override { ++inUsePushes; }
    void StartClearTimer() override { ++clearTimers; }
    void PushActiveProgram() override { ++programPushes; }
    void PushRunningPrograms() override { ++programsPushes; }
    bool ReloadChangedNetworkFile() override {
        const bool changed = networkChanged;
        networkChanged = false;
        if (changed && reload) reload();
        return changed;
    }
    void SystemFunction(char id) override { systemFunctions.push_back(id); }
    std::optional<int> ChoosePopupItem(int n, const TMacroRecord& menu) override {
        lastMenu = menu;
        return choose ? choose(n) : std::nullopt;
    }
    bool Closing() override { return closing; }
};

class TriggerFixture {
public:
    TriggerFixture() : glob_(std::make_unique<TGlobData>()), dispatch(*glob_, desktop, host) {}

    // Macro n = the position in `drafts`, from 1.
    void SetMacros(const std::vector<MacroDraft>& drafts) {
        int n = 0;
        for (const MacroDraft& s : drafts) {
            ++n;
            TGlobData& g = *glob_;
            g.Scope[n] = s.scope;
            g.ActivationCode[n] = static_cast<std::uint16_t>(s.code);
            g.ScopeText[n] = s.scopeText;
            g.Enabled[n] = s.enabled;
            g.TopmostOnly[n] = s.topmostOnly;
            TMacroRecord rec{};
            rec.Scope = s.scope;
            rec.ActivationCode = static_cast<std::uint16_t>(s.code);
            rec.ScopeText = s.scopeText;
            rec.Enabled = s.enabled;
            rec.TopmostOnly = s.topmostOnly;
            rec.Nickname = s.nickname.empty() ? "macro " + std::to_string(n) : s.nickname;
            SetMacroText(rec, s.text);
            host.records[n] = rec;
        }
        glob_->MacroCount = n;
    }

    TGlobData& glob() { return *glob_; }

    win::sim::SimDesktop desktop;
    RecordingHost host;

private:
    std::unique_ptr<TGlobData> glob_;

public:
    TriggerDispatch dispatch;
};

}  // namespace tessaro::testing
