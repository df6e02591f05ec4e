#include "hook/hooks.h"

#include <QTimer>
#include <cstdio>
#include <cstring>

#include "protocol/hotkey_codes.h"
#include "hook/hot_key_takers.h"
#include "hook/master_block.h"
#include "hook/x11/x11_source.h"
#include "platform/shared_memory.h"
#include "protocol/activation_block.h"
#include "protocol/object_names.h"
#include "protocol/window_messages.h"

namespace tessaro::hook {

namespace {

// The window named at +0 of the activation block, when the player made one.
ActivationTarget ReadActivationTarget() {
    ActivationTarget t;
    auto block = win::SharedMemory::Open(kActivationBlockName, sizeof(TActivationShared));
    if (block) std::memcpy(&t.window, block->data(), sizeof t.window);
    return t;
}

}  // namespace

// The timer that lets a recorded click wait for a second one.
class QTimerHolder {
public:
    QTimer timer;
};

Hooks::Hooks() : factory_(MakeX11Source) {}
Hooks::~Hooks() = default;

Hooks& HookSet() {
    static Hooks hooks;
    return hooks;
}

bool Hooks::EnsureSource() {
    if (source_) return true;
    if (!factory_) return false;
    auto source = factory_();
    if (!source) return false;
    std::string error;
    if (!source->Start([this](const InputEvent& e) { return Dispatch(e); }, &error)) {
        std::fprintf(stderr, "qtmhook: input cannot be observed: %s\n", error.c_str());
        return false;
    }
    source_ = std::move(source);
    PublishMarkWindow(source_->MarkWindow());
    return true;
}

void Hooks::PublishMarkWindow(std::uint32_t window) {
    MasterBlock* master = Master();
    if (!master) return;
    // Another process's source may have taken over the field meanwhile: only ours is cleared.
    const std::uint32_t ours = source_ ? source_->MarkWindow() : 0;
    master->Update([&](TGlobData& m) {
        if (window != 0 || m.HookWnd == ours) m.HookWnd = window;
    });
}

std::uint32_t Hooks::Install(HookKind kind) {
    if (!EnsureSource()) return 0;
    const std::uint32_t handle = (static_cast<std::uint32_t>(kind) << 24) | (nextSerial_++ & 0xffffff);
    hooks_[handle] = kind;
    UpdateGrabs();
    return handle;
}

void Hooks::Remove(std::uint32_t handle) {
    if (hooks_.erase(handle) == 0) return;
    UpdateGrabs();
    if (hooks_.empty() && source_) {
        PublishMarkWindow(0);
        source_->Stop();
        source_.reset();
        grabbed_.clear();
    }
}

bool Hooks::Installed(HookKind kind) const {
    for (const auto& [handle, k] : hooks_)
        if (k == kind) return true;
    return false;
}

std::optional<HookKind> Hooks::KindOf(std::uint32_t handle) const {
    const auto it = hooks_.find(handle);
    if (it == hooks_.end()) return std::nullopt;
    return it->second;
}

HookMask Hooks::Mask() const {
    return {Installed(HookKind::Keyboard), Installed(HookKind::Mouse), Installed(HookKind::Activation)};
}

void Hooks::SetSourceFactory(std::function<std::unique_ptr<InputSource>()> factory) {
    if (source_) {
        PublishMarkWindow(0);
        source_->Stop();
    }
    source_.reset();
    hooks_.clear();
    grabbed_.clear();
    grabProblems_.clear();
    toldElsewhere_.clear();
    filters_.clear();
    logic_ = HookLogic();
    recorder_ = CaptureRecorder();
    factory_ = std::move(factory);
}

void Hooks::GroupPushed(int group) {
    if (group == ggKeys) UpdateGrabs();
    if ((group == ggCapture || group == ggCaptureOn) && (source_ || recorder_.recording()))
        if (MasterBlock* master = Master()) SyncCapture(*master, master->Snapshot());
}

void Hooks::SyncCapture(MasterBlock& master, const TGlobData& g) {
    if (g.CaptureOn && g.CapStarting) {
        master.Update([](TGlobData& m) { m.CapStarting = 0; });
        recorder_.Start(g);
    } else if (!g.CaptureOn && recorder_.recording()) {
        recorder_.Stop();
    }
}

void Hooks::FlushCapture() {
    MasterBlock* master = Master();
    if (!master || !source_) return;
    std::vector<Post> posts;
    recorder_.FlushWaiting(master->Snapshot(), posts);
    for (const Post& p : posts) source_->Send(p);
}

void Hooks::UpdateGrabs() {
    if (!source_) return;
    std::vector<int> codes;
    MasterBlock* master = Master();
    if (master) {
        const TGlobData g = master->Snapshot();
        const HookMask mask = Mask();
        for (int code = 0; code < kHotKeyCodeCount; ++code) {
            if (!g.HotKeyUsed[code]) continue;
            const bool mouse = code >= kFirstMouseCode && code < kFirstMouseCode + 21;
            if (mouse ? mask.mouse : mask.keyboard) codes.push_back(code);
        }
    }
    if (codes == grabbed_) return;
    grabbed_ = codes;
    grabProblems_ = source_->SetGrabs(codes);
    for (const std::string& p : grabProblems_) std::fprintf(stderr, "qtmhook: %s\n", p.c_str());
    // The user is told of each hot key that could not be taken, once.
    if (!master) return;
    const std::uint32_t player = master->Snapshot().PlayerWnd;
    for (int code : source_->HeldElsewhere())
        if (player && toldElsewhere_.insert(code).second)
            source_->Send({player, WM_HOTKEY_HELD_ELSEWHERE, static_cast<std::uint32_t>(code), 0});
}

bool Hooks::Dispatch(const InputEvent& e) {
    MasterBlock* master = Master();
    if (!master || !source_) return false;
    const TGlobData g = master->Snapshot();
    SyncCapture(*master, g);
    std::vector<Post> filtered;
    bool consumed = false;
    if (Installed(HookKind::Keyboard) || Installed(HookKind::Mouse)) {
        consumed = recorder_.OnEvent(e, g, filtered);
        if (recorder_.waiting()) {
            // Made on first use: the hook set outlives no event loop it was not made in.
            if (!captureTimer_) {
                captureTimer_ = std::make_unique<QTimerHolder>();
                captureTimer_->timer.setSingleShot(true);
                QObject::connect(&captureTimer_->timer, &QTimer::timeout, [this] { FlushCapture(); });
            }
            captureTimer_->timer.start(static_cast<int>(CaptureRecorder::kDoubleClickMs));
        }
    }
    for (std::size_t i = 0; i < filters_.size() && !consumed; ++i) consumed = filters_[i](e, g, filtered);
    for (const Post& p : filtered) source_->Send(p);
    if (consumed) return true;
    const ActivationTarget target =
        e.kind == InputEvent::Activated ? ReadActivationTarget() : ActivationTarget{};
    // A hot key another program holds is that program's: its press starts nothing here.
    TGlobData ours = g;
    for (int code : source_->HeldElsewhere())
        if (code >= 0 && code < kHotKeyCodeCount) ours.HotKeyUsed[code] = 0;
    // A key no macro takes now goes on to the focused window as if it were no hot key.
    if (const int code = HookLogic::CodeOf(e);
        e.kind == InputEvent::KeyDown && code >= 0 && ours.HotKeyUsed[code] && !g.SecWndOn &&
        !SomeMacroTakes(ours, code, [this] { return source_->Titles(); }))
        ours.HotKeyUsed[code] = 0;
    Decision d = logic_.OnEvent(e, ours, Mask(), target);
    if (d.userActivity && master->NoteUserActivity() && g.PlayerWnd)
        d.posts.push_back({g.PlayerWnd, WM_USER_ACTIVE, 0, 0});
    for (const Post& p : d.posts) source_->Send(p);
    // Another program may have changed the hot keys in use.
    if (e.kind == InputEvent::KeyDown || e.kind == InputEvent::ButtonDown) UpdateGrabs();
    return d.swallow;
}

}  // namespace tessaro::hook
