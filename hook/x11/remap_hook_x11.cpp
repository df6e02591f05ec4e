#include <QCoreApplication>
#include <QPointer>
#include <QTimer>

#include <X11/XKBlib.h>
#include <X11/Xlib.h>

#include <cstring>
#include <memory>
#include <optional>

#include "hook/key_remap.h"
#include "platform/named_mutex.h"
#include "platform/shared_memory.h"

namespace tessaro::hook {

namespace {

// The remap of this process with the connection it was made on; the mapping is put back
// when the remap stops or, at the latest, when the process exits.
struct Remap {
    Display* display = nullptr;
    std::unique_ptr<KeyRemapper> remapper;
    // The editor's remapper writes the block entry by entry while it is open; each entry
    // is in force as soon as it is written, not only once the dialog closes.
    QPointer<QTimer> watch;
    std::optional<TSwapKeys> applied;

    ~Remap() { Close(); }
    void Close() {
        delete watch.data();
        applied.reset();
        remapper.reset();  // restores first
        if (display) XCloseDisplay(display);
        display = nullptr;
    }
};

Remap& ProcessRemap() {
    static Remap remap;
    return remap;
}

std::optional<TSwapKeys> ReadSwapBlock() {
    auto block = win::SharedMemory::Open(kSwapBlockName, sizeof(TSwapShared));
    auto mutex = win::NamedMutex::Open(kSwapMutexName);
    if (!block || !mutex) return std::nullopt;
    win::MutexLock lock(*mutex, 500);
    if (!lock.owns()) return std::nullopt;
    TSwapShared shared;
    std::memcpy(&shared, block->data(), sizeof shared);
    return shared.Keys;
}

bool Same(const TSwapKeys& a, const TSwapKeys& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

constexpr int kWatchMs = 100;

void WatchSwapBlock(Remap& r) {
    if (r.watch || !QCoreApplication::instance()) return;
    r.watch = new QTimer(QCoreApplication::instance());
    QObject::connect(r.watch.data(), &QTimer::timeout, [] {
        Remap& remap = ProcessRemap();
        if (!remap.remapper || !remap.remapper->installed()) return;
        // Every event on this connection is a notice that the keyboard map changed.
        bool changed = false;
        while (XPending(remap.display)) {
            XEvent ev;
            XNextEvent(remap.display, &ev);
            changed = true;
        }
        if (changed) remap.remapper->Follow();
        const std::optional<TSwapKeys> keys = ReadSwapBlock();
        if (!keys || (remap.applied && Same(*keys, *remap.applied))) return;
        if (remap.remapper->Update(*keys)) remap.applied = keys;
    });
    r.watch->start(kWatchMs);
}

}  // namespace

// The remap's own connection goes to the display the process names now, whatever the
// process's shared connection found when it was first asked (in a parent, before DISPLAY
// was set). Without a display (a unit test) there is no keyboard to remap, and nothing to
// put back.
bool StartRemapFromSwapBlock() {
    Remap& r = ProcessRemap();
    if (!r.display) {
        r.display = XOpenDisplay(nullptr);
        // A layout switch or another program's change of the map: the remap follows it.
        int opcode = 0, event = 0, error = 0, major = XkbMajorVersion, minor = XkbMinorVersion;
        if (r.display && XkbQueryExtension(r.display, &opcode, &event, &error, &major, &minor))
            XkbSelectEvents(r.display, XkbUseCoreKbd, XkbNewKeyboardNotifyMask | XkbMapNotifyMask,
                            XkbNewKeyboardNotifyMask | XkbMapNotifyMask);
    }
    if (!r.display) return true;
    const std::optional<TSwapKeys> keys = ReadSwapBlock();
    if (!keys) return false;
    if (!r.remapper) r.remapper = std::make_unique<KeyRemapper>(r.display);
    if (!r.remapper->Install(*keys)) return false;
    r.applied = keys;
    WatchSwapBlock(r);
    return true;
}

bool RefreshRemapFromSwapBlock() {
    Remap& r = ProcessRemap();
    if (!r.remapper || !r.remapper->installed()) return false;
    const std::optional<TSwapKeys> keys = ReadSwapBlock();
    if (!keys || !r.remapper->Update(*keys)) return false;
    r.applied = keys;
    return true;
}

void StopRemap() { ProcessRemap().Close(); }

std::optional<KeyboardMap> RemappedOriginal() {
    const Remap& r = ProcessRemap();
    return r.remapper ? r.remapper->original() : std::nullopt;
}

bool RestoreRemapLeftByCrash() {
    Display* display = XOpenDisplay(nullptr);
    const bool restored = RestoreKeyboardAfterCrash(display);
    if (display) XCloseDisplay(display);
    return restored;
}

}  // namespace tessaro::hook
