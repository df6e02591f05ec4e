#pragma once
// The library's master copy of TGlobData in the shared block "QTBA1KGR", guarded by the
// named mutex "QT88aveR" so that pushes, pulls and the library's own writes never tear.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "protocol/glob_data.h"
#include "protocol/object_names.h"

namespace win {
class SharedMemory;
class NamedMutex;
}  // namespace win

namespace tessaro::hook {

class MasterBlock {
public:
    // Opens (or creates, zero-filled) the block of this session; nullptr on failure.
    static std::unique_ptr<MasterBlock> Attach(std::string* error = nullptr);
    ~MasterBlock();

    // Runs fn on the master copy while holding the mutex.
    void Update(const std::function<void(TGlobData&)>& fn);
    // A consistent copy of the master.
    TGlobData Snapshot();

    // Pushes one group of a program's copy. The idle counter of a push is taken only
    // when no user activity reset it since this process last pulled.
    void Push(const TGlobData& from, int group, int index = 0);
    // Copies the whole master out and remembers the activity count for Push.
    void Pull(TGlobData& to);
    // User activity: IdleSeconds := 0. Returns whether an idle macro had fired since the
    // last activity (IdleFired was set); it is cleared so that this is told only once.
    bool NoteUserActivity();

private:
    MasterBlock(std::unique_ptr<win::SharedMemory> block, std::unique_ptr<win::NamedMutex> mutex);
    TGlobData& master();
    std::unique_ptr<win::SharedMemory> block_;
    std::unique_ptr<win::NamedMutex> mutex_;
    std::uint32_t activityAtPull_ = 0;
    bool pulled_ = false;
};

// The block this process works on; attached on first use. nullptr when it cannot be.
MasterBlock* Master();
// Drops this process's attachment (tests switch namespaces between cases).
void DetachMaster();

}  // namespace tessaro::hook
