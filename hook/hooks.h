#pragma once
// The hooks installed in this process and the engine that feeds their events through the
// library's logic: snapshot of the master, decision, idle reset, messages, grabs.
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "hook/capture_recorder.h"
#include "hook/hook_logic.h"
#include "hook/input_source.h"

namespace tessaro::hook {

class MasterBlock;

enum class HookKind : std::uint8_t { Keyboard = 1, Mouse = 2, Activation = 3, Remap = 4 };

// A filter that sees each event, with the master table, before the library's own logic
// (capture, key remapping). It may add messages to send; returning true consumes the event.
using InputFilter = std::function<bool(const InputEvent&, const TGlobData&, std::vector<Post>&)>;

class QTimerHolder;

class Hooks {
public:
    Hooks();
    ~Hooks();

    // A handle (never 0) or 0 when no input source can be started.
    std::uint32_t Install(HookKind kind);
    void Remove(std::uint32_t handle);
    bool Installed(HookKind kind) const;
    // The kind of an installed hook; nullopt for an unknown handle.
    std::optional<HookKind> KindOf(std::uint32_t handle) const;

    // A push of a group reached the master; hot keys in use may have changed.
    void GroupPushed(int group);

    // Replaces how the source is made (tests give a simulated one). The current source,
    // if any, is stopped and every hook and filter removed.
    void SetSourceFactory(std::function<std::unique_ptr<InputSource>()> factory);
    InputSource* source() const { return source_.get(); }

    void AddFilter(InputFilter filter) { filters_.push_back(std::move(filter)); }

    // Feeds one event through filters and logic (the source's sink).
    // True when the event was taken (a hot key the focused window must not see).
    bool Dispatch(const InputEvent& e);

    // The recording's waiting click is sent (the double-click time passed).
    void FlushCapture();
    // The player's recording icon was clicked to end the capture.
    void DropCaptureClick() { recorder_.DropClickAndEnd(); }
    const CaptureRecorder& recorder() const { return recorder_; }
    // A window of the player takes the keyboard while the hot key is still held.
    void EndHotKeyGrab() {
        if (source_) source_->EndHotKeyGrab();
    }
    void CatchUp() {
        if (source_) source_->CatchUp();
    }

    // Grabs that failed at the last update, one line each.
    const std::vector<std::string>& grabProblems() const { return grabProblems_; }

private:
    HookMask Mask() const;
    void UpdateGrabs();
    bool EnsureSource();
    // Names the source's mark window in the master (HookWnd); 0 withdraws ours.
    void PublishMarkWindow(std::uint32_t window);
    // Follows the master's capture state: a new start (CapStarting) or an end.
    void SyncCapture(MasterBlock& master, const TGlobData& g);

    std::function<std::unique_ptr<InputSource>()> factory_;
    std::unique_ptr<InputSource> source_;
    std::map<std::uint32_t, HookKind> hooks_;
    std::uint32_t nextSerial_ = 1;
    HookLogic logic_;
    CaptureRecorder recorder_;
    std::unique_ptr<QTimerHolder> captureTimer_;
    std::vector<InputFilter> filters_;
    std::vector<int> grabbed_;
    std::vector<std::string> grabProblems_;
    std::set<int> toldElsewhere_;  // hot keys held elsewhere the player was told of
};

// This process's hooks.
Hooks& HookSet();

}  // namespace tessaro::hook
